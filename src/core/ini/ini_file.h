#pragma once

// An INI file worked on directly: every read reads the file, every change loads it, changes
// it and writes the whole file back atomically, so two objects (or two programs) on the same
// file always see each other's last write. Nothing is buffered; UpdateFile has nothing to do.

#include "ini/custom_ini_file.h"

namespace vantor {

class TIniDocument;

class TIniFile : public TCustomIniFile {
public:
    // The longest value a read returns; longer values are cut.
    static constexpr std::size_t MaxValueLength = 2047;

    explicit TIniFile(std::filesystem::path fileName);

    // The default, without reading the file, when the section or the name is empty after
    // trimming blanks.
    std::string ReadString(std::string_view section, std::string_view name,
                           std::string_view defaultValue) const override;
    void WriteString(std::string_view section, std::string_view name, std::string_view value) override;

    std::vector<std::string> ReadSection(std::string_view section) const override;
    std::vector<std::string> ReadSections() const override;
    std::vector<std::string> ReadSectionValues(std::string_view section) const override;
    void WriteSectionValues(std::string_view section, const std::vector<std::string>& lines) override;
    void EraseSection(std::string_view section) override;
    void DeleteKey(std::string_view section, std::string_view name) override;
    void UpdateFile() override {}

private:
    TIniDocument Load() const;
    // Loads the file, applies the change and writes the file back when it changed. A file
    // that exists but cannot be read is never replaced.
    template <typename Change> void Modify(Change&& change);
};

// The INI file class the install merge names; it adds nothing.
class TwIniFile : public TIniFile {
public:
    using TIniFile::TIniFile;
};

}  // namespace vantor
