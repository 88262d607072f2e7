#include "progressform.h"

#include "exchange/progress.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

TProgressForm::TProgressForm(ProgressState &state, QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint), m_state(state)
{
    setObjectName(QStringLiteral("ProgressForm"));
    setWindowTitle(tr("Progress"));
    setWindowModality(Qt::ApplicationModal);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 6, 8, 6);
    layout->setSpacing(2);
    m_action = new QLabel(this);
    m_bar = new QProgressBar(this);
    m_bar->setRange(0, 100);
    m_bar->setTextVisible(false);
    m_bar->setFixedHeight(14);
    m_percent = new QLabel(this);
    m_percent->setAlignment(Qt::AlignCenter);
    m_result = new QLabel(this);
    m_result->setAlignment(Qt::AlignCenter);
    m_cancel = new QPushButton(tr("Cancel"), this);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_cancel);
    buttons->addStretch();
    layout->addWidget(m_action);
    layout->addWidget(m_bar);
    layout->addWidget(m_percent);
    layout->addWidget(m_result);
    layout->addLayout(buttons);
    m_cancel->hide();
    setMinimumSize(295, 81);
    connect(m_cancel, &QPushButton::clicked, this, [this] { m_state.Cancel(); });
    connect(&m_state, &ProgressState::changed, this, &TProgressForm::showState);
    connect(&m_state, &ProgressState::shownChanged, this, &TProgressForm::setShown);
    showState();
}

void TProgressForm::showState()
{
    m_action->setText(m_state.Action());
    m_bar->setValue(m_state.Percent());
    m_percent->setText(m_state.PercentText());
    m_result->setText(m_state.Result());
    if (!isVisible())
        return;
    // The work runs on this thread: the form is painted now, not when the work is over.
    repaint();
    // Work that can be stopped lets the Cancel button be heard; the other windows take
    // no input while the form is modal.
    if (m_state.Cancellable())
        QCoreApplication::processEvents();
}

void TProgressForm::setShown(bool shown)
{
    if (!shown) {
        hide();
        return;
    }
    m_cancel->setVisible(m_state.Cancellable());
    adjustSize();
    resize(qMax(width(), 295), qMax(height(), 81));
    const QScreen *screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    if (screen)
        move(screen->availableGeometry().center() - rect().center());
    showState();
    show();
    raise();
    // Mapped and painted before the work goes on; the user's input waits.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TProgressForm::closeEvent(QCloseEvent *event)
{
    // The window goes when the work ends; closing it asks the work to stop where it can.
    m_state.Cancel();
    if (m_state.Running())
        event->ignore();
    else
        event->accept();
}

void TProgressForm::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        m_state.Cancel();
        return;
    }
    QWidget::keyPressEvent(event);
}
