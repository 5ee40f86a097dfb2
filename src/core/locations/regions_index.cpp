#include "locations/regions_index.h"

#include "ini/ini_document.h"
#include "text/code_page.h"
#include "text/file_io.h"
#include "text/number_text.h"
#include "text/text_routines.h"

#include <climits>

namespace vantor {

namespace {

constexpr std::uintmax_t kMaxIndexBytes = 4u * 1024u * 1024u;

bool SameName(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

int ReadCode(std::string_view text)
{
    const std::optional<long long> value = ParseInteger(text);
    if (!value || *value < INT_MIN || *value > INT_MAX) return 0;
    return static_cast<int>(*value);
}

}  // namespace

TRegionsIndex TRegionsIndex::Parse(std::string_view bytes)
{
    const TIniDocument document(bytes);
    TRegionsIndex index;
    for (const std::string& section : document.Sections()) {
        TSection entry{Windows1252ToUtf8(section), {}};
        for (const std::string& line : document.SectionValues(section)) {
            std::string name;
            std::string value;
            if (!SplitNameValue(line, name, value)) continue;
            entry.Keys.push_back({Windows1252ToUtf8(name), ReadCode(value)});
        }
        index.m_sections.push_back(std::move(entry));
    }
    return index;
}

TResult TRegionsIndex::Load(const std::filesystem::path& path)
{
    m_sections.clear();
    const std::string problem = FileReadProblem(path, kMaxIndexBytes);
    std::optional<std::string> bytes;
    if (problem.empty()) bytes = ReadFileText(path, kMaxIndexBytes);
    if (!bytes) return TResult::Error(TErrorCode::Failed, "The file " + path.string() + " " + (problem.empty() ? "cannot be read" : problem));
    *this = Parse(*bytes);
    return TResult::Ok();
}

std::vector<std::string> TRegionsIndex::Sections() const
{
    std::vector<std::string> names;
    for (const TSection& section : m_sections) names.push_back(section.Name);
    return names;
}

const TRegionsIndex::TSection* TRegionsIndex::Find(std::string_view section) const
{
    for (const TSection& entry : m_sections)
        if (SameName(entry.Name, section)) return &entry;
    return nullptr;
}

std::vector<TRegionKey> TRegionsIndex::Keys(std::string_view section) const
{
    const TSection* entry = Find(section);
    return entry ? entry->Keys : std::vector<TRegionKey>{};
}

std::vector<std::string> TRegionsIndex::KeyNames(std::string_view section) const
{
    std::vector<std::string> names;
    for (const TRegionKey& key : Keys(section)) names.push_back(key.Name);
    return names;
}

int TRegionsIndex::Code(std::string_view section, std::string_view key) const
{
    if (const TSection* entry = Find(section))
        for (const TRegionKey& k : entry->Keys)
            if (SameName(k.Name, key)) return k.Code;
    return 0;
}

std::string TRegionsIndex::KeyOfCode(std::string_view section, int code) const
{
    if (const TSection* entry = Find(section))
        for (const TRegionKey& k : entry->Keys)
            if (k.Code == code) return k.Name;
    return {};
}

void TRegionsIndex::AddSection(std::string name)
{
    if (!Find(name)) m_sections.push_back({std::move(name), {}});
}

void TRegionsIndex::AddKey(std::string_view section, std::string name, int code)
{
    AddSection(std::string(section));
    for (TSection& entry : m_sections)
        if (SameName(entry.Name, section)) entry.Keys.push_back({std::move(name), code});
}

std::optional<std::string> TRegionsIndex::Text() const
{
    std::string text;
    for (const TSection& section : m_sections) {
        const std::optional<std::string> sectionName = Utf8ToWindows1252(section.Name);
        if (!sectionName) return std::nullopt;
        text += "[" + *sectionName + "]\r\n";
        for (const TRegionKey& key : section.Keys) {
            const std::optional<std::string> keyName = Utf8ToWindows1252(key.Name);
            if (!keyName) return std::nullopt;
            text += *keyName + "=" + std::to_string(key.Code) + "\r\n";
        }
        text += "\r\n";
    }
    return text;
}

}  // namespace vantor
