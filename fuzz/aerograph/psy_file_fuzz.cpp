// Any bytes as a chart file: a refused file leaves what was held untouched, and an accepted
// one keeps the promises the chart relies on (a barometer it can compute with, increasing
// ranges, every process joining nodes the file holds).

#include "aerograph/psy_file.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace vantor;
    TPsyFile file;
    file.Nodes.push_back({"Held", "", 20, 15, ""});
    const TResult parsed = ParsePsyText(std::string_view(reinterpret_cast<const char*>(data), size), file);
    if (!parsed) {
        if (parsed.Message.empty() || file.Nodes.size() != 1 || file.Nodes.front().Name != "Held") std::abort();
        return 0;
    }
    if (!(file.Barometer >= 10 && file.Barometer <= 200)) std::abort();
    const TPsyRanges& r = file.Ranges;
    if (!(r.DryBulbMin < r.DryBulbMax) || !(r.MoistureMin < r.MoistureMax)) std::abort();
    for (const TPsyProcessLine& process : file.Processes)
        if (!file.FindNode(process.FromNode) || !file.FindNode(process.ToNode)) std::abort();
    return 0;
}
