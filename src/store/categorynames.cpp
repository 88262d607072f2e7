#include "categorynames.h"

#include "platform/profile.h"

QString DefaultCategoryName(int n) { return QStringLiteral("User Defined ") + QString::number(n); }

QStringList ReadCategoryNames(const Profile &settings)
{
    QStringList names;
    for (int n = 1; n <= CategoryCount; ++n) {
        const QString name = settings.readString(QStringLiteral("Categories"), QStringLiteral("Cat") + QString::number(n));
        names << (name.isEmpty() ? DefaultCategoryName(n) : name);
    }
    return names;
}

qint32 CategoryBit(int n)
{
    if (n < 1 || n > CategoryCount)
        return 0;
    // Category 32 is the sign bit: shift unsigned, then reinterpret.
    return qint32(quint32(1) << (n - 1));
}

bool HasCategory(qint32 categories, int n) { return (categories & CategoryBit(n)) != 0; }
