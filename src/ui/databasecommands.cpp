#include "databasecommands.h"

#include "store/errorreport.h"
#include "store/recordfile.h"
#include "store/treenodes.h"

#include <QMessageBox>

namespace DatabaseCommands {

bool Write(TTreeNodes &nodes)
{
    try {
        SaveDatabase(nodes);
        return true;
    } catch (const std::exception &e) {
        ReportException(e, nodes.Context().Services());
        return false;
    }
}

bool ConfirmRevert(QWidget *parent)
{
    return QMessageBox::question(parent, QString::fromLatin1(RevertCaption), QString::fromLatin1(RevertQuestion),
                                 QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Cancel)
           == QMessageBox::Ok;
}

} // namespace DatabaseCommands
