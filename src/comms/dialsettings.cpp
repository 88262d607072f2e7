#include "dialsettings.h"

TDialSettings::TDialSettings(const QString &registryFile)
    : RegistryPath(QLatin1String(DialerKey)), m_registryFile(registryFile)
{
}

bool TDialSettings::fail(const Registry &registry)
{
    m_error = registry.errorString();
    return false;
}

bool TDialSettings::IsValidLocationName(const QString &name)
{
    return !name.trimmed().isEmpty() && !name.contains(u'\\');
}

bool TDialSettings::SetLocation(const QString &name)
{
    if (!IsValidLocationName(name)) {
        m_error = QStringLiteral("\"%1\" cannot name a dialing location").arg(name);
        return false;
    }
    Registry registry(m_registryFile);
    if (!registry.openKey(locationKey(name), true))
        return fail(registry);
    // Key names ignore case: an existing location keeps its own spelling, so the
    // name matches its entry in the list of locations.
    Location = name;
    if (registry.openKey(RegistryPath, false))
        for (const QString &existing : registry.keyNames())
            if (existing.compare(name, Qt::CaseInsensitive) == 0)
                Location = existing;
    return true;
}

void TDialSettings::Load()
{
    Registry registry(m_registryFile);
    if (registry.openKey(RegistryPath, false)) {
        if (const auto id = registry.readInteger(QStringLiteral("DeviceID")))
            DeviceID = *id;
        if (const auto name = registry.readString(QStringLiteral("DeviceName")))
            DeviceName = *name;
        if (Location.isEmpty())
            if (const auto stored = registry.readString(QStringLiteral("Location")))
                SetLocation(*stored);
    }
    if (Location.isEmpty())
        SetLocation(QLatin1String(DefaultLocation));
    if (!IsValidLocationName(Location) || !registry.openKey(locationKey(Location), false))
        return;
    auto text = [&](const char *name) { return registry.readString(QLatin1String(name)).value_or(QString()); };
    AreaCode = text("AreaCode");
    LocalPrefix = text("LocalPrefix");
    LongPrefix = text("LongPrefix");
    const auto mode = registry.readInteger(QStringLiteral("DialMode"));
    const auto card = registry.readInteger(QStringLiteral("UseCard"));
    if (mode && card) {
        DialMode = *mode == 1 ? TDialMode::dmPulse : TDialMode::dmTone;
        UseCard = *card != 0;
    }
    Service = text("Service");
    CardNumber = text("Number");
    Code = text("Code");
}

void TDialSettings::Reload()
{
    Location.clear();
    Load();
}

bool TDialSettings::Save()
{
    m_error.clear();
    // An empty name would put the location's values into the parent key.
    if (!IsValidLocationName(Location)) {
        m_error = QStringLiteral("No dialing location is selected");
        return false;
    }
    Registry registry(m_registryFile);
    if (!registry.openKey(RegistryPath, true) || !registry.writeInteger(QStringLiteral("DeviceID"), DeviceID)
        || !registry.writeString(QStringLiteral("DeviceName"), DeviceName)
        || !registry.writeString(QStringLiteral("Location"), Location))
        return fail(registry);
    if (!registry.openKey(locationKey(Location), true) || !registry.writeString(QStringLiteral("AreaCode"), AreaCode)
        || !registry.writeString(QStringLiteral("LocalPrefix"), LocalPrefix)
        || !registry.writeString(QStringLiteral("LongPrefix"), LongPrefix)
        || !registry.writeInteger(QStringLiteral("DialMode"), DialMode == TDialMode::dmPulse ? 1 : 0)
        || !registry.writeInteger(QStringLiteral("UseCard"), UseCard ? 1 : 0)
        || !registry.writeString(QStringLiteral("Service"), Service)
        || !registry.writeString(QStringLiteral("Number"), CardNumber)
        || !registry.writeString(QStringLiteral("Code"), Code))
        return fail(registry);
    return true;
}

QStringList TDialSettings::Locations()
{
    Registry registry(m_registryFile);
    if (!registry.openKey(RegistryPath, false))
        return {QLatin1String(DefaultLocation)};
    return registry.keyNames();
}

bool TDialSettings::DeleteLocation(const QString &name)
{
    if (!IsValidLocationName(name)) {
        m_error = QStringLiteral("\"%1\" cannot name a dialing location").arg(name);
        return false;
    }
    Registry registry(m_registryFile);
    if (!registry.deleteKey(locationKey(name)))
        return fail(registry);
    return true;
}

int TDialSettings::DeviceIndex(const QStringList &devices) const
{
    if (!DeviceName.isEmpty() && devices.contains(DeviceName))
        return int(devices.indexOf(DeviceName));
    return DeviceID >= 0 && DeviceID < devices.size() ? DeviceID : -1;
}
