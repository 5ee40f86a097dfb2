#include "fluids/psx_file.h"

#include "psychro/saturation.h"
#include "text/file_io.h"
#include "text/number_text.h"

#include <array>
#include <bit>
#include <cmath>
#include <cstdint>

namespace vantor {

namespace {

// The record's fields in file order.
constexpr std::array<double TMoistAirState::*, 15> kFields{
    &TMoistAirState::P,  &TMoistAirState::db, &TMoistAirState::wb, &TMoistAirState::h,      &TMoistAirState::W,
    &TMoistAirState::RH, &TMoistAirState::td, &TMoistAirState::pv, &TMoistAirState::ps,     &TMoistAirState::ro,
    &TMoistAirState::cp, &TMoistAirState::Status, &TMoistAirState::k, &TMoistAirState::mu, &TMoistAirState::M,
};
static_assert(kFields.size() * sizeof(double) == kPsxFileSize);

struct TFieldRange {
    double TMoistAirState::*Field;
    std::string_view Name;
    std::string_view Unit;
    double Min;
    double Max;
};

// Temperatures within the library's saturation range, a barometer up to a hundred
// atmospheres; the derived properties only within a bound far beyond any moist air, which
// keeps numbers hundreds of digits long out of the windows. The status is the library's code.
constexpr double kAnyProperty = 1e9;
constexpr std::array<TFieldRange, 14> kRanges{{
    {&TMoistAirState::P, "barometer", "kPa", 0.001, 1.0e4},
    {&TMoistAirState::db, "dry bulb", "°C", kSaturationMinTemperature, kSaturationMaxTemperature},
    {&TMoistAirState::wb, "wet bulb", "°C", kSaturationMinTemperature, kSaturationMaxTemperature},
    {&TMoistAirState::td, "dew point", "°C", kSaturationMinTemperature, kSaturationMaxTemperature},
    {&TMoistAirState::h, "enthalpy", "kJ/kg", -kAnyProperty, kAnyProperty},
    {&TMoistAirState::W, "moisture content", "kg/kg", -kAnyProperty, kAnyProperty},
    {&TMoistAirState::RH, "relative humidity", "", -kAnyProperty, kAnyProperty},
    {&TMoistAirState::pv, "vapour pressure", "kPa", -kAnyProperty, kAnyProperty},
    {&TMoistAirState::ps, "saturation pressure", "kPa", -kAnyProperty, kAnyProperty},
    {&TMoistAirState::ro, "density", "kg/m³", -kAnyProperty, kAnyProperty},
    {&TMoistAirState::cp, "specific heat", "kJ/(kg·K)", -kAnyProperty, kAnyProperty},
    {&TMoistAirState::k, "conductivity", "kW/(m·K)", -kAnyProperty, kAnyProperty},
    {&TMoistAirState::mu, "viscosity", "Pa·s", -kAnyProperty, kAnyProperty},
    {&TMoistAirState::M, "air mass flow", "kg/s", -kAnyProperty, kAnyProperty},
}};

std::string WithUnit(double value, std::string_view unit)
{
    return unit.empty() ? FormatShortest(value) : FormatShortest(value) + " " + std::string(unit);
}

// Little-endian bytes whatever the machine's own order.
void PutDouble(std::string& out, double value)
{
    const auto bits = std::bit_cast<std::uint64_t>(value);
    for (int i = 0; i < 8; ++i) out.push_back(static_cast<char>((bits >> (8 * i)) & 0xFFu));
}

double GetDouble(std::string_view bytes, std::size_t at)
{
    std::uint64_t bits = 0;
    for (std::size_t i = 0; i < 8; ++i)
        bits |= static_cast<std::uint64_t>(static_cast<unsigned char>(bytes[at + i])) << (8 * i);
    return std::bit_cast<double>(bits);
}

}  // namespace

std::string EncodePsx(const TMoistAirState& state)
{
    std::string bytes;
    bytes.reserve(kPsxFileSize);
    for (const auto field : kFields) PutDouble(bytes, state.*field);
    return bytes;
}

std::optional<TMoistAirState> DecodePsx(std::string_view bytes)
{
    if (bytes.size() != kPsxFileSize) return std::nullopt;
    TMoistAirState state;
    for (std::size_t i = 0; i < kFields.size(); ++i) {
        const double value = GetDouble(bytes, i * sizeof(double));
        if (!std::isfinite(value)) return std::nullopt;
        state.*kFields[i] = value;
    }
    return state;
}

std::string PsxRangeProblem(const TMoistAirState& state)
{
    for (const TFieldRange& range : kRanges) {
        const double value = state.*range.Field;
        if (value >= range.Min && value <= range.Max) continue;
        return std::string(range.Name) + " " + WithUnit(value, range.Unit) + " is outside " + FormatShortest(range.Min) +
               " to " + WithUnit(range.Max, range.Unit);
    }
    return {};
}

TResult ReadPsxFile(const std::filesystem::path& path, TMoistAirState& state)
{
    // Anything larger than a state file is refused before it is read whole.
    const std::optional<std::string> bytes = ReadFileText(path, kPsxFileSize + 1);
    const std::optional<TMoistAirState> read = bytes ? DecodePsx(*bytes) : std::nullopt;
    const std::string refused = std::string(kPsxReadError) + path.string();
    if (!read) return TResult::Error(TErrorCode::Failed, refused);
    if (const std::string problem = PsxRangeProblem(*read); !problem.empty())
        return TResult::Error(TErrorCode::Failed, refused + ": " + problem);
    state = *read;
    return TResult::Ok();
}

TResult WritePsxFile(const std::filesystem::path& path, const TMoistAirState& state)
{
    return WriteFileAtomically(path, EncodePsx(state));
}

}  // namespace vantor
