#include "fluids/psx_file.h"

#include "text/file_io.h"

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

TResult ReadPsxFile(const std::filesystem::path& path, TMoistAirState& state)
{
    // Anything larger than a state file is refused before it is read whole.
    const std::optional<std::string> bytes = ReadFileText(path, kPsxFileSize + 1);
    const std::optional<TMoistAirState> read = bytes ? DecodePsx(*bytes) : std::nullopt;
    if (!read) return TResult::Error(TErrorCode::Failed, std::string(kPsxReadError) + path.string());
    state = *read;
    return TResult::Ok();
}

TResult WritePsxFile(const std::filesystem::path& path, const TMoistAirState& state)
{
    return WriteFileAtomically(path, EncodePsx(state));
}

}  // namespace vantor
