#include "geometry/model_rec.h"

#include "geometry/designation.h"

#include <type_traits>
#include <variant>

namespace vantor {

namespace {

// A code outside count codes takes defaultCode; fields of other types have no codes.
template <typename T>
void KeepCode(T& code, int count, const T& defaultCode)
{
    if constexpr (std::is_integral_v<T> && !std::is_same_v<T, bool>) {
        if (static_cast<int>(code) < 0 || static_cast<int>(code) >= count) code = defaultCode;
    }
}

std::string_view CoilTypeName(int code)
{
    return code >= 0 && code < kCoilTypeCount ? CoilTypeCodes[static_cast<std::size_t>(code)].General
                                               : std::string_view();
}

std::string_view FinMaterialCode(int index) { return MaterialAt(index, kAluminium).Code; }
std::string_view TubeMaterialCode(int index) { return MaterialAt(index, kCopper).Code; }
std::string_view CasingMaterialCode(int index) { return MaterialAt(index, kGalvanisedIron).Code; }

constexpr int kMaterialCount = static_cast<int>(Materials.size());

}  // namespace

const std::array<TRecordField<TModelRec>, 25> ModelRecFields = {{
    {.Name = "Mnf", .Member = &TModelRec::Mnf, .StreamSlot = 1},
    {.Name = "Tube", .Member = &TModelRec::Tube, .StreamSlot = 3},
    {.Name = "Model", .Member = &TModelRec::Model, .StreamSlot = 2, .StreamSince = 3},
    {.Name = "Code", .Member = &TModelRec::Code, .Codes = kCoilTypeCount, .CodeAttribute = "caption",
     .CodeLabel = CoilTypeName, .StreamSlot = 4},
    {.Name = "fHeight", .Member = &TModelRec::fHeight, .Format = "%0.6g", .StreamSlot = 5, .SummarySlot = 1},
    {.Name = "fLength", .Member = &TModelRec::fLength, .Format = "%0.6g", .StreamSlot = 6, .SummarySlot = 2},
    {.Name = "Rows", .Member = &TModelRec::Rows, .Format = "%0.6g", .StreamSlot = 7, .SummarySlot = 3},
    {.Name = "fpi", .Member = &TModelRec::fpi, .Format = "%0.6g", .StreamSlot = 8, .SummarySlot = 4},
    {.Name = "Circ", .Member = &TModelRec::Circ, .Format = "%0.6g", .StreamSlot = 9, .SummarySlot = 5},
    {.Name = "cb", .Member = &TModelRec::cb, .Codes = kBasisRowsDeep + 1, .CodeAttribute = "text",
     .CodeLabel = CircuitBasisLabel, .StreamSlot = 10, .StreamSince = 2},
    {.Name = "Serp", .Member = &TModelRec::Serp, .Codes = kLastCircuitFraction + 1, .CodeAttribute = "caption",
     .CodeLabel = CircuitFractionLabel, .StreamSlot = 11},
    {.Name = "Sx", .Member = &TModelRec::Sx, .Format = "%0.7f", .StreamSlot = 12},
    {.Name = "Sy", .Member = &TModelRec::Sy, .Format = "%0.7f", .StreamSlot = 13},
    {.Name = "tp", .Member = &TModelRec::tp, .Codes = kInLine + 1, .CodeAttribute = "text",
     .CodeLabel = TubePatternLabel, .StreamSlot = 14},
    {.Name = "ID", .Member = &TModelRec::ID, .Format = "%0.7f", .StreamSlot = 15},
    {.Name = "OD", .Member = &TModelRec::OD, .Format = "%0.7f", .StreamSlot = 16},
    {.Name = "tf", .Member = &TModelRec::tf, .Format = "%0.7f", .StreamSlot = 17},
    {.Name = "fc", .Member = &TModelRec::fc, .Format = "%0.5f", .StreamSlot = 18},
    {.Name = "ft", .Member = &TModelRec::ft, .Format = "%0.5f", .StreamSlot = 19, .StreamSince = 3},
    {.Name = "Rifle", .Member = &TModelRec::Rifle, .StreamSlot = 20},
    {.Name = "Sections", .Member = &TModelRec::Sections, .StreamSlot = 21},
    {.Name = "Mf", .Member = &TModelRec::Mf, .Codes = kMaterialCount, .CodeAttribute = "caption",
     .CodeLabel = FinMaterialCode, .StreamSlot = 22},
    {.Name = "Mt", .Member = &TModelRec::Mt, .Codes = kMaterialCount, .CodeAttribute = "caption",
     .CodeLabel = TubeMaterialCode, .StreamSlot = 23},
    {.Name = "Mc", .Member = &TModelRec::Mc, .Codes = kMaterialCount, .CodeAttribute = "caption",
     .CodeLabel = CasingMaterialCode, .StreamSlot = 24},
    {.Name = "tc", .Member = &TModelRec::tc, .Format = "%0.5f", .StreamSlot = 25},
}};

TModelValues ModelValuesOf(const TModelRec& rec)
{
    return {rec.fHeight, rec.fLength, rec.Rows, rec.fpi, rec.Circ};
}

void SetModelValues(TModelRec& rec, const TModelValues& values)
{
    rec.fHeight = values.fHeight;
    rec.fLength = values.fLength;
    rec.Rows = values.Rows;
    rec.fpi = values.fpi;
    rec.Circ = values.Circ;
}

void RepairCodes(TModelRec& rec)
{
    const TModelRec defaults;
    for (const TRecordField<TModelRec>& field : ModelRecFields) {
        if (field.Codes == 0) continue;
        std::visit([&](auto member) { KeepCode(rec.*member, field.Codes, defaults.*member); }, field.Member);
    }
}

int TubeSizeNumber(int tubeCode)
{
    return tubeCode < 100 ? tubeCode : tubeCode - 100;
}

std::string_view CircuitBasisLabel(int basis)
{
    return basis == kBasisRowsDeep ? "Rows deep" : "Tubes high";
}

std::string_view ConnectionEndLabel(bool opposite)
{
    return opposite ? "Opposite" : "Same";
}

std::string_view TubePatternLabel(int pattern)
{
    return pattern == kInLine ? "In-line" : "Staggered";
}

}  // namespace vantor
