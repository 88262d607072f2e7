#include "contactobject.h"

#include "addressobject.h"
#include "emailobject.h"
#include "fieldcodec.h"
#include "linescan.h"
#include "pendingcsv.h"
#include "pendingleaves.h"
#include "recordsource.h"
#include "faxobject.h"
#include "itemfactory.h"
#include "itemservices.h"
#include "phoneobject.h"
#include "treenodes.h"
#include "webobject.h"
#include "exchange/csvfields.h"
#include "platform/textcodec.h"

#include <algorithm>
#include <iterator>
#include <limits>
#include <utility>

namespace {
// The order in which primary children are asked and imported.
constexpr ItemKind kContactKinds[] = {ItemKind::Address, ItemKind::Phone, ItemKind::Fax, ItemKind::EMail, ItemKind::Website};

// A page's value and comment into its child; false when there is no child.
bool takePage(TZEBObject *child, const QString &value, const QString &comment)
{
    if (!child)
        return false;
    child->SetValue(value);
    child->SetComment(comment);
    return true;
}
} // namespace

TContactObject::TContactObject(ItemKind kind, const QString &title, const QString &value, const QString &comment,
                               qint32 id)
    : TZEBObject(kind, title, value, comment, id)
{
}

void TContactObject::TakeFields(const QString &dataLine, const QString &tag, qsizetype categoriesIndex)
{
    QStringList fields;
    if (!DataFields(dataLine, tag, fields))
        return;
    m_deferred = {}; // replaced by this line
    ReadFields(fields);
    SetCategories(CategoriesAt(fields, categoriesIndex));
}

void TContactObject::DeferFields(const std::shared_ptr<const RecordSource> &source, qsizetype begin, qsizetype end,
                                 const QString &tag, qsizetype categoriesIndex)
{
    const char *line = source->bytes.constData() + begin;
    const qsizetype n = end - begin;
    if (n < tag.size() || QLatin1StringView(line, tag.size()) != tag)
        return;
    if (n > std::numeric_limits<qint32>::max()) {
        TakeFields(source->Text(begin, end), tag, categoriesIndex); // too long to wait
        return;
    }
    LineScan::Fields fields;
    LineScan::SplitFields(line + tag.size(), line + n, fields);
    SetCategories(CategoriesAt(*source, fields, categoriesIndex));
    m_deferred = DeferredLine{source, begin + tag.size(), qint32(n - tag.size()), qint32(categoriesIndex - 5)};
}

bool TContactObject::AppendUnreadRecord(QByteArray &out, int level, const QString &tag, qsizetype fieldCount) const
{
    if (!m_deferred.source)
        return false;
    const char *const begin = m_deferred.source->bytes.constData() + m_deferred.begin;
    const char *const end = begin + m_deferred.length;
    // Where the categories begin: after the separator that ends the last of the fields.
    const char *categories = nullptr;
    qsizetype separators = 0;
    for (const char *p = begin; p < end; ++p) {
        if (*p != '~')
            continue;
        if (p + 1 == end || p[1] != '~')
            return false;
        if (++separators > fieldCount)
            return false;
        categories = p + 2;
        ++p;
    }
    if (separators != fieldCount || !categories)
        return false;
    if (!LineScan::IsAscii(begin, categories - begin) && !isValidUtf8(begin, categories - begin))
        return false;
    AppendHeaderLine(out, level);
    AppendBytes(out, "\r\n");
    AppendUtf8(out, tag);
    AppendBytes(out, begin, categories - begin);
    AppendNumber(out, Categories());
    return true;
}

TPrimaryTitles &TContactObject::primaries()
{
    EnsureFields();
    if (!m_primaries)
        m_primaries = std::make_unique<TPrimaryTitles>();
    return *m_primaries;
}

void TContactObject::readDeferredFields() const
{
    const DeferredLine line = std::exchange(m_deferred, {});
    // The object itself is never const: only the moment of reading is deferred.
    const_cast<TContactObject *>(this)->ReadFields(
        SplitDecoded(line.source->Text(line.begin, line.end()), Context().Pool()));
}

QString *TPrimaryTitles::Of(ItemKind kind)
{
    switch (kind) {
    case ItemKind::Address: return &Address;
    case ItemKind::Phone: return &Phone;
    case ItemKind::Fax: return &Fax;
    case ItemKind::EMail: return &EMail;
    case ItemKind::Website: return &Website;
    default: return nullptr;
    }
}

QString TContactObject::PrimaryTitle(ItemKind kind) const
{
    const QString *field = primaries().Of(kind);
    return field ? *field : QString();
}

void TContactObject::SetPrimaryTitle(ItemKind kind, const QString &title)
{
    if (QString *field = primaries().Of(kind))
        *field = title;
}

TZEBObject *TContactObject::PrimaryChild(ItemKind kind) const { return FindChild(PrimaryTitle(kind), kind); }

QStringList TContactObject::PrimaryFields(const TPrimaryTitles &primaries)
{
    return {primaries.Address, primaries.Phone, primaries.Fax, primaries.EMail, primaries.Website};
}

void TContactObject::LoadPrimaryFields(const QStringList &fields, qsizetype first)
{
    primaries().Address = fields.value(first);
    primaries().Phone = fields.value(first + 1);
    primaries().Fax = fields.value(first + 2);
    primaries().EMail = fields.value(first + 3);
    primaries().Website = fields.value(first + 4);
}

PopupVisibility TContactObject::PreparePopup() const
{
    PopupVisibility v;
    v.SendMail = !primaries().EMail.isEmpty();
    v.SendFax = !primaries().Fax.isEmpty();
    v.Dial = !primaries().Phone.isEmpty();
    v.Browse = !primaries().Website.isEmpty();
    return v;
}

bool TContactObject::EditNew(TTreeNode *) { return Services().EditItem(*this, true); }

void TContactObject::Edit() { Services().EditItem(*this, false); }

void TContactObject::Dial()
{
    if (auto *phone = dynamic_cast<TPhoneObject *>(PrimaryChild(ItemKind::Phone)))
        phone->Dial();
}

void TContactObject::SendFax(const QString &attachment)
{
    if (auto *fax = dynamic_cast<TFaxObject *>(PrimaryChild(ItemKind::Fax)))
        fax->SendFax(attachment);
}

void TContactObject::SendMail(const QString &attachment)
{
    if (auto *mail = dynamic_cast<TEMailObject *>(PrimaryChild(ItemKind::EMail)))
        mail->SendMail(attachment);
}

void TContactObject::Browse()
{
    if (auto *site = dynamic_cast<TWebObject *>(PrimaryChild(ItemKind::Website)))
        site->Browse();
}

QStringList TContactObject::ChildTitles(ItemKind kind) const
{
    QStringList titles;
    for (int i = 0; i < ChildCount(); ++i)
        if (ChildAt(i)->Kind() == kind)
            titles.append(ChildAt(i)->Title());
    if (Node() && Node()->Item() == this) {
        for (int i = 0; i < Node()->Count(); ++i) {
            const TZEBObject *item = Node()->Child(i)->Item();
            if (item && item->Kind() == kind)
                titles.append(item->Title());
        }
    }
    return titles;
}

TZEBObject *TContactObject::CreateChild(ItemKind kind, const QString &title, const QString &value, const QString &comment)
{
    if (!Node() || Node()->Item() != this)
        return nullptr;
    return CreateItem(kind, title, value, comment, Node(), QString(), 0);
}

TZEBObject *TContactObject::ChildForPage(ItemKind kind, const QString &title)
{
    if (TZEBObject *child = FindChild(title, kind))
        return child;
    return CreateChild(kind, title, QString(), QString());
}

void TContactObject::ApplyPrimaryPages(const TPrimaryPages &p, bool isNew)
{
    if (InRemote())
        return;
    // Children are filled through their fields, never through a composed data line,
    // so any text the user typed reaches them unchanged.
    if (!p.AddrTitle.isEmpty() && (!isNew || HasStreetText(p.AddrLines))) {
        if (auto *address = dynamic_cast<TAddressObject *>(ChildForPage(ItemKind::Address, p.AddrTitle))) {
            address->SetLines(p.AddrLines);
            address->SetValue(address->Lines().value(0));
            address->SetCity(p.City);
            address->SetState(p.State);
            address->SetPostalCode(p.PostCode);
            address->SetCountry(p.Country);
            address->SetComment(p.AddrComment);
            primaries().Address = p.AddrTitle;
        }
    }
    if (!p.PhoneTitle.isEmpty() && !p.PhoneBare.isEmpty()) {
        if (auto *phone = dynamic_cast<TPhoneObject *>(ChildForPage(ItemKind::Phone, p.PhoneTitle))) {
            phone->SetExtension(p.Extension);
            takePage(phone, p.PhoneNum, p.PhoneComment);
            primaries().Phone = p.PhoneTitle;
        }
    }
    if (!p.FaxTitle.isEmpty() && !p.FaxBare.isEmpty() &&
        takePage(ChildForPage(ItemKind::Fax, p.FaxTitle), p.FaxNum, p.FaxComment))
        primaries().Fax = p.FaxTitle;
    if (!p.EMailTitle.isEmpty() && !p.EMailAddr.isEmpty() &&
        takePage(ChildForPage(ItemKind::EMail, p.EMailTitle), p.EMailAddr, p.EMailComment))
        primaries().EMail = p.EMailTitle;
    // A site address without a known scheme creates nothing, silently.
    if (!p.WebTitle.isEmpty() && HasURLScheme(p.Web) &&
        takePage(ChildForPage(ItemKind::Website, p.WebTitle), p.Web, p.WebComment))
        primaries().Website = p.WebTitle;
}

void TContactObject::ImportChild(ItemKind kind, const QString &childTitle, const QStringList &names,
                                 const QStringList &values)
{
    if (std::find(std::begin(kContactKinds), std::end(kContactKinds), kind) == std::end(kContactKinds))
        return;
    // A record without a "Title" column still names the child.
    QStringList childValues = values;
    QStringList childNames = names;
    SetCsvValue(childValues, childNames, QStringLiteral("Title"), childTitle);
    TZEBObject *child = CreateChild(kind, QStringLiteral("New"), QString(), QString());
    if (!child)
        return;
    if (child->ImportFields(childValues, childNames)) {
        SetPrimaryTitle(kind, childTitle);
        return;
    }
    if (IsContainerKind(kind))
        child->Node()->Owner()->Delete(child->Node());
    else
        RemoveChild(child);
}

void TContactObject::ImportPrimaryChildren(QStringList values, QStringList names)
{
    // The person's or organization's comment is not the children's.
    if (names.contains(QLatin1String("Comment")))
        SetCsvValue(values, names, QStringLiteral("Comment"), QString());
    for (const ItemKind kind : kContactKinds)
        ImportChild(kind, ImportedChildTitle(kind), names, values);
}

QString TContactObject::ImportedChildTitle(ItemKind kind)
{
    switch (kind) {
    case ItemKind::Address:
        return QStringLiteral("Primary Address");
    case ItemKind::Phone:
        return QStringLiteral("Primary Phone");
    case ItemKind::Fax:
        return QStringLiteral("Primary Fax");
    case ItemKind::EMail:
        return QStringLiteral("Primary EMail");
    case ItemKind::Website:
        return QStringLiteral("Primary Website");
    default:
        return QString();
    }
}

QString TContactObject::GetFieldCSV(const QString &name) const
{
    QByteArray cells;
    CsvRow row(cells);
    AppendCSVCells(CsvColumns({name}), row);
    return row.Text();
}

void TContactObject::UnreadFields::Cell(qsizetype index, CsvRow &row) const
{
    if (index < fields.size())
        row.Field(*source, fields[index].begin, fields[index].end);
    else
        row.Cell({});
}

bool TContactObject::OwnFieldCSV(CsvColumn column, const UnreadFields &, CsvRow &row) const
{
    if (column == CsvColumn::Title)
        row.Cell(Title());
    else if (column == CsvColumn::Comment)
        row.Cell(Comment());
    else
        return false;
    return true;
}

void TContactObject::AppendCSVCells(const CsvColumns &columns, CsvRow &row) const
{
    UnreadFields line;
    if (m_deferred.source) {
        line.source = m_deferred.source.get();
        const char *bytes = line.source->bytes.constData();
        LineScan::SplitFields(bytes + m_deferred.begin, bytes + m_deferred.end(), line.fields);
    }
    // Each primary child found once: a made item, or a record still waiting in the file.
    constexpr int kCount = int(std::size(kContactKinds));
    const TZEBObject *items[kCount];
    std::optional<PendingRecord> records[kCount];
    QStringView titles[kCount];
    std::optional<ShortText> shortTitles[kCount];
    QString decodedTitles[kCount];
    for (int k = 0; k < kCount; ++k) {
        if (!line.source) {
            titles[k] = *primaries().Of(kContactKinds[k]);
            continue;
        }
        const qsizetype at = m_deferred.primariesAt + k;
        if (at >= line.fields.size())
            continue;
        const LineScan::Field f = line.fields[at];
        if (f.begin < f.end && *f.begin == '~')
            titles[k] = decodedTitles[k] = line.source->FieldValue(f.begin, f.end);
        else
            titles[k] = shortTitles[k].emplace(*line.source, f.begin, f.end).View();
    }
    PeekChildren(kContactKinds, titles, kCount, items, records);
    for (size_t c = 0; c < columns.ids.size(); ++c) {
        const CsvColumn column = columns.ids[c];
        if (OwnFieldCSV(column, line, row))
            continue;
        bool answered = false;
        for (int k = 0; k < kCount && !answered; ++k) {
            if (records[k]) {
                answered = PendingFieldCSV(*records[k], column, row);
            } else if (items[k]) {
                answered = items[k]->AppendFieldCSV(column, columns.names[qsizetype(c)], row);
            }
        }
        if (!answered)
            row.Cells(u",");
    }
}

void TContactObject::ShowTitleOnNode()
{
    TTreeNode *node = Node();
    if (!node || node->Item() != this || node->Text() == Title())
        return;
    node->SetText(Title());
    if (node->Parent())
        node->Parent()->RepositionChild(node);
}
