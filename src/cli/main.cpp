// vantor-cli: the program's engineering without a window.

#include "vantor_version.h"

#include <CLI/CLI.hpp>

#include <iostream>
#include <string>

int main(int argc, char** argv)
{
    CLI::App app{std::string(vantor::kProductName) + " " + vantor::kFileDescription +
                 ": rating and sizing of hot-water heating coils"};
    app.set_version_flag("--version", std::string(vantor::kProductName) + " " + vantor::kFileVersion);
    app.require_subcommand(0, 1);

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        return app.exit(e) == 0 ? 0 : 2;
    }
    if (app.get_subcommands().empty()) {
        std::cout << app.help();
    }
    return 0;
}
