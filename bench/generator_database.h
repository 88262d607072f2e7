#pragma once

#include <QString>

class QIODevice;

// Shape of a generated database: persons spread over folders, some of them in
// organizations, each with an address, two phones, an e-mail address and a reminder.
struct GeneratorOptions
{
    int persons = 100000;
    // Persons per folder; 0 puts every person straight into one folder (a wide folder).
    int personsPerFolder = 500;
    // Of every ten persons in a folder, this many sit in one of the folder's organizations.
    int inOrganizationsPerTen = 4;
    int organizationsPerFolder = 5;
    // Of every hundred reminders, this many are due.
    int dueRemindersPerHundred = 10;
};

struct GeneratedCounts
{
    qint64 items = 0;
    qint64 bytes = 0;
};

// Writes a whole database ("{Params}", the root, then the records) to out.
GeneratedCounts WriteGeneratedDatabase(QIODevice &out, const GeneratorOptions &options);
// The same into a file; false when it cannot be written.
bool WriteGeneratedDatabaseFile(const QString &fileName, const GeneratorOptions &options,
                                GeneratedCounts *counts = nullptr);
