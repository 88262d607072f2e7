#include "htmlexport.h"

#include "htmlitems.h"
#include "vcarditems.h"

#include "platform/programinfo.h"
#include "store/recordfile.h"
#include "store/treenodes.h"
#include "store/zebobject.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <stdexcept>

namespace {

QString ColorOr(const QString &name, const char *fallback)
{
    return HtmlColorNames().contains(name) ? name : QString::fromLatin1(fallback);
}

// Indents by depth with blockquotes: one per level, every one opened also closed, even
// when a walk skips levels or starts deeper than it goes on.
class Indent
{
public:
    explicit Indent(RecordSink &out) : m_out(out) {}
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

// Writes one site: the pieces every page is made of.
class SiteWriter
{
public:
    SiteWriter(TTreeNode *node, const QString &mainFile, const HtmlExportOptions &options)
        : m_node(node), m_options(options), m_dir(QFileInfo(mainFile).absoluteDir()), m_keys(node)
    {
    }

    void Head(RecordSink &out, const QString &title, const QString &baseTarget) const
    {
        out.Line(QStringLiteral("<!DOCTYPE html>"));
        out.Line(QStringLiteral("<html>"));
        out.Line(QStringLiteral("<head>"));
        out.Line(QStringLiteral("<meta charset=\"utf-8\">"));
        out.Line(QStringLiteral("<title>") + HtmlEscaped(title) + QStringLiteral("</title>"));
        out.Line(QStringLiteral("<meta name=\"GENERATOR\" content=\"Mirabook\">"));
        if (!baseTarget.isEmpty())
            out.Line(QStringLiteral("<base target=\"") + baseTarget + QStringLiteral("\">"));
        out.Line(QStringLiteral("</head>"));
    }

    void BodyLine(RecordSink &out) const
    {
        const QString background =
            m_options.backgroundFile.isEmpty() ? QString() : QFileInfo(m_options.backgroundFile).fileName();
        out.Line(QStringLiteral("<body background=\"") + HtmlEscaped(background) + QStringLiteral("\" text=") +
                 ColorOr(m_options.textColor, "Black") + QStringLiteral(" link=") +
                 ColorOr(m_options.linkColor, "Navy") + u'>');
    }

    void Heading(RecordSink &out) const
    {
        out.Line(QStringLiteral("<h2>") + HtmlEscaped(m_options.pageTitle) + QStringLiteral("</h2>"));
        out.Line(QStringLiteral("<p>&nbsp;</p>"));
    }

    void Footer(RecordSink &out, bool inFrame) const
    {
        out.Line(QStringLiteral("<p><font size=1>This page created with...<br></font>"));
        out.Line(QStringLiteral("<a href=\"") + QString::fromLatin1(ProgramHomePage) + u'"' +
                 (inFrame ? QStringLiteral(" target=\"window\"") : QString()) +
                 QStringLiteral("><img src=\"mirabtn.gif\" align=bottom border=0 width=120 height=40></a></p>"));
    }

    void Index(RecordSink &out, const QString &target) const
    {
        if (m_options.includeMbd) {
            out.Line(QStringLiteral("<p><font size=2><a href=\"miramain.mbd\"><img src=\"zeb_16.gif\" align=left "
                                    "border=0 width=16 height=16>Get Mirabook&#153; file</a></font></p>"));
            ExportSubtree(m_node, m_dir.filePath(QStringLiteral("miramain.mbd")));
        }
        Indent indent(out);
        ForEachPublishedNode(m_node, [&](TTreeNode *n, int depth) {
            const TZEBObject &item = *n->Item();
            if (depth == 0 || !item.InHTMLIndex() || (m_options.levels > 0 && depth > m_options.levels))
                return;
            const QString line = IndexLine(item, target, m_keys);
            if (line.isEmpty())
                return;
            indent.To(depth);
            out.Line(line);
        });
        indent.Close();
    }

    void Body(RecordSink &out) const
    {
        Indent indent(out);
        ForEachPublishedNode(m_node, [&](TTreeNode *n, int depth) {
            const TZEBObject &item = *n->Item();
            indent.To(depth);
            WriteItemHtml(item, out, m_keys, m_options.includeVCard);
            if (m_options.includeVCard)
                WriteVCardFile(item, m_dir.filePath(m_keys.CardFile(item)));
        });
        indent.Close();
    }

    void Ending(RecordSink &out) const
    {
        out.Line(QStringLiteral("<hr>"));
        Body(out);
        out.Line(QStringLiteral("</body>"));
        out.Line(QStringLiteral("</html>"));
    }

    void FrameSet(RecordSink &out) const
    {
        const QString title = HtmlEscaped(m_node->Item()->Title());
        for (const QString &line :
             {QStringLiteral("<!DOCTYPE html>"), QStringLiteral("<html>"), QStringLiteral("<head>"),
              QStringLiteral("<meta charset=\"utf-8\">"), QStringLiteral("<title>") + title + QStringLiteral("</title>"),
              QStringLiteral("<meta name=\"GENERATOR\" content=\"Mirabook\">"), QStringLiteral("</head>"),
              QStringLiteral("<frameset cols=\"35%,65%\">"),
              QStringLiteral("<frame src=\"miraindex.htm\" name=\"index\" marginwidth=1 marginheight=1>"),
              QStringLiteral("<frame src=\"miramain.htm\" name=\"main\" marginwidth=1 marginheight=1>"),
              QStringLiteral("<noframes>"), QStringLiteral("<body>"),
              QStringLiteral("<p>This Web page uses frames, but your browser does not support them.</p>"),
              QStringLiteral("</body>"), QStringLiteral("</noframes>"), QStringLiteral("</frameset>"),
              QStringLiteral("</html>")})
            out.Line(line);
    }

    void CopyImages() const
    {
        auto copy = [&](const QString &source) {
            const QString target = m_dir.filePath(QFileInfo(source).fileName());
            if (QFileInfo::exists(source) && !QFileInfo::exists(target))
                QFile::copy(source, target);
        };
        if (!m_options.backgroundFile.isEmpty())
            copy(m_options.backgroundFile);
        const QDir icons(m_options.iconsDir.isEmpty() ? WebGraphicsDir(QStringLiteral("icons")) : m_options.iconsDir);
        for (const QString &name : SiteImageNames())
            copy(icons.filePath(name));
    }

    const QDir &Dir() const { return m_dir; }

private:
    TTreeNode *m_node;
    const HtmlExportOptions &m_options;
    QDir m_dir;
    HtmlSiteKeys m_keys;
};

} // namespace

const QStringList &HtmlColorNames()
{
    static const QStringList names{"Aqua", "Black", "Fuchsia", "Gray",   "Green", "Lime",  "Maroon", "Navy",
                                   "Olive", "Purple", "Red",   "Silver", "Teal",  "White", "Yellow"};
    return names;
}

const QStringList &FrameFileNames()
{
    static const QStringList names{"miraindex.htm", "miramain.htm", "miramain.mbd"};
    return names;
}

const QStringList &SiteImageNames()
{
    static const QStringList names{"folder.gif", "org.gif",     "person.gif", "team.gif",
                                   "web.gif",    "mirabtn.gif", "zeb_16.gif", "vcard.gif"};
    return names;
}

QString WebGraphicsDir(const QString &folder)
{
    const QString installed = QStandardPaths::locate(QStandardPaths::GenericDataLocation,
                                                     QStringLiteral("mirabook/web-graphics/") + folder,
                                                     QStandardPaths::LocateDirectory);
    if (!installed.isEmpty())
        return installed;
    return QDir(QStringLiteral(MIRABOOK_WEB_GRAPHICS_DIR)).filePath(folder);
}

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

bool IsAllowedMainPage(const QString &mainFile, const HtmlExportOptions &options)
{
    const QString name = QFileInfo(mainFile).fileName();
    if (name.isEmpty())
        return false;
    return !options.useFrames || !FrameFileNames().contains(name, Qt::CaseInsensitive);
}

void WriteSite(TTreeNode *node, const QString &mainFile, const HtmlExportOptions &options)
{
    if (!IsAllowedMainPage(mainFile, options))
        throw std::invalid_argument("the main page is named like a file of the frames");
    const SiteWriter site(node, mainFile, options);
    if (options.useFrames) {
        WriteWholeFile(mainFile, [&](RecordSink &out) { site.FrameSet(out); });
        WriteWholeFile(site.Dir().filePath(QStringLiteral("miraindex.htm")), [&](RecordSink &out) {
            site.Head(out, options.pageTitle, QStringLiteral("main"));
            site.BodyLine(out);
            site.Index(out, QStringLiteral("miramain.htm"));
            site.Footer(out, true);
            out.Line(QStringLiteral("</body>"));
            out.Line(QStringLiteral("</html>"));
        });
        WriteWholeFile(site.Dir().filePath(QStringLiteral("miramain.htm")), [&](RecordSink &out) {
            site.Head(out, options.pageTitle, {});
            site.BodyLine(out);
            site.Heading(out);
            site.Ending(out);
        });
    } else {
        WriteWholeFile(mainFile, [&](RecordSink &out) {
            site.Head(out, options.pageTitle, {});
            site.BodyLine(out);
            site.Heading(out);
            site.Footer(out, false);
            site.Index(out, {});
            site.Ending(out);
        });
    }
    site.CopyImages();
}
