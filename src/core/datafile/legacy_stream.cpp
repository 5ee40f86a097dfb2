#include "datafile/legacy_stream.h"

#include <bit>
#include <cmath>
#include <limits>

namespace vantor {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// The length of the valid UTF-8 sequence at the start of text, 0 when there is none.
size_t Utf8SequenceLength(std::string_view text)
{
    const auto at = [&text](size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = at(0);
    if (lead < 0x80) return 1;
    size_t length = 0;
    char32_t c = 0;
    char32_t lowest = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        c = lead & 0x1F;
        lowest = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        c = lead & 0x0F;
        lowest = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        c = lead & 0x07;
        lowest = 0x10000;
    } else {
        return 0;
    }
    if (text.size() < length) return 0;
    for (size_t i = 1; i < length; ++i) {
        if ((at(i) & 0xC0) != 0x80) return 0;
        c = (c << 6) | (at(i) & 0x3F);
    }
    // Overlong forms, surrogates and values beyond the last code point are not UTF-8.
    if (c < lowest || (c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF) return 0;
    return length;
}

}  // namespace

double DecodeExtended(const std::array<std::uint8_t, 10>& bytes)
{
    std::uint64_t mantissa = 0;
    for (int i = 7; i >= 0; --i) mantissa = (mantissa << 8) | bytes[static_cast<size_t>(i)];
    const unsigned signExponent = bytes[8] | (static_cast<unsigned>(bytes[9]) << 8);
    const bool negative = (signExponent & 0x8000) != 0;
    const int biased = static_cast<int>(signExponent & 0x7FFF);
    const double sign = negative ? -1.0 : 1.0;
    if (biased == 0x7FFF) return sign * std::numeric_limits<double>::infinity();
    if (mantissa == 0) return sign * 0.0;

    // value = mantissa · 2^exponent; exponent 0 holds denormals with the exponent of 1.
    int exponent = (biased == 0 ? 1 : biased) - 16383 - 63;
    const int width = std::bit_width(mantissa);
    const int leading = exponent + width - 1;  // the power of two of the leading bit
    if (leading > 1023) return sign * std::numeric_limits<double>::infinity();

    // Significant bits the double keeps: 53, fewer in the subnormal range.
    constexpr int kMinNormal = -1022;
    const int kept = leading >= kMinNormal ? 53 : 53 - (kMinNormal - leading);
    const int shift = width - kept;
    if (shift > width) return sign * 0.0;  // below half the smallest subnormal
    if (shift > 0) {
        const std::uint64_t half = std::uint64_t{1} << (shift - 1);
        const std::uint64_t rest = shift == 64 ? mantissa : mantissa & ((half << 1) - 1);
        std::uint64_t rounded = shift == 64 ? 0 : mantissa >> shift;
        if (rest > half || (rest == half && (rounded & 1) != 0)) ++rounded;
        mantissa = rounded;
        exponent += shift;
    }
    // At most 54 bits (a carry out of 53), exactly representable; so is the scaling.
    const double value = std::ldexp(static_cast<double>(mantissa), exponent);
    return sign * value;
}

std::string Utf16LeToUtf8(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size());
    const size_t units = bytes.size() / 2;
    const auto unit = [&bytes](size_t i) {
        return static_cast<char32_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                     (static_cast<unsigned char>(bytes[2 * i + 1]) << 8));
    };
    for (size_t i = 0; i < units; ++i) {
        const char32_t c = unit(i);
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < units) {
            const char32_t low = unit(i + 1);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                AppendUtf8(out, 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00));
                ++i;
                continue;
            }
        }
        AppendUtf8(out, c >= 0xD800 && c <= 0xDFFF ? kReplacement : c);
    }
    return out;
}

std::string ValidUtf8(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    while (!text.empty()) {
        const size_t length = Utf8SequenceLength(text);
        if (length == 0) {
            AppendUtf8(out, kReplacement);
            text.remove_prefix(1);
        } else {
            out.append(text.substr(0, length));
            text.remove_prefix(length);
        }
    }
    return out;
}

// ---- TLegacyStream ----

void TLegacyStream::Fail(std::string_view what)
{
    throw ELegacyStreamError(std::string(what) + " at byte " + std::to_string(m_pos));
}

std::uint8_t TLegacyStream::TakeByte()
{
    if (Remaining() < 1) Fail("end of the stream");
    return static_cast<std::uint8_t>(m_bytes[m_pos++]);
}

std::uint64_t TLegacyStream::TakeUnsigned(size_t count)
{
    if (Remaining() < count) Fail("end of the stream");
    std::uint64_t value = 0;
    for (size_t i = count; i-- > 0;) value = (value << 8) | static_cast<unsigned char>(m_bytes[m_pos + i]);
    m_pos += count;
    return value;
}

bool TLegacyStream::TakeIntegerPayload(std::uint8_t tag, long long& value)
{
    size_t width = 0;
    switch (tag) {
    case tagInt8: width = 1; break;
    case tagInt16: width = 2; break;
    case tagInt32: width = 4; break;
    case tagInt64: width = 8; break;
    default: return false;
    }
    std::uint64_t bits = TakeUnsigned(width);
    // Sign-extend from the payload's width.
    if (width < 8 && (bits >> (8 * width - 1)) != 0) bits |= ~std::uint64_t{0} << (8 * width);
    value = static_cast<long long>(bits);
    return true;
}

int TLegacyStream::ReadInteger()
{
    const std::uint8_t tag = TakeByte();
    long long value = 0;
    if (tag == tagInt64 || !TakeIntegerPayload(tag, value)) Fail("integer expected");
    return static_cast<int>(value);
}

double TLegacyStream::TakeFinite(double value)
{
    if (!std::isfinite(value)) Fail("number out of range");
    return value;
}

double TLegacyStream::ReadFloat()
{
    const std::uint8_t tag = TakeByte();
    if (tag == tagExtended) {
        if (Remaining() < 10) Fail("end of the stream");
        std::array<std::uint8_t, 10> bytes{};
        for (std::uint8_t& b : bytes) b = static_cast<std::uint8_t>(m_bytes[m_pos++]);
        return TakeFinite(DecodeExtended(bytes));
    }
    if (tag == tagDouble) return TakeFinite(std::bit_cast<double>(TakeUnsigned(8)));
    long long value = 0;
    if (!TakeIntegerPayload(tag, value)) Fail("number expected");
    return static_cast<double>(value);
}

double TLegacyStream::ReadDate()
{
    const std::uint8_t tag = TakeByte();
    if (tag == tagDate) return TakeFinite(std::bit_cast<double>(TakeUnsigned(8)));
    long long value = 0;
    if (!TakeIntegerPayload(tag, value)) Fail("date expected");
    return static_cast<double>(value);
}

bool TLegacyStream::ReadBool()
{
    const std::uint8_t tag = TakeByte();
    // Any other tag has a payload of its own that would be read as the values that follow.
    if (tag != tagTrue && tag != tagFalse) Fail("boolean expected");
    return tag == tagTrue;
}

size_t TLegacyStream::TakeLength()
{
    const auto count = static_cast<std::int32_t>(static_cast<std::uint32_t>(TakeUnsigned(4)));
    if (count < 0) Fail("negative length");
    return static_cast<size_t>(count);
}

std::string_view TLegacyStream::TakeBytes(size_t count)
{
    if (count > Remaining()) Fail("length beyond the end of the stream");
    const std::string_view bytes = m_bytes.substr(m_pos, count);
    m_pos += count;
    return bytes;
}

std::string TLegacyStream::ReadString()
{
    switch (TakeByte()) {
    case tagString:
        return Windows1252ToUtf8(TakeBytes(TakeByte()));
    case tagLongString:
        return Windows1252ToUtf8(TakeBytes(TakeLength()));
    case tagUtf8String:
        return ValidUtf8(TakeBytes(TakeLength()));
    case tagWideString: {
        const size_t units = TakeLength();
        if (units > Remaining() / 2) Fail("length beyond the end of the stream");
        return Utf16LeToUtf8(TakeBytes(2 * units));
    }
    default:
        Fail("string expected");
    }
}

std::string_view TLegacyStream::ReadRaw(size_t count) { return TakeBytes(count); }

std::string_view TLegacyStream::PeekRaw(size_t count) const
{
    if (count > Remaining()) throw ELegacyStreamError("end of the stream at byte " + std::to_string(m_pos));
    return m_bytes.substr(m_pos, count);
}

}  // namespace vantor
