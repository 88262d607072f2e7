#pragma once

#include "itemdialog.h"

#include "numberfield.h"

class TFaxObject;

// A fax number. A new number starts in the "USA" format; an existing one is edited
// as plain text.
class TFaxEditDlg : public ItemDialog
{
    Q_OBJECT
public:
    TFaxEditDlg(TFaxObject &fax, bool isNew, const QStringList &categoryNames, QWidget *parent = nullptr);

    NumberField *numberField() const { return m_number.field; }
    PhoneFormatList *formatList() const { return m_number.formats; }
    bool apply();

private:
    TFaxObject &m_fax;
    bool m_isNew;
    QLineEdit *m_title;
    NumberEntry m_number;
    QLineEdit *m_comment;
};
