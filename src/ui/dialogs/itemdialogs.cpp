#include "itemdialogs.h"

#include "addressdialog.h"
#include "emaildialog.h"
#include "faxdialog.h"
#include "folderdialog.h"
#include "orgdialog.h"
#include "persondialog.h"
#include "phonedialog.h"
#include "store/addressobject.h"
#include "store/emailobject.h"
#include "store/faxobject.h"
#include "store/folderobject.h"
#include "store/orgobject.h"
#include "store/personobject.h"
#include "store/phoneobject.h"
#include "store/teamobject.h"
#include "store/webobject.h"
#include "teamdialog.h"
#include "websitedialog.h"

namespace {

template <class Dialog> bool runAndApply(Dialog &dialog)
{
    return dialog.exec() == QDialog::Accepted && dialog.apply();
}

} // namespace

bool RunItemDialog(TZEBObject &item, bool isNew, QWidget *parent, const QStringList &names)
{
    if (auto *folder = dynamic_cast<TFolderObject *>(&item)) {
        TFolderEditDlg dialog(*folder, names, parent);
        if (dialog.exec() != QDialog::Accepted)
            return false;
        dialog.apply();
        return true;
    }
    if (auto *person = dynamic_cast<TPersonObject *>(&item)) {
        TEditPersDlg dialog(*person, isNew, names, parent);
        return runAndApply(dialog);
    }
    if (auto *org = dynamic_cast<TOrgObject *>(&item)) {
        TOrgEditDlg dialog(*org, isNew, names, parent);
        return runAndApply(dialog);
    }
    if (auto *team = dynamic_cast<TTeamObject *>(&item)) {
        TTeamEditDlg dialog(*team, names, parent);
        return runAndApply(dialog);
    }
    if (auto *site = dynamic_cast<TWebObject *>(&item)) {
        TWebSiteDlg dialog(*site, names, parent);
        return runAndApply(dialog);
    }
    if (auto *address = dynamic_cast<TAddressObject *>(&item)) {
        TEditAddressDlg dialog(*address, isNew, names, parent);
        return runAndApply(dialog);
    }
    if (auto *phone = dynamic_cast<TPhoneObject *>(&item)) {
        TPhoneEditDlg dialog(*phone, isNew, names, parent);
        return runAndApply(dialog);
    }
    if (auto *mail = dynamic_cast<TEMailObject *>(&item)) {
        TEMailEditDlg dialog(*mail, names, parent);
        return runAndApply(dialog);
    }
    if (auto *fax = dynamic_cast<TFaxObject *>(&item)) {
        TFaxEditDlg dialog(*fax, isNew, names, parent);
        return runAndApply(dialog);
    }
    // Reminders, documents and tools have their dialogs elsewhere.
    return false;
}
