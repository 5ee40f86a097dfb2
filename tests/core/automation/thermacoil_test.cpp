#include "automation/thermacoil.h"

#include "automation/thermacoil_factory.h"
#include "core/document/document_test_support.h"
#include "psychro/psychro.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

namespace vantor {
namespace {

using Thermacoil = test::TDocumentFixture;

double Number(const std::string& text) { return std::stod(text); }

TEST_F(Thermacoil, TwoObjectsShareTheOneDocument)
{
    TRatingDocument& doc = Open();
    TThermacoilFactory factory(doc);
    TThermacoil& first = *factory.Instance(factory.CreateInstance());
    TThermacoil& second = *factory.Instance(factory.CreateInstance());

    ASSERT_TRUE(first.PutModel("544 720 4r 12f 7c"));
    ASSERT_TRUE(second.PutWaterOn(80));
    double waterOn = 0;
    ASSERT_TRUE(first.GetWaterOn(waterOn));
    EXPECT_DOUBLE_EQ(waterOn, 80) << "a put through one object is seen through the other";
    EXPECT_EQ(Row(rowFluidInlet), "80.0") << "a put writes the rows";

    double solved = 0;
    ASSERT_TRUE(first.Solve(solved));
    double Qt = 0;
    ASSERT_TRUE(second.GetQt(Qt));
    EXPECT_DOUBLE_EQ(solved, Qt);
    EXPECT_NEAR(Number(Row(rowDesignDuty)), Qt, 0.05) << "row 12 shows the solved duty";
    std::int32_t state = -1;
    ASSERT_TRUE(second.GetCalcState(state));
    EXPECT_EQ(state, 0);
    EXPECT_EQ(Recorder.Panels[spSolve], "Solved...");

    // Dry bulb 20 at the present moisture content: the wet bulb follows, the mass flow stays.
    double massBefore = 0;
    ASSERT_TRUE(first.GetAirMassFlow(massBefore));
    const double wetBulbBefore = doc.AirOn().wb;
    ASSERT_TRUE(second.PutDBon(20));
    double dryBulb = 0;
    double wetBulb = 0;
    ASSERT_TRUE(first.GetDBon(dryBulb));
    ASSERT_TRUE(first.GetWBon(wetBulb));
    EXPECT_DOUBLE_EQ(dryBulb, 20);
    EXPECT_LT(wetBulb, wetBulbBefore);
    TMoistAirState expected;
    SetState(expected, doc.AirOn().P, 20, doc.AirOn().W, pcDbW);
    EXPECT_NEAR(wetBulb, expected.wb, 1e-9);
    double massAfter = 0;
    ASSERT_TRUE(first.GetAirMassFlow(massAfter));
    EXPECT_DOUBLE_EQ(massAfter, massBefore);
    double volume = 0;
    ASSERT_TRUE(first.GetInletAirFlow(volume));
    EXPECT_NEAR(volume, massAfter / doc.AirOn().ro, 1e-12) << "the volume follows the new density";
    EXPECT_EQ(Recorder.Panels[spSolve], "Not Solved") << "the shown results no longer belong to the inputs";

    ASSERT_TRUE(second.PutInletAirFlow(2));
    double mass = 0;
    ASSERT_TRUE(first.GetAirMassFlow(mass));
    EXPECT_NEAR(mass, 2 * doc.AirOn().ro, 1e-12);
    EXPECT_EQ(Row(rowAirVolume), "2.000");
}

TEST_F(Thermacoil, RefusedPutsChangeNothing)
{
    TRatingDocument& doc = Open();
    TThermacoil coil(doc);
    ASSERT_TRUE(doc.Solve());
    const std::string model = doc.HotWaterCoil().GetModelText();

    const TResult refused = coil.PutModel("544 720 4r");
    EXPECT_FALSE(refused);
    EXPECT_NE(refused.Message.find("fewer than five readable numbers"), std::string::npos) << refused.Message;
    const TResult tooManyRows = coil.PutModel("544 720 40r 12f 7c");
    EXPECT_NE(tooManyRows.Message.find("rows outside 1 to 20"), std::string::npos) << tooManyRows.Message;
    EXPECT_EQ(doc.HotWaterCoil().GetModelText(), model);
    EXPECT_TRUE(doc.HotWaterCoil().ModelValid);
    EXPECT_EQ(Recorder.Panels[spSolve], "Solved...") << "a refused put is no change";

    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const double velocity = doc.HotWaterCoil().FaceVelocity();
    const double inlet = doc.Liquid().tfi;
    const TMoistAirState airOn = doc.AirOn();
    EXPECT_FALSE(coil.PutAirFaceVelocity(nan));
    EXPECT_FALSE(coil.PutWaterOn(inf));
    EXPECT_FALSE(coil.PutDBon(-inf));
    EXPECT_FALSE(coil.PutWaterFlow(nan));
    EXPECT_DOUBLE_EQ(doc.HotWaterCoil().FaceVelocity(), velocity);
    EXPECT_DOUBLE_EQ(doc.Liquid().tfi, inlet);

    // A dry bulb the psychrometric library cannot form leaves the on-coil air whole.
    const TResult tooHot = coil.PutDBon(500);
    EXPECT_FALSE(tooHot);
    EXPECT_EQ(tooHot.Message.rfind("DBon: ", 0), 0u) << tooHot.Message;
    EXPECT_EQ(std::memcmp(&doc.AirOn(), &airOn, sizeof airOn), 0);

    // An accepted model becomes the one a refused row 1 text falls back to.
    ASSERT_TRUE(coil.PutModel("600 800 3r 10f 8c"));
    ASSERT_TRUE(doc.EnterRowText(rowModel, "nonsense"));
    EXPECT_EQ(Row(rowModel), "600 x 800  3r  10f  8c");
}

TEST_F(Thermacoil, ImpossibleAirIsCorrectedAsTheRowCorrectsIt)
{
    TRatingDocument& doc = Open();
    TThermacoil coil(doc);
    ASSERT_TRUE(doc.Solve());
    const double massFlow = doc.HotWaterCoil().AirMassFlow();

    // 25/17 holds about 8.9 g/kg, more than air of 0 °C can (3.77 g/kg saturated): kept
    // moisture would put the wet bulb above the dry bulb. The row holds it to the dry bulb.
    ASSERT_TRUE(coil.PutDBon(0));
    double dryBulb = -1;
    double wetBulb = -1;
    ASSERT_TRUE(coil.GetDBon(dryBulb));
    ASSERT_TRUE(coil.GetWBon(wetBulb));
    EXPECT_EQ(dryBulb, 0);
    EXPECT_EQ(wetBulb, 0) << "saturated air at 0 °C";
    // Saturation over water at 0 °C, 0.6112 kPa: W = 0.621945 · 0.6112 / (101.325 − 0.6112).
    EXPECT_NEAR(doc.AirOn().W, 0.621945 * 0.6112 / (101.325 - 0.6112), 2e-6);
    EXPECT_NEAR(doc.AirOn().RH, 1, 1e-3);
    EXPECT_DOUBLE_EQ(doc.HotWaterCoil().AirMassFlow(), massFlow) << "the air mass flow stays";

    std::vector<std::string> warnings;
    ASSERT_TRUE(coil.GetWarnings(warnings));
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_EQ(warnings[0].rfind("DBon: ", 0), 0u) << warnings[0];
    EXPECT_NE(warnings[0].find("wet bulb 6.6"), std::string::npos) << warnings[0];
    EXPECT_NE(warnings[0].find("is above the dry bulb; 0 °C used"), std::string::npos) << warnings[0];
    bool solved = true;
    ASSERT_TRUE(coil.GetSolved(solved));
    EXPECT_FALSE(solved) << "a put leaves the results stale";

    // A possible state is taken as the put gives it, and says nothing.
    ASSERT_TRUE(coil.PutDBon(20));
    ASSERT_TRUE(coil.GetWarnings(warnings));
    EXPECT_EQ(warnings.size(), 1u) << "the earlier correction stays until the next solve";
    ASSERT_TRUE(coil.GetDBon(dryBulb));
    EXPECT_EQ(dryBulb, 20);

    double duty = 0;
    ASSERT_TRUE(coil.Solve(duty));
    ASSERT_TRUE(coil.GetSolved(solved));
    EXPECT_TRUE(solved);
    ASSERT_TRUE(coil.GetWarnings(warnings));
    EXPECT_EQ(warnings, doc.SolveWarnings()) << "after a solve: what the solve warned about";
}

TEST_F(Thermacoil, WarningsAndFailuresSayWhatTheStatusLineSays)
{
    TRatingDocument& doc = Open();
    TThermacoil coil(doc);

    // Values no row would take are rated as given, and warned about.
    ASSERT_TRUE(coil.PutAirFaceVelocity(10000));
    ASSERT_TRUE(coil.PutWaterFlow(1e300));
    double face = 0;
    ASSERT_TRUE(coil.GetAirFaceVelocity(face));
    EXPECT_EQ(face, 10000) << "a put keeps its raw value";
    double duty = 0;
    ASSERT_TRUE(coil.Solve(duty));
    std::vector<std::string> warnings;
    ASSERT_TRUE(coil.GetWarnings(warnings));
    const auto mentions = [&warnings](std::string_view row) {
        return std::any_of(warnings.begin(), warnings.end(), [row](const std::string& w) {
            return w.rfind(row, 0) == 0 && w.find("outside its row's range") != std::string::npos;
        });
    };
    EXPECT_TRUE(mentions("Air Velocity 10000.00 m/s")) << ::testing::PrintToString(warnings);
    EXPECT_TRUE(mentions("Fluid flow 1E300 kg/s")) << "the shortest text, not 300 digits: "
                                                  << ::testing::PrintToString(warnings);

    // Fluid entering below the on-coil dew point (25/17: about 12.4 °C) is not rated: the
    // failure carries the status line's reason, not only "Data Error...".
    ASSERT_TRUE(coil.PutAirFaceVelocity(2.5));
    ASSERT_TRUE(coil.PutWaterFlow(0.8));
    ASSERT_TRUE(coil.PutWaterOn(8));
    const TResult failed = coil.Solve(duty);
    ASSERT_FALSE(failed);
    EXPECT_EQ(failed.Message.rfind(Recorder.Panels[spSolve] + ": ", 0), 0u) << failed.Message;
    EXPECT_NE(failed.Message.find("below the on-coil dew point"), std::string::npos) << failed.Message;
    EXPECT_NE(failed.Message.find(Recorder.Panels[spFile]), std::string::npos) << "the warnings the file panel shows";
    bool solved = true;
    ASSERT_TRUE(coil.GetSolved(solved));
    EXPECT_FALSE(solved);
}

TEST_F(Thermacoil, SettingsNeverStoreAValueTheRowsWouldRefuse)
{
    TRatingDocument& doc = Open();
    TThermacoil coil(doc);
    ASSERT_TRUE(coil.PutWaterOn(-5));
    ASSERT_TRUE(coil.PutAirFaceVelocity(25));
    double inlet = 0;
    ASSERT_TRUE(coil.GetWaterOn(inlet));
    EXPECT_EQ(inlet, -5) << "the model keeps the client's value while the program runs";

    Restart();
    // The rows' limits (fluid inlet 5 to 150 °C, face velocity 0.5 to 10 m/s) were stored, so
    // the next start has nothing to correct.
    EXPECT_TRUE(Document->SettingsCheck().Empty()) << Document->SettingsCheck().Message("");
    EXPECT_EQ(ProgramKey().ReadFloat("Default", "WaterIn", 0), 5);
    EXPECT_EQ(ProgramKey().ReadFloat("VantorForm", "AirVelocity", 0), 10);
    EXPECT_EQ(Document->Liquid().tfi, 5);
}

TEST_F(Thermacoil, MembersByNameFollowTheInterface)
{
    TRatingDocument& doc = Open();
    TThermacoil coil(doc);
    ASSERT_TRUE(coil.Put("waterflow", 1.25)) << "names are matched without regard to case";
    TAutomationValue value;
    ASSERT_TRUE(coil.Get("WaterFlow", value));
    EXPECT_DOUBLE_EQ(std::get<double>(value), 1.25);
    ASSERT_TRUE(coil.Get("Solve", value));
    EXPECT_GT(std::get<double>(value), 0);
    ASSERT_TRUE(coil.Get("CalcState", value));
    EXPECT_EQ(std::get<std::int32_t>(value), 0);
    EXPECT_FALSE(coil.Put("Qt", 5.0));
    EXPECT_FALSE(coil.Put("WaterOn", std::string("80")));
    EXPECT_FALSE(coil.Get("Colour", value));

    // Dispatch numbers 201 to 212 in slot order 7 to 26, a get before its put; Warnings and
    // Solved follow at 213 and 214.
    ASSERT_EQ(kThermacoilMembers.front().Slot, 7);
    for (size_t i = 1; i < kThermacoilMembers.size(); ++i) {
        EXPECT_EQ(kThermacoilMembers[i].Slot, kThermacoilMembers[i - 1].Slot + 1);
        EXPECT_GE(kThermacoilMembers[i].DispId, kThermacoilMembers[i - 1].DispId);
    }
    EXPECT_EQ(kThermacoilMembers[19].Slot, 26);
    EXPECT_EQ(kThermacoilMembers[19].DispId, 212);
    EXPECT_EQ(kThermacoilMembers[20].Name, "Warnings");
    EXPECT_EQ(kThermacoilMembers[21].Name, "Solved");
    EXPECT_EQ(kThermacoilMembers.back().DispId, 214);
    ASSERT_TRUE(coil.Get("solved", value));
    EXPECT_TRUE(std::get<bool>(value));
    EXPECT_FALSE(coil.Put("Solved", 0.0)) << "read-only";
}

TEST_F(Thermacoil, ObjectsAreCountedAndTheLastReleaseEndsAnAutomationStart)
{
    TRatingDocument& doc = Open();
    TThermacoilFactory factory(doc);
    int ended = 0;
    factory.OnLastRelease = [&ended] { ++ended; };
    factory.StartedForAutomation = true;
    EXPECT_FALSE(factory.CloseQuestion());

    const int a = factory.CreateInstance(":1.7");
    const int b = factory.CreateInstance(":1.7");
    const int c = factory.CreateInstance(":1.9");
    EXPECT_EQ(factory.ObjectCount(), 3);
    EXPECT_EQ(factory.InstanceIds(), (std::vector<int>{a, b, c}));
    ASSERT_TRUE(factory.CloseQuestion());
    EXPECT_EQ(*factory.CloseQuestion(), kComServerWarningText);

    EXPECT_EQ(factory.ReleaseClient(":1.7"), 2) << "a client that left the bus releases its objects";
    EXPECT_EQ(factory.Instance(a), nullptr);
    EXPECT_EQ(factory.Instance(b), nullptr);
    EXPECT_EQ(factory.InstanceIds(), (std::vector<int>{c}));
    using enum TThermacoilFactory::TRelease;
    EXPECT_EQ(factory.Release(a, ":1.7"), NoObject);
    EXPECT_EQ(factory.Release(c, ":1.7"), OtherClient) << "only the client that created an object releases it";
    EXPECT_EQ(factory.Release(c), OtherClient) << "nor may the program release a client's object";
    EXPECT_EQ(factory.InstanceIds(), (std::vector<int>{c}));
    EXPECT_EQ(ended, 0);
    EXPECT_EQ(factory.Release(c, ":1.9"), Released);
    EXPECT_EQ(ended, 1);
    EXPECT_GT(factory.CreateInstance(), c) << "ids are not given twice";

    const TAutomationSwitches switches = ParseAutomationSwitches({"/Automation", "-REGSERVER", "embedding", "x.hqx"});
    EXPECT_TRUE(switches.Automation);
    EXPECT_TRUE(switches.RegServer);
    EXPECT_FALSE(switches.Embedding) << "a switch needs its '-' or '/'";
    EXPECT_FALSE(switches.UnregServer);
}

}  // namespace
}  // namespace vantor
