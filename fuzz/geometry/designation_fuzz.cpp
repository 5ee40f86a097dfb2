// Any text given as a coil designation: the parse returns one of its codes, leaves the values
// alone when it cannot read five numbers, and an accepted designation reads back from its
// standard form; the geometry built from it stays finite.

#include "geometry/designation.h"
#include "geometry/fin_and_tube.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

bool SameValues(const vantor::TModelValues& a, const vantor::TModelValues& b)
{
    return a.fHeight == b.fHeight && a.fLength == b.fLength && a.Rows == b.Rows && a.fpi == b.fpi && a.Circ == b.Circ;
}

void Check(bool condition)
{
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace vantor;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const TModelValues before{0.5334, 0.74, 4, 10, 7};
    TModelValues values = before;
    const int code = ParseDesignation(text, values);
    Check(code == 0 || code == 1 || code == 2 || (code >= 5 && code <= 8));
    if (code == kDesignationTooFewNumbers) Check(SameValues(values, before));

    TFinAndTube geometry;
    geometry.SetDesignation(text);
    // An accepted designation may still describe no coil (a height below half a tube pitch,
    // more circuits than tubes).
    const int geometryError = geometry.TakeError();
    Check(code == kDesignationOk ? geometryError == 0 || geometryError == TFinAndTube::kComputationFailed ||
                                       geometryError == kDesignationMoreCircuitsThanTubes
                                 : geometryError == code);
    Check(std::isfinite(geometry.OutsideArea()) && std::isfinite(geometry.SurfaceEfficiency()));
    Check(std::isfinite(geometry.ComputeWeight()));

    if (code == kDesignationOk) {
        TModelValues again = before;
        Check(ParseDesignation(FormatDesignation(values), again) == kDesignationOk);
    }
    (void)MakerDesignation(geometry.ModelRecord());
    return 0;
}
