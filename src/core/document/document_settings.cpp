#include "document/document_settings.h"

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

}  // namespace

TDocumentSettings ReadDocumentSettings(const TSettingsStore& key)
{
    const TDocumentSettings defaults;
    const std::string_view s = kDocumentSection;
    TDocumentSettings settings;
    settings.FileName = key.ReadString(s, "FileName", defaults.FileName);
    settings.Pressure = key.ReadFloat(s, "Pressure", defaults.Pressure);
    settings.AirOn = key.ReadString(s, "AirOn", defaults.AirOn);
    settings.AirOff = key.ReadString(s, "AirOff", defaults.AirOff);
    settings.CoilModel = key.ReadString(s, "CoilModel", defaults.CoilModel);
    settings.CoilHeight = key.ReadFloat(s, "CoilHeight", defaults.CoilHeight);
    settings.CoilLength = key.ReadFloat(s, "CoilLength", defaults.CoilLength);
    settings.CoilMaker = key.ReadString(s, "CoilMaker", defaults.CoilMaker);
    settings.CoilMR = key.ReadString(s, "CoilMR", defaults.CoilMR);
    settings.AirVelocity = key.ReadFloat(s, "AirVelocity", defaults.AirVelocity);
    settings.DesignDuty = key.ReadFloat(s, "DesignDuty", defaults.DesignDuty);
    // Any other number would leave the document in a mode it does not know.
    const int mode = key.ReadInteger(s, "CalcMode", defaults.CalcMode);
    settings.CalcMode = IsCalcMode(mode) ? mode : defaults.CalcMode;
    for (const auto& [name, field] : kFactorKeys)
        settings.Factors.*field = key.ReadFloat(s, name, defaults.Factors.*field);
    for (size_t i = 0; i < kColumnKeys.size(); ++i)
        settings.ColumnWidths[i] = key.ReadInteger(s, kColumnKeys[i], defaults.ColumnWidths[i]);
    settings.Stored = !key.ValueNames(s).empty();
    return settings;
}

void WriteDocumentSettings(TSettingsStore& key, const TDocumentSettings& settings)
{
    const std::string_view s = kDocumentSection;
    key.WriteString(s, "FileName", settings.FileName);
    key.WriteFloat(s, "Pressure", settings.Pressure);
    key.WriteString(s, "AirOn", settings.AirOn);
    key.WriteString(s, "AirOff", settings.AirOff);
    key.WriteString(s, "CoilModel", settings.CoilModel);
    key.WriteFloat(s, "CoilHeight", settings.CoilHeight);
    key.WriteFloat(s, "CoilLength", settings.CoilLength);
    key.WriteString(s, "CoilMaker", settings.CoilMaker);
    key.WriteString(s, "CoilMR", settings.CoilMR);
    key.WriteFloat(s, "AirVelocity", settings.AirVelocity);
    key.WriteFloat(s, "DesignDuty", settings.DesignDuty);
    key.WriteInteger(s, "CalcMode", settings.CalcMode);
    for (const auto& [name, field] : kFactorKeys) key.WriteFloat(s, name, settings.Factors.*field);
    for (size_t i = 0; i < kColumnKeys.size(); ++i) key.WriteInteger(s, kColumnKeys[i], settings.ColumnWidths[i]);
}

}  // namespace vantor
