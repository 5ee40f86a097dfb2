// Runs `vantor-cli calibration`, which shows the factors a calibration file holds.

#include "cli_test_support.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <fstream>
#include <string>

namespace {

class CalibrationCommand : public vantor::test::TCliTest {
protected:
    // Five little-endian doubles: duty, outside film, inside film, air drop, fluid drop.
    std::string Write(const std::string& name, std::initializer_list<double> values) const
    {
        std::string bytes;
        for (const double value : values) {
            const auto bits = std::bit_cast<std::uint64_t>(value);
            for (int b = 0; b < 8; ++b) bytes.push_back(static_cast<char>(bits >> (8 * b)));
        }
        const std::string file = (m_base / name).string();
        std::ofstream(file, std::ios::binary) << bytes;
        return file;
    }
};

TEST_F(CalibrationCommand, PrintsTheFactorsByCaptionOrRefusesTheFile)
{
    const vantor::test::TRun run = RunOk({"calibration", Write("Vantor.cal", {1.0003, 0.98, 1.12, 1.001, 0.999})});
    EXPECT_EQ(run.out,
              "Q Factor:        1.0003\n"
              "ADP Factor:      1.001\n"
              "Fluid DP Factor: 0.999\n"
              "ho Factor:       0.98\n"
              "hi Factor:       1.12\n");

    const std::string negative = Write("negative.cal", {1, 1, 1, 1, -2});
    const vantor::test::TRun refused = Run({"calibration", negative});
    EXPECT_EQ(refused.exitCode, 2);
    EXPECT_EQ(refused.out, "");
    EXPECT_EQ(refused.err, "vantor-cli calibration: " + negative + ": the Fluid DP Factor is not positive (-2)\n");

    const vantor::test::TRun shortFile = Run({"calibration", Write("short.cal", {1, 1})});
    EXPECT_EQ(shortFile.exitCode, 2);
    EXPECT_NE(shortFile.err.find("this one 16"), std::string::npos) << shortFile.err;

    const vantor::test::TRun missing = Run({"calibration", (m_base / "gone.cal").string()});
    EXPECT_EQ(missing.exitCode, 1) << "a file that cannot be read is a failure, as for the other commands";
    EXPECT_NE(missing.err.find("gone.cal does not exist"), std::string::npos) << missing.err;

    const vantor::test::TRun help = Run({"--help"});
    EXPECT_NE(help.out.find("calibration"), std::string::npos) << help.out;
}

}  // namespace
