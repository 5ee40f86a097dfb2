// vantor-cli: the program's engineering without a window.

#include "cli/calibration_command.h"
#include "cli/commands.h"
#include "cli/fluid_commands.h"
#include "cli/geometry_commands.h"
#include "cli/info_command.h"
#include "cli/location_commands.h"
#include "cli/rate_command.h"
#include "cli/select_command.h"
#include "cli/simulate_command.h"
#include "vantor_version.h"

#ifdef VANTOR_CLI_CHARTS
#include "gui/chart/cli_chart.h"
#endif

#include <iostream>
#include <string>

int main(int argc, char** argv)
{
    CLI::App app{std::string(vantor::kProductName) + " " + vantor::kFileDescription +
                 ": rating and sizing of hot-water heating coils"};
    app.set_version_flag("--version", std::string(vantor::kProductName) + " " + vantor::kFileVersion);
    app.require_subcommand(0, 1);

    // Each command's callback stores its exit code here.
    int exitCode = vantor::cli::kExitOk;
    vantor::cli::AddInfoCommands(app, exitCode);
    vantor::cli::AddGeometryCommands(app, exitCode);
    vantor::cli::AddFluidCommands(app, exitCode);
    vantor::cli::AddRateCommands(app, exitCode);
    vantor::cli::AddSelectCommand(app, exitCode);
    vantor::cli::AddSimulateCommand(app, exitCode);
#ifdef VANTOR_CLI_CHARTS
    vantor::cli::SetSimulationChartWriter(&vantor::WriteSimulationChartFile);
#endif
    vantor::cli::AddLocationCommands(app, exitCode);
    vantor::cli::AddCalibrationCommand(app, exitCode);

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        return app.exit(e) == 0 ? vantor::cli::kExitOk : vantor::cli::kExitUsage;
    }
    if (app.get_subcommands().empty()) std::cout << app.help();
    return exitCode;
}
