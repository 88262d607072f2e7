#include "miraapp.h"

#include "automationclients.h"
#include "automationerror.h"
#include "automationfields.h"
#include "automationhost.h"
#include "treeindex.h"
#include "store/databasecontext.h"
#include "store/errorreport.h"
#include "store/itemfactory.h"
#include "store/readonlyitem.h"
#include "store/treenodes.h"
#include "store/zebobject.h"

#include <algorithm>

namespace {

using Code = EAutomation::Code;

// Whether node lies in rows first to last of parent's children, or below one of them.
bool InRemovedRows(const TTreeNode *node, const TTreeNode *parent, int first, int last)
{
    for (; node; node = node->Parent())
        if (node->Parent() == parent && node->Index() >= first && node->Index() <= last)
            return true;
    return false;
}

bool IsInsertableKind(int kind)
{
    // The root's kind is the root's alone; codes no kind has make nothing a user can use.
    return kind >= KindCode(ItemKind::Folder) && kind <= KindCode(ItemKind::Tool) && kind != KindCode(ItemKind::Root);
}

} // namespace

// One member call: refused while the program is busy, marks a call as under way, and
// first of all makes sure the cursor points into the tree.
class TMiraApp::Call
{
public:
    explicit Call(TMiraApp &app) : m_owner(app.m_owner)
    {
        if (!m_owner.Nodes() || !m_owner.Nodes()->First())
            throw EAutomation(Code::Failed, QStringLiteral("The database is closed"));
        if (m_owner.Busy())
            throw EAutomation(Code::Busy, QStringLiteral("Mirabook is busy with a dialog, a menu or a long job; try again later"));
        if (!app.m_node)
            app.moveToRoot(); // made before the tree had its root
        app.verify();
        if (app.m_lost) {
            app.m_lost = false;
            throw EAutomation(Code::ItemGone,
                              QStringLiteral("The current item no longer exists; the cursor is at My Contacts again"));
        }
        m_owner.SetInCall(true);
    }
    ~Call() { m_owner.SetInCall(false); }
    Call(const Call &) = delete;
    Call &operator=(const Call &) = delete;

private:
    AutomationClients &m_owner;
};

TMiraApp::TMiraApp(AutomationClients &owner) : m_owner(owner) { moveToRoot(); }

template <typename Result, typename Read>
Result TMiraApp::guarded(Result fallback, Read read)
{
    const Call call(*this);
    try {
        return read();
    } catch (const std::exception &) {
        return fallback;
    }
}

template <typename Act>
auto TMiraApp::run(Act act) -> decltype(act())
{
    const Call call(*this);
    try {
        return act();
    } catch (const EAutomation &) {
        throw;
    } catch (const ERemoteParent &e) {
        throw EAutomation(Code::RemoteParent, ErrorText(e));
    } catch (const std::exception &e) {
        throw EAutomation(Code::Failed, ErrorText(e));
    }
}

void TMiraApp::setCursor(TTreeNode *node, TZEBObject *item)
{
    m_node = node;
    m_item = item;
    m_id = item ? item->Id() : 0;
    m_kind = item ? item->Kind() : ItemKind::Root;
    m_suspect = false;
}

void TMiraApp::moveToRoot()
{
    TTreeNodes *nodes = m_owner.Nodes();
    TTreeNode *root = nodes ? nodes->First() : nullptr;
    setCursor(root, root ? root->Item() : nullptr);
}

void TMiraApp::verify()
{
    if (!m_suspect)
        return;
    TTreeNodes *nodes = m_owner.Nodes();
    TTreeNode *found = nullptr;
    for (TTreeNode *node = nodes ? nodes->First() : nullptr; node && !found; node = node->NextPreorder())
        if (node == m_node)
            found = node;
    bool live = false;
    if (found && found->Item()) {
        const TZEBObject *own = found->Item();
        live = own == m_item;
        for (int i = 0; !live && i < found->Count(); ++i)
            live = found->Child(i)->Item() == m_item;
        for (int i = 0; !live && i < own->ChildCount(); ++i)
            live = own->ChildAt(i) == m_item;
    }
    // Found at the same address, it is a live item; the Id and kind tell it is the same one.
    if (live && m_item->Id() == m_id && m_item->Kind() == m_kind) {
        m_suspect = false;
        return;
    }
    moveToRoot();
    m_lost = true;
}

void TMiraApp::NodesGoing(const TTreeNode *parent, int first, int last)
{
    if (m_suspect)
        return; // its pointers may be stale already: nothing is read through them
    const TTreeNode *itemNode = m_item ? m_item->Node() : nullptr;
    if (InRemovedRows(m_node, parent, first, last) || InRemovedRows(itemNode, parent, first, last))
        m_suspect = true;
}

void TMiraApp::LeafGoing(const TZEBObject *leaf)
{
    if (leaf == m_item)
        m_suspect = true;
}

void TMiraApp::checkWritable() const
{
    if (IsReadOnlyItem(m_item))
        throw EAutomation(Code::ReadOnly, QStringLiteral("The item lies in a remote (read-only) folder"));
    if (m_item->Kind() == ItemKind::Root)
        throw EAutomation(Code::ReadOnly, QStringLiteral("My Contacts cannot be changed"));
}

// Methods

void TMiraApp::Insert(int kind, const QString &title, const QString &target, const QString &comment,
                      const QString &data)
{
    run([&] {
        if (!IsInsertableKind(kind))
            throw EAutomation(Code::InvalidArgs, QStringLiteral("No item of kind %1 can be inserted").arg(kind));
        CreateItem(ItemKind(kind), title, target, comment, m_node, data, 0);
    });
}

void TMiraApp::CopyClipboard()
{
    run([&] { m_owner.Host().SetClipboardText(m_item->GetText()); });
}

void TMiraApp::DoDefaultAction(const std::function<void()> &started)
{
    run([&] {
        if (!started) {
            m_item->Open();
            return;
        }
        ItemServices &services = m_item->Context().Services();
        started();
        try {
            m_item->Open();
        } catch (const std::exception &e) {
            ReportException(e, services);
        }
    });
}

// The current item

int TMiraApp::miraID()
{
    return guarded(0, [&] { return int(m_item->Id()); });
}

int TMiraApp::miraClass()
{
    return guarded(0, [&] { return KindCode(m_item->Kind()) & 0x7F; });
}

QString TMiraApp::miraTitle()
{
    return guarded(QString(), [&] { return m_item->Title(); });
}

void TMiraApp::set_miraTitle(const QString &value)
{
    run([&] {
        checkWritable();
        if (!IsTitleText(value))
            throw EAutomation(Code::InvalidArgs, QStringLiteral("A title must hold more than blanks"));
        m_item->SetTitle(value);
        m_owner.Host().TitlesChanged();
    });
}

QString TMiraApp::miraTarget()
{
    return guarded(QString(), [&] { return m_item->Value(); });
}

void TMiraApp::set_miraTarget(const QString &value)
{
    run([&] {
        checkWritable();
        m_item->SetValue(value);
    });
}

QString TMiraApp::miraComment()
{
    return guarded(QString(), [&] { return m_item->Comment(); });
}

void TMiraApp::set_miraComment(const QString &value)
{
    run([&] {
        checkWritable();
        m_item->SetComment(value);
    });
}

QString TMiraApp::miraField(const QString &name)
{
    return guarded(QString(), [&] { return FieldCell(*m_item, name); });
}

void TMiraApp::set_miraField(const QString &name, const QString &value)
{
    run([&] {
        checkWritable();
        SetField(*m_item, name, value);
    });
}

// Tree navigation

int TMiraApp::ItemCount()
{
    return guarded(0, [&] { return m_owner.Index().Count(); });
}

bool TMiraApp::Items(int index)
{
    return guarded(false, [&] {
        TTreeNode *node = m_owner.Index().At(index);
        if (!node)
            return false;
        setCursor(node, node->Item());
        return true;
    });
}

int TMiraApp::CurrentItemIndex()
{
    return guarded(0, [&] { return std::max(0, m_owner.Index().IndexOf(m_node)); });
}

int TMiraApp::NextSiblingIndex()
{
    return guarded(0, [&] {
        int depth = 0;
        const TTreeNode *after = m_node->NextAfterSubtree(depth);
        return after ? m_owner.Index().IndexOf(after) : m_owner.Index().Count();
    });
}

int TMiraApp::ChildCount()
{
    return guarded(0, [&] { return m_node->Count() + m_node->Item()->ChildCount(); });
}

bool TMiraApp::Child(int index)
{
    return guarded(false, [&] {
        if (index < 0)
            return false;
        if (index < m_node->Count()) {
            TTreeNode *child = m_node->Child(index);
            setCursor(m_node, child->Item());
            return true;
        }
        TZEBObject *own = m_node->Item();
        const int leaf = index - m_node->Count();
        if (leaf >= own->ChildCount())
            return false;
        setCursor(m_node, own->ChildAt(leaf));
        return true;
    });
}

// Selection

int TMiraApp::SelectCount()
{
    return run([&] {
        switch (m_owner.Host().ActivePane()) {
        case AutomationHost::Pane::Folders:
            return 1;
        case AutomationHost::Pane::Items:
            return int(m_owner.Host().SelectedItems().size());
        case AutomationHost::Pane::Other:
            break;
        }
        return 0;
    });
}

bool TMiraApp::userSelected(int index)
{
    AutomationHost &host = m_owner.Host();
    const QList<TZEBObject *> rows = host.SelectedItems();
    if (host.ActivePane() == AutomationHost::Pane::Folders || rows.isEmpty()) {
        TTreeNode *node = host.SelectedNode();
        if (!node)
            return false;
        setCursor(node, node->Item());
        return true;
    }
    if (index < 0 || index >= rows.size())
        return false;
    TZEBObject *item = rows[index];
    setCursor(item->Node() ? item->Node() : m_node, item);
    return true;
}

bool TMiraApp::UserSelected(int index)
{
    return guarded(false, [&] { return userSelected(index); });
}

bool TMiraApp::NextItemWithTitle(const QString &title)
{
    return run([&] {
        AutomationHost &host = m_owner.Host();
        if (!host.CanLocate())
            throw EAutomation(Code::NotSupported, QStringLiteral("The find by title is not available"));
        if (!host.Locate(title))
            return false;
        return userSelected(0);
    });
}

bool TMiraApp::ItemWithId(int id)
{
    return run([&] {
        TTreeNodes *nodes = m_owner.Nodes();
        for (TTreeNode *node = nodes->First(); node; node = node->NextPreorder()) {
            TZEBObject *own = node->Item();
            if (!own)
                continue;
            if (own->Id() == id) {
                setCursor(node, own);
                return true;
            }
            for (int i = 0; i < own->ChildCount(); ++i)
                if (own->ChildAt(i)->Id() == id) {
                    setCursor(node, own->ChildAt(i));
                    return true;
                }
        }
        return false;
    });
}
