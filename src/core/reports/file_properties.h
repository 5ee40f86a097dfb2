#pragma once

// The descriptive properties every data file carries: project name and number, comments,
// the user's name and organisation, and a project date. The data file stores them (the
// comments on one line, each line break written "%13%10"; the date "dd mm yyyy") and the
// psychrometric chart export writes them as a text block. The project and user fields can be
// kept as defaults for new files in the program's settings, section "File Properties".

#include "settings/settings_store.h"

#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vantor {

inline constexpr std::string_view kFilePropertiesSection = "File Properties";

// The values a new file starts with.
struct TFilePropertiesDefaults {
    std::string ProjectName;
    std::string ProjectNumber;
    std::string Author;
    std::string Company;

    bool operator==(const TFilePropertiesDefaults&) const = default;
};

class TFileProperties {
public:
    // Empty texts, dated today.
    TFileProperties();
    // A new file's properties: the defaults, no comments, dated today.
    static TFileProperties FromDefaults(const TFilePropertiesDefaults& defaults);

    std::string ProjectName;
    std::string ProjectNumber;
    std::string Description;  // the comments; lines end with "\r\n" (a lone "\n" counts too)
    std::string Author;
    std::string Company;
    std::chrono::year_month_day Date;

    TFilePropertiesDefaults Defaults() const { return {ProjectName, ProjectNumber, Author, Company}; }

    // The comments on one line, each line break as the six characters "%13%10", and back.
    std::string EncodedDescription() const;
    void SetEncodedDescription(std::string_view text);
    // The comment lines; none for empty comments, and a final line break ends the last line.
    std::vector<std::string> DescriptionLines() const;

    // "05 03 2012" for 5 March 2012; a text that is no such date sets today.
    std::string DateText() const;
    void SetDateText(std::string_view text);

    // The text block of the chart export, one line each: project name, project number, the
    // number of comment lines, each comment line, user, organisation and date; texts in single
    // quotes (quotes inside them written as they are).
    void WriteTextBlock(std::vector<std::string>& lines) const;

    bool operator==(const TFileProperties&) const = default;
};

// Why text cannot be a file property, which data files store as XML: "is not valid UTF-8" or
// "holds a control character a data file cannot store"; empty when it can be one.
std::string FilePropertyTextProblem(std::string_view text);

// The user's full name from the passwd entry (the login name when it records none).
std::string RegisteredOwnerName();
// The registered organisation; the system keeps none.
std::string RegisteredOrganization();

// Defaults as stored: "Name", "Number", "Author" (default the registered owner) and
// "Company" (default the registered organisation).
TFilePropertiesDefaults ReadFilePropertiesDefaults(const TSettingsStore& programKey);
// "Keep as default": the four values into the program key.
void WriteFilePropertiesDefaults(TSettingsStore& programKey, const TFilePropertiesDefaults& defaults);

// A file size as the properties window shows it: "2.00 KB (2048 bytes)".
std::string FileSizeText(std::uintmax_t bytes);

}  // namespace vantor
