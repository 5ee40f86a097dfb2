#include "ini/ini_file_merger.h"

#include "ini/mem_ini_file.h"
#include "text/file_io.h"
#include "text/format.h"
#include "text/number_text.h"
#include "text/text_routines.h"

namespace vantor {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view MergeSection = "InstallMerge";
constexpr std::string_view DataFilesSection = "Data files";

// A path as a value name: '%', '=', ';', '[' and line breaks are written as %XX, so no
// folder name can end the name early or turn the line into a comment or a section.
std::string PathKey(const fs::path& file)
{
    std::string key;
    for (char c : file.string()) {
        if (c == '%' || c == '=' || c == ';' || c == '[' || c == '\r' || c == '\n')
            key += Format("%%%.2x", {static_cast<unsigned char>(c)});
        else
            key += c;
    }
    return key;
}

// A folder of the list must stay inside its root.
bool IsContainedFolder(const fs::path& folder)
{
    if (folder.is_absolute()) return false;
    for (const fs::path& part : folder)
        if (part == "..") return false;
    return true;
}

bool IsRegularFile(const fs::path& file)
{
    std::error_code error;
    return fs::is_regular_file(file, error);
}

std::optional<fs::file_time_type> ModificationTime(const fs::path& file)
{
    std::error_code error;
    const auto time = fs::last_write_time(file, error);
    if (error) return std::nullopt;
    return time;
}

// "[section]" and its "name=value" lines, one a line.
std::string SectionText(const TCustomIniFile& ini, const std::string& section)
{
    std::string text = "[" + section + "]";
    for (const std::string& line : ini.ReadSectionValues(section)) text += "\n" + line;
    return text;
}

// Sections differ when the user's lacks a name of the installed one or holds another value
// for it, compared without regard to case; names only the user has do not count.
bool SectionsDiffer(const TCustomIniFile& user, const TCustomIniFile& install, const std::string& section)
{
    for (const std::string& name : install.ReadSection(section)) {
        if (!user.ValueExists(section, name)) return true;
        if (!SameText(user.ReadString(section, name, ""), install.ReadString(section, name, ""))) return true;
    }
    return false;
}

// The user's section becomes the installed one; names only the user had are lost.
void ReplaceSection(TCustomIniFile& user, const TCustomIniFile& install, const std::string& section)
{
    user.EraseSection(section);
    user.WriteSectionValues(section, install.ReadSectionValues(section));
}

bool Contains(const std::vector<std::string>& names, std::string_view name)
{
    for (const std::string& candidate : names)
        if (SameText(candidate, name)) return true;
    return false;
}

}  // namespace

TIniMergeMemory::TIniMergeMemory(fs::path iniFile) : m_ini(std::move(iniFile)) {}

std::optional<fs::file_time_type> TIniMergeMemory::MergedTime(const fs::path& installFile) const
{
    const auto ticks = ParseInteger(m_ini.ReadString(MergeSection, PathKey(installFile), ""));
    if (!ticks) return std::nullopt;
    return fs::file_time_type(fs::file_time_type::duration(*ticks));
}

TResult TIniMergeMemory::RememberMerged(const fs::path& installFile, fs::file_time_type time)
{
    try {
        m_ini.WriteString(MergeSection, PathKey(installFile), Format("%d", {time.time_since_epoch().count()}));
        m_ini.UpdateFile();
    } catch (const EIniFileError& failure) {
        return TResult::Error(TErrorCode::Failed, failure.what());
    }
    return TResult::Ok();
}

TIniFileMerger::TIniFileMerger(fs::path makerRoot, fs::path userRoot, IMergeMemory& memory)
    : m_makerRoot(std::move(makerRoot)), m_userRoot(std::move(userRoot)), m_memory(memory)
{
}

fs::path TIniFileMerger::ListFile(const fs::path& makerRoot) { return makerRoot / "Vantor.ini"; }

void TIniFileMerger::Collect()
{
    m_entries.clear();
    const TMemIniFile list(ListFile(m_makerRoot));
    for (const std::string& name : list.ReadSection(DataFilesSection)) {
        const std::string value = list.ReadString(DataFilesSection, name, "");
        const auto firstComma = value.find(',');
        const auto secondComma = firstComma == std::string::npos ? firstComma : value.find(',', firstComma + 1);
        if (secondComma == std::string::npos) continue;
        const fs::path userFolder = Trim(std::string_view(value).substr(0, firstComma));
        const fs::path installFolder = Trim(std::string_view(value).substr(firstComma + 1, secondComma - firstComma - 1));
        const fs::path fileName = name;
        // Only plain file names in folders under the two roots: the merge never writes elsewhere.
        if (fileName.has_parent_path() || fileName == "." || fileName == ".." || !IsContainedFolder(userFolder) ||
            !IsContainedFolder(installFolder))
            continue;
        m_entries.push_back({m_userRoot / userFolder / fileName, m_makerRoot / installFolder / fileName,
                             Trim(std::string_view(value).substr(secondComma + 1)), false});
    }
    for (TDataFileEntry& entry : m_entries) {
        if (!IsRegularFile(entry.UserFile)) continue;
        fs::path backup = entry.UserFile;
        backup.replace_extension(".bak");
        const auto text = ReadFileText(entry.UserFile);
        const TResult written = text ? WriteFileAtomically(backup, *text) : TResult::Error(TErrorCode::Failed, "");
        if (!written) {
            entry.BackupFailed = true;
            Report(Format("Unable to write to %s", {backup.string()}));
        }
    }
}

void TIniFileMerger::MergeAll(IInstallNotice& notice)
{
    for (auto entry = m_entries.rbegin(); entry != m_entries.rend(); ++entry) {
        // A file whose backup failed is left as it is: merging it could not be undone.
        if (entry->BackupFailed) continue;
        try {
            MergeEntry(*entry, notice);
        } catch (const std::exception& error) {
            Report(error.what());
        }
    }
}

void TIniFileMerger::MergeEntry(const TDataFileEntry& entry, IInstallNotice& notice)
{
    if (!IsRegularFile(entry.InstallFile)) return;
    const auto installTime = ModificationTime(entry.InstallFile);
    if (!installTime || m_memory.MergedTime(entry.InstallFile) == installTime) return;

    if (!IsRegularFile(entry.UserFile)) {
        if (CopyInstalled(entry)) Remember(entry.InstallFile, *installTime);
    } else if (ModificationTime(entry.UserFile) == installTime) {
        Remember(entry.InstallFile, *installTime);
    } else if (MergeFile(entry.UserFile, entry.InstallFile, notice) == TMergeOutcome::Merged) {
        Remember(entry.InstallFile, *installTime);
    }
}

bool TIniFileMerger::CopyInstalled(const TDataFileEntry& entry)
{
    const auto text = ReadFileText(entry.InstallFile);
    if (!text) {
        Report(Format("Unable to read %s", {entry.InstallFile.string()}));
        return false;
    }
    std::error_code error;
    fs::create_directories(entry.UserFile.parent_path(), error);
    const TResult written = WriteFileAtomically(entry.UserFile, *text);
    if (!written) Report(written.Message);
    return written.IsOk();
}

TIniFileMerger::TMergeOutcome TIniFileMerger::MergeFile(const fs::path& userFile, const fs::path& installFile,
                                                        IInstallNotice& notice)
{
    // An installed copy that cannot be read must not count as merged.
    if (!ReadFileText(installFile)) {
        Report(Format("Unable to read %s", {installFile.string()}));
        return TMergeOutcome::Failed;
    }
    // The user's file is changed in memory and written once at the end, so an interrupted
    // merge leaves it as it was.
    TPowerIniFile user(userFile);
    const TPowerIniFile install(installFile);
    const std::vector<std::string> userSections = user.ReadSections();
    const std::string caption = "Install notice: " + userFile.filename().string();

    TInstallChoice lastChoice = TInstallChoice::KeepUserData;
    bool acceptAll = false;
    bool decidedLater = false;
    bool changed = false;
    try {
        for (const std::string& section : install.ReadSections()) {
            if (!Contains(userSections, section)) {
                ReplaceSection(user, install, section);
                changed = true;
                continue;
            }
            if (!SectionsDiffer(user, install, section)) continue;
            TInstallChoice choice = acceptAll ? TInstallChoice::AcceptAll
                                              : notice.Ask(caption, SectionText(user, section), SectionText(install, section));
            if (choice == TInstallChoice::Closed) choice = lastChoice;
            lastChoice = choice;
            if (choice == TInstallChoice::DecideLater) {
                decidedLater = true;
                break;
            }
            acceptAll = acceptAll || choice == TInstallChoice::AcceptAll;
            if (choice != TInstallChoice::KeepUserData) {
                ReplaceSection(user, install, section);
                changed = true;
            }
        }
        // A file the merge did not change is not rewritten.
        if (changed) user.UpdateFile();
    } catch (const EIniFileError& error) {
        Report(error.what());
        return TMergeOutcome::Failed;
    }
    return decidedLater ? TMergeOutcome::DecidedLater : TMergeOutcome::Merged;
}

void TIniFileMerger::Remember(const fs::path& installFile, fs::file_time_type time)
{
    const TResult remembered = m_memory.RememberMerged(installFile, time);
    if (!remembered) Report(remembered.Message);
}

void TIniFileMerger::Report(std::string message) { m_messages.push_back(std::move(message)); }

}  // namespace vantor
