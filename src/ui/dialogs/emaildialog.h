#pragma once

#include "itemdialog.h"

class TEMailObject;

// An e-mail address; its form is not checked.
class TEMailEditDlg : public ItemDialog
{
    Q_OBJECT
public:
    TEMailEditDlg(TEMailObject &mail, const QStringList &categoryNames, QWidget *parent = nullptr);

    bool apply();

private:
    TEMailObject &m_mail;
    QLineEdit *m_title;
    QLineEdit *m_address;
    QLineEdit *m_comment;
};
