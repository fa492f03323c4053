// The small ephemeris of the calendar: truncated series for the Earth's and the Moon's
// longitude, nutation, aberration, obliquity, ΔT, the equation of time, and the solvers that
// turn a target longitude of the Sun or an elongation of the Moon into an instant.
#pragma once

namespace taiyi {

// The calendar's value of π, used by every angle computation of the calendar code (not the
// full-precision value: the day a term or new moon falls on depends on it).
inline constexpr double kCalendarPi = 3.14159265;
// Arc-seconds per radian with kCalendarPi.
inline constexpr double kArcsecPerRad = 648000.0 / kCalendarPi;
// Mean angular speed of the Moon's elongation from the Sun, rad per Julian century.
inline constexpr double kMoonElongationSpeed = 7771.37714500204;
// Mean angular speed of the Sun's longitude, rad per Julian century.
inline constexpr double kSunLongitudeSpeed = 628.3319653318;

// In every function below, t is Julian centuries of 36525 days of Terrestrial Time (TT)
// from J2000.0 (JD 2451545.0 TT), and angles are in radians.

// x reduced to [0, 2π) (π = kCalendarPi). x: rad. Result: rad.
double NormalizeAngle(double x);

// x reduced to (−π, π] (π = kCalendarPi). x: rad. Result: rad.
double NormalizeAngleSigned(double x);

// Spherical coordinates rotated about the x axis by the angle e.
struct SphericalCoords {
  double longitude = 0;  // rad
  double latitude = 0;   // rad
  double distance = 0;   // any unit, unchanged by the rotation
};

// Ecliptic (longitude, latitude, distance) to equatorial (right ascension, declination,
// distance) for the obliquity e. Angles in rad; the right ascension is in [0, 2π).
SphericalCoords EclipticToEquatorial(double longitude, double latitude, double distance, double e);

// ΔT = TT − UT in seconds for a year given as a decimal number (astronomical numbering,
// 2000.5 = mid-2000). Polynomial table up to 2015, parabolic extrapolation after it.
double DeltaT(double year);

// ΔT in days. d: days from J2000 (either time scale; ΔT varies too slowly to matter).
double DeltaTDays(double d);

// Mean obliquity of the ecliptic, rad. t: TT centuries from J2000.
double Obliquity(double t);

// Nutation in longitude, rad (10-term series). t: TT centuries from J2000.
double NutationInLongitude(double t);

// Annual aberration of the Sun in longitude, rad (negative). t: TT centuries from J2000.
double SunAberration(double t);

// Aberration of the Moon in longitude, rad (the constant −3.4e-6).
double MoonAberration(double t);

// Heliocentric ecliptic longitude of the Earth, mean equinox of date, rad (not reduced to
// one turn). t: TT centuries from J2000. n: number of L0 terms to use, the higher series a
// proportional share plus one; n < 0 uses every term of the table.
double EarthLongitude(double t, int n);

// Geocentric ecliptic longitude of the Moon, mean equinox of date, rad (not reduced to one
// turn). t: TT centuries from J2000. n: number of S0 terms to use, the higher series a
// proportional share plus one; n < 0 uses every term of the table.
double MoonLongitude(double t, int n);

// Apparent geocentric longitude of the Sun (nutation and aberration included), rad, not
// reduced. t: TT centuries from J2000. n: Earth series truncation as in EarthLongitude.
double SunApparentLongitude(double t, int n);

// Moon's longitude minus the Sun's, both with aberration, without nutation, rad, not
// reduced. t: TT centuries from J2000. nMoon, nEarth: truncations of the two series.
double MoonSunElongation(double t, int nMoon, int nEarth);

// Angular speed of the Earth's heliocentric longitude, rad per century. t: TT centuries.
double EarthSpeed(double t);

// Angular speed of the Moon's geocentric longitude, rad per century. t: TT centuries.
double MoonSpeed(double t);

// TT centuries from J2000 at which SunApparentLongitude equals w. w: rad, unwrapped: 0 is
// the March equinox of 1999 and each further 2π one more tropical year.
double SunLongitudeTime(double w);

// As SunLongitudeTime, by a cheaper short series: within about 6 minutes of it from 2000 BC
// to AD 4000.
double SunLongitudeTimeFast(double w);

// TT centuries from J2000 at which MoonSunElongation equals w. w: rad, unwrapped: k·2π is
// the k-th new moon counted from the new moon of 2000-01-06 (k = 0).
double NewMoonTime(double w);

// As NewMoonTime, by a cheaper short series: within about 4 minutes of it around the present
// and a quarter of an hour from 2000 BC to AD 4000.
double NewMoonTimeFast(double w);

// Equation of time, apparent minus mean solar time, in days (positive when the true Sun is
// ahead of the mean Sun). t: TT centuries from J2000.
double EquationOfTimeDays(double t);

}  // namespace taiyi
