#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// A number field's mask in the program's own notation: "0" a required digit, "9" an
// optional digit, "\" makes the next character a literal, a leading "!" shows missing
// optional digits at the front, anything else is a literal. After the first ";" a "0"
// keeps the literals out of the bare text; after the second ";" comes the character
// shown for an empty position.
class NumberMask
{
public:
    explicit NumberMask(const QString &mask = QString());

    // No mask: the field is plain text.
    bool isEmpty() const { return m_positions.isEmpty(); }
    const QString &mask() const { return m_mask; }
    QChar blank() const { return m_blank; }
    bool literalsInBareText() const { return m_literalsSaved; }
    bool leadingBlanks() const { return m_leadingBlanks; }
    // Number of character positions the field shows.
    int length() const { return int(m_positions.size()); }

    // The same mask in QLineEdit::inputMask's notation, where "9" and "0" swap their
    // meanings and more letters are special; empty for no mask.
    QString qtInputMask() const;

    // What the field holds without the mask's literals and empty positions
    // (used to tell whether a number was entered at all).
    QString bareText(const QString &shownText) const;
    // The field as it shows after typing these characters from its first digit
    // position on: a digit fills the next digit position, literals are skipped,
    // typing a literal that lies ahead jumps past it, empty positions show blank().
    QString shownText(const QString &typed) const;
    // The first position that takes a digit (where the cursor goes on entering).
    int firstInput() const;

private:
    enum class Type { Literal, Required, Optional };
    struct Position
    {
        Type type;
        QChar literal;
    };

    QString m_mask;
    QList<Position> m_positions;
    bool m_leadingBlanks = false;
    bool m_literalsSaved = true;
    QChar m_blank = u'_';
};

// One entry of a phone-format list.
struct PhoneFormat
{
    QString name;
    QString mask; // empty for "Free Format"
};

// The formats of the person, organization and phone dialogs, "Free Format" first.
const QList<PhoneFormat> &PhoneFormats();
// The fax dialog's list: "USA", then "Free Format", then the others in the same order.
const QList<PhoneFormat> &FaxFormats();
QStringList FormatNames(const QList<PhoneFormat> &formats);
// The mask of the entry at index; empty (no mask) for "Free Format" or a bad index.
QString FormatMask(const QList<PhoneFormat> &formats, int index);
