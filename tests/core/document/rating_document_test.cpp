#include "document/rating_document.h"

#include "document_test_support.h"
#include "fluids/air_state_text.h"
#include "support/comma_locale.h"
#include "text/format.h"
#include "rows/unit_choices.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <fstream>
#include <tuple>

namespace vantor {
namespace {

using test::TDocumentFixture;

using RatingDocument = TDocumentFixture;

// The first-run coil rated by an independent implementation (tests/data/reference).
nlohmann::json ReferenceRating()
{
    std::ifstream file(std::string(VANTOR_TEST_DATA_DIR) + "/reference/first-run-coil.json");
    return nlohmann::json::parse(file)["results"];
}

double Number(const std::string& text) { return std::stod(text); }

TEST_F(RatingDocument, FirstRunStartsFromTheDefaultSettings)
{
    TRatingDocument& doc = Open();
    EXPECT_FALSE(doc.StoredSettings().Stored) << "an empty section makes the window size itself";
    // The standard designation form; 0.544 m x 0.72 m at 2.5 m/s is 0.9792 m³/s; 1.0 m/s in
    // seven 12.5222 mm bores of water at 40 °C is 0.8554 kg/s.
    const std::pair<int, const char*> rows[] = {
        {rowModel, "544 x 720  4r  12f  7c"}, {rowBarometer, "101.325"}, {rowAirOn, "25.0/17.0"},
        {rowAirVolume, "0.979"},               {rowAirVelocity, "2.50"},  {rowFluid, "Clean Water"},
        {rowControl, "Flow"},                  {rowFluidInlet, "45.0"},   {rowDesignDT, "10.0"},
        {rowFluidFlow, "0.8554"},              {rowTubeVelocity, "1.00"}, {rowDesignDuty, "20.000"},
        {rowCalcMode, "Heating Duty"},
    };
    for (const auto& [row, text] : rows) EXPECT_EQ(Row(row), text) << "row " << row;
    EXPECT_EQ(doc.Rows().Cell(kUnitsColumn, rowModel), "Typical");
    EXPECT_EQ(doc.HotWaterCoil().Geometry().ModelRecord().Model, "1/2 inch");
    EXPECT_EQ(doc.Rows().Cell(0, rowDesignDuty), "Design Duty  ");

    const std::pair<int, bool> enabled[] = {{rowModel, true},      {rowDesignDT, false}, {rowFluidFlow, true},
                                            {rowTubeVelocity, true}, {rowDesignDuty, false}};
    for (const auto& [row, expected] : enabled) EXPECT_EQ(doc.Rows().RowEnabled(row), expected) << "row " << row;

    EXPECT_TRUE(doc.Saved());
    EXPECT_FALSE(doc.Solved());
    EXPECT_EQ(Recorder.Panels[spEdit], "Ready...");
    EXPECT_EQ(Recorder.Panels[spSolve], "Not Solved");
    EXPECT_TRUE(Recorder.Messages.empty());
}

TEST_F(RatingDocument, FirstRunSolveMatchesTheIndependentRating)
{
    TRatingDocument& doc = Open();
    const nlohmann::json expected = ReferenceRating();
    ASSERT_TRUE(doc.Solve());
    EXPECT_EQ(Recorder.Panels[spSolve], "Solved...");
    EXPECT_EQ(Recorder.Panels[spEdit], "Ready...") << "a solve is no edit";
    const double Qt = expected["Qt"].get<double>();
    EXPECT_NEAR(doc.DesignDuty(), Qt, 1e-3 * Qt) << "the solved duty becomes the design duty";
    EXPECT_NEAR(Number(Row(rowDesignDuty)), Qt, 1e-3 * Qt);
    EXPECT_NEAR(doc.Liquid().tfo, expected["fluid_leaving_C"].get<double>(), 1e-3);
    EXPECT_NEAR(doc.AirOff().db, expected["air_off_db_C"].get<double>(), 1e-3);
}

TEST_F(RatingDocument, EveryEditMarksModifiedAndNotSolvedAndKeepsTheDuty)
{
    TRatingDocument& doc = Open();
    const std::pair<int, const char*> edits[] = {
        {rowModel, "610 900 3r 10f 8c"}, {rowBarometer, "95"},        {rowAirOn, "20/14"},
        {rowAirVolume, "1.2"},           {rowAirVelocity, "3"},       {rowControl, "Temperature"},
        {rowFluidInlet, "70"},           {rowDesignDT, "12"},         {rowControl, "Flow"},
        {rowFluidFlow, "1.1"},           {rowTubeVelocity, "1.2"},    {rowFluid, ""},
        {rowDesignDuty, "25"},           {rowCalcMode, "Coil Size"},
    };
    for (const auto& [row, text] : edits) {
        SCOPED_TRACE("row " + std::to_string(row));
        ASSERT_TRUE(doc.Solve());
        const std::string duty = Row(rowDesignDuty);
        ASSERT_TRUE(row == rowFluid ? doc.FluidEditorClosed(true) : doc.EnterRowText(row, text));
        EXPECT_EQ(Recorder.Panels[spEdit], "Modified");
        EXPECT_EQ(Recorder.Panels[spSolve], "Not Solved");
        EXPECT_FALSE(doc.Saved());
        if (row != rowDesignDuty) {
            EXPECT_EQ(Row(rowDesignDuty), duty) << "no solve follows an edit";
        }
    }
    ASSERT_TRUE(doc.Solve());
    EXPECT_EQ(Recorder.Panels[spSolve], "Solved...");
    EXPECT_EQ(Recorder.Panels[spEdit], "Modified") << "a solve does not clear Modified";
    doc.SetSaved(true);
    EXPECT_EQ(Recorder.Panels[spEdit], "Ready...");
    EXPECT_FALSE(doc.Modified());
}

TEST_F(RatingDocument, FluidInletEditFollowsTheFluidControl)
{
    // Flow control: the design drop shown (10 K) fixes the leaving temperature, 80 - 10.
    TRatingDocument& doc = Open();
    ASSERT_EQ(Row(rowDesignDT), "10.0");
    const double flow = doc.Liquid().m;
    ASSERT_TRUE(doc.EnterRowText(rowFluidInlet, "80"));
    EXPECT_DOUBLE_EQ(doc.Liquid().tfi, 80);
    EXPECT_DOUBLE_EQ(doc.Liquid().tfo, 70);
    EXPECT_DOUBLE_EQ(doc.Liquid().m, flow) << "the flow is the controlled quantity";

    // Temperature control: the flow stays the model's, not its rounded row text.
    ASSERT_TRUE(doc.EnterRowText(rowControl, "Temperature"));
    EXPECT_TRUE(doc.Rows().RowEnabled(rowDesignDT));
    EXPECT_FALSE(doc.Rows().RowEnabled(rowFluidFlow));
    EXPECT_FALSE(doc.Rows().RowEnabled(rowTubeVelocity));
    const std::string shownFlow = Row(rowFluidFlow);
    ASSERT_TRUE(doc.EnterRowText(rowFluidInlet, "90"));
    EXPECT_DOUBLE_EQ(doc.Liquid().tfi, 90);
    EXPECT_DOUBLE_EQ(doc.Liquid().tfo, 70) << "temperature control leaves the leaving temperature";
    EXPECT_EQ(Row(rowFluidFlow), shownFlow);
    EXPECT_EQ(doc.Liquid().m, flow) << "0.85538 kg/s, not the 0.8554 shown";
}

TEST_F(RatingDocument, RefusedModelTextLeavesRowAndCoilAlone)
{
    TRatingDocument& doc = Open();
    const std::string shown = Row(rowModel);
    const TModelRec before = doc.HotWaterCoil().Geometry().ModelRecord();
    for (const char* text : {"abc", "544 720 4r", "544 720 40r 12f 7c", "544 720 4r 12f 0c",
                             // passes the designation check, but is lower than half a tube pitch
                             "10 720 4r 12f 7c",
                             // 14 tubes high and 4 rows: 56 tubes cannot make 57 circuits
                             "544 720 4r 12f 57c"}) {
        SCOPED_TRACE(text);
        ASSERT_TRUE(doc.EnterRowText(rowModel, text));
        EXPECT_EQ(Row(rowModel), shown);
        EXPECT_EQ(doc.CoilModel(), "544 720 4r 12f 7c");
        EXPECT_EQ(doc.HotWaterCoil().Geometry().ModelRecord(), before);
        EXPECT_TRUE(doc.HotWaterCoil().ModelValid);
    }
    EXPECT_TRUE(Recorder.Messages.empty()) << "a refused model text gives no message";

    // An accepted text keeps the face velocity: 0.61 m x 0.9 m at 2.5 m/s is 1.3725 m³/s.
    ASSERT_TRUE(doc.EnterRowText(rowModel, "610 900 3r 10f 8c"));
    EXPECT_EQ(Row(rowModel), "610 x 900  3r  10f  8c");
    EXPECT_EQ(doc.CoilModel(), "610 900 3r 10f 8c");
    EXPECT_EQ(Row(rowAirVolume), "1.373");
    EXPECT_EQ(Row(rowAirVelocity), "2.50");
}

std::vector<std::string> AllRows(const TRatingDocument& doc)
{
    std::vector<std::string> rows;
    for (int row = rowModel; row <= rowCalcMode; ++row) rows.push_back(doc.Rows().Cell(kValueColumn, row));
    return rows;
}

// A refused designation used to set the fluid flow from the tube velocity as rounded in row 11
// (0.8554 kg/s became 0.8542) and to fall back to the last typed model, undoing a sizing.
TEST_F(RatingDocument, RefusedModelTextChangesNothingAtAll)
{
    TRatingDocument& doc = Open();
    ASSERT_TRUE(doc.EnterRowText(rowCalcMode, "Coil Size"));
    ASSERT_TRUE(doc.Solve());
    ASSERT_TRUE(doc.EnterRowText(rowCalcMode, "Heating Duty"));
    doc.SetSaved(true);  // as after saving the sized coil
    const std::vector<std::string> rows = AllRows(doc);
    const THotWaterCoil& coil = doc.HotWaterCoil();
    const TModelRec sized = coil.Geometry().ModelRecord();
    const double flow = doc.Liquid().m;
    const double airFlow = coil.AirMassFlow();
    for (const char* text : {"abc", "544 720 40r 12f 7c", "10 720 4r 12f 7c"}) {
        SCOPED_TRACE(text);
        ASSERT_TRUE(doc.EnterRowText(rowModel, text));
        EXPECT_EQ(AllRows(doc), rows);
        EXPECT_EQ(coil.Geometry().ModelRecord(), sized);
        EXPECT_EQ(doc.Liquid().m, flow);
        EXPECT_EQ(coil.AirMassFlow(), airFlow);
        EXPECT_TRUE(doc.Saved()) << "nothing changed, so nothing is unsaved";
        EXPECT_EQ(Recorder.Panels[spEdit], "Ready...");
    }

    // An accepted model keeps the face and tube velocities the model has, not their row texts.
    const double faceVelocity = coil.FaceVelocity();
    const double tubeVelocity = coil.LiquidState.vw;
    ASSERT_TRUE(doc.EnterRowText(rowModel, "610 900 3r 10f 8c"));
    EXPECT_EQ(coil.FaceVelocity(), faceVelocity);
    EXPECT_NEAR(coil.LiquidState.vw, tubeVelocity, 1e-12 * tubeVelocity);
    EXPECT_TRUE(doc.Modified());
}

// Each solve used to size the coil again for the duty the last one delivered, so the
// designation crept by a hundredth of a millimetre on every F9; and a sized coil was not
// marked modified, so the unsaved-work question did not protect it.
TEST_F(RatingDocument, CoilSizeSolveMarksModifiedAndSolvingAgainKeepsTheCoil)
{
    TRatingDocument& doc = Open();
    ASSERT_TRUE(doc.EnterRowText(rowCalcMode, "Coil Size"));
    ASSERT_TRUE(doc.EnterRowText(rowDesignDuty, "31.7"));
    doc.SetSaved(true);  // as after opening a file
    ASSERT_TRUE(doc.Solve());
    EXPECT_TRUE(doc.Modified());
    EXPECT_FALSE(doc.Saved());
    EXPECT_TRUE(doc.Solved());
    EXPECT_EQ(Recorder.Panels[spEdit], "Modified");
    EXPECT_EQ(Recorder.Panels[spSolve], "Solved...");
    EXPECT_EQ(doc.CoilModel(), doc.HotWaterCoil().GetModelText()) << "a refused text falls back to the sized coil";

    const std::vector<std::string> rows = AllRows(doc);
    const TModelRec sized = doc.HotWaterCoil().Geometry().ModelRecord();
    const double duty = doc.HotWaterCoil().Qt;
    doc.SetSaved(true);  // as after saving it
    for (int again = 0; again < 3; ++again) {
        ASSERT_TRUE(doc.Solve());
        EXPECT_EQ(AllRows(doc), rows) << "solve " << again + 2;
        EXPECT_EQ(doc.HotWaterCoil().Geometry().ModelRecord(), sized);
        EXPECT_NEAR(doc.HotWaterCoil().Qt, duty, 1e-9 * duty);
        EXPECT_TRUE(doc.Saved()) << "the same coil: nothing new to save";
    }

    // A new design duty is a new input: the coil is sized for it.
    ASSERT_TRUE(doc.EnterRowText(rowDesignDuty, "40"));
    ASSERT_TRUE(doc.Solve());
    EXPECT_NE(doc.HotWaterCoil().Geometry().ModelRecord(), sized);
    EXPECT_NEAR(doc.HotWaterCoil().Qt, 40, 1e-3);
}

TEST_F(RatingDocument, AirRowIsReadByTheAirReaderAndSaysWhatItChanged)
{
    TRatingDocument& doc = Open();
    // Independent: 25 °C air at 1 % RH has a wet bulb of 8.498 °C (ASHRAE relations).
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"25/26", "25.0/25.0", "On Coil: wet bulb 26 °C is above the dry bulb; 25 °C used"},
        {"25/-5", "25.0/8.5",
         "On Coil: wet bulb -5 °C is below the lowest wet bulb of air at this dry bulb (1 % RH); 8.498 °C used"},
        {"22/15", "22.0/15.0", ""},
    };
    for (const auto& [text, shown, message] : cases) {
        SCOPED_TRACE(text);
        Recorder.Messages.clear();
        ASSERT_TRUE(doc.EnterRowText(rowAirOn, text));
        EXPECT_EQ(Row(rowAirOn), shown);
        if (*message) {
            ASSERT_EQ(Recorder.Messages.size(), 1u);
            EXPECT_EQ(Recorder.Messages[0].Text, message);
            EXPECT_EQ(Recorder.Messages[0].Kind, TMessageKind::Warning);
        } else {
            EXPECT_TRUE(Recorder.Messages.empty());
        }
    }
    // Texts the reader refuses change nothing.
    for (const char* text : {"25/17/3", "2.5.5/17", "25/"}) {
        SCOPED_TRACE(text);
        Recorder.Messages.clear();
        EXPECT_FALSE(doc.EnterRowText(rowAirOn, text));
        EXPECT_EQ(Row(rowAirOn), "22.0/15.0");
        EXPECT_EQ(doc.AirOn().db, 22);
        ASSERT_EQ(Recorder.Messages.size(), 1u);
        EXPECT_NE(Recorder.Messages[0].Text.find("is not an air state"), std::string::npos);
    }
}

TEST_F(RatingDocument, SolveWarnsAboutItsSpecialCasesAndFailsWhatCannotBeRated)
{
    TRatingDocument& doc = Open();
    struct TCase {
        const char* inlet;
        bool solved;
        const char* warning;
    };
    // On-coil air 25/17: dew point 12.13 °C (ASHRAE relations, computed independently).
    const TCase cases[] = {
        {"25", true, "Fluid Inlet 25.0 °C equals the on-coil dry bulb 25.0 °C: no heat flows, duty 0 kW, "
                     "the air leaves as it enters"},
        {"20", true, "Fluid Inlet 20.0 °C is below the on-coil dry bulb 25.0 °C: the coil cools the air"},
        {"5", false, "Fluid Inlet 5.0 °C is below the on-coil dew point 12.1 °C: the coil would cool the air "
                     "below its dew point and condense moisture, which this rating does not cover; not rated"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.inlet);
        ASSERT_TRUE(doc.EnterRowText(rowFluidInlet, c.inlet));
        EXPECT_TRUE(doc.SolveWarnings().empty()) << "an edit clears them";
        EXPECT_EQ(Recorder.Panels[spFile], "");
        EXPECT_EQ(bool(doc.Solve()), c.solved);
        EXPECT_EQ(Recorder.Panels[spSolve], c.solved ? "Solved..." : "Data Error...");
        ASSERT_EQ(doc.SolveWarnings().size(), 1u);
        EXPECT_EQ(doc.SolveWarnings()[0], c.warning);
        EXPECT_EQ(Recorder.Panels[spFile], c.warning);
        ASSERT_TRUE(Recorder.Report);
        const auto& lines = Recorder.Report->Lines;
        EXPECT_TRUE(std::any_of(lines.begin(), lines.end(),
                                [&c](const auto& line) { return line.Text == std::string("Warning: ") + c.warning; }));
        EXPECT_EQ(Row(rowAirOn), "25.0/17.0") << "the user's air is never changed";
        EXPECT_LE(doc.AirOff().wb, doc.AirOff().db);
    }

    // Temperature control with a drop down to the air: held, result 5, "Data Error...".
    for (const char* drop : {"25", "30", "20"}) {
        SCOPED_TRACE(drop);
        ASSERT_TRUE(doc.EnterRowText(rowFluidInlet, "45"));
        ASSERT_TRUE(doc.SetRowValue(rowControl, 0LL));
        ASSERT_TRUE(doc.EnterRowText(rowDesignDT, drop));
        const TResult solved = doc.Solve();
        EXPECT_FALSE(solved);
        EXPECT_EQ(solved.Code, SolveStatusCode(TSolveStatus::DataError));
        EXPECT_EQ(Recorder.Panels[spSolve], "Data Error...");
        EXPECT_EQ(Row(rowDesignDT), "20.0");
        ASSERT_EQ(doc.SolveWarnings().size(), 1u);
        EXPECT_EQ(doc.SolveWarnings()[0], "Design dT " + std::string(drop) + ".0 °C would take the leaving fluid to " +
                                              FormatFloat("%0.1f", 45 - std::stod(drop)) +
                                              " °C, not above the on-coil dry bulb 25.0 °C: the leaving fluid is "
                                              "held at 25.0 °C (Design dT 20.0 °C)");
    }
}

TEST_F(RatingDocument, DerivedValuesOutsideTheirRowsStillRateWithAWarning)
{
    TRatingDocument& doc = Open();
    ASSERT_TRUE(doc.Solve());
    EXPECT_TRUE(doc.SolveWarnings().empty());
    EXPECT_EQ(Recorder.Panels[spFile], "");

    // 100 m³/s through 0.544 m x 0.72 m is 255.3 m/s.
    ASSERT_TRUE(doc.EnterRowText(rowAirVolume, "100"));
    ASSERT_TRUE(doc.Solve());
    ASSERT_EQ(doc.SolveWarnings().size(), 1u);
    EXPECT_EQ(doc.SolveWarnings()[0], "Air Velocity " + Row(rowAirVelocity) +
                                          " m/s is outside its row's range 0.50 m/s to 10.00 m/s; rated with " +
                                          Row(rowAirVelocity) + " m/s");
    EXPECT_NEAR(Number(Row(rowAirVelocity)), 255.3, 0.1);
    EXPECT_EQ(Recorder.Panels[spFile], doc.SolveWarnings()[0]);

    // 20 kg/s of water through seven 1/2 inch circuits runs far faster than the row allows.
    ASSERT_TRUE(doc.EnterRowText(rowAirVolume, "1"));
    ASSERT_TRUE(doc.EnterRowText(rowFluidFlow, "20"));
    ASSERT_TRUE(doc.Solve());
    ASSERT_FALSE(doc.SolveWarnings().empty());
    EXPECT_TRUE(doc.SolveWarnings()[0].starts_with("Tube Velocity " + Row(rowTubeVelocity) + " m/s is outside"))
        << doc.SolveWarnings()[0];
    EXPECT_GT(Number(Row(rowTubeVelocity)), 3);

    // An edit brings the file name back.
    ASSERT_TRUE(doc.EnterRowText(rowFluidFlow, "0.5"));
    EXPECT_TRUE(doc.SolveWarnings().empty());
    EXPECT_EQ(Recorder.Panels[spFile], "");
}

TEST_F(RatingDocument, BarometerEditRereadsBothAirStatesAtOneDecimal)
{
    TRatingDocument& doc = Open();
    ParseAirState("40.04/22.06", doc.HotWaterCoil().AirOff(), 101.325, 0.5);
    const double massFlow = doc.HotWaterCoil().AirMassFlow();

    ASSERT_TRUE(doc.EnterRowText(rowBarometer, "90"));
    EXPECT_DOUBLE_EQ(doc.Barometer(), 90);
    EXPECT_DOUBLE_EQ(doc.AirOff().P, 90);
    EXPECT_DOUBLE_EQ(doc.AirOff().db, 40.0);
    EXPECT_DOUBLE_EQ(doc.AirOff().wb, 22.1);
    EXPECT_DOUBLE_EQ(doc.AirOn().P, 90);
    EXPECT_DOUBLE_EQ(doc.AirOn().db, 25.0);
    EXPECT_DOUBLE_EQ(doc.AirOn().wb, 17.0);
    EXPECT_EQ(Row(rowAirOn), "25.0/17.0");

    // The face velocity stays, so the mass flow follows the density, nearly in proportion to
    // the pressure.
    const THotWaterCoil& coil = doc.HotWaterCoil();
    EXPECT_DOUBLE_EQ(coil.FaceVelocity(), 2.5);
    EXPECT_EQ(Row(rowAirVelocity), "2.50");
    EXPECT_NEAR(coil.AirMassFlow(), 2.5 * coil.FaceArea() * doc.AirOn().ro, 1e-12);
    EXPECT_NEAR(coil.AirMassFlow() / massFlow, 90 / 101.325, 0.01);
}

TEST_F(RatingDocument, DesignDutyLabelMarksACalibratedDuty)
{
    TRatingDocument& doc = Open();
    const std::pair<double, const char*> cases[] = {
        {1.2, "Design Duty §"}, {0.8, "Design Duty §"}, {1.0, "Design Duty  "}};
    for (const auto& [factor, label] : cases) {
        doc.HotWaterCoil().DutyFactor = factor;
        doc.ShowValues();
        EXPECT_EQ(doc.Rows().Cell(0, rowDesignDuty), label) << factor;
    }
}

TEST_F(RatingDocument, CoilSizeSizesTheFaceAtTheDesignFaceVelocity)
{
    TRatingDocument& doc = Open();
    ASSERT_TRUE(doc.EnterRowText(rowCalcMode, "Coil Size"));
    EXPECT_FALSE(doc.Rows().RowEnabled(rowModel));
    EXPECT_TRUE(doc.Rows().RowEnabled(rowDesignDuty));
    ASSERT_TRUE(doc.EnterRowText(rowDesignDuty, "30"));

    ASSERT_TRUE(doc.Solve());
    EXPECT_EQ(Recorder.Panels[spSolve], "Solved...");
    const THotWaterCoil& coil = doc.HotWaterCoil();
    // The hot-water coil's design face velocity is 2.7 m/s.
    EXPECT_DOUBLE_EQ(coil.FaceVelocity(), 2.7);
    EXPECT_EQ(Row(rowAirVelocity), "2.70");
    EXPECT_NEAR(coil.Qt, 30, 1e-3);
    EXPECT_EQ(Row(rowDesignDuty), "30.000");
    EXPECT_NEAR(Number(Row(rowAirVolume)), 2.7 * coil.FaceArea(), 0.0005);
    EXPECT_NE(Row(rowModel), "544 x 720  4r  12f  7c") << "the face was sized";
}

TEST_F(RatingDocument, RowStatesFollowTheControlAfterEverySolve)
{
    // Sizing chooses the fluid flow: the coil comes back flow-controlled, and rows 10 and 11
    // are the ones that can be edited, whatever the control was before.
    TRatingDocument& doc = Open();
    ASSERT_TRUE(doc.EnterRowText(rowControl, "Temperature"));
    ASSERT_TRUE(doc.Rows().RowEnabled(rowDesignDT));
    ASSERT_FALSE(doc.Rows().RowEnabled(rowFluidFlow));
    ASSERT_TRUE(doc.EnterRowText(rowCalcMode, "Coil Size"));
    ASSERT_TRUE(doc.Solve());
    EXPECT_EQ(doc.HotWaterCoil().LiquidState.ctrl, TFluidControl::Flow);
    EXPECT_EQ(Row(rowControl), "Flow");
    EXPECT_FALSE(doc.Rows().RowEnabled(rowDesignDT));
    EXPECT_TRUE(doc.Rows().RowEnabled(rowFluidFlow));
    EXPECT_TRUE(doc.Rows().RowEnabled(rowTubeVelocity));
    EXPECT_FALSE(doc.Rows().RowEnabled(rowModel));
    EXPECT_TRUE(doc.Rows().RowEnabled(rowDesignDuty));

    // A change made behind the rows (the automation, a file) shows with the next ShowValues.
    doc.HotWaterCoil().LiquidState.ctrl = TFluidControl::Temperature;
    doc.SetCalcMode(TCalcMode::HeatingDuty);
    doc.ShowValues();
    EXPECT_TRUE(doc.Rows().RowEnabled(rowDesignDT));
    EXPECT_FALSE(doc.Rows().RowEnabled(rowFluidFlow));
    EXPECT_TRUE(doc.Rows().RowEnabled(rowModel));
    EXPECT_FALSE(doc.Rows().RowEnabled(rowDesignDuty));
}

TEST_F(RatingDocument, StoredValuesThatCannotBeUsedAreNotedWithTheValueUsed)
{
    test::WriteText(Folder() / "config" / "Korvane" / "Vantor.ini",
                    "[VantorForm]\nPressure=5\nDutyFactor=-1\nAirOn=warm\nAirOff=30/35\nCoilModel=544 720 40r 12f 7c\n"
                    "AirVelocity=12\n[Default]\nWaterAddVol=5\nWaterAdditive=2\n");
    TRatingDocument& doc = Open();
    EXPECT_EQ(doc.Barometer(), 101.325);
    EXPECT_EQ(doc.HotWaterCoil().DutyFactor, 1);
    EXPECT_EQ(Row(rowAirOn), "25.0/17.0");
    // The coil the refused text falls back to.
    const std::string model = Row(rowModel);
    EXPECT_NE(model.find("544 x 720  4r  12f"), std::string::npos) << model;
    EXPECT_EQ(doc.HotWaterCoil().FaceVelocity(), 10);
    EXPECT_EQ(Row(rowFluid), "Water (45% Propylene Glycol)");
    EXPECT_EQ(doc.SettingsCheck().Notes(),
              (std::vector<std::string>{
                  "Pressure: 5 is outside 70 to 120; 101.325 used",
                  "AirVelocity: 12 is outside 0.5 to 10; 10 used",
                  "DutyFactor: -1 is not greater than zero; 1 used",
                  "WaterAddVol: 5 is outside 0.01 to 0.45; 0.45 used",
                  "AirOn: \"warm\" is not dry bulb/wet bulb; 25/17 used",
                  "AirOff wet bulb: 35 is above the dry bulb; 30 used",
                  "CoilModel: \"544 720 40r 12f 7c\" is not a coil that can be built; " + model + " used",
              }));
    // The window shows them once it is on the screen.
    EXPECT_TRUE(Recorder.Messages.empty());
    doc.ShowInputCheck(doc.SettingsCheck(), "the settings");
    ASSERT_EQ(Recorder.Messages.size(), 1u);
    EXPECT_EQ(Recorder.Messages[0].Text.substr(0, Recorder.Messages[0].Text.find('\n')),
              "Values of the settings that could not be used as they stood:");
}

TEST_F(RatingDocument, FailedSizingKeepsTheDesignDutyAndIsNotSolved)
{
    TRatingDocument& doc = Open();
    ASSERT_TRUE(doc.EnterRowText(rowCalcMode, "Coil Size"));
    ASSERT_TRUE(doc.Solve());

    // Below the smallest duty a coil is sized for (0.01 kW).
    doc.SetDesignDuty(0.005);
    const TResult result = doc.Solve();
    EXPECT_EQ(result.Code, 5);
    EXPECT_EQ(Recorder.Panels[spSolve], "Data Error...");
    EXPECT_FALSE(doc.Solved());
    EXPECT_DOUBLE_EQ(doc.DesignDuty(), 0.005);
    EXPECT_EQ(Row(rowDesignDuty), "0.005");

    // Fluid 0.5 K warmer than the air cannot give 200 kW through any face within the limits.
    ASSERT_TRUE(doc.EnterRowText(rowFluidInlet, "25.5"));
    ASSERT_TRUE(doc.EnterRowText(rowDesignDuty, "200"));
    const TResult hopeless = doc.Solve();
    EXPECT_FALSE(hopeless);
    EXPECT_FALSE(doc.Solved());
    EXPECT_EQ(Recorder.Panels[spSolve], hopeless.Code == 5 ? "Data Error..." : "Not Solved");
    EXPECT_DOUBLE_EQ(doc.DesignDuty(), 200);
}

TEST_F(RatingDocument, UnreadableRowTextChangesNothing)
{
    TRatingDocument& doc = Open();
    const TDocumentSettings before = doc.CurrentSettings();
    const std::pair<int, const char*> cases[] = {
        {rowBarometer, "'abc' is not a valid floating point value"},
        {rowAirOn, "\"abc\" is not an air state: give the dry bulb and, optionally, the wet bulb in °C separated "
                   "by \"/\", as 24.0/17.0"},
        {rowFluidInlet, "'abc' is not a valid floating point value"},
        {rowTubeVelocity, "'abc' is not a valid floating point value"},
        {rowControl, "'abc' is not a valid choice"},
        {rowCalcMode, "'abc' is not a valid choice"},
    };
    for (const auto& [row, message] : cases) {
        SCOPED_TRACE("row " + std::to_string(row));
        const std::string shown = Row(row);
        Recorder.Messages.clear();
        EXPECT_FALSE(doc.EnterRowText(row, "abc"));
        ASSERT_EQ(Recorder.Messages.size(), 1u);
        EXPECT_EQ(Recorder.Messages[0].Text, message);
        EXPECT_EQ(Recorder.Messages[0].Kind, TMessageKind::Error);
        EXPECT_EQ(Row(row), shown) << "the row shows the model again";
        EXPECT_EQ(doc.CurrentSettings(), before);
        EXPECT_EQ(Recorder.Panels[spEdit], "Ready...");
    }
    // A later edit that reads row 5 still works.
    EXPECT_TRUE(doc.EnterRowText(rowAirOn, "22/15"));
}

TEST_F(RatingDocument, InputsComeBackAfterARestart)
{
    TRatingDocument& doc = Open();
    ASSERT_TRUE(doc.EnterRowText(rowAirOn, "22.3/16.1"));
    ASSERT_TRUE(doc.EnterRowText(rowControl, "Temperature"));
    ASSERT_TRUE(doc.EnterRowText(rowFluidInlet, "80"));
    ASSERT_TRUE(doc.EnterRowText(rowDesignDT, "15"));
    ASSERT_TRUE(doc.EnterRowText(rowCalcMode, "Coil Size"));
    ASSERT_TRUE(doc.EnterRowText(rowDesignDuty, "35"));
    ASSERT_TRUE(doc.Solve());
    std::vector<std::string> shown;
    for (int row = rowModel; row <= kDocumentRowCount; ++row) shown.push_back(Row(row));

    TRatingDocument& next = Restart();
    EXPECT_EQ(ProgramKey().ReadString("VantorForm", "AirOn", ""), "22.3000/16.1000");
    EXPECT_TRUE(next.StoredSettings().Stored);
    for (int row = rowModel; row <= kDocumentRowCount; ++row) EXPECT_EQ(Row(row), shown[row - 1]) << "row " << row;
    EXPECT_EQ(Recorder.Panels[spSolve], "Not Solved");
}

TEST_F(RatingDocument, StoredTubeRangeComesBackAfterARestart)
{
    // Ranges of the maker "Typical" in the installed catalogue, with a dimension that tells
    // them from the 1/2 inch range a new coil starts with.
    struct TCase {
        const char* Range;
        double (*Dimension)(const TModelRec&);
        double Expected;
    };
    const TCase cases[] = {
        {"5/8 inch heavy duty", [](const TModelRec& r) { return r.Sy; }, 0.0508},
        {"1/2 inch copper fin", [](const TModelRec& r) { return r.tf; }, 0.00012},
        {"5/8 inch in-line", [](const TModelRec& r) { return double(r.tp); }, kInLine},
        {"3/8 inch", [](const TModelRec& r) { return r.OD; }, 0.009525},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Range);
        TRatingDocument& doc = Open();
        doc.Makers().LoadMaker("Typical");
        const TMnfRecVec& ranges = doc.Makers().CachedRanges();
        const auto range = std::find_if(ranges.begin(), ranges.end(), [&](const TMnfRec& r) { return r.name == c.Range; });
        ASSERT_NE(range, ranges.end());
        TModelRec rec = doc.HotWaterCoil().Geometry().ModelRecord();
        ApplyMnfRec(*range, rec);
        doc.HotWaterCoil().SetModelRecord(rec);

        const TModelRec& restored = Restart().HotWaterCoil().Geometry().ModelRecord();
        EXPECT_EQ(restored.Model, c.Range);
        EXPECT_NEAR(c.Dimension(restored), c.Expected, 1e-9);
        Document.reset();
    }
}

TEST_F(RatingDocument, RowUnitChangeIsStoredAndKeepsTheQuantity)
{
    TRatingDocument& doc = Open();
    std::vector<int> changed;
    doc.OnRowUnitsChanged = [&changed](int row) { changed.push_back(row); };
    ASSERT_TRUE(doc.Rows().SetRowUnitsValue(rowFluidInlet, 1));  // °F
    doc.GridAfterRightClick(rowFluidInlet);
    EXPECT_EQ(changed, std::vector<int>{rowFluidInlet});
    EXPECT_EQ(Units.At("liquid", "t").Units, 1);
    EXPECT_EQ(Row(rowFluidInlet), "113.0");  // 45 °C

    ASSERT_TRUE(doc.EnterRowText(rowFluidInlet, "176"));  // 80 °C
    EXPECT_DOUBLE_EQ(doc.Liquid().tfi, 80);

    Restart();
    EXPECT_EQ(SharedKey().ReadInteger("Coils", "UnitsLiquidTemp", -1), 1);
    EXPECT_EQ(Row(rowFluidInlet), "176.0");
    EXPECT_EQ(Document->Rows().Cell(kUnitsColumn, rowFluidInlet), "°F");
}

TEST_F(RatingDocument, ImperialUnitSystemReachesRowsAndHiddenQuantities)
{
    TRatingDocument& doc = Open();
    TUnitChoices choices;
    choices.Imperial();
    doc.ApplyUnitSystem(choices);
    // 101.325 kPa is 29.92126 inHg; 25 °C and 17 °C in °F; 2.5 m/s x 196.85 fpm/(m/s).
    EXPECT_EQ(Row(rowBarometer), "29.9213");
    EXPECT_EQ(Row(rowAirOn), "77.0/62.6");
    EXPECT_EQ(Row(rowAirVelocity), "492.1");
    EXPECT_EQ(Units.At("air", "dp").Units, 5);           // InchWg
    EXPECT_EQ(Units.At("hex", "pipe_conn").Units, 3);    // inch
    EXPECT_EQ(Units.At("place", "barom_pressure").Units, 4);

    doc.SaveUnitChoices(SharedKey());
    EXPECT_EQ(SharedKey().ReadInteger("Coils", "UnitsPressure", -1), 4);
    EXPECT_EQ(SharedKey().ReadInteger("Coils", "UnitsPressDrop", -1), 5);
    EXPECT_EQ(SharedKey().ReadInteger("Coils", "UnitsAirVel", -1), 1);
}

// A unit switch shows the model's values in the new units, never a conversion of the rounded
// texts the rows held: the rows agree with the report and with a later solve to the digits shown.
TEST_F(RatingDocument, UnitSwitchShowsTheModelValues)
{
    TRatingDocument& doc = Open();
    ASSERT_TRUE(doc.Solve());
    TUnitChoices imperial;
    imperial.Imperial();
    doc.ApplyUnitSystem(imperial);
    // 1 m³/s = 2118.88 cfm, 1 kW = 3412.14 Btu/hr (0.3048 m per ft, 1.05505585262 kJ per Btu).
    const double cfmPerCubicMetreSecond = 60 / (0.3048 * 0.3048 * 0.3048);
    const double btuHourPerKilowatt = 3600 / 1.05505585262;
    EXPECT_EQ(Row(rowAirVolume), FormatFloat("%0.2f", doc.HotWaterCoil().AirVolume() * cfmPerCubicMetreSecond));
    EXPECT_EQ(Row(rowDesignDuty), FormatFloat("%0.0f", doc.DesignDuty() * btuHourPerKilowatt));
    const auto& lines = Recorder.Report->Lines;
    const std::string dutyLine = "Duty\t" + Row(rowDesignDuty) + "\tBtu/hr";
    EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [&](const auto& line) { return line.Text == dutyLine; }))
        << dutyLine;

    std::vector<std::string> shown;
    for (int row = rowModel; row <= rowCalcMode; ++row) shown.push_back(Row(row));
    ASSERT_TRUE(doc.Solve());
    for (int row = rowModel; row <= rowCalcMode; ++row)
        EXPECT_EQ(Row(row), shown[static_cast<size_t>(row - rowModel)]) << "row " << row;

    // One row's own unit: the design duty back in kW is the model's duty, not 62 402 Btu/hr / 3412.14.
    ASSERT_TRUE(doc.Rows().SetRowUnitsValue(rowDesignDuty, 0));
    doc.GridAfterRightClick(rowDesignDuty);
    EXPECT_EQ(Row(rowDesignDuty), FormatFloat("%0.3f", doc.DesignDuty()));
}

TEST_F(RatingDocument, TypicalConditionsRateAHeatingCase)
{
    TRatingDocument& doc = Open();
    ASSERT_TRUE(doc.EnterRowText(rowCalcMode, "Coil Size"));
    ASSERT_TRUE(doc.EnterRowText(rowBarometer, "95"));
    doc.SetSaved(true);

    ASSERT_TRUE(doc.SetIdealFlows());
    EXPECT_EQ(doc.CalcMode(), TCalcMode::HeatingDuty);
    EXPECT_EQ(Row(rowCalcMode), "Heating Duty");
    EXPECT_TRUE(doc.Rows().RowEnabled(rowModel));
    EXPECT_EQ(Row(rowBarometer), "101.325");
    EXPECT_DOUBLE_EQ(doc.AirOn().P, 95) << "the air keeps its pressure until row 2 is edited";
    EXPECT_EQ(Row(rowAirOn), "5.0/4.0");
    EXPECT_EQ(Row(rowAirVelocity), "2.75");
    EXPECT_EQ(Row(rowFluidInlet), "45.0");
    EXPECT_EQ(Recorder.Panels[spSolve], "Solved...");
    EXPECT_EQ(Recorder.Panels[spEdit], "Modified");
}

TEST_F(RatingDocument, StepSimulationSolvesFirstAndDescribesTheChart)
{
    TRatingDocument& doc = Open();
    const nlohmann::json expected = ReferenceRating();
    const TStepSimulation chart = doc.SimulateSteps();
    EXPECT_TRUE(doc.Solved());
    EXPECT_EQ(chart.Caption, "Step-by-Step Simulation");
    EXPECT_EQ(chart.Legends, (std::array<std::string, 4>{"Fluid", "Air", "Surface", "Dew Point"}));
    ASSERT_EQ(chart.Series.size(), 4u);
    EXPECT_EQ(chart.FirstIndex, 0);
    EXPECT_EQ(chart.LastIndex, 99);
    EXPECT_NEAR(chart.Duty, expected["Qt"].get<double>(), 0.05);
    EXPECT_EQ(chart.DutyLabel, "Duty 18.3 kW");
    // The march ends where the fluid enters (45 °C) and the air leaves.
    EXPECT_TRUE(chart.FluidLabel.ends_with(" - 45.0 °C")) << chart.FluidLabel;
    EXPECT_TRUE(chart.AirLabel.ends_with(" - 40.5 °C")) << chart.AirLabel;
}

TEST_F(RatingDocument, StepSimulationThatCannotBeShownSaysWhy)
{
    TRatingDocument& doc = Open();
    // 5 °C water in 25/17 air is below its dew point: not rated, so nothing to march through.
    ASSERT_TRUE(doc.EnterRowText(rowFluidInlet, "5"));
    const TStepSimulation refused = doc.SimulateSteps();
    EXPECT_FALSE(refused.Result);
    EXPECT_EQ(refused.Result.Message, "Data Error...");
    EXPECT_EQ(refused.Caption, "Step-by-Step Simulation");
    EXPECT_TRUE(refused.Series.empty());
    EXPECT_TRUE(refused.DutyLabel.empty());

    // A trickle of water through two circuits leaves within hundredths of a kelvin of the air:
    // solved, but the profile is finer than double precision can place.
    for (const auto& [row, text] : std::initializer_list<std::pair<int, const char*>>{
             {rowModel, "954 2144 6r 13f 2c"}, {rowAirOn, "9.36/6.02"}, {rowFluidInlet, "36.157"},
             {rowTubeVelocity, "0.2"}})
        ASSERT_TRUE(doc.EnterRowText(row, text)) << text;
    const TStepSimulation unresolved = doc.SimulateSteps();
    EXPECT_TRUE(doc.Solved());
    EXPECT_FALSE(unresolved.Result);
    EXPECT_EQ(unresolved.Result.Message, SimulationMessage(TSimulationOutcome::Unresolved));
    EXPECT_TRUE(unresolved.Series.empty());
    EXPECT_EQ(unresolved.Duty, 0);
}

TEST_F(RatingDocument, ReportFollowsTheSolvedFlag)
{
    TRatingDocument& doc = Open();
    doc.UpdateReport();
    ASSERT_TRUE(Recorder.Report);
    ASSERT_EQ(Recorder.Report->Lines.size(), 1u);
    EXPECT_EQ(Recorder.Report->Lines[0].Text, "Not Solved");
    EXPECT_TRUE(Recorder.Report->Footer.empty());

    // The coil's report in the units the user chose: 18.288 kW, or 18.288 x 3412.14 = 62 402 Btu/hr.
    const auto hasLine = [this](std::string_view text) {
        const auto& lines = Recorder.Report->Lines;
        return std::any_of(lines.begin(), lines.end(), [text](const auto& line) { return line.Text == text; });
    };
    ASSERT_TRUE(doc.Solve());
    EXPECT_TRUE(hasLine("Duty\t18.3\tkW"));
    EXPECT_EQ(Recorder.Report->Lines.back().Text, "") << "an empty line before the footer";
    EXPECT_TRUE(Recorder.Report->Footer.starts_with("Vantor ")) << Recorder.Report->Footer;
    TUnitChoices imperial;
    imperial.Imperial();
    doc.ApplyUnitSystem(imperial);
    EXPECT_TRUE(hasLine("Duty\t62402\tBtu/hr"));

    ASSERT_TRUE(doc.EnterRowText(rowFluidInlet, "60"));
    TStringSink diagnostics;
    doc.Diagnose(diagnostics);
    EXPECT_TRUE(doc.Solved()) << "the diagnostics need a solved coil";
    ASSERT_FALSE(diagnostics.Lines().empty());
    EXPECT_EQ(diagnostics.Lines()[0].Text, "Hot Water Coil Diagnostics");

    TStringSink details;
    doc.WriteManufacturingReport(details);
    const auto& lines = details.Lines();
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[1].Text, "Coil Manufacturing Report");
    EXPECT_EQ(lines[2].Text, "Typical (1/2 inch)");
}

TEST_F(RatingDocument, ModelFromTheEditorIsTakenAsTheCoilHasIt)
{
    TRatingDocument& doc = Open();
    doc.HotWaterCoil().SetRows(6);
    ASSERT_TRUE(doc.AcceptEditorResult());
    EXPECT_FALSE(doc.ModelFromEditor());
    EXPECT_EQ(doc.CoilModel(), "544 x 720  6r  12f  7c");
    EXPECT_EQ(Row(rowModel), "544 x 720  6r  12f  7c");
    EXPECT_EQ(Recorder.Panels[spEdit], "Modified");

    doc.HotWaterCoil().SetRows(3);
    ASSERT_TRUE(doc.ApplyFromEditor());
    EXPECT_EQ(Row(rowModel), "544 x 720  3r  12f  7c");
    EXPECT_EQ(Recorder.Panels[spSolve], "Solved...");
    EXPECT_DOUBLE_EQ(doc.HotWaterCoil().FaceVelocity(), 2.5);

    // With the entered airflow kept, a larger face keeps the volume and slows the air.
    const double volume = doc.HotWaterCoil().AirVolume();
    doc.HotWaterCoil().SetFinnedLength(1.44);
    doc.HotWaterCoil().SetAirVolume(volume);
    ASSERT_TRUE(doc.ApplyFromEditor());
    EXPECT_NEAR(doc.HotWaterCoil().AirVolume(), volume, 1e-12);
    EXPECT_NEAR(doc.HotWaterCoil().FaceVelocity(), 1.25, 0.01);
    EXPECT_EQ(Row(rowAirVelocity).substr(0, 4), "1.25");
}

TEST_F(RatingDocument, CommandLineNamesAFileOnlyWithoutHyphen)
{
    std::string pattern = (std::filesystem::temp_directory_path() / "vantorcmdXXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    const std::filesystem::path folder = pattern;
    for (const char* name : {"coil a.hqx", "coil-b.hqx"}) std::ofstream(folder / name) << "x";

    EXPECT_EQ(TRatingDocument::CommandLineFileName({(folder / "coil").string(), "a.hqx"}),
              (folder / "coil a.hqx").string());
    EXPECT_EQ(TRatingDocument::CommandLineFileName({(folder / "coil-b.hqx").string()}), "");
    EXPECT_EQ(TRatingDocument::CommandLineFileName({(folder / "missing.hqx").string()}), "");
    EXPECT_EQ(TRatingDocument::CommandLineFileName({"-automation"}), "");
    EXPECT_EQ(TRatingDocument::CommandLineFileName({}), "");

    Open({(folder / "coil a.hqx").string()});
    EXPECT_EQ(Document->FileName(), (folder / "coil a.hqx").string());
    EXPECT_EQ(Document->CurrentFolder(), folder);
    EXPECT_EQ(Recorder.Panels[spFile], "coil a.hqx");
    std::filesystem::remove_all(folder);
}

TEST_F(RatingDocument, MakerMissingFromTheCatalogueIsReported)
{
    test::WriteText(Folder() / "config" / "Korvane" / "Vantor.ini", "[VantorForm]\nCoilMaker=Nobody\n");
    TRatingDocument& doc = Open();
    ASSERT_FALSE(Recorder.Messages.empty());
    EXPECT_TRUE(Recorder.Messages[0].Text.starts_with("There are no matching coils for Nobody"));
    EXPECT_EQ(Recorder.Messages[0].Kind, TMessageKind::Warning);
    EXPECT_TRUE(doc.Solve()) << "the built-in range still rates";
}

TEST_F(RatingDocument, NumbersUseAPointWhateverTheLocale)
{
    test::TCommaLocale locale;
    ASSERT_TRUE(test::TCommaLocale::IsActive()) << "the de_DE.UTF-8 locale is not installed";
    TRatingDocument& doc = Open();
    EXPECT_EQ(Row(rowBarometer), "101.325");
    ASSERT_TRUE(doc.EnterRowText(rowAirVelocity, "2.75"));
    EXPECT_NEAR(doc.HotWaterCoil().FaceVelocity(), 2.75, 1e-12);
    ASSERT_TRUE(doc.EnterRowText(rowAirOn, "22.3/16.1"));
    Restart();
    EXPECT_EQ(ProgramKey().ReadString("VantorForm", "Pressure", ""), "101.325");
    EXPECT_EQ(ProgramKey().ReadString("VantorForm", "AirOn", ""), "22.3000/16.1000");
    EXPECT_EQ(Row(rowAirVelocity), "2.75");
}

}  // namespace
}  // namespace vantor
