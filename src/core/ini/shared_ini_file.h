#pragma once

// An INI file that other objects and other running copies of the program write too, as the
// settings files are. It is held in memory like TMemIniFile, but it remembers its own
// changes: the values it set to a text other than the one it held, and the values and
// sections it deleted. Writing back the value it already holds is no change.
//
// UpdateFile applies only those changes, in the order they were made: it takes the folder
// lock (waiting at most LockWait), reads the file as it is now, replays the changes on it,
// writes it atomically and releases the lock. Whatever others wrote meanwhile stays; a
// value both changed ends with the later UpdateFile's text. The memory copy keeps what this
// object read and wrote; it does not pick up the others' values.
//
//   TSharedIniFile ini(settingsFolder / "Vantor.ini");
//   ini.WriteInteger("ReportForm", "Left", 40);   // remembered as a change
//   ini.UpdateFile();                              // or EIniFileError "Unable to write to ..."

#include "ini/mem_ini_file.h"

#include <chrono>
#include <string>
#include <vector>

namespace vantor {

class TSharedIniFile : public TMemIniFile {
public:
    // How long UpdateFile waits for another writer to finish.
    static constexpr std::chrono::milliseconds LockWait{2000};

    explicit TSharedIniFile(std::filesystem::path fileName);

    void WriteString(std::string_view section, std::string_view name, std::string_view value) override;
    void WriteSectionValues(std::string_view section, const std::vector<std::string>& lines) override;
    void EraseSection(std::string_view section) override;
    void DeleteKey(std::string_view section, std::string_view name) override;
    // Makes the file's folder with its parents, then applies the changes under the lock.
    // Raises EIniFileError, keeping the changes for a later try, when the lock is not had in
    // time, or when the file cannot be read or written. Without changes nothing is touched.
    void UpdateFile() override;

    bool HasChanges() const { return !m_changes.empty(); }

private:
    enum class TChangeKind { SetValue, DeleteKey, EraseSection };
    struct TChange {
        TChangeKind Kind;
        std::string Section;
        std::string Name;
        std::string Value;
    };

    void Replay(TIniDocument& document) const;

    std::vector<TChange> m_changes;
};

}  // namespace vantor
