#pragma once

#include <QList>
#include <QPair>
#include <QString>

// A forgiving reader of the HTML that bookmark and address-book exports are: tags and
// attribute names without regard to case, attribute values in double, single or no
// quotes (so a URL with commas or blanks stays whole), character references decoded,
// comments and declarations passed over.
class HtmlScanner
{
public:
    explicit HtmlScanner(const QString &html) : m_html(html) {}

    enum class Token { End, Text, Tag };
    Token Next();

    // Of a Text token: its text with references decoded.
    const QString &Text() const { return m_text; }
    // Of a Tag token: the name in lower case, whether it closes ("</a>"), its attributes.
    const QString &TagName() const { return m_name; }
    bool Closing() const { return m_closing; }
    // The value of an attribute (name in lower case), references decoded; empty when absent.
    QString Attribute(const QString &lowerName) const;

private:
    void readTag();

    const QString &m_html;
    qsizetype m_at = 0;
    QString m_text;
    QString m_name;
    bool m_closing = false;
    QList<QPair<QString, QString>> m_attributes;
};

// "&amp;", "&lt;", "&#233;", "&#xE9;"... as characters; unknown references stay as written.
QString DecodeHtmlEntities(QStringView text);
