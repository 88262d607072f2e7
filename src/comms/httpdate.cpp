#include "httpdate.h"

#include <QList>
#include <QTimeZone>

namespace {

int monthOf(const QByteArray &name)
{
    static const char *const Months[] = {"jan", "feb", "mar", "apr", "may", "jun",
                                         "jul", "aug", "sep", "oct", "nov", "dec"};
    const QByteArray lower = name.toLower();
    for (int m = 0; m < 12; ++m)
        if (lower == Months[m])
            return m + 1;
    return 0;
}

bool number(const QByteArray &text, int digitsMin, int digitsMax, int &out)
{
    if (text.size() < digitsMin || text.size() > digitsMax)
        return false;
    for (char c : text)
        if (c < '0' || c > '9')
            return false;
    out = text.toInt();
    return true;
}

QTime timeOf(const QByteArray &text)
{
    const QList<QByteArray> parts = text.split(':');
    int h = 0, m = 0, s = 0;
    if (parts.size() != 3 || !number(parts[0], 2, 2, h) || !number(parts[1], 2, 2, m) || !number(parts[2], 2, 2, s))
        return {};
    return QTime(h, m, s);
}

QDateTime make(int year, int month, int day, const QTime &time)
{
    const QDate date(year, month, day);
    if (!date.isValid() || !time.isValid())
        return {};
    return QDateTime(date, time, QTimeZone::utc());
}

} // namespace

QDateTime ParseHttpDate(QByteArrayView text)
{
    const QList<QByteArray> words = text.toByteArray().simplified().split(' ');
    int day = 0, year = 0;
    if (words.size() == 6 && words[0].endsWith(',') && words[5] == "GMT") {
        // Sun, 06 Nov 1994 08:49:37 GMT
        if (!number(words[1], 1, 2, day) || !number(words[3], 4, 4, year))
            return {};
        return make(year, monthOf(words[2]), day, timeOf(words[4]));
    }
    if (words.size() == 4 && words[0].endsWith(',') && words[3] == "GMT") {
        // Sunday, 06-Nov-94 08:49:37 GMT
        const QList<QByteArray> dmy = words[1].split('-');
        if (dmy.size() != 3 || !number(dmy[0], 1, 2, day) || !number(dmy[2], 2, 4, year))
            return {};
        if (dmy[2].size() == 2)
            year += year < 70 ? 2000 : 1900;
        return make(year, monthOf(dmy[1]), day, timeOf(words[2]));
    }
    if (words.size() == 5) {
        // Sun Nov  6 08:49:37 1994
        if (!number(words[2], 1, 2, day) || !number(words[4], 4, 4, year))
            return {};
        return make(year, monthOf(words[1]), day, timeOf(words[3]));
    }
    return {};
}
