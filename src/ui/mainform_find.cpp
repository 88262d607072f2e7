// The find bar, the searches by title and by number, and "Up one level".
#include "mainform.h"

#include "dragfilelist.h"
#include "foldertreemodel.h"
#include "itemlistmodel.h"
#include "exchange/gui/progressform.h"
#include "exchange/progress.h"
#include "store/phonesearch.h"
#include "store/treesearch.h"
#include "store/wordstart.h"
#include "store/zebobject.h"

#include <QAbstractItemView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>

namespace {

// What identifies a hit's row once the list is rebuilt: selecting a remote folder reads
// it again, and the hit's item is then another one (or none).
struct RowKey
{
    qint32 id = 0;
    ItemKind kind = ItemKind::Folder;
    QString title;
};

RowKey keyOf(const TZEBObject *item) { return {item->Id(), item->Kind(), item->Title()}; }

} // namespace

void TMainForm::buildFindBar()
{
    m_findBar = addToolBar(tr("Find"));
    m_findBar->setObjectName(QStringLiteral("FindBar"));
    auto *findLabel = new QLabel(tr("F&ind:"), m_findBar);
    m_findEdit = new QLineEdit(m_findBar);
    m_findEdit->setObjectName(QStringLiteral("FindEditBox"));
    m_findEdit->setToolTip(tr("Type the title of the entry to find"));
    m_findEdit->setStatusTip(tr("Type the title of the entry to find"));
    m_findEdit->setMinimumWidth(120);
    m_findEdit->setMaximumWidth(200);
    m_findEdit->setClearButtonEnabled(true);
    findLabel->setBuddy(m_findEdit);
    m_upOneBtn = new QToolButton(m_findBar);
    m_upOneBtn->setObjectName(QStringLiteral("UpOneBtn"));
    m_upOneBtn->setIcon(style()->standardIcon(QStyle::SP_FileDialogToParent));
    m_upOneBtn->setToolTip(tr("Up one level"));
    m_upOneBtn->setStatusTip(tr("Up one level"));
    m_findBar->addWidget(findLabel);
    m_findBar->addWidget(m_findEdit);
    m_findBar->addWidget(m_upOneBtn);

    m_searchTime = new QTimer(this);
    m_searchTime->setObjectName(QStringLiteral("SearchTime"));
    m_searchTime->setInterval(1000);
    connect(m_findEdit, &QLineEdit::textChanged, this, &TMainForm::FindEditBoxChange);
    connect(m_findEdit, &QLineEdit::returnPressed, this, &TMainForm::FindItemClick);
    connect(m_searchTime, &QTimer::timeout, this, &TMainForm::SearchTimeTimer);
    connect(m_upOneBtn, &QToolButton::clicked, this, &TMainForm::UpOneBtnClick);
    connect(m_findAction, &QAction::triggered, this, &TMainForm::FindItemClick);

    m_progress = new ProgressState(this);
    m_progressForm = new TProgressForm(*m_progress, this);
}

QLineEdit *TMainForm::findEditBox() const { return m_findEdit; }

QToolButton *TMainForm::upOneButton() const { return m_upOneBtn; }

QTimer *TMainForm::searchTimer() const { return m_searchTime; }

ProgressState &TMainForm::progress() const { return *m_progress; }

TProgressForm *TMainForm::progressForm() const { return m_progressForm; }

void TMainForm::FindEditBoxChange(const QString &text)
{
    // An emptied box has nothing left to find: a search still waiting would jump on.
    if (text.isEmpty())
        m_searchTime->stop();
    else
        m_searchTime->start();
}

void TMainForm::SearchTimeTimer()
{
    m_searchTime->stop();
    Locate(m_findEdit->text());
}

void TMainForm::FindItemClick()
{
    if (m_findEdit->text().isEmpty())
        return;
    // The search runs now; the one waiting for the typing to end would find the next hit.
    m_searchTime->stop();
    Locate(m_findEdit->text());
}

void TMainForm::UpOneBtnClick()
{
    TTreeNode *node = SelectedNode();
    if (node && node->Parent())
        SelectNode(node->Parent());
}

const TTreeNode *TMainForm::searchStart()
{
    if (!SelectedNode())
        SelectNode(m_root);
    const TTreeNode *start = SelectedNode();
    QItemSelectionModel *selection = m_mainItems->selectionModel();
    const QModelIndex current = selection->currentIndex();
    TZEBObject *row = current.isValid() && selection->isSelected(current.siblingAtColumn(0))
                          ? m_itemModel->itemAt(current.row())
                          : nullptr;
    if (!row && !selectedItems().isEmpty())
        row = selectedItems().first();
    if (row) {
        // A container's row stands for its own node, a leaf's for its owner's.
        if (row->Node())
            start = row->Node();
        selection->clearSelection();
    }
    return start;
}

bool TMainForm::selectRowHolding(qint32 id, ItemKind kind, const QString &title)
{
    for (int row = 0; row < m_itemModel->rowCount(); ++row) {
        const TZEBObject *item = m_itemModel->itemAt(row);
        if (item && item->Id() == id && item->Kind() == kind && item->Title() == title) {
            const QModelIndex index = m_itemModel->index(row, 0);
            m_mainItems->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                                      QItemSelectionModel::Rows);
            mainItems()->scrollTo(index);
            return true;
        }
    }
    return false;
}

void TMainForm::focusPane(Pane pane)
{
    if (pane == Pane::MainItems)
        mainItems()->setFocus();
    else
        m_folders->setFocus();
    SetActivePane(pane);
}

bool TMainForm::Locate(const QString &text)
{
    const WordStart key(text);
    if (key.IsEmpty() || TransferRunning() || m_progress->Running())
        return false;
    const TTreeNode *start = searchStart();
    TitleHit hit;
    {
        ProgressRun run(*m_progress, tr("Searching..."), m_nodes->Count() - 1);
        hit = LocateTitle(*m_nodes, start, key, [&run] { return run.Step(); });
    }
    if (!hit.node)
        return false;
    if (hit.leaf) {
        // Selecting a remote folder reads it again: its leaf items are others then.
        const RowKey leaf = keyOf(hit.leaf);
        SelectNode(hit.node);
        selectRowHolding(leaf.id, leaf.kind, leaf.title);
        focusPane(Pane::MainItems);
        return true;
    }
    TTreeNode *parent = hit.node->Parent();
    if (!parent) {
        SelectNode(hit.node);
        focusPane(Pane::Folders);
        return true;
    }
    // The hit is a row of its parent's list. When the parent is a remote folder, selecting
    // it reads it again and the hit's node is gone: only its key is kept.
    const RowKey row = keyOf(hit.node->Item());
    SelectNode(parent);
    focusPane(selectRowHolding(row.id, row.kind, row.title) ? Pane::MainItems : Pane::Folders);
    return true;
}

void TMainForm::LocatePhone(const QString &number)
{
    if (TransferRunning() || m_progress->Running())
        return;
    const TTreeNode *start = searchStart();
    PhoneHit hit;
    {
        ProgressRun run(*m_progress, tr("Searching..."), m_nodes->Count() - 1);
        hit = ::LocatePhone(*m_nodes, start, number, [&run] { return run.Step(); });
    }
    if (!hit.node)
        return;
    const RowKey key = keyOf(hit.item);
    SelectNode(hit.node);
    selectRowHolding(key.id, key.kind, key.title);
    focusPane(Pane::MainItems);
}
