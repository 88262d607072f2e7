#include "telephonyports.h"

#include "profile.h"
#include "telephonyport.h"

#include <QDir>
#include <QThread>

#include <memory>
#include <vector>

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
    // Every port is asked at once: a machine with a row of serial ports that nothing
    // answers on waits one second, not one second per port.
    // (Threads of Qt's own: a port watches its device with a socket notifier.)
    QStringList paths;
    for (const QString &name : names)
        if (const QString path = dir.filePath(name); !listed.contains(path))
            paths.append(path);
    std::vector<char> answered(size_t(paths.size()), 0);
    std::vector<std::unique_ptr<QThread>> probes;
    for (qsizetype i = 0; i < paths.size(); ++i) {
        probes.emplace_back(QThread::create([path = paths.at(i), &result = answered[size_t(i)]] {
            ModemPort port;
            result = port.open(path) && port.probe(1000);
        }));
        probes.back()->start();
    }
    for (const std::unique_ptr<QThread> &probe : probes)
        probe->wait();
    for (qsizetype i = 0; i < paths.size(); ++i)
        if (answered[size_t(i)])
            out.append(paths.at(i));
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
