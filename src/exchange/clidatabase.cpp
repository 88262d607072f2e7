#include "clidatabase.h"

#include "store/errorreport.h"
#include "store/itemfactory.h"
#include "store/recordfile.h"
#include "store/zebobject.h"

#include <QFileInfo>
#include <QTextStream>

CliDatabase::CliDatabase()
{
    m_root = m_nodes.AddTop(MakeRootItem(), QStringLiteral("My Contacts"));
    m_root->SetImageIndex(12);
    m_root->SetSelectedIndex(12);
}

void CliDatabase::Load()
{
    m_exists = QFileInfo(RecordFile::DatabaseName).isFile();
    try {
        m_notes = LoadDatabaseFrom(m_root, RecordFile::DatabaseName, RecordFile::OnLoadError::JustThrow);
    } catch (const EInOutError &e) {
        m_error = ErrorText(e);
        m_errorLine = e.Line();
    } catch (const std::exception &e) {
        m_error = ErrorText(e);
    }
}

QString CliDatabase::LoadErrorText() const
{
    return m_errorLine > 0 ? QStringLiteral("line %1: %2").arg(m_errorLine).arg(m_error) : m_error;
}

void CliDatabase::RefreshIfRemote(TTreeNode *node, QTextStream &err)
{
    TZEBObject *item = node ? node->Item() : nullptr;
    if (!item || item->Kind() != Kinds::Folder || !item->IsRemote())
        return;
    // Internet sources need the transport of the desktop program.
    if (item->Value().startsWith(QLatin1String("http://")))
        return;
    try {
        item->Refresh();
    } catch (const EInOutError &e) {
        err << "mira: warning: remote folder \"" << item->Title() << "\": " << item->Value();
        if (e.Line() > 0)
            err << " line " << e.Line();
        err << ": " << ErrorText(e) << "\n";
    } catch (const std::exception &e) {
        err << "mira: warning: remote folder \"" << item->Title() << "\": " << ErrorText(e) << "\n";
    }
}

void CliDatabase::RefreshRemote(TTreeNode *node, QTextStream &err)
{
    if (!node)
        return;
    // The subtree grows while it is walked: the end is found again after each refresh.
    TTreeNode *n = node;
    while (n) {
        RefreshIfRemote(n, err);
        TTreeNode *next = n->NextPreorder();
        // Stop when leaving node's subtree.
        bool inside = false;
        for (const TTreeNode *p = next; p && !inside; p = p->Parent())
            inside = p == node;
        n = inside ? next : nullptr;
    }
}
