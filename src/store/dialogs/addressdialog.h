#pragma once

#include "itemdialog.h"

class StreetMemo;
class TAddressObject;

// A postal address: street lines, city, state, postal code, country.
class TEditAddressDlg : public ItemDialog
{
    Q_OBJECT
public:
    TEditAddressDlg(TAddressObject &address, bool isNew, const QStringList &categoryNames, QWidget *parent = nullptr);

    // What OK does; false when the title (or, for a new address, the street) is missing.
    bool apply();

private:
    TAddressObject &m_address;
    bool m_isNew;
    QLineEdit *m_title;
    StreetMemo *m_street;
    QLineEdit *m_city;
    QLineEdit *m_state;
    QLineEdit *m_postCode;
    QLineEdit *m_country;
    QLineEdit *m_comment;
};
