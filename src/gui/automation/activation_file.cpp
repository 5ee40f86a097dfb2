#include "gui/automation/activation_file.h"

#include "automation/thermacoil_factory.h"
#include "text/code_page.h"
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

std::optional<std::string> ExecWord(std::string_view path)
{
    // The file is UTF-8 text, one key a line: a control character or a malformed byte cannot
    // be written into it.
    if (path.empty() || CheckXmlText(path) != TXmlTextFault::None || path.find('\t') != std::string_view::npos ||
        path.find_first_of("\r\n") != std::string_view::npos)
        return std::nullopt;
    const bool plain = path.find_first_not_of("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ"
                                              "0123456789/._+-") == std::string_view::npos;
    if (plain) return std::string(path);
    // dbus-daemon reads the value with the key file escapes ("\\" is one backslash, and any
    // other backslash spoils the whole file), then splits it as a shell does. So the word is
    // single-quoted, where everything is literal, a quote itself is written as a double-quoted
    // "'" between two single-quoted runs, and each backslash is doubled for the key file.
    std::string word = "'";
    for (const char c : path) {
        if (c == '\'')
            word += "'\"'\"'";
        else if (c == '\\')
            word += "\\\\";
        else
            word += c;
    }
    return word + "'";
}

std::optional<std::string> ActivationFileText(const fs::path& program)
{
    const std::optional<std::string> exec = ExecWord(program.string());
    if (!exec) return std::nullopt;
    return "# Starts Vantor when a client calls its automation service (written by vantor -regserver).\n"
           "[D-BUS Service]\n"
           "Name=" +
           std::string(kAutomationService) + "\nExec=" + *exec + " -automation\n";
}

bool IsActivationFile(const fs::path& file)
{
    std::error_code error;
    if (!fs::is_regular_file(fs::symlink_status(file, error))) return false;
    const std::optional<std::string> text = ReadFileText(file, 64 * 1024);
    if (!text) return false;
    const std::string name = "Name=" + std::string(kAutomationService);
    for (std::size_t start = 0; start <= text->size();) {
        std::size_t end = text->find('\n', start);
        if (end == std::string::npos) end = text->size();
        std::string_view line(text->data() + start, end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line == name) return true;
        start = end + 1;
    }
    return false;
}

TResult RegisterServer(const TFolderEnvironment& env)
{
    const std::optional<fs::path> file = ActivationFilePath(env);
    if (!file) return TResult::Error(TErrorCode::Failed, "No folder for the activation file: neither XDG_DATA_HOME nor HOME is set");
    if (env.ExecutablePath.empty()) return TResult::Error(TErrorCode::Failed, "The program's own path is not known");
    std::error_code error;
    fs::create_directories(file->parent_path(), error);
    if (error) return TResult::Error(TErrorCode::Failed, "Unable to create " + file->parent_path().string() + " (" + error.message() + ")");
    const std::optional<std::string> text = ActivationFileText(env.ExecutablePath);
    if (!text)
        return TResult::Error(TErrorCode::Failed, "The program's path " + env.ExecutablePath.string() +
                                     " holds a control character or is not UTF-8; the bus could not start it from there");
    if (TResult written = WriteFileAtomically(*file, *text); !written) return written;
    return TResult{0, file->string()};
}

TResult UnregisterServer(const TFolderEnvironment& env)
{
    const std::optional<fs::path> file = ActivationFilePath(env);
    if (!file) return TResult::Ok();
    std::error_code error;
    const fs::file_status status = fs::symlink_status(*file, error);
    if (!fs::exists(status)) return TResult{0, file->string()};
    // Only a file this program wrote goes: not a folder, a link or someone else's file.
    if (!IsActivationFile(*file))
        return TResult::Error(TErrorCode::Failed, file->string() + " is not an activation file of " + std::string(kAutomationService) +
                                     "; it is left in place");
    fs::remove(*file, error);
    if (error) return TResult::Error(TErrorCode::Failed, "Unable to remove " + file->string() + " (" + error.message() + ")");
    return TResult{0, file->string()};
}

}  // namespace vantor
