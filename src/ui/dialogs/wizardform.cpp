#include "wizardform.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

TWizardForm::TWizardForm(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      m_stack(new QStackedWidget(this)), m_cancel(new QPushButton(tr("Cancel"), this)),
      m_back(new QPushButton(tr("<< Back"), this)), m_next(new QPushButton(tr("Next >>"), this))
{
    setWindowTitle(tr("Wizard"));
    setModal(true);
    m_cancel->setObjectName(QStringLiteral("CancelBtn"));
    m_back->setObjectName(QStringLiteral("PrevBtn"));
    m_next->setObjectName(QStringLiteral("NextBtn"));
    m_next->setDefault(true);
    auto *line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_cancel);
    buttons->addSpacing(12);
    buttons->addWidget(m_back);
    buttons->addWidget(m_next);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_stack, 1);
    layout->addWidget(line);
    layout->addLayout(buttons);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_back, &QPushButton::clicked, this, &TWizardForm::PrevPage);
    connect(m_next, &QPushButton::clicked, this, &TWizardForm::NextPage);
    resize(560, 400);
}

QWidget *TWizardForm::AddSheet(QWidget *sheet)
{
    m_stack->addWidget(sheet);
    return sheet;
}

void TWizardForm::SetSequence(const QList<QWidget *> &pages)
{
    m_sequence = pages;
    m_position = 0;
    showPosition();
}

QWidget *TWizardForm::CurrentSheet() const { return m_sequence.value(m_position); }

void TWizardForm::NextPage()
{
    if (!m_next->isEnabled())
        return;
    if (m_position + 1 >= m_sequence.size()) {
        accept();
        return;
    }
    ++m_position;
    showPosition();
}

void TWizardForm::PrevPage()
{
    if (m_position == 0)
        return;
    --m_position;
    showPosition();
}

void TWizardForm::SetNextEnabled(bool enabled) { m_next->setEnabled(enabled); }

void TWizardForm::showPosition()
{
    if (QWidget *sheet = CurrentSheet())
        m_stack->setCurrentWidget(sheet);
    const bool last = m_position + 1 >= m_sequence.size();
    m_next->setText(last ? tr("Finish") : tr("Next >>"));
    m_back->setEnabled(m_position > 0);
    m_next->setEnabled(true);
    emit pageChanged(CurrentSheet());
}
