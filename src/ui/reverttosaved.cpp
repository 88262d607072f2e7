#include "databasecommands.h"

#include "guiservices.h"
#include "mainform.h"
#include "store/errorreport.h"
#include "store/recordfile.h"
#include "store/treenodes.h"
#include "store/zebobject.h"

#include <QScopeGuard>
#include <exception>

namespace DatabaseCommands {

void Reload(TMainForm &form)
{
    TTreeNode *root = form.RootNode();
    TTreeNodes &nodes = form.Nodes();
    // Select the root first so no view keeps a node that is about to go; the end of
    // the batch selects it again and fills the list.
    form.SelectNode(root);
    std::exception_ptr failure;
    {
        nodes.BeginUpdate();
        const auto endUpdate = qScopeGuard([&nodes] { nodes.EndUpdate(); });
        // Nothing of this session stays below the root, leaf items included: the
        // tree becomes what a fresh start loads.
        nodes.DeleteChildren(root);
        root->Item()->RemoveChildren();
        try {
            LoadDatabase(root);
        } catch (const std::exception &) {
            failure = std::current_exception();
        }
    }
    // Shown once the views have the whole tree again.
    if (failure) {
        try {
            std::rethrow_exception(failure);
        } catch (const std::exception &e) {
            ReportException(e, nodes.Context().Services());
        }
    }
}

void RevertToSaved(TMainForm &form)
{
    if (ConfirmRevert(&form))
        Reload(form);
}

} // namespace DatabaseCommands
