#pragma once

#include <QAbstractTableModel>
#include <QDateTime>
#include <QMimeData>
#include <QPointer>
#include <memory>
#include <vector>

class TTreeNode;
class TZEBObject;

// The calls that came in, newest first: one loose phone item per call (title the
// caller's name, value the number, comment when it came), shown in the columns
// "Name", "Number" and "When", and kept in "callid.dat" as phone records.
class TCallerHistory : public QAbstractTableModel
{
    Q_OBJECT
public:
    static inline const QString FileName = QStringLiteral("callid.dat");
    static constexpr int MinSize = 0;
    static constexpr int MaxSize = 500;
    static constexpr int DefaultSize = 50;
    // A history file is read no further than this.
    static constexpr qint64 MaxFileBytes = 4 * 1024 * 1024;
    enum Column { NameColumn, NumberColumn, WhenColumn, ColumnCount };

    explicit TCallerHistory(QObject *parent = nullptr);
    ~TCallerHistory() override;

    int Size() const { return m_size; }
    // Clamped to MinSize..MaxSize; rows beyond it go one per later call.
    void SetSize(int size);

    // A call at the top; then the oldest row goes when there are more rows than Size().
    void Add(const QString &name, const QString &number, const QDateTime &when);
    TZEBObject *Item(int row) const;
    int Count() const { return int(m_items.size()); }
    // Takes the row out, its item with it (to be placed in the database).
    std::unique_ptr<TZEBObject> Take(int row);
    void Remove(QList<int> rows);

    // Reads the phone records of fileName, in order; any other record and damaged
    // lines are passed over. A missing or unreadable file leaves the history empty.
    // The number of rows read.
    int Load(const QString &fileName);
    // Writes every row's record at level 1, top down, through a temporary file
    // renamed into place. False with the reason in *why.
    bool Save(const QString &fileName, QString *why = nullptr) const;

    // The time of a call as the history shows it: the short date and the long time.
    static QString WhenText(const QDateTime &when);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    // The name is edited in place: it becomes the item's title.
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    // Rows are dragged out as TCallerRows.
    QStringList mimeTypes() const override;
    QMimeData *mimeData(const QModelIndexList &indexes) const override;
    Qt::DropActions supportedDragActions() const override { return Qt::MoveAction; }

    // The row of an item, -1 when it is no longer here.
    int RowOf(const TZEBObject *item) const;

private:
    void insertTop(std::unique_ptr<TZEBObject> item);

    std::vector<std::unique_ptr<TZEBObject>> m_items;
    int m_size = DefaultSize;
};

// History rows on their way to the database by drag and drop, within this program:
// the items, not their rows, so a call arriving meanwhile moves nothing else.
class TCallerRows : public QMimeData
{
    Q_OBJECT
public:
    static inline const QString Format = QStringLiteral("application/x-mirabook-caller-rows");
    QPointer<TCallerHistory> history;
    QList<const TZEBObject *> items;
};

// Moves the dragged rows' items into node's item, each with an empty comment, and
// takes the rows out of the history. The number of items moved (0 for anything but
// history rows). Raises ERemoteParent, moving nothing, for a node in a remote folder.
int DropCallerRows(const QMimeData *mime, TTreeNode *node);
