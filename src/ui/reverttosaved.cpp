#include "databasecommands.h"

#include "mainform.h"
#include "store/errorreport.h"
#include "store/recordfile.h"
#include "store/treenodes.h"

namespace DatabaseCommands {

void Reload(TMainForm &form)
{
    TTreeNode *root = form.RootNode();
    // Select the root first so no view keeps a node that is about to go.
    form.SelectNode(root);
    form.Nodes().DeleteChildren(root);
    try {
        LoadDatabase(root);
    } catch (const std::exception &e) {
        ReportException(e);
    }
    form.SelectNode(root);
    form.FoldersChange();
}

void RevertToSaved(TMainForm &form)
{
    if (ConfirmRevert(&form))
        Reload(form);
}

} // namespace DatabaseCommands
