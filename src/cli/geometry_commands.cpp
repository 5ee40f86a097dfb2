#include "cli/geometry_commands.h"

#include "cli/commands.h"
#include "cli/record_json.h"
#include "geometry/coil_makers.h"
#include "geometry/designation.h"
#include "geometry/fin_and_tube.h"
#include "text/format.h"
#include "text/text_routines.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <functional>
#include <iostream>
#include <memory>
#include <optional>
#include <string>

namespace vantor::cli {

namespace {

// A derived figure as the command shows it: the JSON key, the SI unit and its value.
struct TFigure {
    const char* Name;
    const char* Unit;
    double (*Value)(const TFinAndTube&);
};

const TFigure kFigures[] = {
    {"TubeCount", "", [](const TFinAndTube& g) { return g.TubeCount(); }},
    {"FaceArea", "m2", [](const TFinAndTube& g) { return g.FaceArea(); }},
    {"OutsideArea", "m2", [](const TFinAndTube& g) { return g.OutsideArea(); }},
    {"InsideArea", "m2", [](const TFinAndTube& g) { return g.InsideArea(); }},
    {"FinArea", "m2", [](const TFinAndTube& g) { return g.FinArea(); }},
    {"AreaRatio", "", [](const TFinAndTube& g) { return g.AreaRatio(); }},
    {"BoreArea", "m2", [](const TFinAndTube& g) { return g.BoreArea(); }},
    {"Sigma", "", [](const TFinAndTube& g) { return g.Sigma(); }},
    {"HydraulicDiameter", "m", [](const TFinAndTube& g) { return g.HydraulicDiameter(); }},
    {"FinPitch", "m", [](const TFinAndTube& g) { return g.FinPitch(); }},
    {"FinCount", "", [](const TFinAndTube& g) { return g.FinCount(); }},
    {"Depth", "m", [](const TFinAndTube& g) { return g.Depth(); }},
    {"FinEfficiency", "", [](const TFinAndTube& g) { return g.FinEfficiency(); }},
    {"SurfaceEfficiency", "", [](const TFinAndTube& g) { return g.SurfaceEfficiency(); }},
    {"InternalVolume", "m3", [](const TFinAndTube& g) { return g.InternalVolume(); }},
    {"DryWeight", "kg", [](const TFinAndTube& g) { return g.DryWeight(); }},
};

void PrintText(const TFinAndTube& g)
{
    const TModelRec& r = g.ModelRecord();
    const auto line = [](std::string_view label, std::string_view value) {
        std::cout << Format("%-20s%s\n", {std::string(label) + ":", value});
    };
    line("Designation", g.Designation());
    line("Maker", r.Mnf + " (" + r.Model + ")");
    if (const std::string styled = g.MakerDesignation(); !styled.empty()) line("Maker designation", styled);
    line("Catalogue line", CatalogueLine(MnfRecOf(r)));
    line("TubesHigh", Format("%d", {g.TubesHigh()}));
    for (const TFigure& figure : kFigures) {
        const std::string value = Format("%0.6g", {figure.Value(g)});
        line(figure.Name, *figure.Unit ? value + " " + figure.Unit : value);
    }
    line("Circuit basis", CircuitBasisLabel(r.cb));
    line("Serpentine", CircuitFractionLabel(g.SerpentineIndex()));
    line("Connections", std::string(ConnectionEndLabel(g.OppositeEnd())) + " end");
}

TCoilMakers CatalogueForCommandLine(const std::function<void(const std::string&)>& log)
{
    TCoilMakers catalogue;
    catalogue.SetMessageHandler([log](std::string_view message) { log(std::string(message)); });
    return catalogue;
}

void PrintToStderr(const std::string& line) { std::cerr << line << "\n"; }

// The maker's ranges as "code (name)", for a message about what the maker has.
std::string TubeRangesOf(TCoilMakers& catalogue, const std::string& maker)
{
    catalogue.LoadMaker(maker);
    std::vector<std::string> ranges;
    for (const TMnfRec& range : catalogue.CachedRanges())
        ranges.push_back(std::to_string(range.d) + " (" + range.name + ")");
    return Joined(ranges, ", ");
}

// The maker, range and tube code asked for exist in the catalogue; a catalogue with no makers
// at all is left to its fallback, which makes the user's copy with the default range.
std::optional<std::string> CheckChoice(TCoilMakers& catalogue, const TGeometryOptions& options, bool tubeGiven)
{
    const std::vector<std::string> makers = catalogue.MakerNames();
    if (makers.empty()) return std::nullopt;
    const auto maker =
        std::find_if(makers.begin(), makers.end(), [&](const std::string& m) { return SameText(m, options.Maker); });
    if (maker == makers.end())
        return "There is no coil maker " + options.Maker + " in the catalogue; its makers are " + Joined(makers, ", ");
    if (!options.Range.empty() && !catalogue.FindRange(options.Maker, options.Range))
        return "The coil maker " + options.Maker + " has no tube range " + options.Range + "; its ranges (tube code and name) are " +
               TubeRangesOf(catalogue, options.Maker);
    if (tubeGiven) {
        catalogue.LoadMaker(options.Maker);
        const TMnfRecVec& ranges = catalogue.CachedRanges();
        if (std::none_of(ranges.begin(), ranges.end(), [&](const TMnfRec& r) { return r.d == options.Tube; }))
            return "The coil maker " + options.Maker + " has no tube code " + std::to_string(options.Tube) +
                   "; its ranges (tube code and name) are " + TubeRangesOf(catalogue, options.Maker);
    }
    return std::nullopt;
}

int RunGeometry(const TGeometryOptions& options, bool tubeGiven)
{
    TFinAndTube geometry;
    try {
        BuildGeometry(options, tubeGiven, geometry, PrintToStderr);
    } catch (const TInputError& e) {
        std::cerr << e.what() << "\n";
        return kExitFailed;
    }
    if (options.Json)
        std::cout << GeometryJson(geometry).dump(2) << "\n";
    else
        PrintText(geometry);
    return kExitOk;
}

int RunMakers(const std::string& maker)
{
    TCoilMakers catalogue = CatalogueForCommandLine(PrintToStderr);
    const std::vector<std::string> names = catalogue.MakerNames();
    if (names.empty()) {
        std::cerr << "No coil makers in the catalogue " << catalogue.CataloguePath().string() << "\n";
        return kExitFailed;
    }
    if (maker.empty()) {
        for (const std::string& name : names) std::cout << name << "\n";
        return kExitOk;
    }
    catalogue.LoadMaker(maker);
    if (!SameText(catalogue.CachedMaker(), maker)) {
        std::cerr << "There is no coil maker " << maker << " in the catalogue\n";
        return kExitFailed;
    }
    for (const TMnfRec& range : catalogue.CachedRanges()) std::cout << CatalogueLine(range) << "\n";
    return kExitOk;
}

}  // namespace

void BuildGeometry(const TGeometryOptions& options, bool tubeGiven, TFinAndTube& geometry,
                   const std::function<void(const std::string&)>& log)
{
    TCoilMakers catalogue = CatalogueForCommandLine(log);
    if (const std::optional<std::string> refused = CheckChoice(catalogue, options, tubeGiven))
        throw TInputError(*refused);
    TModelValues parsed;
    if (const int designationError = ParseDesignation(options.Designation, parsed); designationError != kDesignationOk)
        throw TInputError("Invalid designation \"" + options.Designation + "\": " +
                          std::string(DesignationErrorText(designationError)));

    int tube = options.Tube;
    std::optional<TMnfRec> range;
    if (!options.Range.empty()) {
        range = catalogue.FindRange(options.Maker, options.Range);
        if (range) tube = range->d;
    }
    geometry.Create(catalogue, options.Maker, options.Designation, kHotWaterCoil, tube);
    if (range) geometry.SetCatalogueRecord(*range);
    geometry.ComputeWeight();

    // A designation the geometry refuses, or a range it cannot be computed from: nothing is
    // shown of a coil that was not built.
    if (const int errorCode = geometry.TakeError(); errorCode != 0)
        throw TInputError("The coil geometry of \"" + options.Designation + "\" cannot be computed from the tube range " +
                          geometry.ModelRecord().Model + " of " + geometry.ModelRecord().Mnf);
}

nlohmann::ordered_json GeometryJson(const TFinAndTube& g)
{
    nlohmann::ordered_json json;
    json["Designation"] = g.Designation();
    json["ErrorCode"] = 0;
    json["MakerDesignation"] = g.MakerDesignation();
    json["SerpLabel"] = CircuitFractionLabel(g.SerpentineIndex());
    json["ModelRec"] = FieldsJson(g.ModelRecord(), ModelRecFields);
    json["TubesHigh"] = g.TubesHigh();
    for (const TFigure& figure : kFigures) json[figure.Name] = figure.Value(g);
    json["OppositeEnd"] = g.OppositeEnd();
    return json;
}

void AddGeometryCommands(CLI::App& app, int& exitCode)
{
    auto options = std::make_shared<TGeometryOptions>();
    auto* geometry = app.add_subcommand("geometry", "Show the fin-and-tube geometry of a coil designation");
    geometry->add_option("designation", options->Designation,
                         "Finned height and length in mm, rows, fins per inch, circuits: \"544 720 4r 12f 7c\"")
        ->required();
    geometry->add_option("--maker", options->Maker, "Coil maker of the catalogue")->capture_default_str();
    auto* rangeOption = geometry->add_option("--range", options->Range, "The maker's tube range, by name");
    auto* tubeOption = geometry->add_option("--tube", options->Tube,
                                            "Tube size code: eighths of an inch below 100, else 100 + mm")
                           ->capture_default_str();
    rangeOption->excludes(tubeOption);
    geometry->add_flag("--json", options->Json, "Write the geometry as a JSON object");
    geometry->callback([&exitCode, options, tubeOption] { exitCode = RunGeometry(*options, tubeOption->count() > 0); });

    auto maker = std::make_shared<std::string>();
    auto* makers = app.add_subcommand("makers", "List the catalogue's coil makers, or one maker's tube ranges");
    makers->add_option("--maker", *maker, "Show this maker's tube ranges as catalogue lines");
    makers->callback([&exitCode, maker] { exitCode = RunMakers(*maker); });
}

}  // namespace vantor::cli
