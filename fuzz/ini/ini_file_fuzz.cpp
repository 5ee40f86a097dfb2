// Arbitrary bytes as an INI file: loading never crashes or hangs, the text written back
// reads back to itself, and every typed read of every value falls back cleanly.

#include "ini/custom_ini_file.h"
#include "ini/ini_document.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

using vantor::TIniDocument;

// The typed reads of the INI classes over a document already in memory.
class TDocumentIni : public vantor::TCustomIniFile {
public:
    explicit TDocumentIni(TIniDocument& document) : TCustomIniFile("fuzz.ini"), m_document(document) {}

    std::string ReadString(std::string_view section, std::string_view name, std::string_view fallback) const override
    {
        const std::string* value = m_document.FindValue(section, name);
        return value ? *value : std::string(fallback);
    }
    void WriteString(std::string_view section, std::string_view name, std::string_view value) override
    {
        if (!TIniDocument::IsStorable(section, name, value)) RaiseWriteError();
        m_document.SetValue(section, name, value);
    }
    std::vector<std::string> ReadSection(std::string_view section) const override { return m_document.SectionNames(section); }
    std::vector<std::string> ReadSections() const override { return m_document.Sections(); }
    std::vector<std::string> ReadSectionValues(std::string_view section) const override
    {
        return m_document.SectionValues(section);
    }
    void WriteSectionValues(std::string_view section, const std::vector<std::string>& lines) override
    {
        if (!TIniDocument::IsStorable(section, lines)) RaiseWriteError();
        m_document.SetValues(section, lines);
    }
    void EraseSection(std::string_view section) override { m_document.EraseSection(section); }
    void DeleteKey(std::string_view section, std::string_view name) override { m_document.DeleteKey(section, name); }
    void UpdateFile() override {}

private:
    TIniDocument& m_document;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    TIniDocument document(bytes);
    const std::string written = document.Text();
    if (TIniDocument(written).Text() != written) std::abort();

    TDocumentIni ini(document);
    TIniDocument copy;
    TDocumentIni target(copy);
    for (const std::string& section : ini.ReadSections()) {
        for (const std::string& name : ini.ReadSection(section)) {
            (void)ini.ReadInteger(section, name, 0);
            (void)ini.ReadFloat(section, name, 0.5);
            (void)ini.ReadDateTime(section, name, {});
            (void)ini.ReadTime(section, name, {});
            (void)ini.ReadBinaryStream(section, name);
        }
        // Everything read from a file can be written into another one.
        target.WriteSectionValues(section, ini.ReadSectionValues(section));
        if (target.ReadSectionValues(section) != ini.ReadSectionValues(section)) std::abort();
    }
    return 0;
}
