#include "locations/location_record.h"

#include "text/code_page.h"
#include "text/format.h"

#include <bit>
#include <cmath>
#include <utility>

namespace vantor {

namespace {

constexpr std::size_t kNameOffset = 8;
constexpr std::size_t kFirstValueOffset = 40;
constexpr std::size_t kValueCount = 11;

// The float fields in file order.
std::array<float*, kValueCount> Values(TLocationRecord& r)
{
    return {&r.Latitude,       &r.Longitude,      &r.TimeZone,  &r.Altitude,   &r.CoolingDryBulb, &r.CoolingWetBulb,
            &r.HeatingDryBulb, &r.WindSpeed,      &r.MaxDryBulb, &r.MinDryBulb, &r.DailyRange};
}

void PutWord(TLocationBytes& bytes, std::size_t offset, std::uint32_t word)
{
    for (std::size_t k = 0; k < 4; ++k) bytes[offset + k] = static_cast<std::uint8_t>(word >> (8 * k));
}

std::uint32_t GetWord(std::span<const std::uint8_t, kLocationRecordSize> bytes, std::size_t offset)
{
    std::uint32_t word = 0;
    for (std::size_t k = 0; k < 4; ++k) word |= static_cast<std::uint32_t>(bytes[offset + k]) << (8 * k);
    return word;
}

bool AllFinite(TLocationRecord& record)
{
    for (float* value : Values(record))
        if (!std::isfinite(*value)) return false;
    return true;
}

}  // namespace

TResult EncodeLocationRecord(const TLocationRecord& record, TLocationBytes& bytes)
{
    const std::optional<std::string> name = Utf8ToWindows1252(record.Name);
    if (!name) return TResult::Error(TErrorCode::Failed, "The place name \"" + record.Name + "\" holds characters Windows-1252 cannot write");
    if (name->size() > kPlaceNameMaxBytes)
        return TResult::Error(TErrorCode::Failed, Format("The place name \"%s\" is %d bytes long; at most %d fit",
                                        {record.Name, static_cast<int>(name->size()), static_cast<int>(kPlaceNameMaxBytes)}));
    TLocationRecord copy = record;
    if (!AllFinite(copy)) return TResult::Error(TErrorCode::Failed, "The place \"" + record.Name + "\" has a value that is not a number");

    bytes.fill(0);
    PutWord(bytes, 0, static_cast<std::uint32_t>(record.DatabaseCode));
    PutWord(bytes, 4, static_cast<std::uint32_t>(record.RegionCode));
    bytes[kNameOffset] = static_cast<std::uint8_t>(name->size());
    for (std::size_t k = 0; k < name->size(); ++k) bytes[kNameOffset + 1 + k] = static_cast<std::uint8_t>((*name)[k]);
    std::size_t offset = kFirstValueOffset;
    for (float* value : Values(copy)) {
        PutWord(bytes, offset, std::bit_cast<std::uint32_t>(*value));
        offset += 4;
    }
    return TResult::Ok();
}

TResult DecodeLocationRecord(std::span<const std::uint8_t, kLocationRecordSize> bytes, TLocationRecord& record)
{
    const std::size_t length = bytes[kNameOffset];
    if (length > kPlaceNameMaxBytes)
        return TResult::Error(TErrorCode::Failed, Format("its name length byte is %d, above the %d a name can hold",
                                        {static_cast<int>(length), static_cast<int>(kPlaceNameMaxBytes)}));
    TLocationRecord decoded;
    decoded.DatabaseCode = static_cast<std::int32_t>(GetWord(bytes, 0));
    decoded.RegionCode = static_cast<std::int32_t>(GetWord(bytes, 4));
    const std::string name(reinterpret_cast<const char*>(bytes.data() + kNameOffset + 1), length);
    decoded.Name = Windows1252ToUtf8(name);
    std::size_t offset = kFirstValueOffset;
    for (float* value : Values(decoded)) {
        *value = std::bit_cast<float>(GetWord(bytes, offset));
        offset += 4;
    }
    if (!AllFinite(decoded)) return TResult::Error(TErrorCode::Failed, "a value of the place \"" + decoded.Name + "\" is not a number");
    record = std::move(decoded);
    return TResult::Ok();
}

}  // namespace vantor
