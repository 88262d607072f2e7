#include "commatext.h"

namespace {

bool needsQuotes(const QString &part)
{
    for (const QChar c : part) {
        if (c.unicode() <= u' ' || c == u',' || c == u'"')
            return true;
    }
    return false;
}

bool isBlank(QChar c) { return c.unicode() <= u' '; }

} // namespace

QString joinCommaText(const QStringList &parts)
{
    if (parts.size() == 1 && parts.front().isEmpty())
        return QStringLiteral("\"\"");
    QString out;
    for (qsizetype i = 0; i < parts.size(); ++i) {
        if (i > 0)
            out += u',';
        const QString &part = parts.at(i);
        if (needsQuotes(part)) {
            QString quoted = part;
            quoted.replace(u'"', QLatin1String("\"\""));
            out += u'"' + quoted + u'"';
        } else {
            out += part;
        }
    }
    return out;
}

QStringList splitCommaText(const QString &text)
{
    QStringList parts;
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n && isBlank(text.at(i)))
        ++i;
    if (i == n)
        return parts;
    for (;;) {
        // One part: quoted runs and plain text up to the next comma outside quotes.
        QString part;
        qsizetype plainEnd = 0; // length of part up to its last character that was not a trailing blank
        while (i < n && isBlank(text.at(i)))
            ++i;
        while (i < n && text.at(i) != u',') {
            const QChar c = text.at(i);
            if (c == u'"') {
                ++i;
                while (i < n) {
                    if (text.at(i) == u'"') {
                        if (i + 1 < n && text.at(i + 1) == u'"') {
                            part += u'"';
                            i += 2;
                            continue;
                        }
                        ++i;
                        break;
                    }
                    part += text.at(i++);
                }
                plainEnd = part.size();
            } else {
                part += c;
                ++i;
                if (!isBlank(c))
                    plainEnd = part.size();
            }
        }
        part.truncate(plainEnd);
        parts.append(part);
        if (i >= n)
            break;
        ++i; // the comma
    }
    return parts;
}
