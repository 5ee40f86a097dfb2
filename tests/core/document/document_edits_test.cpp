// The document's edit operations: each door gives the document the grid's edit would give it,
// bit for bit; the notes of values that could not be taken as given; the fin and tube
// editor's Cancel leaves every input and result as it was.

#include "datafile/data_file.h"
#include "design_settings/design_settings.h"
#include "document_test_support.h"
#include "coil_editor/coil_editor.h"
#include "reports/file_properties.h"
#include "rows/unit_choices.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <string>
#include <vector>

namespace vantor::test {

namespace {

// Every input and result of a document, numbers as their bits and texts as they are.
struct TFingerprint {
    std::vector<std::uint64_t> Numbers;
    std::vector<std::string> Texts;
    bool operator==(const TFingerprint&) const = default;
};

// Where two prints differ, for the failure message.
std::string Differences(const TFingerprint& a, const TFingerprint& b)
{
    std::string text;
    for (size_t i = 0; i < std::min(a.Numbers.size(), b.Numbers.size()); ++i)
        if (a.Numbers[i] != b.Numbers[i])
            text += " number " + std::to_string(i) + ": " + std::to_string(std::bit_cast<double>(a.Numbers[i])) + " / " +
                    std::to_string(std::bit_cast<double>(b.Numbers[i]));
    for (size_t i = 0; i < std::min(a.Texts.size(), b.Texts.size()); ++i)
        if (a.Texts[i] != b.Texts[i]) text += " text " + std::to_string(i) + ": " + a.Texts[i] + " / " + b.Texts[i];
    return text;
}

void AddState(TFingerprint& print, const TMoistAirState& s)
{
    for (const double x : {s.P, s.db, s.wb, s.h, s.W, s.RH, s.td, s.pv, s.ps, s.ro, s.cp, s.Status, s.k, s.mu, s.M})
        print.Numbers.push_back(std::bit_cast<std::uint64_t>(x));
}

// Every input and result; or the inputs alone, for documents whose solves started from
// different guesses and so agree only to the solve's tolerance.
TFingerprint Fingerprint(TRatingDocument& doc, bool results = true)
{
    TFingerprint print;
    const THotWaterCoil& coil = doc.HotWaterCoil();
    const TLiquidState& state = coil.LiquidState;
    AddState(print, doc.AirOn());
    std::vector<double> numbers = {
        doc.Barometer(), static_cast<double>(doc.CalcMode()), coil.AirVolume(), coil.FaceVelocity(),
        coil.AirMassFlow(), coil.FaceArea(), coil.fHeight(), coil.fLength(), coil.Rows(), coil.fpi(), coil.Circ(),
        coil.DutyFactor, coil.hoFactor, coil.hiFactor, coil.AirDPFactor, coil.FluidDPFactor, state.InletTemp(),
        static_cast<double>(state.ctrl), doc.Liquid().AdditiveVolume};
    // The fluid's input is its flow under flow control, else its drop; a solve sets the other
    // (and the tube velocity, which follows the fluid's density).
    if (results)
        numbers.insert(numbers.end(), {state.MassFlow(), state.designdt, state.vw});
    else
        numbers.push_back(state.ctrl == TFluidControl::Flow ? state.MassFlow() : state.designdt);
    if (results) {
        AddState(print, doc.AirOff());
        numbers.insert(numbers.end(),
                       {doc.DesignDuty(), coil.Qt, coil.Qs, coil.e, coil.Ntu, coil.Cr, coil.ho, coil.hi, coil.Uo, coil.Ui,
                        coil.Ao, coil.Ai, coil.NtuAir, coil.NtuLiquid, coil.BypassFactor,
                        static_cast<double>(coil.Status), state.LeavingTemp(), state.cw,
                        static_cast<double>(doc.Solved()), static_cast<double>(doc.Saved()),
                        static_cast<double>(doc.Modified())});
    }
    for (const double x : numbers) print.Numbers.push_back(std::bit_cast<std::uint64_t>(x));
    const TModelRec& rec = coil.Geometry().ModelRecord();
    print.Texts = {doc.HotWaterCoil().GetModelText(), doc.CoilModel(), rec.Mnf, rec.Model, doc.Liquid().GetCaption()};
    if (!results) return print;
    print.Texts.push_back(doc.FileName());
    for (const TStatusPanel panel : {spEdit, spSolve, spFile}) print.Texts.push_back(doc.StatusText(panel));
    for (const std::string& warning : doc.SolveWarnings()) print.Texts.push_back(warning);
    for (int row = rowModel; row <= kDocumentRowCount; ++row) print.Texts.push_back(doc.Rows().Cell(kValueColumn, row));
    return print;
}

// Two documents of the same first run side by side: one edited through the grid, one through a
// door.
class DocumentEdits : public TDocumentFixture {
protected:
    std::unique_ptr<TRatingDocument> Another()
    {
        return std::make_unique<TRatingDocument>(TDocumentServices{Units, m_programKey, m_sharedKey, Env, nullptr, {}});
    }

    void SetUp() override
    {
        TDocumentFixture::SetUp();
        Units = StandardUnitsRegistry();
        Units.LoadUnitsIni(Env);
    }

    TSettingsStore m_programKey{std::nullopt};
    TSettingsStore m_sharedKey{std::nullopt};
};

// The fin and tube editor on the document's coil, wired as the main window wires it.
struct TEditorOn {
    explicit TEditorOn(TRatingDocument& doc)
    {
        doc.BeginModelEdit();
        editor.SetTargetCoil(&doc.Coil());
        editor.SetApplyCallback([&doc](bool) { (void)doc.ApplyFromEditor(); });  // the tests read the document
        editor.Activate();
    }
    TFatEditor editor;
};

// The designation as the coil writes it, so that the text kept for row 1 is the same whichever
// door it came through.
constexpr const char* kSixRows = "544 x 720  6r  10f  8c";

}  // namespace

TEST_F(DocumentEdits, EachInputGivesWhatTypingItGives)
{
    // Values exact in their row's format and inside its range, in row order.
    struct TCase {
        int Row;
        TVariant Value;
        const char* Typed;
    };
    const TCase cases[] = {
        {rowModel, std::string(kSixRows), kSixRows},
        {rowBarometer, 95.5, "95.5"},
        {rowAirOn, std::string("20/14"), "20/14"},
        {rowAirVolume, 1.234, "1.234"},
        {rowAirVelocity, 2.345, "2.345"},
        {rowFluidInlet, 70.5, "70.5"},
        {rowDesignDT, 12.5, "12.5"},
        {rowControl, 1LL, "Flow"},
        {rowFluidFlow, 0.456, "0.456"},
        {rowTubeVelocity, 0.85, "0.85"},
        {rowDesignDuty, 30.5, "30.5"},
    };
    const auto grid = Another();
    const auto door = Another();
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Typed);
        ASSERT_TRUE(grid->EnterRowText(c.Row, c.Typed));
        const TEditNotes edit = door->SetInput(c.Row, c.Value);
        ASSERT_TRUE(edit) << edit.Result.Message;
        EXPECT_TRUE(edit.Notes.empty());
        EXPECT_TRUE(Fingerprint(*grid) == Fingerprint(*door));
    }
    ASSERT_TRUE(grid->Solve());
    ASSERT_TRUE(door->Solve());
    EXPECT_TRUE(Fingerprint(*grid) == Fingerprint(*door));
}

TEST_F(DocumentEdits, InputsOutsideTheRowsAreNotedOrRefused)
{
    const auto doc = Another();
    TEditNotes edit = doc->SetInput(rowAirVolume, 271.6);
    ASSERT_TRUE(edit);
    ASSERT_EQ(edit.Notes.size(), 1u);
    EXPECT_EQ(edit.Notes[0], "Air Volume 271.6 is outside 0.1 to 100; 100 used");
    EXPECT_EQ(doc->HotWaterCoil().AirVolume(), 100);
    // Within half a per cent of a limit a value passes, rounded to the row's format.
    edit = doc->SetInput(rowAirVelocity, 10.04);
    EXPECT_TRUE(edit.Notes.empty());
    EXPECT_EQ(doc->HotWaterCoil().FaceVelocity(), 10.04);
    EXPECT_TRUE(doc->SetInput(rowBarometer, 95.12345).Notes.empty());
    EXPECT_EQ(doc->Barometer(), 95.123);

    edit = doc->SetInput(rowAirOn, std::string("25/30"));
    ASSERT_EQ(edit.Notes.size(), 1u);
    EXPECT_EQ(edit.Notes[0], "On Coil wet bulb 30 °C is above the dry bulb; 25 °C used");
    EXPECT_EQ(doc->AirOn().wb, 25);
    edit = doc->SetInput(rowAirOn, std::string("60"));
    ASSERT_EQ(edit.Notes.size(), 1u);
    EXPECT_EQ(edit.Notes[0], "On Coil 60 is outside -10 to 45; 45 used");

    // A refused input changes nothing and says why.
    const TFingerprint before = Fingerprint(*doc);
    EXPECT_EQ(doc->SetInput(rowModel, std::string("544 720 4r 12f 99c")).Result.Message,
              "more circuits than tubes (99 circuits on 56 tubes)");
    EXPECT_FALSE(doc->SetInput(rowModel, std::string("nonsense")));
    EXPECT_FALSE(doc->SetInput(rowFluidInlet, std::string("80")));
    EXPECT_FALSE(doc->SetInput(rowCalcMode, 2LL));
    EXPECT_FALSE(doc->SetInput(rowFluid, std::string("Water")));
    EXPECT_TRUE(Fingerprint(*doc) == before);

    TFluidChoice glycol;
    glycol.Additive = 1;
    glycol.Volume = 0.9;
    edit = doc->SetFluid(glycol);
    ASSERT_TRUE(edit);
    ASSERT_EQ(edit.Notes.size(), 1u);
    EXPECT_EQ(edit.Notes[0], "Additive Volume 0.9 is outside 0.01 to 0.45; 0.45 used");
    EXPECT_EQ(doc->Liquid().AdditiveVolume, 0.45);
}

TEST_F(DocumentEdits, DoorsGiveTheDocumentTheGridGives)
{
    // "Use this coil": the maker's range the coil has, a designation, the air and the flow.
    const auto grid = Another();
    const auto door = Another();
    ASSERT_TRUE(grid->EnterRowText(rowModel, kSixRows));
    ASSERT_TRUE(grid->EnterRowText(rowAirVolume, "1.234"));
    ASSERT_TRUE(grid->EnterRowText(rowControl, "Flow"));
    ASSERT_TRUE(grid->EnterRowText(rowFluidFlow, "0.456"));
    TCoilChoice choice;
    const TModelRec& rec = door->HotWaterCoil().Geometry().ModelRecord();
    door->Makers().LoadMaker(rec.Mnf);
    for (const TMnfRec& range : door->Makers().CachedRanges())
        if (range.name == rec.Model) choice.Range = range;
    choice.Designation = kSixRows;
    choice.AirVolume = 1.234;
    choice.FluidFlow = 0.456;
    ASSERT_TRUE(door->UseCoil(choice));
    EXPECT_TRUE(Fingerprint(*grid) == Fingerprint(*door));
    choice.Designation = "544 720 4r 12f 99c";
    EXPECT_FALSE(door->UseCoil(choice));
    EXPECT_TRUE(Fingerprint(*grid) == Fingerprint(*door)) << "a coil that cannot be built changes nothing";

    // The editor's Accept: six rows and ten fins typed in the editor, or into row 1. (New
    // circuits would differ: the editor's coil keeps its fluid flow, row 1 its tube velocity.)
    const auto edited = Another();
    TEditorOn editing(*edited);
    editing.editor.EditExit(TFatValue::Rows, 6);
    editing.editor.EditExit(TFatValue::FinDensity, 10);
    ASSERT_TRUE(edited->AcceptEditorResult());
    const auto typed = Another();
    ASSERT_TRUE(typed->EnterRowText(rowModel, "544 x 720  6r  10f  7c"));
    EXPECT_TRUE(Fingerprint(*edited, false) == Fingerprint(*typed, false))
        << Differences(Fingerprint(*edited, false), Fingerprint(*typed, false));
    // The editor rated its coil on every change: the solve starts elsewhere, ends as close.
    ASSERT_TRUE(edited->Solve());
    ASSERT_TRUE(typed->Solve());
    EXPECT_NEAR(edited->HotWaterCoil().Qt, typed->HotWaterCoil().Qt, 1e-9);

    // A data file: the grid's document saved and opened into another gives it back.
    ASSERT_TRUE(grid->Solve());
    TFileProperties properties;
    const std::string file = (Folder() / "coil.hqx").string();
    ASSERT_TRUE(SaveFile(*grid, properties, file));
    const auto opened = Another();
    ASSERT_TRUE(OpenFile(*opened, properties, file));
    EXPECT_TRUE(Fingerprint(*grid, false) == Fingerprint(*opened, false))
        << Differences(Fingerprint(*grid, false), Fingerprint(*opened, false));
    ASSERT_TRUE(opened->Solve());
    EXPECT_NEAR(opened->HotWaterCoil().Qt, grid->HotWaterCoil().Qt, 1e-9);

    // Calibration factors reach the coil and make the document modified, as an edit does.
    TCalibrationFactors factors;
    factors.Duty = 1.2;
    ASSERT_TRUE(opened->Calibrate(factors));
    EXPECT_EQ(opened->HotWaterCoil().DutyFactor, 1.2);
    EXPECT_TRUE(opened->Modified());
    EXPECT_EQ(opened->Rows().Cell(0, rowDesignDuty), "Design Duty §");
}

TEST_F(DocumentEdits, EditorCancelLeavesEveryValueAsItWas)
{
    for (const bool imperial : {false, true}) {
        for (const bool solved : {false, true}) {
            SCOPED_TRACE(std::string(imperial ? "Imperial" : "Metric") + (solved ? ", solved" : ", not solved"));
            const auto doc = Another();
            TUnitChoices choices;
            if (imperial)
                choices.Imperial();
            else
                choices.Metric();
            doc->ApplyUnitSystem(choices);
            ASSERT_TRUE(doc->EnterRowText(rowAirVolume, imperial ? "2542.6" : "1.2"));
            if (solved) {
                ASSERT_TRUE(doc->Solve());
            }
            const TFingerprint before = Fingerprint(*doc);
            for (int opening = 0; opening < 3; ++opening) {
                TEditorOn editing(*doc);
                if (opening == 1) editing.editor.Size(TFatSizing::FaceArea, 20);
                if (opening == 2) editing.editor.Spin(TFatValue::Circuits, true);
                editing.editor.Cancel();
                doc->CancelModelEdit();
                EXPECT_TRUE(Fingerprint(*doc) == before) << "opening " << opening;
            }
        }
    }
}

}  // namespace vantor::test
