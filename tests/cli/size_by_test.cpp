// Runs `vantor-cli size --by`: the fin and tube editor's sizings without the window, the stored
// design settings applied first, then a rating in "Heating Duty" mode.

#include "cli_test_support.h"

#include "design_settings/design_settings.h"
#include "document/rating_document.h"
#include "coil_editor/coil_editor.h"
#include "settings/settings_store.h"
#include "units/units_registry.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cmath>
#include <map>
#include <string>
#include <vector>

namespace {

class SizeByTest : public vantor::test::TCliTest {
protected:
    nlohmann::json Sized(std::vector<std::string> args, int exitCode = 0)
    {
        args.insert(args.begin(), {"size", "--no-settings", "--json"});
        const vantor::test::TRun run = Run(args);
        EXPECT_EQ(run.exitCode, exitCode) << run.err;
        return run.Json();
    }
};

TEST_F(SizeByTest, FaceSizingsMeetTheDutyAtTheDesignFaceVelocity)
{
    // 2.8 m/s is the design face velocity a first run stores; the coil itself starts at 2.7.
    struct TCase {
        const char* By;
        bool HeightKept;
        bool LengthKept;
    };
    for (const TCase& c : {TCase{"face-area", false, false}, TCase{"length", true, false}}) {
        SCOPED_TRACE(c.By);
        const nlohmann::json json = Sized({"--by", c.By, "--design-duty", "60"});
        EXPECT_EQ(json["SizeResult"], 0);
        EXPECT_EQ(json["Calculate"], 0);  // rated, not sized again
        EXPECT_NEAR(json["AirVelocity"].get<double>(), 2.8, 1e-9);
        EXPECT_NEAR(json["Qt"].get<double>(), 60, 0.01);
        EXPECT_EQ(json["fHeight"].get<double>() == 0.544, c.HeightKept);
        EXPECT_NE(json["fLength"].get<double>(), 0.720);
        EXPECT_EQ(json["Model"].get<std::string>().find("544 x 720"), std::string::npos);
    }
    // The height moves in whole pairs of 38.1 mm tube pitches.
    const nlohmann::json height = Sized({"--by", "height", "--design-duty", "60"});
    const double steps = height["fHeight"].get<double>() / 0.0762;
    EXPECT_NEAR(steps, std::round(steps), 1e-9);
    EXPECT_EQ(height["fLength"].get<double>(), 0.720);
}

TEST_F(SizeByTest, RowAndFinSizingsKeepTheFace)
{
    for (const char* by : {"rows", "fins", "rows-and-fins"}) {
        SCOPED_TRACE(by);
        const nlohmann::json json = Sized({"--by", by, "--design-duty", "20"});
        EXPECT_EQ(json["SizeResult"], 0);
        EXPECT_EQ(json["fHeight"].get<double>(), 0.544);
        EXPECT_EQ(json["fLength"].get<double>(), 0.720);
        EXPECT_NEAR(json["AirVelocity"].get<double>(), 2.8, 1e-9);
    }
    const nlohmann::json rows = Sized({"--by", "rows", "--design-duty", "20"});
    EXPECT_EQ(rows["fpi"].get<double>(), 12);
    const nlohmann::json fins = Sized({"--by", "fins", "--design-duty", "20"});
    EXPECT_EQ(fins["Rows"].get<double>(), 4);
}

TEST_F(SizeByTest, KeptAirVolumeStaysAndAnUnreachableDutyFails)
{
    const nlohmann::json kept =
        Sized({"--by", "face-area", "--keep-air-volume", "--air-volume", "2.0", "--design-duty", "30"});
    EXPECT_EQ(kept["SizeResult"], 0);
    EXPECT_NEAR(kept["AirVolume"].get<double>(), 2.0, 1e-9);
    EXPECT_NEAR(kept["Qt"].get<double>(), 30, 0.01);

    // 1 m³/s of air at 25 °C cannot take 60 kW from water at 45 °C: the face runs to its
    // limits and the sizing gives up.
    const vantor::test::TRun run = Run({"size", "--no-settings", "--json", "--by", "face-area", "--keep-air-volume",
                                        "--air-volume", "1.0", "--design-duty", "60"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("could not reach the duty within the coil's limits"), std::string::npos) << run.err;
    EXPECT_EQ(run.Json()["SizeResult"], 5);

    // The smallest design duty the row takes needs less face than the smallest coil: the face
    // stops at its limits (two tube pitches high, 0.1 m long) and the sizing gives up.
    const nlohmann::json tiny = Sized({"--by", "face-area", "--design-duty", "0.1"}, 1);
    EXPECT_EQ(tiny["SizeResult"], 5);
    EXPECT_NEAR(tiny["fHeight"].get<double>(), 0.0762, 1e-12);
    EXPECT_NEAR(tiny["fLength"].get<double>(), 0.1, 1e-12);
}

// The tubes a sized coil has on the 1/2 inch range (38.1 mm pitch).
double Tubes(const nlohmann::json& json)
{
    return std::nearbyint(json["fHeight"].get<double>() / 0.0381) * json["Rows"].get<double>();
}

void ExpectBuildable(const nlohmann::json& json)
{
    const double circuits = json["Circ"].get<double>();
    EXPECT_GE(circuits, 1);
    EXPECT_LE(circuits, Tubes(json)) << json["Model"];
    EXPECT_EQ(std::fmod(Tubes(json), circuits), 0) << json["Model"];
}

TEST_F(SizeByTest, ADutyNoBuildableCoilReachesFailsAndKeepsTheAskedForDuty)
{
    // 400 kW from a 544 x 720 face: the fins alone cannot do it. The coil stays buildable (it
    // once came out as 131 circuits on 56 tubes) and the sizing fails.
    for (const char* by : {"fins", "rows", "rows-and-fins"}) {
        SCOPED_TRACE(by);
        const vantor::test::TRun run = Run({"size", "--no-settings", "--json", "--by", by, "--design-duty", "400"});
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_NE(run.err.find("vantor-cli: could not reach the duty within the coil's limits"), std::string::npos)
            << run.err;
        const nlohmann::json json = run.Json();
        EXPECT_EQ(json["SizeResult"], 5);
        EXPECT_EQ(json["RequestedDuty"], 400.0);
        EXPECT_LT(json["Qt"].get<double>(), 0.98 * 400);
        ExpectBuildable(json);
    }

    // Six rows give about 24 kW at the first run's face: 40 kW is out of reach, and the
    // asked-for duty stays in the output beside what the coil gives.
    const vantor::test::TRun rows = Run({"size", "--no-settings", "--by", "rows", "--design-duty", "40", "--json"});
    EXPECT_EQ(rows.exitCode, 1);
    const nlohmann::json json = rows.Json();
    EXPECT_EQ(json["SizeResult"], 5);
    EXPECT_EQ(json["RequestedDuty"], 40.0);
    EXPECT_LT(json["Qt"].get<double>(), 0.98 * 40);
    EXPECT_EQ(json["Rows"], 6.0);
    ExpectBuildable(json);

    // Air at 40 °C warmed by water entering at 45 °C: even the largest face (9.144 m by
    // 10 m) falls short of 500 kW, and the plain coil-size mode says why.
    const vantor::test::TRun face = Run({"size", "--no-settings", "--json", "--on-coil", "40/25", "--fluid-inlet",
                                         "45", "--design-duty", "500"});
    EXPECT_EQ(face.exitCode, 1);
    EXPECT_NE(face.err.find("could not reach the duty within the coil's limits"), std::string::npos) << face.err;
    EXPECT_EQ(face.Json()["RequestedDuty"], 500.0);
    EXPECT_LT(face.Json()["Qt"].get<double>(), 0.98 * 500);
    EXPECT_EQ(face.Json()["fLength"], 10.0);
    ExpectBuildable(face.Json());
}

TEST_F(SizeByTest, StoredDesignSettingsReachTheCoil)
{
    {
        vantor::TSettingsStore programKey(vantor::TSettingsKey::Program);
        programKey.WriteFloat("CoilSettingsForm", "DesignVf", 2.2);
        ASSERT_TRUE(programKey.Flush());
    }
    const vantor::test::TRun run = RunOk({"size", "--json", "--by", "face-area", "--design-duty", "40"});
    EXPECT_NEAR(run.Json()["AirVelocity"].get<double>(), 2.2, 1e-9);
    // --no-settings: the first-run design velocity.
    EXPECT_NEAR(Sized({"--by", "face-area", "--design-duty", "40"})["AirVelocity"].get<double>(), 2.8, 1e-9);
}

TEST_F(SizeByTest, OptionsAreCheckedAndSizeWithoutByStillSizesTheDocument)
{
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"size", "--by", "depth"}, {"rate", "--by", "rows"}, {"size", "--keep-air-volume"}}) {
        const vantor::test::TRun run = Run(args);
        EXPECT_EQ(run.exitCode, 2) << args[1];
        EXPECT_EQ(run.out, "");
    }
    const vantor::test::TRun plain = RunOk({"size", "--no-settings", "--json", "--design-duty", "40"});
    EXPECT_EQ(plain.Json()["Calculate"], 1);
    EXPECT_FALSE(plain.Json().contains("SizeResult"));
    // The asked-for duty sits just before the duty reached; a rating has none.
    const nlohmann::json sized = plain.Json();
    EXPECT_EQ(sized["RequestedDuty"], 40.0);
    EXPECT_NEAR(sized["Qt"].get<double>(), 40, 0.4);
    const std::string text = plain.out;
    EXPECT_LT(text.find("\"RequestedDuty\""), text.find("\"Qt\""));
    EXPECT_FALSE(Run({"rate", "--no-settings", "--json"}).Json().contains("RequestedDuty"));
}

// The editor's sizing accepted into a first-run document and rated, as the main window does it:
// the stored design settings on the coil, the editor's apply callback solving the document
// after each change, Accept, then a solve.
double DutyOfTheEditorsSizing(vantor::TFatSizing sizing, double duty)
{
    using namespace vantor;
    const TFolderEnvironment env = TFolderEnvironment::FromProcess();
    TUnitsRegistry units = StandardUnitsRegistry();
    units.LoadUnitsIni(env);
    const TSettingsStore programKey(TSettingsKey::Program, env);
    const TSettingsStore sharedKey(TSettingsKey::Shared, env);
    TRatingDocument doc({units, programKey, sharedKey, env, nullptr, {}});
    ApplyStoredDesignSettings(programKey, doc.Coil());
    doc.BeginModelEdit();
    TFatEditor editor;
    editor.SetTargetCoil(&doc.Coil());
    editor.SetApplyCallback([&doc](bool) { (void)doc.ApplyFromEditor(); });  // the test reads the document
    editor.Activate();
    editor.Size(sizing, duty);
    doc.AcceptEditorResult();
    EXPECT_TRUE(doc.Solve());
    return doc.HotWaterCoil().Qt;
}

TEST_F(SizeByTest, TheEditorsSizingsAcceptedRateAsTheCommandLineSizes)
{
    const std::map<std::string, vantor::TFatSizing> sizings{
        {"face-area", vantor::TFatSizing::FaceArea}, {"height", vantor::TFatSizing::Height},
        {"length", vantor::TFatSizing::Length},      {"rows", vantor::TFatSizing::Rows},
        {"fins", vantor::TFatSizing::Fins},          {"rows-and-fins", vantor::TFatSizing::RowsAndFins}};
    for (const auto& [by, sizing] : sizings) {
        SCOPED_TRACE(by);
        const nlohmann::json json = Sized({"--by", by, "--design-duty", "20"});
        EXPECT_NEAR(DutyOfTheEditorsSizing(sizing, 20), json["Qt"].get<double>(), 1e-9);
    }
}

}  // namespace
