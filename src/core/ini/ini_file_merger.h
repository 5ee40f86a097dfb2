#pragma once

// The start-up merge of INI data files. An installation ships new copies of the user's INI
// data files under the maker root; the merge brings their sections and values into the
// user's copies under the user root and lets the user decide, section by section, where the
// two disagree.
//
// The list of data files is section "Data files" of <maker root>/Vantor.ini: each value name
// is a file name and its value "user folder, install folder, description", the user folder
// relative to the user root and the install folder relative to the maker root.
//
// Installed files are read-only and never changed. An installed copy counts as merged once
// its modification time has been remembered (IMergeMemory); a newer installation brings the
// question back. Every user file is backed up (".bak") before the merge, and a file whose
// backup fails is left alone. Failures never stop the start-up: each is reported once in
// Messages() and the merge goes on with the next file.

#include "ini/shared_ini_file.h"
#include "text/result.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace vantor {

// The user's answer to one differing section.
enum class TInstallChoice {
    KeepUserData = 0,     // "Keep your data"
    UseInstallData = 1,   // "Use install data"
    DecideLater = 2,      // "&Decide later": stop this file, ask again at the next start
    AcceptAll = 3,        // "&Accept All": this and every later differing section of the file
    Closed = 4,           // the window closed another way: the last choice for this file
};

// Asks the user about one section that differs; the "Install notice" window implements it.
class IInstallNotice {
public:
    virtual ~IInstallNotice() = default;
    // caption: "Install notice: " + the user's file name. Each section text is "[name]"
    // followed by its "name=value" lines, one a line.
    virtual TInstallChoice Ask(const std::string& caption, const std::string& userSection,
                               const std::string& installSection) = 0;
};

// Remembers which installed copies have been merged, by their modification time.
class IMergeMemory {
public:
    virtual ~IMergeMemory() = default;
    virtual std::optional<std::filesystem::file_time_type> MergedTime(const std::filesystem::path& installFile) const = 0;
    virtual TResult RememberMerged(const std::filesystem::path& installFile, std::filesystem::file_time_type time) = 0;
};

// IMergeMemory over section "InstallMerge" of an INI file (the program's settings file),
// read when created. Each merged copy is written at once through the settings lock, and only
// that value, so nothing else of a file shared with the settings is overwritten.
class TIniMergeMemory : public IMergeMemory {
public:
    explicit TIniMergeMemory(std::filesystem::path iniFile);
    std::optional<std::filesystem::file_time_type> MergedTime(const std::filesystem::path& installFile) const override;
    TResult RememberMerged(const std::filesystem::path& installFile, std::filesystem::file_time_type time) override;

private:
    TSharedIniFile m_ini;
};

struct TDataFileEntry {
    std::filesystem::path UserFile;
    std::filesystem::path InstallFile;
    std::string Description;
    bool BackupFailed = false;
};

class TIniFileMerger {
public:
    // How the merge of one file ended.
    enum class TMergeOutcome { Merged, DecidedLater, Failed };

    TIniFileMerger(std::filesystem::path makerRoot, std::filesystem::path userRoot, IMergeMemory& memory);

    // Reads the list of data files and backs up every user file that exists.
    void Collect();
    // Merges every listed file, from the last entry to the first.
    void MergeAll(IInstallNotice& notice);
    // Merges the installed copy's sections into the user's file and writes it.
    TMergeOutcome MergeFile(const std::filesystem::path& userFile, const std::filesystem::path& installFile,
                            IInstallNotice& notice);

    const std::vector<TDataFileEntry>& Entries() const { return m_entries; }
    // The failures, one line each, for the caller to show.
    const std::vector<std::string>& Messages() const { return m_messages; }

    static std::filesystem::path ListFile(const std::filesystem::path& makerRoot);

private:
    void MergeEntry(const TDataFileEntry& entry, IInstallNotice& notice);
    bool CopyInstalled(const TDataFileEntry& entry);
    void Remember(const std::filesystem::path& installFile, std::filesystem::file_time_type time);
    void Report(std::string message);

    std::filesystem::path m_makerRoot;
    std::filesystem::path m_userRoot;
    IMergeMemory& m_memory;
    std::vector<TDataFileEntry> m_entries;
    std::vector<std::string> m_messages;
};

}  // namespace vantor
