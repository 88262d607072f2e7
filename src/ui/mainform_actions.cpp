// Menus, bars and the list pop-up of the main window.
#include "mainform.h"

#include "categoryfilterpane.h"

#include "dragfilelist.h"
#include "imagedrawing.h"
#include "imagelist.h"
#include "kindcommands.h"
#include "tipbar.h"
#include "store/kindtable.h"
#include "store/zebobject.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>

namespace {

const char *const ViewFormatTexts[] = {
    QT_TRANSLATE_NOOP("TMainForm", "Lar&ge Icons"),
    QT_TRANSLATE_NOOP("TMainForm", "S&mall Icons"),
    QT_TRANSLATE_NOOP("TMainForm", "&List"),
    QT_TRANSLATE_NOOP("TMainForm", "&Details"),
};
const char *const ViewFormatHints[] = {
    QT_TRANSLATE_NOOP("TMainForm", "Large Icons|Display items using large icons"),
    QT_TRANSLATE_NOOP("TMainForm", "Small Icons|Display items using small icons"),
    QT_TRANSLATE_NOOP("TMainForm", "List|Display items in a list"),
    QT_TRANSLATE_NOOP("TMainForm", "Details|Display information about each item"),
};

// The desktop theme's icon where it has one, else our own picture.
QIcon commandIcon(const char *themeName, ImageDrawing::Command command)
{
    QIcon own;
    for (int size : {16, 24, 32})
        own.addPixmap(ImageDrawing::CommandImage(command, size));
    return QIcon::fromTheme(QString::fromLatin1(themeName), own);
}

} // namespace

QAction *TMainForm::makeAction(const QString &text, const QString &hint, const QKeySequence &shortcut)
{
    auto *action = new QAction(text, this);
    const qsizetype bar = hint.indexOf(QLatin1Char('|'));
    action->setToolTip(bar < 0 ? hint : hint.left(bar).trimmed());
    action->setStatusTip(bar < 0 ? hint : hint.mid(bar + 1).trimmed());
    if (!shortcut.isEmpty())
        action->setShortcut(shortcut);
    // Shortcuts of entries that live only in the pop-up still work.
    addAction(action);
    return action;
}

QAction *TMainForm::newItemAction(ItemKind kind) const
{
    const auto code = size_t(KindCode(kind));
    return code < m_newActions.size() ? m_newActions[code] : nullptr;
}

QAction *TMainForm::viewFormatAction(ViewStyle style) const { return m_viewFormatActions[ViewStyleSlot(style)]; }

QToolButton *TMainForm::viewFormatButton(ViewStyle style) const { return m_viewFormatButtons[ViewStyleSlot(style)]; }

void TMainForm::setViewStyle(ViewStyle style)
{
    m_viewStyle = style;
    m_mainItems->setViewStyle(style);
    m_viewFormatActions[ViewStyleSlot(style)]->setChecked(true);
}

void TMainForm::buildActions()
{
    for (const KindCommand &c : KindCommands()) {
        QAction *a = makeAction(tr(c.menuText), tr(c.hint), QKeySequence(c.shortcut));
        a->setIcon(m_images->Icon(ImageIndex(FindKind(c.kind)->image)));
        const ItemKind kind = c.kind;
        connect(a, &QAction::triggered, this, [this, kind] { NewItem(kind); });
        // A kind without its dialog yet would make an item only to throw it away.
        a->setEnabled(c.dialog != nullptr);
        m_newActions[size_t(kind)] = a;
    }

    m_importAction = makeAction(tr("&Import..."), tr("Import|Import items from other programs"));
    m_publishAction = makeAction(tr("P&ublish..."), tr("Publish|Publish items as web pages or files"));
    m_saveAction = makeAction(tr("&Save Database"), tr("Save Database|Save the database now"));
    m_revertAction = makeAction(tr("R&evert to Saved"), tr("Revert to Saved|Discard the changes made since the database was last saved"));
    m_printAction = makeAction(tr("&Print..."), tr("Print|Print reports, labels and envelopes"));
    m_printerSetupAction = makeAction(tr("P&rinter Setup..."), tr("Printer Setup|Choose and set up the printer"));
    m_exitAction = makeAction(tr("E&xit"), tr("Exit|Save the database and end Mirabook"), QKeySequence(Qt::ALT | Qt::Key_X));
    m_importAction->setIcon(commandIcon("document-import", ImageDrawing::Command::Import));
    m_publishAction->setIcon(commandIcon("document-export", ImageDrawing::Command::Publish));
    m_printAction->setIcon(commandIcon("document-print", ImageDrawing::Command::Print));
    connect(m_importAction, &QAction::triggered, this, &TMainForm::ImportClick);
    connect(m_printAction, &QAction::triggered, this, &TMainForm::PrintClick);
    connect(m_printerSetupAction, &QAction::triggered, this, &TMainForm::PrinterSetupClick);
    connect(m_publishAction, &QAction::triggered, this, &TMainForm::PublishClick);

    m_cutAction = makeAction(tr("Cu&t"), tr("Cut|Move the selected item(s) to the clipboard"), QKeySequence(Qt::CTRL | Qt::Key_X));
    m_copyAction = makeAction(tr("&Copy"), tr("Copy|Copy the selected item(s) to the clipboard"), QKeySequence(Qt::CTRL | Qt::Key_C));
    m_pasteAction = makeAction(tr("&Paste"), tr("Paste|Insert items from the clipboard"), QKeySequence(Qt::CTRL | Qt::Key_V));
    m_deleteAction = makeAction(tr("&Delete"), tr("Delete|Delete the selected item(s)"), QKeySequence(Qt::SHIFT | Qt::Key_Delete));
    m_selectAllAction = makeAction(tr("&Select All"), tr("Select All|Select every item in the list"));
    m_findAction = makeAction(tr("&Find"), tr("Find|Find the next entry with the typed title"), QKeySequence(Qt::Key_F3));
    m_cutAction->setIcon(commandIcon("edit-cut", ImageDrawing::Command::Cut));
    m_copyAction->setIcon(commandIcon("edit-copy", ImageDrawing::Command::Copy));
    m_pasteAction->setIcon(commandIcon("edit-paste", ImageDrawing::Command::Paste));
    connect(m_cutAction, &QAction::triggered, this, &TMainForm::CutBtnClick);
    connect(m_copyAction, &QAction::triggered, this, &TMainForm::CopyBtnClick);
    connect(m_pasteAction, &QAction::triggered, this, &TMainForm::PasteBtnClick);
    connect(m_selectAllAction, &QAction::triggered, this, &TMainForm::SelectAll1Click);
    m_deleteAction->setIcon(style()->standardIcon(QStyle::SP_TrashIcon));
    connect(m_deleteAction, &QAction::triggered, this, [this] { DeleteBtnClick(); });

    m_toggleAction = makeAction(tr("&Toggle Main Window"), tr("Toggle Main Window|Toggles size/position settings for main window"));
    m_toolbarAction = makeAction(tr("Tool&bar"), tr("Toolbar|Show or hide the toolbar"));
    m_newItemBarAction = makeAction(tr("&New Item Bar"), tr("New Item Bar|Show or hide the new item bar"));
    m_findBarAction = makeAction(tr("&Find Bar"), tr("Find Bar|Show or hide the find bar"));
    m_tipBarAction = makeAction(tr("T&ip Bar"), tr("Tip Bar|Show or hide the tip bar"));
    m_statusBarAction = makeAction(tr("&Status Bar"), tr("Status Bar|Show or hide the status bar"));
    for (QAction *a : {m_toolbarAction, m_newItemBarAction, m_findBarAction, m_tipBarAction, m_statusBarAction}) {
        a->setCheckable(true);
        a->setChecked(true);
    }
    m_viewFormatGroup = new QActionGroup(this);
    m_viewFormatGroup->setExclusive(true);
    const ImageDrawing::Command viewIcons[] = {ImageDrawing::Command::LargeIcons, ImageDrawing::Command::SmallIcons,
                                               ImageDrawing::Command::List, ImageDrawing::Command::Details};
    const char *const viewThemeIcons[] = {"view-list-icons", "view-list-compact", "view-list-text", "view-list-details"};
    for (const ViewStyle style : AllViewStyles) {
        const size_t slot = ViewStyleSlot(style);
        QAction *a = makeAction(tr(ViewFormatTexts[slot]), tr(ViewFormatHints[slot]));
        a->setCheckable(true);
        a->setData(ViewStyleCode(style));
        a->setIcon(commandIcon(viewThemeIcons[slot], viewIcons[slot]));
        m_viewFormatGroup->addAction(a);
        connect(a, &QAction::triggered, this, [this, style] { setViewStyle(style); });
        m_viewFormatActions[slot] = a;
    }
    m_viewFormatActions[0]->setChecked(true);
    m_optionsAction = makeAction(tr("&Options..."), tr("Options|Change the program's settings"));
    m_optionsAction->setEnabled(false);

    m_helpContentsAction = makeAction(tr("&Contents"), tr("Help|Show the contents of the help"));
    m_helpContentsAction->setIcon(style()->standardIcon(QStyle::SP_DialogHelpButton));
    m_homepageAction = makeAction(tr("&Mira Homepage"), tr("Mira Homepage|Visit the Mirabook home page"));
    connect(m_homepageAction, &QAction::triggered, this, &TMainForm::VisitHomepage);
    m_aboutAction = makeAction(tr("&About..."), tr("About|Show the program's version and copyright"));

    m_notesAction = makeAction(tr("&Notes..."), tr("Notes|Start the Brevolo notes program"));
    connect(m_notesAction, &QAction::triggered, this, &TMainForm::Notes1Click);
    m_propertiesAction = makeAction(tr("&Properties..."), tr("Properties|Show the properties of the selected item"));
    connect(m_propertiesAction, &QAction::triggered, this, &TMainForm::ListPanePropsClick);
    m_renameAction = makeAction(tr("&Rename"), tr("Rename|Rename the selected item"));
    connect(m_renameAction, &QAction::triggered, this, &TMainForm::ListPaneRenameClick);
}

void TMainForm::buildMenus()
{
    QMenu *file = menuBar()->addMenu(tr("&File"));
    QMenu *fileNew = file->addMenu(tr("&New"));
    for (const KindCommand &c : KindCommands())
        if (c.inFileMenu)
            fileNew->addAction(m_newActions[size_t(c.kind)]);
    file->addAction(m_importAction);
    file->addAction(m_publishAction);
    file->addSeparator();
    file->addAction(m_saveAction);
    file->addAction(m_revertAction);
    file->addSeparator();
    file->addAction(m_printAction);
    file->addAction(m_printerSetupAction);
    file->addSeparator();
    file->addAction(m_exitAction);

    QMenu *edit = menuBar()->addMenu(tr("&Edit"));
    edit->addAction(m_cutAction);
    edit->addAction(m_copyAction);
    edit->addAction(m_pasteAction);
    edit->addAction(m_deleteAction);
    edit->addSeparator();
    edit->addAction(m_selectAllAction);
    edit->addAction(m_findAction);

    QMenu *view = menuBar()->addMenu(tr("&View"));
    view->addAction(m_toggleAction);
    view->addSeparator();
    for (QAction *a : {m_toolbarAction, m_newItemBarAction, m_findBarAction, m_tipBarAction, m_statusBarAction})
        view->addAction(a);
    view->addSeparator();
    for (QAction *a : m_viewFormatActions)
        view->addAction(a);
    view->addSeparator();
    view->addAction(m_optionsAction);

    QMenu *help = menuBar()->addMenu(tr("&Help"));
    help->addAction(m_helpContentsAction);
    help->addSeparator();
    help->addAction(m_homepageAction);
    help->addSeparator();
    help->addAction(m_aboutAction);
}

void TMainForm::buildBars()
{
    buildToolBar();
    addToolBarBreak();
    buildNewItemBar();
    addToolBarBreak();
    buildFindBar();
    addToolBarBreak();
    m_tipBarHost = addToolBar(tr("Tip Bar"));
    m_tipBarHost->setObjectName(QStringLiteral("TipBar"));
    m_tipBar = new TTipBar(m_tipBarHost);
    m_tipBarHost->addWidget(m_tipBar);
}

void TMainForm::buildToolBar()
{
    m_toolBar = addToolBar(tr("Toolbar"));
    m_toolBar->setObjectName(QStringLiteral("Toolbar"));
    m_toolBar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    m_toolBar->setIconSize(QSize(22, 22));
    m_toolBar->addAction(m_importAction);
    m_toolBar->addAction(m_publishAction);
    m_toolBar->addAction(m_printAction);
    m_toolBar->addSeparator();
    addFilterButtons();
    m_toolBar->addSeparator();
    m_toolBar->addAction(m_cutAction);
    m_toolBar->addAction(m_copyAction);
    m_toolBar->addAction(m_pasteAction);
    m_toolBar->addAction(m_deleteAction);
    m_toolBar->addSeparator();
    for (size_t slot = 0; slot < m_viewFormatActions.size(); ++slot) {
        m_toolBar->addAction(m_viewFormatActions[slot]);
        m_viewFormatButtons[slot] = qobject_cast<QToolButton *>(m_toolBar->widgetForAction(m_viewFormatActions[slot]));
    }
    m_toolBar->addSeparator();
    m_browserUrlAction = makeAction(tr("Get Browser URL"), tr("Get Browser URL|Create a website item from the page the browser shows"));
    m_browserUrlAction->setIcon(commandIcon("", ImageDrawing::Command::BrowserUrl));
    connect(m_browserUrlAction, &QAction::triggered, this, &TMainForm::GetBrowserURL);
    m_toolBar->addAction(m_browserUrlAction);
    m_toolsMenuAction = makeAction(tr("Tools Menu"), tr("Tools Menu|Show the tools menu"));
    m_toolsMenuAction->setIcon(commandIcon("", ImageDrawing::Command::Tools));
    m_toolsMenuAction->setMenu(buildToolsPopup());
    m_toolBar->addAction(m_toolsMenuAction);
    // The button drops the menu down; it has no action of its own.
    if (auto *button = qobject_cast<QToolButton *>(m_toolBar->widgetForAction(m_toolsMenuAction)))
        button->setPopupMode(QToolButton::InstantPopup);
    m_toolBar->addAction(m_helpContentsAction);
}

void TMainForm::addFilterButtons()
{
    // Both hints begin with "Filter": each button's tip is its own long hint, so the
    // two can be told apart under the pointer.
    QAction *filterAny = makeAction(tr("Filter ANY"), tr("Filter|Show items matching ANY selected category"));
    QAction *filterAll = makeAction(tr("Filter ALL"), tr("Filter|Show items matching ALL selected categories"));
    filterAny->setObjectName(QStringLiteral("FilterBtn1"));
    filterAll->setObjectName(QStringLiteral("FilterBtn2"));
    filterAny->setIcon(commandIcon("", ImageDrawing::Command::FilterAny));
    filterAll->setIcon(commandIcon("", ImageDrawing::Command::FilterAll));
    for (QAction *a : {filterAny, filterAll}) {
        a->setToolTip(a->statusTip());
        m_toolBar->addAction(a);
    }
    m_filterPane = new TCategoryFilterPane(m_leftPane, m_folders, filterAny, filterAll, this);
    m_filterPane->SetNames(m_categoryNames);
    connect(this, &TMainForm::categoryNamesChanged, m_filterPane, [this] { m_filterPane->SetNames(m_categoryNames); });
    connect(m_filterPane, &TCategoryFilterPane::changed, this, &TMainForm::RebuildList);
}

void TMainForm::buildNewItemBar()
{
    m_newItemBar = addToolBar(tr("New Item Bar"));
    m_newItemBar->setObjectName(QStringLiteral("NewItemBar"));
    m_newItemBar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_newItemBar->setIconSize(QSize(16, 16));
    for (const KindCommand &c : KindCommands()) {
        if (!*c.buttonText)
            continue;
        // The buttons keep their own captions; the shortcut stays with the menu entry.
        QAction *menuAction = m_newActions[size_t(c.kind)];
        auto *button = new QAction(menuAction->icon(), tr(c.buttonText), m_newItemBar);
        button->setToolTip(menuAction->toolTip());
        button->setStatusTip(menuAction->statusTip());
        button->setEnabled(menuAction->isEnabled());
        connect(menuAction, &QAction::enabledChanged, button, &QAction::setEnabled);
        connect(button, &QAction::triggered, menuAction, &QAction::trigger);
        m_newItemBar->addAction(button);
    }
}

void TMainForm::buildPopup()
{
    m_listPopup = new QMenu(this);
    static const char *const texts[] = {
        QT_TRANSLATE_NOOP("TMainForm", "&Open"),         QT_TRANSLATE_NOOP("TMainForm", "Send &Mail"),
        QT_TRANSLATE_NOOP("TMainForm", "Send &Fax"),     QT_TRANSLATE_NOOP("TMainForm", "&Dial"),
        QT_TRANSLATE_NOOP("TMainForm", "&Browse"),       QT_TRANSLATE_NOOP("TMainForm", "&Advance Date"),
        QT_TRANSLATE_NOOP("TMainForm", "&Launch"),
    };
    static const char *const hints[] = {
        QT_TRANSLATE_NOOP("TMainForm", "Open|Show the contents of the item"),
        QT_TRANSLATE_NOOP("TMainForm", "Send Mail|Send mail to the item"),
        QT_TRANSLATE_NOOP("TMainForm", "Send Fax|Send a fax to the item"),
        QT_TRANSLATE_NOOP("TMainForm", "Dial|Dial the item's phone number"),
        QT_TRANSLATE_NOOP("TMainForm", "Browse|Open the item's website in the browser"),
        QT_TRANSLATE_NOOP("TMainForm", "Advance Date|Move the reminder to its next date"),
        QT_TRANSLATE_NOOP("TMainForm", "Launch|Start the document or tool"),
    };
    for (size_t i = 0; i < m_popupActions.size(); ++i) {
        QAction *a = makeAction(tr(texts[i]), tr(hints[i]));
        m_listPopup->addAction(a);
        m_popupActions[i] = a;
    }
    connect(popupAction(PopupEntry::Open), &QAction::triggered, this, &TMainForm::ListPaneOpenClick);
    connect(popupAction(PopupEntry::AdvanceDate), &QAction::triggered, this,
            [this] { runPopupAction([](TZEBObject *i) { i->AdvanceDate(); }); });
    connect(popupAction(PopupEntry::Launch), &QAction::triggered, this,
            [this] { runPopupAction([](TZEBObject *i) { i->Launch(); }); });
    connect(popupAction(PopupEntry::Dial), &QAction::triggered, this,
            [this] { runPopupAction([](TZEBObject *i) { i->Dial(); }); });
    connect(popupAction(PopupEntry::Browse), &QAction::triggered, this,
            [this] { runPopupAction([](TZEBObject *i) { i->Browse(); }); });
    connect(popupAction(PopupEntry::SendMail), &QAction::triggered, this, &TMainForm::SendMailClick);
    connect(popupAction(PopupEntry::SendFax), &QAction::triggered, this,
            [this] { runPopupAction([](TZEBObject *i) { i->SendFax(QString()); }); });
    // Dialing is enabled once a dialer is wired.
    popupAction(PopupEntry::Dial)->setEnabled(false);
    m_listPopup->addSeparator();
    m_listPopup->addAction(m_notesAction);
    m_listPopup->addAction(m_propertiesAction);
    m_listPopup->addSeparator();
    QMenu *popupNew = m_listPopup->addMenu(tr("Ne&w"));
    for (const KindCommand &c : KindCommands())
        if (c.inPopupMenu)
            popupNew->addAction(m_newActions[size_t(c.kind)]);
    QMenu *popupEdit = m_listPopup->addMenu(tr("&Edit"));
    popupEdit->addAction(m_cutAction);
    popupEdit->addAction(m_copyAction);
    popupEdit->addAction(m_deleteAction);
    popupEdit->addAction(m_renameAction);
}
