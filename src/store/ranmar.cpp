#include "ranmar.h"

#include <cmath>
#include <memory>

Ranmar::Ranmar(int ij, int kl)
{
    // Marsaglia and Zaman's initialisation; seeds outside the ranges are folded in.
    ij = ((ij % 31329) + 31329) % 31329;
    kl = ((kl % 30082) + 30082) % 30082;
    int i = (ij / 177) % 177 + 2;
    int j = ij % 177 + 2;
    int k = (kl / 169) % 178 + 1;
    int l = kl % 169;
    for (int ii = 1; ii <= 97; ++ii) {
        double s = 0.0;
        double t = 0.5;
        for (int jj = 1; jj <= 24; ++jj) {
            const int m = (((i * j) % 179) * k) % 179;
            i = j;
            j = k;
            k = m;
            l = (53 * l + 1) % 169;
            if ((l * m) % 64 >= 32)
                s += t;
            t *= 0.5;
        }
        m_u[ii] = s;
    }
    m_c = 362436.0 / 16777216.0;
    m_cd = 7654321.0 / 16777216.0;
    m_cm = 16777213.0 / 16777216.0;
}

double Ranmar::Next()
{
    double uni = m_u[m_i97] - m_u[m_j97];
    if (uni < 0.0)
        uni += 1.0;
    m_u[m_i97] = uni;
    if (--m_i97 == 0)
        m_i97 = 97;
    if (--m_j97 == 0)
        m_j97 = 97;
    m_c -= m_cd;
    if (m_c < 0.0)
        m_c += m_cm;
    uni -= m_c;
    if (uni < 0.0)
        uni += 1.0;
    return uni;
}

double ToDateTimeNumber(const QDateTime &t)
{
    static const QDate epoch(1899, 12, 30);
    const double days = double(epoch.daysTo(t.date()));
    const double frac = double(t.time().msecsSinceStartOfDay()) / 86400000.0;
    return days + frac;
}

QDateTime FromDateTimeNumber(double days)
{
    static const QDate epoch(1899, 12, 30);
    const double whole = std::floor(days);
    const qint64 msecs = qint64(std::llround((days - whole) * 86400000.0));
    return QDateTime(epoch.addDays(qint64(whole)), QTime(0, 0).addMSecs(int(std::min<qint64>(msecs, 86399999))));
}

namespace {
std::unique_ptr<Ranmar> g_generator;

Ranmar &generator()
{
    if (!g_generator)
        ItemIds::SeedFromTime(QDateTime::currentDateTime());
    return *g_generator;
}
} // namespace

namespace ItemIds {

void SeedFromTime(const QDateTime &now)
{
    const auto ij = qint64(std::floor(ToDateTimeNumber(now) * 10000.0)) % 31328;
    Seed(int(ij), 9846);
}

void Seed(int ij, int kl) { g_generator = std::make_unique<Ranmar>(ij, kl); }

qint32 Next()
{
    // 0 stands for no Id at all: such a draw is drawn again.
    qint32 id = 0;
    while (id == 0)
        id = qint32(std::floor(generator().Next() * 2147450880.0));
    return id;
}

} // namespace ItemIds
