#include "telephonydialstring.h"

namespace DialString {

std::optional<QString> checked(const QString &dialString)
{
    static const QString kAllowed = QStringLiteral("0123456789ABCD*#,W@!PT");
    QString out;
    for (QChar c : dialString) {
        if (c == u' ' || c == u'\t')
            continue;
        if (c == u'$')
            c = u'W';
        // Lower-case letters are refused too: "t" or "p" in a number is no dial code.
        if (!kAllowed.contains(c))
            return std::nullopt;
        out += c;
        if (out.size() > MaxDialLength)
            return std::nullopt;
    }
    return out;
}

} // namespace DialString
