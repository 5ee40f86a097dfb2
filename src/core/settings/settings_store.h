#pragma once

// The per-user settings store: named values of four types in sections, kept in one INI file
// per key under the settings folder ($XDG_CONFIG_HOME/Korvane/).
//
// Opening a key loads its file once; reads come from memory and never create a folder or a
// file. Writes change the memory copy and are remembered as this store's changes (writing
// back the value the store holds is no change). Flush applies just those changes to the file
// as it is on disk, under the settings folder's lock (see TSharedIniFile), so two windows or
// two running copies writing the same file lose nothing of each other's; where both changed
// one value, the later Flush wins. Opening a key for a handful of values is therefore cheap,
// and a window can read and write its section freely before one Flush.
//
// Text forms are those of the INI classes: integers in decimal, booleans 0/1, floats as the
// shortest text that reads back to the same double, "." as decimal separator whatever the
// locale. A value that is missing, or whose text is not of the type asked for, reads as the
// caller's default.

#include "ini/shared_ini_file.h"
#include "settings/folders.h"
#include "text/result.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vantor {

enum class TSettingsKey {
    Program,  // Vantor.ini: the program's own settings and windows
    Shared,   // Common.ini: shared with the maker's other coil programs
    Maker,    // Korvane.ini: section "Korvane", the maker's details and the user name
};

// The file of a key; nothing when the settings folder cannot be determined.
std::optional<std::filesystem::path> SettingsKeyFile(TSettingsKey key,
                                                     const TFolderEnvironment& env = TFolderEnvironment::FromProcess());

// The INI file that stands for "the executable's INI file" (written window placements):
// Vantor.exe.ini in the settings folder, the program folder being read-only. Windows write
// it through a store, TSettingsStore(ExecutableIniFile()), like the keys.
std::optional<std::filesystem::path> ExecutableIniFile(const TFolderEnvironment& env = TFolderEnvironment::FromProcess());

inline constexpr std::string_view kNoSettingsFolderMessage = "Could not find the settings folder location.";

class TSettingsStore {
public:
    explicit TSettingsStore(TSettingsKey key, const TFolderEnvironment& env = TFolderEnvironment::FromProcess());
    // Any settings file. Without a file, reads give defaults and Flush reports the failure.
    explicit TSettingsStore(std::optional<std::filesystem::path> file);
    // Writes what Flush has not; a failure here goes unreported, so call Flush to learn of it.
    ~TSettingsStore();

    TSettingsStore(const TSettingsStore&) = delete;
    TSettingsStore& operator=(const TSettingsStore&) = delete;

    const std::filesystem::path& FileName() const { return m_ini.FileName(); }

    std::string ReadString(std::string_view section, std::string_view name, std::string_view defaultValue) const;
    int ReadInteger(std::string_view section, std::string_view name, int defaultValue) const;
    double ReadFloat(std::string_view section, std::string_view name, double defaultValue) const;
    bool ReadBool(std::string_view section, std::string_view name, bool defaultValue) const;

    void WriteString(std::string_view section, std::string_view name, std::string_view value);
    void WriteInteger(std::string_view section, std::string_view name, int value);
    void WriteFloat(std::string_view section, std::string_view name, double value);
    void WriteBool(std::string_view section, std::string_view name, bool value);

    bool SectionExists(std::string_view section) const { return m_ini.SectionExists(section); }
    bool ValueExists(std::string_view section, std::string_view name) const { return m_ini.ValueExists(section, name); }
    std::vector<std::string> ValueNames(std::string_view section) const { return m_ini.ReadSection(section); }
    void EraseSection(std::string_view section);
    void DeleteValue(std::string_view section, std::string_view name);

    // True while changes wait for a Flush.
    bool Modified() const { return m_ini.HasChanges(); }

    // Writes the changes since the last successful Flush. Fails with "Unable to write to
    // <file>" when the folder or the file cannot be written, when another program held the
    // settings lock for two seconds (the changes stay pending for a later Flush), or with the
    // first write that the file cannot hold (a name or value with a line break, say), which
    // was skipped.
    TResult Flush();

private:
    template <typename Write>
    void Change(Write&& write);

    TSharedIniFile m_ini;
    TResult m_rejectedWrite;
};

}  // namespace vantor
