#include "document/thermacoil.h"

#include "document/thermacoil_factory.h"
#include "document_test_support.h"
#include "psychro/psychro.h"

#include <gtest/gtest.h>

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

    // Dispatch numbers 201 to 212 in slot order 7 to 26, a get before its put.
    ASSERT_EQ(kThermacoilMembers.front().Slot, 7);
    for (size_t i = 1; i < kThermacoilMembers.size(); ++i) {
        EXPECT_EQ(kThermacoilMembers[i].Slot, kThermacoilMembers[i - 1].Slot + 1);
        EXPECT_GE(kThermacoilMembers[i].DispId, kThermacoilMembers[i - 1].DispId);
    }
    EXPECT_EQ(kThermacoilMembers.back().DispId, 212);
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
    EXPECT_FALSE(factory.Release(a));
    EXPECT_EQ(ended, 0);
    EXPECT_TRUE(factory.Release(c));
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
