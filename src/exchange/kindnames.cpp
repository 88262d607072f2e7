#include "kindnames.h"

#include "store/kindtable.h"

QString KindWord(int kind)
{
    if (const KindInfo *info = FindKind(kind))
        return QString::fromLatin1(info->word);
    return QStringLiteral("kind-%1").arg(kind);
}

std::optional<int> KindFromText(const QString &text)
{
    const QString t = text.trimmed().toLower();
    bool isNumber = false;
    const int code = t.toInt(&isNumber);
    if (isNumber)
        return FindKind(code) ? std::optional<int>(code) : std::nullopt;
    if (t == QLatin1String("e-mail") || t == QLatin1String("mail"))
        return Kinds::EMail;
    if (t == QLatin1String("org"))
        return Kinds::Organization;
    for (const KindInfo &info : KindTable())
        if (t == QLatin1String(info.word))
            return info.kind;
    return std::nullopt;
}
