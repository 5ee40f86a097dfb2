#include "air_state/air_state_dialog.h"

#include "fluids/air_state_text.h"
#include "psychro/standard_atmosphere.h"
#include "text/number_text.h"

#include <algorithm>

namespace vantor {

namespace {

constexpr std::string_view kNewTemperature = "25/17";
constexpr std::string_view kFallbackTemperature = "24/17";
constexpr double kDefaultRH = 0.5;
constexpr int kNotPlaced = -99;
// The barometer row has five units (kPa, Psi, Bar, ...); a larger index is a stale setting.
constexpr int kLastBarometerUnit = 4;

// A remembered edge brought back onto a screen of `extent` pixels.
int OnScreen(int edge, int extent)
{
    if (edge >= -98 && edge < 0) return 0;
    if (edge > extent - 100) return extent - 200;
    return edge;
}

std::string ColKey(int col) { return "ColWidths" + std::to_string(col); }
std::string RowKey(int row) { return "Row" + std::to_string(row); }

}  // namespace

int PlaceEdge(int requested, int& pointEdge, int fallback)
{
    if (requested >= -98) pointEdge = requested;
    if (pointEdge < -98) return fallback;
    return pointEdge;
}

void TAirConDlgSettings::Read(const TSettingsStore& programKey, std::string_view section, TScreenSize screen)
{
    Stored = programKey.ValueExists(section, "FormWidth");
    FormLeft = OnScreen(programKey.ReadInteger(section, "FormLeft", kNotPlaced), screen.Width);
    FormTop = OnScreen(programKey.ReadInteger(section, "FormTop", kNotPlaced), screen.Height);
    FormWidth = programKey.ReadInteger(section, "FormWidth", FormWidth);
    FormHeight = programKey.ReadInteger(section, "FormHeight", FormHeight);
    for (int col = 0; col < static_cast<int>(ColWidths.size()); ++col)
        ColWidths[static_cast<size_t>(col)] = programKey.ReadInteger(section, ColKey(col), ColWidths[static_cast<size_t>(col)]);
    for (int row = 1; row <= kAirDlgRowCount; ++row)
        RowUnits[static_cast<size_t>(row)] = programKey.ReadInteger(section, RowKey(row), RowUnits[static_cast<size_t>(row)]);
    if (RowUnits[2] > kLastBarometerUnit) RowUnits[2] = 0;
    // Sizes kept from a larger screen, or from a value that once widened the window, fit this one.
    if (screen.Width > 0) {
        FormWidth = std::min(FormWidth, screen.Width);
        for (int& width : ColWidths) width = std::min(width, screen.Width);
    }
    if (screen.Height > 0) FormHeight = std::min(FormHeight, screen.Height);
}

void TAirConDlgSettings::Write(TSettingsStore& programKey, std::string_view section) const
{
    programKey.WriteInteger(section, "FormLeft", FormLeft);
    programKey.WriteInteger(section, "FormTop", FormTop);
    programKey.WriteInteger(section, "FormWidth", FormWidth);
    programKey.WriteInteger(section, "FormHeight", FormHeight);
    for (int col = 0; col < static_cast<int>(ColWidths.size()); ++col)
        programKey.WriteInteger(section, ColKey(col), ColWidths[static_cast<size_t>(col)]);
    for (int row = 1; row <= kAirDlgRowCount; ++row)
        programKey.WriteInteger(section, RowKey(row), RowUnits[static_cast<size_t>(row)]);
}

TAirStateDlgData::TAirStateDlgData()
{
    Point.ItemName = "Moist Air";
    Point.State.P = kStandardAtmosphere;
    SetTemperature(kNewTemperature);
}

void TAirStateDlgData::SetPressure(double kPa)
{
    Point.State.P = kPa;
    SetTemperature(std::string(m_temperatureText));
}

std::string TAirStateDlgData::Temperature() const { return FormatAirState(Point.State, "%0.1f"); }

void TAirStateDlgData::SetTemperature(std::string_view text)
{
    m_temperatureText = std::string(text);
    try {
        ParseAirState(m_temperatureText, Point.State, Point.State.P, kDefaultRH);
    } catch (const EConvertError&) {
        m_temperatureText = std::string(kFallbackTemperature);
        ParseAirState(m_temperatureText, Point.State, Point.State.P, kDefaultRH);
    }
}

void TAirStateDlgData::ReadSettings(const TSettingsStore& programKey, std::string_view section, TScreenSize screen)
{
    Settings.FormLeft = Point.FormLeft;
    Settings.FormTop = Point.FormTop;
    Settings.Read(programKey, section, screen);
    Point.FormLeft = Settings.FormLeft;
    Point.FormTop = Settings.FormTop;
}

void TAirStateDlgData::WriteSettings(TSettingsStore& programKey, std::string_view section)
{
    Settings.FormLeft = Point.FormLeft;
    Settings.FormTop = Point.FormTop;
    Settings.Write(programKey, section);
}

}  // namespace vantor
