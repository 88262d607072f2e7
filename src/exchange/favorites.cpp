#include "favorites.h"

#include "store/itemfactory.h"
#include "store/recordfile.h"
#include "store/treenodes.h"
#include "store/zebobject.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QScopeGuard>

#include <deque>

namespace {

// Lines of name=value under [section] headers: the value of the first key of the section
// (any section when it is empty) named key, ignoring case; localised keys ("Name[de]") are
// not the key itself.
QString keyValue(const QString &text, QStringView section, QStringView key)
{
    QString current;
    const QStringList lines = text.split(u'\n');
    for (QString line : lines) {
        line = line.trimmed();
        if (line.startsWith(u'[') && line.endsWith(u']')) {
            current = line.mid(1, line.size() - 2);
            continue;
        }
        if (!section.isEmpty() && current.compare(section, Qt::CaseInsensitive) != 0)
            continue;
        const qsizetype eq = line.indexOf(u'=');
        if (eq <= 0)
            continue;
        QStringView name = QStringView(line).first(eq).trimmed();
        // "URL[$e]" is the desktop entry's form of a key that may hold a variable.
        if (name.endsWith(u"[$e]"))
            name.chop(4);
        if (name.compare(key, Qt::CaseInsensitive) == 0)
            return line.mid(eq + 1).trimmed();
    }
    return QString();
}

bool isShortcutFile(const QString &name) { return name.endsWith(QLatin1String(".url"), Qt::CaseInsensitive); }
bool isDesktopFile(const QString &name) { return name.endsWith(QLatin1String(".desktop"), Qt::CaseInsensitive); }

} // namespace

QString FolderNameOf(const QString &directory)
{
    QString d = QDir::fromNativeSeparators(directory);
    while (d.size() > 1 && d.endsWith(u'/'))
        d.chop(1);
    return d.mid(d.lastIndexOf(u'/') + 1).left(255);
}

QString ShortcutUrl(const QString &text) { return keyValue(text, {}, u"URL"); }

bool DesktopLink(const QString &text, QString &title, QString &url)
{
    if (keyValue(text, u"Desktop Entry", u"Type").compare(QLatin1String("Link"), Qt::CaseInsensitive) != 0)
        return false;
    url = keyValue(text, u"Desktop Entry", u"URL");
    if (url.isEmpty())
        return false;
    if (const QString name = keyValue(text, u"Desktop Entry", u"Name"); !name.isEmpty())
        title = name;
    return true;
}

std::vector<FavoriteLink> FindFavorites(const QString &directory, ImportNotes &notes)
{
    std::vector<FavoriteLink> links;
    std::deque<QString> dirs{QDir(directory).absolutePath()};
    const QString top = dirs.front();
    while (!dirs.empty()) {
        const QDir dir(dirs.front());
        dirs.pop_front();
        const QString folder = dir.absolutePath() == top ? QString() : FolderNameOf(dir.absolutePath());
        const QFileInfoList files = dir.entryInfoList(QDir::Files | QDir::Hidden, QDir::Name);
        for (const QFileInfo &file : files) {
            const QString name = file.fileName();
            if (!isShortcutFile(name) && !isDesktopFile(name))
                continue;
            try {
                const QString text = ImportText::ReadText(file.filePath(), ImportText::MaxShortcutSize);
                FavoriteLink link{folder, isShortcutFile(name) ? name.chopped(4) : file.completeBaseName(), {}};
                if (isShortcutFile(name) ? !(link.url = ShortcutUrl(text)).isEmpty() : DesktopLink(text, link.title, link.url))
                    links.push_back(std::move(link));
            } catch (const EInOutError &e) {
                notes.problems << QString::fromUtf8(e.what());
            }
        }
        const QFileInfoList subdirs = dir.entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::NoSymLinks, QDir::Name);
        for (const QFileInfo &sub : subdirs)
            dirs.push_back(sub.absoluteFilePath());
    }
    return links;
}

ImportNotes ImportFavorites(TTreeNode *target, const QString &directory)
{
    ImportNotes notes;
    if (!QFileInfo(directory).isDir())
        return notes;
    if (const TZEBObject *owner = target->Item(); owner && (owner->IsRemote() || owner->InRemote()))
        throw ERemoteParent();
    const std::vector<FavoriteLink> links = FindFavorites(directory, notes);
    TTreeNodes *nodes = target->Owner();
    nodes->BeginUpdate();
    const auto update = qScopeGuard([nodes] { nodes->EndUpdate(); });
    TTreeNode *top = CreateItem(ItemKind::Folder, FolderNameOf(directory), {}, {}, target, {}, 0)->Node();
    QHash<QString, TTreeNode *> folders;
    for (const FavoriteLink &link : links) {
        TTreeNode *into = top;
        if (!link.folder.isEmpty() && link.folder != FolderNameOf(directory)) {
            TTreeNode *&made = folders[link.folder];
            if (!made)
                made = CreateItem(ItemKind::Folder, link.folder, {}, {}, top, {}, 0)->Node();
            into = made;
        }
        CreateItem(ItemKind::Website, link.title, link.url, {}, into, {}, 0);
        ++notes.made;
    }
    return notes;
}
