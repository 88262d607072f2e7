#include "callerhistory.h"

#include "platform/safefiles.h"
#include "store/itemfactory.h"
#include "store/kinds.h"
#include "store/recordfile.h"
#include "store/treenodes.h"
#include "store/zebobject.h"

#include <QFile>
#include <QLocale>

#include <algorithm>

TCallerHistory::TCallerHistory(QObject *parent) : QAbstractTableModel(parent) {}

TCallerHistory::~TCallerHistory() = default;

void TCallerHistory::SetSize(int size)
{
    m_size = std::clamp(size, MinSize, MaxSize);
}

QString TCallerHistory::WhenText(const QDateTime &when)
{
    const QLocale locale = QLocale::system();
    // The long time without its time zone, which a call's time does not need.
    QString timeFormat = locale.timeFormat(QLocale::LongFormat);
    timeFormat.remove(QLatin1Char('t'));
    return locale.toString(when.date(), QLocale::ShortFormat) + u' ' + locale.toString(when.time(), timeFormat.trimmed());
}

void TCallerHistory::insertTop(std::unique_ptr<TZEBObject> item)
{
    beginInsertRows({}, 0, 0);
    m_items.insert(m_items.begin(), std::move(item));
    endInsertRows();
}

void TCallerHistory::Add(const QString &name, const QString &number, const QDateTime &when)
{
    insertTop(MakeItem(ItemKind::Phone, name, number, WhenText(when), QString(), 0));
    if (Count() > m_size)
        Remove({Count() - 1});
}

TZEBObject *TCallerHistory::Item(int row) const
{
    return row >= 0 && row < Count() ? m_items[size_t(row)].get() : nullptr;
}

std::unique_ptr<TZEBObject> TCallerHistory::Take(int row)
{
    if (row < 0 || row >= Count())
        return nullptr;
    beginRemoveRows({}, row, row);
    std::unique_ptr<TZEBObject> item = std::move(m_items[size_t(row)]);
    m_items.erase(m_items.begin() + row);
    endRemoveRows();
    return item;
}

void TCallerHistory::Remove(QList<int> rows)
{
    // From the bottom up, so the rows left keep their numbers.
    std::sort(rows.begin(), rows.end(), std::greater<int>());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    for (int row : rows)
        Take(row);
}

namespace {

// The start of the line after line `line` (counted from firstLine at from); size when there is none.
qsizetype lineAfter(const QByteArray &bytes, qsizetype from, int firstLine, int line)
{
    for (int at = firstLine; at <= line && from < bytes.size(); ++at) {
        const qsizetype end = bytes.indexOf('\n', from);
        from = end < 0 ? bytes.size() : end + 1;
    }
    return from;
}

} // namespace

int TCallerHistory::Load(const QString &fileName)
{
    QFile file;
    QString why;
    if (SafeFiles::OpenForReading(file, fileName, &why) != SafeFiles::Opened::Yes)
        return 0;
    const QByteArray bytes = file.read(MaxFileBytes);
    file.close();

    TTreeNodes scratch;
    TTreeNode *root = scratch.AddTop(MakeRootItem(), QString());
    qsizetype at = 0;
    int line = 1;
    while (at < bytes.size()) {
        try {
            ReadItems(bytes, at, line, root);
            break;
        } catch (const EInOutError &e) {
            // A header that is no header: what follows it may still be good.
            if (e.Line() < line)
                break;
            at = lineAfter(bytes, at, line, e.Line());
            line = e.Line() + 1;
        } catch (const std::exception &) {
            break;
        }
    }

    TZEBObject *holder = root->Item();
    std::vector<std::unique_ptr<TZEBObject>> read;
    while (holder->ChildCount() > 0 && int(read.size()) < MaxSize) {
        std::unique_ptr<TZEBObject> item = holder->UnlinkChild(holder->ChildAt(0));
        if (item && item->Kind() == ItemKind::Phone)
            read.push_back(std::move(item));
    }
    if (read.empty())
        return 0;
    beginInsertRows({}, Count(), Count() + int(read.size()) - 1);
    for (auto &item : read)
        m_items.push_back(std::move(item));
    endInsertRows();
    return int(read.size());
}

bool TCallerHistory::Save(const QString &fileName, QString *why) const
{
    try {
        WriteWholeFile(fileName, [this](RecordSink &sink) {
            for (const auto &item : m_items)
                WriteItem(item.get(), sink, 1);
        });
    } catch (const std::exception &e) {
        if (why)
            *why = QString::fromUtf8(e.what());
        return false;
    }
    return true;
}

int TCallerHistory::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : Count();
}

int TCallerHistory::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant TCallerHistory::data(const QModelIndex &index, int role) const
{
    const TZEBObject *item = Item(index.row());
    if (!item || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    switch (index.column()) {
    case NameColumn: return item->Title();
    case NumberColumn: return item->Value();
    case WhenColumn: return item->Comment();
    default: return {};
    }
}

QVariant TCallerHistory::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    static const char *const names[] = {"Name", "Number", "When"};
    return section >= 0 && section < ColumnCount ? QString::fromLatin1(names[section]) : QVariant();
}

Qt::ItemFlags TCallerHistory::flags(const QModelIndex &index) const
{
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (index.isValid())
        f |= Qt::ItemIsDragEnabled;
    if (index.isValid() && index.column() == NameColumn)
        f |= Qt::ItemIsEditable;
    return f;
}

bool TCallerHistory::setData(const QModelIndex &index, const QVariant &value, int role)
{
    TZEBObject *item = Item(index.row());
    if (!item || role != Qt::EditRole || index.column() != NameColumn)
        return false;
    item->SetTitle(value.toString());
    emit dataChanged(index, index);
    return true;
}

int TCallerHistory::RowOf(const TZEBObject *item) const
{
    for (int row = 0; row < Count(); ++row)
        if (m_items[size_t(row)].get() == item)
            return row;
    return -1;
}

QStringList TCallerHistory::mimeTypes() const
{
    return {TCallerRows::Format};
}

QMimeData *TCallerHistory::mimeData(const QModelIndexList &indexes) const
{
    auto *mime = new TCallerRows;
    mime->history = const_cast<TCallerHistory *>(this);
    QString text;
    for (const QModelIndex &index : indexes) {
        const TZEBObject *item = Item(index.row());
        if (!item || index.column() != NameColumn || mime->items.contains(item))
            continue;
        mime->items.append(item);
        text += item->Title() + u'\t' + item->Value() + u'\n';
    }
    mime->setData(TCallerRows::Format, QByteArray());
    // Elsewhere the rows are plain text.
    mime->setText(text);
    return mime;
}

int DropCallerRows(const QMimeData *mime, TTreeNode *node)
{
    const auto *rows = qobject_cast<const TCallerRows *>(mime);
    TZEBObject *owner = node ? node->Item() : nullptr;
    if (!rows || !rows->history || !owner)
        return 0;
    if (owner->IsRemote() || owner->InRemote())
        throw ERemoteParent();
    int moved = 0;
    for (const TZEBObject *dragged : rows->items) {
        std::unique_ptr<TZEBObject> item = rows->history->Take(rows->history->RowOf(dragged));
        if (!item)
            continue; // deleted from the history meanwhile
        item->SetComment(QString());
        TZEBObject *placed = item.get();
        owner->AddChild(std::move(item));
        placed->SetNode(node);
        ++moved;
    }
    return moved;
}
