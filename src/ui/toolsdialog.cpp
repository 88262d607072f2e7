#include "toolsdialog.h"

#include "store/toolitems.h"
#include "toolrows.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

TToolsDlg::TToolsDlg(const TToolItems &tools, const TImageList &images, ItemServices &services, QWidget *parent)
    : QDialog(parent, Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , m_tools(tools)
    , m_services(services)
    , m_list(new QListWidget(this))
    , m_launch(new QPushButton(tr("&Launch"), this))
    , m_address(new QPushButton(tr("&New Address..."), this))
{
    setObjectName(QStringLiteral("ToolsDlg"));
    setWindowTitle(tr("Tools"));
    m_list->setObjectName(QStringLiteral("ToolsList"));
    SetUpToolList(m_list);
    for (int i = 0; i < tools.Count(); ++i)
        AddToolRow(m_list, *tools.Items(i), images);
    m_list->setCurrentRow(-1);
    m_launch->setObjectName(QStringLiteral("LaunchBtn"));
    m_address->setObjectName(QStringLiteral("AddrBtn"));
    auto *close = new QPushButton(tr("&Close"), this);
    close->setObjectName(QStringLiteral("CloseBtn"));
    m_launch->setEnabled(false);
    m_address->setEnabled(false);
    m_launch->setDefault(true);

    auto *buttons = new QVBoxLayout;
    buttons->addWidget(m_launch);
    buttons->addWidget(m_address);
    buttons->addStretch();
    buttons->addWidget(close);
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addLayout(buttons);
    resize(360, 260);

    connect(m_list, &QListWidget::itemSelectionChanged, this, &TToolsDlg::ToolsListClick);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &TToolsDlg::LaunchBtnClick);
    connect(m_launch, &QPushButton::clicked, this, &TToolsDlg::LaunchBtnClick);
    connect(m_address, &QPushButton::clicked, this, &TToolsDlg::AddrBtnClick);
    connect(close, &QPushButton::clicked, this, &TToolsDlg::CloseBtnClick);
}

const TToolItem *TToolsDlg::selectedTool() const
{
    const QList<QListWidgetItem *> selected = m_list->selectedItems();
    return selected.isEmpty() ? nullptr : m_tools.Items(m_list->row(selected.first()));
}

void TToolsDlg::ToolsListClick()
{
    const TToolItem *tool = selectedTool();
    m_launch->setEnabled(tool != nullptr);
    m_address->setEnabled(tool && tool->AllowAddress());
}

void TToolsDlg::LaunchBtnClick()
{
    const TToolItem *tool = selectedTool();
    if (!tool)
        return;
    // A tool that cannot start has been reported by the services.
    tool->Launch(m_services, QString());
    done(Launched);
}

void TToolsDlg::AddrBtnClick()
{
    const TToolItem *tool = selectedTool();
    if (tool && tool->AllowAddress())
        done(NewAddress);
}

void TToolsDlg::CloseBtnClick() { reject(); }

void TToolsDlg::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (const QScreen *screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}
