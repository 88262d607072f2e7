#pragma once

#include "itemdialog.h"

class NumberField;
class PhoneFormatList;
class QLabel;
class TFaxObject;

// A fax number. A new number starts in the "USA" format; an existing one is edited
// as plain text.
class TFaxEditDlg : public ItemDialog
{
    Q_OBJECT
public:
    TFaxEditDlg(TFaxObject &fax, bool isNew, const QStringList &categoryNames, QWidget *parent = nullptr);

    NumberField *numberField() const { return m_number; }
    PhoneFormatList *formatList() const { return m_format; }
    bool apply();

private:
    TFaxObject &m_fax;
    bool m_isNew;
    QLineEdit *m_title;
    NumberField *m_number;
    PhoneFormatList *m_format;
    QLabel *m_formatLabel;
    QLineEdit *m_comment;
};
