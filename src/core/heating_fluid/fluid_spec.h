#pragma once

// The fluid dialog's rules: ten rows (temperature, pressure, fluid, additive,
// additive volume, user-defined switch and the four properties) over the document's liquid,
// which every accepted edit changes at once, with the valid temperature range of the
// properties shown. A cancel puts the liquid back as it was when the dialog came up, its
// outlet temperature included.
//
//   TFluidSpec dialog(settings.RowUnits);
//   dialog.SetLiquid(document.Liquid());
//   dialog.Activate();
//   dialog.Rows().SetValue(1, fsrFluidType, 13LL); // Compressed Air
//   dialog.EditRow(fsrFluidType);                  // pressure row on, additive rows off

#include "fluids/liquid.h"
#include "settings/settings_store.h"
#include "rows/input_check.h"
#include "rows/property_rows.h"

#include <array>
#include <string>
#include <string_view>

namespace vantor {

enum TFluidSpecRow : int {
    fsrTemperature = 1,
    fsrPressure,
    fsrFluidType,
    fsrAdditive,
    fsrAdditiveVolume,
    fsrUserDefined,
    fsrDensity,
    fsrSpecificHeat,
    fsrViscosity,
    fsrConductivity,
};
inline constexpr int kFluidSpecRowCount = fsrConductivity;
inline constexpr std::string_view kFluidSpecSection = "FluidSpecForm";

// The range a numeric row holds its value to, in stored units (the mean temperature in °C, the
// fluid pressure in bar, the additive volume fraction, the user's density kg/m³, specific heat
// kJ/(kg·K), viscosity Pa·s and conductivity kW/(m·K)); no range for the other rows. Whatever
// else sets the liquid (data files, settings, the command line) is held to the same ranges.
TValueRange FluidSpecRowRange(int row);

// A row's unit index, entries 1 to 10 for rows 1 to 10 (entry 0 unused).
using TFluidSpecUnits = std::array<int, kFluidSpecRowCount + 1>;

// What the dialog keeps between runs beside its placement.
struct TFluidSpecSettings {
    std::array<int, 3> ColWidths{100, 100, 50};
    // Per cent for the additive volume, centipoise for the viscosity, W/(m·K) for the
    // conductivity, bar for the pressure.
    TFluidSpecUnits RowUnits{0, 0, 2, 0, 0, 1, 0, 0, 0, 3, 1};

    void Read(const TSettingsStore& programKey);
    void Write(TSettingsStore& programKey) const;
};

class TFluidSpec {
public:
    explicit TFluidSpec(const TFluidSpecUnits& rowUnits);

    TPropertyRows& Rows() { return m_rows; }
    const TPropertyRows& Rows() const { return m_rows; }
    TFluidSpecUnits RowUnits() const;

    // The liquid edited; it must outlive the dialog's use of it.
    void SetLiquid(TLiquid& liquid) { m_liquid = &liquid; }
    TLiquid* Liquid() const { return m_liquid; }

    // The dialog comes up: the liquid's values are kept for a cancel and shown, and the rules
    // applied.
    void Activate();
    // The value cell of row was accepted: the liquid takes it and the rows follow.
    void EditRow(int row);
    // The liquid back as it was at Activate.
    void Cancel();

    // "Valid range = [0.0 .. 50.0] °C", in the temperature row's unit.
    std::string RangeText() const;
    // The mean temperature lies outside the range of the properties.
    bool OutOfRange() const;

private:
    struct TBackup {
        double t = 0, tfo = 0, Pf = 0;
        std::uint8_t LiquidSpec = 0, WaterAdditive = 0;
        double AdditiveVolume = 0;
        bool UserProps = false;
        double UserRo = 0, UserCp = 0, UserMu = 0, UserKo = 0;
        std::string Caption;
    };

    void SetUpRows(const TFluidSpecUnits& rowUnits);
    void ShowLiquid();
    void ShowProperties();
    // The user-defined, additive and pressure rules on the liquid and the rows' states.
    void ApplyRules();
    double RowNumber(int row, double fallback) const;
    int RowIndex(int row, int fallback) const;

    TPropertyRows m_rows;
    TLiquid* m_liquid = nullptr;
    TBackup m_backup;
};

}  // namespace vantor
