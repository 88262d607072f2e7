#pragma once

#include <QDir>
#include <QStringList>

class CliDatabase;

class QTextStream;

// What every command of the tool gets.
struct CliContext
{
    QTextStream &out;
    QTextStream &err;
    // The data directory, already the current directory.
    QString dataDir;
    // Where the tool was started: file arguments are relative to it.
    QDir startDir;
    // The database of the run (loaded by the command that needs it); it outlives the
    // command, so the tool may end without taking it down.
    CliDatabase &db;

    QString absolute(const QString &file) const { return QDir::cleanPath(startDir.absoluteFilePath(file)); }
    // Prints "mira: " and the message on the error stream and returns status.
    int fail(int status, const QString &message) const;
};

// Loads the database for a command that only reads: a file that stops early or drops
// lines is used as far as it was read, with a warning. False (after the message, status
// set) when there is none.
bool loadForReading(const CliContext &c, CliDatabase &db, int &status);
// The container a path names, remote folders on the way read from their sources; none
// when it names nothing.
class TTreeNode;
TTreeNode *resolve(const CliContext &c, CliDatabase &db, const QString &path);

int ListCommand(const CliContext &c, const QStringList &args);
int FindCommand(const CliContext &c, const QStringList &args);
int ImportCommand(const CliContext &c, const QStringList &args);
int ExportCommand(const CliContext &c, const QStringList &args);
int CheckCommand(const CliContext &c, const QStringList &args);
// Defined in cliprint.cpp, with the writer it draws with.
int PrintCommand(const CliContext &c, const QStringList &args);
