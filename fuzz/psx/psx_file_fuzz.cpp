// Arbitrary bytes as a moist-air state file: reading never crashes, anything accepted holds
// finite numbers only, and writing it back gives the very bytes read.

#include "fluids/psx_file.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::optional<vantor::TMoistAirState> state = vantor::DecodePsx(bytes);
    if (!state) return 0;
    if (size != vantor::kPsxFileSize) std::abort();
    const vantor::TMoistAirState& s = *state;
    for (const double field : {s.P, s.db, s.wb, s.h, s.W, s.RH, s.td, s.pv, s.ps, s.ro, s.cp, s.Status, s.k, s.mu, s.M})
        if (!std::isfinite(field)) std::abort();
    if (vantor::EncodePsx(*state) != bytes) std::abort();
    return 0;
}
