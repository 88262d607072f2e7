#pragma once

#include <QString>
#include <QStringList>
#include <memory>
#include <optional>
#include <stdexcept>
#include <vector>

#include "kinds.h"

class CsvRow;
enum class CsvColumn;
struct CsvColumns;
class DatabaseContext;
class QDate;
class ItemServices;
class TTreeNode;
struct PendingLeaves;
struct PendingRecord;
struct RecordSource;

// Raised when an item would be created inside a remote (read-only) folder.
class ERemoteParent : public std::runtime_error
{
public:
    ERemoteParent();
};

// Raised when an operation the kind does not have is called anyway.
class EAbstractError : public std::logic_error
{
public:
    EAbstractError() : std::logic_error("Abstract Error") {}
};

// Which entries of the list pop-up menu an item shows.
struct PopupVisibility
{
    bool Open = true;
    bool SendMail = false;
    bool SendFax = false;
    bool Dial = false;
    bool Browse = false;
    bool AdvanceDate = false;
    bool Launch = false;
    bool operator==(const PopupVisibility &) const = default;
};

// Base of every stored item, and the root item itself (kind 11).
class TZEBObject
{
public:
    TZEBObject(ItemKind kind, const QString &title, const QString &value, const QString &comment, qint32 id);
    virtual ~TZEBObject();
    TZEBObject(const TZEBObject &) = delete;
    TZEBObject &operator=(const TZEBObject &) = delete;

    // Fields
    qint32 Categories() const { return m_categories; }
    void SetCategories(qint32 categories) { m_categories = categories; }
    qint32 Id() const { return m_id; }
    ItemKind Kind() const { return m_kind; }
    const QString &Title() const { return m_title; }
    const QString &Value() const { return m_value; }
    const QString &Comment() const;
    void SetComment(const QString &comment);
    TTreeNode *Node() const { return m_node; }
    bool Alert() const { return m_alert; }
    qint32 AlertCount() const { return m_alertCount; }
    bool IsRemote() const { return m_isRemote; }
    bool InRemote() const { return m_inRemote; }
    bool IsContainer() const { return IsContainerKind(m_kind); }
    // The context of the tree the item lies in; the detached one outside any tree.
    const DatabaseContext &Context() const;

    // Children (leaf items owned by this item, in insertion order)
    bool HasChildren() const { return ensureChildren().size() != 0; }
    int ChildCount() const { return int(ensureChildren().size()); }
    TZEBObject *ChildAt(int index) const;
    void AddChild(std::unique_ptr<TZEBObject> item);
    void RemoveChild(TZEBObject *item);
    // Removes and destroys every leaf item, made or still waiting in its file.
    void RemoveChildren();
    std::unique_ptr<TZEBObject> UnlinkChild(TZEBObject *item);
    // A leaf record of a file read into this item, made into a child when the children
    // are first asked for. Returns true when it waits: a due reminder among them is
    // then the caller's to count in the alert marks (AddOwnMarks, AddMarks). False when
    // it was made at once, counted as it was placed.
    bool AddPendingLeaf(const std::shared_ptr<const RecordSource> &source, qsizetype begin, qsizetype end,
                        bool dueReminder);
    // Leaf records not made into children yet, or none.
    const PendingLeaves *Pending() const { return m_pending.get(); }
    // Counts the waiting reminders due on today again and moves the marks above by the
    // difference (a new day, with nothing made). Returns whether the count changed.
    bool RecheckPendingDue(const QDate &today);

    // Non-virtual operations
    void SetTitle(const QString &title);
    TZEBObject *FindChild(const QString &title, ItemKind kind) const;
    // The same for several kinds and titles, without making waiting leaf records into
    // items: a waiting one it would find is given in records[i] instead of items[i].
    void PeekChildren(const ItemKind *kinds, const QStringView *titles, int count, const TZEBObject **items,
                      std::optional<PendingRecord> *records) const;
    TZEBObject *FindChildByWord(const QString &prefix) const;
    TZEBObject *FindChildByNumber(const QString &digits) const;
    void SetNode(TTreeNode *node);
    void SetAlert(bool on);
    // Adds count to the alert counts of the containers from node up (the top node never
    // counts) and shows their marks: one walk for many marks at once, as when a subtree
    // leaves the tree (minus its top item's AlertCount).
    static void AddMarks(TTreeNode *node, int count);
    // The same for this container alone, for a read that adds up its marks level by level.
    void AddOwnMarks(int count);
    // The item and its children lose their node without touching the counts above;
    // for a subtree whose marks were taken from the counts above already (AddMarks).
    void LeaveNode();
    bool IsFilteredOut() const;
    void ChooseCategories();

    // Virtual operations, in the order of the original table
    virtual void SetValue(const QString &value);
    virtual int GetImageIndex() const;
    virtual void LoadFields(const QString &dataLine);
    // The same for a data line in a file (bytes begin to end of source); a kind may keep
    // the bytes and read them when first needed.
    virtual void LoadFieldsFrom(const std::shared_ptr<const RecordSource> &source, qsizetype begin, qsizetype end);
    // Header line, and for every kind but the root: CR LF and the data line.
    QString GetRecordText(int level) const;
    // The same appended to out as UTF-8, as a save writes it.
    virtual void AppendRecord(QByteArray &out, int level) const;
    virtual PopupVisibility PreparePopup() const;
    virtual int GetSelectedIndex() const;
    virtual bool EditNew(TTreeNode *node);
    virtual bool ImportFields(const QStringList &values, const QStringList &names);
    virtual QString GetFieldCSV(const QString &name) const;
    // The GetFieldCSV cell of one column (name, looked up as column) written into row;
    // false when it has none. A kind may write it without making the cell's text.
    virtual bool AppendFieldCSV(CsvColumn column, const QString &name, CsvRow &row) const;
    // The GetFieldCSV cells of the columns, one after the other; a kind may read them
    // where they lie.
    virtual void AppendCSVCells(const CsvColumns &columns, CsvRow &row) const;
    virtual void Open();
    virtual void Edit();
    virtual void SendMail(const QString &attachment);
    virtual void SendFax(const QString &attachment);
    virtual void Dial();
    virtual void Browse();
    virtual void AdvanceDate();
    virtual void Launch();
    virtual bool InHTMLIndex() const;
    virtual QString GetVCardLine() const;
    // Record text for the private clipboard format and plain text beside it.
    struct ClipboardText { QString record; QString text; };
    ClipboardText CopyToClipboard() const;
    virtual QString GetText() const;
    virtual void Refresh();

    // Unknown kinds keep their data line so a save writes it back unchanged.
    void SetRawDataLine(const QString &line) { m_rawDataLine = std::make_unique<QString>(line); }

protected:
    // Header, CR LF, tag and the given fields joined by "~~" (each one encoded).
    void AppendRecordWithData(QByteArray &out, int level, const QString &tag, const QStringList &fields) const;
    // The fields of a data line after its tag, or nothing when the tag differs.
    bool DataFields(const QString &dataLine, const QString &tag, QStringList &fields) const;
    // The services of the item's context.
    ItemServices &Services() const;
    void SetValueField(const QString &value);
    void SetRemote(bool remote);

    // "{" Level " " Kind " }" Title "~~" Value "~~" Comment "~~" Id
    void AppendHeaderLine(QByteArray &out, int level) const;

private:
    const std::vector<std::unique_ptr<TZEBObject>> &ensureChildren() const
    {
        if (m_pending)
            makePendingChildren();
        return m_children;
    }
    void makePendingChildren() const;
    // FindChild's search of the made leaf items, then of the child nodes.
    TZEBObject *findLeaf(QStringView title, ItemKind kind) const;
    TZEBObject *findChildNode(QStringView title, ItemKind kind) const;
    // Forgets the leaf records not made yet, and the alert marks of their due reminders.
    void dropPending();
    // Tells the tree's listeners that what the panes show of this item changed.
    void announceChange();
    // The node of this item's own when it has one (containers and the root), else none.
    TTreeNode *ownNode() const;
    // Adds step to the alert counts of the containers from node up, below the top node.
    static void countAlert(TTreeNode *node, int step);
    // Shows each of those containers' alert mark as its count says.
    static void showAlertMarks(TTreeNode *node);

    // Narrow members side by side: a large database holds many thousand items.
    qint32 m_categories = 0;
    qint32 m_id;
    ItemKind m_kind;
    qint32 m_alertCount = 0;
    QString m_title;
    QString m_value;
    std::unique_ptr<QString> m_comment; // only a comment that is not empty: most items have none
    mutable std::vector<std::unique_ptr<TZEBObject>> m_children;
    mutable std::unique_ptr<PendingLeaves> m_pending;
    TTreeNode *m_node = nullptr;
    std::unique_ptr<QString> m_rawDataLine; // only items of unknown kinds have one
    bool m_alert = false;
    bool m_isRemote = false;
    bool m_inRemote = false;
};

// "{" Level " " Kind " }", the start of every record, written into a buffer of its own.
struct RecordPrefix
{
    RecordPrefix(int level, ItemKind kind);
    QByteArrayView View() const { return QByteArrayView(m_start, m_buffer + sizeof m_buffer); }

private:
    char m_buffer[32];
    const char *m_start;
};

// The record grammar: the header line "{" Level " " Kind " }" Title "~~" Value "~~" Comment
// "~~" Id, and the data line: the kind's tag, the fields (each encoded) joined by "~~",
// then the categories. Appended to out as UTF-8. The header stops after the comment's
// "~~": the Id follows (AppendRecordId), or a record made ahead of its Id leaves a gap there.
void AppendRecordHeader(QByteArray &out, int level, ItemKind kind, QStringView title, QStringView value,
                        QStringView comment);
void AppendRecordId(QByteArray &out, qint32 id);
void AppendDataLine(QByteArray &out, QStringView tag, const QStringList &fields, qint32 categories);

bool HasURLScheme(const QString &s);
bool IsEMailAddress(const QString &s);
void StripToDigits(QString &s);
// Folder order of the panes: folders first, then titles with A to Z folded.
int CompareItems(const TZEBObject *a, const TZEBObject *b);
int CompareTitles(const QString &a, const QString &b);
// Whether a title holds more than blanks: one given or changed by the user must;
// titles read from a file are taken as they are.
bool IsTitleText(QStringView title);
int CompareTitles(QStringView a, QStringView b);
