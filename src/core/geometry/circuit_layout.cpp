#include "geometry/circuit_layout.h"

#include "text/format.h"

#include <algorithm>
#include <cmath>
#include <system_error>

namespace vantor {

namespace {

constexpr int kMaxRows = 20;
constexpr int kMaxTubesHigh = 1000;
constexpr int kMaxCircuits = 1440;

int WholeCount(double x, int limit)
{
    if (!std::isfinite(x) || x <= 0) return 0;
    return static_cast<int>(std::min(std::round(x), static_cast<double>(limit)));
}

}  // namespace

TCircuitLayout LayOutCircuits(double rows, int tubesHigh, double circuits, bool staggered)
{
    TCircuitLayout layout;
    layout.Rows = WholeCount(rows, kMaxRows);
    layout.TubesHigh = std::clamp(tubesHigh, 0, kMaxTubesHigh);
    layout.Circuits = WholeCount(circuits, kMaxCircuits);
    const int tubes = layout.Rows * layout.TubesHigh;
    layout.TubesPerCircuit = layout.Circuits > 0 ? tubes / layout.Circuits : 0;
    const int linked = layout.TubesPerCircuit * layout.Circuits;
    layout.Unlinked = tubes - linked;

    layout.Path.reserve(static_cast<size_t>(tubes));
    for (int level = 0; level < layout.TubesHigh; ++level) {
        // Even levels run against the air (leaving row first), odd levels with it.
        const bool againstAir = level % 2 == 0;
        for (int step = 0; step < layout.Rows; ++step) {
            TTubeSpot spot;
            spot.Row = againstAir ? layout.Rows - 1 - step : step;
            spot.Level = level;
            spot.X = spot.Row + 0.5;
            spot.Y = level + 0.5 + (staggered && spot.Row % 2 == 1 ? 0.5 : 0.0);
            const int index = static_cast<int>(layout.Path.size());
            spot.Circuit = index < linked ? index / layout.TubesPerCircuit : -1;
            layout.Path.push_back(spot);
        }
    }
    return layout;
}

std::string CircuitPictureName(double rows, double tubesPerCircuit)
{
    return Format("%0.0fr%0.0ft.png", {rows, tubesPerCircuit});
}

std::filesystem::path CircuitPictureFile(const std::filesystem::path& userRoot,
                                         const std::filesystem::path& makerRoot, double rows,
                                         double tubesPerCircuit)
{
    const std::filesystem::path relative =
        std::filesystem::path("CoilCirc") / "Images" / CircuitPictureName(rows, tubesPerCircuit);
    for (const auto& root : {userRoot, makerRoot}) {
        if (root.empty()) continue;
        std::error_code error;
        const auto candidate = root / relative;
        if (std::filesystem::is_regular_file(candidate, error)) return candidate;
    }
    return {};
}

}  // namespace vantor
