#include "cli/calibration_command.h"

#include "calibration/calibration_file.h"
#include "cli/commands.h"
#include "text/format.h"
#include "text/number_text.h"

#include <filesystem>
#include <iostream>
#include <memory>
#include <string>

namespace vantor::cli {

namespace {

int ShowCalibration(const std::string& fileArgument)
{
    // Looking is all: the data folder is made by the program when it writes the file.
    const std::filesystem::path file =
        fileArgument.empty() ? CalibrationFile(TFolderEnvironment::FromProcess(), false)
                             : std::filesystem::path(fileArgument);
    TCalibrationFactors factors;
    const TResult read = ReadCalibrationFile(file, factors);
    if (!read) {
        std::cerr << "vantor-cli calibration: " << read.Message << "\n";
        return read.Code == crRefused ? kExitUsage : kExitFailed;
    }
    for (int i = 0; i < kCalibrationFactorCount; ++i) {
        const auto factor = static_cast<TCalibrationFactor>(i);
        std::cout << Format("%-17s%s\n", {std::string(CalibrationFactorCaption(factor)) + ":",
                                          FormatShortest(FactorOf(factors, factor))});
    }
    return kExitOk;
}

}  // namespace

void AddCalibrationCommand(CLI::App& app, int& exitCode)
{
    auto* calibration =
        app.add_subcommand("calibration", "Show the five factors of a calibration file (default: the program's own)");
    auto file = std::make_shared<std::string>();
    calibration->add_option("FILE", *file, "The calibration file (Vantor.cal)");
    calibration->callback([&exitCode, file] { exitCode = ShowCalibration(*file); });
}

}  // namespace vantor::cli
