#include "document/document_settings.h"

#include "document/document_rows.h"
#include "text/number_text.h"

#include <utility>

namespace vantor {

namespace {

constexpr std::array<std::string_view, 3> kColumnKeys = {"Col0", "Col1", "Col2"};

// Each factor with its value name.
using TFactorField = double TCalibrationFactors::*;
constexpr std::array<std::pair<std::string_view, TFactorField>, 5> kFactorKeys = {{
    {"DutyFactor", &TCalibrationFactors::Duty},
    {"AirDPFactor", &TCalibrationFactors::AirDP},
    {"FluidDPFactor", &TCalibrationFactors::FluidDP},
    {"hoFactor", &TCalibrationFactors::ho},
    {"hiFactor", &TCalibrationFactors::hi},
}};

// A factor of zero or below would rate a coil that transfers no heat, or heat backwards.
constexpr TValueRange kFactorRange{0, 0, false, true};

// A stored pressure out of range is no pressure anybody meant; the standard atmosphere is.
TValueRange PressureRange()
{
    TValueRange range = DocumentRowRange(rowBarometer);
    range.FallBack = true;
    return range;
}

}  // namespace

double ReadCheckedFloat(const TSettingsStore& key, std::string_view section, std::string_view name,
                        double defaultValue, const TValueRange& range, TInputCheck& check)
{
    if (!key.ValueExists(section, name)) return defaultValue;
    return check.Checked(name, key.ReadString(section, name, ""), defaultValue, range);
}

double StoredFloat(double value, double defaultValue, const TValueRange& range)
{
    TInputCheck unused;
    return unused.Checked("", value, defaultValue, range);
}

std::optional<TCalcMode> CalcModeOfCode(long long code)
{
    for (const TCalcMode mode : {TCalcMode::HeatingDuty, TCalcMode::CoilSize})
        if (code == CalcModeCode(mode)) return mode;
    return std::nullopt;
}

int ReadCheckedCode(const TSettingsStore& key, std::string_view section, std::string_view name, int defaultValue,
                    int count, TInputCheck& check)
{
    if (!key.ValueExists(section, name)) return defaultValue;
    const std::string text = key.ReadString(section, name, "");
    const std::optional<long long> code = ParseInteger(text);
    if (code && *code >= 0 && *code < count) return static_cast<int>(*code);
    check.Note(name, "\"" + text + "\"", "is not one of 0 to " + std::to_string(count - 1),
               std::to_string(defaultValue) + " used");
    return defaultValue;
}

TDocumentSettings ReadDocumentSettings(const TSettingsStore& key)
{
    TInputCheck ignored;
    return ReadDocumentSettings(key, ignored);
}

TDocumentSettings ReadDocumentSettings(const TSettingsStore& key, TInputCheck& check)
{
    const TDocumentSettings defaults;
    const std::string_view s = kDocumentSection;
    const auto checked = [&](std::string_view name, double defaultValue, const TValueRange& range) {
        return ReadCheckedFloat(key, s, name, defaultValue, range, check);
    };
    TDocumentSettings settings;
    settings.FileName = key.ReadString(s, "FileName", defaults.FileName);
    settings.Pressure = checked("Pressure", defaults.Pressure, PressureRange());
    settings.AirOn = key.ReadString(s, "AirOn", defaults.AirOn);
    settings.AirOff = key.ReadString(s, "AirOff", defaults.AirOff);
    settings.CoilModel = key.ReadString(s, "CoilModel", defaults.CoilModel);
    // Dimensions are checked by the geometry that takes them.
    settings.CoilHeight = checked("CoilHeight", defaults.CoilHeight, {});
    settings.CoilLength = checked("CoilLength", defaults.CoilLength, {});
    settings.CoilMaker = key.ReadString(s, "CoilMaker", defaults.CoilMaker);
    settings.CoilMR = key.ReadString(s, "CoilMR", defaults.CoilMR);
    settings.AirVelocity = checked("AirVelocity", defaults.AirVelocity, DocumentRowRange(rowAirVelocity));
    settings.DesignDuty = checked("DesignDuty", defaults.DesignDuty, DocumentRowRange(rowDesignDuty));
    // Any other number would leave the document in a mode it does not know.
    const int mode = ReadCheckedCode(key, s, "CalcMode", CalcModeCode(defaults.CalcMode), kCalcModeCount, check);
    settings.CalcMode = CalcModeOfCode(mode).value_or(defaults.CalcMode);
    for (const auto& [name, field] : kFactorKeys)
        settings.Factors.*field = checked(name, defaults.Factors.*field, kFactorRange);
    for (size_t i = 0; i < kColumnKeys.size(); ++i)
        settings.ColumnWidths[i] = key.ReadInteger(s, kColumnKeys[i], defaults.ColumnWidths[i]);
    settings.Stored = !key.ValueNames(s).empty();
    return settings;
}

void WriteDocumentSettings(TSettingsStore& key, const TDocumentSettings& settings)
{
    const std::string_view s = kDocumentSection;
    key.WriteString(s, "FileName", settings.FileName);
    const TDocumentSettings defaults;
    key.WriteFloat(s, "Pressure", StoredFloat(settings.Pressure, defaults.Pressure, PressureRange()));
    key.WriteString(s, "AirOn", settings.AirOn);
    key.WriteString(s, "AirOff", settings.AirOff);
    key.WriteString(s, "CoilModel", settings.CoilModel);
    key.WriteFloat(s, "CoilHeight", settings.CoilHeight);
    key.WriteFloat(s, "CoilLength", settings.CoilLength);
    key.WriteString(s, "CoilMaker", settings.CoilMaker);
    key.WriteString(s, "CoilMR", settings.CoilMR);
    key.WriteFloat(s, "AirVelocity",
                   StoredFloat(settings.AirVelocity, defaults.AirVelocity, DocumentRowRange(rowAirVelocity)));
    key.WriteFloat(s, "DesignDuty",
                   StoredFloat(settings.DesignDuty, defaults.DesignDuty, DocumentRowRange(rowDesignDuty)));
    key.WriteInteger(s, "CalcMode", CalcModeCode(settings.CalcMode));
    for (const auto& [name, field] : kFactorKeys)
        key.WriteFloat(s, name, StoredFloat(settings.Factors.*field, defaults.Factors.*field, kFactorRange));
    for (size_t i = 0; i < kColumnKeys.size(); ++i) key.WriteInteger(s, kColumnKeys[i], settings.ColumnWidths[i]);
}

}  // namespace vantor
