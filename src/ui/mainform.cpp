#include "mainform.h"

#include <QPrinter>

#include "categoryfilterpane.h"
#include "dragfilelist.h"
#include "foldertreemodel.h"
#include "guiservices.h"
#include "comms/httptransport.h"
#include "imagelist.h"
#include "itemlistmodel.h"
#include "panerules.h"
#include "shortcutgate.h"
#include "splitterpanel.h"
#include "statuspanels.h"
#include "tipbar.h"
#include "titleedit.h"
#include "platform/profile.h"
#include "store/categorynames.h"
#include "store/duedaywatch.h"
#include "store/errorreport.h"
#include "store/itemfactory.h"
#include "store/kinds.h"
#include "store/recordfile.h"
#include "store/toolitems.h"
#include "store/treenodes.h"
#include "store/zebobject.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QMimeData>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QStyledItemDelegate>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>
#include <QToolBar>
#include <QTreeView>

namespace {

// Draws a node with its selected image while it is the selected node.
class TFolderDelegate : public TTitleEditDelegate
{
public:
    using TTitleEditDelegate::TTitleEditDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override
    {
        TTitleEditDelegate::initStyleOption(option, index);
        if (option->state & QStyle::State_Selected)
            option->icon = index.data(TFolderTreeModel::SelectedIconRole).value<QIcon>();
    }
};

} // namespace

TMainForm::TMainForm(QWidget *parent)
    : QMainWindow(parent),
      m_nodes(std::make_unique<TTreeNodes>()),
      m_images(std::make_unique<TImageList>()),
      m_services(std::make_unique<GuiServices>(*this))
{
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(tr("Mirabook"));
    m_nodes->Context().SetServices(m_services.get());
    m_http = new HttpTransport(this);
    m_nodes->Context().SetHttpSource(m_http->Source());
    connect(m_http, &HttpTransport::busyChanged, this, &TMainForm::setTransferRunning);
    // Before the database: its tool addresses show their tools' icons.
    m_nodes->Context().Tools().Load(Profile());

    loadCategoryNames();
    buildPanes();
    buildActions();
    buildMenus();
    buildBars();
    buildPopup();
    BuildToolMenus();
    resize(640, 480);

    createRoot();
    setWindowIcon(m_images->Icon(m_root->ImageIndex()));
    connectNodes();
    try {
        LoadDatabase(m_root);
    } catch (const std::exception &e) {
        ReportException(e, *m_services);
    }
    m_folders->expand(m_folderModel->indexOf(m_root));
    SelectNode(m_root);
    m_activePane = Pane::Folders;

    // The program stays in the tray for days: reminders become due at midnight.
    auto *dueWatch = new DueDayWatch(*m_nodes, this);
    dueWatch->ListenForResume();
    connect(dueWatch, &DueDayWatch::dayChanged, this, &TMainForm::RebuildList);
}

TMainForm::~TMainForm()
{
    // The views let go of the items before the tree takes them down.
    m_itemModel->Clear();
    m_nodes->blockSignals(true);
    m_folders->setModel(nullptr);
    m_nodes.reset();
}

void TMainForm::loadCategoryNames()
{
    const Profile settings;
    m_categoryNames = ReadCategoryNames(settings);
}

void TMainForm::SetCategoryNames(const QStringList &names)
{
    m_categoryNames = names.mid(0, CategoryCount);
    for (qsizetype n = m_categoryNames.size() + 1; n <= CategoryCount; ++n)
        m_categoryNames << DefaultCategoryName(int(n));
    emit categoryNamesChanged();
}

void TMainForm::createRoot()
{
    std::unique_ptr<TZEBObject> rootItem = MakeRootItem();
    const int image = rootItem->GetImageIndex();
    const int selected = rootItem->GetSelectedIndex();
    m_root = m_nodes->AddTop(std::move(rootItem), QStringLiteral("My Contacts"));
    m_root->SetImageIndex(image);
    m_root->SetSelectedIndex(selected);
}

void TMainForm::buildPanes()
{
    auto *central = new QWidget(this);
    auto *layout = new QHBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    m_leftPane = new QWidget(central);
    auto *leftLayout = new QHBoxLayout(m_leftPane);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    m_folders = new QTreeView(m_leftPane);
    m_folders->setObjectName(QStringLiteral("Folders"));
    m_folders->setHeaderHidden(true);
    m_folders->setIndentation(20);
    m_folders->setUniformRowHeights(true);
    m_folders->setSelectionMode(QAbstractItemView::SingleSelection);
    m_folders->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
    m_folders->setContextMenuPolicy(Qt::CustomContextMenu);
    m_folders->setItemDelegate(new TFolderDelegate(m_folders));
    m_folderModel = new TFolderTreeModel(*m_nodes, *m_images, this);
    m_folders->setModel(m_folderModel);
    m_folderModel->dropOnNode = [this](const QMimeData *mime, TTreeNode *node) { FoldersDragDrop(node, mime); };
    m_folders->installEventFilter(this);
    m_folders->viewport()->installEventFilter(this);
    m_folders->viewport()->setAcceptDrops(true);
    // Nodes and rows dragged onto a node: the drop lands on the node itself, and a
    // closed node opens when the pointer rests on it.
    m_folders->setDragDropMode(QAbstractItemView::DragDrop);
    m_folders->setDragDropOverwriteMode(true);
    m_folders->setAutoExpandDelay(700);
    leftLayout->addWidget(m_folders);
    m_leftPane->setFixedWidth(201);

    m_splitter = new TSplitterPanel(central);
    connect(m_splitter, &TSplitterPanel::dragMoved, this, &TMainForm::onSplitterDrag);

    m_mainItems = new TDragFileList(central);
    m_itemModel = new TItemListModel(*m_nodes, *m_images, this);
    m_mainItems->setModel(m_itemModel);
    // Rows dragged within the window, before the list's own handling of files.
    for (QAbstractItemView *view : m_mainItems->views())
        view->viewport()->installEventFilter(this);

    layout->addWidget(m_leftPane);
    layout->addWidget(m_splitter);
    layout->addWidget(m_mainItems, 1);
    setCentralWidget(central);

    m_statusPanels = new TStatusPanels(this);
    statusBar()->addWidget(m_statusPanels, 1);
    statusBar()->setSizeGripEnabled(true);
    m_cancelTransfer = new QPushButton(tr("Cancel"), this);
    m_cancelTransfer->setObjectName(QStringLiteral("CancelTransfer"));
    m_cancelTransfer->setToolTip(tr("Stop the transfer"));
    m_cancelTransfer->setShortcut(QKeySequence(Qt::Key_Escape));
    m_cancelTransfer->hide();
    connect(m_cancelTransfer, &QPushButton::clicked, this, &TMainForm::CancelTransfer);
    statusBar()->addPermanentWidget(m_cancelTransfer);
    m_transferGate = new TShortcutGate(this);
    connect(m_transferGate, &TShortcutGate::refused, this,
            [this] { setStatusText(StatusPanel::Hint, tr("Wait for the transfer to end, or cancel it")); });

    connect(m_folders->selectionModel(), &QItemSelectionModel::currentChanged, this, &TMainForm::onFolderSelected);
    connect(m_folders, &QWidget::customContextMenuRequested, this, &TMainForm::showTreePopup);
    connect(m_folderModel, &TFolderTreeModel::nodeRenamed, this, [this](TTreeNode *) {
        m_folders->scrollTo(m_folders->currentIndex());
    });
    connect(m_mainItems, &TDragFileList::rowDoubleClicked, this, &TMainForm::MainItemsDblClick);
    connect(m_mainItems, &TDragFileList::contextMenuAt, this, &TMainForm::showListPopup);
    connect(m_mainItems, &TDragFileList::filesDropped, this, &TMainForm::EvDropFiles);
    connect(m_mainItems, &TDragFileList::callerRowsDropped, this,
            [this](const QMimeData *rows) { DropCallerRowsOn(nullptr, rows); });
    connect(m_mainItems, &TDragFileList::entered, this, [this] { SetActivePane(Pane::MainItems); });
    connect(m_itemModel, &TItemListModel::itemRenamed, this, [this] { RefreshFolderTitles(); });
    // The count follows the rows, however they come and go.
    for (auto signal : {&TItemListModel::rowsInserted, &TItemListModel::rowsRemoved})
        connect(m_itemModel, signal, this, &TMainForm::showItemCount);
    connect(m_itemModel, &TItemListModel::modelReset, this, &TMainForm::showItemCount);
}

void TMainForm::showItemCount() { setStatusText(StatusPanel::Count, PaneRules::ItemCountText(m_itemModel->rowCount())); }

void TMainForm::connectNodes()
{
    // Connected after the tree model, so the views have moved their selection first.
    connect(m_nodes.get(), &TTreeNodes::nodeChanged, this, &TMainForm::onNodeChanged);
    connect(m_nodes.get(), &TTreeNodes::updateBegun, this, &TMainForm::onUpdateBegun);
    connect(m_nodes.get(), &TTreeNodes::updateEnded, this, &TMainForm::onUpdateEnded);
}

TTreeNodes &TMainForm::Nodes() { return *m_nodes; }

TTreeNode *TMainForm::RootNode() const { return m_root; }

TTreeNode *TMainForm::SelectedNode() const { return TFolderTreeModel::nodeAt(m_folders->currentIndex()); }

void TMainForm::SelectNode(TTreeNode *node)
{
    if (!node)
        return;
    const QModelIndex index = m_folderModel->indexOf(node);
    for (QModelIndex p = index.parent(); p.isValid(); p = p.parent())
        m_folders->expand(p);
    m_folders->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    m_folders->scrollTo(index);
    FoldersChange();
}

void TMainForm::onFolderSelected()
{
    // Rebuilt once control is back in the event loop: a remote folder's refresh
    // may replace nodes the view is still busy with during this signal.
    if (m_changePending)
        return;
    m_changePending = true;
    QTimer::singleShot(0, this, [this] {
        if (m_changePending)
            FoldersChange();
    });
}

void TMainForm::FoldersChange()
{
    m_changePending = false;
    TTreeNode *node = SelectedNode();
    if (!node) {
        m_itemModel->Clear();
        return;
    }
    m_inFoldersChange = true;
    TZEBObject *item = node->Item();
    if (item && item->Kind() == ItemKind::Folder && item->IsRemote()) {
        setStatusText(StatusPanel::Hint, tr("Updating remote folder..."));
        QApplication::setOverrideCursor(Qt::WaitCursor);
        // A refresh that fails or is cancelled leaves the folder as it was: it is shown so.
        guarded([item] { item->Refresh(); });
        QApplication::restoreOverrideCursor();
        node = SelectedNode();
        if (!node) {
            m_inFoldersChange = false;
            m_itemModel->Clear();
            return;
        }
    }
    m_inFoldersChange = false;
    m_itemModel->Rebuild(node);
    showNodePath(node);
}

void TMainForm::RebuildList()
{
    // No remote refresh here: only what is shown of the node changes.
    if (TTreeNode *node = SelectedNode())
        m_itemModel->Rebuild(node);
    else
        m_itemModel->Clear();
}

CategoryFilter TMainForm::categoryFilter() const { return m_filterPane ? m_filterPane->Filter() : CategoryFilter{}; }

void TMainForm::showNodePath(const TTreeNode *node)
{
    setStatusText(StatusPanel::Folder, node->Text());
    emit trayTipChanged(PaneRules::TrayTipText(PaneRules::NodePath(node)));
}

void TMainForm::RefreshFolderTitles()
{
    TTreeNode *node = SelectedNode();
    if (!node)
        return;
    if (node->Item())
        node->SetText(node->Item()->Title());
    // Copied first, then re-sorted: a changed text may move a child.
    QList<TTreeNode *> children;
    for (int i = 0; i < node->Count(); ++i)
        children.append(node->Child(i));
    for (TTreeNode *child : std::as_const(children))
        if (child->Item())
            child->SetText(child->Item()->Title());
    node->SortChildren();
}

void TMainForm::onNodeChanged(TTreeNode *node)
{
    // A renamed node on the way to the shown one changes the path the window shows.
    const TTreeNode *shown = m_itemModel->shownNode();
    for (const TTreeNode *n = shown; n; n = n->Parent()) {
        if (n == node) {
            showNodePath(shown);
            return;
        }
    }
}

void TMainForm::onUpdateBegun()
{
    m_selectedBeforeUpdate = SelectedNode();
    // Only expanded nodes can hold expanded children worth remembering.
    m_expandedBeforeUpdate.clear();
    std::vector<const TTreeNode *> pending{m_nodes->First()};
    while (!pending.empty()) {
        const TTreeNode *n = pending.back();
        pending.pop_back();
        if (!n || !m_folders->isExpanded(m_folderModel->indexOf(n)))
            continue;
        m_expandedBeforeUpdate.insert(n);
        for (int i = 0; i < n->Count(); ++i)
            pending.push_back(n->Child(i));
    }
}

void TMainForm::onUpdateEnded()
{
    // One walk: is the selected node still there, and which nodes open again.
    bool selectedKept = false;
    std::vector<TTreeNode *> pending;
    for (int i = 0; i < m_nodes->TopCount(); ++i)
        pending.push_back(m_nodes->Top(i));
    while (!pending.empty()) {
        TTreeNode *n = pending.back();
        pending.pop_back();
        selectedKept = selectedKept || n == m_selectedBeforeUpdate;
        if (m_expandedBeforeUpdate.count(n))
            m_folders->expand(m_folderModel->indexOf(n));
        for (int i = 0; i < n->Count(); ++i)
            pending.push_back(n->Child(i));
    }
    m_expandedBeforeUpdate.clear();
    TTreeNode *keep = selectedKept ? m_selectedBeforeUpdate : m_root;
    m_selectedBeforeUpdate = nullptr;
    if (!keep)
        return;
    m_folders->expand(m_folderModel->indexOf(m_root));
    if (m_inFoldersChange) {
        // The running rebuild picks the node up again.
        m_folders->scrollTo(m_folderModel->indexOf(keep));
        const QSignalBlocker block(m_folders->selectionModel());
        m_folders->selectionModel()->setCurrentIndex(m_folderModel->indexOf(keep), QItemSelectionModel::ClearAndSelect);
        return;
    }
    SelectNode(keep);
}

void TMainForm::ExpandNode(TTreeNode *node)
{
    if (!node)
        return;
    const QModelIndex index = m_folderModel->indexOf(node);
    for (QModelIndex p = index; p.isValid(); p = p.parent())
        m_folders->expand(p);
}

void TMainForm::ReselectNode(TTreeNode *node)
{
    SelectNode(node ? node : m_root);
}

void TMainForm::BeginRename(TTreeNode *node)
{
    if (!node)
        return;
    const QModelIndex index = m_folderModel->indexOf(node);
    for (QModelIndex p = index.parent(); p.isValid(); p = p.parent())
        m_folders->expand(p);
    m_folders->scrollTo(index);
    m_folders->setFocus();
    m_folders->edit(index);
}

QAbstractItemView *TMainForm::mainItems() const { return m_mainItems->currentView(); }

QWidget *TMainForm::splitterPanel() const { return m_splitter; }

QStatusBar *TMainForm::statusBarWidget() const { return statusBar(); }

bool TMainForm::TransferRunning() const { return m_http->Busy(); }

void TMainForm::CancelTransfer() { m_http->Cancel(); }

void TMainForm::setTransferRunning(bool running)
{
    // Nothing may change the tree under a transfer that is about to read into it.
    menuBar()->setEnabled(!running);
    for (QToolBar *bar : {m_toolBar, m_newItemBar, m_findBar, m_tipBarHost})
        bar->setEnabled(!running);
    m_leftPane->setEnabled(!running);
    m_mainItems->setEnabled(!running);
    m_cancelTransfer->setVisible(running);
    // Their shortcuts too; Exit waits for the transfer itself.
    if (running)
        m_transferGate->Close({m_exitAction});
    else
        m_transferGate->Open();
}

void TMainForm::showRandomTip() { m_tipBar->showRandomTip(); }

QString TMainForm::statusText(StatusPanel panel) const { return m_statusPanels->text(panel); }

void TMainForm::setStatusText(StatusPanel panel, const QString &text) { m_statusPanels->setText(panel, text); }

int TMainForm::treeWidth() const { return m_leftPane->maximumWidth(); }

void TMainForm::setTreeWidth(int width) { m_leftPane->setFixedWidth(qMax(0, width)); }

void TMainForm::onSplitterDrag(int x)
{
    const int wanted = m_splitter->x() + x - m_leftPane->x();
    if (PaneRules::SplitterShouldResize(treeWidth(), wanted))
        setTreeWidth(wanted);
}

int TMainForm::columnWidth(int column) const { return m_mainItems->columnWidth(column); }

void TMainForm::setColumnWidth(int column, int width) { m_mainItems->setColumnWidth(column, width); }

QString TMainForm::ActivePaneName() const
{
    return m_activePane == Pane::Folders ? QStringLiteral("Folders") : QStringLiteral("MainItems");
}

void TMainForm::SetActivePane(Pane pane) { m_activePane = pane; }

bool TMainForm::event(QEvent *event)
{
    // Every hint lands in the first status panel.
    if (event->type() == QEvent::StatusTip) {
        setStatusText(StatusPanel::Hint, static_cast<QStatusTipEvent *>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

bool TMainForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_folders && event->type() == QEvent::FocusIn)
        SetActivePane(Pane::Folders);
    const bool drag = event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove || event->type() == QEvent::Drop;
    if (drag && watched == m_mainItems->currentView()->viewport() && listDragEvent(event))
        return true;
    return QMainWindow::eventFilter(watched, event);
}

bool TMainForm::guarded(const std::function<void()> &call)
{
    try {
        call();
        return true;
    } catch (const std::exception &e) {
        ReportException(e, *m_services);
    }
    return false;
}
