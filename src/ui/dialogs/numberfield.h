#pragma once

#include "store/phoneformats.h"

#include <QComboBox>
#include <QLineEdit>

class QLabel;

// A phone or fax number field: plain text, or masked by one of the phone formats.
class NumberField : public QLineEdit
{
    Q_OBJECT
public:
    explicit NumberField(QWidget *parent = nullptr);

    // Sets the format's mask; an empty mask makes the field plain text again.
    void setFormatMask(const QString &mask);
    const NumberMask &format() const { return m_mask; }

    // The number as the field shows it, literals and empty positions included.
    QString shownText() const;
    // Only what was typed, without the mask's literals.
    QString bareText() const;

private:
    NumberMask m_mask;
};

// A format list beside a number field: choosing an entry sets the field's mask.
class PhoneFormatList : public QComboBox
{
    Q_OBJECT
public:
    PhoneFormatList(const QList<PhoneFormat> &formats, NumberField *field, QWidget *parent = nullptr);

    // Selects an entry and gives the field its mask (also when it was selected already).
    void choose(int index);

private:
    QList<PhoneFormat> m_formats;
    NumberField *m_field;
};

// A number field with its format list and the list's label, as every number field
// of the dialogs comes.
struct NumberEntry
{
    NumberEntry(const QString &fieldName, const QString &listName, const QString &labelText,
                const QList<PhoneFormat> &formats, QWidget *parent);

    // A new number is typed in a format, starting at the list's first entry; a
    // stored one is shown as it was kept, without the list.
    void start(bool isNew);

    NumberField *field;
    PhoneFormatList *formats;
    QLabel *label;
};
