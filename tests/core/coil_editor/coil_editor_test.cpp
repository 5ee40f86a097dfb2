#include "coil_editor/coil_editor.h"

#include "core/model/first_run_coil.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vantor {
namespace {

constexpr double kTubePitch = 0.0381;  // the built-in range's tube pitch

// The summary entry whose text is text; an empty entry when there is none.
TSummaryEntry EntryOf(const std::vector<TSummaryEntry>& summary, const std::string& text)
{
    for (const TSummaryEntry& entry : summary)
        if (entry.Text() == text) return entry;
    return {};
}

// The entry of that caption; an empty entry when there is none.
TSummaryEntry Captioned(const std::vector<TSummaryEntry>& summary, const std::string& caption)
{
    for (const TSummaryEntry& entry : summary)
        if (entry.Caption == caption) return entry;
    return {};
}

constexpr TColor kBlack = RgbColor(0, 0, 0);
constexpr TColor kOrangeRed = RgbColor(255, 69, 0);

class FatEditorTest : public ::testing::Test {
protected:
    FatEditorTest()
    {
        Editor.SetTargetCoil(&Fixture.Coil);
        Editor.SetApplyCallback([this](bool keep) { Applied.push_back(keep); });
    }

    // rows × tubes high on the built-in range, with circuits.
    void Shape(double rows, int tubesHigh, double circuits)
    {
        TModelRec rec = Fixture.Coil.Geometry().ModelRecord();
        rec.Rows = rows;
        rec.fHeight = tubesHigh * kTubePitch;
        rec.Circ = circuits;
        Fixture.Coil.SetModelRecord(rec);
        Fixture.Coil.SetFaceVelocity(2.5);
    }

    test::TFirstRunCoil Fixture;
    TFatEditor Editor;
    std::vector<bool> Applied;
};

TEST_F(FatEditorTest, HeightSpinsInPairsOfTubePitchesAndTypedHeightsTakeOneStep)
{
    Editor.EditExit(TFatValue::FinHeight, 0.5334);
    EXPECT_NEAR(Fixture.Coil.fHeight(), 0.5334, 1e-12);
    EXPECT_TRUE(Editor.Spin(TFatValue::FinHeight, true));
    EXPECT_NEAR(Fixture.Coil.fHeight(), 0.6096, 1e-12);
    Editor.Spin(TFatValue::FinHeight, false);
    Editor.Spin(TFatValue::FinHeight, false);
    EXPECT_NEAR(Fixture.Coil.fHeight(), 0.4572, 1e-12);
    Editor.EditExit(TFatValue::FinHeight, 0.050);
    EXPECT_NEAR(Fixture.Coil.fHeight(), 0.0762, 1e-12);
    // The lowest height cannot step down: nothing changes and nobody is told.
    const size_t applied = Applied.size();
    EXPECT_FALSE(Editor.Spin(TFatValue::FinHeight, false));
    EXPECT_EQ(Applied.size(), applied);
    EXPECT_NEAR(Fixture.Coil.fHeight(), 0.0762, 1e-12);
}

TEST_F(FatEditorTest, RowsFinsAndPitchSpin)
{
    Editor.EditExit(TFatValue::Rows, 6);
    Editor.Spin(TFatValue::Rows, true);
    EXPECT_EQ(Fixture.Coil.Rows(), 8);
    Editor.Spin(TFatValue::Rows, false);
    EXPECT_EQ(Fixture.Coil.Rows(), 6);

    Editor.EditExit(TFatValue::FinDensity, 11);
    Editor.Spin(TFatValue::FinDensity, true);
    EXPECT_EQ(Fixture.Coil.fpi(), 12);

    Editor.EditExit(TFatValue::FinDensity, 10);  // 2.54 mm
    Editor.Spin(TFatValue::FinPitch, true);
    EXPECT_NEAR(Editor.FinPitchMm(), 3, 1e-12);
    EXPECT_NEAR(Fixture.Coil.fpi(), 8.4667, 1e-4);
    Editor.Spin(TFatValue::FinPitch, false);  // 3 mm, shown as 3.0000, goes to 2 mm
    EXPECT_NEAR(Fixture.Coil.fpi(), 12.7, 1e-12);
    Editor.EditExit(TFatValue::FinPitch, 1.1);
    EXPECT_FALSE(Editor.Spin(TFatValue::FinPitch, false));
    EXPECT_NEAR(Editor.FinPitchMm(), 1.1, 1e-12);
}

TEST_F(FatEditorTest, FewerRowsNeverLeaveACircuitWithoutATube)
{
    Shape(2, 3, 6);
    Editor.Spin(TFatValue::Rows, false);
    EXPECT_EQ(Fixture.Coil.Rows(), 1);
    EXPECT_EQ(Fixture.Coil.Circ(), 3);
}

TEST_F(FatEditorTest, CircuitSpinsFindEvenDivisions)
{
    Shape(4, 12, 6);
    EXPECT_TRUE(Editor.Spin(TFatValue::Circuits, true));
    EXPECT_EQ(Fixture.Coil.Circ(), 8);
    Editor.EditExit(TFatValue::Circuits, 6);
    EXPECT_TRUE(Editor.Spin(TFatValue::Circuits, false));
    EXPECT_EQ(Fixture.Coil.Circ(), 4);
    Editor.EditExit(TFatValue::Circuits, 1);
    EXPECT_FALSE(Editor.Spin(TFatValue::Circuits, false));
    EXPECT_EQ(Fixture.Coil.Circ(), 1);
}

TEST_F(FatEditorTest, SummaryMarksUnlinkedTubesInOrangeRed)
{
    Shape(4, 12, 5);
    Editor.ShowSummary();
    const auto& summary = Editor.Summary();
    EXPECT_EQ(summary.front().Caption, "Face Area");
    EXPECT_EQ(EntryOf(summary, "12 tubes high").Severity, TSummarySeverity::Normal);
    EXPECT_EQ(EntryOf(summary, "9 tubes per circuit").Color, kBlack);
    const TSummaryEntry unlinked = EntryOf(summary, "3 unlinked tubes");
    EXPECT_EQ(unlinked.Color, kOrangeRed);
    EXPECT_EQ(unlinked.Severity, TSummarySeverity::Warning);
    // An odd number of passes (9) brings the outlet to the far end.
    const TSummaryEntry sides = EntryOf(summary, "Opposite side conns.");
    EXPECT_EQ(ColorToHtml(sides.Color), "#CD5C5C");
    EXPECT_EQ(sides.Severity, TSummarySeverity::Warning);

    Editor.EditExit(TFatValue::Circuits, 6);
    const auto& even = Editor.Summary();
    EXPECT_EQ(EntryOf(even, "8 tubes per circuit").Caption, "tubes per circuit");
    EXPECT_EQ(EntryOf(even, "0 unlinked tubes").Severity, TSummarySeverity::Normal);
    EXPECT_EQ(EntryOf(even, "Same side conns.").Color, kBlack);
    // 0.4572 × 0.720 m
    EXPECT_EQ(EntryOf(even, "L/H = 1.575").Value, "1.575");
    EXPECT_FALSE(Captioned(even, "Vw").Value.empty());
    EXPECT_NE(Captioned(even, "Total Duty").Value.find(" kW"), std::string::npos);
    for (const TSummaryEntry& entry : even) EXPECT_NE(entry.Severity, TSummarySeverity::Error) << entry.Text();
}

TEST_F(FatEditorTest, DutyOutOfReachEndsTheSummaryAsAnError)
{
    Editor.Activate();
    Editor.Size(TFatSizing::Rows, 1000 * Fixture.Coil.Qt);
    ASSERT_TRUE(Fixture.Coil.DutyOutOfReach);
    const TSummaryEntry target = Editor.Summary().back();
    EXPECT_EQ(target.Caption, "Target Duty");
    EXPECT_EQ(target.Severity, TSummarySeverity::Error);
    EXPECT_EQ(ColorToHtml(target.Color), "#FF0000");
    EXPECT_NE(target.Text().find(" kW: could not reach the duty within the coil's limits"), std::string::npos);

    // The next change forgets the duty it could not reach.
    Editor.Spin(TFatValue::FinnedLength, true);
    EXPECT_EQ(Captioned(Editor.Summary(), "Target Duty").Caption, "");
}

TEST_F(FatEditorTest, FaceVelocityColourRunsFromBlackAt2_4ToOrangeRedAt3_1)
{
    struct TCase {
        double Velocity;
        TColor Colour;
    };
    for (const TCase& c : {TCase{2.0, kBlack}, TCase{2.4, kBlack}, TCase{3.1, kOrangeRed}, TCase{4.0, kOrangeRed}}) {
        Fixture.Coil.SetFaceVelocity(c.Velocity);
        Editor.ShowSummary();
        EXPECT_EQ(Captioned(Editor.Summary(), "Air Vf").Color, c.Colour) << c.Velocity;
    }
    Fixture.Coil.SetFaceVelocity(2.75);
    Editor.ShowSummary();
    const TSummaryEntry between = Captioned(Editor.Summary(), "Air Vf");
    EXPECT_NE(between.Color, kBlack);
    EXPECT_NE(between.Color, kOrangeRed);
    EXPECT_EQ(between.Severity, TSummarySeverity::Warning);
    EXPECT_NE(between.Text().find("Air Vf = 2.75"), std::string::npos) << between.Text();
}

TEST_F(FatEditorTest, HeightKeepsTheSerpentineFractionOfTubesHigh)
{
    Shape(4, 8, 4);  // circuits per tube high: 1/2
    ASSERT_EQ(Editor.SerpentineLabel(), "1/2");
    Editor.EditExit(TFatValue::FinHeight, 10 * kTubePitch);
    EXPECT_EQ(Fixture.Coil.Geometry().TubesHigh(), 10);
    EXPECT_EQ(Fixture.Coil.Circ(), 5);
}

TEST_F(FatEditorTest, NewFaceKeepsTheVelocityOrTheAirVolume)
{
    const double volume = Fixture.Coil.AirVolume();
    Editor.EditExit(TFatValue::FinnedLength, 1.0);
    EXPECT_NEAR(Fixture.Coil.FaceVelocity(), 2.5, 1e-9);
    EXPECT_NEAR(Fixture.Coil.AirVolume(), 2.5 * Fixture.Coil.FaceArea(), 1e-9);

    Editor.KeepAirFlow = true;
    const double kept = Fixture.Coil.AirVolume();
    Editor.Spin(TFatValue::FinnedLength, true);
    EXPECT_NEAR(Fixture.Coil.fLength(), 1.1, 1e-12);
    EXPECT_NEAR(Fixture.Coil.AirVolume(), kept, 1e-12);
    EXPECT_NEAR(Fixture.Coil.FaceVelocity(), kept / Fixture.Coil.FaceArea(), 1e-12);
    EXPECT_NE(volume, kept);
    ASSERT_FALSE(Applied.empty());
    EXPECT_FALSE(Applied.front());
    EXPECT_TRUE(Applied.back());
}

TEST_F(FatEditorTest, CancelAfterSizingRestoresTheCoilOfActivation)
{
    Editor.Activate();
    const TModelRec before = Fixture.Coil.Geometry().ModelRecord();
    const std::string model = Fixture.Coil.GetModelText();
    const double volume = Fixture.Coil.AirVolume();
    const double velocity = Fixture.Coil.LiquidState.vw;

    Editor.Size(TFatSizing::FaceArea, 2 * Fixture.Coil.Qt);
    Editor.Size(TFatSizing::RowsAndFins, 1.5 * Fixture.Coil.Qt);
    Editor.SetCasingMaterial(4);
    ASSERT_NE(Fixture.Coil.GetModelText(), model);
    Fixture.Coil.LiquidState.SetVelocity(2.0);

    Editor.Cancel();
    EXPECT_EQ(Fixture.Coil.GetModelText(), model);
    EXPECT_EQ(Fixture.Coil.Geometry().ModelRecord().Circ, before.Circ);
    EXPECT_EQ(Fixture.Coil.Geometry().ModelRecord().Mc, before.Mc);
    EXPECT_NEAR(Fixture.Coil.AirVolume(), volume, 1e-12);
    // The summary's rating moves the velocity with the fluid's density at its new mean temperature.
    EXPECT_NEAR(Fixture.Coil.LiquidState.vw, velocity, 0.005);
}

TEST_F(FatEditorTest, SizingAimsAtTheKeptAirVolume)
{
    Editor.Activate();
    const double volume = Fixture.Coil.AirVolume();
    Editor.KeepAirFlow = true;
    EXPECT_EQ(Editor.Size(TFatSizing::FaceArea, 0.8 * Fixture.Coil.Qt), TSolveStatus::Solved);
    EXPECT_NEAR(Fixture.Coil.AirVolume(), volume, 1e-9);
    Editor.KeepAirFlow = false;
    Editor.Size(TFatSizing::FaceArea, 1.3 * Fixture.Coil.Qt);
    EXPECT_NEAR(Fixture.Coil.FaceVelocity(), Fixture.Coil.DesignVf, 0.05);
}

TEST_F(FatEditorTest, TubeRangePutsTheHeightOnTheNewPitch)
{
    TModelRec range = Fixture.Coil.Geometry().ModelRecord();
    range.Sy = 0.03175;  // 1-1/4 in: 63.5 mm steps
    range.fHeight = 0.544;
    Editor.TakeTubeRange(range);
    EXPECT_NEAR(Fixture.Coil.fHeight(), 0.5715, 1e-12);  // 9 steps of 63.5 mm
    range.fHeight = 0.020;
    Editor.TakeTubeRange(range);
    EXPECT_NEAR(Fixture.Coil.fHeight(), 0.0635, 1e-12);
}

TEST_F(FatEditorTest, PictureTubesAndCaption)
{
    Shape(4, 12, 6);
    EXPECT_DOUBLE_EQ(Editor.PictureTubesPerCircuit(), 8);
    EXPECT_EQ(Editor.Caption(), Fixture.Coil.GetModelText());

    TFatEditor none;
    none.ShowSummary();
    EXPECT_TRUE(none.Summary().empty());
    EXPECT_FALSE(none.Spin(TFatValue::Rows, true));
}

}  // namespace
}  // namespace vantor
