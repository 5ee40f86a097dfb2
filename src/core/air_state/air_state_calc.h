#pragma once

// The air state calculator: all properties of one moist-air state in twelve rows (a name,
// the barometer and eleven properties), any of which the user may change. The state is then
// recomputed from the two independent properties edited last (TAirCombin); a state the
// library cannot form, or one that fails CheckAirState, stays shown with its message until a
// valid edit, and leaving the window brings back the last valid state.
//
//   TPsyPoint point{"On Coil"};
//   ParseAirState("24/17", point.State, kStandardAtmosphere, 0.5);
//   TAirStateCalc calc(point, {});
//   calc.Activate();                                // "Ready..."
//   calc.Rows().EnterText(asrRelHumidity, "60");    // the user's text, in the row's unit
//   calc.EditRow(asrRelHumidity);                   // (RH, db): code 3, rows 3 and 7 marked

#include "fluids/air_combin.h"
#include "air_state/air_state_dialog.h"
#include "psychro/moist_air_state.h"
#include "text/result.h"
#include "rows/property_rows.h"

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace vantor {

enum TAirStateRow : int {
    asrName = 1,
    asrPressure,
    asrDryBulb,
    asrWetBulb,
    asrEnthalpy,
    asrHumidity,
    asrRelHumidity,
    asrDewPoint,
    asrVapPressure,
    asrSatPressure,
    asrDensity,
    asrSpecificHeat,
};
inline constexpr int kAirStateRowCount = asrSpecificHeat;

inline constexpr std::string_view kAirStateReady = "Ready...";
inline constexpr std::string_view kInvalidAirState = "Invalid air state";
inline constexpr std::string_view kCantSaveInvalidData = "Can\"t save invalid data...";

class TAirStateCalc {
public:
    // The rows as the window shows them; the name row is editable with editItemName, the
    // pressure row with editPressure, and rowUnits choose each row's unit.
    TAirStateCalc(TPsyPoint& point, const TAirRowUnits& rowUnits, bool editItemName = true, bool editPressure = true);

    TPropertyRows& Rows() { return m_rows; }
    const TPropertyRows& Rows() const { return m_rows; }
    TPsyPoint& Point() { return m_point; }
    const TMoistAirState& BackupState() const { return m_backup; }
    TAirCombin& Combination() { return m_combination; }
    // "Ready..." while the shown state is valid; otherwise why it is not.
    const std::string& Status() const { return m_status; }
    bool Ready() const { return m_status == kAirStateReady; }
    TAirRowUnits RowUnits() const;

    // The point's name or state was changed by the user: the name, a valid state, a pasted
    // or loaded one.
    std::function<void()> OnEditAirconItem;

    // The window comes up: rows from the point, the state becomes the one to fall back on,
    // and "Ready..." when it is valid.
    void Activate();
    // The value cell of row was accepted. The name row renames the point. Any other row makes
    // its property the latest edited (the pressure excepted) and the state is recomputed from
    // the rows with the pair they then choose. Rows are refreshed either way.
    void EditRow(int row);
    // Leaving or closing: an invalid state gives way to the last valid one.
    void Leave();
    // True when the state may be taken; false (a cancel) while it is invalid.
    bool Accept() const { return Ready(); }
    // The rows whose properties fix the state (the pair chosen).
    bool RowHighlighted(int row) const;

    // "%0.3f/%0.3f" of the dry and wet bulb.
    std::string CopyText() const;
    // A "db/wb" text at the present barometer; the pair becomes (db, wb). A text that is not an
    // air text changes nothing and says why.
    TResult Paste(std::string_view text);
    // The rows as comma-separated lines, the header first, each ended by CR LF.
    std::string TableText() const;
    // The rows as XML for the "airstate.xsl" stylesheet, lines ended by CR LF.
    std::string XmlText() const;

    // Refused unless "Ready..." (the status line then says so).
    TResult Save(const std::filesystem::path& path);
    // A state file replaces the state, unchecked; a failure keeps the old one.
    TResult Load(const std::filesystem::path& path);

    // The rows from the point's state.
    void Refresh();

private:
    void SetUpRows(const TAirRowUnits& rowUnits, bool editItemName, bool editPressure);
    void ReadRows();
    void Changed();

    TPsyPoint& m_point;
    TPropertyRows m_rows;
    TAirCombin m_combination;
    TMoistAirState m_backup{};
    std::string m_status;
};

// A text with commas, quotes, blanks or control characters between double quotes (quotes
// doubled inside); others as they are.
std::string CommaTextItem(std::string_view text);

// The warning for a state file saved at barometer fileP (kPa) loaded where shownP was in use,
// naming the difference: the file's moisture content belongs to its own pressure. Empty when
// the two agree within 1 Pa.
std::string BarometerChangeWarning(double fileP, double shownP);

}  // namespace vantor
