#include "kindnames.h"

#include "store/kinds.h"

namespace {
const char *const kWords[] = {"folder", "organization", "team", "person", "website", "address", "phone",
                              "email", "fax", "reminder", "document", "root", "tool"};
constexpr int kCount = int(std::size(kWords));
} // namespace

QString KindWord(int kind)
{
    if (kind >= 0 && kind < kCount)
        return QString::fromLatin1(kWords[kind]);
    return QStringLiteral("kind-%1").arg(kind);
}

std::optional<int> KindFromText(const QString &text)
{
    const QString t = text.trimmed().toLower();
    bool isNumber = false;
    const int code = t.toInt(&isNumber);
    if (isNumber)
        return code >= 0 && code < kCount ? std::optional<int>(code) : std::nullopt;
    if (t == QLatin1String("e-mail") || t == QLatin1String("mail"))
        return Kinds::EMail;
    if (t == QLatin1String("org"))
        return Kinds::Organization;
    for (int k = 0; k < kCount; ++k)
        if (t == QLatin1String(kWords[k]))
            return k;
    return std::nullopt;
}
