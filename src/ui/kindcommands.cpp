#include "kindcommands.h"

#include "dialogs/addressdialog.h"
#include "dialogs/docdialog.h"
#include "dialogs/emaildialog.h"
#include "dialogs/faxdialog.h"
#include "dialogs/folderdialog.h"
#include "dialogs/itemdialogs.h"
#include "dialogs/orgdialog.h"
#include "dialogs/persondialog.h"
#include "dialogs/phonedialog.h"
#include "dialogs/reminderdialog.h"
#include "dialogs/teamdialog.h"
#include "dialogs/tooldialog.h"
#include "dialogs/websitedialog.h"
#include "store/addressobject.h"
#include "store/docobject.h"
#include "store/emailobject.h"
#include "store/faxobject.h"
#include "store/folderobject.h"
#include "store/kinds.h"
#include "store/orgobject.h"
#include "store/personobject.h"
#include "store/phoneobject.h"
#include "store/reminderobject.h"
#include "store/teamobject.h"
#include "store/toolobject.h"
#include "store/webobject.h"

namespace {

// The texts are translated where the main window shows them, in its context.
const KindCommand kCommands[] = {
    {ItemKind::Folder, QT_TRANSLATE_NOOP("TMainForm", "&Folder"), QT_TRANSLATE_NOOP("TMainForm", "Fo&lder"), Qt::CTRL | Qt::Key_L,
     QT_TRANSLATE_NOOP("TMainForm", "New Folder|Create a new folder"), true, false, RunDialogOf<TFolderObject, TFolderEditDlg>},
    {ItemKind::Organization, QT_TRANSLATE_NOOP("TMainForm", "&Organization"), QT_TRANSLATE_NOOP("TMainForm", "&Org"), Qt::CTRL | Qt::Key_O,
     QT_TRANSLATE_NOOP("TMainForm", "New Organization|Create a new organization"), true, false, RunDialogOf<TOrgObject, TOrgEditDlg>},
    {ItemKind::Team, QT_TRANSLATE_NOOP("TMainForm", "&Team"), QT_TRANSLATE_NOOP("TMainForm", "&Team"), Qt::CTRL | Qt::Key_T,
     QT_TRANSLATE_NOOP("TMainForm", "New Team|Create a new team"), true, false, RunDialogOf<TTeamObject, TTeamEditDlg>},
    {ItemKind::Person, QT_TRANSLATE_NOOP("TMainForm", "&Person"), QT_TRANSLATE_NOOP("TMainForm", "&Person"), Qt::CTRL | Qt::Key_P,
     QT_TRANSLATE_NOOP("TMainForm", "New Person|Create a new person"), true, false, RunDialogOf<TPersonObject, TEditPersDlg>},
    {ItemKind::Website, QT_TRANSLATE_NOOP("TMainForm", "&Website"), QT_TRANSLATE_NOOP("TMainForm", "&Web"), Qt::CTRL | Qt::Key_W,
     QT_TRANSLATE_NOOP("TMainForm", "New Website|Create a new website"), true, true, RunDialogOf<TWebObject, TWebSiteDlg>},
    {ItemKind::Address, QT_TRANSLATE_NOOP("TMainForm", "&Address"), QT_TRANSLATE_NOOP("TMainForm", "&Addr"), Qt::CTRL | Qt::Key_A,
     QT_TRANSLATE_NOOP("TMainForm", "New Address|Create a new address"), false, true, RunDialogOf<TAddressObject, TEditAddressDlg>},
    {ItemKind::Phone, QT_TRANSLATE_NOOP("TMainForm", "&Phone"), QT_TRANSLATE_NOOP("TMainForm", "Pho&ne"), Qt::CTRL | Qt::Key_N,
     QT_TRANSLATE_NOOP("TMainForm", "New Phone|Create a new phone number"), false, true, RunDialogOf<TPhoneObject, TPhoneEditDlg>},
    {ItemKind::EMail, QT_TRANSLATE_NOOP("TMainForm", "&E-Mail"), QT_TRANSLATE_NOOP("TMainForm", "&E-mail"), Qt::CTRL | Qt::Key_E,
     QT_TRANSLATE_NOOP("TMainForm", "New E-Mail|Create a new e-mail address"), false, true, RunDialogOf<TEMailObject, TEMailEditDlg>},
    {ItemKind::Fax, QT_TRANSLATE_NOOP("TMainForm", "&Fax"), QT_TRANSLATE_NOOP("TMainForm", "Fa&x"), Qt::CTRL | Qt::Key_F,
     QT_TRANSLATE_NOOP("TMainForm", "New Fax|Create a new fax number"), false, true, RunDialogOf<TFaxObject, TFaxEditDlg>},
    {ItemKind::Reminder, QT_TRANSLATE_NOOP("TMainForm", "&Reminder"), QT_TRANSLATE_NOOP("TMainForm", "&Remind"), Qt::CTRL | Qt::Key_R,
     QT_TRANSLATE_NOOP("TMainForm", "New Reminder|Create a new reminder"), false, true, RunDialogOf<TReminderObject, TRemdDlg>},
    {ItemKind::Document, QT_TRANSLATE_NOOP("TMainForm", "&Document"), "", Qt::CTRL | Qt::Key_D,
     QT_TRANSLATE_NOOP("TMainForm", "New Document|Create a new document"), false, true, RunDialogOf<TDocObject, TDocEditDlg>},
};

// A tool address is made from the Tools dialog, not by a New command.
const ItemDialogRunner kToolDialog = RunDialogOf<TToolObject, TToolEdit>;

} // namespace

std::span<const KindCommand> KindCommands() { return kCommands; }

const KindCommand *FindKindCommand(ItemKind kind)
{
    for (const KindCommand &c : kCommands)
        if (c.kind == kind)
            return &c;
    return nullptr;
}

ItemDialogRunner KindDialog(ItemKind kind)
{
    if (kind == ItemKind::Tool)
        return kToolDialog;
    const KindCommand *c = FindKindCommand(kind);
    return c ? c->dialog : nullptr;
}

bool HasDialog(ItemKind kind) { return KindDialog(kind) != nullptr; }
