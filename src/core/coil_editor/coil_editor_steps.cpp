#include "coil_editor/coil_editor_steps.h"

#include <cmath>

namespace vantor {

namespace {

std::optional<double> Within(double x, const TStepRange& range)
{
    if (!std::isfinite(x) || !range.Holds(x)) return std::nullopt;
    return x;
}

bool IsWhole(double x) { return std::fabs(x - std::round(x)) < 1e-9; }

}  // namespace

double FinHeightStep(double sy) { return 2 * sy; }

double TypedFinHeight(double height, double sy)
{
    const double step = FinHeightStep(sy);
    return height < step ? step : height;
}

std::optional<double> StepMultiple(double value, double step, bool up, const TStepRange& range)
{
    if (!(step > 0)) return std::nullopt;
    return Within(std::round(value / step + (up ? 1 : -1)) * step, range);
}

std::optional<double> RowsStep(double rows, bool up)
{
    const double n = std::round(rows);
    const bool even = std::fmod(n, 2) == 0;
    double next = 0;
    if (up)
        next = n >= 6 && even ? n + 2 : n + 1;
    else
        next = n >= 8 && even ? n - 2 : n - 1;
    return Within(next, kRowsRange);
}

std::optional<double> FinDensityStep(double fpi, bool up)
{
    const double n = std::round(fpi);
    const bool odd = std::fmod(n, 2) != 0;
    const double change = odd ? 1 : 2;
    return Within(up ? n + change : n - change, kFinDensityRange);
}

std::optional<double> FinPitchStep(double pitch, bool up)
{
    if (!std::isfinite(pitch)) return std::nullopt;
    if (up) {
        if (pitch >= kFinPitchRange.High) return std::nullopt;
        return Within(std::floor(pitch + 1), kFinPitchRange);
    }
    if (pitch <= kFinPitchRange.Low + 1) return std::nullopt;
    const double whole = std::floor(pitch);
    return Within(IsWhole(pitch) ? std::round(pitch) - 1 : whole, kFinPitchRange);
}

std::optional<double> MoreCircuits(double tubes, double circuits)
{
    if (!(tubes >= 1) || !(circuits > 0) || !std::isfinite(tubes / circuits)) return std::nullopt;
    double k = std::round(tubes / circuits);
    do {
        k -= 1;
        if (k < 1) {
            k = 1;
            break;
        }
    } while (!IsWhole(tubes / k));
    return Within(tubes / k, kCircuitsRange);
}

std::optional<double> FewerCircuits(double tubes, double circuits, double tubeCount)
{
    if (!(tubes >= 1) || !(circuits > 0) || !std::isfinite(tubes / circuits)) return std::nullopt;
    double k = std::floor(tubes / circuits);
    do {
        k += 1;
        if (k > tubeCount) return std::nullopt;
    } while (!IsWhole(tubes / k));
    return Within(tubes / k, kCircuitsRange);
}

double TubesPerCircuit(double tubes, double circuits)
{
    if (!(circuits > 0)) return 0;
    return std::floor(tubes / circuits);
}

double UnlinkedTubes(double tubes, double circuits) { return tubes - TubesPerCircuit(tubes, circuits) * circuits; }

}  // namespace vantor
