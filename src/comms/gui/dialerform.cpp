#include "dialerform.h"

#include "comms/dialersession.h"
#include "platform/telephonyline.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

TDialerForm::TDialerForm(const QString &caption, const QString &recipient, const QString &number,
                         const TDialSettings &settings, std::unique_ptr<TetLine> line, QWidget *parent)
    : QDialog(parent), m_session(std::make_unique<DialerSession>(settings, std::move(line))), m_number(number)
{
    setWindowTitle(caption);
    auto *layout = new QVBoxLayout(this);
    auto *form = new QFormLayout;
    form->addRow(tr("Name:"), new QLabel(recipient, this));
    m_numberLabel = new QLabel(number, this);
    form->addRow(tr("Number:"), m_numberLabel);
    layout->addLayout(form);
    m_longDistance = new QCheckBox(tr("Dial as long distance number"), this);
    m_longDistance->hide();
    layout->addWidget(m_longDistance);
    auto *instructions = new QLabel(tr(Instructions), this);
    instructions->setWordWrap(true);
    layout->addWidget(instructions);
    auto *buttons = new QHBoxLayout;
    m_talk = new QPushButton(tr("Talk"), this);
    m_hangup = new QPushButton(tr("Hangup"), this);
    m_redial = new QPushButton(tr("Redial"), this);
    m_talk->setDefault(true);
    buttons->addWidget(m_talk);
    buttons->addWidget(m_hangup);
    buttons->addWidget(m_redial);
    layout->addLayout(buttons);
    m_status = new QStatusBar(this);
    m_status->setSizeGripEnabled(false);
    layout->addWidget(m_status);
    setMinimumWidth(360);

    showError = [this](const QString &message) { QMessageBox::critical(this, windowTitle(), message); };
    connect(m_session.get(), &DialerSession::statusChanged, m_status, [this](const QString &text) {
        m_status->showMessage(text);
    });
    connect(m_session.get(), &DialerSession::errorRaised, this, [this](const QString &message) {
        if (showError)
            showError(message);
    });
    connect(m_session.get(), &DialerSession::talkEnabledChanged, m_talk, &QWidget::setEnabled);
    connect(m_talk, &QPushButton::clicked, m_session.get(), &DialerSession::Talk);
    connect(m_hangup, &QPushButton::clicked, m_session.get(), &DialerSession::Hangup);
    connect(m_redial, &QPushButton::clicked, m_session.get(), &DialerSession::Redial);
    connect(m_longDistance, &QCheckBox::toggled, m_session.get(), &DialerSession::SetLongDistance);
}

TDialerForm::~TDialerForm()
{
    m_session->Close();
}

QString TDialerForm::statusText() const
{
    return m_status->currentMessage();
}

void TDialerForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (m_started)
        return;
    m_started = true;
    m_session->Start(m_number);
    m_numberLabel->setText(m_session->keptNumber());
    m_longDistance->setVisible(m_session->offersLongDistance());
}

void TDialerForm::done(int result)
{
    m_session->Close();
    QDialog::done(result);
}
