#include "cli/info_command.h"

#include "cli/commands.h"
#include "settings/folders.h"
#include "settings/maker_info.h"
#include "settings/settings_store.h"
#include "text/format.h"
#include "vantor_version.h"

#include <nlohmann/json.hpp>

#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vantor::cli {

namespace {

// One line of the report: a label, the JSON name and the path, when it is known.
struct TInfoItem {
    const char* Label;
    const char* JsonName;
    std::optional<std::filesystem::path> Path;
};

struct TInfo {
    std::vector<TInfoItem> Folders;
    bool MaintainerMode = false;
    TResult DataFolderResult;
};

TInfo GatherInfo()
{
    const auto env = TFolderEnvironment::FromProcess();
    // Looking is all: the folder is made by the first command that writes into it.
    const TDataFolder dataFolder = DataFolder(env);
    TInfo info;
    info.Folders = {
        {"Settings folder", "settingsFolder", SettingsFolder(env)},
        {"Program key", "programKey", SettingsKeyFile(TSettingsKey::Program, env)},
        {"Shared key", "sharedKey", SettingsKeyFile(TSettingsKey::Shared, env)},
        {"Maker key", "makerKey", SettingsKeyFile(TSettingsKey::Maker, env)},
        {"Maker root", "makerRoot", MakerRoot(env)},
        {"User root", "userRoot", UserRoot(env)},
        {"Shared files folder", "sharedFilesFolder", SharedFilesFolder(env)},
        {"Data folder", "dataFolder",
         dataFolder.Result ? std::optional(dataFolder.Folder) : std::nullopt},
    };
    info.MaintainerMode = IsMaintainerMode(ReadMakerInfo(TSettingsStore(TSettingsKey::Maker, env)).User);
    info.DataFolderResult = dataFolder.Result;
    return info;
}

void PrintText(const TInfo& info)
{
    std::cout << kProductName << " " << kFileVersion << "\n";
    for (const auto& item : info.Folders)
        std::cout << Format("%-21s%s\n", {std::string(item.Label) + ":",
                                          item.Path ? item.Path->string() : std::string("(unknown)")});
    std::cout << Format("%-21s%s\n", {"Maintainer mode:", info.MaintainerMode ? "on" : "off"});
}

void PrintJson(const TInfo& info)
{
    nlohmann::ordered_json json;
    json["product"] = kProductName;
    json["version"] = kFileVersion;
    for (const auto& item : info.Folders)
        json[item.JsonName] = item.Path ? nlohmann::ordered_json(item.Path->string()) : nlohmann::ordered_json();
    json["maintainerMode"] = info.MaintainerMode;
    std::cout << json.dump(2) << "\n";
}

}  // namespace

void AddInfoCommands(CLI::App& app, int& exitCode)
{
    auto* info = app.add_subcommand("info", "Show the version, the settings and data folders, and maintainer mode");
    auto asJson = std::make_shared<bool>(false);
    info->add_flag("--json", *asJson, "Write the same as a JSON object");
    info->callback([&exitCode, asJson] {
        const TInfo gathered = GatherInfo();
        if (*asJson)
            PrintJson(gathered);
        else
            PrintText(gathered);
        if (!gathered.DataFolderResult) {
            std::cerr << gathered.DataFolderResult.Message << "\n";
            exitCode = kExitFailed;
        }
    });
}

}  // namespace vantor::cli
