#include "ini/mem_ini_file.h"

#include "text/file_io.h"

namespace vantor {

TMemIniFile::TMemIniFile(std::filesystem::path fileName) : TCustomIniFile(std::move(fileName))
{
    if (const auto text = ReadFileText(FileName())) {
        m_document = TIniDocument(*text);
    } else {
        std::error_code error;
        m_unreadable = std::filesystem::exists(FileName(), error);
    }
}

std::string TMemIniFile::ReadString(std::string_view section, std::string_view name,
                                    std::string_view defaultValue) const
{
    const std::string* value = m_document.FindValue(section, name);
    return value ? *value : std::string(defaultValue);
}

void TMemIniFile::WriteString(std::string_view section, std::string_view name, std::string_view value)
{
    if (!TIniDocument::IsStorable(section, name, value)) RaiseWriteError();
    m_document.SetValue(section, name, value);
}

std::vector<std::string> TMemIniFile::ReadSection(std::string_view section) const
{
    return m_document.SectionNames(section);
}

std::vector<std::string> TMemIniFile::ReadSections() const { return m_document.Sections(); }

std::vector<std::string> TMemIniFile::ReadSectionValues(std::string_view section) const
{
    return m_document.SectionValues(section);
}

void TMemIniFile::WriteSectionValues(std::string_view section, const std::vector<std::string>& lines)
{
    if (!TIniDocument::IsStorable(section, lines)) RaiseWriteError();
    m_document.SetValues(section, lines);
}

void TMemIniFile::EraseSection(std::string_view section) { m_document.EraseSection(section); }

void TMemIniFile::DeleteKey(std::string_view section, std::string_view name) { m_document.DeleteKey(section, name); }

void TMemIniFile::UpdateFile()
{
    if (m_unreadable || !WriteFileAtomically(FileName(), m_document.Text())) RaiseWriteError();
}

}  // namespace vantor
