#include "gui/automation/activation_file.h"

#include "document/thermacoil_factory.h"
#include "text/file_io.h"

#include <system_error>

namespace vantor {

namespace fs = std::filesystem;

std::optional<fs::path> ActivationFilePath(const TFolderEnvironment& env)
{
    // The user root is "<data home>/korvane/"; the services folder sits beside it.
    const std::optional<fs::path> userRoot = UserRoot(env);
    if (!userRoot) return std::nullopt;
    const fs::path dataHome = userRoot->parent_path().parent_path();
    return dataHome / "dbus-1" / "services" / (std::string(kAutomationService) + ".service");
}

std::string ExecWord(std::string_view path)
{
    const bool plain = !path.empty() && path.find_first_not_of("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ"
                                                               "0123456789/._+-") == std::string_view::npos;
    if (plain) return std::string(path);
    // Inside single quotes everything is literal; a quote itself is closed, escaped and
    // reopened.
    std::string word = "'";
    for (const char c : path) word += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return word + "'";
}

std::string ActivationFileText(const fs::path& program)
{
    return "# Starts Vantor when a client calls its automation service (written by vantor -regserver).\n"
           "[D-BUS Service]\n"
           "Name=" +
           std::string(kAutomationService) + "\nExec=" + ExecWord(program.string()) + " -automation\n";
}

TResult RegisterServer(const TFolderEnvironment& env)
{
    const std::optional<fs::path> file = ActivationFilePath(env);
    if (!file) return TResult::Error(1, "No folder for the activation file: neither XDG_DATA_HOME nor HOME is set");
    if (env.ExecutablePath.empty()) return TResult::Error(1, "The program's own path is not known");
    std::error_code error;
    fs::create_directories(file->parent_path(), error);
    if (error) return TResult::Error(1, "Unable to create " + file->parent_path().string() + " (" + error.message() + ")");
    if (TResult written = WriteFileAtomically(*file, ActivationFileText(env.ExecutablePath)); !written) return written;
    return TResult{0, file->string()};
}

TResult UnregisterServer(const TFolderEnvironment& env)
{
    const std::optional<fs::path> file = ActivationFilePath(env);
    if (!file) return TResult::Ok();
    std::error_code error;
    fs::remove(*file, error);
    if (error) return TResult::Error(1, "Unable to remove " + file->string() + " (" + error.message() + ")");
    return TResult{0, file->string()};
}

}  // namespace vantor
