#include "phonedialog.h"

#include "numberfield.h"
#include "store/phoneobject.h"

#include <QFormLayout>
#include <QLabel>

TPhoneEditDlg::TPhoneEditDlg(TPhoneObject &phone, bool isNew, const QStringList &categoryNames, QWidget *parent)
    : ItemDialog(phone, categoryNames, tr("Phone"), parent), m_phone(phone)
{
    m_title = makeEdit(QStringLiteral("PhoneTitle"), 40, phone.Title());
    m_number = new NumberField(this);
    m_number->setObjectName(QStringLiteral("PhoneNum"));
    m_number->setText(phone.Value());
    m_format = new PhoneFormatList(PhoneFormats(), m_number, this);
    m_format->setObjectName(QStringLiteral("PhoneFmt"));
    m_formatLabel = new QLabel(tr("Phone Number Format"), this);
    m_formatLabel->setBuddy(m_format);
    m_extension = makeEdit(QStringLiteral("Extension"), 6, phone.Extension());
    m_comment = makeEdit(QStringLiteral("PhoneComment"), 255, phone.Comment());

    auto *form = new QFormLayout;
    form->addRow(tr("&Title:"), m_title);
    form->addRow(tr("&Number:"), m_number);
    form->addRow(m_formatLabel, m_format);
    form->addRow(tr("&Extension:"), m_extension);
    form->addRow(tr("&Comment:"), m_comment);
    body()->addLayout(form);

    // Only a new number is typed in a format; a stored one is shown as it was kept.
    m_format->setVisible(isNew);
    m_formatLabel->setVisible(isNew);
    if (isNew)
        m_format->choose(0);
}

bool TPhoneEditDlg::apply()
{
    return m_phone.ApplyDialog(m_title->text(), m_number->shownText(), m_number->bareText(), m_comment->text(),
                               m_extension->text());
}
