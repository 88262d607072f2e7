#pragma once

#include "itemdialog.h"

#include "numberfield.h"

class TPhoneObject;

// A phone number. A new number is typed in one of the phone formats; an existing
// one is edited as plain text.
class TPhoneEditDlg : public ItemDialog
{
    Q_OBJECT
public:
    TPhoneEditDlg(TPhoneObject &phone, bool isNew, const QStringList &categoryNames, QWidget *parent = nullptr);

    NumberField *numberField() const { return m_number.field; }
    PhoneFormatList *formatList() const { return m_number.formats; }
    // What OK does; false when the title or the number is missing.
    bool apply();

private:
    TPhoneObject &m_phone;
    QLineEdit *m_title;
    NumberEntry m_number;
    QLineEdit *m_extension;
    QLineEdit *m_comment;
};
