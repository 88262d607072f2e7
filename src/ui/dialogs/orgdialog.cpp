#include "orgdialog.h"

#include "primarypages.h"
#include "store/orgobject.h"

#include <QFormLayout>
#include <QLineEdit>

TOrgEditDlg::TOrgEditDlg(TOrgObject &org, bool isNew, const QStringList &categoryNames, QWidget *parent)
    : ItemDialog(org, categoryNames, tr("Organization"), parent), m_org(org), m_isNew(isNew)
{
    m_title = makeTitleEdit(QStringLiteral("Title"), 0, org.Title());
    m_comment = makeEdit(QStringLiteral("Comment"), 0, org.Comment());
    auto *form = new QFormLayout;
    form->addRow(tr("&Name:"), m_title);
    form->addRow(tr("&Comment:"), m_comment);
    body()->addLayout(form);
    m_pages = new PrimaryPagesWidget(org, isNew, this);
    body()->addWidget(m_pages);
}

bool TOrgEditDlg::apply() { return m_org.ApplyDialog(m_title->text(), m_comment->text(), m_pages->pages(), m_isNew); }
