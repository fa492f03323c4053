#include "calendar/astro_series.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <iterator>
#include <span>

#include "calendar/astro_tables.h"

namespace taiyi {
namespace {

constexpr double kPi = kCalendarPi;
constexpr double kTwoPi = 2 * kCalendarPi;

constexpr std::span<const double> kEarthSeries[] = {
    astro_tables::kEarthL0, astro_tables::kEarthL1, astro_tables::kEarthL2,
    astro_tables::kEarthL3, astro_tables::kEarthL4, astro_tables::kEarthL5,
};

constexpr std::span<const double> kMoonSeries[] = {
    astro_tables::kMoonS0,
    astro_tables::kMoonS1,
    astro_tables::kMoonS2,
    astro_tables::kMoonS3,
};

// Nutation in longitude: argument B0 + B1·t + B2·t² (rad, rad/century, rad/century²) and
// amplitude A in units of 0.01″.
struct NutationRow {
  double b0, b1, b2, a;
};
constexpr NutationRow kNutation[] = {
    {2.1824, -33.75705, 36e-6, -1720}, {3.5069, 1256.66393, 11e-6, -132},
    {1.3375, 16799.4182, -51e-6, -23}, {4.3649, -67.5141, 72e-6, 21},
    {0.04, -628.302, 0, -14},          {2.36, 8328.691, 0, 7},
    {3.46, 1884.966, 0, -5},           {5.44, 16833.175, 0, -4},
    {3.69, 25128.11, 0, -3},           {3.55, 628.362, 0, 2},
};

// ΔT = TT − UT in seconds from the start year of each row: c0 + c1·x + c2·x² + c3·x³ with
// x = 10 · (y − year) / (next year − year). The last row only closes the one before it.
struct DeltaTRow {
  double year, c0, c1, c2, c3;
};
constexpr DeltaTRow kDeltaT[] = {
    {-4000, 108371.7, -13036.8, 392.0, 0.0},
    {-500, 17201.0, -627.82, 16.17, -0.3413},
    {-150, 12200.6, -346.41, 5.403, -0.1593},
    {150, 9113.8, -328.13, -1.647, 0.0377},
    {500, 5707.5, -391.41, 0.915, 0.3145},
    {900, 2203.4, -283.45, 13.034, -0.1778},
    {1300, 490.1, -57.35, 2.085, -0.0072},
    {1600, 120.0, -9.81, -1.532, 0.1403},
    {1700, 10.2, -0.91, 0.51, -0.037},
    {1800, 13.4, -0.72, 0.202, -0.0193},
    {1830, 7.8, -1.81, 0.416, -0.0247},
    {1860, 8.3, -0.13, -0.406, 0.0292},
    {1880, -5.4, 0.32, -0.183, 0.0173},
    {1900, -2.3, 2.06, 0.169, -0.0135},
    {1920, 21.2, 1.69, -0.304, 0.0167},
    {1940, 24.2, 1.22, -0.064, 0.0031},
    {1960, 33.2, 0.51, 0.231, -0.0109},
    {1980, 51.0, 1.29, -0.026, 0.0032},
    {2000, 63.87, 0.1, 0, 0},
    {2005, 64.7, 0.4, 0, 0},
    {2015, 69, 0, 0, 0},
};

// Parabolic extrapolation of ΔT in seconds for a decimal year.
double DeltaTExtrapolated(double year) {
  const double u = (year - 1820) / 100;
  return -20 + 31 * u * u;
}

}  // namespace

double NormalizeAngle(double x) {
  double v = x - std::trunc(x / kTwoPi) * kTwoPi;
  if (v < 0) v += kTwoPi;
  return v;
}

double NormalizeAngleSigned(double x) {
  double v = x - std::trunc(x / kTwoPi) * kTwoPi;
  if (v <= -kPi) {
    v += kTwoPi;
  } else if (v > kPi) {
    v -= kTwoPi;
  }
  return v;
}

SphericalCoords EclipticToEquatorial(double longitude, double latitude, double distance, double e) {
  SphericalCoords out;
  out.longitude = NormalizeAngle(std::atan2(
      std::sin(longitude) * std::cos(e) - std::tan(latitude) * std::sin(e), std::cos(longitude)));
  out.latitude = std::asin(std::cos(e) * std::sin(latitude) +
                           std::sin(e) * std::cos(latitude) * std::sin(longitude));
  out.distance = distance;
  return out;
}

double DeltaT(double year) {
  const DeltaTRow& last = kDeltaT[std::size(kDeltaT) - 1];
  const double y0 = last.year;
  const double t0 = last.c0;
  if (year >= y0) {
    if (year > y0 + 100) return DeltaTExtrapolated(year);
    return DeltaTExtrapolated(year) - (DeltaTExtrapolated(y0) - t0) * (y0 + 100 - year) / 100;
  }
  std::size_t i = 0;
  while (i + 2 < std::size(kDeltaT) && year >= kDeltaT[i + 1].year) ++i;
  const DeltaTRow& row = kDeltaT[i];
  const double x = (year - row.year) / (kDeltaT[i + 1].year - row.year) * 10;
  return row.c0 + x * (row.c1 + x * (row.c2 + x * row.c3));
}

double DeltaTDays(double d) {
  return DeltaT(d / 365.2425 + 2000) / 86400;
}

double Obliquity(double t) {
  const double t2 = t * t, t3 = t2 * t, t4 = t3 * t, t5 = t4 * t;
  return (84381.406 - 46.836769 * t - 0.0001831 * t2 + 0.0020034 * t3 - 5.76e-7 * t4 -
          4.34e-8 * t5) /
         kArcsecPerRad;
}

double NutationInLongitude(double t) {
  const double t2 = t * t;
  double sum = 0;
  for (std::size_t i = 0; i < std::size(kNutation); ++i) {
    const NutationRow& r = kNutation[i];
    const double a = i == 0 ? -1.742 * t : 0;
    sum += (r.a + a) * std::sin(r.b0 + r.b1 * t + r.b2 * t2);
  }
  return sum / 100 / kArcsecPerRad;
}

double SunAberration(double t) {
  const double v = -0.043126 + 628.301955 * t - 0.000002732 * t * t;
  const double e = 0.016708634 - 0.000042037 * t - 0.0000001267 * t * t;
  return -20.49552 * (1 + e * std::cos(v)) / kArcsecPerRad;
}

double MoonAberration(double /*t*/) {
  return -3.4e-6;
}

double EarthLongitude(double t, int n) {
  const double tm = t / 10;  // Julian millennia
  const double n0 = static_cast<double>(kEarthSeries[0].size());
  double v = 0;
  double power = 1;
  for (std::size_t i = 0; i < std::size(kEarthSeries); ++i, power *= tm) {
    const std::span<const double> series = kEarthSeries[i];
    const std::size_t len = series.size();
    if (len == 0) continue;
    std::size_t end = len;
    if (n >= 0) {
      // Kept in floating point until clamped, so that any n is safe.
      const double e = std::floor(3.0 * n * static_cast<double>(len) / n0 + 0.5) + (i > 0 ? 3 : 0);
      if (e < static_cast<double>(len)) end = static_cast<std::size_t>(e);
    }
    double sum = 0;
    for (std::size_t j = 0; j < end; j += 3) {
      sum += series[j] * std::cos(series[j + 1] + series[j + 2] * tm);
    }
    v += sum * power;
  }
  v /= 1e10;
  const double tm2 = tm * tm;
  v += (-0.0728 - 2.7702 * tm - 1.1019 * tm2 - 0.0996 * tm2 * tm) / kArcsecPerRad;
  return v;
}

double MoonLongitude(double t, int n) {
  const double t2 = t * t, t3 = t2 * t, t4 = t3 * t, t5 = t4 * t;
  double v = (3.81034409 + 8399.684730072 * t - 3.319e-5 * t2 + 3.11e-8 * t3 - 2.033e-10 * t4) *
                 kArcsecPerRad +
             5028.792262 * t + 1.1124406 * t2 + 0.00007699 * t3 - 0.000023479 * t4 -
             0.0000000178 * t5;
  const double tx = t - 10;
  if (tx > 0) v += -0.866 + 1.43 * tx + 0.054 * tx * tx;

  const double s2 = t2 * 1e-4, s3 = t3 * 1e-8, s4 = t4 * 1e-8;
  const long long len0 = static_cast<long long>(kMoonSeries[0].size());
  long long m = 6LL * n;
  if (m < 0) m = len0;
  double power = 1;
  for (std::size_t i = 0; i < std::size(kMoonSeries); ++i, power *= t) {
    const std::span<const double> series = kMoonSeries[i];
    const long long len = static_cast<long long>(series.size());
    const long long end = std::min(m * len / len0 + (i > 0 ? 6 : 0), len);
    double sum = 0;
    for (long long j = 0; j < end; j += 6) {
      const double* r = &series[static_cast<std::size_t>(j)];
      sum += r[0] * std::cos(r[1] + r[2] * t + r[3] * s2 + r[4] * s3 + r[5] * s4);
    }
    v += sum * power;
  }
  return v / kArcsecPerRad;
}

double SunApparentLongitude(double t, int n) {
  return EarthLongitude(t, n) + NutationInLongitude(t) + SunAberration(t) + kPi;
}

double MoonSunElongation(double t, int nMoon, int nEarth) {
  return MoonLongitude(t, nMoon) + MoonAberration(t) -
         (EarthLongitude(t, nEarth) + SunAberration(t) + kPi);
}

double EarthSpeed(double t) {
  const double f = 628.307585 * t;
  return 628.332 + 21 * std::sin(1.527 + f) + 0.44 * std::sin(1.48 + 2 * f) +
         0.129 * t * std::sin(5.82 + f) + 0.00055 * t * t * std::sin(4.21 + f);
}

double MoonSpeed(double t) {
  return 8399.71 - 914 * std::sin(0.7848 + 8328.691425 * t + 0.0001523 * t * t) -
         (179 * std::sin(2.543 + 15542.7543 * t) + 160 * std::sin(0.1874 + 7214.0629 * t) +
          62 * std::sin(3.14 + 16657.3828 * t) + 34 * std::sin(4.827 + 16866.9323 * t) +
          22 * std::sin(4.9 + 23871.4457 * t) + 12 * std::sin(2.59 + 14914.4523 * t) +
          7 * std::sin(0.23 + 6585.7609 * t) + 5 * std::sin(0.9 + 25195.624 * t) +
          5 * std::sin(2.32 - 7700.3895 * t) + 5 * std::sin(3.88 + 8956.9934 * t) +
          5 * std::sin(0.49 + 7771.3771 * t));
}

double SunLongitudeTime(double w) {
  double t = (w - 1.75347 - kPi) / kSunLongitudeSpeed;
  double v = EarthSpeed(t);
  t += (w - SunApparentLongitude(t, 10)) / v;
  v = EarthSpeed(t);
  t += (w - SunApparentLongitude(t, -1)) / v;
  return t;
}

double SunLongitudeTimeFast(double w) {
  double t = (w - 1.75347 - kPi) / kSunLongitudeSpeed;
  t -= (0.000005297 * t * t + 0.0334166 * std::cos(4.669257 + 628.307585 * t) +
        0.0002061 * std::cos(2.67823 + 628.307585 * t) * t) /
       kSunLongitudeSpeed;
  t += (w - EarthLongitude(t, 8) - kPi +
        (20.5 + 17.2 * std::sin(2.1824 - 33.75705 * t)) / kArcsecPerRad) /
       kSunLongitudeSpeed;
  return t;
}

double NewMoonTime(double w) {
  double v = kMoonElongationSpeed;
  double t = (w + 1.08472) / v;
  t += (w - MoonSunElongation(t, 3, 3)) / v;
  v = MoonSpeed(t) - EarthSpeed(t);
  t += (w - MoonSunElongation(t, 20, 10)) / v;
  t += (w - MoonSunElongation(t, -1, 60)) / v;
  return t;
}

double NewMoonTimeFast(double w) {
  const double v = kMoonElongationSpeed;
  double t = (w + 1.08472) / v;
  const double t2 = t * t;
  t -= (-0.00003309 * t2 + 0.10976 * std::cos(0.784758 + 8328.6914246 * t + 0.000152292 * t2) +
        0.02224 * std::cos(0.1874 + 7214.0628654 * t - 0.00021848 * t2) -
        0.03342 * std::cos(4.669257 + 628.307585 * t)) /
       v;
  const double l =
      MoonLongitude(t, 20) - (4.8950632 + 628.3319653318 * t + 0.000005297 * t * t +
                              0.0334166 * std::cos(4.669257 + 628.307585 * t) +
                              0.0002061 * std::cos(2.67823 + 628.307585 * t) * t +
                              0.000349 * std::cos(4.6261 + 1256.61517 * t) - 20.5 / kArcsecPerRad);
  const double speed = 7771.38 - 914 * std::sin(0.7848 + 8328.691425 * t + 0.0001523 * t * t) -
                       179 * std::sin(2.543 + 15542.7543 * t) -
                       160 * std::sin(0.1874 + 7214.0629 * t);
  t += (w - l) / speed;
  return t;
}

double EquationOfTimeDays(double t) {
  const double t2 = t * t, t3 = t2 * t, t4 = t3 * t, t5 = t4 * t;
  const double l =
      (1753470142 + 628331965331.8 * t + 5296.74 * t2 + 0.432 * t3 - 0.1124 * t4 - 0.00009 * t5) /
          1e9 +
      kPi - 20.5 / kArcsecPerRad;
  const double node = 2.1824 - 33.75705 * t;
  const double dl = -17.2 * std::sin(node) / kArcsecPerRad;
  const double de = 9.2 * std::cos(node) / kArcsecPerRad;
  const double e = Obliquity(t) + de;

  const double z0 = EarthLongitude(t, 50) + kPi + SunAberration(t) + dl;
  const double z1 =
      -(2796 * std::cos(3.1987 + 8433.46616 * t) + 1016 * std::cos(5.4225 + 550.75532 * t) +
        804 * std::cos(3.88 + 522.3694 * t)) /
      1e9;
  const SphericalCoords eq = EclipticToEquatorial(z0, z1, 1, e);
  const double rightAscension = eq.longitude - dl * std::cos(e);
  return NormalizeAngleSigned(l - rightAscension) / (2 * kPi);
}

}  // namespace taiyi
