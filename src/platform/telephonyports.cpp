#include "telephonyports.h"

#include "profile.h"
#include "telephonyport.h"

#include <QDir>

namespace ModemPorts {

QStringList listedPorts(const Profile &settings)
{
    QStringList out;
    const QStringList parts = settings.readString(QStringLiteral("Telephony"), QStringLiteral("Ports"))
                                  .split(u',', Qt::SkipEmptyParts);
    for (const QString &part : parts) {
        const QString path = part.trimmed();
        if (!path.isEmpty() && !out.contains(path))
            out.append(path);
    }
    return out;
}

QStringList find(const QString &devDir, const QStringList &listed)
{
    QStringList out;
    const QDir dir(devDir);
    const QStringList names = dir.entryList({QStringLiteral("ttyACM*"), QStringLiteral("ttyUSB*"),
                                             QStringLiteral("ttyS*")},
                                            QDir::System | QDir::Files | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString &name : names) {
        const QString path = dir.filePath(name);
        if (listed.contains(path))
            continue;
        ModemPort port;
        if (port.open(path) && port.probe(1000))
            out.append(path);
    }
    for (const QString &path : listed)
        out.append(path);
    return out;
}

QStringList find()
{
    const Profile settings;
    return find(QStringLiteral("/dev"), listedPorts(settings));
}

} // namespace ModemPorts
