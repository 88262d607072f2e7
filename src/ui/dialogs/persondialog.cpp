#include "persondialog.h"

#include "fieldwidgets.h"
#include "primarypages.h"
#include "store/personobject.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>

TEditPersDlg::TEditPersDlg(TPersonObject &person, bool isNew, const QStringList &categoryNames, QWidget *parent)
    : ItemDialog(person, categoryNames, tr("Person"), parent), m_person(person), m_isNew(isNew)
{
    m_title = makeTitleEdit(QStringLiteral("Title"), 40, person.Title());
    m_splitTitle = m_title->text();
    m_salutation = new QComboBox(this);
    m_salutation->setObjectName(QStringLiteral("Salutation"));
    m_salutation->setEditable(true);
    m_salutation->setInsertPolicy(QComboBox::NoInsert);
    m_salutation->addItems({QStringLiteral("Mr."), QStringLiteral("Mrs."), QStringLiteral("Ms."),
                            QStringLiteral("Miss"), QStringLiteral("Dr."), QStringLiteral("Mr. & Mrs."),
                            QStringLiteral("Dr. & Mrs.")});
    m_salutation->setMaxVisibleItems(4);
    m_salutation->setEditText(person.Salutation());
    m_first = makeEdit(QStringLiteral("FName"), 20, person.FirstName());
    m_middle = makeEdit(QStringLiteral("MName"), 20, person.MiddleName());
    m_last = makeEdit(QStringLiteral("LName"), 25, person.LastName());
    m_comment = makeEdit(QStringLiteral("Comment"), 255, person.Comment());

    auto *form = new QFormLayout;
    form->addRow(tr("&Title:"), m_title);
    form->addRow(tr("&Salutation:"), m_salutation);
    form->addRow(tr("&First Name:"), m_first);
    form->addRow(tr("&Middle Name:"), m_middle);
    form->addRow(tr("&Last Name:"), m_last);
    form->addRow(tr("&Comment:"), m_comment);
    body()->addLayout(form);
    m_pages = new PrimaryPagesWidget(person, isNew, this);
    body()->addWidget(m_pages);

    connect(m_title, &QLineEdit::editingFinished, this, &TEditPersDlg::titleExit);
}

TEditPersDlg::~TEditPersDlg()
{
    // A dialog taken down while shown hides first, and the title losing the focus then
    // reports its edit: the names it would be split into are gone by that time.
    disconnect(m_title, &QLineEdit::editingFinished, this, &TEditPersDlg::titleExit);
}

void TEditPersDlg::titleExit()
{
    // Only a changed title is split: passing through the field (or clicking OK
    // from it) must not overwrite names the user set apart from the title.
    if (m_title->text() == m_splitTitle)
        return;
    m_splitTitle = m_title->text();
    TPersonNames split = names();
    if (!SplitTitle(m_title->text(), split))
        return;
    // A word longer than a field's typing limit is still taken whole.
    SetLimitedText(m_first, 20, split.FirstName);
    SetLimitedText(m_middle, 20, split.MiddleName);
    SetLimitedText(m_last, 25, split.LastName);
}

TPersonNames TEditPersDlg::names() const
{
    TPersonNames n;
    n.Salutation = m_salutation->currentText();
    n.FirstName = m_first->text();
    n.MiddleName = m_middle->text();
    n.LastName = m_last->text();
    return n;
}

bool TEditPersDlg::apply()
{
    return m_person.ApplyDialog(m_title->text(), names(), m_comment->text(), m_pages->pages(), m_isNew);
}
