#pragma once

#include "itemdialog.h"

class PrimaryPagesWidget;
class TOrgObject;

// An organization: name and comment above, the five primary contact points below.
class TOrgEditDlg : public ItemDialog
{
    Q_OBJECT
public:
    TOrgEditDlg(TOrgObject &org, bool isNew, const QStringList &categoryNames, QWidget *parent = nullptr);

    PrimaryPagesWidget *pages() const { return m_pages; }
    bool apply();

private:
    TOrgObject &m_org;
    bool m_isNew;
    QLineEdit *m_title;
    QLineEdit *m_comment;
    PrimaryPagesWidget *m_pages;
};
