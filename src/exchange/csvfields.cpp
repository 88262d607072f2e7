#include "csvfields.h"

QString CsvCell(const QString &value)
{
    QString cell;
    cell.reserve(value.size() + 3);
    cell += u'"';
    for (const QChar c : value) {
        if (c == u'"')
            cell += u'"';
        cell += c;
    }
    cell += QLatin1String("\",");
    return cell;
}

std::optional<QString> CsvCellValue(const QString &cell)
{
    if (cell.size() < 3 || !cell.startsWith(u'"') || !cell.endsWith(QLatin1String("\",")))
        return std::nullopt;
    QString value;
    const QStringView inner = QStringView(cell).mid(1, cell.size() - 3);
    value.reserve(inner.size());
    for (qsizetype i = 0; i < inner.size(); ++i) {
        value += inner[i];
        if (inner[i] == u'"') {
            // Inside, a quote is always doubled.
            if (i + 1 >= inner.size() || inner[i + 1] != u'"')
                return std::nullopt;
            ++i;
        }
    }
    return value;
}

std::optional<QString> CsvValue(const QStringList &values, const QStringList &names, const QString &name)
{
    const qsizetype at = names.indexOf(name);
    if (at < 0)
        return std::nullopt;
    // A short record has an empty cell under the columns it lacks.
    return values.value(at);
}

void SetCsvValue(QStringList &values, QStringList &names, const QString &name, const QString &value)
{
    const qsizetype at = names.indexOf(name);
    if (at < 0) {
        while (values.size() < names.size())
            values.append(QString());
        names.append(name);
        values.append(value);
        return;
    }
    while (values.size() <= at)
        values.append(QString());
    values[at] = value;
}
