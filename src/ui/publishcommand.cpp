#include "mainform.h"

#include "dialogs/exportwizard.h"

#include <QDir>

void TMainForm::PublishClick()
{
    TTreeNode *node = SelectedNode() ? SelectedNode() : RootNode();
    // A file dialog may change the current directory, which is the data directory.
    const QString current = QDir::currentPath();
    {
        TExportWizard wizard(this);
        wizard.SetParent(node);
        if (wizard.exec() == QDialog::Accepted)
            wizard.RunExport();
    }
    QDir::setCurrent(current);
}
