#include "fileicons.h"

#include "imagelist.h"

#include <QFileIconProvider>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QStandardPaths>

namespace {
const QString IconPrefix = QStringLiteral("icon:");
const QString MimePrefix = QStringLiteral("mime:");
const QString FileName = QStringLiteral("file:");
const QString FolderName = QStringLiteral("folder:");

QMimeType typeOf(const QString &file, const QFileInfo &info)
{
    static const QMimeDatabase mimes;
    // By name first: a document's icon must not cost a read of its file.
    QMimeType type = mimes.mimeTypeForFile(file, QMimeDatabase::MatchExtension);
    if (type.isDefault() && info.isFile())
        type = mimes.mimeTypeForFile(info);
    return type;
}
} // namespace

void UseInstalledIconTheme()
{
    const QString current = QIcon::themeName();
    if (!current.isEmpty() && current != QLatin1String("hicolor"))
        return;
    QStringList paths = QIcon::themeSearchPaths();
    for (const QString &dir :
         QStandardPaths::locateAll(QStandardPaths::GenericDataLocation, QStringLiteral("icons"), QStandardPaths::LocateDirectory))
        if (!paths.contains(dir))
            paths << dir;
    QIcon::setThemeSearchPaths(paths);
    for (const char *theme : {"Adwaita", "breeze", "oxygen", "Tango", "gnome"}) {
        for (const QString &dir : std::as_const(paths)) {
            if (QFileInfo::exists(dir + u'/' + QLatin1String(theme) + QLatin1String("/index.theme"))) {
                QIcon::setThemeName(QLatin1String(theme));
                return;
            }
        }
    }
}

QString TFileIcons::IconName(const QString &file)
{
    const QFileInfo info(file);
    if (info.isDir())
        return FolderName;
    if (info.isFile() && info.isExecutable()) {
        if (!m_entries)
            m_entries.emplace();
        const QString icon = m_entries->IconFor(file);
        const QString name = IconPrefix + icon;
        if (!icon.isEmpty() && (m_indexByName.contains(name) || !load(name).isNull()))
            return name;
    }
    const QMimeType type = typeOf(file, info);
    if (!type.isDefault() || info.isFile()) {
        for (const QString &name : {type.iconName(), type.genericIconName()})
            if (!name.isEmpty() && QIcon::hasThemeIcon(name))
                return MimePrefix + name;
    }
    // A file that is not there and of no known type has no picture of its own.
    return info.isFile() ? FileName : QString();
}

QIcon TFileIcons::load(const QString &name) const
{
    static QFileIconProvider provider;
    if (name.startsWith(IconPrefix)) {
        const QString icon = name.mid(IconPrefix.size());
        return QFileInfo(icon).isAbsolute() ? (QFileInfo::exists(icon) ? QIcon(icon) : QIcon()) : QIcon::fromTheme(icon);
    }
    if (name.startsWith(MimePrefix))
        return QIcon::fromTheme(name.mid(MimePrefix.size()));
    return provider.icon(name == FolderName ? QFileIconProvider::Folder : QFileIconProvider::File);
}

int TFileIcons::IndexFor(const QString &file, int fallback)
{
    if (file.isEmpty())
        return fallback;
    const QString name = IconName(file);
    if (name.isEmpty())
        return fallback;
    if (const auto it = m_indexByName.constFind(name); it != m_indexByName.constEnd())
        return *it;
    const QIcon icon = load(name);
    if (icon.isNull())
        return fallback;
    const int index = m_images.Add(icon);
    m_indexByName.insert(name, index);
    return index;
}
