#pragma once

// The units registry: the named quantities the reports and the main window's rows are shown
// in, each with the unit the user chose. The registry is built once with the standard records
// (StandardUnitsRegistry), then loaded from "units.ini" and saved back to the user's copy at
// the end of the run.
//
//   TUnitsRegistry units = StandardUnitsRegistry();
//   units.LoadUnitsIni();
//   UnitText(units.At("liquid", "t"), true, " ", false, 82.0)   -> "82.0 °C"

#include "settings/folders.h"
#include "settings/settings_store.h"
#include "text/result.h"
#include "units/unit_rec.h"

#include <deque>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace vantor {

// The unit preferences file, relative to the maker root and to the user root.
inline constexpr std::string_view kUnitsIniName = "Coils/units.ini";
// The section of the settings store holding the liquid quantities' units.
inline constexpr std::string_view kLiquidUnitsSection = "Coils";

class TUnitsRegistry {
public:
    // Appends a record and fills its derived fields. The reference stays valid for the life
    // of the registry. units and baseUnits outside the type's table fall back to 0.
    UnitRec& RegisterUnit(std::string section, std::string key, TUnitsType type, int units, int baseUnits = 0);

    // Section and key are compared without regard to case, as in an INI file.
    UnitRec* Find(std::string_view section, std::string_view key);
    const UnitRec* Find(std::string_view section, std::string_view key) const;
    // As Find, for a record the program registered itself; raises std::out_of_range otherwise.
    UnitRec& At(std::string_view section, std::string_view key);

    const std::deque<UnitRec>& Records() const { return m_records; }
    std::deque<UnitRec>& Records() { return m_records; }

    // Reads every record's unit from the file; a missing key keeps the record's unit. A
    // missing file is no error. The result lists one message per line that could not be used
    // (naming the file and the line): values that are not unit indices or fit no unit of the
    // quantity keep the record's unit; unknown sections and keys are ignored.
    std::vector<std::string> LoadUnitsIni(const std::filesystem::path& file);
    // Writes every record's unit, leaving other sections and keys of the file as they are.
    // The file's folder is created when missing; when that fails nothing is written.
    TResult SaveUnitsIni(const std::filesystem::path& file) const;

    // "units.ini" where the program finds it: the user's copy, else the installed one.
    std::vector<std::string> LoadUnitsIni(const TFolderEnvironment& env = TFolderEnvironment::FromProcess());
    // Saved to the user's copy, started from the installed file the first time.
    TResult SaveUnitsIni(const TFolderEnvironment& env = TFolderEnvironment::FromProcess()) const;

    // The seven liquid quantities' units in the settings section "Coils" (UnitsLiquidTemp,
    // ...); a missing or unusable value keeps the record's unit.
    void LoadLiquidUnits(const TSettingsStore& store);
    void SaveLiquidUnits(TSettingsStore& store) const;

private:
    std::deque<UnitRec> m_records;
};

// The program's 75 quantities in registration order, each with its default unit.
TUnitsRegistry StandardUnitsRegistry();

}  // namespace vantor
