#pragma once

// An INI file held whole in memory: loaded when created (a missing file gives an empty
// store), changed in memory, written back atomically by UpdateFile. Releasing the object
// does not write.

#include "ini/custom_ini_file.h"
#include "ini/ini_document.h"

namespace vantor {

class TMemIniFile : public TCustomIniFile {
public:
    explicit TMemIniFile(std::filesystem::path fileName);

    std::string ReadString(std::string_view section, std::string_view name,
                           std::string_view defaultValue) const override;
    void WriteString(std::string_view section, std::string_view name, std::string_view value) override;

    std::vector<std::string> ReadSection(std::string_view section) const override;
    std::vector<std::string> ReadSections() const override;
    std::vector<std::string> ReadSectionValues(std::string_view section) const override;
    void WriteSectionValues(std::string_view section, const std::vector<std::string>& lines) override;
    void EraseSection(std::string_view section) override;
    void DeleteKey(std::string_view section, std::string_view name) override;
    // Raises EIniFileError when the file cannot be written, and refuses to replace a file
    // that existed but could not be read when the object was created.
    void UpdateFile() override;

protected:
    TIniDocument& Document() { return m_document; }

private:
    TIniDocument m_document;
    bool m_unreadable = false;
};

// The in-memory INI class the install merge names; it adds nothing.
class TPowerIniFile : public TMemIniFile {
public:
    using TMemIniFile::TMemIniFile;
};

}  // namespace vantor
