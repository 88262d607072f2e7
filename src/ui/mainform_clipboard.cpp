// Cut, copy, paste and select all of the main window.
#include "mainform.h"

#include "clipboardmime.h"
#include "dragfilelist.h"
#include "guiservices.h"
#include "store/cliprecords.h"
#include "store/itemmoves.h"
#include "store/readonlyitem.h"
#include "store/treenodes.h"
#include "store/zebobject.h"

#include <QAbstractItemView>

TMainForm::Copied TMainForm::copySelection(bool whole)
{
    QByteArray records;
    QString text;
    if (m_activePane == Pane::MainItems) {
        const QList<TZEBObject *> items = selectedItems();
        if (items.isEmpty())
            return Copied::Nothing;
        if (items.size() == 1 && !items.first()->IsContainer()) {
            // A single leaf also goes as plain text, for other programs.
            const TZEBObject::ClipboardText leaf = items.first()->CopyToClipboard();
            records = leaf.record.toUtf8();
            text = leaf.text;
        } else {
            records = ClipRecords::CopyItems(items);
        }
    } else {
        TTreeNode *node = SelectedNode();
        if (!node)
            return Copied::Nothing;
        // What a cut takes away goes whole; a copy takes what the filter shows.
        records = whole ? ClipRecords::CopyItems({node->Item()}) : ClipRecords::CopyShownSubtree(node);
    }
    if (records.isEmpty())
        return Copied::Nothing;
    return ClipboardMime::Put(records, text) ? Copied::Held : Copied::Refused;
}

void TMainForm::CopyBtnClick()
{
    Copied copied = Copied::Nothing;
    if (guarded([&] { copied = copySelection(false); }) && copied == Copied::Refused)
        m_services->ShowError(tr("The clipboard did not take the items."));
}

void TMainForm::CutBtnClick()
{
    // Items of a remote folder come back at its next refresh: they are copied, not cut.
    const QList<TZEBObject *> items = m_activePane == Pane::MainItems
                                          ? selectedItems()
                                          : QList<TZEBObject *>{SelectedNode() ? SelectedNode()->Item() : nullptr};
    for (const TZEBObject *item : items) {
        if (IsReadOnlyItem(item)) {
            m_services->ShowError(QString::fromUtf8(EMoveOutOfRemote().what()));
            return;
        }
    }
    Copied copied = Copied::Nothing;
    if (!guarded([&] { copied = copySelection(true); }))
        return;
    // Deleted only once the clipboard holds all of it.
    if (copied == Copied::Refused)
        m_services->ShowError(tr("The clipboard did not take the items, so nothing was deleted."));
    if (copied == Copied::Held)
        DeleteBtnClick(true);
}

void TMainForm::PasteBtnClick()
{
    const QByteArray bytes = ClipboardMime::Get();
    if (bytes.isEmpty())
        return;
    if (!SelectedNode())
        SelectNode(m_root);
    TTreeNode *node = SelectedNode();
    guarded([&] { ClipRecords::Paste(bytes, node); });
}

void TMainForm::SelectAll1Click()
{
    QAbstractItemView *view = m_mainItems->currentView();
    view->setFocus();
    view->selectAll();
    SetActivePane(Pane::MainItems);
}
