#pragma once

// The rules of the program's text editor (the INI editor) that do not depend on a window:
// how lines are counted, the unsaved-work question, and where a save goes. The installed
// data files are read-only, so saving one writes the user's copy of it, which the program
// reads from then on.

#include "settings/folders.h"
#include "text/result.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace vantor {

// The lines of a text: 0 for an empty text, a final line break closing the last line
// ("a\n" is one line, "a\nb" two). "\r\n", "\n" and a lone "\r" each end one line.
int TextLineCount(std::string_view text);

// "<name without folder> not saved.\nSave now?", "File" standing for a missing name.
std::string UnsavedQuestion(const std::filesystem::path& fileName);

// Where saving fileName writes: the user's copy when the file lies in the installed files
// (the maker root), otherwise the file itself. Nothing when the user's copy has no place.
std::optional<std::filesystem::path> SaveTarget(const std::filesystem::path& fileName,
                                                const TFolderEnvironment& env = TFolderEnvironment::FromProcess());

// Writes text to the save target, replacing it whole (folders made as needed); the result's
// message names the file on failure. savedAs receives the file written.
TResult SaveEditedText(const std::filesystem::path& fileName, std::string_view text, std::filesystem::path& savedAs,
                       const TFolderEnvironment& env = TFolderEnvironment::FromProcess());

}  // namespace vantor
