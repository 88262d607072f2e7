#pragma once

#include "itemdialog.h"

class TTeamObject;

// A team's name and comment.
class TTeamEditDlg : public ItemDialog
{
    Q_OBJECT
public:
    TTeamEditDlg(TTeamObject &team, const QStringList &categoryNames, QWidget *parent = nullptr);

    bool apply();

private:
    TTeamObject &m_team;
    QLineEdit *m_title;
    QLineEdit *m_comment;
};
