#include "locations/location_builder.h"

#include "text/code_page.h"
#include "locations/location_file.h"
#include "text/file_io.h"
#include "text/format.h"
#include "text/number_text.h"
#include "text/text_routines.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
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

class TLineError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

std::string Lower(std::string_view text)
{
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
    return out;
}

// A database or region name: it becomes an INI section or key, a database also a file name.
void CheckSectionName(std::string_view what, const std::string& name, bool isFileName)
{
    if (name.empty()) throw TLineError(std::string(what) + " is empty");
    const std::optional<std::string> bytes = Utf8ToWindows1252(name);
    if (!bytes) throw TLineError(std::string(what) + " \"" + name + "\" holds characters Windows-1252 cannot write");
    if (bytes->size() > kSectionNameMaxBytes)
        throw TLineError(Format("%s \"%s\" is longer than %d bytes", {what, name, static_cast<int>(kSectionNameMaxBytes)}));
    if (Lower(name) == Lower(kAllKey)) throw TLineError(std::string(what) + " may not be called \"+All\"");
    if (name.find_first_of("[]=;\"") != std::string::npos || name.front() == '#')
        throw TLineError(std::string(what) + " \"" + name + "\" holds one of [ ] = ; \" or starts with #");
    if (isFileName && (name.find('/') != std::string::npos || name == "." || name == ".."))
        throw TLineError(std::string(what) + " \"" + name + "\" cannot name a file");
}

void CheckPlaceName(const std::string& name)
{
    if (name.empty()) throw TLineError("the place name is empty");
    const std::optional<std::string> bytes = Utf8ToWindows1252(name);
    if (!bytes) throw TLineError("the place name \"" + name + "\" holds characters Windows-1252 cannot write");
    if (bytes->size() > kPlaceNameMaxBytes)
        throw TLineError(Format("the place name \"%s\" is %d bytes long in Windows-1252; at most %d fit",
                                {name, static_cast<int>(bytes->size()), static_cast<int>(kPlaceNameMaxBytes)}));
}

float ReadValue(const TRange& range, const std::string& text)
{
    const std::optional<double> value = ParseDouble(text);
    if (!value) throw TLineError(Format("the %s \"%s\" is not a number", {range.Name, text}));
    if (*value < range.Lo || *value > range.Hi)
        throw TLineError(Format("the %s %s lies outside %0.0f to %0.0f", {range.Name, text, range.Lo, range.Hi}));
    return static_cast<float>(*value);
}

// Every piece between delimiters, empty ones included, so that line and field numbers hold.
std::vector<std::string> Pieces(std::string_view text, char delimiter)
{
    std::vector<std::string> pieces;
    for (std::size_t start = 0;;) {
        const std::size_t end = text.find(delimiter, start);
        pieces.emplace_back(text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
        if (end == std::string_view::npos) return pieces;
        start = end + 1;
    }
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
    TLocationTable built;
    std::map<std::string, std::vector<std::string>> regionsOf;
    std::set<std::tuple<std::string, std::string, std::string>> seen;
    int lineNumber = 0;
    bool firstLine = true;
    for (const std::string& rawLine : Pieces(text, '\n')) {
        ++lineNumber;
        std::string line = rawLine;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (lineNumber == 1 && line.starts_with("\xEF\xBB\xBF")) line.erase(0, 3);
        if (Trim(line).empty() || Trim(line).front() == '#') continue;
        std::vector<std::string> fields = Pieces(line, ',');
        for (std::string& field : fields) field = Trim(field);
        const bool header = firstLine && Lower(fields.front()) == "database";
        firstLine = false;
        if (header) continue;
        try {
            if (fields.size() != kFieldCount)
                throw TLineError(Format("%d fields where a place has %d", {static_cast<int>(fields.size()), static_cast<int>(kFieldCount)}));
            const std::string& database = fields[0];
            const std::string& region = fields[1];
            const std::string& name = fields[2];
            CheckSectionName("the database", database, true);
            CheckSectionName("the region", region, false);
            CheckPlaceName(name);
            if (!seen.insert({Lower(database), Lower(region), Lower(name)}).second)
                throw TLineError("\"" + name + "\" is listed twice in " + database + ", " + region);

            TLocationRecord record;
            record.Name = name;
            float* values[] = {&record.Latitude,       &record.Longitude,      &record.TimeZone,  &record.Altitude,
                               &record.CoolingDryBulb, &record.CoolingWetBulb, &record.HeatingDryBulb,
                               &record.WindSpeed,      &record.MaxDryBulb,     &record.MinDryBulb, &record.DailyRange};
            for (std::size_t k = 0; k < std::size(values); ++k) *values[k] = ReadValue(kRanges[k], fields[3 + k]);
            if (record.CoolingWetBulb > record.CoolingDryBulb)
                throw TLineError("the cooling wet bulb lies above the cooling dry bulb");
            if (record.MinDryBulb > record.MaxDryBulb) throw TLineError("the min dry bulb lies above the max dry bulb");

            record.DatabaseCode = CodeOf(built.Databases, database);
            record.RegionCode = CodeOf(regionsOf[database], region);
            built.Records.push_back(std::move(record));
        } catch (const TLineError& e) {
            return TResult::Error(1, Format("line %d: %s", {lineNumber, e.what()}));
        }
    }
    if (built.Records.empty()) return TResult::Error(1, "The table lists no places");

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
    if (!text) return TResult::Error(1, "The file " + tableFile.string() + " " + (problem.empty() ? "cannot be read" : problem));
    TLocationTable table;
    if (TResult parsed = ParseLocationTable(*text, table); !parsed) {
        parsed.Message = tableFile.filename().string() + ", " + parsed.Message;
        return parsed;
    }

    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) return TResult::Error(1, "Unable to make the folder " + folder.string() + " (" + error.message() + ")");
    for (std::size_t d = 0; d < table.Databases.size(); ++d) {
        std::vector<TLocationRecord> records;
        for (const TLocationRecord& record : table.Records)
            if (record.DatabaseCode == static_cast<int>(d) + 1) records.push_back(record);
        if (TResult written = WriteLocationFile(folder / (table.Databases[d] + ".wdb"), records); !written) return written;
    }
    if (TResult written = WriteLocationFile(folder / (std::string(kAllKey) + ".wdb"), table.Records); !written) return written;
    // The index last: a folder with an index has all its databases.
    const std::optional<std::string> index = table.Index.Text();
    if (!index) return TResult::Error(1, "The index cannot be written in Windows-1252");
    if (TResult written = WriteFileAtomically(folder / kRegionsIndexName, *index); !written) return written;

    summary.Databases = static_cast<int>(table.Databases.size());
    summary.Regions = 0;
    for (const std::string& database : table.Databases)
        summary.Regions += static_cast<int>(table.Index.Keys(database).size()) - 1;
    summary.Places = static_cast<int>(table.Records.size());
    return TResult::Ok();
}

}  // namespace vantor
