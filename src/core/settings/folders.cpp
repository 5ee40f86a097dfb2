#include "settings/folders.h"

#include "text/file_io.h"
#include "text/text_routines.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <pwd.h>
#include <system_error>
#include <unistd.h>
#include <vector>

namespace vantor {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kMakerName = "korvane";
constexpr std::string_view kMakerFolderName = "Korvane";

std::string EnvironmentText(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::string PasswdHome()
{
    const passwd* entry = ::getpwuid(::getuid());
    return entry && entry->pw_dir ? entry->pw_dir : "";
}

// A folder with exactly one trailing separator, so that names can be appended as text too.
fs::path AsFolder(const fs::path& folder)
{
    return folder.empty() ? folder : (folder / "").lexically_normal();
}

bool IsFolder(const fs::path& folder)
{
    std::error_code ec;
    return fs::is_directory(folder, ec);
}

// The base-directory variables count only when they hold an absolute path; anything else is
// ignored, as the XDG rules ask.
std::optional<fs::path> XdgFolder(const std::string& variable, const std::string& home,
                                  const fs::path& homeDefault)
{
    if (!variable.empty() && fs::path(variable).is_absolute()) return AsFolder(variable);
    if (!home.empty()) return AsFolder(fs::path(home) / homeDefault);
    return std::nullopt;
}

std::optional<fs::path> ConfigHome(const TFolderEnvironment& env)
{
    return XdgFolder(env.XdgConfigHome, env.Home, ".config");
}

// A relative name that stays inside the folder it is appended to.
bool IsContainedName(const fs::path& relative)
{
    if (relative.empty() || !relative.is_relative()) return false;
    for (const auto& part : relative)
        if (part == "..") return false;
    return true;
}

// The value of one `XDG_DOCUMENTS_DIR="$HOME/Documents"` line, written by xdg-user-dirs with
// backslash escapes inside the quotes. Only "$HOME/..." and absolute paths are valid.
std::optional<fs::path> UserDirValue(std::string_view value, const std::string& home)
{
    std::string text;
    if (!value.empty() && value.front() == '"') {
        bool closed = false;
        for (size_t i = 1; i < value.size(); ++i) {
            if (value[i] == '\\' && i + 1 < value.size()) {
                text += value[++i];
            } else if (value[i] == '"') {
                closed = true;
                break;
            } else {
                text += value[i];
            }
        }
        if (!closed) return std::nullopt;
    } else {
        text = Trim(value);
    }
    constexpr std::string_view homeVariable = "$HOME";
    if (text.starts_with(homeVariable)) {
        const std::string rest = text.substr(homeVariable.size());
        if (!rest.empty() && rest.front() != '/') return std::nullopt;
        return AsFolder(fs::path(home + rest));
    }
    if (fs::path(text).is_absolute()) return AsFolder(text);
    return std::nullopt;
}

std::optional<fs::path> DocumentsFromUserDirs(const fs::path& userDirsFile, const std::string& home)
{
    const auto content = ReadFileText(userDirsFile, 1024 * 1024);
    if (!content) return std::nullopt;
    constexpr std::string_view key = "XDG_DOCUMENTS_DIR=";
    std::optional<fs::path> documents;
    // As when the file is sourced by a shell, the last valid assignment wins.
    for (const std::string& rawLine : SplitToArray(*content, '\n')) {
        const std::string line = Trim(rawLine);
        if (!line.starts_with(key)) continue;
        if (auto folder = UserDirValue(std::string_view(line).substr(key.size()), home)) documents = folder;
    }
    return documents;
}

}  // namespace

TFolderEnvironment TFolderEnvironment::FromProcess()
{
    TFolderEnvironment env;
    std::error_code ec;
    env.ExecutablePath = fs::read_symlink("/proc/self/exe", ec);
    // Without /proc the working folder stands in for the program folder.
    if (ec) env.ExecutablePath = fs::current_path(ec) / kProgramName;
    env.Home = EnvironmentText("HOME");
    if (env.Home.empty()) env.Home = PasswdHome();
    env.XdgConfigHome = EnvironmentText("XDG_CONFIG_HOME");
    env.XdgDataHome = EnvironmentText("XDG_DATA_HOME");
    env.MakerRootOverride = EnvironmentText("VANTOR_MAKER_ROOT");
    return env;
}

fs::path ProgramFolder(const TFolderEnvironment& env)
{
    return AsFolder(env.ExecutablePath.parent_path());
}

fs::path MakerRoot(const TFolderEnvironment& env)
{
    if (!env.MakerRootOverride.empty()) return AsFolder(env.MakerRootOverride);

    const fs::path programFolder = ProgramFolder(env);
    fs::path prefix;
    for (const auto& part : programFolder) {
        prefix /= part;
        if (SameText(part.string(), kMakerName)) return AsFolder(prefix);
    }

    const fs::path installed = AsFolder(programFolder / ".." / "share" / kMakerName);
    const fs::path buildTree = AsFolder(programFolder / ".." / ".." / "share" / kMakerName);
    if (!IsFolder(installed) && IsFolder(buildTree)) return buildTree;
    return installed;
}

fs::path SharedFilesFolder(const TFolderEnvironment& env)
{
    return MakerRoot(env) / "Common Files" / "";
}

std::optional<fs::path> SettingsFolder(const TFolderEnvironment& env)
{
    const auto configHome = ConfigHome(env);
    if (!configHome) return std::nullopt;
    return *configHome / kMakerFolderName / "";
}

std::optional<fs::path> UserRoot(const TFolderEnvironment& env)
{
    const auto dataHome = XdgFolder(env.XdgDataHome, env.Home, fs::path(".local") / "share");
    if (!dataHome) return std::nullopt;
    return *dataHome / kMakerName / "";
}

fs::path FindDataFile(const fs::path& relative, const TFolderEnvironment& env)
{
    if (!IsContainedName(relative)) return {};
    if (const auto userCopy = WritableDataFile(relative, env)) {
        std::error_code ec;
        if (fs::exists(*userCopy, ec)) return *userCopy;
    }
    return MakerRoot(env) / relative;
}

namespace {

bool SameNameAnyCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

// The file of folder named name in any case; the exact name first.
fs::path FileAnyCase(const fs::path& folder, std::string_view name)
{
    std::error_code ec;
    if (fs::is_regular_file(folder / name, ec)) return folder / name;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
        if (SameNameAnyCase(it->path().filename().string(), name) && it->is_regular_file(ec)) return it->path();
    return {};
}

}  // namespace

fs::path FindHelpPage(std::string_view name, const TFolderEnvironment& env)
{
    const fs::path relative(name);
    if (name.empty() || relative.has_parent_path() || !IsContainedName(relative)) return {};
    const fs::path shared = "Common Files";
    if (const auto userRoot = UserRoot(env))
        if (fs::path page = FileAnyCase(*userRoot / shared, name); !page.empty()) return page;
    return FileAnyCase(MakerRoot(env) / shared, name);
}

std::optional<fs::path> WritableDataFile(const fs::path& relative, const TFolderEnvironment& env)
{
    if (!IsContainedName(relative)) return std::nullopt;
    const auto userRoot = UserRoot(env);
    if (!userRoot) return std::nullopt;
    return *userRoot / relative;
}

std::optional<fs::path> DocumentsFolder(const TFolderEnvironment& env)
{
    // "$HOME" in user-dirs.dirs and the default both need the home folder.
    if (env.Home.empty()) return std::nullopt;
    if (const auto configHome = ConfigHome(env))
        if (auto documents = DocumentsFromUserDirs(*configHome / "user-dirs.dirs", env.Home)) return documents;
    return AsFolder(fs::path(env.Home) / "Documents");
}

TDataFolder DataFolder(const TFolderEnvironment& env)
{
    const auto documents = DocumentsFolder(env);
    if (!documents) return {{}, TResult::Error(TErrorCode::Failed, std::string(kNoDocumentsFolderMessage))};
    return {*documents / kMakerFolderName / kProgramName / "", TResult::Ok()};
}

TDataFolder EnsureDataFolder(const TFolderEnvironment& env)
{
    const TDataFolder planned = DataFolder(env);
    if (!planned.Result) return planned;
    const fs::path& folder = planned.Folder;
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (!ec && IsFolder(folder)) return {folder, TResult::Ok()};
    return {AsFolder(env.Home), TResult::Ok()};
}

}  // namespace vantor
