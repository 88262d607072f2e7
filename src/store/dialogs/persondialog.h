#pragma once

#include "itemdialog.h"
#include "store/personname.h"

class PrimaryPagesWidget;
class QComboBox;
class TPersonObject;

// A person: title, salutation, name parts and comment above, the five primary
// contact points on pages below. Leaving the title splits it into name parts.
class TEditPersDlg : public ItemDialog
{
    Q_OBJECT
public:
    TEditPersDlg(TPersonObject &person, bool isNew, const QStringList &categoryNames, QWidget *parent = nullptr);

    PrimaryPagesWidget *pages() const { return m_pages; }
    TPersonNames names() const;
    bool apply();

private:
    void titleExit();

    TPersonObject &m_person;
    bool m_isNew;
    QLineEdit *m_title;
    QComboBox *m_salutation;
    QLineEdit *m_first;
    QLineEdit *m_middle;
    QLineEdit *m_last;
    QLineEdit *m_comment;
    PrimaryPagesWidget *m_pages;
};
