#pragma once

#include "addressfields.h"
#include "itemdialog.h"

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
    AddressFields m_fields;
};
