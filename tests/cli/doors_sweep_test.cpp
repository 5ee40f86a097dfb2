// One rating, every door: a seeded spread of random coils, air and fluids, each put as the same
// question through the main window's grid, the `rate` options, a schedule line, the automation
// object and a data file saved and opened again. Every door goes through the document's edit
// operations, so every door has to give the same rating.

#include "cli/rate_batch.h"
#include "cli/rate_command.h"

#include "automation/thermacoil.h"
#include "core/document/document_test_support.h"
#include "datafile/data_file.h"
#include "document/document_settings.h"
#include "fluids/transport_props.h"
#include "model/solve_status.h"
#include "reports/file_properties.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace vantor {
namespace {

// A number of the question as its row shows it: the text the grid is given and the rate
// options are given (the first-run rows show SI units), and the value the automation object is
// given. The grid rounds a typed value to its row's format and the automation object takes its
// value as given, so only a value already on the row's format asks both the same.
struct TInput {
    double Value = 0;
    std::string Text;
};

struct TQuestion {
    std::string Maker;
    std::string Range;
    std::string Designation;
    TInput Barometer;             // kPa
    int DryBulbTenths = 0;        // °C, the on-coil row's tenths
    int WetBulbTenths = 0;
    bool ByVelocity = false;      // the air as a face velocity rather than a volume
    TInput Air;                   // m³/s or m/s
    int Additive = waNone;        // water, or water with a glycol or brine
    int AdditivePercent = 0;      // volume fraction
    bool TemperatureControl = false;
    TInput Inlet;                 // °C
    TInput DesignDT;              // °C, temperature control
    bool ByTubeVelocity = false;  // flow control: the tube velocity rather than the flow
    TInput Flow;                  // kg/s or m/s

    double DryBulb() const { return DryBulbTenths / 10.0; }
    double WetBulb() const { return WetBulbTenths / 10.0; }
    std::string OnCoilText() const { return Fixed(DryBulb(), 1) + "/" + Fixed(WetBulb(), 1); }
    std::string AdditiveVolumeText() const { return Fixed(AdditivePercent / 100.0, 2); }
    int AirRow() const { return ByVelocity ? rowAirVelocity : rowAirVolume; }
    int FlowRow() const { return ByTubeVelocity ? rowTubeVelocity : rowFluidFlow; }

    TFluidChoice Fluid() const
    {
        TFluidChoice choice{fcWater, Additive, std::nullopt, std::nullopt};
        if (Additive != waNone) choice.Volume = AdditivePercent / 100.0;
        return choice;
    }

    static std::string Fixed(double value, int decimals)
    {
        char text[40];
        std::snprintf(text, sizeof text, "%.*f", decimals, value);
        return text;
    }

    std::string Describe() const
    {
        std::ostringstream out;
        out << Maker << " / " << Range << ", " << Designation << ", " << Barometer.Text << " kPa, " << OnCoilText()
            << ", " << (ByVelocity ? "velocity " : "volume ") << Air.Text << ", additive " << Additive << " at "
            << AdditivePercent << " %, inlet " << Inlet.Text << ", "
            << (TemperatureControl ? "dT " + DesignDT.Text : (ByTubeVelocity ? "tube velocity " : "flow ") + Flow.Text);
        return out.str();
    }
};

struct TRange {
    std::string Maker;
    TMnfRec Rec;
};

// Every tube range of the shipped catalogue.
std::vector<TRange> CatalogueRanges(const TFolderEnvironment& env)
{
    TCoilMakers makers(env);
    std::vector<TRange> ranges;
    for (const std::string& maker : makers.MakerNames()) {
        makers.LoadMaker(maker);
        for (const TMnfRec& rec : makers.CachedRanges()) ranges.push_back({maker, rec});
    }
    return ranges;
}

int Uniform(std::mt19937& random, int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); }

// A coil the range can build: a face of whole tubes at the range's tube pitch, 0.3 to 3 m
// long, 1 to 8 rows, 6 to 14 fins per inch in half steps, circuits sharing the tubes evenly.
struct TDesignation {
    std::string Text;
    double FaceArea = 0;  // m²
};

TDesignation RandomDesignation(std::mt19937& random, const TMnfRec& range)
{
    const int tubesHigh = Uniform(random, 6, 40);
    const int rows = Uniform(random, 1, 8);
    const int tubes = tubesHigh * rows;
    std::vector<int> circuits;
    for (int c = 1; c <= tubes; ++c)
        if (tubes % c == 0) circuits.push_back(c);
    const int c = circuits[static_cast<size_t>(Uniform(random, 0, static_cast<int>(circuits.size()) - 1))];
    const double height = tubesHigh * range.sy * 1000;
    const int length = Uniform(random, 300, 3000);
    char text[80];
    std::snprintf(text, sizeof text, "%.1f %d %dr %gf %dc", height, length, rows, Uniform(random, 12, 28) / 2.0, c);
    return {text, height * length * 1e-6};
}

double Uniform(std::mt19937& random, double low, double high)
{
    return std::uniform_real_distribution<double>(low, high)(random);
}

TQuestion RandomQuestion(std::mt19937& random, const std::vector<TRange>& ranges, const TPropertyRows& rows)
{
    const auto shown = [&rows](int row, double value) {
        const std::string text = rows.FormatRowValue(row, value);
        return TInput{std::stod(text), text};
    };
    TQuestion q;
    const TRange& range = ranges[static_cast<size_t>(Uniform(random, 0, static_cast<int>(ranges.size()) - 1))];
    q.Maker = range.Maker;
    q.Range = range.Rec.name;
    const TDesignation coil = RandomDesignation(random, range.Rec);
    q.Designation = coil.Text;
    q.Barometer = shown(rowBarometer, Uniform(random, 80.0, 105.0));
    // Both bulbs within the on-coil row's range; colder air holds little moisture, so a smaller
    // wet-bulb depression keeps the state real.
    q.DryBulbTenths = Uniform(random, -90, 300);
    q.WetBulbTenths = std::max(-100, q.DryBulbTenths - Uniform(random, 2, 10 + (q.DryBulbTenths + 100) / 5));
    q.ByVelocity = Uniform(random, 0, 1) == 1;
    // A face velocity within its row also when the volume is given (a data file holds the air
    // flow to the face velocity's row when it is opened), and a volume within its own row.
    const double faceVelocity = Uniform(random, 1.0, 4.0);
    q.Air = shown(q.AirRow(), q.ByVelocity ? faceVelocity : std::max(0.1, faceVelocity * coil.FaceArea));
    q.Additive = Uniform(random, 0, 2) == 0 ? Uniform(random, waEthyleneGlycol, waCalciumChloride) : waNone;
    q.AdditivePercent = Uniform(random, 10, 45);
    q.TemperatureControl = Uniform(random, 0, 2) == 0;
    q.Inlet = shown(rowFluidInlet, Uniform(random, 40.0, 95.0));
    // A drop the fluid can make before it is as cold as the air; a larger one asks for no flow.
    q.DesignDT = shown(rowDesignDT, Uniform(random, 0.05, 0.6) * (q.Inlet.Value - q.DryBulb()));
    q.ByTubeVelocity = Uniform(random, 0, 3) == 0;
    q.Flow = shown(q.FlowRow(), q.ByTubeVelocity ? Uniform(random, 0.2, 2.5) : Uniform(random, 0.05, 5.0));
    return q;
}

// What a door answers, from the same place each door reports it.
struct TAnswer {
    int Status = -1;
    std::string StatusText;
    // The warnings as a schedule line's Message gives them: "warning: ...", "; " between.
    std::string Warnings;
    double Qt = 0;
    double AirOffDryBulb = 0;
    double LeavingTemp = 0;
    double AirPressureDrop = 0;
    double FluidPressureDrop = 0;
    double FluidFlow = 0;
    double TubeVelocity = 0;
};

std::string WarningText(const std::vector<std::string>& warnings)
{
    std::string text;
    for (const std::string& warning : warnings) text += (text.empty() ? "warning: " : "; warning: ") + warning;
    return text;
}

TAnswer AnswerOf(TRatingDocument& doc)
{
    const THotWaterCoil& coil = doc.HotWaterCoil();
    return {SolveStatusCode(coil.Status), doc.StatusText(spSolve), WarningText(doc.SolveWarnings()), coil.Qt,
            doc.AirOff().db, coil.LiquidState.LeavingTemp(), coil.AirPressureDrop(), coil.FluidPressureDrop(),
            coil.LiquidState.MassFlow(), coil.LiquidState.vw};
}

// A document as the program makes it with the question's maker and range stored from the
// last run, and no other settings.
struct TDoorDocument {
    TDoorDocument(const TQuestion* q, const cli::TRateStart& start) : Units(start.Units)
    {
        TSettingsStore program(std::nullopt);
        if (q) {
            program.WriteString(kDocumentSection, "CoilMaker", q->Maker);
            program.WriteString(kDocumentSection, "CoilMR", q->Range);
        }
        const TSettingsStore shared(std::nullopt);
        Doc = std::make_unique<TRatingDocument>(TDocumentServices{Units, program, shared, start.Env, nullptr, {}});
    }
    TUnitsRegistry Units;
    std::unique_ptr<TRatingDocument> Doc;
};

// The main window: each row typed in row order, the fluid through its dialog. Nothing when
// the grid refused a row.
std::optional<TAnswer> AskTheGrid(TRatingDocument& doc, const TQuestion& q)
{
    const auto type = [&doc](int row, const std::string& text) { return doc.EnterRowText(row, text).IsOk(); };
    if (!type(rowModel, q.Designation) || !type(rowBarometer, q.Barometer.Text) || !type(rowAirOn, q.OnCoilText()) ||
        !type(q.AirRow(), q.Air.Text) || !doc.SetFluid(q.Fluid()) ||
        !type(rowControl, q.TemperatureControl ? "Temperature" : "Flow") || !type(rowFluidInlet, q.Inlet.Text) ||
        !(q.TemperatureControl ? type(rowDesignDT, q.DesignDT.Text) : type(q.FlowRow(), q.Flow.Text)))
        return std::nullopt;
    (void)doc.Solve();
    return AnswerOf(doc);
}

cli::TRateOptions RateOptions(const TQuestion& q)
{
    cli::TRateOptions o;
    o.NoSettings = true;
    o.Maker = q.Maker;
    o.Range = q.Range;
    o.Model = q.Designation;
    o.Barometer = q.Barometer.Text;
    o.OnCoil = q.OnCoilText();
    (q.ByVelocity ? o.AirVelocity : o.AirVolume) = q.Air.Text;
    o.FluidSpec = "0";
    o.Additive = std::to_string(q.Additive);
    if (q.Additive != waNone) o.AdditiveVolume = q.AdditiveVolumeText();
    o.FluidControl = q.TemperatureControl ? "temperature" : "flow";
    o.FluidInlet = q.Inlet.Text;
    if (q.TemperatureControl)
        o.DesignDT = q.DesignDT.Text;
    else
        (q.ByTubeVelocity ? o.TubeVelocity : o.FluidFlow) = q.Flow.Text;
    return o;
}

TAnswer AskTheRateOptions(const TQuestion& q, const cli::TRateStart& start)
{
    const cli::TRateRun run = cli::RunRating(RateOptions(q), false, start, [](const std::string&) {});
    const nlohmann::ordered_json json = cli::RatingJson(run);
    return {json["Status"].get<int>(),
            json["StatusText"].get<std::string>(),
            WarningText(json["Warnings"].get<std::vector<std::string>>()),
            json["Qt"].get<double>(),
            json["AirOff"]["db"].get<double>(),
            json["LeavingTemp"].get<double>(),
            json["AirPressureDrop"].get<double>(),
            json["FluidPressureDrop"].get<double>(),
            json["FluidFlow"].get<double>(),
            json["TubeVelocity"].get<double>()};
}

// A line of a schedule: the same options as its cells, rated after all the lines before it.
TAnswer AskTheSchedule(const TQuestion& q, cli::TScheduleRater& rater)
{
    const cli::TRatedLine line = rater.Rate(RateOptions(q));
    EXPECT_FALSE(line.Refused) << line.Message;
    TAnswer a;
    a.Status = SolveStatusCode(line.Status);
    a.StatusText = line.StatusText;
    // A solve that failed says so first, in the words of the status line; the warnings follow.
    a.Warnings = line.Message;
    if (!line.Rated && a.Warnings.starts_with(line.StatusText))
        a.Warnings.erase(0, std::min(a.Warnings.size(), line.StatusText.size() + 2));
    const auto& n = line.Numbers;
    a.Qt = n[0];
    a.LeavingTemp = n[2];
    a.AirOffDryBulb = n[3];
    a.AirPressureDrop = n[5];
    a.FluidPressureDrop = n[6];
    a.FluidFlow = n[7];
    a.TubeVelocity = n[8];
    return a;
}

// The automation object puts what it has members for, in SI units and as given; its document
// takes through the grid's rows what the object has no member for: the barometer, the fluid,
// its control and a design dT. Without a tube velocity member it answers only questions that
// give the flow. Its wet bulb keeps the relative humidity (the dry bulb follows) and its dry
// bulb the moisture content, so no order of the two puts reaches both bulbs of a question: the
// on-coil row sets them, and putting the same two bulbs again has to leave the air as it is.
std::optional<TAnswer> AskTheAutomationObject(TRatingDocument& doc, const TQuestion& q)
{
    if (!q.TemperatureControl && q.ByTubeVelocity) return std::nullopt;
    TThermacoil object(doc);
    const bool set = object.PutModel(q.Designation) && doc.EnterRowText(rowBarometer, q.Barometer.Text) &&
                     doc.EnterRowText(rowAirOn, q.OnCoilText()) && object.PutDBon(q.DryBulb()) &&
                     object.PutWBon(q.WetBulb()) &&
                     (q.ByVelocity ? object.PutAirFaceVelocity(q.Air.Value) : object.PutInletAirFlow(q.Air.Value)) &&
                     doc.SetFluid(q.Fluid()) &&
                     doc.EnterRowText(rowControl, q.TemperatureControl ? "Temperature" : "Flow") &&
                     object.PutWaterOn(q.Inlet.Value) &&
                     (q.TemperatureControl ? doc.EnterRowText(rowDesignDT, q.DesignDT.Text).IsOk()
                                           : object.PutWaterFlow(q.Flow.Value).IsOk());
    EXPECT_TRUE(set);
    double qt = 0;
    (void)object.Solve(qt);
    TAnswer a = AnswerOf(doc);
    std::int32_t state = -1;
    EXPECT_TRUE(object.GetCalcState(state));
    a.Status = state;
    EXPECT_TRUE(object.GetQt(a.Qt));
    EXPECT_TRUE(object.GetWaterFlow(a.FluidFlow));
    std::vector<std::string> warnings;
    EXPECT_TRUE(object.GetWarnings(warnings));
    a.Warnings = WarningText(warnings);
    return a;
}

// The grid's document saved as a data file and opened into a new document, then solved.
TAnswer AskTheDataFile(TRatingDocument& grid, TRatingDocument& opened, const std::string& file)
{
    TFileProperties properties;
    EXPECT_TRUE(SaveFile(grid, properties, file));
    EXPECT_TRUE(OpenFile(opened, properties, file));
    (void)opened.Solve();
    return AnswerOf(opened);
}

// Doors that make their document as the grid does and edit it in the same order solve from the
// same start and agree bit for bit. The automation object's document and the opened file reach
// the same inputs from other states, so their solves start elsewhere and end as close as the
// solve converges. It stops when the duty moves by less than 1e-5 kW (and finds the flow of a
// design dT to its own tolerance): two such solves agree to a millionth, on a small duty to
// twice 1e-5 kW, in the duty and as the same fraction in every other result (temperatures in
// kelvin, so that one near 0 °C is no less converged).
constexpr double kDutyTolerance = 1e-5;  // kW

void ExpectSame(const TAnswer& grid, const TAnswer& door, const std::string& name, bool bitForBit)
{
    SCOPED_TRACE(name);
    EXPECT_EQ(grid.Status, door.Status);
    EXPECT_EQ(grid.StatusText, door.StatusText);
    EXPECT_EQ(grid.Warnings, door.Warnings);
    constexpr double kKelvin = 273.15;
    const double converged = std::max(1e-6, 2 * kDutyTolerance / std::fabs(grid.Qt));
    const struct {
        const char* Name;
        double TAnswer::* Member;
        double Offset;  // to an absolute scale
    } numbers[] = {
        {"Qt", &TAnswer::Qt, 0},
        {"AirOffDryBulb", &TAnswer::AirOffDryBulb, kKelvin},
        {"LeavingTemp", &TAnswer::LeavingTemp, kKelvin},
        {"AirPressureDrop", &TAnswer::AirPressureDrop, 0},
        {"FluidPressureDrop", &TAnswer::FluidPressureDrop, 0},
        {"FluidFlow", &TAnswer::FluidFlow, 0},
        {"TubeVelocity", &TAnswer::TubeVelocity, 0},
    };
    for (const auto& number : numbers) {
        const double a = grid.*number.Member;
        const double b = door.*number.Member;
        const double scale = std::max(std::fabs(a + number.Offset), std::fabs(b + number.Offset));
        if (bitForBit)
            EXPECT_EQ(a, b) << number.Name;
        else
            EXPECT_LE(std::fabs(a - b), converged * scale) << number.Name << ": " << a << " / " << b;
    }
}

using DoorsSweep = test::TDocumentFixture;

TEST_F(DoorsSweep, EveryDoorGivesTheGridsRatingOfTheSameQuestion)
{
    const cli::TRateStart start(true, [](const std::string&) {});
    const std::vector<TRange> ranges = CatalogueRanges(start.Env);
    ASSERT_GT(ranges.size(), 5u);
    cli::TScheduleRater schedule(start);
    const std::string file = (Folder() / "sweep.hqx").string();

    // The first-run rows: how each row shows a value, so every number asked is one it shows.
    const TDoorDocument firstRun(nullptr, start);
    std::mt19937 random(20261210);
    constexpr int kQuestions = 2000;
    int refused = 0;
    int solved = 0;
    int beyondRows = 0;
    for (int i = 0; i < kQuestions; ++i) {
        const TQuestion q = RandomQuestion(random, ranges, firstRun.Doc->Rows());
        SCOPED_TRACE(testing::Message() << "question " << i << ": " << q.Describe());
        TDoorDocument grid(&q, start);
        const std::optional<TAnswer> asked = AskTheGrid(*grid.Doc, q);
        if (!asked) {
            ++refused;
            continue;
        }
        if (asked->Status == SolveStatusCode(TSolveStatus::Solved)) ++solved;
        ExpectSame(*asked, AskTheRateOptions(q, start), "rate options", true);
        ExpectSame(*asked, AskTheSchedule(q, schedule), "schedule line", true);
        TDoorDocument automated(&q, start);
        if (const std::optional<TAnswer> a = AskTheAutomationObject(*automated.Doc, q))
            ExpectSame(*asked, *a, "automation", false);
        // A file is opened with its flows held to their rows (the air's face velocity too, which
        // the questions keep within its row): a fluid flow that a tube velocity made larger than
        // its row, rated with a warning, opens as the row's largest flow, another rating.
        if (!q.TemperatureControl && asked->Warnings.find("Fluid flow") != std::string::npos) {
            ++beyondRows;
            continue;
        }
        TDoorDocument opened(nullptr, start);
        ExpectSame(*asked, AskTheDataFile(*grid.Doc, *opened.Doc, file), "data file", false);
    }
    // The spread is of coils that can be built and mostly rate.
    EXPECT_LT(refused, kQuestions / 20);
    EXPECT_GT(solved, kQuestions * 8 / 10);
    EXPECT_LT(beyondRows, kQuestions / 50);
}

}  // namespace
}  // namespace vantor
