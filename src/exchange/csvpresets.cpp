#include "csvpresets.h"

#include "csvcolumns.h"

#include <algorithm>

namespace {

using Column = CsvPreset::Column;

CsvPreset ownPreset()
{
    CsvPreset p{QStringLiteral("Mirabook"), {}};
    for (const QString &name : CsvColumnNames())
        p.columns.push_back({name, name, 0});
    return p;
}

// A mail client's address book export.
CsvPreset mailClientPreset()
{
    return {QStringLiteral("Thunderbird"),
            {
                {QStringLiteral("First Name"), QStringLiteral("First Name")},
                {QStringLiteral("Last Name"), QStringLiteral("Last Name")},
                {QStringLiteral("Display Name"), QStringLiteral("Title")},
                {QStringLiteral("Nickname"), {}},
                {QStringLiteral("Primary Email"), QStringLiteral("E-Mail Address")},
                {QStringLiteral("Secondary Email"), QStringLiteral("E-Mail Address")},
                {QStringLiteral("Screen Name"), {}},
                {QStringLiteral("Work Phone"), QStringLiteral("Phone Number")},
                {QStringLiteral("Home Phone"), QStringLiteral("Phone Number")},
                {QStringLiteral("Mobile Number"), QStringLiteral("Phone Number")},
                {QStringLiteral("Fax Number"), QStringLiteral("Fax Number")},
                {QStringLiteral("Pager Number"), {}},
                {QStringLiteral("Work Address"), QStringLiteral("Address Line 1"), 1},
                {QStringLiteral("Work Address 2"), QStringLiteral("Address Line 2"), 1},
                {QStringLiteral("Work City"), QStringLiteral("City"), 1},
                {QStringLiteral("Work State"), QStringLiteral("State/Province"), 1},
                {QStringLiteral("Work ZipCode"), QStringLiteral("Postal Code"), 1},
                {QStringLiteral("Work Country"), QStringLiteral("Country"), 1},
                {QStringLiteral("Home Address"), QStringLiteral("Address Line 1"), 2},
                {QStringLiteral("Home Address 2"), QStringLiteral("Address Line 2"), 2},
                {QStringLiteral("Home City"), QStringLiteral("City"), 2},
                {QStringLiteral("Home State"), QStringLiteral("State/Province"), 2},
                {QStringLiteral("Home ZipCode"), QStringLiteral("Postal Code"), 2},
                {QStringLiteral("Home Country"), QStringLiteral("Country"), 2},
                {QStringLiteral("Job Title"), {}},
                {QStringLiteral("Department"), {}},
                {QStringLiteral("Organization"), {}},
                {QStringLiteral("Web Page 1"), QStringLiteral("Website")},
                {QStringLiteral("Web Page 2"), QStringLiteral("Website")},
                {QStringLiteral("Birth *"), {}},
                {QStringLiteral("Anniversary *"), {}},
                {QStringLiteral("Custom *"), {}},
                {QStringLiteral("Notes"), QStringLiteral("Comment")},
            }};
}

// A webmail's contacts export (its older and newer header names).
CsvPreset webmailPreset()
{
    return {QStringLiteral("Google Contacts"),
            {
                {QStringLiteral("Name"), QStringLiteral("Title")},
                {QStringLiteral("File As"), {}},
                {QStringLiteral("Given Name"), QStringLiteral("First Name")},
                {QStringLiteral("First Name"), QStringLiteral("First Name")},
                {QStringLiteral("Additional Name"), QStringLiteral("Middle Name")},
                {QStringLiteral("Middle Name"), QStringLiteral("Middle Name")},
                {QStringLiteral("Family Name"), QStringLiteral("Last Name")},
                {QStringLiteral("Last Name"), QStringLiteral("Last Name")},
                {QStringLiteral("Name Prefix"), QStringLiteral("Salutation")},
                {QStringLiteral("Notes"), QStringLiteral("Comment")},
                {QStringLiteral("E-mail 1 - Value"), QStringLiteral("E-Mail Address")},
                {QStringLiteral("Phone 1 - Value"), QStringLiteral("Phone Number")},
                {QStringLiteral("Address 1 - Street"), QStringLiteral("Address Line 1")},
                {QStringLiteral("Address 1 - Extended Address"), QStringLiteral("Address Line 2")},
                {QStringLiteral("Address 1 - PO Box"), QStringLiteral("Address Line 3")},
                {QStringLiteral("Address 1 - City"), QStringLiteral("City")},
                {QStringLiteral("Address 1 - Region"), QStringLiteral("State/Province")},
                {QStringLiteral("Address 1 - Postal Code"), QStringLiteral("Postal Code")},
                {QStringLiteral("Address 1 - Country"), QStringLiteral("Country")},
                {QStringLiteral("Website 1 - Value"), QStringLiteral("Website")},
                {QStringLiteral("Name Suffix"), {}},
                {QStringLiteral("Nickname"), {}},
                {QStringLiteral("Short Name"), {}},
                {QStringLiteral("Maiden Name"), {}},
                {QStringLiteral("Initials"), {}},
                {QStringLiteral("Yomi Name"), {}},
                {QStringLiteral("Phonetic *"), {}},
                {QStringLiteral("* Yomi"), {}},
                {QStringLiteral("Birthday"), {}},
                {QStringLiteral("Gender"), {}},
                {QStringLiteral("Location"), {}},
                {QStringLiteral("Billing Information"), {}},
                {QStringLiteral("Directory Server"), {}},
                {QStringLiteral("Mileage"), {}},
                {QStringLiteral("Occupation"), {}},
                {QStringLiteral("Hobby"), {}},
                {QStringLiteral("Sensitivity"), {}},
                {QStringLiteral("Priority"), {}},
                {QStringLiteral("Subject"), {}},
                {QStringLiteral("Language"), {}},
                {QStringLiteral("Photo"), {}},
                {QStringLiteral("Labels"), {}},
                {QStringLiteral("Group Membership"), {}},
                {QStringLiteral("E-mail *"), {}},
                {QStringLiteral("Phone *"), {}},
                {QStringLiteral("Address *"), {}},
                {QStringLiteral("Organization *"), {}},
                {QStringLiteral("Website *"), {}},
                {QStringLiteral("Relation *"), {}},
                {QStringLiteral("Event *"), {}},
                {QStringLiteral("IM *"), {}},
                {QStringLiteral("Custom Field *"), {}},
                {QStringLiteral("External ID *"), {}},
            }};
}

// A desktop office suite's contacts export.
CsvPreset officeSuitePreset()
{
    CsvPreset p{QStringLiteral("Outlook"),
                {
                    {QStringLiteral("Title"), QStringLiteral("Salutation")},
                    {QStringLiteral("First Name"), QStringLiteral("First Name")},
                    {QStringLiteral("Middle Name"), QStringLiteral("Middle Name")},
                    {QStringLiteral("Last Name"), QStringLiteral("Last Name")},
                    {QStringLiteral("Business Street"), QStringLiteral("Address Line 1"), 1},
                    {QStringLiteral("Business Street 2"), QStringLiteral("Address Line 2"), 1},
                    {QStringLiteral("Business Street 3"), QStringLiteral("Address Line 3"), 1},
                    {QStringLiteral("Business City"), QStringLiteral("City"), 1},
                    {QStringLiteral("Business State"), QStringLiteral("State/Province"), 1},
                    {QStringLiteral("Business Postal Code"), QStringLiteral("Postal Code"), 1},
                    {QStringLiteral("Business Country/Region"), QStringLiteral("Country"), 1},
                    {QStringLiteral("Home Street"), QStringLiteral("Address Line 1"), 2},
                    {QStringLiteral("Home Street 2"), QStringLiteral("Address Line 2"), 2},
                    {QStringLiteral("Home Street 3"), QStringLiteral("Address Line 3"), 2},
                    {QStringLiteral("Home City"), QStringLiteral("City"), 2},
                    {QStringLiteral("Home State"), QStringLiteral("State/Province"), 2},
                    {QStringLiteral("Home Postal Code"), QStringLiteral("Postal Code"), 2},
                    {QStringLiteral("Home Country/Region"), QStringLiteral("Country"), 2},
                    {QStringLiteral("Other Street"), QStringLiteral("Address Line 1"), 3},
                    {QStringLiteral("Other Street 2"), QStringLiteral("Address Line 2"), 3},
                    {QStringLiteral("Other Street 3"), QStringLiteral("Address Line 3"), 3},
                    {QStringLiteral("Other City"), QStringLiteral("City"), 3},
                    {QStringLiteral("Other State"), QStringLiteral("State/Province"), 3},
                    {QStringLiteral("Other Postal Code"), QStringLiteral("Postal Code"), 3},
                    {QStringLiteral("Other Country/Region"), QStringLiteral("Country"), 3},
                    {QStringLiteral("Business Fax"), QStringLiteral("Fax Number")},
                    {QStringLiteral("Home Fax"), QStringLiteral("Fax Number")},
                    {QStringLiteral("Other Fax"), QStringLiteral("Fax Number")},
                    {QStringLiteral("Primary Phone"), QStringLiteral("Phone Number")},
                    {QStringLiteral("Business Phone"), QStringLiteral("Phone Number")},
                    {QStringLiteral("Home Phone"), QStringLiteral("Phone Number")},
                    {QStringLiteral("Mobile Phone"), QStringLiteral("Phone Number")},
                    {QStringLiteral("Other Phone"), QStringLiteral("Phone Number")},
                    {QStringLiteral("E-mail Address"), QStringLiteral("E-Mail Address")},
                    {QStringLiteral("E-mail 2 Address"), QStringLiteral("E-Mail Address")},
                    {QStringLiteral("E-mail 3 Address"), QStringLiteral("E-Mail Address")},
                    {QStringLiteral("Web Page"), QStringLiteral("Website")},
                    {QStringLiteral("Notes"), QStringLiteral("Comment")},
                }};
    for (const char *ignored :
         {"Suffix", "Company", "Department", "Job Title", "Assistant's Phone", "Business Phone 2", "Callback",
          "Car Phone", "Company Main Phone", "Home Phone 2", "ISDN", "Pager", "Radio Phone", "TTY/TDD Phone", "Telex",
          "Account", "Anniversary", "Assistant's Name", "Billing Information", "Birthday", "Business Address PO Box",
          "Categories", "Children", "Directory Server", "E-mail Type", "E-mail Display Name", "E-mail 2 Type",
          "E-mail 2 Display Name", "E-mail 3 Type", "E-mail 3 Display Name", "Gender", "Government ID Number", "Hobby",
          "Home Address PO Box", "Initials", "Internet Free Busy", "Keywords", "Language", "Location", "Manager's Name",
          "Mileage", "Office Location", "Organizational ID Number", "Other Address PO Box", "Priority", "Private",
          "Profession", "Referred By", "Sensitivity", "Spouse", "User *"})
        p.columns.push_back({QString::fromLatin1(ignored), {}});
    return p;
}

bool headerMatches(const QString &pattern, const QString &cell)
{
    if (pattern.startsWith(u'*'))
        return cell.endsWith(QStringView(pattern).sliced(1), Qt::CaseInsensitive);
    if (pattern.endsWith(u'*'))
        return cell.startsWith(QStringView(pattern).chopped(1), Qt::CaseInsensitive);
    return cell.compare(pattern, Qt::CaseInsensitive) == 0;
}

const Column *findColumn(const CsvPreset &preset, const QString &cell)
{
    const QString wanted = cell.trimmed();
    for (const Column &c : preset.columns)
        if (headerMatches(c.header, wanted))
            return &c;
    return nullptr;
}

int mappedCount(const QStringList &cells, const CsvPreset &preset)
{
    int n = 0;
    for (const QString &cell : cells)
        if (const Column *c = findColumn(preset, cell); c && !c->column.isEmpty())
            ++n;
    return n;
}

} // namespace

const std::vector<CsvPreset> &CsvPresets()
{
    static const std::vector<CsvPreset> presets = {ownPreset(), mailClientPreset(), webmailPreset(), officeSuitePreset()};
    return presets;
}

bool HeaderFitsPreset(const QStringList &cells, const CsvPreset &preset)
{
    bool any = false;
    for (const QString &cell : cells) {
        if (cell.trimmed().isEmpty())
            continue;
        if (!findColumn(preset, cell))
            return false;
        any = true;
    }
    return any;
}

bool IsHeaderRecord(const QStringList &cells) { return PresetForHeader(cells) >= 0; }

int PresetForHeader(const QStringList &cells)
{
    const std::vector<CsvPreset> &presets = CsvPresets();
    int best = -1;
    int bestCount = 0;
    for (int i = 0; i < int(presets.size()); ++i) {
        if (!HeaderFitsPreset(cells, presets[size_t(i)]))
            continue;
        // The program's own names win whenever they read the whole header.
        if (i == 0)
            return 0;
        if (const int n = mappedCount(cells, presets[size_t(i)]); n > bestCount) {
            best = i;
            bestCount = n;
        }
    }
    return best;
}

CsvColumnMap CsvColumnMap::ByPosition(const QStringList &names)
{
    CsvColumnMap map;
    for (int i = 0; i < names.size(); ++i) {
        if (map.m_names.contains(names.at(i)))
            continue;
        map.m_names.append(names.at(i));
        map.m_sources.append(QList<Source>{Source{i, 0}});
    }
    return map;
}

CsvColumnMap CsvColumnMap::ByHeader(const QStringList &header, const CsvPreset &preset)
{
    CsvColumnMap map;
    for (int i = 0; i < header.size(); ++i) {
        const Column *c = findColumn(preset, header.at(i));
        if (!c || c->column.isEmpty())
            continue;
        qsizetype at = map.m_names.indexOf(c->column);
        if (at < 0) {
            at = map.m_names.size();
            map.m_names.append(c->column);
            map.m_sources.append(QList<Source>());
        }
        map.m_sources[at].append(Source{i, c->group});
    }
    return map;
}

QStringList CsvColumnMap::Values(const QStringList &record) const
{
    auto cell = [&record](int i) {
        QString v = record.value(i).trimmed();
        // Several values in one cell ("a ::: b") give the first.
        if (const qsizetype more = v.indexOf(QLatin1String(" ::: ")); more >= 0)
            v.truncate(more);
        return v;
    };
    // The first address group with anything in it.
    int group = 0;
    for (const QList<Source> &sources : m_sources) {
        for (const Source &s : sources)
            if (s.group != 0 && !cell(s.cell).isEmpty() && (group == 0 || s.group < group))
                group = s.group;
    }
    QStringList values;
    values.reserve(m_names.size());
    for (const QList<Source> &sources : m_sources) {
        QString value;
        for (const Source &s : sources) {
            if (s.group != 0 && s.group != group)
                continue;
            value = cell(s.cell);
            if (!value.isEmpty())
                break;
        }
        values.append(value);
    }
    return values;
}
