#pragma once

#include <QString>
#include <QStringList>

class TTreeNode;

// What a published web site holds, as the publishing wizard's pages (or the mira tool) set it.
struct HtmlExportOptions
{
    // The heading of the main page (the frame set is titled with the published item).
    QString pageTitle;
    // Names of the colour lists; anything else falls back to the defaults.
    QString textColor = QStringLiteral("Black");
    QString linkColor = QStringLiteral("Navy");
    // How many levels below the published item the index lists (0 for all).
    int levels = 0;
    // An index frame beside the page, or the index on top of one page.
    bool useFrames = false;
    // "miramain.mbd" with everything published, linked from the index.
    bool includeMbd = false;
    // A card file for every person and organization, linked from its section.
    bool includeVCard = false;
    // The page background (copied beside the pages); empty for none.
    QString backgroundFile;
    // Where the index icons and the footer button come from; empty: the program's own.
    QString iconsDir;
};

// The colour names both colour lists offer.
const QStringList &HtmlColorNames();
// The files a site with frames writes beside its main page.
const QStringList &FrameFileNames();
// The images copied into every site.
const QStringList &SiteImageNames();
// The program's own web graphics ("icons", "backgrounds"): installed under a standard data
// directory (…/mirabook/web-graphics), else those of the source tree for a run from the build.
QString WebGraphicsDir(const QString &folder);

// Text made safe for HTML content and quoted attributes.
QString HtmlEscaped(const QString &text);
// The escaped address for an href, or empty when it is no http, https, mailto or ftp
// address (so a value such as "javascript:..." is shown as text, never followed).
// A bare host such as "www.example.com" is taken as http.
QString SafeHref(const QString &url);

// Whether mainFile may be the main page: with frames it may not be named like the files
// the frames are (a frame set that loads itself, or an index written over the main page).
bool IsAllowedMainPage(const QString &mainFile, const HtmlExportOptions &options);

// The subtree as a small UTF-8 web site in the directory of mainFile: with frames, the
// frame set as mainFile, "miraindex.htm" and "miramain.htm"; else one page with the index
// on top. Then the downloads asked for and the images, which never replace a file already
// there. Each page is replaced only once it is complete. Raises EInOutError, and
// std::invalid_argument for a main page that IsAllowedMainPage refuses.
void WriteSite(TTreeNode *node, const QString &mainFile, const HtmlExportOptions &options);
