#pragma once

#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <set>

// What a parse of the page finds: its elements in order, the href of every link, and
// whether every element that is opened is closed again in order.
struct ParsedPage
{
    QStringList elements;
    QStringList hrefs;
    QString error;
};

inline ParsedPage Parse(const QString &html)
{
    static const std::set<QString> empty{"br", "img", "meta", "hr", "!doctype", "base", "frame"};
    static const QRegularExpression tag(R"(<(/?)([A-Za-z!][A-Za-z0-9]*)([^<>]*)>)");
    static const QRegularExpression href(R"re(href="([^"]*)")re");
    ParsedPage page;
    QStringList open;
    for (auto it = tag.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        const QString name = m.captured(2).toLower();
        if (m.captured(1) == "/") {
            if (open.isEmpty() || open.last() != name) {
                page.error = "</" + name + "> closes " + (open.isEmpty() ? QString("nothing") : open.last());
                return page;
            }
            open.removeLast();
            continue;
        }
        page.elements << name;
        if (const auto h = href.match(m.captured(3)); h.hasMatch())
            page.hrefs << h.captured(1);
        if (!empty.count(name))
            open << name;
    }
    if (!open.isEmpty())
        page.error = "left open: " + open.join(' ');
    return page;
}
