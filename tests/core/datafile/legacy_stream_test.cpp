#include "datafile/legacy_stream.h"

#include "legacy_stream_writer.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>

namespace vantor {
namespace {

using test::TLegacyStreamWriter;

double DecodeBits(std::uint64_t mantissa, std::uint16_t signExponent)
{
    TLegacyStreamWriter w;
    w.Unsigned(mantissa, 8).Unsigned(signExponent, 2);
    std::array<std::uint8_t, 10> bytes{};
    for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(w.Bytes()[i]);
    return DecodeExtended(bytes);
}

constexpr std::uint64_t kOne = std::uint64_t{1} << 63;
constexpr std::uint16_t kBias = 16383;

TEST(ExtendedFloat, EveryDoubleComesBackExactly)
{
    const double values[] = {1.0, -2.5, 0.1, M_PI, 1e-300, -123456.789, DBL_MAX, DBL_MIN,
                             std::numeric_limits<double>::denorm_min(), 3 * std::numeric_limits<double>::denorm_min()};
    for (double value : values) {
        TLegacyStreamWriter w;
        w.Extended(value);
        TLegacyStream stream(w.Bytes());
        EXPECT_EQ(stream.ReadFloat(), value);
    }
    EXPECT_TRUE(std::signbit(DecodeBits(0, 0x8000)));
}

TEST(ExtendedFloat, ExtraMantissaBitsRoundToNearestThenEven)
{
    // The eleven bits below a double's 53 hold half an ulp at 1 << 10.
    const double ulp = std::ldexp(1.0, -52);
    EXPECT_EQ(DecodeBits(kOne | (1u << 10), kBias), 1.0) << "tie to the even 1.0";
    EXPECT_EQ(DecodeBits(kOne | (1u << 11) | (1u << 10), kBias), 1.0 + 2 * ulp) << "tie away from odd";
    EXPECT_EQ(DecodeBits(kOne | (1u << 10) | 1u, kBias), 1.0 + ulp) << "just above half";
    EXPECT_EQ(DecodeBits(kOne | ((1u << 10) - 1), kBias), 1.0) << "just below half";
    EXPECT_EQ(DecodeBits(~std::uint64_t{0}, kBias), 2.0) << "carry into the next power";
    // Extended pi (0x4000 C90FDAA22168C235) is the double pi after rounding.
    EXPECT_EQ(DecodeBits(0xC90FDAA22168C235, 0x4000), M_PI);
}

TEST(ExtendedFloat, RangeEnds)
{
    const double tiny = std::numeric_limits<double>::denorm_min();
    EXPECT_EQ(DecodeBits(kOne, kBias - 1075), 0.0) << "half the smallest subnormal ties to zero";
    EXPECT_EQ(DecodeBits(kOne | (kOne >> 1), kBias - 1075), tiny) << "above half rounds up";
    EXPECT_EQ(DecodeBits(kOne, kBias - 1076), 0.0);
    EXPECT_EQ(DecodeBits(kOne | (kOne >> 1), kBias - 1074), 2 * tiny) << "1.5 subnormal steps tie to even";
    EXPECT_EQ(DecodeBits(kOne, 1), 0.0) << "the smallest normal extended";
    EXPECT_EQ(DecodeBits(kOne, kBias + 1024), std::numeric_limits<double>::infinity());
    EXPECT_EQ(DecodeBits(~std::uint64_t{0}, kBias + 1023), std::numeric_limits<double>::infinity())
        << "rounds past the largest double";
    EXPECT_TRUE(std::isinf(DecodeBits(0, 0x7FFF)));
    EXPECT_TRUE(std::isinf(DecodeBits(kOne | 1, 0xFFFF)));
}

TEST(LegacyStream, NumbersByTag)
{
    TLegacyStreamWriter w;
    w.Int8(-5).Int16(-300).Int32(-70000).Int64(1).Double(2.5).Int8(7).Int64(-9).Date(41274.75).Int16(40000 - 65536);
    TLegacyStream s(w.Bytes());
    EXPECT_EQ(s.ReadInteger(), -5);
    EXPECT_EQ(s.ReadInteger(), -300);
    EXPECT_EQ(s.ReadInteger(), -70000);
    EXPECT_EQ(s.ReadFloat(), 1.0) << "a float read takes an 8-byte integer";
    EXPECT_EQ(s.ReadFloat(), 2.5);
    EXPECT_EQ(s.ReadFloat(), 7.0);
    EXPECT_EQ(s.ReadDate(), -9.0);
    EXPECT_EQ(s.ReadDate(), 41274.75);
    EXPECT_EQ(s.ReadInteger(), 40000 - 65536);
    EXPECT_EQ(s.Remaining(), 0u);
    const std::string wideBytes = TLegacyStreamWriter().Int64(1).Bytes();
    TLegacyStream wide(wideBytes);
    EXPECT_THROW(wide.ReadInteger(), ELegacyStreamError) << "an integer read does not";
}

TEST(LegacyStream, WrongTagsAndShortPayloadsFail)
{
    const auto fails = [](const TLegacyStreamWriter& w, auto read) {
        TLegacyStream s(w.Bytes());
        EXPECT_THROW(read(s), ELegacyStreamError);
    };
    const auto integer = [](TLegacyStream& s) { return s.ReadInteger(); };
    const auto number = [](TLegacyStream& s) { return s.ReadFloat(); };
    const auto boolean = [](TLegacyStream& s) { return s.ReadBool(); };
    fails(TLegacyStreamWriter().ShortString("x"), integer);
    fails(TLegacyStreamWriter().ShortString("x"), number);
    fails(TLegacyStreamWriter().Int8(1), boolean);  // its payload would be read as what follows
    fails(TLegacyStreamWriter().Double(std::nan("")), number);
    fails(TLegacyStreamWriter().Extended(0).Raw("").Tag(5).Unsigned(0, 8).Unsigned(0x7FFF, 2), [](TLegacyStream& s) {
        s.ReadFloat();
        return s.ReadFloat();
    });
    fails(TLegacyStreamWriter().Tag(4).Byte(1), integer);
    fails(TLegacyStreamWriter().Tag(5).Unsigned(0, 8), number);
    fails(TLegacyStreamWriter().Tag(17).Unsigned(0, 4), [](TLegacyStream& s) { return s.ReadDate(); });

    const std::string bytes = TLegacyStreamWriter().Int8(3).Bytes();
    TLegacyStream s(bytes);
    EXPECT_THROW(s.ReadRaw(3), ELegacyStreamError);
    EXPECT_THROW((void)s.PeekRaw(3), ELegacyStreamError);
    EXPECT_EQ(s.PeekRaw(2), "\x02\x03");
    EXPECT_EQ(s.Remaining(), 2u);
}

TEST(LegacyStream, StringsBecomeUtf8)
{
    TLegacyStreamWriter w;
    w.ShortString("Caf\xE9 \x80 \x9D").LongString("\x93quoted\x94").Utf8String("ok \xC3\xA9 bad \xC3 \xED\xA0\x80");
    w.WideString(u"\u00e9 \U0001F600 \xD800x");
    TLegacyStream s(w.Bytes());
    EXPECT_EQ(s.ReadString(), "Caf\u00e9 \u20ac \u009d");
    EXPECT_EQ(s.ReadString(), "\u201cquoted\u201d");
    EXPECT_EQ(s.ReadString(), "ok \u00e9 bad \ufffd \ufffd\ufffd\ufffd") << "broken and surrogate sequences";
    EXPECT_EQ(s.ReadString(), "\u00e9 \U0001F600 \ufffdx");
}

TEST(LegacyStream, LengthsAreNeverTrusted)
{
    const auto fails = [](const TLegacyStreamWriter& w) {
        TLegacyStream s(w.Bytes());
        EXPECT_THROW(s.ReadString(), ELegacyStreamError);
    };
    fails(TLegacyStreamWriter().Tag(12).Unsigned(0xFFFFFFFF, 4).Raw("abc"));  // -1
    fails(TLegacyStreamWriter().Tag(12).Unsigned(0x7FFFFFFF, 4).Raw("abc"));
    fails(TLegacyStreamWriter().Tag(20).Unsigned(4, 4).Raw("abc"));
    fails(TLegacyStreamWriter().Tag(18).Unsigned(0x80000000, 4).Raw("abcd"));
    fails(TLegacyStreamWriter().Tag(18).Unsigned(3, 4).Raw("abcde"));
    fails(TLegacyStreamWriter().Tag(6).Byte(10).Raw("abc"));
    fails(TLegacyStreamWriter().Tag(4).Unsigned(3, 4));
    TLegacyStream empty(std::string_view{});
    EXPECT_THROW(empty.ReadString(), ELegacyStreamError);
}

}  // namespace
}  // namespace vantor
