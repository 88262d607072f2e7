#include "dragfilelist.h"

#include "comms/callerhistory.h"

#include "listcells.h"

#include <QDropEvent>
#include <QHeaderView>
#include <QListView>
#include <QMimeData>
#include <QStackedLayout>
#include <QTreeView>
#include <QUrl>

namespace {
const int DefaultColumnWidths[] = {125, 150, 150};

QStringList localFiles(const QMimeData *data)
{
    QStringList files;
    if (!data || !data->hasUrls())
        return files;
    for (const QUrl &url : data->urls())
        if (url.isLocalFile())
            files.append(url.toLocalFile());
    return files;
}
} // namespace

TDragFileList::TDragFileList(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("MainItems"));
    m_stack = new QStackedLayout(this);
    m_icons = new QListView(this);
    m_details = new QTreeView(this);

    // Every row answers with the one cell size, measured over all names.
    m_cells = new TListCellDelegate(m_icons);
    m_icons->setItemDelegate(m_cells);
    m_icons->setLayoutMode(QListView::Batched);
    m_icons->setBatchSize(500);
    m_icons->setResizeMode(QListView::Adjust);
    m_icons->setMovement(QListView::Static);

    m_details->setItemDelegate(new TTitleEditDelegate(m_details));
    m_details->setRootIsDecorated(false);
    m_details->setUniformRowHeights(true);
    m_details->setItemsExpandable(false);
    m_details->setAllColumnsShowFocus(true);
    m_details->setSortingEnabled(false);
    m_details->header()->setSectionsClickable(false);
    m_details->header()->setStretchLastSection(true);

    for (QAbstractItemView *view : {static_cast<QAbstractItemView *>(m_icons), static_cast<QAbstractItemView *>(m_details)}) {
        view->setSelectionMode(QAbstractItemView::ExtendedSelection);
        view->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
        view->setContextMenuPolicy(Qt::CustomContextMenu);
        view->setAcceptDrops(true);
        view->viewport()->setAcceptDrops(true);
        view->setDragEnabled(true);
        view->viewport()->installEventFilter(this);
        view->installEventFilter(this);
        connect(view, &QAbstractItemView::doubleClicked, this, &TDragFileList::rowDoubleClicked);
        connect(view, &QWidget::customContextMenuRequested, this,
                [this, view](const QPoint &pos) { emit contextMenuAt(view->viewport()->mapToGlobal(pos)); });
        m_stack->addWidget(view);
    }
    setViewStyle(ViewStyle::LargeIcons);
}

void TDragFileList::setModel(QAbstractItemModel *model)
{
    m_icons->setModel(model);
    m_details->setModel(model);
    // One selection for every format, so switching keeps it.
    QItemSelectionModel *old = m_details->selectionModel();
    m_details->setSelectionModel(m_icons->selectionModel());
    delete old;
    for (int c = 0; c < 3; ++c)
        m_details->setColumnWidth(c, DefaultColumnWidths[c]);
    connect(model, &QAbstractItemModel::modelReset, this, &TDragFileList::fitCells);
    connect(model, &QAbstractItemModel::layoutChanged, this, &TDragFileList::fitCells);
    connect(model, &QAbstractItemModel::rowsInserted, this,
            [this](const QModelIndex &, int first, int last) { growCells(first, last); });
    connect(model, &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex &from, const QModelIndex &to) { growCells(from.row(), to.row()); });
    fitCells();
}

void TDragFileList::fitCells()
{
    m_cells->reset(m_style == ViewStyle::LargeIcons);
    if (QAbstractItemModel *model = m_icons->model())
        m_cells->measure(*model, 0, model->rowCount() - 1, m_icons->fontMetrics());
    m_icons->setGridSize(m_cells->cellSize());
    m_icons->doItemsLayout();
}

void TDragFileList::growCells(int first, int last)
{
    // A name that fits changes nothing; a wider one widens every cell.
    if (m_icons->model() && m_cells->measure(*m_icons->model(), first, last, m_icons->fontMetrics()))
        m_icons->setGridSize(m_cells->cellSize());
}

QItemSelectionModel *TDragFileList::selectionModel() const { return m_icons->selectionModel(); }

void TDragFileList::setViewStyle(ViewStyle style)
{
    m_style = style;
    switch (style) {
    case ViewStyle::Details:
        m_stack->setCurrentWidget(m_details);
        return;
    case ViewStyle::LargeIcons:
        m_icons->setViewMode(QListView::IconMode);
        m_icons->setIconSize(QSize(32, 32));
        m_icons->setFlow(QListView::LeftToRight);
        m_icons->setWrapping(true);
        m_icons->setWordWrap(true);
        m_icons->setTextElideMode(Qt::ElideRight);
        break;
    case ViewStyle::SmallIcons:
        m_icons->setViewMode(QListView::ListMode);
        m_icons->setIconSize(QSize(16, 16));
        m_icons->setFlow(QListView::LeftToRight);
        m_icons->setWrapping(true);
        m_icons->setWordWrap(false);
        break;
    case ViewStyle::List:
        m_icons->setViewMode(QListView::ListMode);
        m_icons->setIconSize(QSize(16, 16));
        m_icons->setFlow(QListView::TopToBottom);
        m_icons->setWrapping(true);
        m_icons->setWordWrap(false);
        break;
    }
    m_icons->setMovement(QListView::Static);
    m_icons->setResizeMode(QListView::Adjust);
    fitCells();
    // A static layout turns drags and drops off; rows still leave by dragging, and files
    // from the desktop are still welcome.
    m_icons->setDragEnabled(true);
    m_icons->viewport()->setAcceptDrops(true);
    m_stack->setCurrentWidget(m_icons);
}

QAbstractItemView *TDragFileList::currentView() const
{
    return m_style == ViewStyle::Details ? static_cast<QAbstractItemView *>(m_details) : static_cast<QAbstractItemView *>(m_icons);
}

QList<QAbstractItemView *> TDragFileList::views() const { return {m_icons, m_details}; }

int TDragFileList::columnWidth(int column) const { return m_details->columnWidth(column); }

void TDragFileList::setColumnWidth(int column, int width)
{
    if (column >= 0 && column < 3)
        m_details->setColumnWidth(column, width);
}

bool TDragFileList::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::FocusIn:
        emit entered();
        break;
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto *drag = static_cast<QDropEvent *>(event);
        if (drag->mimeData()->hasFormat(TCallerRows::Format)) {
            drag->setDropAction(Qt::MoveAction);
            drag->accept();
            return true;
        }
        if (!localFiles(drag->mimeData()).isEmpty()) {
            drag->setDropAction(Qt::CopyAction);
            drag->accept();
            return true;
        }
        break;
    }
    case QEvent::Drop: {
        auto *drop = static_cast<QDropEvent *>(event);
        if (drop->mimeData()->hasFormat(TCallerRows::Format)) {
            drop->setDropAction(Qt::MoveAction);
            drop->accept();
            emit callerRowsDropped(drop->mimeData());
            return true;
        }
        const QStringList files = localFiles(drop->mimeData());
        if (!files.isEmpty()) {
            drop->setDropAction(Qt::CopyAction);
            drop->accept();
            emit filesDropped(files);
            return true;
        }
        break;
    }
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}
