#pragma once

#include "store/contactobject.h"

#include <QTabWidget>

class NumberField;
class PhoneFormatList;
class QComboBox;
class QLabel;
class QLineEdit;
class StreetMemo;

// The five pages of the person and organization dialogs: the primary address,
// phone, fax, e-mail address and website, each with a list of the owner's child
// titles. Choosing a title shows that child's values on its page.
class PrimaryPagesWidget : public QTabWidget
{
    Q_OBJECT
public:
    PrimaryPagesWidget(TContactObject &owner, bool isNew, QWidget *parent = nullptr);

    // What the pages hold, for OK.
    TPrimaryPages pages() const;

    QComboBox *titleList(int kind) const;
    NumberField *phoneNumber() const { return m_phoneNum; }
    NumberField *faxNumber() const { return m_faxNum; }
    PhoneFormatList *phoneFormats() const { return m_phoneFmt; }
    PhoneFormatList *faxFormats() const { return m_faxFmt; }

private:
    QWidget *addressPage();
    QWidget *phonePage();
    QWidget *faxPage();
    QWidget *emailPage();
    QWidget *websitePage();
    QComboBox *makeTitleList(const QString &name, int kind, QWidget *page);
    void titleChosen(int kind);
    // Shows the values of one page (not its title).
    void showPage(int kind, const TPrimaryPages &values);

    TContactObject &m_owner;
    QComboBox *m_addrTitle, *m_phoneTitle, *m_faxTitle, *m_emailTitle, *m_webTitle;
    StreetMemo *m_addr;
    QLineEdit *m_city, *m_state, *m_postCode, *m_country, *m_addrComment;
    NumberField *m_phoneNum;
    PhoneFormatList *m_phoneFmt;
    QLabel *m_phoneFmtLabel;
    QLineEdit *m_extension, *m_phoneComment;
    NumberField *m_faxNum;
    PhoneFormatList *m_faxFmt;
    QLabel *m_faxFmtLabel;
    QLineEdit *m_faxComment;
    QLineEdit *m_emailAddr, *m_emailComment;
    QComboBox *m_web;
    QLineEdit *m_webComment;
};
