#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <vector>

// The column names other programs' CSV exports carry, each mapped onto the program's own
// column vocabulary (CsvColumnNames). The first preset is the vocabulary itself.
struct CsvPreset
{
    struct Column
    {
        // The header cell (compared without regard to case); a trailing "*" matches any rest.
        QString header;
        // The program's column it fills, or empty for a column that is read and passed over.
        QString column;
        // Cells of one address (home, work...) share a group; a record's address is taken
        // from the first group with anything in it, so two addresses are never mixed.
        int group = 0;
    };
    QString name;
    std::vector<Column> columns;
};

const std::vector<CsvPreset> &CsvPresets();

// Whether every non-empty cell of the record names a column of the preset (and one does).
bool HeaderFitsPreset(const QStringList &cells, const CsvPreset &preset);
// A first record whose cells all name columns is a header, not a person.
bool IsHeaderRecord(const QStringList &cells);
// The preset that reads this header: the program's own names first, else the one that
// fills the most columns; -1 when none fits.
int PresetForHeader(const QStringList &cells);

// How the cells of a record become the values and names an item's ImportFields takes.
class CsvColumnMap
{
public:
    // Column i of every record is names[i] (the wizard's "Fields to Import (in order)").
    static CsvColumnMap ByPosition(const QStringList &names);
    // The header's cells through the preset.
    static CsvColumnMap ByHeader(const QStringList &header, const CsvPreset &preset);

    // The program's columns this map fills, in the order of the vocabulary or the list.
    const QStringList &Names() const { return m_names; }
    // The values of one record under Names(): for each, the first non-empty cell that
    // feeds it (within the record's chosen address group).
    QStringList Values(const QStringList &record) const;

private:
    struct Source
    {
        int cell;
        int group;
    };
    QStringList m_names;
    QList<QList<Source>> m_sources;
};
