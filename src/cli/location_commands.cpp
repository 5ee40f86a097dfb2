#include "cli/location_commands.h"

#include "cli/commands.h"
#include "locations/barometer.h"
#include "locations/location_builder.h"
#include "locations/location_picker.h"
#include "locations/location_texts.h"
#include "text/format.h"
#include "text/text_routines.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

namespace vantor::cli {

namespace {

struct TLocationOptions {
    std::string Folder;
    std::string Database;
    std::string Region;
    std::string Place;
    std::string Build;
    std::string Out;
    bool Json = false;
};

// The picker opened on a database and region, as the window would be.
class TOpenedPicker {
public:
    TOpenedPicker(const std::string& folder, const std::string& database, const std::string& region)
    {
        const TLocationsFolder located = LocationsFolder();
        m_shipped = folder.empty() && located.Shipped;
        m_picker.SetFolder(folder.empty() ? located.Folder : std::filesystem::path(folder));
        const std::string wantedDatabase = ListedName(database.empty() ? std::string(kAllKey) : database);
        const std::string wantedRegion = region.empty() ? std::string(kAllKey) : region;
        m_picker.SetChoice(wantedDatabase, wantedRegion, "");
        const TResult activated = m_picker.Activate();
        if (m_picker.Databases().empty())
            throw TInputError("no location databases in " + m_picker.Folder().string() + " (" +
                              std::string(kRegionsIndexName) + " is missing or empty)");
        if (!activated) throw TInputError(ReplaceLineBreaks(activated.Message));
        if (m_picker.Database().empty()) throw TInputError("there is no database \"" + wantedDatabase + "\"");
        if (m_picker.Region() != wantedRegion && !SameText(m_picker.Region(), wantedRegion)) {
            const auto& regions = m_picker.Regions();
            const auto found = std::find_if(regions.begin(), regions.end(),
                                            [&](const std::string& r) { return SameText(r, wantedRegion); });
            if (found == regions.end())
                throw TInputError("there is no region \"" + wantedRegion + "\" in " + m_picker.Database());
            if (TResult chosen = m_picker.ChooseRegion(*found); !chosen) throw TInputError(chosen.Message);
        }
        m_notice = m_picker.TakeNotice();
    }

    TLocationPicker& Picker() { return m_picker; }
    bool Shipped() const { return m_shipped; }
    const std::string& Notice() const { return m_notice; }

    // The one place of that name; several or none is an error naming them.
    void ChoosePlace(const std::string& name)
    {
        std::vector<int> matches;
        for (std::size_t i = 0; i < m_picker.Places().size(); ++i)
            if (SameText(m_picker.Places()[i].Name, name)) matches.push_back(static_cast<int>(i));
        if (matches.empty())
            throw TInputError("there is no place \"" + name + "\" in " + m_picker.Database() + ", " + m_picker.Region());
        if (matches.size() > 1) {
            std::string list;
            for (int index : matches) {
                if (TResult read = m_picker.ChoosePlace(index); !read) throw TInputError(read.Message);
                list += "\n  " + m_picker.PlaceText();
            }
            throw TInputError("\"" + name + "\" matches " + std::to_string(matches.size()) +
                              " places; give --database (and --region) to choose one:" + list);
        }
        if (TResult read = m_picker.ChoosePlace(matches.front()); !read) throw TInputError(read.Message);
    }

private:
    // The database as the index spells it, names being compared without regard to case.
    std::string ListedName(const std::string& database) const
    {
        // Before the picker opens it: an index that cannot be read leaves the name as given,
        // and opening then says what is wrong.
        TRegionsIndex index;
        (void)index.Load(m_picker.Folder() / kRegionsIndexName);
        for (const std::string& section : index.Sections())
            if (SameText(section, database)) return section;
        return database;
    }

    static std::string ReplaceLineBreaks(std::string text)
    {
        std::replace(text.begin(), text.end(), '\r', ' ');
        text.erase(std::remove(text.begin(), text.end(), '\n'), text.end());
        return text;
    }

    TLocationPicker m_picker;
    bool m_shipped = false;
    std::string m_notice;
};

void PrintRow(std::string_view label, std::string_view value) { std::cout << Format("%-16s%s\n", {label, value}); }

void PrintNotes(const TOpenedPicker& opened)
{
    if (!opened.Notice().empty()) std::cerr << "vantor-cli locations: " << opened.Notice() << "\n";
}

int ListDatabases(const TLocationOptions& options)
{
    TOpenedPicker opened(options.Folder, "", "");
    TLocationPicker& picker = opened.Picker();
    const TRegionsIndex& index = picker.Index();
    if (options.Json) {
        nlohmann::ordered_json databases = nlohmann::ordered_json::array();
        for (const std::string& name : picker.Databases())
            databases.push_back({{"Name", name}, {"Code", index.Code(kAllKey, name)}, {"Regions", index.Keys(name).size()}});
        nlohmann::ordered_json out = {{"Folder", picker.Folder().string()}, {"Databases", databases}};
        if (opened.Shipped()) out["Note"] = kTypicalValuesNote;
        std::cout << out.dump(2) << "\n";
        return kExitOk;
    }
    std::cout << "Location databases in " << picker.Folder().string() << "\n";
    for (const std::string& name : picker.Databases()) std::cout << "  " << name << "\n";
    if (opened.Shipped()) std::cout << kTypicalValuesNote << ".\n";
    return kExitOk;
}

int ListRegions(const TLocationOptions& options)
{
    TOpenedPicker opened(options.Folder, options.Database, "");
    TLocationPicker& picker = opened.Picker();
    PrintNotes(opened);
    const TRegionsIndex& index = picker.Index();
    if (options.Json) {
        nlohmann::ordered_json regions = nlohmann::ordered_json::array();
        for (const std::string& name : picker.Regions())
            regions.push_back({{"Name", name}, {"Code", index.Code(picker.Database(), name)}});
        std::cout << nlohmann::ordered_json{{"Database", picker.Database()}, {"Regions", regions}}.dump(2) << "\n";
        return kExitOk;
    }
    std::cout << "Regions of " << picker.Database() << "\n";
    for (const std::string& name : picker.Regions()) std::cout << "  " << name << "\n";
    return kExitOk;
}

int ListPlaces(const TLocationOptions& options)
{
    TOpenedPicker opened(options.Folder, options.Database, options.Region);
    TLocationPicker& picker = opened.Picker();
    PrintNotes(opened);
    nlohmann::ordered_json places = nlohmann::ordered_json::array();
    if (!options.Json) std::cout << "Places of " << picker.Database() << ", " << picker.Region() << "\n";
    for (std::size_t i = 0; i < picker.Places().size(); ++i) {
        if (TResult read = picker.ChoosePlace(static_cast<int>(i)); !read) throw TInputError(read.Message);
        if (options.Json)
            places.push_back({{"Place", picker.Place()}, {"PlaceText", picker.PlaceText()},
                              {"Record", picker.Places()[i].Record + 1}});
        else
            std::cout << "  " << picker.PlaceText() << "\n";
    }
    if (options.Json)
        std::cout << nlohmann::ordered_json{{"Database", picker.Database()}, {"Region", picker.Region()}, {"Places", places}}
                         .dump(2)
                  << "\n";
    return kExitOk;
}

int ShowPlace(const TLocationOptions& options)
{
    TOpenedPicker opened(options.Folder, options.Database, options.Region);
    opened.ChoosePlace(options.Place);
    PrintNotes(opened);
    TLocationPicker& picker = opened.Picker();
    const TLocationRecord& r = picker.Record();
    const TRegionsIndex& index = picker.Index();
    const std::string database = index.KeyOfCode(kAllKey, r.DatabaseCode);
    const std::string region = r.RegionCode != 0 ? index.KeyOfCode(database, r.RegionCode) : std::string();
    const int record = picker.Places()[static_cast<std::size_t>(picker.PlaceIndex())].Record + 1;
    if (options.Json) {
        nlohmann::ordered_json rows = nlohmann::ordered_json::array();
        for (const auto& [caption, value] : picker.Rows()) rows.push_back({caption, value});
        nlohmann::ordered_json out = {
            {"Database", database},         {"Region", region},
            {"Place", r.Name},              {"PlaceText", picker.PlaceText()},
            {"Record", record},             {"Records", picker.RecordCount()},
            {"Latitude", r.Latitude},       {"Longitude", r.Longitude},
            {"TimeZone", r.TimeZone},       {"Altitude", r.Altitude},
            {"CoolingDryBulb", r.CoolingDryBulb}, {"CoolingWetBulb", r.CoolingWetBulb},
            {"HeatingDryBulb", r.HeatingDryBulb}, {"WindSpeed", r.WindSpeed},
            {"MaxDryBulb", r.MaxDryBulb},   {"MinDryBulb", r.MinDryBulb},
            {"DailyRange", r.DailyRange},   {"Rows", rows}};
        if (opened.Shipped()) out["Note"] = kTypicalValuesNote;
        std::cout << out.dump(2) << "\n";
        return kExitOk;
    }
    std::cout << picker.PlaceText() << "\n";
    for (const auto& [caption, value] : picker.Rows()) PrintRow(caption, value);
    PrintRow("Status", picker.RecordStatus());
    if (opened.Shipped()) std::cout << kTypicalValuesNote << ".\n";
    return kExitOk;
}

int Build(const TLocationOptions& options)
{
    if (options.Out.empty()) throw TUsageError("--build needs --out FOLDER");
    if (!options.Folder.empty() || !options.Database.empty() || !options.Region.empty() || !options.Place.empty())
        throw TUsageError("--build takes only --out");
    TBuildSummary summary;
    const TResult built = BuildLocationDatabases(options.Build, options.Out, summary);
    if (!built) throw TInputError(built.Message);
    std::cout << Format("%d places in %d databases and %d regions written to %s\n",
                        {summary.Places, summary.Databases, summary.Regions, options.Out});
    return kExitOk;
}

int RunLocations(const TLocationOptions& options)
{
    if (!options.Build.empty()) return Build(options);
    if (!options.Out.empty()) throw TUsageError("--out goes with --build");
    if (!options.Place.empty()) return ShowPlace(options);
    if (!options.Region.empty()) return ListPlaces(options);
    if (!options.Database.empty()) return ListRegions(options);
    return ListDatabases(options);
}

}  // namespace

int RunBarometerAtPlace(const std::string& place, const std::string& database, bool json)
{
    TOpenedPicker opened(std::string(), database, "");
    opened.ChoosePlace(place);
    const TLocationPicker& picker = opened.Picker();
    const double altitude = static_cast<double>(picker.Record().Altitude);
    const TPlaceBarometer reading = BarometerAtPlace(picker.Record().Name, altitude);
    if (json) {
        nlohmann::ordered_json out = {{"P", reading.Barometer.Pressure},
                                      {"altitude", reading.Barometer.Altitude},
                                      {"Place", picker.PlaceText()},
                                      {"PlaceAltitude", altitude},
                                      {"Held", reading.Held}};
        if (reading.Held) out["Message"] = reading.Message;
        std::cout << out.dump(2) << "\n";
        return kExitOk;
    }
    PrintRow("Place", picker.PlaceText());
    PrintRow("Pressure", FormatFloat("%0.3f kPa", reading.Barometer.Pressure));
    PrintRow("Altitude", FormatFloat("%0.1f m", altitude));
    if (reading.Held) std::cout << reading.Message << "\n";
    return kExitOk;
}

void AddLocationCommands(CLI::App& app, int& exitCode)
{
    auto options = std::make_shared<TLocationOptions>();
    auto* command = app.add_subcommand(
        "locations", "The location databases: list databases, regions and places, show a place, or build the files");
    command->add_option("--folder", options->Folder,
                        "Read Regions.idx and its .wdb files from this folder instead of the shared files folder");
    command->add_option("--database", options->Database, "A database; alone: list its regions");
    command->add_option("--region", options->Region, "A region of the database; alone: list its places");
    command->add_option("--place", options->Place, "Show this place (searched in the +All database by default)");
    command->add_option("--build", options->Build,
                        "Write Regions.idx and the .wdb files from a places table (CSV) into --out");
    command->add_option("--out", options->Out, "The folder --build writes into");
    command->add_flag("--json", options->Json, "Write JSON");
    command->callback([&exitCode, options] { exitCode = Guarded("locations", [&] { return RunLocations(*options); }); });
}

}  // namespace vantor::cli
