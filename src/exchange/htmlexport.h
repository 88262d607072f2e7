#pragma once

#include <QString>

class RecordSink;
class TTreeNode;

// What one published page shows: its heading, the colours of its text and links (names
// of the colour lists; anything else falls back to the defaults) and how many levels
// the index lists (0 for all).
struct HtmlExportOptions
{
    QString pageTitle;
    QString textColor = QStringLiteral("Black");
    QString linkColor = QStringLiteral("Navy");
    int levels = 0;
};

// Text made safe for HTML content and quoted attributes.
QString HtmlEscaped(const QString &text);
// The escaped address for an href, or empty when it is no http, https, mailto or ftp
// address (so a value such as "javascript:..." is shown as text, never followed).
// A bare host such as "www.example.com" is taken as http.
QString SafeHref(const QString &url);

// The subtree as one UTF-8 page: heading, an index of its containers linked to their
// sections by Id, then every item's section.
void WriteHtmlPage(TTreeNode *node, RecordSink &sink, const HtmlExportOptions &options);
// The same into a file, which is replaced only once the page is complete.
void ExportHtml(TTreeNode *node, const QString &fileName, const HtmlExportOptions &options);
