#pragma once

#include "importtext.h"

#include <QByteArray>
#include <QString>
#include <vector>

class TTreeNode;

// Bookmarks as browsers export them, in the order of the file: a folder entry is followed
// by its contents, one level deeper.
struct BookmarkEntry
{
    int depth = 0;
    bool folder = false;
    QString title;
    QString url;
};

struct BookmarkList
{
    // The file's own title ("Bookmarks"), the name of the folder the import makes.
    QString title;
    std::vector<BookmarkEntry> entries;
    // Links passed over: the browser's own internal addresses ("place:...").
    int internal = 0;
};

// A bookmark file in the HTML format both major browser families export: folders are
// "<H3>" headings followed by a "<DL>" list, bookmarks "<A HREF>" anchors; an anchor
// without text is titled with its address.
BookmarkList ParseBookmarkHtml(const QString &html);
// The "Bookmarks" file of a Chromium-family browser's profile (JSON). Raises EInOutError
// naming fileName when it is not such a file.
BookmarkList ParseChromiumBookmarks(const QByteArray &json, const QString &fileName);

// Reads either kind of file, telling them apart by their first character.
BookmarkList ReadBookmarkFile(const QString &fileName);
// The title the file gives itself (for the wizard's status label); empty when there is none
// or the file cannot be read.
QString BookmarkFileTitle(const QString &fileName);
// A browser's internal address, which no other program can open.
bool IsInternalBookmark(const QString &url);

// Makes a folder titled after the list under parent and, inside it, a folder for each
// folder of the list and a website for each bookmark.
ImportNotes ImportBookmarkList(TTreeNode *parent, const BookmarkList &list);
// ReadBookmarkFile and ImportBookmarkList; a missing file does nothing.
ImportNotes ImportBookmarkFile(TTreeNode *parent, const QString &fileName);

// An address-book page: its "mailto:" anchors become e-mail items (title: the anchor's
// text, value: the address) in a folder titled after the page.
ImportNotes ImportAddressBookFile(TTreeNode *parent, const QString &fileName);

// Bookmark files of the browsers installed for this user: Chromium-family "Bookmarks"
// files under the configuration directory that exist.
QStringList FindBrowserBookmarkFiles();
