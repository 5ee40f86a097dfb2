// _vantor: the rating engine in-process for Python. Each call builds the options of the
// matching vantor-cli command, runs it through the same functions (the document's edit
// operations, the same solve) and hands back the object that command writes with --json.
// The Python package `vantor` wraps these calls with keyword checks and warnings.

#include "cli/commands.h"
#include "cli/fluid_commands.h"
#include "cli/geometry_commands.h"
#include "cli/rate_batch.h"
#include "cli/rate_command.h"
#include "cli/select_command.h"
#include "cli/simulate_command.h"
#include "cli/size_by.h"
#include "psychro/standard_atmosphere.h"
#include "selection/parallel_runs.h"
#include "text/text_routines.h"

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <cctype>
#include <cmath>
#include <limits>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace py = pybind11;

namespace vantor::python {

namespace {

using TOptionField = std::optional<std::string> cli::TRateOptions::*;

// The keywords of the row options, after the command line's long options.
const std::map<std::string, TOptionField>& RowKeywords()
{
    static const std::map<std::string, TOptionField> keywords = {
        {"model", &cli::TRateOptions::Model},
        {"range", &cli::TRateOptions::Range},
        {"barometer", &cli::TRateOptions::Barometer},
        {"on_coil", &cli::TRateOptions::OnCoil},
        {"air_volume", &cli::TRateOptions::AirVolume},
        {"air_velocity", &cli::TRateOptions::AirVelocity},
        {"fluid_spec", &cli::TRateOptions::FluidSpec},
        {"additive", &cli::TRateOptions::Additive},
        {"additive_volume", &cli::TRateOptions::AdditiveVolume},
        {"user", &cli::TRateOptions::User},
        {"fluid_control", &cli::TRateOptions::FluidControl},
        {"fluid_inlet", &cli::TRateOptions::FluidInlet},
        {"design_dt", &cli::TRateOptions::DesignDT},
        {"fluid_flow", &cli::TRateOptions::FluidFlow},
        {"tube_velocity", &cli::TRateOptions::TubeVelocity},
        {"design_duty", &cli::TRateOptions::DesignDuty},
        {"calculate", &cli::TRateOptions::Calculate},
    };
    return keywords;
}

// Options given as texts, keyword -> value, already checked by the Python side.
using TTexts = std::map<std::string, std::string>;

// The first-run options with the keywords' texts in place. A keyword the rows do not know is
// left to the caller (maker, by, ...).
cli::TRateOptions RateOptions(const TTexts& texts)
{
    cli::TRateOptions o;
    o.NoSettings = true;  // never the user's stored settings
    for (const auto& [keyword, text] : texts) {
        if (keyword == "maker") {
            o.Maker = text;
        } else if (const auto found = RowKeywords().find(keyword); found != RowKeywords().end()) {
            o.*found->second = text;
        }
    }
    return o;
}

// The command line's message with its options named as the keywords: "--air-volume: ..."
// becomes "air_volume: ...". Only an option's name is changed, never quoted input such as
// "--5".
std::string KeywordMessage(std::string text)
{
    for (size_t at = text.find("--"); at != std::string::npos; at = text.find("--", at + 1)) {
        const bool named = (at == 0 || text[at - 1] == ' ' || text[at - 1] == '(') && at + 2 < text.size() &&
                           std::islower(static_cast<unsigned char>(text[at + 2]));
        if (!named) continue;
        text.erase(at, 2);
        for (size_t end = at; end < text.size() && (std::isalnum(static_cast<unsigned char>(text[end])) || text[end] == '-');
             ++end)
            if (text[end] == '-') text[end] = '_';
    }
    return text;
}

// Python's InputError, made in the module's init.
PyObject* g_inputError = nullptr;  // NOLINT: set once when the module loads

// Runs body, turning refused input into InputError with the keyword's name.
template <class Body>
auto Guarded(const Body& body)
{
    try {
        return body();
    } catch (const py::error_already_set&) {
        throw;
    } catch (const std::exception& e) {
        // TUsageError, TInputError and what the model raises on inputs it cannot take.
        PyErr_SetString(g_inputError, KeywordMessage(e.what()).c_str());
    }
    throw py::error_already_set();
}

py::object ToPython(const nlohmann::ordered_json& json)
{
    switch (json.type()) {
    case nlohmann::ordered_json::value_t::object: {
        py::dict out;
        for (const auto& [key, value] : json.items()) out[py::str(key)] = ToPython(value);
        return out;
    }
    case nlohmann::ordered_json::value_t::array: {
        py::list out;
        for (const auto& value : json) out.append(ToPython(value));
        return out;
    }
    case nlohmann::ordered_json::value_t::string:
        return py::str(json.get<std::string>());
    case nlohmann::ordered_json::value_t::boolean:
        return py::bool_(json.get<bool>());
    case nlohmann::ordered_json::value_t::number_integer:
        return py::int_(json.get<long long>());
    case nlohmann::ordered_json::value_t::number_unsigned:
        return py::int_(json.get<unsigned long long>());
    case nlohmann::ordered_json::value_t::number_float:
        return py::float_(json.get<double>());
    default:
        return py::none();
    }
}

// The warnings of a call, for the Python side to raise as VantorWarning.
struct TCollected {
    std::vector<std::string> Lines;
    cli::TRateLog Log()
    {
        return [this](const std::string& line) {
            Lines.push_back(KeywordMessage(line.starts_with("warning: ") ? line.substr(9) : line));
        };
    }
};

// What every rating starts from: the first-run defaults and the units registry. Made once, on
// the first call that needs it (with the interpreter's lock held), and shared by the calls and
// threads after it, as a schedule's lines share it; its warnings go with that first call.
const cli::TRateStart& FirstRunStart(const cli::TRateLog& log)
{
    static const cli::TRateStart start(true, log);
    return start;
}

py::tuple Rate(const TTexts& texts, bool sizing, const std::string& by, bool keepAirVolume)
{
    return Guarded([&] {
        cli::TRateOptions o = RateOptions(texts);
        o.By = by;
        o.KeepAirVolume = keepAirVolume;
        if (!by.empty() && !cli::SizingNames().contains(by)) {
            std::vector<std::string> names;
            for (const auto& [name, sizing_] : cli::SizingNames()) names.push_back(name);
            throw cli::TUsageError("by: \"" + by + "\" is not one of " + Joined(names, ", "));
        }
        TCollected warnings;
        const cli::TRateStart& start = FirstRunStart(warnings.Log());
        const cli::TRateRun run = cli::RunRating(o, sizing, start, warnings.Log());
        if (!run.Sized) warnings.Lines.push_back(run.Sized.Message);
        for (const std::string& warning : run.Rating.Document->SolveWarnings()) warnings.Lines.push_back(warning);
        return py::make_tuple(ToPython(cli::RatingJson(run)), warnings.Lines);
    });
}

py::tuple Simulate(const TTexts& texts)
{
    return Guarded([&] {
        TCollected warnings;
        const cli::TRateStart& start = FirstRunStart(warnings.Log());
        const cli::TRating rating = cli::PrepareRating(RateOptions(texts), false, start, warnings.Log());
        const TStepSimulation simulation = cli::SimulateRating(*rating.Document, warnings.Log());
        return py::make_tuple(ToPython(cli::SimulationJson(simulation)), warnings.Lines);
    });
}

std::optional<double> Number(const py::dict& values, const char* keyword)
{
    if (!values.contains(keyword) || values[keyword].is_none()) return std::nullopt;
    return values[keyword].cast<double>();
}

std::optional<std::string> Text(const py::dict& values, const char* keyword)
{
    if (!values.contains(keyword) || values[keyword].is_none()) return std::nullopt;
    return py::str(values[keyword]).cast<std::string>();
}

py::tuple Select(const TTexts& texts, const py::dict& space)
{
    cli::TSelectOptions o;
    o.Rate = RateOptions(texts);
    o.AllMakers = space.contains("all_makers") && space["all_makers"].cast<bool>();
    o.Height = Number(space, "height");
    o.Length = Number(space, "length");
    o.MinHeight = Number(space, "min_height");
    o.MaxHeight = Number(space, "max_height");
    o.MinLength = Number(space, "min_length");
    o.MaxLength = Number(space, "max_length");
    o.MaxFaceVelocity = Number(space, "max_face_velocity");
    o.Aspect = Text(space, "aspect");
    o.Rows = Text(space, "rows");
    o.Fins = Text(space, "fins");
    o.MaxAirDrop = Number(space, "max_air_dp");
    o.MaxFluidDrop = Number(space, "max_fluid_dp");
    o.TubeVelocity = Text(space, "tube_velocity_range");
    o.Margin = Number(space, "margin");
    if (space.contains("top")) o.Top = space["top"].cast<int>();
    o.Distinct = space.contains("distinct") && space["distinct"].cast<bool>();
    return Guarded([&] {
        if (o.Top < 1) throw cli::TUsageError("--top: " + std::to_string(o.Top) + " is not a count from 1");
        if ((o.Height || o.Length) && (o.MinHeight || o.MaxHeight || o.MinLength || o.MaxLength))
            throw cli::TUsageError("--height and --length exclude the free height and length limits");
        TCollected warnings;
        TSelectionOutcome outcome;
        {
            py::gil_scoped_release released;
            outcome = cli::SelectCoils(o, warnings.Log(), [](double) {});
        }
        if (outcome.Results.empty()) warnings.Lines.push_back(cli::NothingSelectedText(outcome));
        py::list results;
        for (const TSelectionResult& r : outcome.Results) results.append(ToPython(cli::SelectionResultJson(r)));
        return py::make_tuple(results, warnings.Lines);
    });
}

py::tuple Air(const std::string& text, const std::vector<std::string>& pair, const std::string& pressure)
{
    return Guarded([&] {
        cli::TAirOptions o;
        o.Text = text;
        o.Pair = pair;
        o.Pressure = pressure;
        TCollected warnings;
        const cli::TAirLookup air = cli::LookUpAir(o, warnings.Log());
        return py::make_tuple(ToPython(cli::AirJson(air)), warnings.Lines);
    });
}

py::tuple Fluid(const TTexts& texts)
{
    return Guarded([&] {
        cli::TFluidOptions o;
        for (const auto& [keyword, text] : texts) {
            if (keyword == "fluid_spec") o.FluidCode = text;
            if (keyword == "additive") o.Additive = text;
            if (keyword == "volume") o.Volume = text;
            if (keyword == "t") o.Temperature = text;
            if (keyword == "pf") o.Pressure = text;
            if (keyword == "user") o.User = text;
        }
        TCollected warnings;
        const TLiquid liquid = cli::LiquidFromOptions(o, warnings.Log());
        return py::make_tuple(ToPython(cli::FluidJson(liquid)), warnings.Lines);
    });
}

py::tuple Geometry(const std::string& model, const std::string& maker, const std::string& range,
                   std::optional<int> tube)
{
    return Guarded([&] {
        cli::TGeometryOptions o;
        o.Designation = model;
        o.Maker = maker;
        o.Range = range;
        if (tube) o.Tube = *tube;
        if (tube && !range.empty()) throw cli::TUsageError("--range and --tube exclude each other");
        TCollected warnings;
        TFinAndTube geometry;
        cli::BuildGeometry(o, tube.has_value(), geometry, warnings.Log());
        return py::make_tuple(ToPython(cli::GeometryJson(geometry)), warnings.Lines);
    });
}

// rate_many: each keyword a list of N texts (the Python side spreads scalars); rated as the
// lines of a schedule, on every core, without the interpreter's lock.
py::tuple RateMany(const std::map<std::string, std::vector<std::string>>& columns, size_t count)
{
    std::vector<cli::TRateOptions> lines(count);
    for (size_t i = 0; i < count; ++i) {
        TTexts texts;
        // An empty text is an empty cell: the option is not given on that line.
        for (const auto& [keyword, values] : columns)
            if (!values.at(i).empty()) texts[keyword] = values.at(i);
        lines[i] = RateOptions(texts);
    }
    std::vector<cli::TRatedLine> rated(count);
    TCollected startWarnings;
    const cli::TRateStart& start = FirstRunStart(startWarnings.Log());
    {
        py::gil_scoped_release released;
        RunInParallel(count, 0, [&](size_t i) { rated[i] = cli::RateScheduleLine(lines[i], start); });
    }

    const std::span<const std::string_view> names = cli::ResultColumnNames();
    constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
    std::vector<py::array_t<double>> numbers;
    for (size_t k = 0; k < cli::kResultNumberCount + 2; ++k) numbers.emplace_back(static_cast<py::ssize_t>(count));
    py::list statusTexts, models, messages;
    size_t warned = 0;
    for (size_t i = 0; i < count; ++i) {
        const cli::TRatedLine& line = rated[i];
        numbers[0].mutable_at(i) = line.Refused ? kNaN : SolveStatusCode(line.Status);
        for (size_t k = 0; k < cli::kResultNumberCount; ++k)
            numbers[k + 1].mutable_at(i) = line.Refused ? kNaN : line.Numbers[k];
        numbers[cli::kResultNumberCount + 1].mutable_at(i) = line.Refused ? kNaN : line.PipeSize;
        statusTexts.append(line.StatusText);
        models.append(line.Model);
        messages.append(line.Message);
        warned += line.Warned ? 1 : 0;
    }
    py::dict out;
    // Status, StatusText, the twelve numbers, PipeSize, Model, Message
    out[py::str(std::string(names[0]))] = numbers[0];
    out[py::str(std::string(names[1]))] = statusTexts;
    for (size_t k = 0; k <= cli::kResultNumberCount; ++k) out[py::str(std::string(names[k + 2]))] = numbers[k + 1];
    out[py::str(std::string(names[cli::kResultNumberCount + 3]))] = models;
    out[py::str(std::string(names[cli::kResultNumberCount + 4]))] = messages;
    return py::make_tuple(out, warned, startWarnings.Lines);
}

}  // namespace

}  // namespace vantor::python

PYBIND11_MODULE(_vantor, m)
{
    using namespace vantor;
    using namespace vantor::python;
    m.doc() = "The compiled core of the vantor package; use the package's functions.";
    static py::exception<cli::TInputError> inputError(m, "InputError", PyExc_ValueError);
    g_inputError = inputError.ptr();
    m.def("rate", &Rate, py::arg("options"), py::arg("sizing"), py::arg("by"), py::arg("keep_air_volume"));
    m.def("simulate", &Simulate, py::arg("options"));
    m.def("select", &Select, py::arg("options"), py::arg("space"));
    m.attr("STANDARD_ATMOSPHERE") = kStandardAtmosphere;
    m.def("air", &Air, py::arg("text"), py::arg("pair"), py::arg("pressure"));
    m.def("fluid", &Fluid, py::arg("options"));
    m.def("geometry", &Geometry, py::arg("model"), py::arg("maker"), py::arg("range"), py::arg("tube"));
    m.def("rate_many", &RateMany, py::arg("columns"), py::arg("count"));
    m.def("row_keywords", [] {
        std::vector<std::string> names;
        for (const auto& [name, field] : RowKeywords()) names.push_back(name);
        return names;
    });
}
