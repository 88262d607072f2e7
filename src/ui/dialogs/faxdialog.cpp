#include "faxdialog.h"

#include "store/faxobject.h"

#include <QFormLayout>
#include <QLabel>

TFaxEditDlg::TFaxEditDlg(TFaxObject &fax, bool isNew, const QStringList &categoryNames, QWidget *parent)
    : ItemDialog(fax, categoryNames, tr("Fax"), parent), m_fax(fax), m_isNew(isNew),
      m_number(QStringLiteral("FaxNum"), QStringLiteral("FaxFmt"), tr("Fax Number Format"), FaxFormats(), this)
{
    m_title = makeTitleEdit(QStringLiteral("FaxTitle"), 40, fax.Title());
    m_number.field->setText(fax.Value());
    m_comment = makeEdit(QStringLiteral("FaxComment"), 255, fax.Comment());

    auto *form = new QFormLayout;
    form->addRow(tr("&Title:"), m_title);
    form->addRow(tr("&Number:"), m_number.field);
    form->addRow(m_number.label, m_number.formats);
    form->addRow(tr("&Comment:"), m_comment);
    body()->addLayout(form);

    m_number.start(isNew); // a new fax starts in "USA", with its mask
}

bool TFaxEditDlg::apply()
{
    return m_fax.ApplyDialog(m_title->text(), m_number.field->shownText(), m_number.field->bareText(), m_comment->text(),
                             m_isNew);
}
