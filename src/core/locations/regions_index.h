#pragma once

// "Regions.idx": an INI text in Windows-1252. Each section names a database and lists its
// regions as keys with integer codes; section "+All" lists every database with its code. Every
// section starts with "+All=0", the key that selects everything. A code that is missing or not
// an integer reads as 0.

#include "text/result.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vantor {

inline constexpr std::string_view kAllKey = "+All";
inline constexpr std::string_view kRegionsIndexName = "Regions.idx";

struct TRegionKey {
    std::string Name;  // UTF-8
    int Code = 0;
};

class TRegionsIndex {
public:
    // Reads the bytes of an index; lines that are not "name=value" inside a section are ignored.
    static TRegionsIndex Parse(std::string_view bytes);
    // Fails with the reason when the file cannot be read; the index is then empty.
    TResult Load(const std::filesystem::path& path);

    bool Empty() const { return m_sections.empty(); }
    // Section names in file order.
    std::vector<std::string> Sections() const;
    // The keys of a section in file order; none for a missing section.
    std::vector<TRegionKey> Keys(std::string_view section) const;
    std::vector<std::string> KeyNames(std::string_view section) const;
    // The code of a key; 0 when the section or key is missing (names compared without regard to
    // ASCII case, as INI files are).
    int Code(std::string_view section, std::string_view key) const;
    // The first key of the section with that code; empty when none has it.
    std::string KeyOfCode(std::string_view section, int code) const;

    // The builder's side: a section, and keys appended to it.
    void AddSection(std::string name);
    void AddKey(std::string_view section, std::string name, int code);
    // The file text, in Windows-1252; nothing when a name cannot be written there.
    std::optional<std::string> Text() const;

private:
    struct TSection {
        std::string Name;
        std::vector<TRegionKey> Keys;
    };
    const TSection* Find(std::string_view section) const;

    std::vector<TSection> m_sections;
};

}  // namespace vantor
