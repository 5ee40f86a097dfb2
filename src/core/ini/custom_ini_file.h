#pragma once

// The common face of the INI file classes: a file name, string reads and writes that the
// derived classes implement, and the typed values built on them.
//
// Text forms of the typed values, fixed and independent of the locale:
//   integer   decimal; "0x1F" or "0X1F" is read as hexadecimal (up to eight digits, read as
//             the 32-bit pattern, so "0xFFFFFFFF" is -1)
//   bool      "0" or "1"; read as an integer, nonzero is true
//   float     the shortest text that reads back to the same double, "." as separator
//   date      "2012-03-05"
//   time      "14:30:00" (also read without seconds, "14:30")
//   date-time "2012-03-05 14:30:00" (also read as a date alone, at midnight)
//   binary    two upper-case hexadecimal digits per byte (either case read)
// Text that does not convert gives the default.
//
// Section and value names are compared without regard to ASCII case. Names and values are
// stored without surrounding blanks. A write that the file format cannot hold (an empty
// name, a line break, a name with '=') or that cannot reach the disk raises EIniFileError.

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace vantor {

// "Unable to write to <file>": the one failure the INI classes raise.
class EIniFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

using TIniDate = std::chrono::year_month_day;
using TIniTime = std::chrono::seconds;  // since midnight, below 24 h
using TIniDateTime = std::chrono::sys_seconds;

class TCustomIniFile {
public:
    explicit TCustomIniFile(std::filesystem::path fileName);
    virtual ~TCustomIniFile() = default;

    const std::filesystem::path& FileName() const { return m_fileName; }

    virtual std::string ReadString(std::string_view section, std::string_view name,
                                   std::string_view defaultValue) const = 0;
    virtual void WriteString(std::string_view section, std::string_view name, std::string_view value) = 0;

    int ReadInteger(std::string_view section, std::string_view name, int defaultValue) const;
    void WriteInteger(std::string_view section, std::string_view name, int value);
    bool ReadBool(std::string_view section, std::string_view name, bool defaultValue) const;
    void WriteBool(std::string_view section, std::string_view name, bool value);
    double ReadFloat(std::string_view section, std::string_view name, double defaultValue) const;
    void WriteFloat(std::string_view section, std::string_view name, double value);
    TIniDate ReadDate(std::string_view section, std::string_view name, TIniDate defaultValue) const;
    void WriteDate(std::string_view section, std::string_view name, TIniDate value);
    TIniTime ReadTime(std::string_view section, std::string_view name, TIniTime defaultValue) const;
    void WriteTime(std::string_view section, std::string_view name, TIniTime value);
    TIniDateTime ReadDateTime(std::string_view section, std::string_view name, TIniDateTime defaultValue) const;
    void WriteDateTime(std::string_view section, std::string_view name, TIniDateTime value);
    // Empty when the value is absent or is not whole pairs of hexadecimal digits.
    std::vector<std::uint8_t> ReadBinaryStream(std::string_view section, std::string_view name) const;
    void WriteBinaryStream(std::string_view section, std::string_view name, std::span<const std::uint8_t> bytes);

    // The names of one section, each once, in file order.
    virtual std::vector<std::string> ReadSection(std::string_view section) const = 0;
    // Every section name, each once, in file order.
    virtual std::vector<std::string> ReadSections() const = 0;
    // The section's values as "name=value" lines.
    virtual std::vector<std::string> ReadSectionValues(std::string_view section) const = 0;
    // For each line holding '=', the trimmed text before it as name and after it as value;
    // lines without '=' are skipped.
    virtual void WriteSectionValues(std::string_view section, const std::vector<std::string>& lines) = 0;
    virtual void EraseSection(std::string_view section) = 0;
    virtual void DeleteKey(std::string_view section, std::string_view name) = 0;
    virtual void UpdateFile() = 0;

    // True when the section holds at least one value.
    bool SectionExists(std::string_view section) const;
    bool ValueExists(std::string_view section, std::string_view name) const;

protected:
    // "Unable to write to <file>", followed by " (reason)" when a reason is given.
    [[noreturn]] void RaiseWriteError(std::string_view reason = {}) const;

private:
    std::filesystem::path m_fileName;
};

}  // namespace vantor
