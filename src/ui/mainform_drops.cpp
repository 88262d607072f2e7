// Entries dragged within the main window, calls dragged from the caller-ID history, and
// documents dropped on contacts.
#include "mainform.h"

#include "dragfilelist.h"
#include "foldertreemodel.h"
#include "itemdrag.h"
#include "itemlistmodel.h"
#include "comms/callerhistory.h"
#include "comms/documentdrop.h"
#include "store/itemmoves.h"
#include "store/kinds.h"
#include "store/treenodes.h"
#include "store/zebobject.h"

#include <QAbstractItemView>
#include <QDropEvent>
#include <QMessageBox>
#include <QMimeData>
#include <QTreeView>
#include <QUrl>

namespace {

void acceptAs(QDropEvent *drop, Qt::DropAction action)
{
    drop->setDropAction(action);
    drop->accept();
}

QString firstLocalFile(const QMimeData *mime)
{
    if (mime && mime->hasUrls())
        for (const QUrl &url : mime->urls())
            if (url.isLocalFile())
                return url.toLocalFile();
    return {};
}

} // namespace

void TMainForm::DropCallerRowsOn(TTreeNode *node, const QMimeData *rows)
{
    guarded([&] { DropCallerRows(rows, node ? node : SelectedNode()); });
}

void TMainForm::FoldersDragDrop(TTreeNode *target, const QMimeData *mime)
{
    if (mime->hasFormat(TCallerRows::Format)) {
        DropCallerRowsOn(target, mime);
        return;
    }
    const TItemDrag *drag = TItemDrag::from(mime);
    if (!drag)
        return;
    const bool fromTree = drag->source() == TItemDrag::Source::Folders;
    QList<TZEBObject *> items;
    if (fromTree) {
        if (TTreeNode *node = SelectedNode())
            items.append(node->Item());
    } else {
        items = selectedItems();
    }
    int moved = 0;
    guarded([&] { moved = ItemMoves::MoveInto(items, target); });
    // The moved node stays the selected one, in its new place.
    if (fromTree && moved > 0)
        SelectNode(items.first()->Node());
}

bool TMainForm::listDragEvent(QEvent *event)
{
    auto *drop = static_cast<QDropEvent *>(event);
    const QMimeData *mime = drop->mimeData();
    const TItemDrag *items = TItemDrag::from(mime);
    const QString file = items ? QString() : firstLocalFile(mime);
    if (!items && file.isEmpty())
        return false; // calls from the history are the list's own
    if (event->type() == QEvent::DragEnter) {
        acceptAs(drop, items ? Qt::MoveAction : Qt::CopyAction);
        return true;
    }
    QAbstractItemView *view = m_mainItems->currentView();
    TZEBObject *target = m_itemModel->itemAt(view->indexAt(drop->position().toPoint()));
    QString document = file;
    if (items && items->source() == TItemDrag::Source::MainItems) {
        // A document row on its way to a contact.
        const QList<TZEBObject *> dragged = selectedItems();
        if (dragged.size() == 1 && dragged.first()->Kind() == ItemKind::Document)
            document = dragged.first()->Value();
    }
    const bool toContact = !document.isEmpty() && DocumentDrop::Accepts(target);
    if (!items && !toContact)
        return false; // the list makes a document of the file in the selected node
    if (event->type() == QEvent::DragMove) {
        if (items && items->source() == TItemDrag::Source::MainItems && !toContact)
            drop->ignore();
        else
            acceptAs(drop, items ? Qt::MoveAction : Qt::CopyAction);
        return true;
    }
    acceptAs(drop, items ? Qt::MoveAction : Qt::CopyAction);
    if (!toContact)
        return true; // nodes from the tree: accepted, and nothing more
    if (!items)
        EvDropFiles({file});
    SendDocumentTo(target, document);
    return true;
}

void TMainForm::SendDocumentTo(TZEBObject *contact, const QString &document)
{
    if (!contact)
        return;
    // Each question is asked whatever the answer to the one before.
    const QString title = contact->Title();
    const auto ask = [this](const QString &question) {
        return QMessageBox::question(this, tr("Confirm"), question,
                                     QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel) == QMessageBox::Yes;
    };
    if (DocumentDrop::OffersFax(contact) && ask(DocumentDrop::FaxQuestion(title)))
        guarded([&] { contact->SendFax(document); });
    // The first question ran an event loop: the contact must still be there.
    if (m_itemModel->rowOf(contact) < 0)
        return;
    if (DocumentDrop::OffersMail(contact) && ask(DocumentDrop::MailQuestion(title)))
        guarded([&] { contact->SendMail(document); });
}
