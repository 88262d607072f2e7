#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>
#include <QVarLengthArray>
#include <memory>

// The record grammar separates fields with "~~" and has no escaping. A value that
// would break it (a "~~", a line break, a "~" at either end) is written as "~"
// followed by the value with "%", "~", CR and LF percent-encoded; every other value
// is written unchanged. Such a value always holds a "~", CR or LF, so its written form
// holds "%7E", "%0D" or "%0A" and no "~" after the first character: a field of another
// shape (a "~note" written by the Windows program) is read as it stands.
QString EncodeField(const QString &value);
QString DecodeField(const QString &field);

// Appends the "~~"-separated fields of s to list: n separators give n + 1 fields.
void SplitFields(const QString &s, QStringList &list);
using FieldViews = QVarLengthArray<QStringView, 16>;
// The same without copies: the views point into s.
void SplitFieldViews(QStringView s, FieldViews &views);
// Splits a record line and decodes each field.
QStringList SplitDecoded(QStringView s);
inline QStringList SplitDecoded(const QString &s) { return SplitDecoded(QStringView(s)); }
// One field's value as read from a record line.
QString FieldValue(QStringView field);

// Reads a decimal int as QString::toInt does: ASCII blanks around it, an optional sign,
// digits, in range. A load reads one for every record.
bool ParseInt(QStringView text, int &value);

// The decimal categories field of a data line at index; 0 when missing or unreadable.
qint32 CategoriesAt(const QStringList &fields, qsizetype index);
qint32 CategoriesAt(const FieldViews &fields, qsizetype index);

// While a pool is in use (a load and the making of items keep one), a short field
// text equal to one read before shares that text instead of holding a copy of its own:
// a large file repeats "Home", "Work", towns, first names and the like many thousand times.
class FieldPool
{
public:
    FieldPool();
    ~FieldPool();
    FieldPool(const FieldPool &) = delete;
    FieldPool &operator=(const FieldPool &) = delete;

    QString Take(QStringView text);
    // The pool FieldValue uses, if any.
    static FieldPool *Current();

    // Makes a pool the current one for its lifetime.
    class Use
    {
    public:
        explicit Use(FieldPool &pool);
        ~Use();
        Use(const Use &) = delete;
        Use &operator=(const Use &) = delete;

    private:
        FieldPool *m_previous;
    };

private:
    // A direct-mapped cache: a text replaces whatever shared its slot, so frequent
    // texts stay and unique ones pass through without growing anything.
    static constexpr size_t kSlots = 4096;
    std::unique_ptr<QString[]> m_slots;
};
