#include "aerograph/aerograph_model.h"

#include "document/psy_export.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

namespace vantor {
namespace {

TPsyProcess Process(double onDb, double onWb, double offDb, double offWb, double massFlow, double barometer)
{
    TPsyProcess process;
    process.OnDryBulb = onDb;
    process.OnWetBulb = onWb;
    process.OffDryBulb = offDb;
    process.OffWetBulb = offWb;
    process.AirMassFlow = massFlow;
    process.Barometer = barometer;
    return process;
}

class AerographModelTest : public ::testing::Test {
protected:
    std::filesystem::path Write(const std::string& name, const TPsyProcess& process)
    {
        const std::filesystem::path file = m_folder / name;
        EXPECT_TRUE(WritePsyExport(file, TFileProperties(), process));
        return file;
    }

    test::TTempFolder m_folder;
    TAerographModel m_model;
};

TEST_F(AerographModelTest, FilesAddTheirProcessesAndAFileReceivedAgainReplacesItsOwn)
{
    EXPECT_DOUBLE_EQ(m_model.Barometer(), 101.325);
    EXPECT_EQ(m_model.Ranges(), (TPsyRanges{5, 35, 0.001, 0.02}));

    // Reference states: 20 °C at 50 % has the wet bulb 13.7834 °C and 7.261737 g/kg at
    // 101.325 kPa; 20 °C at 50 % has 13.2137 °C and 9.226159 g/kg at 80 kPa.
    const std::filesystem::path a = Write("A.psy", Process(20, 13.7834, 30, 17, 1.2, 101.325));
    ASSERT_TRUE(m_model.Receive(a));
    const std::filesystem::path b = Write("B.psy", Process(20, 13.2137, 40, 20, 0.8, 80));
    ASSERT_TRUE(m_model.Receive(b));

    ASSERT_EQ(m_model.Sources().size(), 2u);
    EXPECT_DOUBLE_EQ(m_model.Barometer(), 80) << "drawn at the barometer of the file received last";
    const TPsySource& first = m_model.Sources()[0];
    const TPsySource& second = m_model.Sources()[1];
    EXPECT_EQ(first.Path, std::filesystem::canonical(a));
    EXPECT_EQ(second.Path, std::filesystem::canonical(b));
    // Both files call their nodes Node1 and Node2; each keeps its own.
    ASSERT_EQ(first.Nodes.size(), 2u);
    ASSERT_EQ(second.Nodes.size(), 2u);
    EXPECT_EQ(first.Nodes[0].Node.Name, second.Nodes[0].Node.Name);
    // The file keeps the wet bulb to 0.001 K, about 1e-6 kg/kg here.
    EXPECT_NEAR(first.Nodes[0].Point.Moisture, 7.261737e-3, 1e-6) << "at its own barometer";
    EXPECT_NEAR(second.Nodes[0].Point.Moisture, 9.226159e-3, 1e-6) << "at its own barometer";
    ASSERT_EQ(second.Processes.size(), 1u);
    EXPECT_EQ(second.Processes[0].Process.Caption, "Coil");
    EXPECT_EQ(second.Nodes[second.Processes[0].To].Node.DryBulb, 40);
    EXPECT_DOUBLE_EQ(second.Processes[0].Process.AirMassFlow, 0.8);
    EXPECT_EQ(m_model.Ranges().DryBulbMax, 45) << "widened to take in the 40 °C node with room for its marker";

    // The first file plotted again, now with another off-coil state and barometer: it replaces
    // its own process, keeps its place and sets the chart's barometer.
    Write("A.psy", Process(20, 13.7834, 50, 22, 1.5, 101.325));
    ASSERT_TRUE(m_model.Receive(m_folder.Path() / "." / "A.psy"));
    ASSERT_EQ(m_model.Sources().size(), 2u);
    EXPECT_EQ(m_model.Sources()[0].Path, std::filesystem::canonical(a));
    ASSERT_EQ(m_model.Sources()[0].Processes.size(), 1u);
    EXPECT_DOUBLE_EQ(m_model.Sources()[0].Processes[0].Process.AirMassFlow, 1.5);
    EXPECT_EQ(m_model.Sources()[0].Nodes[1].Node.DryBulb, 50);
    EXPECT_EQ(m_model.Current(), &m_model.Sources()[0]);
    EXPECT_DOUBLE_EQ(m_model.Barometer(), 101.325);
    EXPECT_EQ(m_model.Ranges().DryBulbMax, 55);
}

TEST_F(AerographModelTest, AFileThatCannotBeReadChangesNothing)
{
    ASSERT_TRUE(m_model.Receive(Write("A.psy", Process(24, 17, 40, 22, 1.2, 101.325))));
    test::WriteText(m_folder / "bad.psy", "'Aerograph 1.0 data file'\r\n'x'\r\n");
    const TResult bad = m_model.Receive(m_folder / "bad.psy");
    EXPECT_FALSE(bad);
    EXPECT_NE(bad.Message.find("bad.psy: Line 3"), std::string::npos) << bad.Message;
    const TResult missing = m_model.Receive(m_folder / "missing.psy");
    EXPECT_NE(missing.Message.find("does not exist"), std::string::npos) << missing.Message;
    EXPECT_EQ(m_model.Sources().size(), 1u);
}

TEST_F(AerographModelTest, TheChartLinesFollowTheBarometer)
{
    ASSERT_TRUE(m_model.Receive(Write("Low.psy", Process(20, 13.2137, 30, 17, 1, 80))));
    // 30 °C at 10 %: 3.318610 g/kg at 80 kPa (2.617232 g/kg at 101.325 kPa).
    for (const TPsyChartLine& line : m_model.Lines()) {
        if (line.Kind != TPsyLineKind::RelativeHumidity || line.Value != 0.1) continue;
        for (size_t i = 1; i < line.Points.size(); ++i)
            if (line.Points[i - 1].DryBulb <= 30 && line.Points[i].DryBulb >= 30) {
                const TPsyPoint& p = line.Points[i - 1];
                const TPsyPoint& q = line.Points[i];
                const double W = p.Moisture + (q.Moisture - p.Moisture) * (30 - p.DryBulb) / (q.DryBulb - p.DryBulb);
                EXPECT_NEAR(W, 3.318610e-3, 2e-6);
                return;
            }
    }
    FAIL() << "no 10 % line through 30 °C";
}

}  // namespace
}  // namespace vantor
