#include "locations/location_builder.h"

#include "locations/location_file.h"
#include "text/code_page.h"
#include "text/csv.h"
#include "text/file_io.h"
#include "text/format.h"
#include "text/number_text.h"
#include "text/text_routines.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <optional>
#include <set>
#include <tuple>

namespace vantor {

namespace {

constexpr std::size_t kFieldCount = 14;
constexpr std::size_t kSectionNameMaxBytes = 63;

struct TRange {
    const char* Name;
    double Lo;
    double Hi;
};

// The numeric fields in table order with the values a place on earth can have.
constexpr TRange kRanges[] = {
    {"latitude", -90, 90},           {"longitude", -180, 180},        {"time zone", -12, 14},
    {"altitude", -500, 9000},        {"cooling dry bulb", -60, 60},   {"cooling wet bulb", -60, 60},
    {"heating dry bulb", -80, 60},   {"wind speed", 0, 100},          {"max dry bulb", -60, 65},
    {"min dry bulb", -90, 50},       {"daily range", 0, 50},
};

// Each check gives the reason a line cannot be used, or nothing when it can.
using TProblem = std::optional<std::string>;

// A quoted field may hold a line break, which no file name, INI key or list entry can.
bool HoldsControlCharacter(std::string_view name)
{
    return std::any_of(name.begin(), name.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; });
}

// A database or region name: it becomes an INI section or key, a database also a file name.
TProblem SectionNameProblem(std::string_view what, const std::string& name, bool isFileName)
{
    if (name.empty()) return std::string(what) + " is empty";
    const std::optional<std::string> bytes = Utf8ToWindows1252(name);
    if (!bytes) return std::string(what) + " \"" + name + "\" holds characters Windows-1252 cannot write";
    if (HoldsControlCharacter(name)) return std::string(what) + " \"" + name + "\" holds a line break or a control character";
    if (bytes->size() > kSectionNameMaxBytes)
        return Format("%s \"%s\" is longer than %d bytes", {what, name, static_cast<int>(kSectionNameMaxBytes)});
    if (SameText(name, kAllKey)) return std::string(what) + " may not be called \"+All\"";
    if (name.find_first_of("[]=;\"") != std::string::npos || name.front() == '#')
        return std::string(what) + " \"" + name + "\" holds one of [ ] = ; \" or starts with #";
    if (isFileName && (name.find('/') != std::string::npos || name == "." || name == ".."))
        return std::string(what) + " \"" + name + "\" cannot name a file";
    return std::nullopt;
}

TProblem PlaceNameProblem(const std::string& name)
{
    if (name.empty()) return "the place name is empty";
    const std::optional<std::string> bytes = Utf8ToWindows1252(name);
    if (!bytes) return "the place name \"" + name + "\" holds characters Windows-1252 cannot write";
    if (HoldsControlCharacter(name)) return "the place name \"" + name + "\" holds a line break or a control character";
    if (bytes->size() > kPlaceNameMaxBytes)
        return Format("the place name \"%s\" is %d bytes long in Windows-1252; at most %d fit",
                      {name, static_cast<int>(bytes->size()), static_cast<int>(kPlaceNameMaxBytes)});
    return std::nullopt;
}

TProblem ReadValue(const TRange& range, const std::string& text, float& value)
{
    const std::optional<double> number = ParseDouble(text);
    if (!number) return Format("the %s \"%s\" is not a number", {range.Name, text});
    if (*number < range.Lo || *number > range.Hi)
        return Format("the %s %s lies outside %0.0f to %0.0f", {range.Name, text, range.Lo, range.Hi});
    value = static_cast<float>(*number);
    return std::nullopt;
}

// A line's database, region and place names.
TProblem NamesProblem(const std::vector<std::string>& fields)
{
    if (fields.size() != kFieldCount)
        return Format("%d fields where a place has %d", {static_cast<int>(fields.size()), static_cast<int>(kFieldCount)});
    if (TProblem p = SectionNameProblem("the database", fields[0], true)) return p;
    if (TProblem p = SectionNameProblem("the region", fields[1], false)) return p;
    return PlaceNameProblem(fields[2]);
}

// A line's numbers, each in its range and the pairs in order.
TProblem ReadValues(const std::vector<std::string>& fields, TLocationRecord& record)
{
    float* values[] = {&record.Latitude,       &record.Longitude,      &record.TimeZone,  &record.Altitude,
                       &record.CoolingDryBulb, &record.CoolingWetBulb, &record.HeatingDryBulb,
                       &record.WindSpeed,      &record.MaxDryBulb,     &record.MinDryBulb, &record.DailyRange};
    for (std::size_t k = 0; k < std::size(values); ++k)
        if (TProblem p = ReadValue(kRanges[k], fields[3 + k], *values[k])) return p;
    if (record.CoolingWetBulb > record.CoolingDryBulb) return "the cooling wet bulb lies above the cooling dry bulb";
    if (record.MinDryBulb > record.MaxDryBulb) return "the min dry bulb lies above the max dry bulb";
    return std::nullopt;
}

int CodeOf(std::vector<std::string>& names, const std::string& name)
{
    const auto found = std::find(names.begin(), names.end(), name);
    if (found != names.end()) return static_cast<int>(found - names.begin()) + 1;
    names.push_back(name);
    return static_cast<int>(names.size());
}

}  // namespace

TResult ParseLocationTable(std::string_view text, TLocationTable& table)
{
    std::vector<TCsvRecord> lines;
    if (TResult read = ReadCsvRecords(text, lines); !read) return read;
    TLocationTable built;
    std::map<std::string, std::vector<std::string>> regionsOf;
    std::set<std::tuple<std::string, std::string, std::string>> seen;
    bool firstLine = true;
    for (TCsvRecord& line : lines) {
        std::vector<std::string>& fields = line.Fields;
        for (std::string& field : fields) field = Trim(field);
        if (fields.front().starts_with('#')) continue;
        const bool header = firstLine && SameText(fields.front(), "database");
        firstLine = false;
        if (header) continue;
        const auto lineProblem = [&line](const std::string& problem) {
            return TResult::Error(TErrorCode::Failed, Format("line %d: %s", {line.Line, problem}));
        };
        if (TProblem problem = NamesProblem(fields)) return lineProblem(*problem);
        const std::string& database = fields[0];
        const std::string& region = fields[1];
        const std::string& name = fields[2];
        if (!seen.insert({LowerCase(database), LowerCase(region), LowerCase(name)}).second)
            return lineProblem("\"" + name + "\" is listed twice in " + database + ", " + region);
        TLocationRecord record;
        record.Name = name;
        if (TProblem problem = ReadValues(fields, record)) return lineProblem(*problem);
        record.DatabaseCode = CodeOf(built.Databases, database);
        record.RegionCode = CodeOf(regionsOf[database], region);
        built.Records.push_back(std::move(record));
    }
    if (built.Records.empty()) return TResult::Error(TErrorCode::Failed, "The table lists no places");

    built.Index.AddKey(kAllKey, std::string(kAllKey), 0);
    for (std::size_t d = 0; d < built.Databases.size(); ++d)
        built.Index.AddKey(kAllKey, built.Databases[d], static_cast<int>(d) + 1);
    for (const std::string& database : built.Databases) {
        built.Index.AddKey(database, std::string(kAllKey), 0);
        const std::vector<std::string>& regions = regionsOf[database];
        for (std::size_t r = 0; r < regions.size(); ++r) built.Index.AddKey(database, regions[r], static_cast<int>(r) + 1);
    }
    table = std::move(built);
    return TResult::Ok();
}

TResult BuildLocationDatabases(const std::filesystem::path& tableFile, const std::filesystem::path& folder,
                               TBuildSummary& summary)
{
    const std::string problem = FileReadProblem(tableFile, 64u * 1024u * 1024u);
    const std::optional<std::string> text = problem.empty() ? ReadFileText(tableFile) : std::nullopt;
    if (!text) return TResult::Error(TErrorCode::Failed, "The file " + tableFile.string() + " " + (problem.empty() ? "cannot be read" : problem));
    TLocationTable table;
    if (TResult parsed = ParseLocationTable(*text, table); !parsed) {
        parsed.Message = tableFile.filename().string() + ", " + parsed.Message;
        return parsed;
    }

    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) return TResult::Error(TErrorCode::Failed, "Unable to make the folder " + folder.string() + " (" + error.message() + ")");
    for (std::size_t d = 0; d < table.Databases.size(); ++d) {
        std::vector<TLocationRecord> records;
        for (const TLocationRecord& record : table.Records)
            if (record.DatabaseCode == static_cast<int>(d) + 1) records.push_back(record);
        if (TResult written = WriteLocationFile(folder / (table.Databases[d] + ".wdb"), records); !written) return written;
    }
    if (TResult written = WriteLocationFile(folder / (std::string(kAllKey) + ".wdb"), table.Records); !written) return written;
    // The index last: a folder with an index has all its databases.
    const std::optional<std::string> index = table.Index.Text();
    if (!index) return TResult::Error(TErrorCode::Failed, "The index cannot be written in Windows-1252");
    if (TResult written = WriteFileAtomically(folder / kRegionsIndexName, *index); !written) return written;

    summary.Databases = static_cast<int>(table.Databases.size());
    summary.Regions = 0;
    for (const std::string& database : table.Databases)
        summary.Regions += static_cast<int>(table.Index.Keys(database).size()) - 1;
    summary.Places = static_cast<int>(table.Records.size());
    return TResult::Ok();
}

}  // namespace vantor
