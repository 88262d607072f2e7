#pragma once

#include <QString>
#include <QStringList>

class Profile;

// Where modems are looked for: the serial devices of devDir that answer "AT"
// with "OK" within a second, all asked at once (ttyACM*, ttyUSB*, ttyS*), then the ports listed in
// zeb.ini, section "Telephony", key "Ports" (comma-separated paths), which are
// taken as they are, pseudo-terminals included.
namespace ModemPorts {

QStringList listedPorts(const Profile &settings);
QStringList find(const QString &devDir, const QStringList &listed);
// The ports of this machine and of zeb.ini.
QStringList find();

} // namespace ModemPorts
