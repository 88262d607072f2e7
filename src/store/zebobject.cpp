#include "zebobject.h"

#include "exchange/csvcolumns.h"
#include "exchange/csvfields.h"

#include "databasecontext.h"
#include "fieldcodec.h"
#include "itemfactory.h"
#include "itemservices.h"
#include "kindtable.h"
#include "pendingleaves.h"
#include "treesearch.h"
#include "wordstart.h"
#include "recordsource.h"
#include "treenodes.h"

#include <QVarLengthArray>

#include <algorithm>

ERemoteParent::ERemoteParent()
    : std::runtime_error("Cannot create new records within a remote (read-only) folder")
{
}

TZEBObject::TZEBObject(ItemKind kind, const QString &title, const QString &value, const QString &comment, qint32 id)
    : m_id(id), m_kind(kind), m_value(value)
{
    if (!comment.isEmpty())
        m_comment = std::make_unique<QString>(comment);
    SetTitle(title);
}

TZEBObject::~TZEBObject()
{
    if (m_alert)
        SetAlert(false);
    dropPending();
    while (!m_children.empty())
        m_children.pop_back();
}

void TZEBObject::dropPending()
{
    const auto pending = std::move(m_pending);
    if (pending && pending->dueReminders) {
        countAlert(m_node, -pending->dueReminders);
        showAlertMarks(m_node);
    }
}

TZEBObject *TZEBObject::ChildAt(int index) const
{
    return index >= 0 && index < ChildCount() ? m_children[size_t(index)].get() : nullptr;
}

void TZEBObject::AddChild(std::unique_ptr<TZEBObject> item)
{
    ensureChildren();
    if (!item)
        return;
    TZEBObject *leaf = item.get();
    m_children.push_back(std::move(item));
    if (TTreeNode *node = ownNode())
        node->Owner()->insertedLeaf(node, leaf);
}

TTreeNode *TZEBObject::ownNode() const { return m_node && m_node->Item() == this ? m_node : nullptr; }

void TZEBObject::announceChange()
{
    if (m_node)
        m_node->Owner()->changedItem(this);
}

const QString &TZEBObject::Comment() const
{
    static const QString none;
    return m_comment ? *m_comment : none;
}

void TZEBObject::SetComment(const QString &comment)
{
    if (Comment() == comment)
        return;
    m_comment = comment.isEmpty() ? nullptr : std::make_unique<QString>(comment);
    announceChange();
}

void TZEBObject::SetValueField(const QString &value)
{
    if (m_value == value)
        return;
    m_value = value;
    announceChange();
}

bool TZEBObject::AddPendingLeaf(const std::shared_ptr<const RecordSource> &source, qsizetype begin, qsizetype end,
                                bool dueReminder)
{
    if (m_pending && m_pending->source != source)
        makePendingChildren();
    if (!m_pending && !m_children.empty()) {
        // Children are either all made or all waiting, so their order stays that of arrival.
        PendingLeaves now{source, {{begin, end}}, 0};
        for (auto &made : MakePendingItems(now, Context().Pool())) {
            TZEBObject *child = made.item.get();
            m_children.push_back(std::move(made.item));
            child->SetNode(m_node);
            LoadPlacedFields(child, made.dataLine);
        }
        return false;
    }
    if (!m_pending)
        m_pending = std::make_unique<PendingLeaves>(PendingLeaves{source, {}, 0});
    auto &spans = m_pending->spans;
    if (!spans.isEmpty() && spans.back().end == begin)
        spans.back().end = end;
    else
        spans.append({begin, end});
    if (dueReminder)
        ++m_pending->dueReminders;
    return true;
}

bool TZEBObject::RecheckPendingDue(const QDate &today)
{
    if (!m_pending)
        return false;
    const int due = CountDueReminders(*m_pending, today);
    const int step = due - m_pending->dueReminders;
    if (step == 0)
        return false;
    m_pending->dueReminders = due;
    AddMarks(m_node, step);
    return true;
}

void TZEBObject::makePendingChildren() const
{
    const auto pending = std::move(m_pending);
    auto items = MakePendingItems(*pending, Context().Pool());
    // Each due reminder counts itself again as it reads its line. All are placed
    // children before any reads it, so a listener to the marks sees the whole list.
    countAlert(m_node, -pending->dueReminders);
    const size_t first = m_children.size();
    for (auto &made : items)
        m_children.push_back(std::move(made.item));
    for (size_t i = first; i < m_children.size(); ++i)
        m_children[i]->SetNode(m_node);
    for (size_t i = first; i < m_children.size(); ++i)
        LoadPlacedFields(m_children[i].get(), items[i - first].dataLine);
    if (pending->dueReminders)
        showAlertMarks(m_node); // one that is no longer due after all
}

void TZEBObject::countAlert(TTreeNode *node, int step)
{
    for (TTreeNode *n = node; n && n->Parent(); n = n->Parent())
        if (TZEBObject *item = n->Item())
            item->m_alertCount += step;
}

void TZEBObject::AddMarks(TTreeNode *node, int count)
{
    if (count == 0)
        return;
    countAlert(node, count);
    showAlertMarks(node);
}

void TZEBObject::AddOwnMarks(int count)
{
    if (count == 0 || !m_node || !m_node->Parent())
        return;
    m_alertCount += count;
    m_node->SetStateIndex(m_alertCount >= 1 ? StateImageIndex(StateImage::Alert) : StateImageIndex(StateImage::None));
}

void TZEBObject::LeaveNode()
{
    m_node = nullptr;
    for (const auto &c : m_children) // made ones only: waiting records have no node
        c->m_node = nullptr;
}

void TZEBObject::showAlertMarks(TTreeNode *node)
{
    for (TTreeNode *n = node; n && n->Parent(); n = n->Parent())
        if (const TZEBObject *item = n->Item())
            n->SetStateIndex(item->m_alertCount >= 1 ? StateImageIndex(StateImage::Alert) : StateImageIndex(StateImage::None));
}

void TZEBObject::RemoveChild(TZEBObject *item)
{
    auto holder = UnlinkChild(item);
    holder.reset();
}

void TZEBObject::RemoveChildren()
{
    dropPending();
    TTreeNode *node = ownNode();
    while (!m_children.empty()) {
        if (node)
            node->Owner()->removingLeaf(node, m_children.back().get());
        m_children.pop_back();
    }
}

std::unique_ptr<TZEBObject> TZEBObject::UnlinkChild(TZEBObject *item)
{
    ensureChildren();
    auto it = std::find_if(m_children.begin(), m_children.end(), [item](const auto &c) { return c.get() == item; });
    if (it == m_children.end())
        return nullptr;
    if (TTreeNode *node = ownNode())
        node->Owner()->removingLeaf(node, item);
    auto holder = std::move(*it);
    m_children.erase(it);
    return holder;
}

void TZEBObject::SetTitle(const QString &title)
{
    // Only the item's own node follows its title: a leaf shares its owner's node,
    // and renaming a leaf must not rename its owner in the tree.
    if (m_title == title && !m_title.isNull())
        return;
    TTreeNode *node = ownNode();
    const bool textFollows = node && node->Text() == m_title;
    const bool textChanges = textFollows && node->Text() != title;
    // The title first, so whoever hears of the node's new text sorts it by the new title.
    m_title = title;
    if (textFollows)
        node->followTitle(textChanges);
    if (node && node->Parent())
        node->Parent()->RepositionChild(node);
    announceChange();
}

TZEBObject *TZEBObject::FindChild(const QString &title, ItemKind kind) const
{
    if (title.isEmpty())
        return nullptr;
    ensureChildren();
    if (TZEBObject *leaf = findLeaf(title, kind))
        return leaf;
    return findChildNode(title, kind);
}

void TZEBObject::PeekChildren(const ItemKind *kinds, const QStringView *titles, int count, const TZEBObject **items,
                              std::optional<PendingRecord> *records) const
{
    // Waiting records follow the made leaf items, as they will once made; child nodes come last.
    QVarLengthArray<QStringView, 8> waiting;
    for (int i = 0; i < count; ++i) {
        items[i] = titles[i].isEmpty() ? nullptr : findLeaf(titles[i], kinds[i]);
        waiting.append(items[i] ? QStringView() : titles[i]);
        records[i].reset();
    }
    if (m_pending)
        FindPendingRecords(*m_pending, kinds, waiting.constData(), records, count);
    for (int i = 0; i < count; ++i)
        if (!items[i] && !records[i] && !titles[i].isEmpty())
            items[i] = findChildNode(titles[i], kinds[i]);
}

TZEBObject *TZEBObject::findLeaf(QStringView title, ItemKind kind) const
{
    for (const auto &c : m_children)
        if (c->m_kind == kind && c->m_title == title)
            return c.get();
    return nullptr;
}

TZEBObject *TZEBObject::findChildNode(QStringView title, ItemKind kind) const
{
    if (m_node && m_node->Item() == this) {
        for (int i = 0; i < m_node->Count(); ++i) {
            TZEBObject *item = m_node->Child(i)->Item();
            if (item && item->m_kind == kind && item->m_title == title)
                return item;
        }
    }
    return nullptr;
}

TZEBObject *TZEBObject::FindChildByWord(const QString &prefix) const { return FindLeafByWord(this, WordStart(prefix)); }

TZEBObject *TZEBObject::FindChildByNumber(const QString &digits) const
{
    // A withheld caller's number has no digits: it is no phone's, also not one left empty.
    if (digits.isEmpty())
        return nullptr;
    const auto matches = [&digits](const TZEBObject *c) {
        if (c->m_kind != ItemKind::Phone && c->m_kind != ItemKind::Fax)
            return false;
        QString v = c->m_value;
        StripToDigits(v);
        return v == digits;
    };
    // Waiting records are made into items only when one of them is the answer.
    if (m_pending && !PendingHasNumber(*m_pending, digits))
        return nullptr;
    for (const auto &c : ensureChildren())
        if (matches(c.get()))
            return c.get();
    return nullptr;
}

void TZEBObject::SetRemote(bool remote)
{
    m_isRemote = remote;
    if (remote && m_node)
        m_node->Owner()->m_mayHoldRemote = true;
}

void TZEBObject::SetNode(TTreeNode *node)
{
    if (m_isRemote && node)
        node->Owner()->m_mayHoldRemote = true;
    if (m_alert) {
        SetAlert(false);
        m_node = node;
        SetAlert(true);
    } else {
        m_node = node;
    }
    if (node && node->Parent()) {
        const TZEBObject *above = node->Parent()->Item();
        m_inRemote = above && (above->m_isRemote || above->m_inRemote);
    }
}

void TZEBObject::SetAlert(bool on)
{
    if (m_alert == on)
        return;
    countAlert(m_node, on ? 1 : -1);
    showAlertMarks(m_node);
    m_alert = on;
}

bool TZEBObject::IsFilteredOut() const { return Services().IsFilteredOut(m_categories); }

void TZEBObject::ChooseCategories()
{
    if (auto chosen = Services().ChooseCategories(m_categories))
        m_categories = *chosen;
}

void TZEBObject::SetValue(const QString &value) { SetValueField(value); }

int TZEBObject::GetImageIndex() const
{
    if (m_isRemote)
        return ImageIndex(Image::RemoteFolder);
    const KindInfo *info = FindKind(m_kind);
    return info ? ImageIndex(info->image) : KindCode(m_kind);
}

void TZEBObject::LoadFields(const QString &) { throw EAbstractError(); }

void TZEBObject::LoadFieldsFrom(const std::shared_ptr<const RecordSource> &source, qsizetype begin, qsizetype end)
{
    LoadFields(source->Text(begin, end));
}

void TZEBObject::AppendHeaderLine(QByteArray &out, int level) const
{
    AppendRecordHeader(out, level, m_kind, m_title, m_value, Comment());
    AppendRecordId(out, m_id);
}

void TZEBObject::AppendRecordWithData(QByteArray &out, int level, const QString &tag, const QStringList &fields) const
{
    AppendHeaderLine(out, level);
    AppendBytes(out, "\r\n");
    AppendDataLine(out, tag, fields, m_categories);
}

RecordPrefix::RecordPrefix(int level, ItemKind kind)
{
    char *p = m_buffer + sizeof m_buffer - 2;
    p[0] = ' ';
    p[1] = '}';
    p = WriteNumberBefore(p, KindCode(kind));
    *--p = ' ';
    p = WriteNumberBefore(p, level);
    *--p = '{';
    m_start = p;
}

void AppendRecordHeader(QByteArray &out, int level, ItemKind kind, QStringView title, QStringView value,
                        QStringView comment)
{
    // In one piece: a save or an import writes one for every record.
    const QByteArrayView prefix = RecordPrefix(level, kind).View();
    AppendBytes(out, prefix.data(), prefix.size());
    AppendEncodedField(out, title);
    AppendBytes(out, "~~");
    AppendEncodedField(out, value);
    AppendBytes(out, "~~");
    AppendEncodedField(out, comment);
    AppendBytes(out, "~~");
}

void AppendRecordId(QByteArray &out, qint32 id) { AppendNumber(out, id); }

void AppendDataLine(QByteArray &out, QStringView tag, const QStringList &fields, qint32 categories)
{
    AppendUtf8(out, tag);
    for (const QString &field : fields) {
        AppendEncodedField(out, field);
        AppendBytes(out, "~~");
    }
    AppendNumber(out, categories);
}

bool TZEBObject::DataFields(const QString &dataLine, const QString &tag, QStringList &fields) const
{
    if (!dataLine.startsWith(tag))
        return false;
    fields = SplitDecoded(QStringView(dataLine).mid(tag.size()), Context().Pool());
    return true;
}

const DatabaseContext &TZEBObject::Context() const
{
    return m_node ? m_node->Owner()->Context() : DatabaseContext::Detached();
}

ItemServices &TZEBObject::Services() const { return Context().Services(); }

QString TZEBObject::GetRecordText(int level) const
{
    QByteArray record;
    AppendRecord(record, level);
    return QString::fromUtf8(record);
}

void TZEBObject::AppendRecord(QByteArray &out, int level) const
{
    AppendHeaderLine(out, level);
    if (m_rawDataLine) {
        AppendBytes(out, "\r\n");
        AppendUtf8(out, *m_rawDataLine);
    }
}

PopupVisibility TZEBObject::PreparePopup() const { return PopupVisibility{}; }

int TZEBObject::GetSelectedIndex() const
{
    if (m_kind == ItemKind::Folder)
        return m_isRemote ? ImageIndex(Image::OpenRemoteFolder) : ImageIndex(Image::OpenFolder);
    return GetImageIndex();
}

bool TZEBObject::EditNew(TTreeNode *node)
{
    Services().BeginRename(node);
    return true;
}

bool TZEBObject::ImportFields(const QStringList &, const QStringList &) { return false; }
QString TZEBObject::GetFieldCSV(const QString &) const { return QString(); }

bool TZEBObject::AppendFieldCSV(CsvColumn, const QString &name, CsvRow &row) const
{
    const QString cell = GetFieldCSV(name);
    row.Cells(cell);
    return !cell.isEmpty();
}

void TZEBObject::AppendCSVCells(const CsvColumns &columns, CsvRow &row) const
{
    for (const QString &column : columns.names)
        row.Cells(GetFieldCSV(column));
}

void TZEBObject::Open() { Services().ExpandNode(m_node); }

void TZEBObject::Edit() { throw EAbstractError(); }
void TZEBObject::SendMail(const QString &) { throw EAbstractError(); }
void TZEBObject::SendFax(const QString &) { throw EAbstractError(); }
void TZEBObject::Dial() { throw EAbstractError(); }
void TZEBObject::Browse() { throw EAbstractError(); }
void TZEBObject::AdvanceDate() { throw EAbstractError(); }
void TZEBObject::Launch() { throw EAbstractError(); }

bool TZEBObject::InHTMLIndex() const { return true; }
QString TZEBObject::GetVCardLine() const { return QString(); }

TZEBObject::ClipboardText TZEBObject::CopyToClipboard() const
{
    return ClipboardText{GetRecordText(1), GetText()};
}

QString TZEBObject::GetText() const { return m_value; }
void TZEBObject::Refresh() { throw EAbstractError(); }

bool HasURLScheme(const QString &s)
{
    static const char *const schemes[] = {"http:", "https:", "wais:", "news:", "ftp:", "mailto:", "gopher:", "telnet:"};
    if (s.size() <= 7)
        return false;
    for (const char *scheme : schemes)
        if (s.startsWith(QLatin1String(scheme), Qt::CaseInsensitive))
            return true;
    return false;
}

bool IsEMailAddress(const QString &s) { return s.contains(u'@'); }

void StripToDigits(QString &s)
{
    s.removeIf([](QChar c) { return c < u'0' || c > u'9'; });
}

bool IsTitleText(QStringView title) { return !title.trimmed().isEmpty(); }

int CompareTitles(const QString &a, const QString &b) { return CompareTitles(QStringView(a), QStringView(b)); }

int CompareTitles(QStringView a, QStringView b)
{
    const qsizetype n = std::min(a.size(), b.size());
    const QChar *pa = a.data();
    const QChar *pb = b.data();
    for (qsizetype i = 0; i < n; ++i) {
        ushort ca = pa[i].unicode();
        ushort cb = pb[i].unicode();
        if (ca >= 'a' && ca <= 'z')
            ca -= 32;
        if (cb >= 'a' && cb <= 'z')
            cb -= 32;
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

int CompareItems(const TZEBObject *a, const TZEBObject *b)
{
    if (!a || !b)
        return 0;
    const bool fa = a->Kind() == ItemKind::Folder;
    const bool fb = b->Kind() == ItemKind::Folder;
    if (fa != fb)
        return fa ? -1 : 1;
    return CompareTitles(a->Title(), b->Title());
}
