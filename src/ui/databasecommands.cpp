#include "databasecommands.h"

#include "store/itemservices.h"
#include "store/recordfile.h"
#include "store/treenodes.h"

#include <QMessageBox>

namespace DatabaseCommands {

bool Write(TTreeNodes &nodes)
{
    try {
        SaveDatabase(nodes);
        return true;
    } catch (const ESaveError &) {
        return false; // already shown by the save
    } catch (const std::exception &e) {
        Services().ShowError(QString::fromUtf8(e.what()));
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
