#include "websitedialog.h"

#include "fieldwidgets.h"
#include "store/webobject.h"

#include <QFormLayout>
#include <QLineEdit>

TWebSiteDlg::TWebSiteDlg(TWebObject &site, const QStringList &categoryNames, QWidget *parent)
    : ItemDialog(site, categoryNames, tr("Website"), parent), m_site(site)
{
    m_title = makeTitleEdit(QStringLiteral("WebTitle"), 40, site.Title());
    m_web = MakeWebCombo(QStringLiteral("Web"), this);
    if (!site.Value().isEmpty())
        m_web->setEditText(site.Value());
    m_comment = makeEdit(QStringLiteral("WebComment"), 255, site.Comment());
    auto *form = new QFormLayout;
    form->addRow(tr("&Title:"), m_title);
    form->addRow(tr("&Address:"), m_web);
    form->addRow(tr("&Comment:"), m_comment);
    body()->addLayout(form);
}

bool TWebSiteDlg::apply() { return m_site.ApplyDialog(m_title->text(), m_web->currentText(), m_comment->text()); }
