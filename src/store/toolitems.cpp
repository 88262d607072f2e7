#include "toolitems.h"

#include "databasecontext.h"
#include "itemservices.h"
#include "kinds.h"
#include "platform/commatext.h"
#include "platform/launcher.h"
#include "platform/profile.h"

namespace {
const QString kSection = QStringLiteral("Tools");
}

QString FolderPart(const QString &path)
{
    return path.left(path.lastIndexOf(u'/') + 1);
}

QStringList ToolArguments(const QString &arguments, const QString &address)
{
    QStringList list = splitShellWords(arguments);
    if (!address.isEmpty())
        list.append(address);
    return list;
}

TToolItem::TToolItem(const QString &caption, const QString &fileName, const QString &arguments,
                     const QString &allowAddressText)
    : m_imageIndex(::ImageIndex(Image::Document))
    , m_caption(caption)
    , m_fileName(fileName)
    , m_arguments(arguments)
    , m_allowAddress(allowAddressText == QLatin1String("1"))
{
}

void TToolItem::SetFileName(const QString &fileName, ItemServices &services)
{
    m_fileName = fileName;
    FetchIcon(services);
}

void TToolItem::FetchIcon(ItemServices &services)
{
    m_imageIndex = services.FileIcon(m_fileName, ::ImageIndex(Image::Document));
}

bool TToolItem::Launch(ItemServices &services, const QString &address) const
{
    return services.StartProgram(m_fileName, ToolArguments(m_arguments, address), FolderPart(m_fileName));
}

bool TToolItem::Click(ItemServices &services) const
{
    return services.StartProgram(m_fileName, {}, FolderPart(m_fileName));
}

void TToolItems::Load(const Profile &profile)
{
    m_items.clear();
    QStringList seen;
    for (const QString &key : profile.sectionKeys(kSection)) {
        // A key written twice by hand reads as its first value: take it once.
        if (seen.contains(key, Qt::CaseInsensitive))
            continue;
        seen.append(key);
        // Whole: a value cut at the file's usual read limit would lose the tool at the next save.
        const QStringList parts = splitCommaText(profile.readRawString(kSection, key));
        if (parts.size() == 4)
            Add(std::make_unique<TToolItem>(parts.at(0), parts.at(1), parts.at(2), parts.at(3)));
    }
}

bool TToolItems::Save(Profile &profile) const
{
    bool ok = profile.eraseSection(kSection);
    for (int i = 0; i < Count(); ++i) {
        const TToolItem &t = *m_items[size_t(i)];
        const QString text = joinCommaText(
            {t.Caption(), t.FileName(), t.Arguments(), t.AllowAddress() ? QStringLiteral("1") : QStringLiteral("0")});
        // One tool the file cannot hold must not cost the others their place.
        ok = profile.writeString(kSection, QStringLiteral("Tool%1").arg(i), text) && ok;
    }
    return profile.save() && ok;
}

TToolItem *TToolItems::Add(std::unique_ptr<TToolItem> item)
{
    if (m_context)
        item->FetchIcon(m_context->Services());
    m_items.push_back(std::move(item));
    return m_items.back().get();
}

bool TToolItems::Delete(const QString &caption)
{
    for (auto it = m_items.begin(); it != m_items.end(); ++it) {
        if ((*it)->Caption() == caption) {
            m_items.erase(it);
            return true;
        }
    }
    return false;
}

bool TToolItems::DeleteAt(int index)
{
    if (index < 0 || index >= Count())
        return false;
    m_items.erase(m_items.begin() + index);
    return true;
}

TToolItem *TToolItems::FindByFileName(const QString &fileName) const
{
    for (const auto &t : m_items)
        if (t->FileName() == fileName)
            return t.get();
    return nullptr;
}

bool TToolItems::IsConfigured(const QString &fileName, const QString &arguments) const
{
    for (const auto &t : m_items)
        if (t->FileName() == fileName && t->Arguments() == arguments)
            return true;
    return false;
}

TToolItem *TToolItems::Items(int index) const
{
    return index >= 0 && index < Count() ? m_items[size_t(index)].get() : nullptr;
}
