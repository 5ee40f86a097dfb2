#include "units/units_registry.h"

#include "support/temp_folder.h"
#include "text/file_io.h"
#include "units/unit_tables.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>
#include <unistd.h>

namespace vantor {
namespace {

namespace fs = std::filesystem;

// The quantities the program registers: section, key, units type, default unit and stored unit.
struct TRegistryRow {
    const char* Section;
    const char* Key;
    TUnitsType Type;
    const char* Unit;
    const char* Stored;
};

const TRegistryRow kRegistryTable[] = {
    {"fat", "height", utLengthMeasure, "inch", "m"},
    {"fat", "length", utLengthMeasure, "mm", "m"},
    {"fat", "depth", utLengthMeasure, "mm", "m"},
    {"fat", "fin_spacing", utFinDensity, "fpi", "fpi"},
    {"fat", "tube_diameter", utLengthMeasure, "mm", "m"},
    {"fat", "tube_pitch", utLengthMeasure, "mm", "m"},
    {"fat", "fin_thickness", utLengthMeasure, "mm", "m"},
    {"place", "barom_pressure", utPressureBar, "kPa", "kPa"},
    {"place", "altitude", utAltitude, "m", "m"},
    {"place", "ambient", utTemperature, "°C", "°C"},
    {"air", "mass_flow", utMassFlow, "kg/s", "kg/s"},
    {"air", "vol_flow", utAirFlowPrim, "m³/s", "m³/s"},
    {"air", "t", utTemperature, "°C", "°C"},
    {"air", "h", utEnthalpy, "kJ/kg", "kJ/kg"},
    {"air", "w", utHumidity, "g/kg", "kg/kg"},
    {"air", "cp", utSpecificHeat, "kJ/kg·K", "kJ/kg·K"},
    {"air", "k", utConductivity, "kW/m·K", "kW/m·K"},
    {"air", "rh", utProportion, "%", ""},
    {"air", "rho", utDensity, "kg/m³", "kg/m³"},
    {"air", "v", utVelocity, "m/s", "m/s"},
    {"air", "dp", utAirPressDrop, "Pa", "Pa"},
    {"air", "dt", utTemperatureChange, "°C", "°C"},
    {"air", "mc", utConductance, "kW/°C", "kW/°C"},
    {"ref", "t", utTemperature, "°C", "°C"},
    {"ref", "p", utPressure, "kPa", "Pa"},
    {"ref", "mass_flow", utMassFlowGas, "kg/hr", "kg/s"},
    {"ref", "mass_flux", utMassFlux, "kg/m²s", "kg/m²s"},
    {"ref", "rho", utDensity, "kg/m³", "kg/m³"},
    {"ref", "h", utEnthalpy, "kJ/kg", "kJ/kg"},
    {"ref", "dp_rate", utPressureRateLiquid, "kPa/m", "kPa/m"},
    {"ref", "dp", utPressure, "kPa", "kPa"},
    {"ref", "v", utVelocity, "m/s", "m/s"},
    {"ref", "dt", utTemperatureChange, "°C", "°C"},
    {"liquid", "dp", utWaterPressDrop, "kPa", "kPa"},
    {"liquid", "t", utTemperature, "°C", "°C"},
    {"liquid", "dt", utTemperatureChange, "°C", "°C"},
    {"liquid", "vol_flow", utWaterFlow, "l/s", "l/s"},
    {"liquid", "mass_flow", utMassFlow, "kg/s", "kg/s"},
    {"liquid", "v", utVelocity, "m/s", "m/s"},
    {"liquid", "rho", utDensity, "kg/m³", "kg/m³"},
    {"liquid", "mc", utConductance, "kW/°C", "kW/°C"},
    {"steam", "t", utTemperature, "°C", "°C"},
    {"steam", "p", utPressureSteam, "Bar", "Bar"},
    {"steam", "mass_flow", utMassFlowGas, "kg/hr", "kg/s"},
    {"steam", "dp", utPressure, "kPa", "kPa"},
    {"sat", "length", utLengthPrim, "m", "m"},
    {"sat", "diam", utLengthSec, "mm", "m"},
    {"wcc", "mass_flow", utMassFlowGas, "kg/hr", "kg/s"},
    {"wcc", "t", utTemperature, "°C", "°C"},
    {"wcc", "dt", utTemperatureChange, "°C", "°C"},
    {"chiller", "mass_flow", utMassFlowGas, "kg/hr", "kg/s"},
    {"chiller", "t", utTemperature, "°C", "°C"},
    {"chiller", "dt", utTemperatureChange, "°C", "°C"},
    {"plate", "height", utLengthPrim, "m", "m"},
    {"plate", "width", utLengthPrim, "m", "m"},
    {"plate", "spacing", utLengthPrim, "m", "m"},
    {"barepipe", "length", utLengthPrim, "m", "m"},
    {"barepipe", "diam", utLengthPrim, "m", "m"},
    {"hex", "duty", utDutyPrim, "kW", "kW"},
    {"hex", "duty_per_volflow", utEnergyPerVol, "kW/cms", "kW/cms"},
    {"hex", "energy", utEnergy, "kJ", "kJ"},
    {"hex", "power", utPower, "kW", "kW"},
    {"hex", "mass", utMass, "kg", "kg"},
    {"hex", "vol", utVolume, "litre", "m³"},
    {"hex", "area", utArea, "m²", "m²"},
    {"hex", "dt", utTemperatureChange, "°C", "°C"},
    {"hex", "u_value", utHeatTransCoeff, "W/m²°C", "W/m²°C"},
    {"hex", "pipe_conn", utLengthMeasure, "mm", "mm"},
    {"general", "duty_rate", utDutyRate, "W/m²", "W/m²"},
    {"general", "time", utTime, "sec", "sec"},
    {"general", "fraction", utProportion, "", "%"},
    {"general", "proportion", utProportion, "", "%"},
    {"general", "respiration", utHeatOfRespir, "kJ/kg/day", "kJ/kg/day"},
    {"general", "cond_rate", utCondensateRate, "g/s", "kg/s"},
    {"general", "ice_rate", utVelocity, "m/s", "m/s"},
};

void ExpectShippedDefaults(const TUnitsRegistry& units)
{
    ASSERT_EQ(units.Records().size(), std::size(kRegistryTable));
    for (size_t i = 0; i < std::size(kRegistryTable); ++i) {
        const TRegistryRow& row = kRegistryTable[i];
        const UnitRec& rec = units.Records()[i];
        SCOPED_TRACE(std::string(row.Section) + " " + row.Key);
        EXPECT_EQ(rec.Section, row.Section);
        EXPECT_EQ(rec.Key, row.Key);
        EXPECT_EQ(rec.UnitsType, row.Type);
        EXPECT_EQ(UnitLabel(rec.UnitsType, rec.Units), row.Unit);
        EXPECT_EQ(UnitLabel(rec.UnitsType, rec.BaseUnits), row.Stored);
    }
}

// Every record moved off its default unit, so a load that reads nothing shows.
void ScrambleUnits(TUnitsRegistry& units)
{
    for (UnitRec& rec : units.Records()) rec.Units = (rec.Units + 1) % UnitCount(rec.UnitsType);
}

// A units file that cannot be used as it stands, and the line its message must name (empty:
// no message).
struct TBadUnitsFile {
    const char* Name;
    std::string Text;
    const char* Line;
};

void PrintTo(const TBadUnitsFile& c, std::ostream* out) { *out << c.Name; }

class UnitsRegistryTest : public testing::Test, public testing::WithParamInterface<TBadUnitsFile> {
protected:
    fs::path Write(const std::string& name, const std::string& text)
    {
        const fs::path file = m_folder / name;
        EXPECT_TRUE(WriteFileAtomically(file, text));
        return file;
    }

    vantor::test::TTempFolder m_folder;
    TUnitsRegistry m_units = StandardUnitsRegistry();
};

TEST_F(UnitsRegistryTest, StandardRecordsAndTheInstalledFileHoldTheShippedDefaults)
{
    ExpectShippedDefaults(m_units);
    ScrambleUnits(m_units);
    const fs::path installed = fs::path(VANTOR_SHARE_DIR) / kUnitsIniName;
    ASSERT_TRUE(fs::exists(installed));
    EXPECT_TRUE(m_units.LoadUnitsIni(installed).empty());
    ExpectShippedDefaults(m_units);
}

TEST_F(UnitsRegistryTest, LookupIgnoresCaseAndRefusesUnknownNames)
{
    EXPECT_EQ(m_units.Find("LIQUID", "T"), &m_units.At("liquid", "t"));
    EXPECT_EQ(m_units.Find("liquid", "nothing"), nullptr);
    EXPECT_THROW(m_units.At("nothing", "t"), std::out_of_range);
}

TEST_F(UnitsRegistryTest, SaveAndLoadKeepEveryChoiceAndOtherKeys)
{
    const fs::path file = Write("units.ini", "[other]\nkept=yes\n\n[air]\nt=0\nnote=mine\n");
    m_units.At("air", "t").Units = 1;
    m_units.At("hex", "vol").Units = 3;
    ASSERT_TRUE(m_units.SaveUnitsIni(file));

    TUnitsRegistry loaded = StandardUnitsRegistry();
    EXPECT_EQ(loaded.LoadUnitsIni(file).size(), 2u);  // "[other]" and "note" are reported as ignored
    EXPECT_EQ(loaded.At("air", "t").Units, 1);
    EXPECT_EQ(loaded.At("hex", "vol").Units, 3);
    EXPECT_EQ(loaded.At("air", "w").Units, 1);
    const std::string text = *ReadFileText(file);
    EXPECT_NE(text.find("kept=yes"), std::string::npos);
    EXPECT_NE(text.find("note=mine"), std::string::npos);
}

TEST_P(UnitsRegistryTest, BadFilesFallBackToDefaultsAndNameTheLine)
{
    TUnitsRegistry units = StandardUnitsRegistry();
    const fs::path file = Write("units.ini", GetParam().Text);
    const auto messages = units.LoadUnitsIni(file);
    ExpectShippedDefaults(units);
    if (*GetParam().Line == 0) {
        EXPECT_TRUE(messages.empty());
        return;
    }
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find(file.string() + ", " + GetParam().Line + ":"), std::string::npos) << messages[0];
}

INSTANTIATE_TEST_SUITE_P(, UnitsRegistryTest,
                         testing::Values(TBadUnitsFile{"not a number", "[air]\nt=Fahrenheit\n", "line 2"},
                                         TBadUnitsFile{"out of range", "[fat]\n; comment\nheight=9\n", "line 3"},
                                         TBadUnitsFile{"negative", "[fat]\r\nheight=-1\r\n", "line 2"},
                                         TBadUnitsFile{"unknown section", "[colours]\nt=1\n", "line 1"},
                                         TBadUnitsFile{"unknown key", "[air]\nspeed=1\n", "line 2"},
                                         TBadUnitsFile{"truncated section", "[air]\nt=0\n[hex", "line 3"},
                                         TBadUnitsFile{"truncated value line", "[air]\nrh", "line 2"},
                                         TBadUnitsFile{"outside a section", "t=1\n[air]\n", "line 1"},
                                         TBadUnitsFile{"empty", "", ""},
                                         TBadUnitsFile{"binary", std::string("\0\xff\xfe[air]\n", 8), "line 1"}));

TEST_F(UnitsRegistryTest, ValidValuesOfABadFileStillCount)
{
    const fs::path file = Write("units.ini", "\xEF\xBB\xBF[air]\nt = 1\nt=2\nw=x\n[AIR]\nv=1\n[hex]\nvol=0\n");
    const auto messages = m_units.LoadUnitsIni(file);
    EXPECT_EQ(m_units.At("air", "t").Units, 1);   // the first value of a name wins
    EXPECT_EQ(m_units.At("air", "w").Units, 1);   // unusable: the default stays
    EXPECT_EQ(m_units.At("air", "v").Units, 0);   // a repeated section is not read
    EXPECT_EQ(m_units.At("hex", "vol").Units, 0);
    EXPECT_EQ(messages.size(), 2u);
}

TEST_F(UnitsRegistryTest, MissingFileKeepsTheUnitsAndUnwritableFolderFails)
{
    m_units.At("air", "t").Units = 2;
    EXPECT_TRUE(m_units.LoadUnitsIni(m_folder / "absent.ini").empty());
    EXPECT_EQ(m_units.At("air", "t").Units, 2);

    Write("blocker", "a file where a folder should be");
    const TResult saved = m_units.SaveUnitsIni(m_folder / "blocker" / "Coils" / "units.ini");
    EXPECT_FALSE(saved);
    EXPECT_NE(saved.Message.find("Unable to write to"), std::string::npos);
}

TEST_F(UnitsRegistryTest, UserCopyShadowsTheInstalledFileAndReceivesTheSave)
{
    TFolderEnvironment env;
    env.Home = (m_folder / "home").string();
    env.XdgDataHome = (m_folder / "data").string();
    env.MakerRootOverride = (m_folder / "maker").string();
    fs::create_directories(m_folder / "maker" / "Coils");
    Write("maker/Coils/units.ini", "[air]\nt=1\n[extra]\nkeep=1\n");

    EXPECT_EQ(m_units.LoadUnitsIni(env).size(), 1u);  // "[extra]" is reported as ignored
    EXPECT_EQ(m_units.At("air", "t").Units, 1);

    m_units.At("air", "t").Units = 2;
    ASSERT_TRUE(m_units.SaveUnitsIni(env));
    const fs::path userCopy = m_folder / "data" / "korvane" / "Coils" / "units.ini";
    ASSERT_TRUE(fs::exists(userCopy));
    EXPECT_NE(ReadFileText(userCopy)->find("keep=1"), std::string::npos);
    EXPECT_EQ(*ReadFileText(m_folder / "maker" / "Coils" / "units.ini"), "[air]\nt=1\n[extra]\nkeep=1\n");

    TUnitsRegistry next = StandardUnitsRegistry();
    next.LoadUnitsIni(env);
    EXPECT_EQ(next.At("air", "t").Units, 2);
}

TEST_F(UnitsRegistryTest, LiquidUnitsLiveInTheSettingsSectionCoils)
{
    const fs::path file = m_folder / "Vantor.ini";
    {
        TSettingsStore store(file);
        m_units.At("liquid", "t").Units = 1;
        m_units.At("hex", "pipe_conn").Units = 3;
        m_units.SaveLiquidUnits(store);
        ASSERT_TRUE(store.Flush());
    }
    TSettingsStore store(file);
    EXPECT_EQ(store.ReadInteger("Coils", "UnitsLiquidTemp", -1), 1);
    EXPECT_EQ(store.ReadInteger("Coils", "UnitsLiquidPipeConn", -1), 3);
    EXPECT_EQ(store.ReadInteger("Coils", "UnitsLiquidPressDrop", -1), 0);
    store.WriteInteger("Coils", "UnitsLiquidVel", 7);  // no such unit of Velocity

    TUnitsRegistry loaded = StandardUnitsRegistry();
    loaded.At("liquid", "v").Units = 1;
    loaded.LoadLiquidUnits(store);
    EXPECT_EQ(loaded.At("liquid", "t").Units, 1);
    EXPECT_EQ(loaded.At("hex", "pipe_conn").Units, 3);
    EXPECT_EQ(loaded.At("liquid", "v").Units, 1);
}

}  // namespace
}  // namespace vantor
