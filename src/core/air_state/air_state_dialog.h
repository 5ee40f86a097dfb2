#pragma once

// The air state dialog component: what a window that edits air owns between openings of the
// air state calculator (the point edited, the caption, what may be edited, where the window
// stood, its size, column widths and row units), with the rules of its barometer and "db/wb"
// text.

#include "psychro/moist_air_state.h"
#include "settings/settings_store.h"
#include "settings/window_placement.h"

#include <array>
#include <string>
#include <string_view>

namespace vantor {

inline constexpr int kAirDlgRowCount = 12;

// One named state: what the calculator edits. FormLeft and FormTop are where its window last
// stood; -99 means not set.
struct TPsyPoint {
    std::string ItemName;
    TMoistAirState State{};
    int FormLeft = -99;
    int FormTop = -99;
};

// A row's unit index, entries 1 to 12 for rows 1 to 12 (entry 0 unused).
using TAirRowUnits = std::array<int, kAirDlgRowCount + 1>;

// Everything about the calculator a dialog component keeps between runs, in the program's
// settings under a section named after the component.
struct TAirConDlgSettings {
    int FormLeft = -99;
    int FormTop = -99;
    int FormWidth = 216;
    int FormHeight = 295;
    std::array<int, 3> ColWidths{85, 70, 52};
    // Relative and absolute humidity in their second unit (%, g/kg).
    TAirRowUnits RowUnits{0, 0, 0, 0, 0, 0, 1, 1, 0, 0, 0, 0, 0};
    // The size and widths come from the settings, not the defaults.
    bool Stored = false;

    // The stored values over the present ones. A left edge between -98 and -1 becomes 0, one
    // beyond the screen width less 100 becomes the screen width less 200 (the same for the top
    // with the height); a barometer unit above 4 becomes 0.
    void Read(const TSettingsStore& programKey, std::string_view section, TScreenSize screen);
    void Write(TSettingsStore& programKey, std::string_view section) const;
};

// Where a window opens along one axis: a requested edge of -98 or more is kept as the
// point's edge; the point's edge when it has one; else fallback (the mouse position).
int PlaceEdge(int requested, int& pointEdge, int fallback);

// The component's own values. A new one edits "Moist Air" at 25/17 and the standard atmosphere.
class TAirStateDlgData {
public:
    TAirStateDlgData();

    std::string Caption = "Moist Air State";
    TPsyPoint Point;
    bool EditItemName = true;
    bool EditPressure = true;
    bool Modal = false;
    TAirConDlgSettings Settings;

    // The point's barometer, kPa.
    double Pressure() const { return Point.State.P; }
    // The temperature text is read again at the new barometer, so its dry and wet bulb stay.
    void SetPressure(double kPa);
    // "%0.1f/%0.1f" of the point's dry and wet bulb.
    std::string Temperature() const;
    // Read at the point's barometer (relative humidity 0.5 without a wet bulb); text that is
    // no air text gives way to "24/17".
    void SetTemperature(std::string_view text);

    // The settings with the point's position.
    void ReadSettings(const TSettingsStore& programKey, std::string_view section, TScreenSize screen);
    void WriteSettings(TSettingsStore& programKey, std::string_view section);

private:
    std::string m_temperatureText;
};

}  // namespace vantor
