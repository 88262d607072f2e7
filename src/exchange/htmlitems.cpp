#include "htmlitems.h"

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

HtmlSiteKeys::HtmlSiteKeys(TTreeNode *node)
{
    QHash<qint32, int> seen;
    ForEachPublishedNode(node, [&](TTreeNode *n, int) {
        const TZEBObject *item = n->Item();
        const int count = ++seen[item->Id()];
        m_keys.insert(item, count == 1 ? QString::number(item->Id())
                                       : QStringLiteral("%1-%2").arg(item->Id()).arg(count));
    });
}

QString HtmlSiteKeys::key(const TZEBObject &item) const
{
    return m_keys.value(&item, QString::number(item.Id()));
}

QString HtmlSiteKeys::Anchor(const TZEBObject &item) const { return QStringLiteral("i") + key(item); }

QString HtmlSiteKeys::CardFile(const TZEBObject &item) const
{
    return QStringLiteral("vc") + key(item) + QStringLiteral(".vcf");
}

namespace {

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

QString Heading(const TZEBObject &item, const HtmlSiteKeys &keys)
{
    return QStringLiteral("<a name=\"") + keys.Anchor(item) + QStringLiteral("\"><font size=4>") +
           HtmlEscaped(item.Title()) + QStringLiteral("</font></a><br>");
}

void WriteContact(const TContactObject &item, RecordSink &out, const HtmlSiteKeys &keys, bool cardLink)
{
    const bool person = item.Kind() == ItemKind::Person;
    out.Line(QStringLiteral("<table width=\"100%\">"));
    out.Line(QStringLiteral("<tr><td valign=top>") + Heading(item, keys));
    CommentLine(item, out);
    if (cardLink)
        out.Line(QStringLiteral("<p><font size=") + (person ? u'2' : u'1') + QStringLiteral("><a href=\"") +
                 HtmlEscaped(keys.CardFile(item)) +
                 QStringLiteral("\"><img src=\"vcard.gif\" align=left border=0 width=16 height=16>Get vCard</a>"
                                "</font></p>"));
    if (person) {
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

} // namespace

void WriteItemHtml(const TZEBObject &item, RecordSink &out, const HtmlSiteKeys &keys, bool cardLinks)
{
    switch (item.Kind()) {
    case ItemKind::Person:
    case ItemKind::Organization:
        WriteContact(static_cast<const TContactObject &>(item), out, keys, cardLinks);
        return;
    case ItemKind::Team:
        out.Line(Heading(item, keys));
        CommentLine(item, out);
        WriteChildren(item, out);
        return;
    case ItemKind::Website:
        out.Line(QStringLiteral("<a name=\"") + keys.Anchor(item) + QStringLiteral("\"></a>") +
                 Link(SafeHref(item.Value()), HtmlEscaped(item.Title())) + CommentTail(item) + QStringLiteral("<br>"));
        return;
    default: // folders and the root
        out.Line(QStringLiteral("<p>") + Heading(item, keys) + QStringLiteral("</p>"));
        CommentLine(item, out);
        out.Line(QStringLiteral("<blockquote>"));
        WriteChildren(item, out);
        out.Line(QStringLiteral("</blockquote>"));
        return;
    }
}

QString IndexLine(const TZEBObject &item, const QString &target, const HtmlSiteKeys &keys)
{
    const QString icon = IndexIcon(item.Kind());
    if (icon.isEmpty())
        return {};
    return QStringLiteral("<a href=\"") + HtmlEscaped(target) + u'#' + keys.Anchor(item) + QStringLiteral("\">") +
           icon + HtmlEscaped(item.Title()) + QStringLiteral("</a><br>");
}
