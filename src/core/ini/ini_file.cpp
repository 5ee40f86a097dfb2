#include "ini/ini_file.h"

#include "ini/ini_document.h"
#include "text/file_io.h"
#include "text/text_routines.h"

namespace vantor {

TIniFile::TIniFile(std::filesystem::path fileName) : TCustomIniFile(std::move(fileName)) {}

TIniDocument TIniFile::Load() const
{
    const auto text = ReadFileText(FileName());
    return text ? TIniDocument(*text) : TIniDocument();
}

template <typename Change>
void TIniFile::Modify(Change&& change)
{
    const auto text = ReadFileText(FileName());
    std::error_code error;
    // Writing over a file that could not be read would lose everything else in it.
    if (!text && std::filesystem::exists(FileName(), error)) RaiseWriteError();
    TIniDocument document = text ? TIniDocument(*text) : TIniDocument();
    if (!change(document)) return;
    if (!WriteFileAtomically(FileName(), document.Text())) RaiseWriteError();
}

std::string TIniFile::ReadString(std::string_view section, std::string_view name, std::string_view defaultValue) const
{
    if (Trim(section).empty() || Trim(name).empty()) return std::string(defaultValue);
    const TIniDocument document = Load();
    const std::string* value = document.FindValue(section, name);
    return value ? value->substr(0, MaxValueLength) : std::string(defaultValue);
}

void TIniFile::WriteString(std::string_view section, std::string_view name, std::string_view value)
{
    if (!TIniDocument::IsStorable(section, name, value)) RaiseWriteError();
    Modify([&](TIniDocument& document) { return document.SetValue(section, name, value); });
}

std::vector<std::string> TIniFile::ReadSection(std::string_view section) const
{
    if (Trim(section).empty()) return {};
    return Load().SectionNames(section);
}

std::vector<std::string> TIniFile::ReadSections() const { return Load().Sections(); }

std::vector<std::string> TIniFile::ReadSectionValues(std::string_view section) const
{
    if (Trim(section).empty()) return {};
    return Load().SectionValues(section);
}

void TIniFile::WriteSectionValues(std::string_view section, const std::vector<std::string>& lines)
{
    if (!TIniDocument::IsStorable(section, lines)) RaiseWriteError();
    Modify([&](TIniDocument& document) { return document.SetValues(section, lines); });
}

void TIniFile::EraseSection(std::string_view section)
{
    Modify([&](TIniDocument& document) { return document.EraseSection(section); });
}

void TIniFile::DeleteKey(std::string_view section, std::string_view name)
{
    Modify([&](TIniDocument& document) { return document.DeleteKey(section, name); });
}

}  // namespace vantor
