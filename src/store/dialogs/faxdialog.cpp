#include "faxdialog.h"

#include "numberfield.h"
#include "store/faxobject.h"

#include <QFormLayout>
#include <QLabel>

TFaxEditDlg::TFaxEditDlg(TFaxObject &fax, bool isNew, const QStringList &categoryNames, QWidget *parent)
    : ItemDialog(fax, categoryNames, tr("Fax"), parent), m_fax(fax), m_isNew(isNew)
{
    m_title = makeEdit(QStringLiteral("FaxTitle"), 40, fax.Title());
    m_number = new NumberField(this);
    m_number->setObjectName(QStringLiteral("FaxNum"));
    m_number->setText(fax.Value());
    m_format = new PhoneFormatList(FaxFormats(), m_number, this);
    m_format->setObjectName(QStringLiteral("FaxFmt"));
    m_formatLabel = new QLabel(tr("Fax Number Format"), this);
    m_formatLabel->setBuddy(m_format);
    m_comment = makeEdit(QStringLiteral("FaxComment"), 255, fax.Comment());

    auto *form = new QFormLayout;
    form->addRow(tr("&Title:"), m_title);
    form->addRow(tr("&Number:"), m_number);
    form->addRow(m_formatLabel, m_format);
    form->addRow(tr("&Comment:"), m_comment);
    body()->addLayout(form);

    m_format->setVisible(isNew);
    m_formatLabel->setVisible(isNew);
    if (isNew)
        m_format->choose(0); // "USA", with its mask
}

bool TFaxEditDlg::apply()
{
    return m_fax.ApplyDialog(m_title->text(), m_number->shownText(), m_number->bareText(), m_comment->text(),
                             m_isNew);
}
