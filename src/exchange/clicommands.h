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

int ListCommand(const CliContext &c, const QStringList &args);
int FindCommand(const CliContext &c, const QStringList &args);
int ImportCommand(const CliContext &c, const QStringList &args);
int ExportCommand(const CliContext &c, const QStringList &args);
int CheckCommand(const CliContext &c, const QStringList &args);
