#pragma once

// The tagged value stream of the older data files: each value is one tag byte and its
// little-endian payload.
//
//   2, 3, 4, 19  signed integer of 1, 2, 4, 8 bytes
//   5            80-bit extended float          21  8-byte double
//   6            string, 1-byte length          12  string, 4-byte length (8-bit characters)
//   18           UTF-16 string, 4-byte length   20  UTF-8 string, 4-byte length
//   8, 9         false, true                    17  date, 8-byte double of days
//
// Raw blocks (packed records) carry no tag. Every read checks its tag and that the payload
// lies within the bytes; a failure raises ELegacyStreamError, after which the position is
// undefined (a reader stops there).

#include "text/code_page.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace vantor {

class ELegacyStreamError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class TLegacyStream {
public:
    enum TTag : std::uint8_t {
        tagInt8 = 2,
        tagInt16 = 3,
        tagInt32 = 4,
        tagExtended = 5,
        tagString = 6,
        tagFalse = 8,
        tagTrue = 9,
        tagLongString = 12,
        tagDate = 17,
        tagWideString = 18,
        tagInt64 = 19,
        tagUtf8String = 20,
        tagDouble = 21,
    };

    // The stream views bytes; they must outlive it.
    explicit TLegacyStream(std::string_view bytes) : m_bytes(bytes) {}
    explicit TLegacyStream(std::string&&) = delete;

    // Tags 2, 3 and 4 only.
    int ReadInteger();
    // Tags 5 and 21, or an integer of any width. A value that is not finite (or too large
    // for a double) is refused.
    double ReadFloat();
    // Tag 17, or an integer of any width: days since 30 December 1899.
    double ReadDate();
    // Tag 9 is true, 8 false; any other tag is refused.
    bool ReadBool();
    // Tags 6, 12, 18 and 20, as UTF-8. 8-bit strings are Windows-1252.
    std::string ReadString();

    // The next count bytes, consumed or not.
    std::string_view ReadRaw(size_t count);
    std::string_view PeekRaw(size_t count) const;

    size_t Position() const { return m_pos; }
    size_t Remaining() const { return m_bytes.size() - m_pos; }

private:
    std::uint8_t TakeByte();
    // The next count bytes as an unsigned little-endian number (count ≤ 8).
    std::uint64_t TakeUnsigned(size_t count);
    // The payload of an integer tag, sign-extended; false for any other tag.
    bool TakeIntegerPayload(std::uint8_t tag, long long& value);
    double TakeFinite(double value);
    // A 4-byte length; a negative one fails.
    size_t TakeLength();
    // The next count bytes; fewer left fails.
    std::string_view TakeBytes(size_t count);
    [[noreturn]] void Fail(std::string_view what);

    std::string_view m_bytes;
    size_t m_pos = 0;
};

// The 80-bit extended float (64-bit mantissa with explicit integer bit, 15-bit exponent
// biased by 16383, sign), little-endian, rounded to the nearest double with ties to even.
// Infinity for the infinite and not-a-number encodings and for values beyond the double
// range.
double DecodeExtended(const std::array<std::uint8_t, 10>& bytes);

// UTF-16LE code units as UTF-8; an unpaired surrogate becomes U+FFFD.
std::string Utf16LeToUtf8(std::string_view bytes);

// The text with every byte sequence that is not valid UTF-8 replaced by U+FFFD.
std::string ValidUtf8(std::string_view text);

}  // namespace vantor
