#include "ini/ini_document.h"

#include "text/text_routines.h"

#include <unordered_set>
#include <utility>

namespace vantor {

namespace {

std::string_view Blankless(std::string_view text)
{
    while (!text.empty() && static_cast<unsigned char>(text.front()) <= ' ') text.remove_prefix(1);
    while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ') text.remove_suffix(1);
    return text;
}

// The next line of text without its line end (LF, CRLF or CR); text moves past it.
std::string_view TakeLine(std::string_view& text)
{
    const auto end = text.find_first_of("\r\n");
    const std::string_view line = text.substr(0, end);
    if (end == std::string_view::npos) {
        text = {};
    } else {
        const bool crlf = text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n';
        text.remove_prefix(end + (crlf ? 2 : 1));
    }
    return line;
}

bool HasLineBreak(std::string_view text) { return text.find_first_of("\r\n") != std::string_view::npos; }

// Remembers names already seen, without regard to case.
class TNameSet {
public:
    bool Insert(std::string_view name) { return m_names.insert(UpperCase(name)).second; }

private:
    std::unordered_set<std::string> m_names;
};

}  // namespace

TIniDocument::TIniDocument(std::string_view text)
{
    m_byteOrderMark = StripByteOrderMark(text);
    while (!text.empty()) {
        const std::string_view line = Blankless(TakeLine(text));
        if (line.empty() || line.front() == ';') continue;
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            m_sections.push_back({std::string(Blankless(line.substr(1, line.size() - 2))), {}});
            continue;
        }
        if (m_sections.empty()) continue;
        const auto eq = line.find('=');
        if (eq == std::string_view::npos)
            m_sections.back().Lines.push_back({std::string(line), {}, false});
        else
            m_sections.back().Lines.push_back(
                {std::string(Blankless(line.substr(0, eq))), std::string(Blankless(line.substr(eq + 1))), true});
    }
}

std::string TIniDocument::Text() const
{
    std::string text(m_byteOrderMark ? kByteOrderMark : "");
    for (const TSection& section : m_sections) {
        text += '[';
        text += section.Name;
        text += "]\n";
        for (const TLine& line : section.Lines) {
            text += line.Name;
            if (line.HasValue) {
                text += '=';
                text += line.Value;
            }
            text += '\n';
        }
        text += '\n';
    }
    return text;
}

TIniDocument::TSection* TIniDocument::FindSection(std::string_view section)
{
    return const_cast<TSection*>(std::as_const(*this).FindSection(section));
}

const TIniDocument::TSection* TIniDocument::FindSection(std::string_view section) const
{
    section = Blankless(section);
    if (section.empty()) return nullptr;
    for (const TSection& candidate : m_sections)
        if (SameText(candidate.Name, section)) return &candidate;
    return nullptr;
}

std::size_t TIniDocument::FindLine(const TSection& section, std::string_view name)
{
    name = Blankless(name);
    if (name.empty()) return NotFound;
    for (std::size_t i = 0; i < section.Lines.size(); ++i)
        if (section.Lines[i].HasValue && SameText(section.Lines[i].Name, name)) return i;
    return NotFound;
}

const std::string* TIniDocument::FindValue(std::string_view section, std::string_view name) const
{
    const TSection* found = FindSection(section);
    const std::size_t line = found ? FindLine(*found, name) : NotFound;
    return line != NotFound ? &found->Lines[line].Value : nullptr;
}

std::vector<std::string> TIniDocument::SectionNames(std::string_view section) const
{
    std::vector<std::string> names;
    if (const TSection* found = FindSection(section)) {
        TNameSet seen;
        for (const TLine& line : found->Lines)
            if (line.HasValue && !line.Name.empty() && seen.Insert(line.Name)) names.push_back(line.Name);
    }
    return names;
}

std::vector<std::string> TIniDocument::SectionValues(std::string_view section) const
{
    std::vector<std::string> values;
    if (const TSection* found = FindSection(section)) {
        TNameSet seen;
        for (const TLine& line : found->Lines)
            if (line.HasValue && !line.Name.empty() && seen.Insert(line.Name))
                values.push_back(line.Name + '=' + line.Value);
    }
    return values;
}

std::vector<std::string> TIniDocument::Sections() const
{
    std::vector<std::string> names;
    TNameSet seen;
    for (const TSection& section : m_sections)
        if (!section.Name.empty() && seen.Insert(section.Name)) names.push_back(section.Name);
    return names;
}

bool TIniDocument::SetValue(std::string_view section, std::string_view name, std::string_view value)
{
    value = Blankless(value);
    TSection* target = FindSection(section);
    if (!target) target = &m_sections.emplace_back(TSection{std::string(Blankless(section)), {}});
    if (const std::size_t line = FindLine(*target, name); line != NotFound) {
        std::string& stored = target->Lines[line].Value;
        if (stored == value) return false;
        stored = value;
        return true;
    }
    target->Lines.push_back({std::string(Blankless(name)), std::string(value), true});
    return true;
}

bool TIniDocument::SetValues(std::string_view section, const std::vector<std::string>& lines)
{
    bool changed = false;
    std::string name, value;
    for (const std::string& line : lines)
        if (SplitNameValue(line, name, value)) changed = SetValue(section, name, value) || changed;
    return changed;
}

bool TIniDocument::EraseSection(std::string_view section)
{
    section = Blankless(section);
    if (section.empty()) return false;
    return std::erase_if(m_sections, [&](const TSection& s) { return SameText(s.Name, section); }) > 0;
}

bool TIniDocument::DeleteKey(std::string_view section, std::string_view name)
{
    TSection* target = FindSection(section);
    name = Blankless(name);
    if (!target || name.empty()) return false;
    return std::erase_if(target->Lines, [&](const TLine& line) { return line.HasValue && SameText(line.Name, name); }) > 0;
}

bool TIniDocument::IsStorable(std::string_view section, std::string_view name, std::string_view value)
{
    section = Blankless(section);
    name = Blankless(name);
    value = Blankless(value);
    if (section.empty() || HasLineBreak(section)) return false;
    if (name.empty() || HasLineBreak(name) || HasLineBreak(value)) return false;
    if (name.find('=') != std::string_view::npos || name.front() == ';') return false;
    // "[a=b]" would read back as a section.
    return !(name.front() == '[' && value.ends_with(']'));
}

bool TIniDocument::IsStorable(std::string_view section, const std::vector<std::string>& lines)
{
    std::string name, value;
    for (const std::string& line : lines)
        if (SplitNameValue(line, name, value) && !IsStorable(section, name, value)) return false;
    return true;
}

}  // namespace vantor
