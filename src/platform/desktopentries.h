#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

// The application entries of the desktop (".desktop" files under the XDG data
// directories' "applications"), read once, for the icon that stands for a program:
// the Icon of the first entry whose Exec line starts that program.
class DesktopEntries
{
public:
    // The "applications" folders in the order the desktop looks: the user's own first.
    static QStringList StandardDirs();

    explicit DesktopEntries(const QStringList &dirs = StandardDirs());

    // The Icon value (a theme name or a file path) for program, a path or a name
    // found on PATH; empty when no entry starts it.
    QString IconFor(const QString &program) const;

    // The program an Exec line starts: its first word after "env" and its settings,
    // unquoted as the entry format says. Empty for an empty line.
    static QString ExecProgram(const QString &exec);

    // Bounds: files larger than this are not entries; at most this many are read.
    static constexpr qint64 MaxEntrySize = 64 * 1024;
    static constexpr int MaxEntries = 10000;

private:
    void read(const QString &file);

    // Exec program as written (a path or a bare name), and an absolute one also by
    // where its links end -> Icon.
    QHash<QString, QString> m_iconByProgram;
    int m_read = 0;
};
