#include "ini/custom_ini_file.h"

#include "text/format.h"
#include "text/number_text.h"
#include "text/text_routines.h"

#include <climits>
#include <cstdint>
#include <optional>

namespace vantor {

namespace chr = std::chrono;

namespace {

int HexDigit(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

std::optional<int> IntegerFromText(std::string_view text)
{
    if (text.size() >= 3 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        const std::string_view digits = text.substr(2);
        if (digits.size() > 8) return std::nullopt;
        std::uint32_t value = 0;
        for (char c : digits) {
            const int digit = HexDigit(c);
            if (digit < 0) return std::nullopt;
            value = value * 16 + static_cast<std::uint32_t>(digit);
        }
        return static_cast<std::int32_t>(value);
    }
    const auto value = ParseInteger(text);
    if (!value || *value < INT_MIN || *value > INT_MAX) return std::nullopt;
    return static_cast<int>(*value);
}

// Exactly `count` decimal digits at text[pos], moving pos past them.
std::optional<int> TakeDigits(std::string_view text, std::size_t& pos, std::size_t count)
{
    if (text.size() < pos + count) return std::nullopt;
    int value = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const char c = text[pos + i];
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    pos += count;
    return value;
}

bool TakeChar(std::string_view text, std::size_t& pos, char expected)
{
    if (pos >= text.size() || text[pos] != expected) return false;
    ++pos;
    return true;
}

// "YYYY-MM-DD" at pos.
std::optional<TIniDate> TakeDate(std::string_view text, std::size_t& pos)
{
    const auto year = TakeDigits(text, pos, 4);
    if (!year || !TakeChar(text, pos, '-')) return std::nullopt;
    const auto month = TakeDigits(text, pos, 2);
    if (!month || !TakeChar(text, pos, '-')) return std::nullopt;
    const auto day = TakeDigits(text, pos, 2);
    if (!day) return std::nullopt;
    const TIniDate date{chr::year(*year), chr::month(static_cast<unsigned>(*month)),
                        chr::day(static_cast<unsigned>(*day))};
    if (!date.ok()) return std::nullopt;
    return date;
}

// "HH:MM" or "HH:MM:SS" at pos.
std::optional<TIniTime> TakeTime(std::string_view text, std::size_t& pos)
{
    const auto hours = TakeDigits(text, pos, 2);
    if (!hours || !TakeChar(text, pos, ':')) return std::nullopt;
    const auto minutes = TakeDigits(text, pos, 2);
    if (!minutes) return std::nullopt;
    std::optional<int> seconds = 0;
    if (TakeChar(text, pos, ':')) seconds = TakeDigits(text, pos, 2);
    if (!seconds || *hours > 23 || *minutes > 59 || *seconds > 59) return std::nullopt;
    return chr::hours(*hours) + chr::minutes(*minutes) + chr::seconds(*seconds);
}

std::optional<TIniDate> DateFromText(std::string_view text)
{
    std::size_t pos = 0;
    const auto date = TakeDate(text, pos);
    return date && pos == text.size() ? date : std::nullopt;
}

std::optional<TIniTime> TimeFromText(std::string_view text)
{
    std::size_t pos = 0;
    const auto time = TakeTime(text, pos);
    return time && pos == text.size() ? time : std::nullopt;
}

std::optional<TIniDateTime> DateTimeFromText(std::string_view text)
{
    std::size_t pos = 0;
    const auto date = TakeDate(text, pos);
    if (!date) return std::nullopt;
    const TIniDateTime midnight = chr::sys_days(*date);
    if (pos == text.size()) return midnight;
    if (!TakeChar(text, pos, ' ')) return std::nullopt;
    const auto time = TakeTime(text, pos);
    if (!time || pos != text.size()) return std::nullopt;
    return midnight + *time;
}

std::string DateText(TIniDate date)
{
    return Format("%.4d-%.2d-%.2d", {static_cast<int>(date.year()), static_cast<unsigned>(date.month()),
                                     static_cast<unsigned>(date.day())});
}

std::string TimeText(TIniTime time)
{
    // Only the time of day is written, so a negative or overlong duration still reads back.
    const chr::hh_mm_ss<chr::seconds> clock(time - chr::floor<chr::days>(time));
    return Format("%.2d:%.2d:%.2d", {clock.hours().count(), clock.minutes().count(),
                                     static_cast<long long>(clock.seconds().count())});
}

std::optional<std::vector<std::uint8_t>> BytesFromHex(std::string_view text)
{
    if (text.size() % 2 != 0) return std::nullopt;
    std::vector<std::uint8_t> bytes;
    bytes.reserve(text.size() / 2);
    for (std::size_t i = 0; i < text.size(); i += 2) {
        const int high = HexDigit(text[i]);
        const int low = HexDigit(text[i + 1]);
        if (high < 0 || low < 0) return std::nullopt;
        bytes.push_back(static_cast<std::uint8_t>(high * 16 + low));
    }
    return bytes;
}

}  // namespace

TCustomIniFile::TCustomIniFile(std::filesystem::path fileName) : m_fileName(std::move(fileName)) {}

void TCustomIniFile::RaiseWriteError(std::string_view reason) const
{
    std::string message = Format("Unable to write to %s", {m_fileName.string()});
    if (!reason.empty()) message += " (" + std::string(reason) + ")";
    throw EIniFileError(message);
}

int TCustomIniFile::ReadInteger(std::string_view section, std::string_view name, int defaultValue) const
{
    return IntegerFromText(ReadString(section, name, "")).value_or(defaultValue);
}

void TCustomIniFile::WriteInteger(std::string_view section, std::string_view name, int value)
{
    WriteString(section, name, Format("%d", {value}));
}

bool TCustomIniFile::ReadBool(std::string_view section, std::string_view name, bool defaultValue) const
{
    return ReadInteger(section, name, defaultValue ? 1 : 0) != 0;
}

void TCustomIniFile::WriteBool(std::string_view section, std::string_view name, bool value)
{
    WriteString(section, name, value ? "1" : "0");
}

double TCustomIniFile::ReadFloat(std::string_view section, std::string_view name, double defaultValue) const
{
    return ParseDouble(ReadString(section, name, "")).value_or(defaultValue);
}

void TCustomIniFile::WriteFloat(std::string_view section, std::string_view name, double value)
{
    WriteString(section, name, FormatShortest(value));
}

TIniDate TCustomIniFile::ReadDate(std::string_view section, std::string_view name, TIniDate defaultValue) const
{
    return DateFromText(ReadString(section, name, "")).value_or(defaultValue);
}

void TCustomIniFile::WriteDate(std::string_view section, std::string_view name, TIniDate value)
{
    WriteString(section, name, DateText(value));
}

TIniTime TCustomIniFile::ReadTime(std::string_view section, std::string_view name, TIniTime defaultValue) const
{
    return TimeFromText(ReadString(section, name, "")).value_or(defaultValue);
}

void TCustomIniFile::WriteTime(std::string_view section, std::string_view name, TIniTime value)
{
    WriteString(section, name, TimeText(value));
}

TIniDateTime TCustomIniFile::ReadDateTime(std::string_view section, std::string_view name,
                                          TIniDateTime defaultValue) const
{
    return DateTimeFromText(ReadString(section, name, "")).value_or(defaultValue);
}

void TCustomIniFile::WriteDateTime(std::string_view section, std::string_view name, TIniDateTime value)
{
    const chr::sys_days day = chr::floor<chr::days>(value);
    WriteString(section, name, DateText(TIniDate(day)) + ' ' + TimeText(value - day));
}

std::vector<std::uint8_t> TCustomIniFile::ReadBinaryStream(std::string_view section, std::string_view name) const
{
    return BytesFromHex(ReadString(section, name, "")).value_or(std::vector<std::uint8_t>());
}

void TCustomIniFile::WriteBinaryStream(std::string_view section, std::string_view name,
                                       std::span<const std::uint8_t> bytes)
{
    static constexpr char Digits[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(bytes.size() * 2);
    for (std::uint8_t byte : bytes) {
        text += Digits[byte >> 4];
        text += Digits[byte & 0x0F];
    }
    WriteString(section, name, text);
}

bool TCustomIniFile::SectionExists(std::string_view section) const { return !ReadSection(section).empty(); }

bool TCustomIniFile::ValueExists(std::string_view section, std::string_view name) const
{
    const std::string wanted = Trim(name);
    for (const std::string& candidate : ReadSection(section))
        if (SameText(candidate, wanted)) return true;
    return false;
}

}  // namespace vantor
