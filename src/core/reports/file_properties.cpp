#include "reports/file_properties.h"

#include "text/code_page.h"
#include "text/format.h"
#include "text/text_routines.h"

#include <pwd.h>
#include <unistd.h>

#include <vector>

namespace vantor {

namespace {

std::string Quoted(std::string_view text) { return "'" + std::string(text) + "'"; }

}  // namespace

TFileProperties::TFileProperties() : Date(Today()) {}

TFileProperties TFileProperties::FromDefaults(const TFilePropertiesDefaults& defaults)
{
    TFileProperties properties;
    properties.ProjectName = defaults.ProjectName;
    properties.ProjectNumber = defaults.ProjectNumber;
    properties.Author = defaults.Author;
    properties.Company = defaults.Company;
    return properties;
}

std::string TFileProperties::EncodedDescription() const { return EncodeLineBreaks(Description); }

void TFileProperties::SetEncodedDescription(std::string_view text) { Description = DecodeLineBreaks(text); }

std::vector<std::string> TFileProperties::DescriptionLines() const
{
    std::vector<std::string> lines;
    std::string_view rest = Description;
    while (!rest.empty()) {
        const size_t end = rest.find_first_of("\r\n");
        lines.emplace_back(rest.substr(0, end));
        if (end == std::string_view::npos) break;
        const bool crlf = rest[end] == '\r' && end + 1 < rest.size() && rest[end + 1] == '\n';
        rest.remove_prefix(end + (crlf ? 2 : 1));
    }
    return lines;
}

std::string TFileProperties::DateText() const
{
    return Format("%.2d %.2d %.4d", {static_cast<unsigned>(Date.day()), static_cast<unsigned>(Date.month()),
                                     static_cast<int>(Date.year())});
}

void TFileProperties::SetDateText(std::string_view text) { Date = ReadDate(text, ' '); }

void TFileProperties::WriteTextBlock(std::vector<std::string>& lines) const
{
    const std::vector<std::string> comments = DescriptionLines();
    lines.push_back(Quoted(ProjectName));
    lines.push_back(Quoted(ProjectNumber));
    lines.push_back(std::to_string(comments.size()));
    for (const std::string& comment : comments) lines.push_back(Quoted(comment));
    lines.push_back(Quoted(Author));
    lines.push_back(Quoted(Company));
    lines.push_back(Quoted(DateText()));
}

std::string RegisteredOwnerName()
{
    long size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(size > 0 ? static_cast<size_t>(size) : 16384);
    passwd entry{};
    passwd* found = nullptr;
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 || !found) return {};
    // The comment field holds "Full Name,room,phone,...".
    const std::string fullName = Trim(ExtractField(1, ',', found->pw_gecos ? found->pw_gecos : ""));
    return fullName.empty() && found->pw_name ? std::string(found->pw_name) : fullName;
}

std::string RegisteredOrganization() { return {}; }

TFilePropertiesDefaults ReadFilePropertiesDefaults(const TSettingsStore& programKey)
{
    TFilePropertiesDefaults defaults;
    defaults.ProjectName = programKey.ReadString(kFilePropertiesSection, "Name", "");
    defaults.ProjectNumber = programKey.ReadString(kFilePropertiesSection, "Number", "");
    defaults.Author = programKey.ReadString(kFilePropertiesSection, "Author", RegisteredOwnerName());
    defaults.Company = programKey.ReadString(kFilePropertiesSection, "Company", RegisteredOrganization());
    return defaults;
}

void WriteFilePropertiesDefaults(TSettingsStore& programKey, const TFilePropertiesDefaults& defaults)
{
    programKey.WriteString(kFilePropertiesSection, "Name", defaults.ProjectName);
    programKey.WriteString(kFilePropertiesSection, "Number", defaults.ProjectNumber);
    programKey.WriteString(kFilePropertiesSection, "Author", defaults.Author);
    programKey.WriteString(kFilePropertiesSection, "Company", defaults.Company);
}

std::string FilePropertyTextProblem(std::string_view text)
{
    switch (CheckXmlText(text)) {
    case TXmlTextFault::NotUtf8:
        return "is not valid UTF-8";
    case TXmlTextFault::ForbiddenCharacter:
        return "holds a control character a data file cannot store";
    case TXmlTextFault::None:
        break;
    }
    return {};
}

std::string FileSizeText(std::uintmax_t bytes)
{
    return Format("%0.2f KB (%d bytes)", {static_cast<double>(bytes) / 1024.0, static_cast<unsigned long long>(bytes)});
}

}  // namespace vantor
