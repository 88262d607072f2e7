#include "reminderdialog.h"

#include "recurringdatedlg.h"
#include "store/databasecontext.h"
#include "store/itemservices.h"
#include "store/reminderobject.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TRemdDlg::TRemdDlg(TReminderObject &reminder, bool isNew, const QStringList &categoryNames, QWidget *parent)
    : ItemDialog(reminder, categoryNames, tr("Reminder"), parent), m_reminder(reminder), m_rule(reminder.Recurrence())
{
    runCalendar = Execute;
    Q_UNUSED(isNew); // a new reminder comes with its default title and today's date
    m_title = makeTitleEdit(QStringLiteral("TitleEdit"), 255, reminder.Title());
    m_target = new QLabel(this);
    m_target->setObjectName(QStringLiteral("TargetDateLabel"));
    m_target->setWordWrap(true);
    m_target->setMinimumWidth(260);
    m_setDate = new QPushButton(tr("Set Date..."), this);
    m_setDate->setObjectName(QStringLiteral("SetDateBtn"));
    m_setDate->setToolTip(tr("Select due date(s)"));
    m_advance = new QPushButton(tr("Advance"), this);
    m_advance->setObjectName(QStringLiteral("AdvanceBtn"));
    m_advance->setToolTip(tr("Advance due date"));
    m_comment = makeEdit(QStringLiteral("RemdComment"), 255, reminder.Comment());

    auto *dateButtons = new QHBoxLayout;
    dateButtons->addWidget(m_setDate);
    dateButtons->addWidget(m_advance);
    dateButtons->addStretch(1);
    auto *form = new QFormLayout;
    form->addRow(tr("&Title:"), m_title);
    form->addRow(tr("Date(s):"), m_target);
    form->addRow(QString(), dateButtons);
    form->addRow(tr("&Comment:"), m_comment);
    body()->addLayout(form);

    connect(m_setDate, &QPushButton::clicked, this, &TRemdDlg::SetDateBtnClick);
    connect(m_advance, &QPushButton::clicked, this, &TRemdDlg::AdvanceBtnClick);
    showDescription();
}

void TRemdDlg::SetDateBtnClick()
{
    if (runCalendar && runCalendar(m_rule, this))
        showDescription();
}

void TRemdDlg::AdvanceBtnClick()
{
    if (!m_rule.Advance()) {
        m_reminder.Context().Services().ShowInformation(TReminderObject::CannotAdvanceText());
        return;
    }
    showDescription();
}

bool TRemdDlg::apply() { return m_reminder.ApplyDialog(m_title->text(), m_comment->text(), m_rule); }

void TRemdDlg::showDescription() { m_target->setText(m_rule.GetDescription()); }
