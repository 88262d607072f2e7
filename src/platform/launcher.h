#pragma once

#include <QString>
#include <QStringList>

// Splits a parameter text into arguments as a POSIX shell would, without any
// expansion: blanks separate words, single quotes keep everything, double quotes
// keep everything but backslash escapes of \ " $ `, and a backslash outside
// quotes keeps the next character.
QStringList splitShellWords(const QString &parameters);

// Starts program detached in workingDir (empty: the current one) with exactly these
// arguments; no shell sees them. False, with a reason, when it cannot start.
bool startProgram(const QString &program, const QStringList &arguments, const QString &workingDir,
                  QString *error = nullptr);

// Opens file with the desktop's associated application.
bool openWithDesktop(const QString &file, QString *error = nullptr);
