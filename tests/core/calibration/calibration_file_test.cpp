#include "calibration/calibration_file.h"

#include "support/temp_folder.h"
#include "text/file_io.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <limits>
#include <optional>
#include <string>
#include <sys/stat.h>

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

TEST(CalibrationFile, HoldsFiveLittleEndianDoublesThatReadBack)
{
    test::TTempFolder folder;
    const std::filesystem::path file = folder / "Vantor.cal";
    TCalibrationFactors factors;
    factors.Duty = 1.25;
    factors.ho = 0.5;
    factors.hi = 2;
    factors.AirDP = 0.75;
    factors.FluidDP = 3;
    ASSERT_TRUE(WriteCalibrationFile(file, factors));
    ASSERT_TRUE(WriteCalibrationFile(file, factors)) << "a read-only file is replaced all the same";

    const std::optional<std::string> bytes = ReadFileText(file);
    ASSERT_TRUE(bytes);
    EXPECT_EQ(*bytes, FileBytes(1.25, 0.5, 2, 0.75, 3));
    struct stat info {};
    ASSERT_EQ(::stat(file.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0444u);

    TCalibrationFactors read;
    ASSERT_TRUE(ReadCalibrationFile(file, read));
    EXPECT_EQ(read, factors);
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

TEST(CalibrationFile, LivesInTheProgramFolderWhenItCanBeWritten)
{
    test::TTempFolder folder;
    TFolderEnvironment env;
    env.Home = (folder / "home").string();
    std::filesystem::create_directories(folder / "bin");
    env.ExecutablePath = folder / "bin" / "vantor";
    EXPECT_EQ(CalibrationFile(env), folder / "bin" / "Vantor.cal");

    // Else the data folder, which only the writer makes.
    env.ExecutablePath = folder / "gone" / "vantor-cli";
    const std::filesystem::path expected = folder / "home" / "Documents" / "Korvane" / "Vantor" / "Vantor.cal";
    EXPECT_EQ(CalibrationFile(env, false), expected);
    EXPECT_FALSE(std::filesystem::exists(folder / "home"));
    EXPECT_EQ(CalibrationFile(env), expected);
    EXPECT_TRUE(std::filesystem::is_directory(expected.parent_path()));
}

}  // namespace
}  // namespace vantor
