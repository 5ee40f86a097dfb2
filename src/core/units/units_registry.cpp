#include "units/units_registry.h"

#include "ini/mem_ini_file.h"
#include "text/file_io.h"
#include "text/format.h"
#include "text/number_text.h"
#include "text/text_routines.h"
#include "units/unit_tables.h"

#include <algorithm>
#include <stdexcept>
#include <system_error>

namespace vantor {

namespace fs = std::filesystem;

namespace {

struct TStandardRec {
    std::string_view Section;
    std::string_view Key;
    TUnitsType UnitsType;
    int Units;
    int BaseUnits;
};

// Registration order is the order of "units.ini". Units is the default unit; BaseUnits the
// unit the model holds the value in (Pa for the air-side pressure drop, kg/s for condensate).
constexpr TStandardRec kStandardRecords[] = {
    {"fat", "height", utLengthMeasure, 3, 0},
    {"fat", "length", utLengthMeasure, 2, 0},
    {"fat", "depth", utLengthMeasure, 2, 0},
    {"fat", "fin_spacing", utFinDensity, 0, 0},
    {"fat", "tube_diameter", utLengthMeasure, 2, 0},
    {"fat", "tube_pitch", utLengthMeasure, 2, 0},
    {"fat", "fin_thickness", utLengthMeasure, 2, 0},
    {"place", "barom_pressure", utPressureBar, 0, 0},
    {"place", "altitude", utAltitude, 0, 0},
    {"place", "ambient", utTemperature, 0, 0},
    {"air", "mass_flow", utMassFlow, 0, 0},
    {"air", "vol_flow", utAirFlowPrim, 0, 0},
    {"air", "t", utTemperature, 0, 0},
    {"air", "h", utEnthalpy, 0, 0},
    {"air", "w", utHumidity, 1, 0},
    {"air", "cp", utSpecificHeat, 0, 0},
    {"air", "k", utConductivity, 0, 0},
    {"air", "rh", utProportion, 1, 0},
    {"air", "rho", utDensity, 0, 0},
    {"air", "v", utVelocity, 0, 0},
    {"air", "dp", utAirPressDrop, 1, 1},
    {"air", "dt", utTemperatureChange, 0, 0},
    {"air", "mc", utConductance, 0, 0},
    {"ref", "t", utTemperature, 0, 0},
    {"ref", "p", utPressure, 0, 1},
    {"ref", "mass_flow", utMassFlowGas, 2, 0},
    {"ref", "mass_flux", utMassFlux, 0, 0},
    {"ref", "rho", utDensity, 0, 0},
    {"ref", "h", utEnthalpy, 0, 0},
    {"ref", "dp_rate", utPressureRateLiquid, 1, 1},
    {"ref", "dp", utPressure, 0, 0},
    {"ref", "v", utVelocity, 0, 0},
    {"ref", "dt", utTemperatureChange, 0, 0},
    {"liquid", "dp", utWaterPressDrop, 0, 0},
    {"liquid", "t", utTemperature, 0, 0},
    {"liquid", "dt", utTemperatureChange, 0, 0},
    {"liquid", "vol_flow", utWaterFlow, 0, 0},
    {"liquid", "mass_flow", utMassFlow, 0, 0},
    {"liquid", "v", utVelocity, 0, 0},
    {"liquid", "rho", utDensity, 0, 0},
    {"liquid", "mc", utConductance, 0, 0},
    {"steam", "t", utTemperature, 0, 0},
    {"steam", "p", utPressureSteam, 3, 3},
    {"steam", "mass_flow", utMassFlowGas, 2, 0},
    {"steam", "dp", utPressure, 0, 0},
    {"sat", "length", utLengthPrim, 0, 0},
    {"sat", "diam", utLengthSec, 2, 0},
    {"wcc", "mass_flow", utMassFlowGas, 2, 0},
    {"wcc", "t", utTemperature, 0, 0},
    {"wcc", "dt", utTemperatureChange, 0, 0},
    {"chiller", "mass_flow", utMassFlowGas, 2, 0},
    {"chiller", "t", utTemperature, 0, 0},
    {"chiller", "dt", utTemperatureChange, 0, 0},
    {"plate", "height", utLengthPrim, 0, 0},
    {"plate", "width", utLengthPrim, 0, 0},
    {"plate", "spacing", utLengthPrim, 0, 0},
    {"barepipe", "length", utLengthPrim, 0, 0},
    {"barepipe", "diam", utLengthPrim, 0, 0},
    {"hex", "duty", utDutyPrim, 0, 0},
    {"hex", "duty_per_volflow", utEnergyPerVol, 0, 0},
    {"hex", "energy", utEnergy, 0, 0},
    {"hex", "power", utPower, 0, 0},
    {"hex", "mass", utMass, 0, 0},
    {"hex", "vol", utVolume, 1, 0},
    {"hex", "area", utArea, 0, 0},
    {"hex", "dt", utTemperatureChange, 0, 0},
    {"hex", "u_value", utHeatTransCoeff, 0, 0},
    {"hex", "pipe_conn", utLengthMeasure, 2, 2},
    {"general", "duty_rate", utDutyRate, 0, 0},
    {"general", "time", utTime, 0, 0},
    {"general", "fraction", utProportion, 0, 1},
    {"general", "proportion", utProportion, 0, 1},
    {"general", "respiration", utHeatOfRespir, 0, 0},
    {"general", "cond_rate", utCondensateRate, 0, 1},
    {"general", "ice_rate", utVelocity, 0, 0},
};

struct TLiquidUnitsKey {
    std::string_view Name;
    std::string_view Section;
    std::string_view Key;
};

constexpr TLiquidUnitsKey kLiquidUnitsKeys[] = {
    {"UnitsLiquidTemp", "liquid", "t"},
    {"UnitsLiquidChange", "liquid", "dt"},
    {"UnitsLiquidVolFlow", "liquid", "vol_flow"},
    {"UnitsLiquidMassFlow", "liquid", "mass_flow"},
    {"UnitsLiquidVel", "liquid", "v"},
    {"UnitsLiquidPipeConn", "hex", "pipe_conn"},
    {"UnitsLiquidPressDrop", "liquid", "dp"},
};

std::string UnableToWrite(const fs::path& file) { return "Unable to write to " + file.string(); }

// Reads "units.ini" line by line, so that every line it cannot use is reported with its
// number. Lines are taken as the INI classes take them: trimmed, ';' comments and empty lines
// skipped, "[name]" opens a section, "name=value" sets a value; the first section of a name
// and the first value of a name win.
class TUnitsIniReader {
public:
    TUnitsIniReader(TUnitsRegistry& registry, const fs::path& file) : m_registry(registry), m_file(file) {}

    std::vector<std::string> Read(std::string_view text)
    {
        StripByteOrderMark(text);
        int number = 0;
        while (!text.empty()) {
            const size_t end = text.find_first_of("\r\n");
            const std::string_view line = text.substr(0, end);
            ++number;
            ReadLine(number, Trim(line));
            if (end == std::string_view::npos) break;
            const bool crlf = text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n';
            text.remove_prefix(end + (crlf ? 2 : 1));
        }
        return std::move(m_messages);
    }

private:
    void ReadLine(int number, const std::string& line)
    {
        if (line.empty() || line.front() == ';') return;
        if (line.front() == '[') {
            if (line.back() != ']') {
                Report(number, "\"" + line + "\" is not a complete section name; the line is ignored");
                return;
            }
            OpenSection(number, Trim(std::string_view(line).substr(1, line.size() - 2)));
            return;
        }
        std::string name, value;
        if (!SplitNameValue(line, name, value)) {
            Report(number, "\"" + line + "\" is not a name=value line; the line is ignored");
            return;
        }
        if (!m_inSection) {
            if (!m_sectionIgnored) Report(number, "the value " + name + " lies outside any section and is ignored");
            return;
        }
        ReadValue(number, name, value);
    }

    void OpenSection(int number, const std::string& section)
    {
        m_inSection = false;
        m_sectionIgnored = true;
        const bool seen = std::any_of(m_sectionsSeen.begin(), m_sectionsSeen.end(),
                                      [&](const std::string& s) { return SameText(s, section); });
        if (seen) {
            Report(number, "the section [" + section + "] appears a second time and is ignored");
            return;
        }
        m_sectionsSeen.push_back(section);
        const auto& records = m_registry.Records();
        if (std::none_of(records.begin(), records.end(), [&](const UnitRec& r) { return SameText(r.Section, section); })) {
            Report(number, "[" + section + "] is not a section of the units registry and is ignored");
            return;
        }
        m_section = section;
        m_inSection = true;
        m_sectionIgnored = false;
        m_keysSeen.clear();
    }

    void ReadValue(int number, const std::string& name, const std::string& value)
    {
        UnitRec* rec = m_registry.Find(m_section, name);
        if (!rec) {
            Report(number, name + " is not a quantity of [" + m_section + "] and is ignored");
            return;
        }
        if (std::find(m_keysSeen.begin(), m_keysSeen.end(), rec) != m_keysSeen.end()) return;
        m_keysSeen.push_back(rec);
        const auto index = ParseInteger(value);
        if (!index) {
            Report(number, KeyText(*rec, value) + " is not a unit number; " + KeptText(*rec));
            return;
        }
        if (*index < 0 || *index >= UnitCount(rec->UnitsType)) {
            Report(number, KeyText(*rec, value) + " is not a unit of " + UnitTypeName(rec->UnitsType) + " (0 to " +
                               std::to_string(UnitCount(rec->UnitsType) - 1) + "); " + KeptText(*rec));
            return;
        }
        rec->Units = static_cast<int>(*index);
    }

    static std::string KeyText(const UnitRec& rec, const std::string& value)
    {
        return "[" + rec.Section + "] " + rec.Key + "=" + value;
    }

    static std::string KeptText(const UnitRec& rec)
    {
        const std::string label = UnitLabel(rec.UnitsType, rec.Units);
        return "the unit stays " + (label.empty() ? "unit " + std::to_string(rec.Units) : label);
    }

    void Report(int number, const std::string& text)
    {
        m_messages.push_back(Format("%s, line %d: %s", {m_file.string(), number, text}));
    }

    TUnitsRegistry& m_registry;
    const fs::path& m_file;
    std::vector<std::string> m_messages;
    std::vector<std::string> m_sectionsSeen;
    std::vector<const UnitRec*> m_keysSeen;
    std::string m_section;
    bool m_inSection = false;
    bool m_sectionIgnored = false;
};

}  // namespace

UnitRec& TUnitsRegistry::RegisterUnit(std::string section, std::string key, TUnitsType type, int units, int baseUnits)
{
    UnitRec& rec = m_records.emplace_back();
    rec.Section = std::move(section);
    rec.Key = std::move(key);
    rec.UnitsType = type;
    rec.Units = units;
    rec.BaseUnits = baseUnits;
    rec.DefaultUnits = units;
    RefreshUnitRec(rec);
    rec.DefaultUnits = rec.Units;
    return rec;
}

template <typename Records>
auto* FindRecord(Records& records, std::string_view section, std::string_view key)
{
    auto found = std::find_if(records.begin(), records.end(), [&](const UnitRec& rec) {
        return SameText(rec.Key, key) && SameText(rec.Section, section);
    });
    return found == records.end() ? nullptr : &*found;
}

UnitRec* TUnitsRegistry::Find(std::string_view section, std::string_view key)
{
    return FindRecord(m_records, section, key);
}

const UnitRec* TUnitsRegistry::Find(std::string_view section, std::string_view key) const
{
    return FindRecord(m_records, section, key);
}

UnitRec& TUnitsRegistry::At(std::string_view section, std::string_view key)
{
    UnitRec* rec = Find(section, key);
    if (!rec) throw std::out_of_range("No units record " + std::string(section) + " " + std::string(key));
    return *rec;
}

std::vector<std::string> TUnitsRegistry::LoadUnitsIni(const fs::path& file)
{
    std::error_code error;
    if (!fs::exists(file, error)) return {};
    const auto text = ReadFileText(file);
    if (!text) return {"Error reading file " + file.string()};
    return TUnitsIniReader(*this, file).Read(*text);
}

TResult TUnitsRegistry::SaveUnitsIni(const fs::path& file) const
{
    std::error_code error;
    if (file.has_parent_path()) fs::create_directories(file.parent_path(), error);
    if (error) return TResult::Error(TErrorCode::Failed, UnableToWrite(file));
    try {
        TMemIniFile ini(file);
        for (const UnitRec& rec : m_records) ini.WriteInteger(rec.Section, rec.Key, rec.Units);
        ini.UpdateFile();
    } catch (const EIniFileError&) {
        return TResult::Error(TErrorCode::Failed, UnableToWrite(file));
    }
    return TResult::Ok();
}

std::vector<std::string> TUnitsRegistry::LoadUnitsIni(const TFolderEnvironment& env)
{
    return LoadUnitsIni(FindDataFile(fs::path(kUnitsIniName), env));
}

TResult TUnitsRegistry::SaveUnitsIni(const TFolderEnvironment& env) const
{
    const auto target = WritableDataFile(fs::path(kUnitsIniName), env);
    if (!target) return TResult::Error(TErrorCode::Failed, "Could not find the folder for " + std::string(kUnitsIniName));
    // The first save starts from the installed file, so keys other programs keep there stay.
    std::error_code error;
    const fs::path installed = MakerRoot(env) / kUnitsIniName;
    if (!fs::exists(*target, error) && fs::exists(installed, error)) {
        fs::create_directories(target->parent_path(), error);
        fs::copy_file(installed, *target, error);
    }
    return SaveUnitsIni(*target);
}

void TUnitsRegistry::LoadLiquidUnits(const TSettingsStore& store)
{
    for (const TLiquidUnitsKey& entry : kLiquidUnitsKeys) {
        UnitRec* rec = Find(entry.Section, entry.Key);
        if (!rec) continue;
        const int units = store.ReadInteger(kLiquidUnitsSection, entry.Name, rec->Units);
        if (IsValidUnit(rec->UnitsType, units)) rec->Units = units;
    }
}

void TUnitsRegistry::SaveLiquidUnits(TSettingsStore& store) const
{
    for (const TLiquidUnitsKey& entry : kLiquidUnitsKeys)
        if (const UnitRec* rec = Find(entry.Section, entry.Key))
            store.WriteInteger(kLiquidUnitsSection, entry.Name, rec->Units);
}

TUnitsRegistry StandardUnitsRegistry()
{
    TUnitsRegistry registry;
    for (const TStandardRec& rec : kStandardRecords)
        registry.RegisterUnit(std::string(rec.Section), std::string(rec.Key), rec.UnitsType, rec.Units, rec.BaseUnits);
    return registry;
}

}  // namespace vantor
