#include "phonedialog.h"

#include "store/phoneobject.h"

#include <QFormLayout>
#include <QLabel>

TPhoneEditDlg::TPhoneEditDlg(TPhoneObject &phone, bool isNew, const QStringList &categoryNames, QWidget *parent)
    : ItemDialog(phone, categoryNames, tr("Phone"), parent), m_phone(phone),
      m_number(QStringLiteral("PhoneNum"), QStringLiteral("PhoneFmt"), tr("Phone Number Format"), PhoneFormats(), this)
{
    m_title = makeTitleEdit(QStringLiteral("PhoneTitle"), 40, phone.Title());
    m_number.field->setText(phone.Value());
    m_extension = makeEdit(QStringLiteral("Extension"), 6, phone.Extension());
    m_comment = makeEdit(QStringLiteral("PhoneComment"), 255, phone.Comment());

    auto *form = new QFormLayout;
    form->addRow(tr("&Title:"), m_title);
    form->addRow(tr("&Number:"), m_number.field);
    form->addRow(m_number.label, m_number.formats);
    form->addRow(tr("&Extension:"), m_extension);
    form->addRow(tr("&Comment:"), m_comment);
    body()->addLayout(form);

    m_number.start(isNew);
}

bool TPhoneEditDlg::apply()
{
    return m_phone.ApplyDialog(m_title->text(), m_number.field->shownText(), m_number.field->bareText(), m_comment->text(),
                               m_extension->text());
}
