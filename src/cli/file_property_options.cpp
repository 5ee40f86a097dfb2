#include "cli/file_property_options.h"

#include "cli/commands.h"
#include "text/text_routines.h"

namespace vantor::cli {

void AddFilePropertyOptions(CLI::App& command, TFilePropertyOptions& o)
{
    auto* group = command.add_option_group("file properties", "The file properties written by --save and --psy");
    group->add_option("--project-name", o.ProjectName, "Project name");
    group->add_option("--project-number", o.ProjectNumber, "Project number");
    group->add_option("--comments", o.Comments, "Comments; \\n starts a new line");
    group->add_option("--author", o.Author, "Registered user");
    group->add_option("--company", o.Company, "Registered organisation");
    group->add_option("--date", o.Date, "Project date, \"dd mm yyyy\"");
}

std::string CommentsFromCommandLine(const std::string& text)
{
    std::string comments;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text.compare(i, 2, "\\n") == 0) {
            comments += "\r\n";
            ++i;
        } else if (text.compare(i, 2, "\r\n") == 0) {
            comments += "\r\n";
            ++i;
        } else if (text[i] == '\n') {
            comments += "\r\n";
        } else {
            comments += text[i];
        }
    }
    return comments;
}

namespace {

// Every text option is checked before any is applied, so a refused one changes nothing.
void CheckPropertyText(const char* option, const std::optional<std::string>& text)
{
    if (!text) return;
    if (const std::string problem = FilePropertyTextProblem(*text); !problem.empty())
        throw TUsageError(std::string(option) + ": the text " + problem);
}

}  // namespace

void ApplyFilePropertyOptions(const TFilePropertyOptions& o, TFileProperties& properties)
{
    CheckPropertyText("--project-name", o.ProjectName);
    CheckPropertyText("--project-number", o.ProjectNumber);
    CheckPropertyText("--comments", o.Comments);
    CheckPropertyText("--author", o.Author);
    CheckPropertyText("--company", o.Company);
    if (o.Date) {
        const std::optional<std::chrono::year_month_day> date = TryReadDate(*o.Date, ' ');
        if (!date) throw TUsageError("--date: \"" + *o.Date + "\" is not a date \"dd mm yyyy\"");
        properties.Date = *date;
    }
    if (o.ProjectName) properties.ProjectName = *o.ProjectName;
    if (o.ProjectNumber) properties.ProjectNumber = *o.ProjectNumber;
    if (o.Comments) properties.Description = CommentsFromCommandLine(*o.Comments);
    if (o.Author) properties.Author = *o.Author;
    if (o.Company) properties.Company = *o.Company;
}

}  // namespace vantor::cli
