#include "air_state/air_state_calc.h"

#include "fluids/air_state_text.h"
#include "fluids/psx_file.h"
#include "psychro/moist_air_state.h"
#include "../../support/settings_writer.h"
#include "../../support/temp_folder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace vantor {
namespace {

using test::TTempFolder;

constexpr double kSeaLevel = 101.325;

TAirRowUnits DefaultUnits() { return TAirConDlgSettings{}.RowUnits; }

// A calculator on a point at "db/wb", activated as the window does when it comes up.
struct TCalcFixture {
    explicit TCalcFixture(const char* text, std::string name = "On Coil")
    {
        point.ItemName = std::move(name);
        ParseAirState(text, point.State, kSeaLevel, 0.5);
        calc.OnEditAirconItem = [this] { ++edits; };
        calc.Activate();
    }
    // The user types text into a row's value cell.
    void Type(int row, const char* text)
    {
        calc.Rows().EnterText(row, text);
        calc.EditRow(row);
    }

    TPsyPoint point;
    TAirStateCalc calc{point, DefaultUnits()};
    int edits = 0;
};

TEST(AirStateCalc, AnEditRecomputesFromTheTwoPropertiesEditedLast)
{
    TCalcFixture f("30/17");
    ASSERT_EQ(f.calc.Status(), "Ready...");
    // Relative humidity is shown in per cent. From the history (wb, db), the new RH pairs with
    // the dry bulb: code 3. Reference state 101.325 kPa, 30 °C, 50 %: wb 22.0052 °C,
    // W 13.3102 g/kg, td 18.4466 °C, h 64.2115 kJ/kg (ASHRAE 2017 relations, PsychroLib).
    f.Type(asrRelHumidity, "50");
    EXPECT_EQ(f.calc.Status(), "Ready...");
    EXPECT_EQ(f.calc.Combination().PairCode, pcDbRH);
    EXPECT_NEAR(f.point.State.db, 30, 1e-9);
    EXPECT_NEAR(f.point.State.wb, 22.0052, 0.002);
    EXPECT_NEAR(f.point.State.W, 0.0133102, 2e-6);
    EXPECT_NEAR(f.point.State.td, 18.4466, 0.002);
    EXPECT_NEAR(f.point.State.h, 64.2115, 0.01);
    EXPECT_EQ(f.calc.Rows().Cell(1, asrWetBulb), "22.0");
    EXPECT_EQ(f.calc.Rows().Cell(1, asrHumidity), "13.3");
    for (int row = asrPressure; row <= asrSpecificHeat; ++row)
        EXPECT_EQ(f.calc.RowHighlighted(row), row == asrDryBulb || row == asrRelHumidity) << "row " << row;
    EXPECT_EQ(f.edits, 1);
    EXPECT_EQ(f.calc.BackupState().RH, f.point.State.RH) << "a valid state is the one to fall back on";

    // Dew point next: (td, RH) fixes the state, so the dry bulb moves. Reference 20 °C, 90 %:
    // td 18.3102 °C, wb 18.8643 °C. The row holds one decimal, so 18.3 °C is what counts, and
    // the dry bulb lands 0.01 K lower.
    f.Type(asrRelHumidity, "90");
    f.Type(asrDewPoint, "18.3102");
    EXPECT_EQ(f.calc.Combination().PairCode, pcRHTd);
    EXPECT_NEAR(f.point.State.db, 20, 0.02);
    EXPECT_NEAR(f.point.State.wb, 18.8643, 0.02);
    EXPECT_TRUE(f.calc.RowHighlighted(asrDewPoint));
    EXPECT_FALSE(f.calc.RowHighlighted(asrDryBulb));

    // A new barometer changes no history: the pair stays and the state follows the pressure.
    f.Type(asrPressure, "90");
    EXPECT_EQ(f.calc.Combination().PairCode, pcRHTd);
    EXPECT_NEAR(f.point.State.P, 90, 1e-9);
    EXPECT_NEAR(f.point.State.RH, 0.9, 1e-4);
}

TEST(AirStateCalc, AnInvalidEditStaysShownUntilTheWindowIsLeft)
{
    TCalcFixture f("24/17");
    const TMoistAirState shown = f.point.State;
    // With the pair (db, wb), a dry bulb below the wet bulb is no state; saturated air is.
    f.Type(asrDryBulb, "17");
    EXPECT_EQ(f.calc.Status(), "Ready...");
    f.Type(asrDryBulb, "16");
    EXPECT_EQ(f.calc.Status(), "Wet Bulb > Dry Bulb °C...");
    EXPECT_EQ(f.calc.Rows().Cell(1, asrDryBulb), "16.0") << "the state keeps the values as typed";
    EXPECT_FALSE(f.calc.Accept());
    EXPECT_EQ(f.edits, 1);

    // Leaving brings back the last valid state, the saturated one.
    f.calc.Leave();
    EXPECT_EQ(f.calc.Status(), "Ready...");
    EXPECT_NEAR(f.point.State.db, 17, 1e-9);
    EXPECT_NEAR(f.point.State.RH, 1, 1e-3);
    EXPECT_TRUE(f.calc.Accept());

    // From a fresh window the restore goes back to the state shown at activation.
    TCalcFixture g("24/17");
    g.Type(asrDryBulb, "10");
    g.calc.Leave();
    EXPECT_EQ(g.point.State.db, shown.db);
    EXPECT_EQ(g.point.State.wb, shown.wb);
    EXPECT_EQ(g.calc.Rows().Cell(1, asrDryBulb), "24.0");
}

TEST(AirStateCalc, PasteTakesDryAndWetBulbUnchecked)
{
    TCalcFixture f("24/17");
    f.Type(asrRelHumidity, "60");
    const TMoistAirState backup = f.calc.BackupState();
    ASSERT_TRUE(f.calc.Paste("30/20"));
    EXPECT_EQ(f.calc.Combination().PairCode, pcDbWb);
    EXPECT_EQ(f.calc.Combination().History.substr(0, 2), "bt");
    EXPECT_TRUE(f.calc.RowHighlighted(asrDryBulb));
    EXPECT_TRUE(f.calc.RowHighlighted(asrWetBulb));
    EXPECT_FALSE(f.calc.RowHighlighted(asrRelHumidity));
    EXPECT_EQ(f.calc.Rows().Cell(1, asrDryBulb), "30.0");
    EXPECT_EQ(f.calc.BackupState().db, backup.db) << "a paste is not the state to fall back on";
    EXPECT_EQ(f.edits, 2);
    EXPECT_EQ(f.calc.CopyText(), "30.000/20.000");

    // Text that is no air text changes nothing.
    EXPECT_FALSE(f.calc.Paste("warm and dry"));
    EXPECT_EQ(f.point.State.db, 30);
    EXPECT_EQ(f.edits, 2);
}

TEST(AirStateCalc, TableAndXmlShowTheCellsAsDisplayed)
{
    TCalcFixture f("24/17", "Coil \"A\" <north> & south");
    const std::string table = f.calc.TableText();
    EXPECT_EQ(table.substr(0, 22), "Property,Value,Units\r\n");
    EXPECT_NE(table.find("Name,\"Coil \"\"A\"\" <north> & south\",\r\n"), std::string::npos) << table;
    EXPECT_NE(table.find("\"Dry Bulb\",24.0,°C\r\n"), std::string::npos) << table;
    EXPECT_NE(table.find("\"Rel Humidity\",4"), std::string::npos) << table;
    EXPECT_NE(table.find(",%\r\n\"Dew Point\","), std::string::npos) << table;

    const std::string xml = f.calc.XmlText();
    EXPECT_EQ(xml.substr(0, xml.find("<airstate>")),
              "<?xml version=\"1.0\" ?>\r\n<?xml-stylesheet type=\"text/xsl\" href=\"airstate.xsl\"?>\r\n");
    EXPECT_NE(xml.find("  <properties name=\"Coil &quot;A&quot; &lt;north&gt; &amp; south\">\r\n"), std::string::npos)
        << xml;
    EXPECT_NE(xml.find("    <item code=\"db\" caption=\"Dry Bulb\" units=\"°C\">24.0</item>\r\n"), std::string::npos)
        << xml;
    EXPECT_NE(xml.find("    <item code=\"wa\" caption=\"Abs Humidity\" units=\"g/kg\">"), std::string::npos) << xml;
    EXPECT_NE(xml.find("</properties>\r\n</airstate>\r\n"), std::string::npos);
    EXPECT_EQ(CommaTextItem(""), "");
    EXPECT_EQ(CommaTextItem("a,b"), "\"a,b\"");
}

TEST(AirStateCalc, StylesheetTurnsTheXmlIntoATable)
{
    TTempFolder folder;
    TCalcFixture f("24/17", "Room <2> & \"hall\"");
    test::WriteText(folder / "state.xml", f.calc.XmlText());
    const std::string command = "xsltproc '" + std::string(AIRSTATE_XSL) + "' '" + (folder / "state.xml").string() +
                                "' >'" + (folder / "state.html").string() + "' 2>'" + (folder / "errors").string() + "'";
    ASSERT_EQ(std::system(command.c_str()), 0) << test::TextOf(folder / "errors");
    const std::string html = test::TextOf(folder / "state.html");
    EXPECT_NE(html.find("<h1>Room &lt;2&gt; &amp; \"hall\"</h1>"), std::string::npos) << html;
    EXPECT_NE(html.find("<th>Property</th>"), std::string::npos) << html;
    size_t rows = 0;
    for (size_t at = html.find("<tr id="); at != std::string::npos; at = html.find("<tr id=", at + 1)) ++rows;
    EXPECT_EQ(rows, 11u);
    const size_t dryBulb = html.find("<tr id=\"db\">");
    ASSERT_NE(dryBulb, std::string::npos) << html;
    const std::string row = html.substr(dryBulb, html.find("</tr>", dryBulb) - dryBulb);
    EXPECT_NE(row.find("<td>Dry Bulb</td>"), std::string::npos) << row;
    EXPECT_NE(row.find(">24.0</td>"), std::string::npos) << row;
    EXPECT_NE(row.find("<td>°C</td>"), std::string::npos) << row;
}

TEST(AirStateCalc, StateFilesLoadAndSave)
{
    TTempFolder folder;
    TCalcFixture f("24/17");
    const auto path = folder / "air.psx";
    ASSERT_TRUE(f.calc.Save(path));

    TCalcFixture g("30/20");
    ASSERT_TRUE(g.calc.Load(path));
    EXPECT_EQ(g.point.State.db, 24);
    EXPECT_EQ(g.calc.Rows().Cell(1, asrWetBulb), "17.0");
    EXPECT_EQ(g.edits, 1);

    // A short file is refused by name and the state stays.
    const auto shortFile = folder / "short.psx";
    test::WriteText(shortFile, EncodePsx(f.point.State).substr(0, 100));
    EXPECT_EQ(g.calc.Load(shortFile).Message, "Error reading file " + shortFile.string());
    EXPECT_EQ(g.point.State.db, 24);

    // An invalid state is not saved, and the status line says so.
    g.Type(asrDryBulb, "5");
    const TResult refused = g.calc.Save(folder / "bad.psx");
    EXPECT_EQ(refused.Message, "Can\"t save invalid data...");
    EXPECT_EQ(g.calc.Status(), "Can\"t save invalid data...");
    EXPECT_FALSE(std::filesystem::exists(folder / "bad.psx"));
}

TEST(AirStateCalc, StateFromAnotherBarometerIsNamedWithTheDifference)
{
    EXPECT_EQ(BarometerChangeWarning(85.0, 101.325),
              "The air state was saved at a barometer of 85 kPa, 16.325 kPa below the 101.325 kPa in use. Its "
              "moisture content and humidity belong to that pressure: check them before accepting.");
    EXPECT_NE(BarometerChangeWarning(120.0, 101.325).find("18.675 kPa above the 101.325 kPa"), std::string::npos);
    // Half a pascal is the same barometer, rounded differently.
    EXPECT_EQ(BarometerChangeWarning(101.3255, 101.325), "");
    EXPECT_EQ(BarometerChangeWarning(101.325, 101.325), "");
}

TEST(AirStateCalc, RowsFollowTheDialogsChoices)
{
    TPsyPoint point{"Moist Air"};
    ParseAirState("24/17", point.State, kSeaLevel, 0.5);
    TAirRowUnits units = DefaultUnits();
    units[asrDryBulb] = 1;  // °F
    TAirStateCalc calc(point, units, false, false);
    EXPECT_FALSE(calc.Rows().RowEnabled(asrName));
    EXPECT_FALSE(calc.Rows().RowEnabled(asrPressure));
    EXPECT_FALSE(calc.Rows().RowEnabled(asrSpecificHeat));
    EXPECT_TRUE(calc.Rows().RowEnabled(asrDewPoint));
    EXPECT_EQ(calc.Rows().Cell(1, asrDryBulb), "75.2");
    EXPECT_EQ(calc.Rows().Cell(2, asrRelHumidity), "%");
    EXPECT_EQ(calc.Rows().Cell(1, asrPressure), "101.325");
    EXPECT_EQ(calc.RowUnits()[asrDryBulb], 1);
    EXPECT_EQ(calc.RowUnits()[asrHumidity], 1);
}

TEST(AirStateDlgData, TextAndBarometerKeepEachOther)
{
    TAirStateDlgData dlg;
    EXPECT_EQ(dlg.Caption, "Moist Air State");
    EXPECT_EQ(dlg.Point.ItemName, "Moist Air");
    EXPECT_EQ(dlg.Temperature(), "25.0/17.0");
    EXPECT_EQ(dlg.Pressure(), 101.325);

    dlg.SetTemperature("22/15");
    dlg.SetPressure(90);
    EXPECT_EQ(dlg.Temperature(), "22.0/15.0") << "the text is read again at the new barometer";
    EXPECT_EQ(dlg.Point.State.P, 90);
    dlg.SetTemperature("not air");
    EXPECT_EQ(dlg.Temperature(), "24.0/17.0");

    // Positions: a requested edge is kept, else the point's, else the fallback.
    EXPECT_EQ(PlaceEdge(-99, dlg.Point.FormLeft, 500), 500);
    EXPECT_EQ(dlg.Point.FormLeft, -99);
    EXPECT_EQ(PlaceEdge(120, dlg.Point.FormLeft, 500), 120);
    EXPECT_EQ(PlaceEdge(-99, dlg.Point.FormLeft, 500), 120) << "the point keeps its place";
    EXPECT_EQ(PlaceEdge(-98, dlg.Point.FormTop, 500), -98) << "-98 is a position";
}

TEST(AirConDlgSettings, StoredPlacesComeBackOnScreen)
{
    const struct {
        int stored, expected;
    } lefts[] = {{-99, -99}, {-98, 0}, {-1, 0}, {0, 0}, {700, 700}, {1180, 1180}, {1181, 1080}, {5000, 1080}};
    TTempFolder folder;
    for (const auto& c : lefts) {
        TSettingsStore store(std::optional(folder / "Vantor.ini"));
        store.WriteInteger("OnCoilDlg", "FormLeft", c.stored);
        store.WriteInteger("OnCoilDlg", "FormTop", c.stored);
        TAirConDlgSettings settings;
        settings.Read(store, "OnCoilDlg", {1280, 1280});
        EXPECT_EQ(settings.FormLeft, c.expected) << c.stored;
        EXPECT_EQ(settings.FormTop, c.expected) << c.stored;
    }

    TAirConDlgSettings written;
    written.FormWidth = 300;
    written.ColWidths = {90, 80, 60};
    written.RowUnits[asrDryBulb] = 1;
    written.RowUnits[asrPressure] = 7;  // no such barometer unit
    test::WriteSettings(folder / "Round.ini", [&](TSettingsStore& store) { written.Write(store, "OnCoilDlg"); });
    TSettingsStore store(std::optional(folder / "Round.ini"));
    EXPECT_EQ(store.ReadInteger("OnCoilDlg", "ColWidths1", 0), 80);
    EXPECT_EQ(store.ReadInteger("OnCoilDlg", "Row3", 0), 1);
    TAirConDlgSettings read;
    read.Read(store, "OnCoilDlg", {1280, 800});
    EXPECT_EQ(read.FormWidth, 300);
    EXPECT_EQ(read.ColWidths[2], 60);
    EXPECT_EQ(read.RowUnits[asrDryBulb], 1);
    EXPECT_EQ(read.RowUnits[asrPressure], 0);
    EXPECT_EQ(read.RowUnits[asrRelHumidity], 1);

    // Widths a long value once forced on the window come back within the screen.
    store.WriteInteger("OnCoilDlg", "FormWidth", 30000);
    store.WriteInteger("OnCoilDlg", "FormHeight", 9000);
    store.WriteInteger("OnCoilDlg", "ColWidths1", 29000);
    TAirConDlgSettings wide;
    wide.Read(store, "OnCoilDlg", {1366, 768});
    EXPECT_EQ(wide.FormWidth, 1366);
    EXPECT_EQ(wide.FormHeight, 768);
    EXPECT_EQ(wide.ColWidths[1], 1366);
    EXPECT_EQ(wide.ColWidths[2], 60);
}

}  // namespace
}  // namespace vantor
