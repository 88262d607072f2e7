#include "bookmarks.h"

#include "htmlscan.h"

#include "store/itemfactory.h"
#include "store/recordfile.h"
#include "store/treenodes.h"
#include "store/zebobject.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QUrl>

namespace {

QString simplified(const QString &text) { return text.simplified(); }

void addBookmark(BookmarkList &list, int depth, const QString &title, const QString &url)
{
    if (IsInternalBookmark(url)) {
        ++list.internal;
        return;
    }
    if (url.trimmed().isEmpty())
        return;
    const QString t = simplified(title);
    list.entries.push_back({depth, false, t.isEmpty() ? url.trimmed() : t, url.trimmed()});
}

void checkWritable(TTreeNode *parent)
{
    if (const TZEBObject *owner = parent->Item(); owner && (owner->IsRemote() || owner->InRemote()))
        throw ERemoteParent();
}

} // namespace

bool IsInternalBookmark(const QString &url)
{
    static const char *const schemes[] = {"place:", "chrome:", "about:", "javascript:", "edge:", "brave:", "vivaldi:"};
    const QString u = url.trimmed();
    for (const char *scheme : schemes)
        if (u.startsWith(QLatin1String(scheme), Qt::CaseInsensitive))
            return true;
    return false;
}

BookmarkList ParseBookmarkHtml(const QString &html)
{
    BookmarkList list;
    HtmlScanner scan(html);
    // Each open "<DL>": whether it holds a folder's contents (else only the page's list).
    std::vector<bool> lists;
    int depth = 0;
    enum class Collect { None, Title, Heading, Folder, Anchor } collect = Collect::None;
    QString text;
    QString href;
    QString pendingFolder;
    bool folderPending = false;

    auto finishAnchor = [&] {
        addBookmark(list, depth, text, href);
        collect = Collect::None;
    };
    for (HtmlScanner::Token t; (t = scan.Next()) != HtmlScanner::Token::End;) {
        if (t == HtmlScanner::Token::Text) {
            if (collect != Collect::None)
                text += scan.Text();
            continue;
        }
        const QString &name = scan.TagName();
        if (collect == Collect::Anchor && !(name == QLatin1String("a") && scan.Closing()) &&
            (name == QLatin1String("a") || name == QLatin1String("dt") || name == QLatin1String("dl") ||
             name == QLatin1String("h3")))
            finishAnchor(); // an anchor left open ends where the next entry starts
        if (name == QLatin1String("title") || name == QLatin1String("h1")) {
            if (!scan.Closing()) {
                collect = Collect::Title;
                text.clear();
            } else if (collect == Collect::Title) {
                if (list.title.isEmpty())
                    list.title = simplified(text);
                collect = Collect::None;
            }
        } else if (name == QLatin1String("h3")) {
            if (!scan.Closing()) {
                collect = Collect::Folder;
                text.clear();
            } else if (collect == Collect::Folder) {
                pendingFolder = simplified(text);
                folderPending = true;
                collect = Collect::None;
            }
        } else if (name == QLatin1String("a")) {
            if (!scan.Closing()) {
                collect = Collect::Anchor;
                text.clear();
                href = scan.Attribute(QStringLiteral("href"));
            } else if (collect == Collect::Anchor) {
                finishAnchor();
            }
        } else if (name == QLatin1String("dl")) {
            if (!scan.Closing()) {
                if (folderPending) {
                    list.entries.push_back({depth, true, pendingFolder, {}});
                    ++depth;
                }
                lists.push_back(folderPending);
                folderPending = false;
            } else if (!lists.empty()) {
                if (lists.back())
                    --depth;
                lists.pop_back();
            }
        } else if (name == QLatin1String("dt") && folderPending) {
            // A heading without a list: an empty folder.
            list.entries.push_back({depth, true, pendingFolder, {}});
            folderPending = false;
        }
    }
    if (collect == Collect::Anchor)
        finishAnchor();
    if (folderPending)
        list.entries.push_back({depth, true, pendingFolder, {}});
    return list;
}

BookmarkList ParseChromiumBookmarks(const QByteArray &json, const QString &fileName)
{
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(json, &error);
    const QJsonObject roots = doc.object().value(QLatin1String("roots")).toObject();
    if (error.error != QJsonParseError::NoError || roots.isEmpty())
        throw EInOutError(QStringLiteral("\"%1\" is not a browser's bookmark file; nothing was imported").arg(fileName));
    BookmarkList list;
    list.title = QStringLiteral("Bookmarks");
    // Walked with a stack of the nodes still to visit, so deep folders need no deep calls.
    struct Pending { QJsonObject node; int depth; };
    std::vector<Pending> stack;
    for (const char *root : {"synced", "other", "bookmark_bar"}) {
        const QJsonObject node = roots.value(QLatin1String(root)).toObject();
        if (!node.value(QLatin1String("children")).toArray().isEmpty())
            stack.push_back({node, 0});
    }
    while (!stack.empty()) {
        const Pending p = std::move(stack.back());
        stack.pop_back();
        const QString type = p.node.value(QLatin1String("type")).toString();
        const QString name = p.node.value(QLatin1String("name")).toString();
        if (type == QLatin1String("url")) {
            addBookmark(list, p.depth, name, p.node.value(QLatin1String("url")).toString());
            continue;
        }
        if (type != QLatin1String("folder"))
            continue;
        list.entries.push_back({p.depth, true, simplified(name), {}});
        const QJsonArray children = p.node.value(QLatin1String("children")).toArray();
        for (qsizetype i = children.size(); i-- > 0;)
            stack.push_back({children.at(i).toObject(), p.depth + 1});
    }
    return list;
}

BookmarkList ReadBookmarkFile(const QString &fileName)
{
    const QByteArray bytes = ImportText::ReadBytes(fileName);
    const QByteArray start = bytes.left(64).trimmed();
    if (start.startsWith('{'))
        return ParseChromiumBookmarks(bytes, fileName);
    return ParseBookmarkHtml(ImportText::Decode(bytes, fileName));
}

QString BookmarkFileTitle(const QString &fileName)
{
    try {
        const QByteArray bytes = ImportText::ReadBytes(fileName);
        if (bytes.left(64).trimmed().startsWith('{'))
            return ParseChromiumBookmarks(bytes, fileName).title;
        // Only the head is needed.
        const QString html = ImportText::Decode(bytes.left(64 * 1024), fileName);
        HtmlScanner scan(html);
        bool inTitle = false;
        QString text;
        for (HtmlScanner::Token t; (t = scan.Next()) != HtmlScanner::Token::End;) {
            if (t == HtmlScanner::Token::Text && inTitle)
                text += scan.Text();
            else if (t == HtmlScanner::Token::Tag && scan.TagName() == QLatin1String("title")) {
                if (scan.Closing())
                    return simplified(text);
                inTitle = true;
            }
        }
    } catch (const std::exception &) {
    }
    return QString();
}

ImportNotes ImportBookmarkList(TTreeNode *parent, const BookmarkList &list)
{
    checkWritable(parent);
    ImportNotes notes;
    TTreeNodes *nodes = parent->Owner();
    nodes->BeginUpdate();
    const auto update = qScopeGuard([nodes] { nodes->EndUpdate(); });
    const QString title = list.title.isEmpty() ? QStringLiteral("Bookmarks") : list.title;
    TZEBObject *top = CreateItem(ItemKind::Folder, title, {}, {}, parent, {}, 0);
    // The folder each depth's entries go into.
    std::vector<TTreeNode *> folders{top->Node()};
    for (const BookmarkEntry &e : list.entries) {
        const size_t depth = std::min(size_t(e.depth), folders.size() - 1);
        folders.resize(depth + 1);
        if (e.folder) {
            const QString name = e.title.isEmpty() ? QStringLiteral("Folder") : e.title;
            folders.push_back(CreateItem(ItemKind::Folder, name, {}, {}, folders.back(), {}, 0)->Node());
            continue;
        }
        CreateItem(ItemKind::Website, e.title, e.url, {}, folders.back(), {}, 0);
        ++notes.made;
    }
    if (list.internal > 0)
        notes.problems << QStringLiteral("%1 of the browser's own internal links (such as \"place:\") were left out")
                              .arg(list.internal);
    return notes;
}

ImportNotes ImportBookmarkFile(TTreeNode *parent, const QString &fileName)
{
    if (!QFileInfo::exists(fileName))
        return {};
    checkWritable(parent);
    return ImportBookmarkList(parent, ReadBookmarkFile(fileName));
}

ImportNotes ImportAddressBookFile(TTreeNode *parent, const QString &fileName)
{
    if (!QFileInfo::exists(fileName))
        return {};
    checkWritable(parent);
    const BookmarkList page = ParseBookmarkHtml(ImportText::ReadText(fileName));
    ImportNotes notes;
    TTreeNodes *nodes = parent->Owner();
    nodes->BeginUpdate();
    const auto update = qScopeGuard([nodes] { nodes->EndUpdate(); });
    TZEBObject *folder =
        CreateItem(ItemKind::Folder, page.title.isEmpty() ? QStringLiteral("Address Book") : page.title, {}, {}, parent, {}, 0);
    for (const BookmarkEntry &e : page.entries) {
        if (e.folder || !e.url.startsWith(QLatin1String("mailto:"), Qt::CaseInsensitive))
            continue;
        QString address = e.url.mid(7);
        if (const qsizetype query = address.indexOf(u'?'); query >= 0)
            address.truncate(query);
        address = QUrl::fromPercentEncoding(address.toUtf8()).trimmed();
        if (address.isEmpty())
            continue;
        const QString title = e.title == e.url ? address : e.title;
        CreateItem(ItemKind::EMail, title, address, {}, folder->Node(), {}, 0);
        ++notes.made;
    }
    return notes;
}

QStringList FindBrowserBookmarkFiles()
{
    const QDir config(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
    QStringList found;
    for (const char *dir : {"google-chrome", "chromium", "BraveSoftware/Brave-Browser", "microsoft-edge", "vivaldi"}) {
        const QString file = config.filePath(QLatin1String(dir) + QLatin1String("/Default/Bookmarks"));
        if (QFileInfo(file).isFile())
            found << file;
    }
    return found;
}
