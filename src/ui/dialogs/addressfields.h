#pragma once

#include "store/addressobject.h"

class QFormLayout;
class QLineEdit;
class QWidget;
class StreetMemo;

// The fields of a postal address below its title, shared by the address dialog and
// the address page of the person and organization dialogs.
struct AddressFields
{
    explicit AddressFields(QWidget *parent);

    // Labels with shortcut letters where the fields have the dialog to themselves.
    void addRows(QFormLayout *form, bool withShortcuts) const;
    // Shows the values (not the title).
    void show(const TAddressObject::DialogValues &values);
    // What the fields hold; the title is left empty.
    TAddressObject::DialogValues values() const;

    StreetMemo *street;
    QLineEdit *city;
    QLineEdit *state;
    QLineEdit *postCode;
    QLineEdit *country;
    QLineEdit *comment;
};
