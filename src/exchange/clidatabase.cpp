#include "clidatabase.h"

#include "store/errorreport.h"
#include "store/folderobject.h"
#include "store/itemfactory.h"
#include "store/recordfile.h"
#include "store/remotepath.h"
#include "store/zebobject.h"

#include <QFileInfo>
#include <QTextStream>

CliDatabase::CliDatabase()
{
    // The tool ends within moments: the database file is read where the system keeps it.
    m_nodes.Context().SetKeepsFilesMapped(true);
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
    RefreshWithin(node, RemotePath::Above(node), err);
}

void CliDatabase::RefreshWithin(TTreeNode *node, const RemotePath &above, QTextStream &err)
{
    // Asked of every node after a load: the cheap test first.
    if (!node || !node->Item() || !node->Item()->IsRemote())
        return;
    auto *folder = dynamic_cast<TFolderObject *>(node->Item());
    if (!folder)
        return;
    // Internet sources need the transport of the desktop program.
    if (folder->Value().startsWith(QLatin1String("http://")))
        return;
    try {
        folder->RefreshWithin(above);
    } catch (const EInOutError &e) {
        err << "mira: warning: remote folder \"" << folder->Title() << "\": " << folder->Value();
        if (e.Line() > 0)
            err << " line " << e.Line();
        err << ": " << ErrorText(e) << "\n";
    } catch (const std::exception &e) {
        err << "mira: warning: remote folder \"" << folder->Title() << "\": " << ErrorText(e) << "\n";
    }
}

void CliDatabase::RefreshRemote(TTreeNode *node, QTextStream &err)
{
    // A large tree without a remote folder is not walked at all.
    if (!node || !node->Owner()->MayHoldRemote())
        return;
    // The subtree grows while it is walked. Depth is kept relative to node: back at 0,
    // the walk has left it. The sources being read are kept on the way down.
    RemotePath path = RemotePath::Above(node);
    int depth = 0;
    for (TTreeNode *n = node; n && (n == node || depth > 0); n = n->NextPreorder(depth)) {
        path.LeaveTo(depth + 1);
        RefreshWithin(n, path, err);
        if (n->Item() && n->Item()->IsRemote())
            path.Enter(depth + 1, n->Item()->Value());
    }
}
