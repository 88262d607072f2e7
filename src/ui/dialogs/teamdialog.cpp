#include "teamdialog.h"

#include "store/teamobject.h"

#include <QFormLayout>
#include <QLineEdit>

TTeamEditDlg::TTeamEditDlg(TTeamObject &team, const QStringList &categoryNames, QWidget *parent)
    : ItemDialog(team, categoryNames, tr("Team"), parent), m_team(team)
{
    m_title = makeTitleEdit(QStringLiteral("TeamTitle"), 40, team.Title());
    m_comment = makeEdit(QStringLiteral("TeamComment"), 255, team.Comment());
    auto *form = new QFormLayout;
    form->addRow(tr("&Title:"), m_title);
    form->addRow(tr("&Comment:"), m_comment);
    body()->addLayout(form);
}

bool TTeamEditDlg::apply() { return m_team.ApplyDialog(m_title->text(), m_comment->text()); }
