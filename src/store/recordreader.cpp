#include "recordreader.h"

#include "fieldcodec.h"
#include "heapahead.h"
#include "itemfactory.h"
#include "linescan.h"
#include "pendingleaves.h"
#include "recordsource.h"
#include "recordfile.h"
#include "recordscan.h"
#include "reminderobject.h"
#include "treenodes.h"
#include "zebobject.h"

#include <QScopeGuard>

#include <cstring>
#include <limits>
#include <unordered_map>
#include <vector>

namespace {

bool isReadOnly(const TTreeNode *node)
{
    const TZEBObject *item = node ? node->Item() : nullptr;
    return item && (item->IsRemote() || item->InRemote());
}

// The due reminders of one read, counted in the alert marks once at its end: counting
// each one on its own would climb to the top of the tree every time.
class DueTally
{
public:
    explicit DueTally(TTreeNode *owner) : m_owner(owner) {}
    void Made(TTreeNode *node) { m_made.push_back(node); }
    void Due(TTreeNode *node) { ++m_due[node]; }
    // Containers are made below the owner, each after its parent: from the last made
    // back to the first, every container's count is whole before it goes to its parent.
    void Settle()
    {
        if (m_due.empty())
            return;
        for (auto it = m_made.rbegin(); it != m_made.rend(); ++it) {
            const auto found = m_due.find(*it);
            if (found == m_due.end())
                continue;
            const int count = found->second;
            m_due.erase(found);
            (*it)->Item()->AddOwnMarks(count);
            m_due[(*it)->Parent()] += count;
        }
        TZEBObject::AddMarks(m_owner, m_due[m_owner]);
        m_due.clear();
    }

private:
    TTreeNode *m_owner;
    std::vector<TTreeNode *> m_made;
    std::unordered_map<TTreeNode *, int> m_due;
};

void noteDropped(RecordFile::ReadNotes &notes, int line)
{
    if (notes.droppedLines++ == 0)
        notes.firstDroppedLine = line;
}

// Where each record goes: its level against the records before it, within the node read
// into, and never into a remote folder's contents from outside its own refresh.
class Placement
{
public:
    explicit Placement(TTreeNode *owner)
        : m_owner(owner),
          m_remoteLoading(owner->Owner()->Context().RemoteLoading()),
          m_sourceOfRemote(m_remoteLoading && owner->Item() && owner->Item()->IsRemote()),
          m_base(owner->Level()),
          m_level(m_base + 1),
          m_parent(owner),
          m_lastContainer(owner)
    {
    }

    // The node a record of this level belongs below, or none when it is passed over.
    TTreeNode *parentFor(int level, bool container)
    {
        // Records never climb out of the node they are read into.
        const qint64 l = std::max(qint64(level) + m_base, m_base + 1);
        if (l > m_skipBelow)
            return nullptr;
        m_skipBelow = std::numeric_limits<qint64>::max();
        if (l > m_level) {
            m_level = l; // a jump of more than one level is one
            m_parent = m_lastContainer;
        } else {
            while (l < m_level && m_parent != m_owner) {
                m_parent = m_parent->Parent();
                --m_level;
            }
            m_level = l;
        }
        if (container) {
            if (!m_remoteLoading && isReadOnly(m_parent)) {
                // Inside a remote folder that this file also holds (an export of it): skipped
                // with its subtree, the folder reads them again from its source.
                m_skipBelow = l;
                return nullptr;
            }
            return m_parent;
        }
        // The folder's own leaf items are the user's, saved with it; a leaf at the top of its
        // source would pile up there at every refresh and be saved as if local.
        if (m_sourceOfRemote && m_parent == m_owner)
            return nullptr;
        // A remote folder's own leaf items are saved with it and belong to it.
        if (m_remoteLoading || !isReadOnly(m_parent) || m_parent->Item()->IsRemote())
            return m_parent;
        return nullptr;
    }
    // Leaf records at the next level belong to it.
    void madeContainer(TTreeNode *node) { m_lastContainer = node; }

private:
    TTreeNode *m_owner;
    bool m_remoteLoading; // a remote folder reads its own source into the tree
    bool m_sourceOfRemote;
    qint64 m_base;
    qint64 m_level;
    TTreeNode *m_parent;
    TTreeNode *m_lastContainer;
    qint64 m_skipBelow = std::numeric_limits<qint64>::max();
};

// A container becomes an item at once: it owns a node of the tree.
TTreeNode *makeContainer(const std::shared_ptr<const RecordSource> &source, const Record &r, TTreeNode *parent,
                         FieldPool *pool)
{
    const auto &fields = r.fields;
    int id = 0;
    const bool ok = ParseInt(ShortText(*source, fields[3].begin, fields[3].end).View(), id);
    const auto field = [&](int i, FieldPool *shared) {
        return source->FieldValue(fields[i].begin, fields[i].end, shared);
    };
    // Made first and given its data line after: a container's making does not depend on it.
    // A website's title says what sort it is ("Web URL") and repeats from person to person:
    // shared through the pool. Other titles are names of their own, and looking each one up
    // would cost more than it saves.
    FieldPool *titles = r.kind == ItemKind::Website ? pool : nullptr;
    TZEBObject *item =
        CreateItem(r.kind, field(0, titles), field(1, nullptr), field(2, nullptr), parent, QString(), ok ? id : 0);
    item->LoadFieldsFrom(source, r.dataStart, r.dataEnd);
    return item->Node();
}

// A leaf record waits in its owner; only whether a reminder is due is read now, for the alert marks.
void addLeaf(const std::shared_ptr<const RecordSource> &source, const Record &r, TTreeNode *parent,
             const QDate &today, DueTally &dueTally)
{
    const char *data = source->bytes.constData();
    const bool due = r.kind == ItemKind::Reminder &&
                     TReminderObject::DueForDataLine(ShortText(*source, data + r.dataStart, data + r.dataEnd).View(),
                                                     today);
    if (parent->Item()->AddPendingLeaf(source, r.start, r.end, due) && due)
        dueTally.Due(parent);
}

} // namespace

RecordFile::ReadNotes ReadRecords(const std::shared_ptr<RecordSource> &readFrom, qsizetype startAt, int firstLine,
                                  TTreeNode *ownerNode, bool readAhead)
{
    const auto finishCopy = qScopeGuard([&readFrom] { readFrom->FinishCopy(); });
    const std::shared_ptr<const RecordSource> source = readFrom;
    // The items of a large file take about one and a half times its size.
    const HeapAhead ahead(size_t(source->bytes.size() - startAt) / 2 * 3);
    const DatabaseContext &context = ownerNode->Owner()->Context();
    if (!context.RemoteLoading() && isReadOnly(ownerNode))
        throw ERemoteParent();
    Placement place(ownerNode);
    const QDate today = context.Today(); // one day for the whole file
    DueTally dueTally(ownerNode);
    // What was read stays when the read stops early, its marks with it.
    const auto settle = qScopeGuard([&dueTally] { dueTally.Settle(); });
    RecordFile::ReadNotes notes;
    RecordStream records(*source, startAt, firstLine, readAhead);
    for (;;) {
        const Record &r = records.Next();
        if (r.got == Record::Got::End)
            break;
        if (r.got == Record::Got::Dropped)
            noteDropped(notes, r.line);
        if (r.got != Record::Got::Record)
            continue; // the root's record belongs to the root the program made: never replaced
        if (r.cutOff)
            notes.cutOffLine = r.line;
        TTreeNode *parent = place.parentFor(r.level, r.container);
        if (!parent)
            continue;
        if (r.container) {
            TTreeNode *made = makeContainer(source, r, parent, context.Pool());
            place.madeContainer(made);
            dueTally.Made(made);
        } else {
            addLeaf(source, r, parent, today, dueTally);
        }
        ++notes.records;
    }
    return notes;
}
