#include "htmlexport.h"

#include "store/addressobject.h"
#include "store/contactobject.h"
#include "store/personobject.h"
#include "store/recordfile.h"
#include "store/treenodes.h"
#include "store/zebobject.h"

#include <QStringList>
#include <algorithm>
#include <vector>

namespace {

const QStringList &ColorNames()
{
    static const QStringList names{"Aqua", "Black", "Fuchsia", "Gray",   "Green", "Lime",  "Maroon", "Navy",
                                   "Olive", "Purple", "Red",   "Silver", "Teal",  "White", "Yellow"};
    return names;
}

QString ColorOr(const QString &name, const char *fallback)
{
    return ColorNames().contains(name) ? name : QString::fromLatin1(fallback);
}

QString Anchor(const TZEBObject &item)
{
    return QStringLiteral("i%1").arg(item.Id());
}

// "Title - Comment" tails and comment lines: the comment only when there is one.
QString CommentTail(const TZEBObject &item)
{
    return item.Comment().isEmpty() ? QString() : QStringLiteral(" - ") + HtmlEscaped(item.Comment());
}

void CommentLine(const TZEBObject &item, RecordSink &out)
{
    if (!item.Comment().isEmpty())
        out.Line(HtmlEscaped(item.Comment()) + QStringLiteral("<br>"));
}

QString Link(const QString &href, const QString &text)
{
    if (href.isEmpty())
        return text;
    return QStringLiteral("<a href=\"") + href + QStringLiteral("\">") + text + QStringLiteral("</a>");
}

void WriteLeaf(const TZEBObject &item, RecordSink &out)
{
    const QString title = HtmlEscaped(item.Title());
    const QString value = HtmlEscaped(item.Value());
    switch (item.Kind()) {
    case ItemKind::Document:
        return;
    case ItemKind::Address: {
        const auto &a = static_cast<const TAddressObject &>(item);
        out.Line(QStringLiteral("<em><strong>") + title + QStringLiteral("</strong></em><br>"));
        CommentLine(item, out);
        for (int i = 0; i < 3 && i < a.Lines().size(); ++i)
            if (!a.Lines().at(i).isEmpty())
                out.Line(HtmlEscaped(a.Lines().at(i)) + QStringLiteral("<br>"));
        out.Line(HtmlEscaped(a.City()) + QStringLiteral(", ") + HtmlEscaped(a.State()) + u' ' +
                 HtmlEscaped(a.PostalCode()) + QStringLiteral("<br>"));
        if (!a.Country().isEmpty())
            out.Line(HtmlEscaped(a.Country()) + QStringLiteral("<br>"));
        return;
    }
    case ItemKind::Website:
        out.Line(Link(SafeHref(item.Value()), title) + CommentTail(item) + QStringLiteral("<br>"));
        return;
    case ItemKind::EMail:
        if (item.Value().contains(u'@')) {
            out.Line(QStringLiteral("<em><strong>") + title + QStringLiteral(" </strong></em>") +
                     Link(SafeHref(QStringLiteral("mailto:") + item.Value()), value) + CommentTail(item) +
                     QStringLiteral("<br>"));
            return;
        }
        break;
    default:
        break;
    }
    out.Line(QStringLiteral("<em><strong>") + title + QStringLiteral("</strong></em> ") + value + CommentTail(item) +
             QStringLiteral("<br>"));
}

void WriteChildren(const TZEBObject &item, RecordSink &out)
{
    for (int i = 0; i < item.ChildCount(); ++i)
        WriteLeaf(*item.ChildAt(i), out);
}

void WriteContact(const TContactObject &item, RecordSink &out)
{
    out.Line(QStringLiteral("<table width=\"100%\">"));
    out.Line(QStringLiteral("<tr><td valign=top><a name=\"") + Anchor(item) + QStringLiteral("\"><font size=4>") +
             HtmlEscaped(item.Title()) + QStringLiteral("</font></a><br>"));
    CommentLine(item, out);
    if (item.Kind() == ItemKind::Person) {
        const auto &p = static_cast<const TPersonObject &>(item);
        QStringList parts;
        for (const QString &part : {p.Salutation(), p.FirstName(), p.MiddleName(), p.LastName()})
            if (!part.isEmpty())
                parts << HtmlEscaped(part);
        out.Line(parts.join(u' ') + QStringLiteral("<br>"));
    }
    // The children written beside the name; every other child follows below them, even
    // one whose title happens to equal some other kind's primary.
    std::vector<const TZEBObject *> shown;
    auto primary = [&](ItemKind kind) {
        if (const TZEBObject *child = item.PrimaryChild(kind)) {
            WriteLeaf(*child, out);
            shown.push_back(child);
        }
    };
    primary(ItemKind::Address);
    out.Line(QStringLiteral("</td><td valign=top>"));
    primary(ItemKind::Phone);
    primary(ItemKind::Fax);
    primary(ItemKind::EMail);
    out.Line(QStringLiteral("</td></tr>"));
    out.Line(QStringLiteral("<tr><td colspan=2>"));
    for (int i = 0; i < item.ChildCount(); ++i) {
        const TZEBObject *child = item.ChildAt(i);
        if (std::find(shown.begin(), shown.end(), child) == shown.end())
            WriteLeaf(*child, out);
    }
    out.Line(QStringLiteral("</td></tr></table>"));
}

void WriteSection(const TZEBObject &item, RecordSink &out)
{
    const QString title = HtmlEscaped(item.Title());
    const QString heading = QStringLiteral("<a name=\"") + Anchor(item) + QStringLiteral("\"><font size=4>") + title +
                            QStringLiteral("</font></a><br>");
    switch (item.Kind()) {
    case ItemKind::Person:
    case ItemKind::Organization:
        WriteContact(static_cast<const TContactObject &>(item), out);
        return;
    case ItemKind::Team:
        out.Line(heading);
        CommentLine(item, out);
        WriteChildren(item, out);
        return;
    case ItemKind::Website:
        out.Line(QStringLiteral("<a name=\"") + Anchor(item) + QStringLiteral("\"></a>") +
                 Link(SafeHref(item.Value()), title) + CommentTail(item) + QStringLiteral("<br>"));
        return;
    default: // folders and the root
        out.Line(QStringLiteral("<p>") + heading + QStringLiteral("</p>"));
        CommentLine(item, out);
        out.Line(QStringLiteral("<blockquote>"));
        WriteChildren(item, out);
        out.Line(QStringLiteral("</blockquote>"));
        return;
    }
}

QString IndexIcon(ItemKind kind)
{
    switch (kind) {
    case ItemKind::Folder:
        return QStringLiteral("<img src=\"folder.gif\" align=bottom border=0 hspace=5 width=15 height=13>");
    case ItemKind::Organization:
        return QStringLiteral("<img src=\"org.gif\" align=bottom border=0 hspace=5 width=16 height=16>");
    case ItemKind::Team:
        return QStringLiteral("<img src=\"team.gif\" align=bottom border=0 hspace=5 width=16 height=16>");
    case ItemKind::Person:
        return QStringLiteral("<img src=\"person.gif\" align=bottom border=0 hspace=5 width=16 height=16>");
    case ItemKind::Website:
        return QStringLiteral("<img src=\"web.gif\" align=bottom border=0 hspace=5 width=16 height=16>");
    default:
        return {};
    }
}

// Indents by depth with blockquotes: one per level, every one opened also closed, even
// when a walk skips levels or starts deeper than it goes on.
class Indent
{
public:
    explicit Indent(RecordSink &out) : m_out(out) {}
    ~Indent() = default;
    void To(int depth)
    {
        if (m_level < 0)
            m_level = depth;
        for (; m_level < depth; ++m_level, ++m_open)
            m_out.Line(QStringLiteral("<blockquote>"));
        for (; m_level > depth; --m_level)
            if (m_open > 0) {
                m_out.Line(QStringLiteral("</blockquote>"));
                --m_open;
            }
    }
    void Close()
    {
        for (; m_open > 0; --m_open)
            m_out.Line(QStringLiteral("</blockquote>"));
        m_level = -1;
    }

private:
    RecordSink &m_out;
    int m_level = -1;
    int m_open = 0;
};

} // namespace

QString HtmlEscaped(const QString &text)
{
    QString s;
    s.reserve(text.size());
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '&': s += QLatin1String("&amp;"); break;
        case '<': s += QLatin1String("&lt;"); break;
        case '>': s += QLatin1String("&gt;"); break;
        case '"': s += QLatin1String("&quot;"); break;
        case '\'': s += QLatin1String("&#39;"); break;
        default: s += c;
        }
    }
    return s;
}

QString SafeHref(const QString &url)
{
    QString u = url.trimmed();
    if (u.isEmpty())
        return {};
    for (const QChar c : u)
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            return {};
    const qsizetype colon = u.indexOf(u':');
    if (colon < 0) {
        // A bare host: only letters, digits, dots and hyphens before the first slash.
        const QString host = u.section(u'/', 0, 0);
        if (host.isEmpty() || !host.contains(u'.'))
            return {};
        for (const QChar c : host)
            if (!(c.isLetterOrNumber() || c == u'.' || c == u'-'))
                return {};
        u.prepend(QLatin1String("http://"));
    } else {
        const QString scheme = u.left(colon).toLower();
        if (scheme != QLatin1String("http") && scheme != QLatin1String("https") && scheme != QLatin1String("ftp") &&
            scheme != QLatin1String("mailto"))
            return {};
    }
    return HtmlEscaped(u);
}

void WriteHtmlPage(TTreeNode *node, RecordSink &out, const HtmlExportOptions &options)
{
    const QString title = HtmlEscaped(options.pageTitle);
    out.Line(QStringLiteral("<!DOCTYPE html>"));
    out.Line(QStringLiteral("<html>"));
    out.Line(QStringLiteral("<head>"));
    out.Line(QStringLiteral("<meta charset=\"utf-8\">"));
    out.Line(QStringLiteral("<title>") + title + QStringLiteral("</title>"));
    out.Line(QStringLiteral("<meta name=\"GENERATOR\" content=\"Mirabook\">"));
    out.Line(QStringLiteral("</head>"));
    out.Line(QStringLiteral("<body text=") + ColorOr(options.textColor, "Black") + QStringLiteral(" link=") +
             ColorOr(options.linkColor, "Navy") + u'>');
    out.Line(QStringLiteral("<h2>") + title + QStringLiteral("</h2>"));
    out.Line(QStringLiteral("<p>&nbsp;</p>"));
    out.Line(QStringLiteral("<p><font size=1>This page created with Mirabook</font></p>"));

    // The index: the containers below the node, linked to their sections.
    Indent indent(out);
    ForEachShownNode(node, [&](TTreeNode *n, int depth) {
        const TZEBObject &item = *n->Item();
        if (depth == 0 || !item.InHTMLIndex() || (options.levels > 0 && depth > options.levels))
            return;
        indent.To(depth);
        out.Line(QStringLiteral("<a href=\"#") + Anchor(item) + QStringLiteral("\">") + IndexIcon(item.Kind()) +
                 HtmlEscaped(item.Title()) + QStringLiteral("</a><br>"));
    });
    indent.Close();

    out.Line(QStringLiteral("<hr>"));
    ForEachShownNode(node, [&](TTreeNode *n, int depth) {
        indent.To(depth);
        WriteSection(*n->Item(), out);
    });
    indent.Close();
    out.Line(QStringLiteral("</body>"));
    out.Line(QStringLiteral("</html>"));
}

void ExportHtml(TTreeNode *node, const QString &fileName, const HtmlExportOptions &options)
{
    WriteWholeFile(fileName, [&](RecordSink &sink) { WriteHtmlPage(node, sink, options); });
}
