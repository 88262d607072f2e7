#pragma once

#include "importtext.h"

#include <QString>
#include <vector>

class TTreeNode;

// One link file found below the chosen directory: an Internet shortcut (".url") or a
// desktop entry of Type=Link (".desktop").
struct FavoriteLink
{
    // The name of the directory that holds the file; empty for the chosen directory itself.
    QString folder;
    QString title;
    QString url;
};

// The last component of a directory ("/home/kim/Links/" and "/home/kim/Links" give "Links").
QString FolderNameOf(const QString &directory);

// The address of a shortcut or desktop entry (its text), or empty when it names none.
// A desktop entry must be of Type=Link; its Name (else fileTitle) becomes the title.
QString ShortcutUrl(const QString &text);
bool DesktopLink(const QString &text, QString &title, QString &url);

// Every link below directory, each directory's files in name order before its
// subdirectories; symbolic links to directories are not followed.
std::vector<FavoriteLink> FindFavorites(const QString &directory, ImportNotes &notes);

// Makes a folder titled after the directory under target, and puts each link into it or
// into a folder named after the link's own directory, made directly below it once. Only
// plain folders that this import made are used, so links never land in a person or a
// remote folder.
ImportNotes ImportFavorites(TTreeNode *target, const QString &directory);
