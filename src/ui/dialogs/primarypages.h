#pragma once

#include "addressfields.h"
#include "numberfield.h"
#include "store/contactobject.h"

#include <QTabWidget>
#include <optional>

class QComboBox;
class QLineEdit;

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

    QComboBox *titleList(ItemKind kind) const;
    NumberField *phoneNumber() const { return m_phone->field; }
    NumberField *faxNumber() const { return m_fax->field; }
    PhoneFormatList *phoneFormats() const { return m_phone->formats; }
    PhoneFormatList *faxFormats() const { return m_fax->formats; }

private:
    QWidget *addressPage();
    QWidget *phonePage();
    QWidget *faxPage();
    QWidget *emailPage();
    QWidget *websitePage();
    QComboBox *makeTitleList(const QString &name, ItemKind kind, QWidget *page);
    void titleChosen(ItemKind kind);
    // Shows the values of one page (not its title).
    void showPage(ItemKind kind, const TPrimaryPages &values);

    TContactObject &m_owner;
    QComboBox *m_addrTitle, *m_phoneTitle, *m_faxTitle, *m_emailTitle, *m_webTitle;
    std::optional<AddressFields> m_address;
    std::optional<NumberEntry> m_phone;
    QLineEdit *m_extension, *m_phoneComment;
    std::optional<NumberEntry> m_fax;
    QLineEdit *m_faxComment;
    QLineEdit *m_emailAddr, *m_emailComment;
    QComboBox *m_web;
    QLineEdit *m_webComment;
};
