#include "mainform.h"

#include "dialogs/importwizard.h"

#include <QDir>

void TMainForm::ImportClick()
{
    TTreeNode *node = SelectedNode() ? SelectedNode() : RootNode();
    // A file dialog may change the current directory, which is the data directory.
    const QString current = QDir::currentPath();
    {
        TImportWizard wizard(this);
        wizard.SetParent(node);
        if (wizard.exec() == QDialog::Accepted)
            wizard.RunChosenImport();
    }
    QDir::setCurrent(current);
}
