// Any bytes as a calibration file: five finite, positive factors that the writer turns back
// into the very same bytes, or a refusal that leaves the factors as they were and says why.

#include "calibration/calibration_file.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace vantor;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    TCalibrationFactors factors;
    factors.Duty = 7;  // a value no accepted file is needed to hold
    const TResult result = ReadCalibrationBytes(bytes, factors);
    if (!result) {
        if (result.Code != crRefused || result.Message.empty()) std::abort();
        if (factors.Duty != 7) std::abort();
        return 0;
    }
    if (size != kCalibrationFileSize) std::abort();
    for (int i = 0; i < kCalibrationFactorCount; ++i) {
        const double value = FactorOf(factors, static_cast<TCalibrationFactor>(i));
        if (!std::isfinite(value) || value <= 0) std::abort();
    }
    if (CalibrationBytes(factors) != bytes) std::abort();
    return 0;
}
