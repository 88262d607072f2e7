#pragma once

#include "platform/registry.h"

#include <QString>
#include <QStringList>

enum class TDialMode { dmTone = 0, dmPulse = 1 };

// The dialing settings of the current location, kept in the registry stand-in:
//   RegistryPath               DeviceID (DWORD), DeviceName, Location
//   RegistryPath\<location>    AreaCode, LocalPrefix, LongPrefix, DialMode, UseCard,
//                              Service, Number, Code
// Assigning one object to another copies every field.
class TDialSettings
{
public:
    static constexpr const char *DialerKey = "Software\\Quenfold\\Dialer";
    static constexpr const char *DefaultLocation = "Default Location";

    explicit TDialSettings(const QString &registryFile = registryFilePath());

    QString RegistryPath;
    QString Location;
    // The line device: DeviceName is its name (the port), which stays right when
    // the list of devices changes; DeviceID its position when the name is unknown.
    qint32 DeviceID = 0;
    QString DeviceName;
    QString AreaCode;
    QString LocalPrefix;
    QString LongPrefix;
    TDialMode DialMode = TDialMode::dmTone;
    bool UseCard = false;
    QString Service;
    QString CardNumber;
    QString Code;

    // Reads the current location's settings; with no location yet, the stored
    // one, else "Default Location". Missing values keep what the fields hold
    // (strings read as empty).
    void Load();
    // Loads the stored location afresh, e.g. after another object saved a switch.
    void Reload();
    // Writes everything. False (see ErrorString) when a write fails or no
    // location is named.
    bool Save();
    // Names the location and makes sure its key exists. False, leaving Location
    // as it was, for a name that cannot be a key; false when the key cannot be made.
    bool SetLocation(const QString &name);

    // The locations: the sub-keys of RegistryPath, or "Default Location" alone
    // when there is no such key yet.
    QStringList Locations();
    bool DeleteLocation(const QString &name);
    // A location name is its key's name: no "\" and not blanks only.
    static bool IsValidLocationName(const QString &name);

    // The position of the stored device in devices: by name, else by DeviceID
    // when in range, else -1.
    int DeviceIndex(const QStringList &devices) const;

    QString ErrorString() const { return m_error; }

private:
    QString locationKey(const QString &name) const { return RegistryPath + u'\\' + name; }
    bool fail(const Registry &registry);

    QString m_registryFile;
    QString m_error;
};
