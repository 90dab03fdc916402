#include "model/Astronomy.h"

#include <erfa.h>
#include <erfam.h>

#include <cmath>
#include <stdexcept>

namespace orv {

namespace {

constexpr double kRadToDeg = 180.0 / M_PI;
// Julian date of 1970-01-01 0:00, the origin of CivilDate day numbers.
constexpr double kUnixEpochJd = 2440587.5;
constexpr double kMeanSunRate = 360.0 / 365.242189;        // degrees per day
constexpr double kMeanElongationRate = 360.0 / 29.530589;  // degrees per day
constexpr double kSynodicMonth = 29.530589;
// Newton's method stops after a step under 90 s. What is left after a step h is about
// h² f''/2f' (under 3 ms for the Moon, whose rate changes fastest) plus h times the relative error
// of the rate (under 1e-4, the frame's turning being left out): under a hundredth of a second.
constexpr double kConvergedDays = 1e-3;
constexpr int kMaxSteps = 30;

double Wrap360(double degrees) {
    double d = std::fmod(degrees, 360.0);
    if (d < 0) d += 360.0;
    return d;
}

double Wrap180(double degrees) {
    double d = Wrap360(degrees);
    return d > 180.0 ? d - 360.0 : d;
}

// GCRS to the ecliptic of date with the true equinox as origin: the Fukushima–Williams
// precession angles with the nutation in longitude added, without the last rotation onto the
// equator (eraFw2m less its final step).
struct EclipticOfDate {
    double r[3][3];

    explicit EclipticOfDate(double jdTT) {
        const double d2 = jdTT - ERFA_DJ00;
        double gamb, phib, psib, epsa, dpsi, deps;
        eraPfw06(ERFA_DJ00, d2, &gamb, &phib, &psib, &epsa);
        // IAU 2000B: 1 mas against 2000A at a twentieth of the cost; a longitude here needs 0.1″.
        eraNut00b(ERFA_DJ00, d2, &dpsi, &deps);
        eraIr(r);
        eraRz(gamb, r);
        eraRx(phib, r);
        eraRz(-(psib + dpsi), r);
    }

    // ERFA's routines take non-const arrays, hence the non-const arguments.
    Longitude Of(double position[3], double velocity[3]) {
        double p[3], v[3];
        eraRxp(r, position, p);
        eraRxp(r, velocity, v);
        // The frame's own turning (precession, 50″ a year) is left out of the rate: it only
        // steers Newton's steps.
        const double rate = (p[0] * v[1] - p[1] * v[0]) / (p[0] * p[0] + p[1] * p[1]);
        return {Wrap360(std::atan2(p[1], p[0]) * kRadToDeg), rate * kRadToDeg};
    }
};

Longitude Sun(double jdTT, EclipticOfDate& frame) {
    double pvh[2][3], pvb[2][3];
    eraEpv00(ERFA_DJ00, jdTT - ERFA_DJ00, pvh, pvb);
    // The Sun seen from the Earth. Its own barycentric motion during the 8.3 minutes of light
    // time moves it by 0.01″, so the geometric direction stands for the retarded one.
    double p[3], v[3];
    eraSxp(-1.0, pvh[0], p);
    eraSxp(-1.0, pvh[1], v);
    double distance, unit[3];
    eraPn(p, &distance, unit);
    double earthVelocity[3];  // in units of c
    eraSxp(ERFA_AULT / ERFA_DAYSEC, pvb[1], earthVelocity);
    const double bm1 = std::sqrt(1.0 - eraPm(earthVelocity) * eraPm(earthVelocity));
    double apparent[3];
    eraAb(unit, earthVelocity, distance, bm1, apparent);
    // Back to full length, so that the velocity gives the right angular rate.
    eraSxp(distance, apparent, apparent);
    return frame.Of(apparent, v);
}

Longitude Moon(double jdTT, EclipticOfDate& frame) {
    double pv[2][3];
    eraMoon98(ERFA_DJ00, jdTT - ERFA_DJ00, pv);
    // Seen from the geocentre the Moon shares the Earth's motion, so aberration reduces to the
    // light time (1.3 s, about 0.7″): the position it had when the light left it.
    const double lightTimeDays = eraPm(pv[0]) * ERFA_AULT / ERFA_DAYSEC;
    double p[3];
    eraPpsp(pv[0], -lightTimeDays, pv[1], p);
    return frame.Of(p, pv[1]);
}

double DecimalYear(double jd) {
    return 2000.0 + (jd - ERFA_DJ00) / ERFA_DJY;
}

// Newton's method on a longitude difference that grows steadily through zero.
template <typename Difference>
double SolveForZero(double guess, Difference difference) {
    double t = guess;
    for (int step = 0; step < kMaxSteps; ++step) {
        const Longitude d = difference(t);
        const double dt = Wrap180(d.Degrees) / d.DegreesPerDay;
        t -= dt;
        if (std::fabs(dt) < kConvergedDays) return t;
    }
    throw std::runtime_error("a solar or lunar instant did not converge");
}

double RefineNewMoon(double guessTT) {
    return MoonReachesElongationNear(0.0, guessTT);
}

}  // namespace

Longitude SunApparentLongitude(double jdTT) {
    EclipticOfDate frame(jdTT);
    return Sun(jdTT, frame);
}

Longitude MoonApparentLongitude(double jdTT) {
    EclipticOfDate frame(jdTT);
    return Moon(jdTT, frame);
}

double DeltaTSeconds(double y) {
    if (y < 1600) {
        const double u = (y - 1820) / 100;
        return -20 + 32 * u * u;
    }
    if (y < 1700) {
        const double t = y - 1600;
        return 120 - 0.9808 * t - 0.01532 * t * t + t * t * t / 7129;
    }
    if (y < 1800) {
        const double t = y - 1700;
        return 8.83 + t * (0.1603 + t * (-0.0059285 + t * (0.00013336 - t / 1174000)));
    }
    if (y < 1860) {
        const double t = y - 1800;
        return 13.72 +
               t * (-0.332447 +
                    t * (0.0068612 +
                         t * (0.0041116 +
                              t * (-0.00037436 + t * (0.0000121272 +
                                                      t * (-0.0000001699 + t * 0.000000000875))))));
    }
    if (y < 1900) {
        const double t = y - 1860;
        return 7.62 +
               t * (0.5737 + t * (-0.251754 + t * (0.01680668 + t * (-0.0004473624 + t / 233174))));
    }
    if (y < 1920) {
        const double t = y - 1900;
        return -2.79 + t * (1.494119 + t * (-0.0598939 + t * (0.0061966 - t * 0.000197)));
    }
    if (y < 1941) {
        const double t = y - 1920;
        return 21.20 + t * (0.84493 + t * (-0.076100 + t * 0.0020936));
    }
    if (y < 1961) {
        const double t = y - 1950;
        return 29.07 + 0.407 * t - t * t / 233 + t * t * t / 2547;
    }
    if (y < 1986) {
        const double t = y - 1975;
        return 45.45 + 1.067 * t - t * t / 260 - t * t * t / 718;
    }
    if (y < 2005) {
        const double t = y - 2000;
        return 63.86 + t * (0.3345 + t * (-0.060374 +
                                          t * (0.0017275 + t * (0.000651814 + t * 0.00002373599))));
    }
    if (y < 2050) {
        const double t = y - 2000;
        return 62.92 + 0.32217 * t + 0.005589 * t * t;
    }
    const double u = (y - 1820) / 100;
    if (y < 2150) return -20 + 32 * u * u - 0.5628 * (2150 - y);
    return -20 + 32 * u * u;
}

double TtToUt(double jdTT) {
    return jdTT - DeltaTSeconds(DecimalYear(jdTT)) / ERFA_DAYSEC;
}

double UtToTt(double jdUT) {
    return jdUT + DeltaTSeconds(DecimalYear(jdUT)) / ERFA_DAYSEC;
}

CivilDate JstDayOfUt(double jdUT) {
    return CivilFromDays(static_cast<int64_t>(std::floor(jdUT + kJstOffsetDays - kUnixEpochJd)));
}

double JstMidnightUt(const CivilDate& day) {
    return static_cast<double>(DaysFromCivil(day)) + kUnixEpochJd - kJstOffsetDays;
}

double SunReachesLongitude(double targetDegrees, double fromTT) {
    const double ahead = Wrap360(targetDegrees - SunApparentLongitude(fromTT).Degrees);
    return SunReachesLongitudeNear(targetDegrees, fromTT + ahead / kMeanSunRate);
}

double SunReachesLongitudeNear(double targetDegrees, double guessTT) {
    return SolveForZero(guessTT, [targetDegrees](double t) {
        const Longitude sun = SunApparentLongitude(t);
        return Longitude{sun.Degrees - targetDegrees, sun.DegreesPerDay};
    });
}

double MoonReachesElongationNear(double targetDegrees, double guessTT) {
    return SolveForZero(guessTT, [targetDegrees](double t) {
        EclipticOfDate frame(t);
        const Longitude moon = Moon(t, frame);
        const Longitude sun = Sun(t, frame);
        return Longitude{moon.Degrees - sun.Degrees - targetDegrees,
                         moon.DegreesPerDay - sun.DegreesPerDay};
    });
}

double NextNewMoon(double fromTT) {
    EclipticOfDate frame(fromTT);
    const double elongation = Wrap360(Moon(fromTT, frame).Degrees - Sun(fromTT, frame).Degrees);
    double t = RefineNewMoon(fromTT + (360.0 - elongation) / kMeanElongationRate);
    // Just after a new moon the estimate can fall back onto it; the next one is a month on.
    if (t < fromTT) t = RefineNewMoon(t + kSynodicMonth);
    return t;
}

std::vector<double> NewMoonsBetween(double fromTT, double toTT) {
    std::vector<double> moons;
    // A lunation lasts 29.3 to 29.8 days, but the next one rarely differs from the last by more
    // than a few hours: that makes the better guess.
    double lunation = kSynodicMonth;
    for (double t = NextNewMoon(fromTT); t < toTT;) {
        moons.push_back(t);
        const double next = RefineNewMoon(t + lunation);
        lunation = next - t;
        t = next;
    }
    return moons;
}

}  // namespace orv
