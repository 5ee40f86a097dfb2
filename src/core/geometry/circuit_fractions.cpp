#include "geometry/circuit_fractions.h"

namespace vantor {

namespace {

double ValueAt(int index) { return CircuitFractions[static_cast<size_t>(index)].Value; }

}  // namespace

int HuntIndex(int start, double x)
{
    // Beyond the ends (and for NaN, which compares false) the answer is the end itself.
    if (!(x >= ValueAt(0))) return 0;
    if (x >= ValueAt(kLastCircuitFraction)) return kLastCircuitFraction;

    // From here value(0) <= x < value(last); keep value(low) <= x < value(high).
    int low = 0;
    int high = kLastCircuitFraction;
    if (start >= 0 && start <= kLastCircuitFraction) {
        if (x == ValueAt(start)) return start;
        int step = 1;
        if (x > ValueAt(start)) {
            low = start;
            high = start + step;
            while (high < kLastCircuitFraction && ValueAt(high) <= x) {
                low = high;
                step *= 2;
                high = low + step;
            }
            if (high > kLastCircuitFraction) high = kLastCircuitFraction;
        } else {
            high = start;
            low = start - step;
            while (low > 0 && ValueAt(low) > x) {
                high = low;
                step *= 2;
                low = high - step;
            }
            if (low < 0) low = 0;
        }
    }
    while (high - low > 1) {
        const int middle = (low + high) / 2;
        if (ValueAt(middle) <= x)
            low = middle;
        else
            high = middle;
    }
    return low;
}

std::string_view CircuitFractionLabel(int index)
{
    if (index < 0 || index > kLastCircuitFraction) index = kHalfCircuitFraction;
    return CircuitFractions[static_cast<size_t>(index)].Label;
}

}  // namespace vantor
