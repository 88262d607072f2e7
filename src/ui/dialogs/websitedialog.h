#pragma once

#include "itemdialog.h"

class QComboBox;
class TWebObject;

// A website's address, which must begin with a known scheme.
class TWebSiteDlg : public ItemDialog
{
    Q_OBJECT
public:
    TWebSiteDlg(TWebObject &site, const QStringList &categoryNames, QWidget *parent = nullptr);

    bool apply();

private:
    TWebObject &m_site;
    QLineEdit *m_title;
    QComboBox *m_web;
    QLineEdit *m_comment;
};
