#pragma once
// A second, separately derived formulation of the instants the old calendar rests on, for the
// tests to hold the program's astronomy against: Meeus's series for the mean and true phases of
// the Moon and for the equinoxes and solstices (Astronomical Algorithms, 2nd ed., ch. 49 and 27),
// and the textbook road from the Earth's position to the Sun's apparent longitude. Instants are
// Julian dates in TT.
#include <erfa.h>

#include <cmath>

namespace orv::test {

inline double Sin(double degrees) {
    return std::sin(degrees * M_PI / 180.0);
}
inline double Cos(double degrees) {
    return std::cos(degrees * M_PI / 180.0);
}

// The phase of lunation k (k = 0 is the new moon of 6 January 2000): 0 new, 1 first quarter,
// 2 full, 3 last quarter.
inline double MeeusLunarPhase(int lunation, int phase) {
    const double k = lunation + phase / 4.0;
    const double T = k / 1236.85;
    const double T2 = T * T, T3 = T2 * T, T4 = T3 * T;
    double jde =
        2451550.09766 + 29.530588861 * k + 0.00015437 * T2 - 0.000000150 * T3 + 0.00000000073 * T4;
    const double E = 1 - 0.002516 * T - 0.0000074 * T2;
    const double M = 2.5534 + 29.10535670 * k - 0.0000014 * T2 - 0.00000011 * T3;
    const double Mp =
        201.5643 + 385.81693528 * k + 0.0107582 * T2 + 0.00001238 * T3 - 0.000000058 * T4;
    const double F =
        160.7108 + 390.67050284 * k - 0.0016118 * T2 - 0.00000227 * T3 + 0.000000011 * T4;
    const double O = 124.7746 - 1.56375588 * k + 0.0020672 * T2 + 0.00000215 * T3;
    // Periodic terms: coefficient of the new moon, of the full moon, power of E, and the multiples
    // of M, M', F and Ω in the argument.
    struct SyzygyTerm {
        double newMoon, fullMoon;
        int e, m, mp, f, o;
    };
    static const SyzygyTerm kSyzygy[] = {
        {-0.40720, -0.40614, 0, 0, 1, 0, 0},   {0.17241, 0.17302, 1, 1, 0, 0, 0},
        {0.01608, 0.01614, 0, 0, 2, 0, 0},     {0.01039, 0.01043, 0, 0, 0, 2, 0},
        {0.00739, 0.00734, 1, -1, 1, 0, 0},    {-0.00514, -0.00515, 1, 1, 1, 0, 0},
        {0.00208, 0.00209, 2, 2, 0, 0, 0},     {-0.00111, -0.00111, 0, 0, 1, -2, 0},
        {-0.00057, -0.00057, 0, 0, 1, 2, 0},   {0.00056, 0.00056, 1, 1, 2, 0, 0},
        {-0.00042, -0.00042, 0, 0, 3, 0, 0},   {0.00042, 0.00042, 1, 1, 0, 2, 0},
        {0.00038, 0.00038, 1, 1, 0, -2, 0},    {-0.00024, -0.00024, 1, -1, 2, 0, 0},
        {-0.00017, -0.00017, 0, 0, 0, 0, 1},   {-0.00007, -0.00007, 0, 2, 1, 0, 0},
        {0.00004, 0.00004, 0, 0, 2, -2, 0},    {0.00004, 0.00004, 0, 3, 0, 0, 0},
        {0.00003, 0.00003, 0, 1, 1, -2, 0},    {0.00003, 0.00003, 0, 0, 2, 2, 0},
        {-0.00003, -0.00003, 0, 1, 1, 2, 0},   {0.00003, 0.00003, 0, -1, 1, 2, 0},
        {-0.00002, -0.00002, 0, -1, 1, -2, 0}, {-0.00002, -0.00002, 0, 1, 3, 0, 0},
        {0.00002, 0.00002, 0, 0, 4, 0, 0},
    };
    // The same for the quarters: coefficient, power of E, multiples.
    struct QuarterTerm {
        double c;
        int e, m, mp, f, o;
    };
    static const QuarterTerm kQuarter[] = {
        {-0.62801, 0, 0, 1, 0, 0}, {0.17172, 1, 1, 0, 0, 0},    {-0.01183, 1, 1, 1, 0, 0},
        {0.00862, 0, 0, 2, 0, 0},  {0.00804, 0, 0, 0, 2, 0},    {0.00454, 1, -1, 1, 0, 0},
        {0.00204, 2, 2, 0, 0, 0},  {-0.00180, 0, 0, 1, -2, 0},  {-0.00070, 0, 0, 1, 2, 0},
        {-0.00040, 0, 0, 3, 0, 0}, {-0.00034, 1, -1, 2, 0, 0},  {0.00032, 1, 1, 0, 2, 0},
        {0.00032, 1, 1, 0, -2, 0}, {-0.00028, 2, 2, 1, 0, 0},   {0.00027, 1, 1, 2, 0, 0},
        {-0.00017, 0, 0, 0, 0, 1}, {-0.00005, 0, -1, 1, -2, 0}, {0.00004, 0, 0, 2, 2, 0},
        {-0.00004, 0, 1, 1, 2, 0}, {0.00004, 0, -2, 1, 0, 0},   {0.00003, 0, 1, 1, -2, 0},
        {0.00003, 0, 3, 0, 0, 0},  {0.00002, 0, 0, 2, -2, 0},   {0.00002, 0, -1, 1, 2, 0},
        {-0.00002, 0, 1, 3, 0, 0},
    };
    for (int i = 0; i < 25; ++i) {
        if (phase == 1 || phase == 3) {
            const QuarterTerm& t = kQuarter[i];
            jde += t.c * std::pow(E, t.e) * Sin(t.m * M + t.mp * Mp + t.f * F + t.o * O);
        } else {
            const SyzygyTerm& t = kSyzygy[i];
            jde += (phase == 0 ? t.newMoon : t.fullMoon) * std::pow(E, t.e) *
                   Sin(t.m * M + t.mp * Mp + t.f * F + t.o * O);
        }
    }
    if (phase == 1 || phase == 3) {
        const double W = 0.00306 - 0.00038 * E * Cos(M) + 0.00026 * Cos(Mp) -
                         0.00002 * Cos(Mp - M) + 0.00002 * Cos(Mp + M) + 0.00002 * Cos(2 * F);
        jde += phase == 1 ? W : -W;
    }
    const double A[14] = {299.77 + 0.107408 * k - 0.009173 * T2,
                          251.88 + 0.016321 * k,
                          251.83 + 26.651886 * k,
                          349.42 + 36.412478 * k,
                          84.66 + 18.206239 * k,
                          141.74 + 53.303771 * k,
                          207.14 + 2.453732 * k,
                          154.84 + 7.306860 * k,
                          34.52 + 27.261239 * k,
                          207.19 + 0.121824 * k,
                          291.34 + 1.844379 * k,
                          161.72 + 24.198154 * k,
                          239.56 + 25.513099 * k,
                          331.55 + 3.592518 * k};
    const double C[14] = {0.000325, 0.000165, 0.000164, 0.000126, 0.000110, 0.000062, 0.000060,
                          0.000056, 0.000047, 0.000042, 0.000040, 0.000037, 0.000035, 0.000023};
    for (int i = 0; i < 14; ++i) jde += C[i] * Sin(A[i]);
    return jde;
}

inline double MeeusNewMoon(int k) {
    return MeeusLunarPhase(k, 0);
}

// The March equinox (season 0), June solstice (1), September equinox (2) or December solstice
// (3) of a year from 1000 to 3000.
inline double MeeusSeason(int year, int season) {
    static const double kMean[4][5] = {
        {2451623.80984, 365242.37404, 0.05169, -0.00411, -0.00057},
        {2451716.56767, 365241.62603, 0.00325, 0.00888, -0.00030},
        {2451810.21715, 365242.01767, -0.11575, 0.00337, 0.00078},
        {2451900.05952, 365242.74049, -0.06223, -0.00823, 0.00032},
    };
    static const double kTerms[24][3] = {
        {485, 324.96, 1934.136},  {203, 337.23, 32964.467}, {199, 342.08, 20.186},
        {182, 27.85, 445267.112}, {156, 73.14, 45036.886},  {136, 171.52, 22518.443},
        {77, 222.54, 65928.934},  {74, 296.72, 3034.906},   {70, 243.58, 9037.513},
        {58, 119.81, 33718.147},  {52, 297.17, 150.678},    {50, 21.02, 2281.226},
        {45, 247.54, 29929.562},  {44, 325.15, 31555.956},  {29, 60.93, 4443.417},
        {18, 155.12, 67555.328},  {17, 288.79, 4562.452},   {16, 198.04, 62894.029},
        {14, 199.76, 31436.921},  {12, 95.39, 14577.848},   {12, 287.11, 31931.756},
        {12, 320.81, 34777.259},  {9, 227.73, 1222.114},    {8, 15.45, 16859.074},
    };
    const double Y = (year - 2000) / 1000.0;
    const double* m = kMean[season];
    const double jde0 = m[0] + Y * (m[1] + Y * (m[2] + Y * (m[3] + Y * m[4])));
    const double T = (jde0 - 2451545.0) / 36525;
    const double W = 35999.373 * T - 2.47;
    const double dl = 1 + 0.0334 * Cos(W) + 0.0007 * Cos(2 * W);
    double S = 0;
    for (const auto& term : kTerms) S += term[0] * Cos(term[1] + term[2] * T);
    return jde0 + 0.00001 * S / dl;
}

// The Sun's apparent longitude in degrees [0, 360) from the Earth's heliocentric position of
// eraEpv00, taken on a different road from the program's: ERFA's ecliptic-of-date matrix
// (eraEcm06), the textbook aberration −20.4898″/R and the four-term nutation in longitude (good to
// 0.5″).
inline double TextbookSunLongitude(double jdTT) {
    double heliocentric[2][3], barycentric[2][3];
    eraEpv00(2451545.0, jdTT - 2451545.0, heliocentric, barycentric);
    double sun[3];
    for (int i = 0; i < 3; ++i) sun[i] = -heliocentric[0][i];
    double toEcliptic[3][3], ecliptic[3];
    eraEcm06(2451545.0, jdTT - 2451545.0, toEcliptic);
    eraRxp(toEcliptic, sun, ecliptic);
    const double R = std::sqrt(sun[0] * sun[0] + sun[1] * sun[1] + sun[2] * sun[2]);
    const double T = (jdTT - 2451545.0) / 36525;
    const double L = 280.4665 + 36000.7698 * T;
    const double Lp = 218.3165 + 481267.8813 * T;
    const double O = 125.04452 - 1934.136261 * T;
    const double nutation =
        -17.20 * Sin(O) - 1.32 * Sin(2 * L) - 0.23 * Sin(2 * Lp) + 0.21 * Sin(2 * O);
    const double lambda =
        std::atan2(ecliptic[1], ecliptic[0]) * 180 / M_PI + (nutation - 20.4898 / R) / 3600.0;
    return std::fmod(lambda + 720.0, 360.0);
}

}  // namespace orv::test
