#include "kindcommands.h"

#include "dialogs/addressdialog.h"
#include "dialogs/emaildialog.h"
#include "dialogs/faxdialog.h"
#include "dialogs/folderdialog.h"
#include "dialogs/itemdialogs.h"
#include "dialogs/orgdialog.h"
#include "dialogs/persondialog.h"
#include "dialogs/phonedialog.h"
#include "dialogs/teamdialog.h"
#include "dialogs/websitedialog.h"
#include "store/addressobject.h"
#include "store/emailobject.h"
#include "store/faxobject.h"
#include "store/folderobject.h"
#include "store/kinds.h"
#include "store/orgobject.h"
#include "store/personobject.h"
#include "store/phoneobject.h"
#include "store/teamobject.h"
#include "store/webobject.h"

namespace {

const KindCommand kCommands[] = {
    {ItemKind::Folder, "&Folder", "Fo&lder", Qt::CTRL | Qt::Key_L, "New Folder|Create a new folder", true, false,
     RunDialogOf<TFolderObject, TFolderEditDlg>},
    {ItemKind::Organization, "&Organization", "&Org", Qt::CTRL | Qt::Key_O, "New Organization|Create a new organization",
     true, false, RunDialogOf<TOrgObject, TOrgEditDlg>},
    {ItemKind::Team, "&Team", "&Team", Qt::CTRL | Qt::Key_T, "New Team|Create a new team", true, false,
     RunDialogOf<TTeamObject, TTeamEditDlg>},
    {ItemKind::Person, "&Person", "&Person", Qt::CTRL | Qt::Key_P, "New Person|Create a new person", true, false,
     RunDialogOf<TPersonObject, TEditPersDlg>},
    {ItemKind::Website, "&Website", "&Web", Qt::CTRL | Qt::Key_W, "New Website|Create a new website", true, true,
     RunDialogOf<TWebObject, TWebSiteDlg>},
    {ItemKind::Address, "&Address", "&Addr", Qt::CTRL | Qt::Key_A, "New Address|Create a new address", false, true,
     RunDialogOf<TAddressObject, TEditAddressDlg>},
    {ItemKind::Phone, "&Phone", "Pho&ne", Qt::CTRL | Qt::Key_N, "New Phone|Create a new phone number", false, true,
     RunDialogOf<TPhoneObject, TPhoneEditDlg>},
    {ItemKind::EMail, "&E-Mail", "&E-mail", Qt::CTRL | Qt::Key_E, "New E-Mail|Create a new e-mail address", false, true,
     RunDialogOf<TEMailObject, TEMailEditDlg>},
    {ItemKind::Fax, "&Fax", "Fa&x", Qt::CTRL | Qt::Key_F, "New Fax|Create a new fax number", false, true,
     RunDialogOf<TFaxObject, TFaxEditDlg>},
    {ItemKind::Reminder, "&Reminder", "&Remind", Qt::CTRL | Qt::Key_R, "New Reminder|Create a new reminder", false, true,
     nullptr},
    {ItemKind::Document, "&Document", "", Qt::CTRL | Qt::Key_D, "New Document|Create a new document", false, true, nullptr},
};

} // namespace

std::span<const KindCommand> KindCommands() { return kCommands; }

const KindCommand *FindKindCommand(ItemKind kind)
{
    for (const KindCommand &c : kCommands)
        if (c.kind == kind)
            return &c;
    return nullptr;
}

bool HasDialog(ItemKind kind)
{
    const KindCommand *c = FindKindCommand(kind);
    return c && c->dialog;
}
