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

CsvColumns::CsvColumns(const QStringList &list) : names(list)
{
    ids.reserve(size_t(names.size()));
    for (const QString &name : names) {
        const qsizetype at = CsvColumnNames().indexOf(name);
        ids.push_back(at < 0 ? CsvColumn::Other : CsvColumn(at));
    }
}

const std::vector<CsvRecordType> &CsvRecordTypes()
{
    static const std::vector<CsvRecordType> types = [] {
        const QStringList &all = CsvColumnNames();
        const QStringList address = all.mid(5, 7); // "Address Line 1" to "Country"
        QStringList person = all.mid(0, 17);        // all but "Extension"
        QStringList org = QStringList{QStringLiteral("Title")} + all.mid(5, 12);
        return std::vector<CsvRecordType>{
            {"Person", ItemKind::Person, person},
            {"Organization", ItemKind::Organization, org},
            {"Website Addresses", ItemKind::Website, {QStringLiteral("Title"), QStringLiteral("Website"), QStringLiteral("Comment")}},
            {"Addresses", ItemKind::Address, QStringList{QStringLiteral("Title")} + address},
            {"Phone Numbers", ItemKind::Phone,
             {QStringLiteral("Title"), QStringLiteral("Phone Number"), QStringLiteral("Extension"), QStringLiteral("Comment")}},
            {"E-mail Addresses", ItemKind::EMail, {QStringLiteral("Title"), QStringLiteral("E-Mail Address"), QStringLiteral("Comment")}},
            {"FAX Numbers", ItemKind::Fax, {QStringLiteral("Title"), QStringLiteral("Fax Number"), QStringLiteral("Comment")}},
        };
    }();
    return types;
}
