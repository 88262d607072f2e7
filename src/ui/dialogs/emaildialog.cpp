#include "emaildialog.h"

#include "store/emailobject.h"

#include <QFormLayout>
#include <QLineEdit>

TEMailEditDlg::TEMailEditDlg(TEMailObject &mail, const QStringList &categoryNames, QWidget *parent)
    : ItemDialog(mail, categoryNames, tr("E-Mail"), parent), m_mail(mail)
{
    m_title = makeTitleEdit(QStringLiteral("EMailTitle"), 40, mail.Title());
    m_address = makeEdit(QStringLiteral("EMailAddr"), 80, mail.Value());
    m_comment = makeEdit(QStringLiteral("EMailComment"), 255, mail.Comment());
    auto *form = new QFormLayout;
    form->addRow(tr("&Title:"), m_title);
    form->addRow(tr("&Address:"), m_address);
    form->addRow(tr("&Comment:"), m_comment);
    body()->addLayout(form);
}

bool TEMailEditDlg::apply() { return m_mail.ApplyDialog(m_title->text(), m_address->text(), m_comment->text()); }
