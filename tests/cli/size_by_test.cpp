// Runs `vantor-cli size --by`: the fin and tube editor's sizings without the window, the stored
// design settings applied first, then a rating in "Heating Duty" mode.

#include "cli_test_support.h"

#include "document/design_settings.h"
#include "document/rating_document.h"
#include "model/fat_editor.h"
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
    EXPECT_NE(run.err.find("the sizing ended DataError"), std::string::npos) << run.err;
    EXPECT_EQ(run.Json()["SizeResult"], 5);

    // The smallest design duty the row takes needs less face than the smallest coil: the face
    // stops at its limits (two tube pitches high, 0.1 m long) and the sizing gives up.
    const nlohmann::json tiny = Sized({"--by", "face-area", "--design-duty", "0.1"}, 1);
    EXPECT_EQ(tiny["SizeResult"], 5);
    EXPECT_NEAR(tiny["fHeight"].get<double>(), 0.0762, 1e-12);
    EXPECT_NEAR(tiny["fLength"].get<double>(), 0.1, 1e-12);
}

TEST_F(SizeByTest, StoredDesignSettingsReachTheCoil)
{
    {
        vantor::TSettingsStore programKey(vantor::TSettingsKey::Program);
        programKey.WriteFloat("CoilSettingsForm", "DesignVf", 2.2);
        ASSERT_TRUE(programKey.Flush());
    }
    const vantor::test::TRun run = Run({"size", "--json", "--by", "face-area", "--design-duty", "40"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
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
    const vantor::test::TRun plain = Run({"size", "--no-settings", "--json", "--design-duty", "40"});
    ASSERT_EQ(plain.exitCode, 0) << plain.err;
    EXPECT_EQ(plain.Json()["Calculate"], 1);
    EXPECT_FALSE(plain.Json().contains("SizeResult"));
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
    editor.SetApplyCallback([&doc](bool) { doc.ApplyFromEditor(); });
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
