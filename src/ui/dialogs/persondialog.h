#pragma once

#include "itemdialog.h"
#include "store/personname.h"

class PrimaryPagesWidget;
class QComboBox;
class TPersonObject;

// A person: title, salutation, name parts and comment above, the five primary
// contact points on pages below. Leaving a changed title splits it into name parts.
class TEditPersDlg : public ItemDialog
{
    Q_OBJECT
public:
    TEditPersDlg(TPersonObject &person, bool isNew, const QStringList &categoryNames, QWidget *parent = nullptr);
    ~TEditPersDlg() override;

    PrimaryPagesWidget *pages() const { return m_pages; }
    TPersonNames names() const;
    bool apply();

private:
    void titleExit();

    TPersonObject &m_person;
    bool m_isNew;
    QLineEdit *m_title;
    QString m_splitTitle; // the title as it was last split (or opened with)
    QComboBox *m_salutation;
    QLineEdit *m_first;
    QLineEdit *m_middle;
    QLineEdit *m_last;
    QLineEdit *m_comment;
    PrimaryPagesWidget *m_pages;
};
