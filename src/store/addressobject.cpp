#include "addressobject.h"
#include "vcardline.h"

#include "fieldcodec.h"
#include "itemservices.h"
#include "kindtable.h"
#include "exchange/csvfields.h"

namespace {
const QString kTag = KindTag(ItemKind::Address);
constexpr qsizetype kStoredLines = 3;

void padLines(QStringList &lines)
{
    while (lines.size() < kStoredLines)
        lines.append(QString());
}
} // namespace

bool HasStreetText(const QStringList &lines)
{
    for (const QString &line : lines)
        if (!line.isEmpty())
            return true;
    return false;
}

TAddressObject::TAddressObject(ItemKind kind, const QString &title, const QString &value, const QString &comment,
                               qint32 id, const QString &dataLine)
    : TZEBObject(kind, title, value, comment, id)
{
    LoadFields(dataLine);
}

void TAddressObject::SetLines(const QStringList &lines)
{
    m_lines = lines;
    padLines(m_lines);
}

void TAddressObject::LoadFields(const QString &dataLine)
{
    QStringList fields;
    if (DataFields(dataLine, kTag, fields)) {
        // Fields are taken in order until one is missing.
        m_lines = fields.mid(0, kStoredLines);
        m_city = fields.value(3);
        m_state = fields.value(4);
        m_postalCode = fields.value(5);
        m_country = fields.value(6);
        SetCategories(CategoriesAt(fields, 7));
    }
    padLines(m_lines);
}

void TAddressObject::AppendRecord(QByteArray &out, int level) const
{
    AppendRecordWithData(out, level, kTag, RecordFields(m_lines, m_city, m_state, m_postalCode, m_country));
}

QStringList TAddressObject::RecordFields(const QStringList &lines, const QString &city, const QString &state,
                                         const QString &postalCode, const QString &country)
{
    return {lines.value(0), lines.value(1), lines.value(2), city, state, postalCode, country};
}

PopupVisibility TAddressObject::PreparePopup() const
{
    PopupVisibility v;
    v.Open = false;
    return v;
}

bool TAddressObject::EditNew(TTreeNode *) { return Services().EditItem(*this, true); }

void TAddressObject::Edit() { Services().EditItem(*this, false); }

bool TAddressObject::ImportFields(const QStringList &values, const QStringList &names)
{
    m_lines.clear();
    const auto line1 = CsvValue(values, names, QStringLiteral("Address Line 1"));
    if (line1) {
        SetValue(*line1);
        m_lines.append(*line1);
    }
    const auto title = CsvValue(values, names, QStringLiteral("Title"));
    SetTitle(title ? *title : QStringLiteral("New Address"));
    for (const char *column : {"Address Line 2", "Address Line 3"})
        if (const auto line = CsvValue(values, names, QLatin1String(column)))
            m_lines.append(*line);
    if (const auto city = CsvValue(values, names, QStringLiteral("City")))
        m_city = *city;
    if (const auto state = CsvValue(values, names, QStringLiteral("State/Province")))
        m_state = *state;
    if (const auto code = CsvValue(values, names, QStringLiteral("Postal Code")))
        m_postalCode = *code;
    if (const auto country = CsvValue(values, names, QStringLiteral("Country")))
        m_country = *country;
    padLines(m_lines);
    return line1 && !Title().isEmpty() && !Value().isEmpty();
}

QString TAddressObject::GetFieldCSV(const QString &name) const
{
    if (name == QLatin1String("Title"))
        return CsvCell(Title());
    if (name == QLatin1String("Address Line 1"))
        return CsvCell(m_lines.value(0));
    if (name == QLatin1String("Address Line 2"))
        return CsvCell(m_lines.value(1));
    if (name == QLatin1String("Address Line 3"))
        return CsvCell(m_lines.value(2));
    if (name == QLatin1String("City"))
        return CsvCell(m_city);
    if (name == QLatin1String("State/Province"))
        return CsvCell(m_state);
    if (name == QLatin1String("Postal Code"))
        return CsvCell(m_postalCode);
    if (name == QLatin1String("Country"))
        return CsvCell(m_country);
    if (name == QLatin1String("Comment"))
        return CsvCell(Comment());
    return QString();
}

QString TAddressObject::GetVCardLine() const
{
    // The street lines go in the street component, one under the other; the post-office
    // box and extended address stay empty.
    QStringList street = m_lines.mid(0, 3);
    while (!street.isEmpty() && street.last().isEmpty())
        street.removeLast();
    return VCardLine(QStringLiteral("ADR"), {QString(), QString(), street.join(u'\n'), m_city, m_state, m_postalCode,
                                             m_country});
}

QString TAddressObject::GetText() const
{
    QString s;
    for (const QString &line : m_lines)
        if (!line.isEmpty())
            s += line + QLatin1String("\r\n");
    s += m_city + QLatin1String(", ") + m_state + u' ' + m_postalCode + QLatin1String("\r\n");
    s += m_country + QLatin1String("\r\n");
    return s;
}

bool TAddressObject::ApplyDialog(const DialogValues &values, bool isNew)
{
    if (InRemote() || values.Title.isEmpty() || (isNew && !HasStreetText(values.Lines)))
        return false;
    SetTitle(values.Title);
    SetValue(values.Lines.value(0));
    SetComment(values.Comment);
    SetLines(values.Lines);
    m_city = values.City;
    m_state = values.State;
    m_postalCode = values.PostalCode;
    m_country = values.Country;
    return true;
}
