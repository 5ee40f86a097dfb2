#include "calibration/calibration_file.h"

#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <limits>
#include <string>

namespace vantor {
namespace {

// The file as another program would write it: duty, outside film, inside film, air drop and
// fluid drop factor, each eight bytes, least significant first.
std::string FileBytes(double duty, double ho, double hi, double airDrop, double fluidDrop)
{
    std::string bytes;
    for (const double value : {duty, ho, hi, airDrop, fluidDrop}) {
        const auto bits = std::bit_cast<std::uint64_t>(value);
        for (int b = 0; b < 8; ++b) bytes.push_back(static_cast<char>(bits >> (8 * b)));
    }
    return bytes;
}

void Put(const std::filesystem::path& file, const std::string& bytes)
{
    std::ofstream(file, std::ios::binary) << bytes;
}

TEST(CalibrationFile, ReadsWhatTheWriterWrote)
{
    test::TTempFolder folder;
    const std::filesystem::path file = folder / "Vantor.cal";
    TCalibrationFactors written;
    written.Duty = 1.0003;
    written.ho = 0.98;
    written.hi = 1.12;
    written.AirDP = 1.001;
    written.FluidDP = 0.999;
    ASSERT_TRUE(WriteCalibrationFile(file, written));
    TCalibrationFactors read;
    ASSERT_TRUE(ReadCalibrationFile(file, read));
    EXPECT_EQ(read, written);

    // Another program's file, in the file's own order.
    Put(file.parent_path() / "other.cal", FileBytes(1.5, 2, 3, 4, 5));
    ASSERT_TRUE(ReadCalibrationFile(file.parent_path() / "other.cal", read));
    EXPECT_EQ(read.Duty, 1.5);
    EXPECT_EQ(read.ho, 2);
    EXPECT_EQ(read.hi, 3);
    EXPECT_EQ(read.AirDP, 4);
    EXPECT_EQ(read.FluidDP, 5);
}

TEST(CalibrationFile, RefusesAFileThatDoesNotHoldFiveUsableFactors)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const std::string good = FileBytes(1, 1, 1, 1, 1);
    const struct {
        std::string Bytes;
        std::string Message;
    } cases[] = {
        {"", "a calibration file holds 40 bytes (five factors), this one 0"},
        {good.substr(0, 39), "a calibration file holds 40 bytes (five factors), this one 39"},
        {good + '\0', "a calibration file holds 40 bytes (five factors), this one 41"},
        {FileBytes(nan, 1, 1, 1, 1), "the Q Factor is not a finite number (NAN)"},
        {FileBytes(1, inf, 1, 1, 1), "the ho Factor is not a finite number (INF)"},
        {FileBytes(1, 1, -inf, 1, 1), "the hi Factor is not a finite number (-INF)"},
        {FileBytes(1, 1, 1, 0, 1), "the ADP Factor is not positive (0)"},
        {FileBytes(1, 1, 1, 1, -0.5), "the Fluid DP Factor is not positive (-0.5)"},
        {FileBytes(1, 1, 1, 1, -0.0), "the Fluid DP Factor is not positive (-0)"},
    };
    for (const auto& c : cases) {
        TCalibrationFactors factors;
        factors.hi = 2;
        const TResult result = ReadCalibrationBytes(c.Bytes, factors);
        EXPECT_EQ(result.Code, crRefused) << c.Message;
        EXPECT_EQ(result.Message, c.Message);
        EXPECT_EQ(factors.hi, 2) << "a refused file changes nothing: " << c.Message;
    }

    test::TTempFolder folder;
    TCalibrationFactors factors;
    Put(folder / "nan.cal", FileBytes(1, 1, nan, 1, 1));
    TResult result = ReadCalibrationFile(folder / "nan.cal", factors);
    EXPECT_EQ(result.Code, crRefused);
    EXPECT_EQ(result.Message, (folder / "nan.cal").string() + ": the hi Factor is not a finite number (NAN)");

    Put(folder / "large.cal", std::string(5000, 'x'));
    result = ReadCalibrationFile(folder / "large.cal", factors);
    EXPECT_EQ(result.Code, crRefused) << "a large file is read as far as its size";
    EXPECT_EQ(result.Message,
              (folder / "large.cal").string() + ": a calibration file holds 40 bytes (five factors), this one 5000");

    result = ReadCalibrationFile(folder / "gone.cal", factors);
    EXPECT_EQ(result.Code, crUnreadable);
    EXPECT_EQ(result.Message, (folder / "gone.cal").string() + " does not exist");
    result = ReadCalibrationFile(folder.Path(), factors);
    EXPECT_EQ(result.Code, crUnreadable) << "a folder is not refused as a wrong size";
}

TEST(CalibrationFile, LookingForTheFileMakesNoFolder)
{
    test::TTempFolder folder;
    TFolderEnvironment env;
    env.ExecutablePath = folder / "gone" / "vantor-cli";
    env.Home = (folder / "home").string();
    const std::filesystem::path expected = folder / "home" / "Documents" / "Korvane" / "Vantor" / "Vantor.cal";
    EXPECT_EQ(CalibrationFile(env, false), expected);
    EXPECT_FALSE(std::filesystem::exists(folder / "home"));
    EXPECT_EQ(CalibrationFile(env), expected);
    EXPECT_TRUE(std::filesystem::is_directory(expected.parent_path()));
}

}  // namespace
}  // namespace vantor
