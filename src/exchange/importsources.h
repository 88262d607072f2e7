#pragma once

#include "csvimport.h"
#include "importtext.h"
#include "vcardimport.h"

#include <QString>
#include <optional>

class TTreeNode;

// The kinds of file the import takes in, as the wizard lists them and the mira tool names them.
enum class ImportSource { Mbd, Favorites, Bookmarks, AddressBook, Nicknames, Csv, Tab, Ldif, VCard };

// "mbd", "favorites", "bookmarks", "addressbook", "nicknames", "csv", "tab", "ldif", "vcf".
std::optional<ImportSource> ImportSourceFromWord(const QString &word);
QString ImportSourceWord(ImportSource source);
// What a path most likely is: a directory of favourites, or a file by its name or first bytes.
std::optional<ImportSource> GuessImportSource(const QString &path);

struct ImportRequestOptions
{
    // Comma and tab text (the separator follows the source).
    DelimitedImportOptions delimited;
    // Cards that name an organization.
    VCardOrgQuestion askOrganization;
};

// Imports path as the source says into target (an export file is merged there too).
// Raises EInOutError when the file cannot be read, ERemoteParent for a read-only target,
// both before anything is made; a missing file or directory imports nothing.
ImportNotes RunImport(ImportSource source, TTreeNode *target, const QString &path, const ImportRequestOptions &options);
