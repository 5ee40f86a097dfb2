#include "units/number_format.h"

#include "text/format.h"
#include "text/number_text.h"
#include "text/text_routines.h"
#include "units/unit_tables.h"

#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <functional>

namespace vantor {

namespace {

bool HasAnyOf(std::string_view format, std::string_view letters)
{
    return format.find_first_of(letters) != std::string_view::npos;
}

// Half a per cent beyond a non-zero limit still counts as within it, so a value typed in
// another unit and rounded for display is not pushed back to the limit.
constexpr double kRangeTolerance = 0.005;

}  // namespace

bool IsTextFormat(std::string_view format) { return HasAnyOf(format, "sS"); }
bool IsPairFormat(std::string_view format) { return HasAnyOf(format, "/"); }
bool IsIntegerFormat(std::string_view format) { return HasAnyOf(format, "dD"); }
bool IsRealFormat(std::string_view format) { return HasAnyOf(format, "fFgG"); }
bool IsGeneralFormat(std::string_view format) { return HasAnyOf(format, "gG"); }

std::string_view FirstOfPairFormat(std::string_view format) { return format.substr(0, format.find('/')); }

double TNumberFormat::ToDisplay(double stored) const { return vantor::ToDisplay(Offset, Factor, stored); }

double TNumberFormat::FromDisplay(double display) const { return vantor::FromDisplay(Offset, Factor, display); }

std::string TNumberFormat::UnitLabel() const { return vantor::UnitLabel(UnitsType, UnitsValue); }

bool TNumberFormat::ApplyUnitInfo(std::string& formatStr)
{
    const auto info = UnitInfo(UnitsType, UnitsValue, UnitsBase);
    if (!info) return false;
    if (UnitsType != utNone) {
        Factor = info->Factor;
        Offset = info->Offset;
        if (FormatType != ft_Manual) formatStr = info->Format;
    }
    return true;
}

bool TNumberFormat::CheckRange(double& display) const
{
    const double lo = DisplayRangeLo();
    const double hi = DisplayRangeHi();
    if (std::fabs(lo - hi) < 1e-5 || (lo == 0 && hi == 0)) return true;
    if (display < lo && (lo == 0 || std::fabs((lo - display) / lo) > kRangeTolerance)) {
        display = lo;
        return false;
    }
    if (display > hi && (hi == 0 || std::fabs((display - hi) / hi) > kRangeTolerance)) {
        display = hi;
        return false;
    }
    return true;
}

namespace {

// The rows of a document show the same few numbers again after every edit and solve: the
// texts made last are kept per thread, a few a slot, found by everything the text depends on
// (the value matched bit for bit, so -0 and 0 stay apart).
class TShownTexts {
public:
    template <typename Make>
    const std::string& Find(std::string_view format, double value, int type, int digits, Make make)
    {
        const std::uint64_t bits = std::bit_cast<std::uint64_t>(value);
        const size_t hash = std::hash<std::string_view>()(format) ^ (bits * 0x9E3779B97F4A7C15ull) ^
                            (static_cast<size_t>(type) << 8) ^ static_cast<size_t>(digits);
        TEntry& entry = m_entries[(hash ^ (hash >> 29)) % m_entries.size()];
        if (!entry.Made || entry.Bits != bits || entry.Type != type || entry.Digits != digits || entry.Format != format) {
            entry.Text = make();
            entry.Format = format;
            entry.Bits = bits;
            entry.Type = type;
            entry.Digits = digits;
            entry.Made = true;
        }
        return entry.Text;
    }

private:
    struct TEntry {
        std::string Format;
        std::uint64_t Bits = 0;
        int Type = 0;
        int Digits = 0;
        std::string Text;
        bool Made = false;
    };
    std::array<TEntry, 64> m_entries;
};

}  // namespace

std::string TNumberFormat::DisplayText(std::string_view formatStr, double display) const
{
    thread_local TShownTexts shown;
    return shown.Find(formatStr, display, static_cast<int>(FormatType), SigDigs, [&] { return MakeDisplayText(formatStr, display); });
}

std::string TNumberFormat::MakeDisplayText(std::string_view formatStr, double display) const
{
    if (IsIntegerFormat(formatStr)) return FormatFloat(formatStr, std::round(display));
    if (!IsRealFormat(formatStr)) return {};
    const bool bySignificantDigits =
        FormatType == ft_Auto ||
        (FormatType == ft_AutoOverride && std::pow(10.0, 2 - DecimalsOf(formatStr)) > display);
    if (bySignificantDigits) return FormatFloat(SigDigitFormat(SigDigs, 12, display), display);
    return FormatFloat(formatStr, display);
}

std::string TNumberFormat::StoredText(std::string_view formatStr, double stored) const
{
    return DisplayText(formatStr, ToDisplay(stored));
}

double TNumberFormat::ReadStored(std::string_view text) const
{
    const double stored = FromDisplay(StrToFloat(CleanNumberText(text)));
    if (!std::isfinite(stored)) throw EConvertError("'" + std::string(text) + "' is not a valid floating point value");
    return stored;
}

std::string TNumberFormat::StoredPairText(std::string_view pairFormat, std::string_view storedPair) const
{
    double a = 0;
    double b = 0;
    if (!SplitPair(storedPair, a, b)) return FormatFloat(FirstOfPairFormat(pairFormat), ToDisplay(a));
    return Format(pairFormat, {ToDisplay(a), ToDisplay(b)});
}

std::string TNumberFormat::ReadStoredPair(std::string_view pairFormat, std::string_view text) const
{
    double a = 0;
    double b = 0;
    const bool pair = SplitPair(text.empty() ? std::string_view("0.0/0.0") : text, a, b);
    a = FromDisplay(a);
    b = FromDisplay(b);
    if (!std::isfinite(a) || !std::isfinite(b))
        throw EConvertError("'" + std::string(text) + "' is not a valid pair of numbers");
    // Without a conversion the display decimals say all there is; through one (°F shown, °C
    // stored) ten significant digits keep a value typed in the display unit exact on its way
    // back.
    const bool converted = Factor != 1.0 || Offset != 0.0;
    if (!pair) return FormatFloat(converted ? "%0.10g" : "%0.04g", a);
    if (converted) return Format("%0.10g/%0.10g", {a, b});
    return Format(pairFormat, {a, b});
}

}  // namespace vantor
