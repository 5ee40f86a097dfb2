#pragma once

// Where the program finds its installed files, keeps its settings and writes its data.
//
// Every query is a pure function of a TFolderEnvironment, so tests can describe any
// installation without touching the process. The default argument reads the running
// process afresh at each call (environment variables and /proc/self/exe).
//
// Folders are returned with a trailing separator ("/opt/Apps/Korvane/"), so a file name can
// be appended either with operator/ or as text.

#include "text/result.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace vantor {

// The settings key, the data-file "program" attribute and the calibration file all carry
// this name, whatever the executable is called: `vantor` and `vantor-cli` share them.
inline constexpr std::string_view kProgramName = "Vantor";

// The facts the folder queries depend on. An empty text stands for an unset variable.
struct TFolderEnvironment {
    std::filesystem::path ExecutablePath;  // the running executable, absolute
    std::string Home;                      // $HOME, else the passwd entry's home folder
    std::string XdgConfigHome;             // $XDG_CONFIG_HOME
    std::string XdgDataHome;               // $XDG_DATA_HOME
    std::string MakerRootOverride;         // $VANTOR_MAKER_ROOT

    static TFolderEnvironment FromProcess();
};

// The executable's folder.
std::filesystem::path ProgramFolder(const TFolderEnvironment& env = TFolderEnvironment::FromProcess());

// The root of the installed, read-only data files: $VANTOR_MAKER_ROOT; else the program folder
// up to its first segment named "korvane" in any case (the segment keeps its own case); else
// "<program folder>/../share/korvane/", or "<program folder>/../../share/korvane/" when only
// that one exists (the build tree keeps its executables one level deeper).
std::filesystem::path MakerRoot(const TFolderEnvironment& env = TFolderEnvironment::FromProcess());

// "Common Files/" in the maker root: the catalogue, help pages and location index.
std::filesystem::path SharedFilesFolder(const TFolderEnvironment& env = TFolderEnvironment::FromProcess());

// $XDG_CONFIG_HOME/Korvane/ (default ~/.config/Korvane/): the settings store's files.
// Nothing when neither the variable nor the home folder is known.
std::optional<std::filesystem::path> SettingsFolder(const TFolderEnvironment& env = TFolderEnvironment::FromProcess());

// $XDG_DATA_HOME/korvane/ (default ~/.local/share/korvane/): the user's copies of the data
// files, laid out as in the maker root. Nothing when it cannot be determined.
std::optional<std::filesystem::path> UserRoot(const TFolderEnvironment& env = TFolderEnvironment::FromProcess());

// A data file named relative to the roots ("Coils/units.ini"): the user's copy when it exists,
// else the installed one. An absolute name or one climbing out with ".." gives an empty path.
std::filesystem::path FindDataFile(const std::filesystem::path& relative,
                                   const TFolderEnvironment& env = TFolderEnvironment::FromProcess());

// A help page of the shared files ("Common Files/" in the user root, else in the maker root),
// its name matched without regard to case, so "coils.htm" finds "Coils.htm". Empty when no
// such page exists or the name is not a plain file name.
std::filesystem::path FindHelpPage(std::string_view name,
                                   const TFolderEnvironment& env = TFolderEnvironment::FromProcess());
// Where the program writes a data file named relative to the roots: always the user root,
// the installed files being read-only. Nothing for an unsafe name or an unknown user root.
std::optional<std::filesystem::path> WritableDataFile(const std::filesystem::path& relative,
                                                      const TFolderEnvironment& env = TFolderEnvironment::FromProcess());

// The user's documents folder: XDG_DOCUMENTS_DIR of user-dirs.dirs in the configuration
// folder, else ~/Documents/. Nothing without a home folder.
std::optional<std::filesystem::path> DocumentsFolder(const TFolderEnvironment& env = TFolderEnvironment::FromProcess());

inline constexpr std::string_view kNoDocumentsFolderMessage = "Could not find My Documents folder location.";

struct TDataFolder {
    std::filesystem::path Folder;  // empty when Result fails
    TResult Result;
};

// Documents + "Korvane/Vantor/", created with its parents; the home folder when it cannot be
// created. Fails with kNoDocumentsFolderMessage when there is no documents folder at all.
TDataFolder EnsureDataFolder(const TFolderEnvironment& env = TFolderEnvironment::FromProcess());
// The folder EnsureDataFolder makes, whether it exists or not; nothing is created.
TDataFolder DataFolder(const TFolderEnvironment& env = TFolderEnvironment::FromProcess());

}  // namespace vantor
