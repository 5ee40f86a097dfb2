#pragma once

// The circuiting picture drawn from a coil's counts when the maker supplies none: the tubes
// seen from the coil's end, each circuit in its own colour with its return bends, the
// unlinked tubes hollow, and the counts written beside the tubes.

#include "geometry/circuit_layout.h"

#include <QImage>

namespace vantor {

// A picture height pixels high (at least 120).
QImage DrawCircuitPicture(const TCircuitLayout& layout, int height);

}  // namespace vantor
