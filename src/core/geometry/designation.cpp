#include "geometry/designation.h"

#include "text/format.h"
#include "text/line_parser.h"
#include "text/text_routines.h"

#include <array>
#include <bit>
#include <cmath>
#include <cstdint>

namespace vantor {

namespace {

struct TValueRule {
    double TModelValues::*Field;
    double Scale;  // text units to stored units
    double Low;
    double High;
    int Error;
};

// In the order the values stand in the text.
constexpr std::array<TValueRule, 5> kValueRules{{
    {&TModelValues::fHeight, 0.001, 0.00625, 25, kDesignationHeightOutOfRange},
    {&TModelValues::fLength, 0.001, 0.1, 50, kDesignationLengthOutOfRange},
    {&TModelValues::Rows, 1, 1, 20, kDesignationRowsOutOfRange},
    {&TModelValues::fpi, 1, 0, 30, kDesignationFinsOutOfRange},
    {&TModelValues::Circ, 1, 1, 1600, kDesignationCircuitsOutOfRange},
}};

constexpr double kMillimetresPerInch = 25.4;

const TCoilTypeCodes& TypeCodesOf(int code)
{
    if (code < 0 || code >= kCoilTypeCount) code = kHotWaterCoil;
    return CoilTypeCodes[static_cast<size_t>(code)];
}

std::string_view MaterialCode(int index, int defaultIndex)
{
    return MaterialAt(index, defaultIndex).Code;
}

// Recoil prints the tube diameter in tenths of a millimetre.
int TubeTenthsOfMillimetre(int tubeCode)
{
    if (tubeCode < 100) return static_cast<int>(std::nearbyint(tubeCode * 254.0 / 8.0));
    return (tubeCode - 100) * 10;
}

}  // namespace

std::string_view DesignationErrorText(int code)
{
    switch (code) {
    case kDesignationOk: return "";
    case kDesignationTooFewNumbers: return "fewer than five readable numbers";
    case kDesignationFinsOutOfRange: return "fins per inch outside 0 to 30";
    case kDesignationHeightOutOfRange: return "finned height outside 6.25 to 25000 mm";
    case kDesignationLengthOutOfRange: return "finned length outside 100 to 50000 mm";
    case kDesignationRowsOutOfRange: return "rows outside 1 to 20";
    case kDesignationCircuitsOutOfRange: return "circuits outside 1 to 1600";
    case kDesignationMoreCircuitsThanTubes: return "more circuits than tubes";
    default: return "unknown designation error";
    }
}

int ParseDesignation(std::string_view text, TModelValues& values)
{
    const TModelValues incoming = values;
    TLineParser parser;
    parser.SetDelimiters(" ()-/Xcfrx");
    parser.SetText(text);
    int error = kDesignationOk;
    for (const TValueRule& rule : kValueRules) {
        const double number = parser.NextFloat();
        if (parser.TakeStatus() != TLineParser::StatusOk) {
            values = incoming;
            return kDesignationTooFewNumbers;
        }
        const double value = number * rule.Scale;
        values.*rule.Field = value;
        if (!(value >= rule.Low && value <= rule.High)) error = rule.Error;
    }
    return error;
}

std::string FormatDesignation(const TModelValues& values)
{
    // A coil's designation is asked for again and again while its values stay (every refresh
    // of the rows, every line of a schedule on the same coil): the last one is kept per
    // thread, matched bit for bit so that -0 and 0 stay apart.
    struct TLast {
        std::array<std::uint64_t, 5> Bits{};
        std::string Text;
        bool Made = false;
    };
    thread_local TLast last;
    const std::array<std::uint64_t, 5> bits = {
        std::bit_cast<std::uint64_t>(values.fHeight), std::bit_cast<std::uint64_t>(values.fLength),
        std::bit_cast<std::uint64_t>(values.Rows), std::bit_cast<std::uint64_t>(values.fpi),
        std::bit_cast<std::uint64_t>(values.Circ)};
    if (!last.Made || last.Bits != bits) {
        last.Text = Format("%0.6g x %0.6g  %0.4gr  %0.6gf  %0.4gc",
                           {values.fHeight * 1000, values.fLength * 1000, values.Rows, values.fpi, values.Circ});
        last.Bits = bits;
        last.Made = true;
    }
    return last.Text;
}

std::string MakerDesignation(const TModelRec& rec)
{
    const double tubesHigh = rec.Sy > 0 ? rec.fHeight / rec.Sy : 0;
    const double finPitchMm = rec.fpi > 0 ? kMillimetresPerInch / rec.fpi : 0;
    const double heightInches = rec.fHeight * 1000 / kMillimetresPerInch;
    const double lengthMm = rec.fLength * 1000;
    const TModelRec defaults;

    if (SameText(rec.Mnf, "GEA"))
        return Format("%0.0fT %0.1fNR %0.0fA %0.0fP %0.0fNC",
                      {tubesHigh, rec.Rows, lengthMm, finPitchMm, rec.Circ});
    if (SameText(rec.Mnf, "BAC"))
        return Format("%0.0f - %0.0f - %0.1f / %0.4g - %0.0fc",
                      {tubesHigh, rec.fLength * 100, rec.Rows, finPitchMm, rec.Circ});
    if (SameText(rec.Mnf, "HC"))
        return Format("%d %s %0.0f x %0.0f x %0.1fr x %0.2ff - %0.4gc (%s/%s/%s)",
                      {TubeSizeNumber(rec.Tube), TypeCodesOf(rec.Code).HC, heightInches, lengthMm,
                       rec.Rows, rec.fpi, rec.Circ, MaterialCode(rec.Mt, defaults.Mt),
                       MaterialCode(rec.Mf, defaults.Mf), MaterialCode(rec.Mc, defaults.Mc)});
    if (SameText(rec.Mnf, "Recoil"))
        return Format("%s  %3.3d%2.0f / %0.0f / %2.1f / %2.2f / %4.0f %s/%s (%0.4g)",
                      {TypeCodesOf(rec.Code).General, TubeTenthsOfMillimetre(rec.Tube), rec.Sx * 1000,
                       tubesHigh, rec.Rows, rec.fpi, lengthMm, MaterialCode(rec.Mf, defaults.Mf),
                       MaterialCode(rec.Mc, defaults.Mc), rec.Circ});
    if (SameText(rec.Mnf, "Enviroware"))
        return Format("ENV%d  %0.0f\" x %0.0fmm x %0.1fr x %0.2ff - %0.4gc",
                      {TubeSizeNumber(rec.Tube), heightInches, lengthMm, rec.Rows, rec.fpi, rec.Circ});
    return {};
}

}  // namespace vantor
