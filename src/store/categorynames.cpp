#include "categorynames.h"

#include "platform/profile.h"

QStringList ReadCategoryNames(const Profile &settings) { return Settings::CategoryNames(settings); }

qint32 CategoryBit(int n)
{
    if (n < 1 || n > CategoryCount)
        return 0;
    // Category 32 is the sign bit: shift unsigned, then reinterpret.
    return qint32(quint32(1) << (n - 1));
}

bool HasCategory(qint32 categories, int n) { return (categories & CategoryBit(n)) != 0; }
