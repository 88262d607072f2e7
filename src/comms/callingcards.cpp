#include "callingcards.h"

#include "dialcompose.h"

const std::array<CallingCardService, 21> ServiceFormats = {{
    {"AT&T Direct Dial via 10ATT1", "102881,"},
    {"AT&T via 1-800-321-0288", "18003210288 $N $H"},
    {"AT&T via 10ATT0", "102880 N $H"},
    {"British Telecom (UK)", "144 $H, 0N"},
    {"Calling Card via 0", "0 N $H"},
    {"Carte France Telecom", "3610,H,16,N#"},
    {"CLEAR Communications (New Zealand)", "0502333 $H,0N"},
    {"Global Card (Taiwan to USA)", "0080,102880 $N $H"},
    {"MCI Direct Dial via 102221", "102221 N"},
    {"MCI via 1-800-674-0700", "18006740700,,,,,,H,,N"},
    {"MCI via 1-800-674-7000", "18006747000,,,,,,H,,N"},
    {"MCI via 1-800-888-8000", "18008888000,,,,,,H,,N"},
    {"MCI via 102220", "102220 N $H"},
    {"Mercury (UK)", "0500800800 $H,0N"},
    {"Optus (Australia) via 008551812", "N"},
    {"Optus (Australia) via 1812", "N"},
    {"Telecom Australia via 1818 (voice)", "1818 $H,N#"},
    {"Telecom New Zealand", "012,0N ?H"},
    {"US Sprint Direct Dial via 103331", "103331 N"},
    {"US Sprint via 1-800-877-8000", "18008778000,,,0N,,H"},
    {"US Sprint via 103330", "103330 N $H"},
}};

int ServiceIndex(const QString &name)
{
    for (size_t i = 0; i < ServiceFormats.size(); ++i)
        if (name == QLatin1String(ServiceFormats[i].name))
            return int(i);
    return -1;
}

QString ExpandCardFormat(int service, const QString &cardNumber)
{
    if (service < 0 || service >= int(ServiceFormats.size()))
        return QString();
    return ReplaceFirst(QLatin1String(ServiceFormats[size_t(service)].format), QStringLiteral("H"), cardNumber);
}
