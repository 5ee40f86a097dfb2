// Any bytes as a coil makers catalogue: every listed maker is found, its ranges have positive
// dimensions and valid codes, survive their catalogue line, build a finite geometry, and can
// be written back into the document and read again (when the name is well-formed XML text).

#include "geometry/catalogue_file.h"
#include "geometry/fin_and_tube.h"
#include "text/code_page.h"
#include "xml/xml_file.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

constexpr size_t kMakersChecked = 8;

void Check(bool condition)
{
    if (!condition) std::abort();
}

void CheckRange(const vantor::TMnfRec& range)
{
    using namespace vantor;
    for (double length : {range.id, range.od, range.sx, range.sy, range.t, range.finFactor, range.tubeFactor})
        Check(length > 0 && std::isfinite(length));
    Check(range.d >= 0 && range.d <= 255);
    Check(range.kind == kStaggered || range.kind == kInLine);
    Check(range.basis == kBasisTubesHigh || range.basis == kBasisRowsDeep);
    Check(range.name.size() <= kMaxNameLength && range.maker.size() <= kMaxNameLength);

    int tubeCode = 0;
    (void)ReadCatalogueLine(range.maker, CatalogueLine(range), tubeCode);

    TModelRec rec;
    ApplyMnfRec(range, rec);
    TFinAndTube geometry;
    geometry.SetModelRecord(rec);
    Check(std::isfinite(geometry.OutsideArea()) && std::isfinite(geometry.HydraulicDiameter()));
    Check(std::isfinite(geometry.ComputeWeight()));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace vantor;
    TXMLFile file;
    if (!file.LoadText(std::string_view(reinterpret_cast<const char*>(data), size))) return 0;
    const std::vector<std::string> names = ReadMakerNames(file);
    for (size_t i = 0; i < names.size() && i < kMakersChecked; ++i) {
        const std::optional<TMakerRanges> maker = ReadMaker(file, names[i]);
        Check(maker.has_value());
        for (const TMnfRec& range : maker->Ranges) CheckRange(range);
        WriteMaker(file, names[i], maker->Ranges);
        // A name that is not well-formed XML text is written with U+FFFD in place of each
        // fault, so it cannot be found again as it was read.
        if (CheckXmlText(names[i]) != TXmlTextFault::None) continue;
        const std::optional<TMakerRanges> again = ReadMaker(file, names[i]);
        Check(again && again->Ranges.size() == maker->Ranges.size());
    }
    return 0;
}
