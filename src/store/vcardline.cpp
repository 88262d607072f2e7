#include "vcardline.h"

QString EscapeVCardText(const QString &value)
{
    QString out;
    out.reserve(value.size() + 8);
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value.at(i);
        switch (c.unicode()) {
        case '\\': out += QLatin1String("\\\\"); break;
        case ';': out += QLatin1String("\\;"); break;
        case ',': out += QLatin1String("\\,"); break;
        case '\r':
            if (i + 1 < value.size() && value.at(i + 1) == u'\n')
                ++i;
            out += QLatin1String("\\n");
            break;
        case '\n': out += QLatin1String("\\n"); break;
        default: out += c;
        }
    }
    return out;
}

QString VCardLine(const QString &name, const QStringList &components)
{
    QString line = name + u':';
    for (qsizetype i = 0; i < components.size(); ++i) {
        if (i > 0)
            line += u';';
        line += EscapeVCardText(components.at(i));
    }
    return line;
}
