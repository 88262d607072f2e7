#include "kindnames.h"

#include "store/kindtable.h"

QString KindWord(ItemKind kind)
{
    if (const KindInfo *info = FindKind(kind))
        return QString::fromLatin1(info->word);
    return QStringLiteral("kind-%1").arg(KindCode(kind));
}

std::optional<ItemKind> KindFromText(const QString &text)
{
    const QString t = text.trimmed().toLower();
    bool isNumber = false;
    const int code = t.toInt(&isNumber);
    if (isNumber)
        return FindKind(ItemKind(code)) ? std::optional(ItemKind(code)) : std::nullopt;
    if (t == QLatin1String("e-mail") || t == QLatin1String("mail"))
        return ItemKind::EMail;
    if (t == QLatin1String("org"))
        return ItemKind::Organization;
    for (const KindInfo &info : KindTable())
        if (t == QLatin1String(info.word))
            return info.kind;
    return std::nullopt;
}
