#include "csvcolumns.h"

const QStringList &CsvColumnNames()
{
    static const QStringList names = {
        QStringLiteral("Title"),          QStringLiteral("Salutation"),     QStringLiteral("First Name"),
        QStringLiteral("Middle Name"),    QStringLiteral("Last Name"),      QStringLiteral("Address Line 1"),
        QStringLiteral("Address Line 2"), QStringLiteral("Address Line 3"), QStringLiteral("City"),
        QStringLiteral("State/Province"), QStringLiteral("Postal Code"),    QStringLiteral("Country"),
        QStringLiteral("Phone Number"),   QStringLiteral("Fax Number"),     QStringLiteral("E-Mail Address"),
        QStringLiteral("Website"),        QStringLiteral("Comment"),        QStringLiteral("Extension"),
    };
    return names;
}

QString CanonicalCsvColumn(const QString &name)
{
    const QString wanted = name.trimmed();
    for (const QString &n : CsvColumnNames())
        if (n.compare(wanted, Qt::CaseInsensitive) == 0)
            return n;
    return QString();
}
