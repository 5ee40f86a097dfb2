#include "psychro/saturation.h"

#include <algorithm>
#include <cmath>

namespace vantor {

namespace {

constexpr double kKelvin = 273.15;
constexpr double kTriplePoint = 273.16;  // K

// ln(p / Pa) over ice, eq. 5, and its derivative in T (K).
double LnPressureOverIce(double T)
{
    return -5.6745359e3 / T + 6.3925247 +
           T * (-9.6778430e-3 + T * (6.2215701e-7 + T * (2.0747825e-9 + T * -9.4840240e-13))) +
           4.1635019 * std::log(T);
}

double LnPressureOverIceSlope(double T)
{
    return 5.6745359e3 / (T * T) - 9.6778430e-3 +
           T * (2.0 * 6.2215701e-7 + T * (3.0 * 2.0747825e-9 + T * 4.0 * -9.4840240e-13)) +
           4.1635019 / T;
}

// ln(p / Pa) over liquid water, eq. 6, and its derivative in T (K).
double LnPressureOverWater(double T)
{
    return -5.8002206e3 / T + 1.3914993 + T * (-4.8640239e-2 + T * (4.1764768e-5 + T * -1.4452093e-8)) +
           6.5459673 * std::log(T);
}

double LnPressureOverWaterSlope(double T)
{
    return 5.8002206e3 / (T * T) - 4.8640239e-2 + T * (2.0 * 4.1764768e-5 + T * 3.0 * -1.4452093e-8) +
           6.5459673 / T;
}

double LnPressure(double T) { return T <= kTriplePoint ? LnPressureOverIce(T) : LnPressureOverWater(T); }

}  // namespace

double SatPressure(double t) { return std::exp(LnPressure(t + kKelvin)) / 1000.0; }

bool SatTemperature(double p, double& t)
{
    static const double lowest = SatPressure(kSaturationMinTemperature);
    static const double highest = SatPressure(kSaturationMaxTemperature);
    static const double triple = SatPressure(kTriplePoint - kKelvin);
    if (!(p >= lowest && p <= highest)) return false;

    // Newton on ln p, which is nearly linear in 1/T, from the Magnus approximation; three or
    // four steps reach 1e-10 K.
    const bool overIce = p <= triple;
    const double alpha = std::log(p / (overIce ? 0.61115 : 0.61094));
    double T = kKelvin + (overIce ? 272.55 * alpha / (22.452 - alpha) : 243.04 * alpha / (17.625 - alpha));
    const double lowT = overIce ? kSaturationMinTemperature + kKelvin : kTriplePoint;
    const double highT = overIce ? kTriplePoint : kSaturationMaxTemperature + kKelvin;
    const double target = std::log(p * 1000.0);
    for (int step = 0; step < 50; ++step) {
        const double residual = (overIce ? LnPressureOverIce(T) : LnPressureOverWater(T)) - target;
        const double slope = overIce ? LnPressureOverIceSlope(T) : LnPressureOverWaterSlope(T);
        const double next = std::clamp(T - residual / slope, lowT, highT);
        const bool settled = std::abs(next - T) < 1e-10;
        T = next;
        if (settled) {
            t = T - kKelvin;
            return true;
        }
    }
    return false;
}

}  // namespace vantor
