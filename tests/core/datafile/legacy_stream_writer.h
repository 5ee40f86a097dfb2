#pragma once

// Writes the older data files for the tests, from the stream layout: one tag byte per value
// and its little-endian payload, raw records without a tag.

#include "geometry/model_rec.h"
#include "psychro/moist_air_state.h"

#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>

namespace vantor::test {

class TLegacyStreamWriter {
public:
    TLegacyStreamWriter& Tag(std::uint8_t tag) { return Byte(tag); }
    TLegacyStreamWriter& Byte(std::uint8_t value)
    {
        m_bytes.push_back(static_cast<char>(value));
        return *this;
    }
    TLegacyStreamWriter& Unsigned(std::uint64_t value, int count)
    {
        for (int i = 0; i < count; ++i) Byte(static_cast<std::uint8_t>(value >> (8 * i)));
        return *this;
    }
    TLegacyStreamWriter& Int8(std::int8_t v) { return Tag(2).Unsigned(static_cast<std::uint8_t>(v), 1); }
    TLegacyStreamWriter& Int16(std::int16_t v) { return Tag(3).Unsigned(static_cast<std::uint16_t>(v), 2); }
    TLegacyStreamWriter& Int32(std::int32_t v) { return Tag(4).Unsigned(static_cast<std::uint32_t>(v), 4); }
    TLegacyStreamWriter& Int64(std::int64_t v) { return Tag(19).Unsigned(static_cast<std::uint64_t>(v), 8); }
    TLegacyStreamWriter& ExtendedBits(std::uint64_t mantissa, std::uint16_t signExponent)
    {
        return Tag(5).Unsigned(mantissa, 8).Unsigned(signExponent, 2);
    }
    // Every double is exactly an extended value: 64-bit mantissa with its integer bit.
    TLegacyStreamWriter& Extended(double value)
    {
        const std::uint16_t sign = std::signbit(value) ? 0x8000 : 0;
        if (value == 0) return ExtendedBits(0, sign);
        int exponent = 0;
        const double fraction = std::frexp(std::fabs(value), &exponent);  // [0.5, 1)
        const auto mantissa = static_cast<std::uint64_t>(std::ldexp(fraction, 64));
        return ExtendedBits(mantissa, static_cast<std::uint16_t>(sign | (exponent + 16382)));
    }
    TLegacyStreamWriter& Double(double value) { return Tag(21).RawDouble(value); }
    TLegacyStreamWriter& Date(double days) { return Tag(17).RawDouble(days); }
    TLegacyStreamWriter& Bool(bool value) { return Tag(value ? 9 : 8); }
    TLegacyStreamWriter& ShortString(std::string_view bytes)
    {
        return Tag(6).Byte(static_cast<std::uint8_t>(bytes.size())).Raw(bytes);
    }
    TLegacyStreamWriter& LongString(std::string_view bytes)
    {
        return Tag(12).Unsigned(bytes.size(), 4).Raw(bytes);
    }
    TLegacyStreamWriter& WideString(std::u16string_view text)
    {
        Tag(18).Unsigned(text.size(), 4);
        for (char16_t unit : text) Unsigned(unit, 2);
        return *this;
    }
    TLegacyStreamWriter& Utf8String(std::string_view bytes) { return Tag(20).Unsigned(bytes.size(), 4).Raw(bytes); }
    TLegacyStreamWriter& Raw(std::string_view bytes)
    {
        m_bytes.append(bytes);
        return *this;
    }
    TLegacyStreamWriter& RawDouble(double value) { return Unsigned(std::bit_cast<std::uint64_t>(value), 8); }

    const std::string& Bytes() const { return m_bytes; }

private:
    std::string m_bytes;
};

// The oldest geometry: the packed 384-byte record.
inline std::string RawGeometryRecord(const TModelRec& rec)
{
    std::string bytes(384, '\0');
    const auto put = [&bytes](size_t offset, std::uint64_t value, int count) {
        for (int i = 0; i < count; ++i) bytes[offset + static_cast<size_t>(i)] = static_cast<char>(value >> (8 * i));
    };
    const auto putDouble = [&put](size_t offset, double value) { put(offset, std::bit_cast<std::uint64_t>(value), 8); };
    bytes[0] = static_cast<char>(rec.Mnf.size());
    bytes.replace(1, rec.Mnf.size(), rec.Mnf);
    put(256, rec.Tube, 1);
    putDouble(264, rec.fHeight);
    putDouble(272, rec.fLength);
    putDouble(280, rec.Rows);
    put(288, static_cast<std::uint32_t>(static_cast<std::int32_t>(rec.fpi)), 4);
    putDouble(296, rec.Circ);
    put(304, static_cast<std::uint32_t>(rec.Serp), 4);
    putDouble(312, rec.Sx);
    putDouble(320, rec.Sy);
    putDouble(328, rec.ID);
    putDouble(336, rec.OD);
    putDouble(344, rec.tf);
    putDouble(352, rec.fc);
    put(360, rec.Rifle ? 1 : 0, 1);
    put(364, static_cast<std::uint32_t>(rec.Sections), 4);
    put(368, rec.Mf, 1);
    put(369, rec.Mt, 1);
    put(370, rec.Mc, 1);
    putDouble(376, rec.tc);
    return bytes;
}

// The versioned geometry, version 1, 2 or 3 ("FAT 1.0.0.1" ...).
inline void WriteVersionedGeometry(TLegacyStreamWriter& w, const TModelRec& rec, int version)
{
    w.ShortString("FAT 1.0.0." + std::to_string(version)).ShortString(rec.Mnf);
    if (version >= 3) w.ShortString(rec.Model);
    w.Int8(static_cast<std::int8_t>(rec.Tube)).Int8(static_cast<std::int8_t>(rec.Code));
    w.Extended(rec.fHeight).Extended(rec.fLength).Extended(rec.Rows).Extended(rec.fpi).Extended(rec.Circ);
    if (version >= 2) w.Int8(static_cast<std::int8_t>(rec.cb));
    w.Int16(static_cast<std::int16_t>(rec.Serp)).Extended(rec.Sx).Extended(rec.Sy);
    w.Int8(static_cast<std::int8_t>(rec.tp));
    w.Extended(rec.ID).Extended(rec.OD).Extended(rec.tf).Extended(rec.fc);
    if (version >= 3) w.Extended(rec.ft);
    w.Bool(rec.Rifle).Int32(rec.Sections).Int8(static_cast<std::int8_t>(rec.Mf));
    w.Int8(static_cast<std::int8_t>(rec.Mt)).Int8(static_cast<std::int8_t>(rec.Mc)).Extended(rec.tc);
}

inline std::string AirStateRecord(const TMoistAirState& state)
{
    TLegacyStreamWriter w;
    for (double field : std::bit_cast<std::array<double, 15>>(state)) w.RawDouble(field);
    return w.Bytes();
}

// The values of one whole legacy data file.
struct TLegacyFile {
    std::string Signature = "Vantor 1.1.0.0 DataFile";
    std::string ProjectName = "Riverside Clinic";
    std::string ProjectNumber = "P-1187";
    std::string Description = "AHU 3 reheat\r\nwinter case";
    std::string Author = "J. Marsh";
    std::string Company = "Korvane";
    double Date = 41274;  // 31 December 2012
    double Qt = 48.25;
    double Qs = 47.5;
    TModelRec Geometry;
    int GeometryVersion = 3;  // 0: the raw record
    TMoistAirState AirOn;
    TMoistAirState AirOff;
    double AirMassFlow = 1.2;
    double LiquidMean = 75;
    double LiquidIn = 80;
    double LiquidOut = 70;
    std::string LiquidName = "Water";
    double LiquidFlow = 1.1;
    double UserCp = 3.9, UserRo = 1010, UserKo = 0.0005, UserMu = 0.0009;
    int LiquidSpec = 0;
    int WaterAdditive = 1;
    double AdditiveVolume = 0.3;
    double StateIn = 82;
    double StateOut = 71;
    double StateFlow = 1.25;
    int Control = 0;
};

inline std::string LegacyFileBytes(const TLegacyFile& f)
{
    TLegacyStreamWriter w;
    w.ShortString(f.Signature);
    w.ShortString(f.ProjectName).ShortString(f.ProjectNumber).LongString(f.Description);
    w.ShortString(f.Author).ShortString(f.Company).Date(f.Date);
    w.Extended(f.Qt).Extended(f.Qs);
    if (f.GeometryVersion == 0)
        w.Raw(RawGeometryRecord(f.Geometry));
    else
        WriteVersionedGeometry(w, f.Geometry, f.GeometryVersion);
    w.Raw(AirStateRecord(f.AirOn)).Raw(AirStateRecord(f.AirOff)).Extended(f.AirMassFlow);
    w.Extended(f.LiquidMean).Extended(f.LiquidIn).Extended(f.LiquidOut).ShortString(f.LiquidName);
    // Properties the reader recomputes: written as a reader would find them in an old file.
    w.Extended(f.LiquidFlow).Extended(4.19).Extended(975).Extended(0.00066).Extended(0.00038).Extended(2.4);
    w.Extended(f.UserCp).Extended(f.UserRo).Extended(f.UserKo).Extended(f.UserMu);
    w.Int8(static_cast<std::int8_t>(f.LiquidSpec)).Int8(static_cast<std::int8_t>(f.WaterAdditive));
    w.Extended(f.AdditiveVolume);
    w.Extended(f.StateIn).Extended(f.StateOut).Extended(f.StateFlow).Int32(f.Control);
    return w.Bytes();
}

}  // namespace vantor::test
