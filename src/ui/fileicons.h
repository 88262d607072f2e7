#pragma once

#include "platform/desktopentries.h"

#include <QHash>
#include <QIcon>
#include <QString>
#include <optional>

class TImageList;

// When the desktop names no icon theme of its own (a bare window manager), the first
// of the usual complete themes that is installed, so files show their types.
void UseInstalledIconTheme();

// The desktop's icons for files, kept in the image list once per picture: a program
// shows the icon of the desktop entry that starts it, any other file the icon of its
// type in the icon theme, else the plain file icon. Loading the same documents again
// (Revert, a remote folder's refresh) finds the entries already there.
class TFileIcons
{
public:
    explicit TFileIcons(TImageList &images) : m_images(images) {}

    // The image-list index for file, or fallback when the desktop has no icon for it.
    int IndexFor(const QString &file, int fallback);

    // Where the desktop entries are read from (before the first program's icon).
    void SetApplicationDirs(const QStringList &dirs) { m_entries.emplace(dirs); }

    // The name the picture is shared under: "icon:" + a desktop entry's Icon, "mime:"
    // + a theme icon name, or "file:" / "folder:" for the plain icons; empty for a
    // missing file of no known type.
    QString IconName(const QString &file);

private:
    QIcon load(const QString &name) const;

    TImageList &m_images;
    std::optional<DesktopEntries> m_entries; // read at the first program
    QHash<QString, int> m_indexByName;
};
