#pragma once

// The in-memory form of an INI file: sections in file order, each a list of lines. Both INI
// file classes work on it; TMemIniFile keeps one for its life, TIniFile builds one per call.
//
// Reading a text: every line is trimmed; empty lines and lines starting with ';' are
// dropped; "[name]" starts a section; lines before the first section are dropped; a line
// holding '=' becomes a value line (name and value trimmed), any other line is kept as it
// stands. A UTF-8 byte order mark is skipped (and written back), and LF, CRLF and lone CR
// all end a line.
//
// Lookups ignore ASCII case and keep the case as written. Duplicates are never merged or
// dropped: the first section of a name and the first line of a name win on read, and the
// text written back holds every line that was read.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vantor {

class TIniDocument {
public:
    TIniDocument() = default;
    explicit TIniDocument(std::string_view text);

    // "[section]", its lines, an empty line, for each section; LF line ends.
    std::string Text() const;

    // nullptr when the section or the name is absent.
    const std::string* FindValue(std::string_view section, std::string_view name) const;

    // Each name once, in file order, with its first value.
    std::vector<std::string> SectionNames(std::string_view section) const;
    std::vector<std::string> SectionValues(std::string_view section) const;  // "name=value"
    // Each section name once, in file order.
    std::vector<std::string> Sections() const;

    // The changes return true when the document changed. Names and values are stored
    // trimmed, as a reload would give them back.
    bool SetValue(std::string_view section, std::string_view name, std::string_view value);
    // Each line holding '=' sets the value of the text before it; other lines are skipped.
    bool SetValues(std::string_view section, const std::vector<std::string>& lines);
    bool EraseSection(std::string_view section);           // every section of that name
    bool DeleteKey(std::string_view section, std::string_view name);  // every line of that name

    // True when a name and value of these texts survive a write and a reload unchanged in
    // meaning: no line breaks, no '=' or ']' where they would end the name, a name that is
    // not empty after trimming and does not start a comment or a section.
    static bool IsStorable(std::string_view section, std::string_view name, std::string_view value);
    static bool IsStorable(std::string_view section, const std::vector<std::string>& lines);

private:
    struct TLine {
        std::string Name;   // the whole trimmed line when it holds no '='
        std::string Value;
        bool HasValue = false;
    };
    struct TSection {
        std::string Name;
        std::vector<TLine> Lines;
    };

    TSection* FindSection(std::string_view section);
    const TSection* FindSection(std::string_view section) const;
    static constexpr std::size_t NotFound = static_cast<std::size_t>(-1);
    // The index of the first value line of that name, or NotFound.
    static std::size_t FindLine(const TSection& section, std::string_view name);

    std::vector<TSection> m_sections;
    bool m_byteOrderMark = false;
};

}  // namespace vantor
