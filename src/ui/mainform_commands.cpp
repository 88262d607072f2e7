// Commands of the main window that create, delete, open and rename items.
#include "mainform.h"

#include "store/phonesearch.h"

#include "dragfilelist.h"
#include "foldertreemodel.h"
#include "guiservices.h"
#include "itemlistmodel.h"
#include "kindcommands.h"
#include "panerules.h"
#include "comms/browserpage.h"
#include "comms/mailsend.h"
#include "comms/httptransport.h"
#include "platform/profile.h"
#include "platform/programinfo.h"
#include "store/itemfactory.h"
#include "store/kindtable.h"
#include "store/kinds.h"
#include "store/phonesearch.h"
#include "store/treenodes.h"
#include "store/zebobject.h"

#include <QAbstractItemView>
#include <QAction>
#include <QFileInfo>
#include <QItemSelectionModel>
#include <QMenu>
#include <QMessageBox>
#include <QStandardPaths>
#include <QTreeView>
#include <algorithm>

namespace {

// Rows with a selected caption: the icon formats select the first column only.
QList<int> selectedRows(QItemSelectionModel *selection)
{
    QList<int> rows;
    for (const QModelIndex &i : selection->selectedIndexes())
        if (i.column() == 0)
            rows.append(i.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

} // namespace

QList<TZEBObject *> TMainForm::selectedItems() const
{
    QList<TZEBObject *> items;
    for (int row : selectedRows(m_mainItems->selectionModel()))
        if (TZEBObject *item = m_itemModel->itemAt(row))
            items.append(item);
    return items;
}

TZEBObject *TMainForm::popupItem() const
{
    if (m_activePane == Pane::Folders) {
        TTreeNode *node = SelectedNode();
        return node ? node->Item() : nullptr;
    }
    QItemSelectionModel *selection = m_mainItems->selectionModel();
    const QModelIndex current = selection->currentIndex();
    if (current.isValid() && selection->isSelected(current.siblingAtColumn(0)))
        return m_itemModel->itemAt(current.row());
    const QList<TZEBObject *> items = selectedItems();
    return items.isEmpty() ? nullptr : items.first();
}

void TMainForm::NewItem(ItemKind kind) { NewItem(kind, DefaultTitle(kind), QString()); }

void TMainForm::NewItem(ItemKind kind, const QString &title, const QString &dataLine)
{
    if (!SelectedNode())
        SelectNode(m_root);
    TTreeNode *owner = SelectedNode();
    TZEBObject *item = nullptr;
    if (!guarded([&] { item = CreateItem(kind, title, QString(), QString(), owner, dataLine, 0); }))
        return;
    if (kind == ItemKind::Folder || kind == ItemKind::Team) {
        // The new node is shown with its label open; it stays whatever happens there.
        guarded([item] { item->EditNew(item->Node()); });
        return;
    }
    bool ok = false;
    if (IsContainerKind(kind)) {
        TTreeNode *node = item->Node();
        if (!guarded([&] { ok = item->EditNew(node); }) || !ok)
            m_nodes->Delete(node);
        else if (kind == ItemKind::Website)
            node->SetText(item->Title());
    } else {
        if (!guarded([&] { ok = item->EditNew(owner); }) || !ok)
            owner->Item()->RemoveChild(item);
    }
}

void TMainForm::DeleteBtnClick(bool fromCut)
{
    QString description;
    TTreeNode *node = SelectedNode();
    QList<TZEBObject *> items;
    if (m_activePane == Pane::Folders) {
        if (!node || node->IsRoot())
            return;
        description = node->Text();
    } else {
        const QList<int> rows = selectedRows(m_mainItems->selectionModel());
        if (rows.isEmpty() || !node)
            return;
        description = PaneRules::DeleteDescription(int(rows.size()), m_itemModel->captionAt(rows.first()));
        items = selectedItems();
    }
    if (!fromCut) {
        QMessageBox ask(QMessageBox::Question, tr("Warning"), PaneRules::DeleteQuestion(description),
                        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, this);
        if (ask.exec() != QMessageBox::Yes)
            return;
        // The question ran an event loop: a remote folder's refresh may have taken down
        // what it was about. Only what is still selected as it was is deleted.
        if (SelectedNode() != node || (m_activePane != Pane::Folders && selectedItems() != items))
            return;
    }
    if (m_activePane == Pane::Folders) {
        m_nodes->Delete(node);
        return;
    }
    // Each row leaves the list before its item is taken down.
    for (TZEBObject *item : std::as_const(items)) {
        if (item->IsContainer())
            m_nodes->Delete(item->Node());
        else
            node->Item()->RemoveChild(item);
    }
    node->SortChildren();
}

void TMainForm::EvDropFiles(const QStringList &files)
{
    if (files.isEmpty())
        return;
    if (!SelectedNode())
        SelectNode(m_root);
    const QString path = files.first();
    const QString title = QFileInfo(path).fileName();
    TTreeNode *owner = SelectedNode();
    guarded([&] { CreateItem(ItemKind::Document, title, path, QString(), owner, QString(), 0); });
}

void TMainForm::ListPaneOpenClick()
{
    if (m_activePane == Pane::Folders)
        return;
    TZEBObject *item = popupItem();
    if (item && item->Node())
        SelectNode(item->Node());
}

void TMainForm::ListPanePropsClick()
{
    TZEBObject *item = popupItem();
    // The root has no properties; kinds without their dialog yet have none to show.
    if (!item || !HasDialog(item->Kind()))
        return;
    guarded([item] { item->Edit(); });
    RefreshFolderTitles();
}

void TMainForm::ListPaneRenameClick()
{
    if (m_activePane == Pane::Folders) {
        TTreeNode *node = SelectedNode();
        if (TFolderTreeModel::CanRename(node))
            BeginRename(node);
        return;
    }
    TZEBObject *item = popupItem();
    const int row = m_itemModel->rowOf(item);
    if (row < 0)
        return;
    QAbstractItemView *view = m_mainItems->currentView();
    const QModelIndex index = m_itemModel->index(row, TItemListModel::TitleColumn);
    view->setCurrentIndex(index);
    view->edit(index);
}

void TMainForm::Notes1Click()
{
    // The companion notes program, when it is installed.
    QString program = QStandardPaths::findExecutable(QStringLiteral("Brevolo"));
    if (program.isEmpty())
        program = QStandardPaths::findExecutable(QStringLiteral("brevolo"));
    if (!program.isEmpty())
        m_services->StartProgram(program, {}, QString());
}

void TMainForm::SendMailClick()
{
    TZEBObject *item = popupItem();
    if (!item)
        return;
    if (m_activePane == Pane::MainItems) {
        const QStringList recipients = MailSend::RecipientsOf(selectedItems());
        if (recipients.size() >= 2) {
            if (MailSend::AsksBeforeMultiple(MailSend::Method(Profile())) &&
                QMessageBox::question(this, tr("Mirabook"),
                                      QString::fromLatin1(MailSend::MultipleRecipientsQuestion),
                                      QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel) != QMessageBox::Yes)
                return;
            m_services->SendMailTo(recipients, QString());
            return;
        }
    }
    guarded([item] { item->SendMail(QString()); });
}

void TMainForm::GetBrowserURL()
{
    if (TransferRunning())
        return;
    if (!SelectedNode())
        SelectNode(m_root);
    TTreeNode *node = SelectedNode();
    const int port = BrowserLink::DebugPort(Profile());
    std::optional<BrowserLink::Page> page;
    setStatusText(StatusPanel::Hint, tr("Asking the browser for its page..."));
    const bool asked = guarded([&] { page = CurrentBrowserPage(*m_http, port); });
    setStatusText(StatusPanel::Hint, QString());
    if (!asked)
        return;
    if (!page) {
        m_services->ShowInformation(
            tr("No browser answers on port %1, so no website was made. Start Chromium (or Chrome, Edge, Brave, "
               "Vivaldi) with the option --remote-debugging-port=%1 and try again; see Help for the details.")
                .arg(port));
        return;
    }
    if (guarded([&] { AddBrowserPage(node, *page); }))
        ExpandNode(node);
}

void TMainForm::VisitHomepage()
{
    QString error;
    if (!BrowserLink::OpenURL(QString::fromLatin1(ProgramHomePage), &error))
        m_services->ShowError(error);
}

void TMainForm::MainItemsDblClick(const QModelIndex &index)
{
    TZEBObject *item = m_itemModel->itemAt(index);
    if (item)
        guarded([item] { item->Open(); });
}

void TMainForm::runPopupAction(const std::function<void(TZEBObject *)> &call)
{
    if (TZEBObject *item = popupItem())
        guarded([&] { call(item); });
}

void TMainForm::PreparePopupFor(TZEBObject *item)
{
    const PopupVisibility shown = item ? item->PreparePopup() : PopupVisibility{};
    const bool flags[] = {shown.Open, shown.SendMail, shown.SendFax, shown.Dial,
                          shown.Browse, shown.AdvanceDate, shown.Launch};
    for (size_t i = 0; i < m_popupActions.size(); ++i)
        m_popupActions[i]->setVisible(flags[i]);
    m_propertiesAction->setEnabled(item && HasDialog(item->Kind()));
}

void TMainForm::showTreePopup(const QPoint &pos)
{
    const QModelIndex index = m_folders->indexAt(pos);
    if (TTreeNode *node = TFolderTreeModel::nodeAt(index))
        SelectNode(node);
    SetActivePane(Pane::Folders);
    TTreeNode *node = SelectedNode();
    PreparePopupFor(node ? node->Item() : nullptr);
    m_listPopup->popup(m_folders->viewport()->mapToGlobal(pos));
}

void TMainForm::showListPopup(const QPoint &globalPos)
{
    if (!m_mainItems->selectionModel()->hasSelection())
        return;
    SetActivePane(Pane::MainItems);
    TZEBObject *item = popupItem();
    if (!item && SelectedNode())
        item = SelectedNode()->Item();
    PreparePopupFor(item);
    m_listPopup->popup(globalPos);
}
