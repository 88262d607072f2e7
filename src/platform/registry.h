#pragma once

#include "profile.h"

#include <QString>
#include <QStringList>
#include <optional>

// "registry.ini" in the configuration directory.
QString registryFilePath();

// The per-user registry: keys with sub-keys, each holding string and DWORD values.
// Key paths are written with backslashes ("Software\Quenfold\Dialer") and compared
// case-insensitively. Every write reaches the file at once, atomically, so other
// Registry objects see it on their next openKey.
class Registry
{
public:
    explicit Registry(const QString &filePath = registryFilePath());

    // Makes key the current key; with canCreate it and the keys above it are made
    // when missing. False when it does not exist (or cannot be made).
    bool openKey(const QString &key, bool canCreate);
    void closeKey();
    const QString &currentKey() const { return m_current; }
    bool keyExists(const QString &key);

    // Values of the current key; nothing when missing or of the other type.
    std::optional<QString> readString(const QString &name) const;
    std::optional<qint32> readInteger(const QString &name) const;
    bool valueExists(const QString &name) const;
    bool writeString(const QString &name, const QString &value);
    bool writeInteger(const QString &name, qint32 value);

    // Names of the current key's direct sub-keys, in the order they were made.
    QStringList keyNames() const;
    // Deletes key with all its sub-keys and values.
    bool deleteKey(const QString &key);

    QString errorString() const { return m_error; }

private:
    bool write(const QString &name, const QString &encoded);
    bool fail(const QString &message);

    Profile m_store;
    QString m_current;
    QString m_error;
};
