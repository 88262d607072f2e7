#include "paths.h"

#include <QDir>
#include <QHash>
#include <QStandardPaths>

namespace {

QString g_homeOverride;

// A relative $MIRABOOK_HOME is taken from the directory the program started in,
// not from the data directory it changes to afterwards.
QString home()
{
    if (!g_homeOverride.isEmpty())
        return g_homeOverride;
    static QHash<QString, QString> resolved;
    const QString value = qEnvironmentVariable("MIRABOOK_HOME");
    if (value.isEmpty())
        return value;
    auto it = resolved.find(value);
    if (it == resolved.end())
        it = resolved.insert(value, QDir(value).absolutePath());
    return it.value();
}

QString ensured(const QString &path)
{
    const QString abs = QDir(path).absolutePath();
    QDir().mkpath(abs);
    return abs;
}

QString underXdg(QStandardPaths::StandardLocation location)
{
    const QString h = home();
    if (!h.isEmpty())
        return ensured(h);
    return ensured(QStandardPaths::writableLocation(location) + QStringLiteral("/mirabook"));
}

} // namespace

namespace Paths {

QString dataDir() { return underXdg(QStandardPaths::GenericDataLocation); }

QString configDir() { return underXdg(QStandardPaths::GenericConfigLocation); }

void setHomeOverride(const QString &dir)
{
    g_homeOverride = dir.isEmpty() ? QString() : QDir(dir).absolutePath();
}

bool enterDataDir(QString *error)
{
    const QString dir = dataDir();
    if (!QDir(dir).exists()) {
        if (error)
            *error = QStringLiteral("Cannot create the data directory %1").arg(dir);
        return false;
    }
    if (!QDir::setCurrent(dir)) {
        if (error)
            *error = QStringLiteral("Cannot change to the data directory %1").arg(dir);
        return false;
    }
    return true;
}

} // namespace Paths
