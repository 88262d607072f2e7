#include "calleridform.h"

#include "comms/callermonitor.h"
#include "platform/profile.h"
#include "platform/programsettings.h"
#include "store/zebobject.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QSystemTrayIcon>
#include <QTreeView>
#include <QVBoxLayout>

namespace {

const QString SettingsSection = QLatin1String(Settings::SettingsSection);
const QString HistoryKey = QLatin1String(Settings::CallerHistoryKey);

// The history's rows with the phone picture before the name.
class HistoryIcons : public QIdentityProxyModel
{
public:
    HistoryIcons(const QIcon &icon, QObject *parent) : QIdentityProxyModel(parent), m_icon(icon) {}
    QIcon m_icon;
    QVariant data(const QModelIndex &index, int role) const override
    {
        if (role == Qt::DecorationRole && index.column() == 0)
            return m_icon;
        return QIdentityProxyModel::data(index, role);
    }
};

} // namespace

TCallerIdForm::TCallerIdForm(std::unique_ptr<CallerIdMonitor> monitor, QWidget *parent)
    : QWidget(parent, Qt::Window), m_monitor(std::move(monitor))
{
    setWindowTitle(tr("Caller ID"));
    auto *layout = new QVBoxLayout(this);
    auto *call = new QGridLayout;
    call->addWidget(new QLabel(tr("Name:"), this), 0, 0);
    m_name = new QLabel(CallerIdMonitor::NoCall, this);
    m_name->setMinimumWidth(180);
    m_name->setTextInteractionFlags(Qt::TextSelectableByMouse);
    call->addWidget(m_name, 0, 1);
    call->addWidget(new QLabel(tr("Number:"), this), 1, 0);
    m_number = new QLabel(CallerIdMonitor::NoCall, this);
    m_number->setTextInteractionFlags(Qt::TextSelectableByMouse);
    call->addWidget(m_number, 1, 1);
    m_find = new QPushButton(tr("Find"), this);
    m_find->setToolTip(tr("Find name in database"));
    m_find->setEnabled(false);
    call->addWidget(m_find, 0, 2);
    m_historyButton = new QPushButton(tr("History >>"), this);
    m_historyButton->setToolTip(tr("Show or hide call history"));
    call->addWidget(m_historyButton, 1, 2);
    call->setColumnStretch(1, 1);
    layout->addLayout(call);
    auto *separator = new QFrame(this);
    separator->setFrameShape(QFrame::HLine);
    separator->setFrameShadow(QFrame::Sunken);
    layout->addWidget(separator);

    m_historyPanel = new QWidget(this);
    auto *panel = new QVBoxLayout(m_historyPanel);
    panel->setContentsMargins(0, 0, 0, 0);
    m_view = new QTreeView(m_historyPanel);
    m_view->setRootIsDecorated(false);
    m_view->setUniformRowHeights(true);
    m_view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_view->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
    m_view->setToolTip(tr("Drag & drop to main window to add to database"));
    m_view->setDragEnabled(true);
    m_view->setDragDropMode(QAbstractItemView::DragOnly);
    m_view->setDefaultDropAction(Qt::MoveAction);
    auto *icons = new HistoryIcons(QIcon(), this);
    icons->setSourceModel(&m_monitor->history());
    m_view->setModel(icons);
    m_view->setColumnWidth(0, 125);
    // At least wide enough for a number as caller ID gives it (212-555-1234).
    m_view->setColumnWidth(1, qMax(90, m_view->fontMetrics().horizontalAdvance(QStringLiteral("000-000-0000")) + 16));
    m_view->header()->setStretchLastSection(true);
    m_view->setMinimumHeight(160);
    panel->addWidget(m_view);
    auto *buttons = new QHBoxLayout;
    auto *dialButton = new QPushButton(tr("Dial..."), m_historyPanel);
    dialButton->setToolTip(tr("Dial selected number"));
    auto *findRow = new QPushButton(tr("Find"), m_historyPanel);
    findRow->setToolTip(tr("Find name in database"));
    auto *deleteButton = new QPushButton(tr("Delete"), m_historyPanel);
    deleteButton->setToolTip(tr("Delete selected"));
    buttons->addWidget(dialButton);
    buttons->addWidget(findRow);
    buttons->addWidget(deleteButton);
    buttons->addStretch();
    buttons->addWidget(new QLabel(tr("How many?"), m_historyPanel));
    m_size = new QSpinBox(m_historyPanel);
    m_size->setRange(TCallerHistory::MinSize, TCallerHistory::MaxSize);
    m_size->setToolTip(tr("Adjust history size"));
    buttons->addWidget(m_size);
    panel->addLayout(buttons);
    layout->addWidget(m_historyPanel);
    m_historyPanel->hide();
    layout->setSizeConstraint(QLayout::SetFixedSize);

    m_tray = new QSystemTrayIcon(this);
    m_tray->setToolTip(tr(TrayTip));
    connect(m_tray, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::Trigger) {
            show();
            raise();
            activateWindow();
        }
    });

    m_monitor->history().SetSize(Settings::CallerHistorySize(Profile(), TCallerHistory::MaxSize));
    m_size->setValue(m_monitor->history().Size());
    connect(m_size, &QSpinBox::valueChanged, this, [this](int size) { m_monitor->history().SetSize(size); });

    connect(m_monitor.get(), &CallerIdMonitor::callArrived, this, [this] {
        showCall();
        show();
        raise();
    });
    connect(m_monitor.get(), &CallerIdMonitor::callEnded, this, &TCallerIdForm::showCall);
    connect(m_find, &QPushButton::clicked, this, &TCallerIdForm::FindClick);
    connect(m_historyButton, &QPushButton::clicked, this, &TCallerIdForm::HistoryClick);
    connect(dialButton, &QPushButton::clicked, this, &TCallerIdForm::DialClick);
    connect(findRow, &QPushButton::clicked, this, &TCallerIdForm::FindRowClick);
    connect(deleteButton, &QPushButton::clicked, this, &TCallerIdForm::DeleteClick);
    connect(m_view, &QTreeView::doubleClicked, this, &TCallerIdForm::DialClick);
}

TCallerIdForm::~TCallerIdForm()
{
    // The history goes before the view, which is taken down with the window after it.
    static_cast<QIdentityProxyModel *>(m_view->model())->setSourceModel(nullptr);
    m_monitor->SaveHistory();
    Profile settings;
    settings.writeInteger(SettingsSection, HistoryKey, m_monitor->history().Size());
    settings.save();
}

void TCallerIdForm::setPhoneIcon(const QIcon &icon)
{
    static_cast<HistoryIcons *>(m_view->model())->m_icon = icon;
    m_tray->setIcon(icon);
}

void TCallerIdForm::setTrayIconActive(bool on)
{
    m_tray->setVisible(on && QSystemTrayIcon::isSystemTrayAvailable());
}

void TCallerIdForm::showCall()
{
    m_name->setText(m_monitor->name());
    m_number->setText(m_monitor->number());
    m_find->setEnabled(m_monitor->findEnabled());
}

bool TCallerIdForm::historyShown() const
{
    return m_historyPanel->isVisibleTo(this);
}

void TCallerIdForm::HistoryClick()
{
    const bool show = !historyShown();
    m_historyPanel->setVisible(show);
    m_historyButton->setText(show ? tr("No History") : tr("History >>"));
}

void TCallerIdForm::FindClick()
{
    if (locatePhone)
        locatePhone(m_number->text());
}

int TCallerIdForm::currentRow() const
{
    const QModelIndex index = m_view->currentIndex();
    return index.isValid() && m_view->selectionModel()->isRowSelected(index.row(), {}) ? index.row() : -1;
}

void TCallerIdForm::DialClick()
{
    const TZEBObject *item = m_monitor->history().Item(currentRow());
    if (item && dial)
        dial(item->Title(), item->Value());
}

void TCallerIdForm::FindRowClick()
{
    const TZEBObject *item = m_monitor->history().Item(currentRow());
    if (item && locatePhone)
        locatePhone(item->Value());
}

void TCallerIdForm::DeleteClick()
{
    QList<int> rows;
    for (const QModelIndex &index : m_view->selectionModel()->selectedRows())
        rows.append(index.row());
    m_monitor->history().Remove(rows);
}
