#pragma once

// The D-Bus session activation file of the automation service: with it in place, the first
// call of a client starts the program ("vantor -automation"). "-regserver" writes it into
// the user's services folder, "-unregserver" removes it.

#include "settings/folders.h"
#include "text/result.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace vantor {

// $XDG_DATA_HOME/dbus-1/services/com.korvane.Vantor.service (default ~/.local/share/...);
// nothing when neither the variable nor the home folder is known.
std::optional<std::filesystem::path> ActivationFilePath(const TFolderEnvironment& env);

// The file's text: the service name and the program started for automation; nothing when
// the program's path cannot be written as an Exec word.
std::optional<std::string> ActivationFileText(const std::filesystem::path& program);

// The program's path as one word of the file's Exec line as dbus-daemon reads it, quoted when
// it holds anything but letters, digits and "/._+-"; nothing for a path holding a control
// character or bytes that are not UTF-8.
std::optional<std::string> ExecWord(std::string_view path);

// A regular file (not a link or folder) with the line "Name=com.korvane.Vantor".
bool IsActivationFile(const std::filesystem::path& file);

// Writes the file (creating its folders) for env's executable; the message names the file.
TResult RegisterServer(const TFolderEnvironment& env);
// Removes the file when IsActivationFile; anything else at that path is left and reported,
// a missing file is no failure.
TResult UnregisterServer(const TFolderEnvironment& env);

}  // namespace vantor
