#include "importsources.h"

#include "bookmarks.h"
#include "favorites.h"
#include "ldif.h"
#include "nicknames.h"

#include "store/recordfile.h"

#include <QFileInfo>

namespace {

const struct { ImportSource source; const char *word; } kWords[] = {
    {ImportSource::Mbd, "mbd"},         {ImportSource::Favorites, "favorites"},   {ImportSource::Bookmarks, "bookmarks"},
    {ImportSource::AddressBook, "addressbook"}, {ImportSource::Nicknames, "nicknames"}, {ImportSource::Csv, "csv"},
    {ImportSource::Tab, "tab"},         {ImportSource::Ldif, "ldif"},             {ImportSource::VCard, "vcf"},
};

} // namespace

std::optional<ImportSource> ImportSourceFromWord(const QString &word)
{
    for (const auto &w : kWords)
        if (word.compare(QLatin1String(w.word), Qt::CaseInsensitive) == 0)
            return w.source;
    if (word.compare(QLatin1String("favourites"), Qt::CaseInsensitive) == 0)
        return ImportSource::Favorites;
    if (word.compare(QLatin1String("vcard"), Qt::CaseInsensitive) == 0)
        return ImportSource::VCard;
    return std::nullopt;
}

QString ImportSourceWord(ImportSource source)
{
    for (const auto &w : kWords)
        if (w.source == source)
            return QString::fromLatin1(w.word);
    return QString();
}

std::optional<ImportSource> GuessImportSource(const QString &path)
{
    const QFileInfo info(path);
    if (info.isDir())
        return ImportSource::Favorites;
    const QString suffix = info.suffix().toLower();
    if (suffix == QLatin1String("mbd"))
        return ImportSource::Mbd;
    if (suffix == QLatin1String("vcf") || suffix == QLatin1String("vcard"))
        return ImportSource::VCard;
    if (suffix == QLatin1String("csv"))
        return ImportSource::Csv;
    if (suffix == QLatin1String("tsv") || suffix == QLatin1String("tab"))
        return ImportSource::Tab;
    if (suffix == QLatin1String("ldif") || suffix == QLatin1String("ldi"))
        return ImportSource::Ldif;
    if (suffix == QLatin1String("html") || suffix == QLatin1String("htm") || info.fileName() == QLatin1String("Bookmarks"))
        return ImportSource::Bookmarks;
    if (info.fileName().compare(QLatin1String("nndbase.txt"), Qt::CaseInsensitive) == 0)
        return ImportSource::Nicknames;
    return std::nullopt;
}

ImportNotes RunImport(ImportSource source, TTreeNode *target, const QString &path, const ImportRequestOptions &options)
{
    switch (source) {
    case ImportSource::Mbd: {
        ImportNotes notes;
        if (!QFileInfo::exists(path))
            return notes;
        const RecordFile::ReadNotes read = ImportFile(target, path);
        notes.made = read.records;
        if (const QString shortfall = RecordFile::ImportShortfall(read); !shortfall.isEmpty())
            notes.problems << shortfall;
        return notes;
    }
    case ImportSource::Favorites:
        return ImportFavorites(target, path);
    case ImportSource::Bookmarks:
        return ImportBookmarkFile(target, path);
    case ImportSource::AddressBook:
        return ImportAddressBookFile(target, path);
    case ImportSource::Nicknames:
        return ImportNicknameFile(target, path);
    case ImportSource::Csv:
    case ImportSource::Tab: {
        DelimitedImportOptions delimited = options.delimited;
        delimited.separator = source == ImportSource::Tab ? u'\t' : u',';
        return ImportDelimited(target, path, delimited);
    }
    case ImportSource::Ldif:
        return ImportLdif(target, path);
    case ImportSource::VCard: {
        const VCardImportNotes read = ImportVCardFile(target, path, options.askOrganization);
        ImportNotes notes;
        notes.made = read.persons + read.organizations;
        if (const QString shortfall = VCardShortfall(read.read); !shortfall.isEmpty())
            notes.problems << shortfall;
        return notes;
    }
    }
    return {};
}
