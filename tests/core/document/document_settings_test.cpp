#include "document/document_settings.h"

#include "settings_file.h"
#include "support/settings_writer.h"

#include <gtest/gtest.h>

namespace vantor {
namespace {

TEST(DocumentSettings, EmptyStoreGivesTheFirstRunValues)
{
    const test::TSettingsFile file("");
    const TDocumentSettings s = ReadDocumentSettings(TSettingsStore(file.Path()));
    EXPECT_EQ(s.FileName, "Default.hqx");
    EXPECT_EQ(s.Pressure, 101.325);
    EXPECT_EQ(s.AirOn, "25/17");
    EXPECT_EQ(s.AirOff, "11/10");
    EXPECT_EQ(s.CoilModel, "544 720 4r 12f 7c");
    EXPECT_EQ(s.CoilMaker, "Typical");
    EXPECT_EQ(s.CoilMR, "");
    EXPECT_EQ(s.AirVelocity, 2.5);
    EXPECT_EQ(s.DesignDuty, 20.0);
    EXPECT_EQ(s.CalcMode, TCalcMode::HeatingDuty);
    EXPECT_EQ(s.Factors, (TCalibrationFactors{1, 1, 1, 1, 1}));
    EXPECT_EQ(s.ColumnWidths, (std::array<int, 3>{90, 126, 65}));
    EXPECT_FALSE(s.Stored);
}

TEST(DocumentSettings, ReadsEveryValueByItsName)
{
    const test::TSettingsFile file(
        "[VantorForm]\n"
        "Left=10\nFileName=/jobs/a.hqx\nPressure=95.5\nAirOn=22.3000/16.1000\nAirOff=40.0400/22.0600\n"
        "CoilModel=610 900 3r 10f 8c\nCoilHeight=0.6096\nCoilLength=0.9\nCoilMaker=Typical\n"
        "CoilMR=5/8 inch heavy duty\nAirVelocity=2.7\nDesignDuty=35.5\nCalcMode=1\n"
        "DutyFactor=1.2\nAirDPFactor=1.1\nFluidDPFactor=0.9\nhoFactor=1.05\nhiFactor=0.95\n"
        "Col0=100\nCol1=130\nCol2=70\n");
    const TDocumentSettings s = ReadDocumentSettings(TSettingsStore(file.Path()));
    EXPECT_EQ(s.FileName, "/jobs/a.hqx");
    EXPECT_EQ(s.Pressure, 95.5);
    EXPECT_EQ(s.AirOn, "22.3000/16.1000");
    EXPECT_EQ(s.AirOff, "40.0400/22.0600");
    EXPECT_EQ(s.CoilModel, "610 900 3r 10f 8c");
    EXPECT_EQ(s.CoilHeight, 0.6096);
    EXPECT_EQ(s.CoilLength, 0.9);
    EXPECT_EQ(s.CoilMR, "5/8 inch heavy duty");
    EXPECT_EQ(s.AirVelocity, 2.7);
    EXPECT_EQ(s.DesignDuty, 35.5);
    EXPECT_EQ(s.CalcMode, TCalcMode::CoilSize);
    EXPECT_EQ(s.Factors, (TCalibrationFactors{1.2, 1.1, 0.9, 1.05, 0.95}));
    EXPECT_EQ(s.ColumnWidths, (std::array<int, 3>{100, 130, 70}));
    EXPECT_TRUE(s.Stored);

    // Written back and read again, every value but the window's own comes back as it was.
    const test::TSettingsFile copy("");
    test::WriteSettings(copy.Path(), [&](TSettingsStore& store) { WriteDocumentSettings(store, s); });
    EXPECT_EQ(ReadDocumentSettings(TSettingsStore(copy.Path())), s);
}

TEST(DocumentSettings, UnusableValuesFallBackToTheirDefaults)
{
    const test::TSettingsFile file("[VantorForm]\nPressure=high\nCalcMode=7\nDutyFactor=1,2\n");
    TInputCheck check;
    const TDocumentSettings s = ReadDocumentSettings(TSettingsStore(file.Path()), check);
    EXPECT_EQ(s.Pressure, 101.325);
    EXPECT_EQ(s.CalcMode, TCalcMode::HeatingDuty) << "no mode but rating and sizing";
    EXPECT_EQ(s.Factors.Duty, 1.0);
    EXPECT_EQ(check.Notes(), (std::vector<std::string>{"Pressure: \"high\" is not a number; 101.325 kept",
                                                       "CalcMode: \"7\" is not one of 0 to 1; 0 used",
                                                       "DutyFactor: \"1,2\" is not a number; 1 kept"}));
}

TEST(DocumentSettings, WrittenValuesAreThoseTheReaderTakes)
{
    TDocumentSettings s;
    s.Pressure = 5;
    s.AirVelocity = 10000;
    s.DesignDuty = 0;
    s.Factors.hi = -1;
    const test::TSettingsFile file("");
    test::WriteSettings(file.Path(), [&](TSettingsStore& store) { WriteDocumentSettings(store, s); });
    TInputCheck check;
    const TDocumentSettings read = ReadDocumentSettings(TSettingsStore(file.Path()), check);
    EXPECT_TRUE(check.Empty()) << check.Message("");
    EXPECT_EQ(read.Pressure, 101.325);
    EXPECT_EQ(read.AirVelocity, 10);
    EXPECT_EQ(read.DesignDuty, 0.1);
    EXPECT_EQ(read.Factors.hi, 1);
}

TEST(DocumentSettings, ValuesOutOfRangeAreLimitedOrFallBackAndNoted)
{
    // A barometer of 5 kPa and a negative factor were never meant: their defaults. The others
    // take their row's nearer limit, as a typed value does.
    const test::TSettingsFile file(
        "[VantorForm]\nPressure=5\nAirVelocity=25\nDesignDuty=0\nDutyFactor=-1\nhiFactor=0\n"
        "AirDPFactor=1.3\nCoilHeight=nan\n");
    TInputCheck check;
    const TDocumentSettings s = ReadDocumentSettings(TSettingsStore(file.Path()), check);
    EXPECT_EQ(s.Pressure, 101.325);
    EXPECT_EQ(s.AirVelocity, 10);
    EXPECT_EQ(s.DesignDuty, 0.1);
    EXPECT_EQ(s.Factors, (TCalibrationFactors{1, 1.3, 1, 1, 1}));
    EXPECT_EQ(s.CoilHeight, 0);
    EXPECT_EQ(check.Notes(), (std::vector<std::string>{
                                 "Pressure: 5 is outside 70 to 120; 101.325 used",
                                 "CoilHeight: \"nan\" is not a number; 0 kept",
                                 "AirVelocity: 25 is outside 0.5 to 10; 10 used",
                                 "DesignDuty: 0 is outside 0.1 to 500; 0.1 used",
                                 "DutyFactor: -1 is not greater than zero; 1 used",
                                 "hiFactor: 0 is not greater than zero; 1 used",
                             }));
}

}  // namespace
}  // namespace vantor
