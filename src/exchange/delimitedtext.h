#pragma once

#include <QChar>
#include <QList>
#include <QString>
#include <QStringList>

// Comma- or tab-separated records as spreadsheets and mail programs write them: a field
// in double quotes may hold separators, line breaks and doubled quotes; records end at
// CR LF, LF or CR outside quotes. Lines with nothing on them are no records.
struct DelimitedRecords
{
    QList<QStringList> records;
    // The line of the file each record starts on.
    QList<int> lines;
    // The last record opened a quote that the file never closes; it is not among the records.
    bool unclosedQuote = false;
    int unclosedLine = 0;
};

DelimitedRecords ParseDelimited(const QString &text, QChar separator);

// The first record of text, or nothing when it has none (for showing a file's header).
QStringList FirstDelimitedRecord(const QString &text, QChar separator);
