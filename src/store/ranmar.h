#pragma once

#include <QDateTime>
#include <array>

// The universal random number generator of Marsaglia and Zaman (RANMAR).
class Ranmar
{
public:
    Ranmar(int ij, int kl);
    // Next uniform deviate in [0, 1).
    double Next();

private:
    std::array<double, 98> m_u{};
    double m_c = 0, m_cd = 0, m_cm = 0;
    int m_i97 = 97, m_j97 = 33;
};

// Days since 30 December 1899 with the time of day as fraction.
double ToDateTimeNumber(const QDateTime &t);
QDateTime FromDateTimeNumber(double days);

// The program's single generator of item Ids.
namespace ItemIds {
constexpr qint32 RootId = 32892645;
// Seeds from the given time as the program does at start (ij from the date-time, kl = 9846).
void SeedFromTime(const QDateTime &now);
void Seed(int ij, int kl);
// A fresh Id: the whole part of U * 2147450880.
qint32 Next();
} // namespace ItemIds
