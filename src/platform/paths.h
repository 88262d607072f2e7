#pragma once

#include <QString>

// Where Mirabook keeps its files.
//  data directory:   $MIRABOOK_HOME, else <XDG data home>/mirabook   (mira.dat and friends)
//  config directory: $MIRABOOK_HOME, else <XDG config home>/mirabook (zeb.ini, registry.ini)
// Both are absolute and created on first use.
namespace Paths {

QString dataDir();
QString configDir();

// The command-line tool's "--home DIR": both directories become DIR.
// An empty text removes the override.
void setHomeOverride(const QString &dir);

// Makes the data directory the current directory, so the database's bare file
// names refer to it. False (with a reason in *error) when it cannot be made or entered.
bool enterDataDir(QString *error = nullptr);

} // namespace Paths
