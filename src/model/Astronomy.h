#pragma once
// The Sun and the Moon as the old calendar needs them: apparent geocentric ecliptic longitudes,
// the instants at which the Sun reaches a given longitude and at which the Moon is new, and the
// step from Terrestrial Time to the Japanese civil day. The ephemerides are ERFA's (eraEpv00 for
// the Earth, eraMoon98 for the Moon, IAU 2006 precession and IAU 2000B nutation); what ERFA does
// not offer (light time of the Moon, the ecliptic of date, the root finding, ΔT) is here.
//
// Instants are Julian dates as doubles (a resolution of about 40 µs near the present). TT and
// TDB are not told apart (they differ by under 2 ms).
#include <vector>

#include "model/CivilDate.h"

namespace orv {

// A longitude in degrees in [0, 360) and how fast it grows, in degrees per day.
struct Longitude {
    double Degrees = 0;
    double DegreesPerDay = 0;
};

// Apparent longitude of the Sun, referred to the true equinox and ecliptic of date (aberration
// and nutation included), at an instant in TT.
Longitude SunApparentLongitude(double jdTT);
// The same for the Moon (light time and nutation included).
Longitude MoonApparentLongitude(double jdTT);

// ΔT = TT − UT in seconds for a year with fraction (e.g. 2026.5), by the polynomials of Espenak
// and Meeus. Defined everywhere; meaningful from about 1600 on.
double DeltaTSeconds(double decimalYear);
double TtToUt(double jdTT);
double UtToTt(double jdUT);

// UTC+9. UT1 stands for UTC: they differ by under a second.
inline constexpr double kJstOffsetDays = 9.0 / 24.0;
// The Japanese civil day in which an instant in UT falls.
CivilDate JstDayOfUt(double jdUT);
// The Julian date (UT) of 0:00 JST of a day.
double JstMidnightUt(const CivilDate& day);

// The first instant (TT) at or after `fromTT` at which the Sun's apparent longitude equals
// `targetDegrees` (any real; taken modulo 360).
double SunReachesLongitude(double targetDegrees, double fromTT);
// The instant (TT) nearest a guess at which the Sun's apparent longitude equals `targetDegrees`;
// the guess must lie within a few days of it.
double SunReachesLongitudeNear(double targetDegrees, double guessTT);
// The instant (TT) nearest a guess at which the Moon's apparent longitude exceeds the Sun's by
// `targetDegrees` (0 new moon, 90 first quarter, 180 full, 270 last quarter); the guess must lie
// within a few days of it.
double MoonReachesElongationNear(double targetDegrees, double guessTT);
// The first new moon (the apparent longitudes of the Sun and the Moon equal) at or after
// `fromTT`, in TT.
double NextNewMoon(double fromTT);
// Every new moon in [fromTT, toTT), in order.
std::vector<double> NewMoonsBetween(double fromTT, double toTT);

}  // namespace orv
