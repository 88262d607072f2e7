#pragma once

#include <QString>
#include <QStringList>
#include <vector>

// The settings file "zeb.ini" in the configuration directory.
QString settingsFilePath();

// A sections-and-keys settings file with the classic profile semantics:
// sections and keys compared case-insensitively, values read raw (blanks around
// them dropped, no quoting), integers decimal or 0x-hex, Booleans "not 0", a missing
// key gives the caller's default, values cut at 1023 characters when read.
//
// The file is read when the object is made. Writes are kept and applied to the
// file by save() (and by the destructor when save() was not called): save() reads
// the file again, applies this object's changes in order and replaces the file
// atomically, so changes made by another Profile in the meantime survive.
// Files are written as UTF-8 with CR LF; LF alone is read too, and a file that is
// not valid UTF-8 is read as Windows-1252.
class Profile
{
public:
    static constexpr int MaxValueLength = 1023;
    // A settings file holds a few kilobytes; anything far larger is not read (nor replaced).
    static constexpr qint64 MaxFileSize = 16 * 1024 * 1024;

    explicit Profile(const QString &filePath = settingsFilePath());
    ~Profile();
    Profile(const Profile &) = delete;
    Profile &operator=(const Profile &) = delete;

    const QString &filePath() const { return m_path; }

    QString readString(const QString &section, const QString &key, const QString &def = QString()) const;
    // As readString, without the length cut (for stores that need whole values back).
    QString readRawString(const QString &section, const QString &key, const QString &def = QString()) const;
    int readInteger(const QString &section, const QString &key, int def) const;
    bool readBool(const QString &section, const QString &key, bool def) const;

    bool hasSection(const QString &section) const;
    bool hasKey(const QString &section, const QString &key) const;
    // Key names of a section in file order, as written in the file.
    QStringList sectionKeys(const QString &section) const;
    QStringList sectionNames() const;

    // False (see errorString) for a name or value the file format cannot hold:
    // empty names, line breaks, "=" in a key, "]" in a section name.
    bool writeString(const QString &section, const QString &key, const QString &value);
    bool writeInteger(const QString &section, const QString &key, int value);
    bool writeBool(const QString &section, const QString &key, bool value);
    bool deleteKey(const QString &section, const QString &key);
    bool eraseSection(const QString &section);
    // Makes sure the section exists, even without keys.
    bool ensureSection(const QString &section);

    // Applies the pending changes to the file. False, with errorString(), when the
    // file cannot be read or written; the changes then stay pending.
    bool save();
    bool hasPendingChanges() const { return !m_pending.empty(); }
    // Reads the file again; pending changes are applied on top of it.
    bool reload();
    QString errorString() const { return m_error; }

    struct Entry
    {
        QString key;   // empty for a line kept as it is (comment, blank)
        QString value; // or the whole line when key is empty
    };
    struct Section
    {
        QString name;
        std::vector<Entry> entries;
    };

private:
    enum class OpType { Set, Delete, Erase, Ensure };
    struct Op
    {
        OpType type;
        QString section, key, value;
    };

    bool readFile(std::vector<Section> &sections, QStringList &preamble);
    void apply(std::vector<Section> &sections, const Op &op) const;
    bool record(Op op);
    bool checkSection(const QString &section);
    const Entry *find(const QString &section, const QString &key) const;

    QString m_path;
    std::vector<Section> m_sections;
    QStringList m_preamble; // lines before the first section, kept as they are
    std::vector<Op> m_pending;
    mutable QString m_error;
};
