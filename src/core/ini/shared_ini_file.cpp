#include "ini/shared_ini_file.h"

#include "ini/ini_folder_lock.h"
#include "text/file_io.h"
#include "text/text_routines.h"

namespace vantor {

namespace fs = std::filesystem;

TSharedIniFile::TSharedIniFile(fs::path fileName) : TMemIniFile(std::move(fileName)) {}

// Each change is applied to the memory copy first; only one that altered it is remembered,
// so saving a window whose values did not move leaves others' values of it alone.
void TSharedIniFile::WriteString(std::string_view section, std::string_view name, std::string_view value)
{
    if (!TIniDocument::IsStorable(section, name, value)) RaiseWriteError();
    if (Document().SetValue(section, name, value))
        m_changes.push_back({TChangeKind::SetValue, std::string(section), std::string(name), std::string(value)});
}

void TSharedIniFile::WriteSectionValues(std::string_view section, const std::vector<std::string>& lines)
{
    if (!TIniDocument::IsStorable(section, lines)) RaiseWriteError();
    std::string name, value;
    for (const std::string& line : lines)
        if (SplitNameValue(line, name, value)) WriteString(section, name, value);
}

void TSharedIniFile::EraseSection(std::string_view section)
{
    if (Document().EraseSection(section)) m_changes.push_back({TChangeKind::EraseSection, std::string(section), {}, {}});
}

void TSharedIniFile::DeleteKey(std::string_view section, std::string_view name)
{
    if (Document().DeleteKey(section, name))
        m_changes.push_back({TChangeKind::DeleteKey, std::string(section), std::string(name), {}});
}

void TSharedIniFile::Replay(TIniDocument& document) const
{
    for (const TChange& change : m_changes) {
        switch (change.Kind) {
        case TChangeKind::SetValue: document.SetValue(change.Section, change.Name, change.Value); break;
        case TChangeKind::DeleteKey: document.DeleteKey(change.Section, change.Name); break;
        case TChangeKind::EraseSection: document.EraseSection(change.Section); break;
        }
    }
}

void TSharedIniFile::UpdateFile()
{
    if (m_changes.empty()) return;
    const fs::path folder = FileName().parent_path();
    // A folder that cannot be made shows up as the lock that cannot be had.
    std::error_code ignored;
    if (!folder.empty()) fs::create_directories(folder, ignored);

    const TIniFolderLock lock = TIniFolderLock::Acquire(folder, LockWait);
    if (!lock.Held()) RaiseWriteError(lock.TimedOut() ? "the settings are locked by another program" : "");
    const auto text = ReadFileText(FileName());
    std::error_code error;
    // Writing over a file that exists but cannot be read would lose everything else in it.
    if (!text && fs::exists(FileName(), error)) RaiseWriteError();
    TIniDocument current = text ? TIniDocument(*text) : TIniDocument();
    const std::string before = current.Text();
    Replay(current);
    // A file whose meaning did not change is left as it was, comments and all.
    if (const std::string after = current.Text(); after != before) {
        if (!WriteFileAtomically(FileName(), after)) RaiseWriteError();
    }
    m_changes.clear();
}

}  // namespace vantor
