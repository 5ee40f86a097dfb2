#include "fluids/psx_file.h"

#include "../../support/temp_folder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <string>

namespace vantor {
namespace {

using test::TTempFolder;

TMoistAirState SampleState()
{
    TMoistAirState state;
    state.P = 101.325;
    state.db = 24;
    state.wb = 17;
    state.RH = 0.49;
    state.M = 1.2;
    return state;
}

TEST(PsxFile, FifteenLittleEndianDoublesInFieldOrder)
{
    const std::string bytes = EncodePsx(SampleState());
    ASSERT_EQ(bytes.size(), 120u);
    // 101.325 as an IEEE 754 double is 0x405954CC_CCCCCCCD; little-endian, low byte first.
    EXPECT_EQ(bytes.substr(0, 8), std::string("\xcd\xcc\xcc\xcc\xcc\x54\x59\x40", 8));
    // 24 is 0x4038000000000000, the second field.
    EXPECT_EQ(bytes.substr(8, 8), std::string("\0\0\0\0\0\0\x38\x40", 8));
    // The air mass flow stands last.
    EXPECT_EQ(bytes.substr(112, 8), std::string("\x33\x33\x33\x33\x33\x33\xf3\x3f", 8));
}

TEST(PsxFile, WrittenFileReadsBackWhole)
{
    TTempFolder folder;
    const auto path = folder / "state.psx";
    ASSERT_TRUE(WritePsxFile(path, SampleState()));
    TMoistAirState read;
    ASSERT_TRUE(ReadPsxFile(path, read));
    EXPECT_EQ(read.P, 101.325);
    EXPECT_EQ(read.wb, 17);
    EXPECT_EQ(read.RH, 0.49);
    EXPECT_EQ(read.M, 1.2);
}

TEST(PsxFile, DamagedFilesAreRefusedAndTheStateKept)
{
    const std::string good = EncodePsx(SampleState());
    // The good record with one field's eight bytes replaced.
    auto withField = [&good](size_t field, double value) {
        std::string bytes = good;
        std::memcpy(bytes.data() + 8 * field, &value, sizeof value);
        return bytes;
    };
    const struct {
        const char* name;
        std::string bytes;
    } cases[] = {
        {"empty", ""},
        {"one byte short", good.substr(0, 119)},
        {"half a record", good.substr(0, 60)},
        {"one byte long", good + '\0'},
        {"two records", good + good},
        {"dry bulb not a number", withField(1, std::numeric_limits<double>::quiet_NaN())},
        {"mass flow infinite", withField(14, std::numeric_limits<double>::infinity())},
        {"pressure minus infinity", withField(0, -std::numeric_limits<double>::infinity())},
    };
    TTempFolder folder;
    for (const auto& c : cases) {
        const auto path = folder / "damaged.psx";
        test::WriteText(path, c.bytes);
        TMoistAirState state;
        state.db = 33;
        const TResult result = ReadPsxFile(path, state);
        EXPECT_FALSE(result) << c.name;
        EXPECT_EQ(result.Message, "Error reading file " + path.string()) << c.name;
        EXPECT_EQ(state.db, 33) << c.name << ": the state was changed";
    }

    TMoistAirState state;
    EXPECT_EQ(ReadPsxFile(folder / "missing.psx", state).Message, "Error reading file " + (folder / "missing.psx").string());
    EXPECT_FALSE(ReadPsxFile(folder.Path(), state)) << "a folder";
}

// Finite values no air can have are refused as damaged files are, naming the field.
TEST(PsxFile, ValuesOutsideThePsychrometricRangeAreRefused)
{
    const struct {
        const char* name;
        double TMoistAirState::*field;
        double value;
        const char* problem;  // empty: read
    } cases[] = {
        {"dry bulb 1e300", &TMoistAirState::db, 1e300, "dry bulb 1E300 °C is outside -100 to 200 °C"},
        {"wet bulb below the saturation range", &TMoistAirState::wb, -100.5, "wet bulb -100.5 °C is outside -100 to 200 °C"},
        {"dew point at the top of the range", &TMoistAirState::td, 200, ""},
        {"no barometer", &TMoistAirState::P, 0, "barometer 0 kPa is outside 0.001 to 10000 kPa"},
        {"enthalpy 1e300", &TMoistAirState::h, -1e300, "enthalpy -1E300 kJ/kg is outside -1E9 to 1E9 kJ/kg"},
        {"huge mass flow", &TMoistAirState::M, 5e20, "air mass flow 5E20 kg/s is outside -1E9 to 1E9 kg/s"},
        {"a high-altitude barometer", &TMoistAirState::P, 55.0, ""},
    };
    TTempFolder folder;
    const auto path = folder / "range.psx";
    for (const auto& c : cases) {
        TMoistAirState written = SampleState();
        written.*c.field = c.value;
        ASSERT_TRUE(WritePsxFile(path, written));
        TMoistAirState state;
        state.db = 33;
        const TResult result = ReadPsxFile(path, state);
        if (std::string(c.problem).empty()) {
            EXPECT_TRUE(result) << c.name << ": " << result.Message;
            EXPECT_EQ(state.*c.field, c.value) << c.name;
            continue;
        }
        EXPECT_EQ(result.Message, "Error reading file " + path.string() + ": " + c.problem) << c.name;
        EXPECT_EQ(state.db, 33) << c.name << ": the state was changed";
    }
}

}  // namespace
}  // namespace vantor
