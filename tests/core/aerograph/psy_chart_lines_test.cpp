#include "aerograph/psy_chart_lines.h"

#include "core/psychro/reference_states.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace vantor {
namespace {

const TPsyRanges kStandard{5, 35, 0.001, 0.02};

const TPsyChartLine* Find(const std::vector<TPsyChartLine>& lines, TPsyLineKind kind, double value)
{
    for (const TPsyChartLine& line : lines)
        if (line.Kind == kind && std::abs(line.Value - value) < 1e-9) return &line;
    return nullptr;
}

// The line's moisture content at a dry bulb, between its points.
double MoistureAt(const TPsyChartLine& line, double db)
{
    for (size_t i = 1; i < line.Points.size(); ++i) {
        const TPsyPoint& a = line.Points[i - 1];
        const TPsyPoint& b = line.Points[i];
        if ((db - a.DryBulb) * (db - b.DryBulb) <= 0 && a.DryBulb != b.DryBulb)
            return a.Moisture + (b.Moisture - a.Moisture) * (db - a.DryBulb) / (b.DryBulb - a.DryBulb);
    }
    return -1;
}

TEST(PsyChartLines, HumidityLinesMatchTheReferenceStates)
{
    // Every state of the reference table inside the chart lies on its humidity line, at the
    // line's barometer.
    int checked = 0;
    const TPsyRanges wide{-10, 45, 0, 0.035};
    for (const double P : {101.325, 80.0}) {
        const std::vector<TPsyChartLine> lines = PsyChartLines(P, wide);
        for (const test::TReferenceState& s : test::ReadReferenceStates()) {
            if (s.P != P || s.db < wide.DryBulbMin || s.db > wide.DryBulbMax || s.W > wide.MoistureMax) continue;
            const TPsyChartLine* line = Find(lines, TPsyLineKind::RelativeHumidity, s.RH);
            ASSERT_NE(line, nullptr) << test::Describe(s);
            EXPECT_NEAR(MoistureAt(*line, s.db), s.W, s.W * 5e-4) << test::Describe(s);
            ++checked;
        }
    }
    EXPECT_GE(checked, 20);
}

TEST(PsyChartLines, EveryLineStaysInsideTheChart)
{
    const std::vector<TPsyChartLine> lines = PsyChartLines(101.325, kStandard);
    int humidity = 0;
    for (const TPsyChartLine& line : lines) {
        ASSERT_GE(line.Points.size(), 2u) << line.Label;
        for (const TPsyPoint& p : line.Points) {
            EXPECT_GE(p.DryBulb, kStandard.DryBulbMin - 1e-9) << line.Label;
            EXPECT_LE(p.DryBulb, kStandard.DryBulbMax + 1e-9) << line.Label;
            EXPECT_GE(p.Moisture, kStandard.MoistureMin - 1e-12) << line.Label;
            EXPECT_LE(p.Moisture, kStandard.MoistureMax + 1e-12) << line.Label;
        }
        if (line.Kind == TPsyLineKind::RelativeHumidity) ++humidity;
    }
    EXPECT_EQ(humidity, 9) << "10 % to 90 %";
    ASSERT_NE(Find(lines, TPsyLineKind::Saturation, 1.0), nullptr);

    // The saturation curve leaves through the top: 0.02 kg/kg is saturated at about 25 °C.
    const TPsyChartLine& saturation = *Find(lines, TPsyLineKind::Saturation, 1.0);
    EXPECT_NEAR(saturation.Points.back().Moisture, 0.02, 1e-12);
    EXPECT_GT(saturation.Points.back().DryBulb, 24.5);
    EXPECT_LT(saturation.Points.back().DryBulb, 25.5);
}

TEST(PsyChartLines, EnthalpyAndWetBulbLines)
{
    const std::vector<TPsyChartLine> lines = PsyChartLines(101.325, kStandard);
    int enthalpy = 0;
    int wetBulb = 0;
    for (const TPsyChartLine& line : lines) {
        if (line.Kind == TPsyLineKind::Enthalpy) {
            ++enthalpy;
            // h = 1.006·t + W·(2501 + 1.86·t) along the whole line (the ends cut at the chart's
            // edges lie on a chord, a few thousandths of a kJ/kg off).
            for (const TPsyPoint& p : line.Points)
                EXPECT_NEAR(1.006 * p.DryBulb + p.Moisture * (2501 + 1.86 * p.DryBulb), line.Value, 0.01) << line.Label;
            EXPECT_EQ(std::fmod(line.Value, 10.0), 0.0) << line.Label;
        }
        if (line.Kind == TPsyLineKind::WetBulb) {
            ++wetBulb;
            EXPECT_EQ(std::fmod(line.Value, 5.0), 0.0) << line.Label;
            // Moisture falls as the dry bulb rises along a wet bulb, and the line never lies
            // left of its own wet bulb.
            for (size_t i = 1; i < line.Points.size(); ++i) {
                EXPECT_GT(line.Points[i].DryBulb, line.Points[i - 1].DryBulb) << line.Label;
                EXPECT_LT(line.Points[i].Moisture, line.Points[i - 1].Moisture) << line.Label;
            }
            EXPECT_GE(line.Points.front().DryBulb, line.Value - 1e-9) << line.Label;
        }
    }
    // Up to 0.02 kg/kg, wet bulbs of 0 to 25 °C cross a 5 to 35 °C chart (30 °C lies above it:
    // 0.025 kg/kg at 35 °C by the psychrometer equation), and enthalpies of 10 to 80 kJ/kg
    // (the corners hold 7.5 and 86.5 kJ/kg).
    EXPECT_EQ(wetBulb, 6);
    EXPECT_EQ(enthalpy, 8);
    const TPsyChartLine* fifteen = Find(lines, TPsyLineKind::WetBulb, 15);
    ASSERT_NE(fifteen, nullptr);
    EXPECT_EQ(fifteen->Label, "15 °C");
    // Saturated at 15 °C: 0.010647 kg/kg by W = 0.621945·ps/(P - ps) with ps = 1.70545 kPa.
    EXPECT_NEAR(fifteen->Points.front().DryBulb, 15, 1e-6);
    EXPECT_NEAR(fifteen->Points.front().Moisture, 0.010647, 2e-6);
}

TEST(PsyChartLines, ClippingCutsAtTheEdges)
{
    const TPsyRanges box{0, 10, 0, 1};
    // In, out through the top at x = 5, back in through the top at x = 7, out through the
    // right edge at y = 0.7.
    const std::vector<std::vector<TPsyPoint>> parts =
        ClipToRanges({{0, 0.5}, {4, 0.9}, {6, 1.1}, {8, 0.9}, {12, 0.5}}, box);
    ASSERT_EQ(parts.size(), 2u);
    ASSERT_EQ(parts[0].size(), 3u);
    EXPECT_NEAR(parts[0][2].DryBulb, 5, 1e-12);
    EXPECT_NEAR(parts[0][2].Moisture, 1, 1e-12);
    ASSERT_EQ(parts[1].size(), 3u);
    EXPECT_NEAR(parts[1][0].DryBulb, 7, 1e-12);
    EXPECT_NEAR(parts[1][2].DryBulb, 10, 1e-12);
    EXPECT_NEAR(parts[1][2].Moisture, 0.7, 1e-12);
    EXPECT_TRUE(ClipToRanges({{20, 2}, {30, 3}}, box).empty());
}

TEST(PsyChartLines, RangesWidenToRoundValues)
{
    EXPECT_EQ(RoundStep(30, 12), 5);
    EXPECT_EQ(RoundStep(78, 12), 10);
    EXPECT_EQ(RoundStep(0.02, 12), 0.002);

    EXPECT_EQ(WidenedRanges(kStandard, {{24, 0.009}, {30, 0.012}}), kStandard) << "nodes inside change nothing";
    const TPsyRanges widened = WidenedRanges(kStandard, {{-3.5, 0.0004}, {41.2, 0.0213}});
    EXPECT_EQ(widened.DryBulbMin, -5);
    EXPECT_EQ(widened.DryBulbMax, 45);
    EXPECT_EQ(widened.MoistureMin, 0);
    EXPECT_NEAR(widened.MoistureMax, 0.022, 1e-15);

    // A node on an edge, or just inside it, would have its marker cut: the edge moves out to
    // the next round value. The margin is 3 % of the span: 0.9 °C and 0.57 g/kg here.
    const TPsyRanges onEdges = WidenedRanges(kStandard, {{35, 0.0196}, {5.5, 0.001}});
    EXPECT_EQ(onEdges.DryBulbMax, 40);
    EXPECT_EQ(onEdges.DryBulbMin, 0);
    EXPECT_NEAR(onEdges.MoistureMax, 0.021, 1e-15);
    EXPECT_EQ(onEdges.MoistureMin, 0);
    EXPECT_EQ(WidenedRanges(kStandard, {{34, 0.019}, {6, 0.0016}}), kStandard) << "far enough inside";
}

}  // namespace
}  // namespace vantor
