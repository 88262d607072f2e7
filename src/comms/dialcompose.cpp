#include "dialcompose.h"

#include "dialsettings.h"

QString StripChars(const QString &s, const QString &set)
{
    QString out;
    out.reserve(s.size());
    for (QChar c : s)
        if (!set.contains(c))
            out += c;
    return out;
}

QString ReplaceFirst(const QString &templ, const QString &token, const QString &value)
{
    const qsizetype at = templ.indexOf(token);
    if (at < 0)
        return templ;
    QString out = templ;
    return out.replace(at, token.size(), value);
}

ComposedDial ComposeDialString(const QString &number, const TDialSettings &settings)
{
    ComposedDial out;
    out.number = StripChars(number, QStringLiteral("()-"));
    // The prefix and the number are always parted by one blank, even with no prefix.
    if (!settings.AreaCode.isEmpty() && out.number.startsWith(settings.AreaCode)) {
        out.number.remove(0, settings.AreaCode.size());
        out.dialString = settings.LocalPrefix + u' ' + out.number;
        out.offerLongDistance = true;
    } else if (out.number.size() >= 9) {
        const QString n = settings.UseCard ? ReplaceFirst(settings.Code, QStringLiteral("N"), out.number) : out.number;
        out.dialString = settings.LongPrefix + u' ' + n;
    } else {
        out.dialString = settings.LocalPrefix + u' ' + out.number;
        out.offerLongDistance = true;
    }
    return out;
}

QString ComposeLongDistanceString(const QString &number, const TDialSettings &settings)
{
    const QString full = settings.AreaCode + number;
    return settings.LongPrefix + u' ' + (settings.UseCard ? ReplaceFirst(settings.Code, QStringLiteral("N"), full) : full);
}
