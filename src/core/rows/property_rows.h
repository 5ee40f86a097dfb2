#pragma once

// The rows of a property table, as the entry grid shows them and the rating document keeps
// them: one field and one line of cell texts per row, row 0 the header. The value cell holds
// the only copy of a value, as display text; GetValue and SetValue convert between that text
// and stored (SI) values through the row's field. Rows bound to a units type show their value
// in the selected unit and keep the same quantity when the unit changes.
//
//   TPropertyRows rows;
//   rows.SetRows({"Property; Value; Units", "Barometer; %0.3f; kPa; PE; 70; 120"});
//   rows.SetUnits(1, utPressureBar, 0, 1, ft_Fixed, 1.0, 0.0);   // shown in Psi
//   rows.SetValue(1, 1, 100);                                       // "14.5038"
//   rows.EnterText(1, "150");   // "17.4045" (120 kPa), InRange false

#include "text/result.h"
#include "rows/field.h"
#include "rows/number_entry.h"
#include "units/units_type.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vantor {

class TNumField;
class TEnumField;

class TPropertyRows {
public:
    explicit TPropertyRows(char delimiter = ';');

    // Rebuilds every row from the descriptor lines (the header first); two rows when the list
    // is empty. Gives one "Error initialising <name>" message per descriptor that did not
    // describe a row; such a row becomes a text row.
    std::vector<std::string> SetRows(const std::vector<std::string>& lines);

    int RowCount() const { return static_cast<int>(m_rows.size()); }
    // The header's item count: 3 for "Property; Value; Units", 2 for "Property; Units".
    int ColCount() const { return m_colCount; }
    // The column that shows a numeric row's unit label; negative: no label is shown.
    int UnitsColumn = 2;

    // Nothing for a row outside the table or of another kind.
    TField* Field(int row) const;
    TNumField* NumField(int row) const;
    TEnumField* EnumField(int row) const;

    std::string Cell(int col, int row) const;
    void SetCell(int col, int row, std::string text);

    // Column 1 through the row's field, other columns as plain text.
    TVariant GetValue(int col, int row) const;
    void SetValue(int col, int row, const TVariant& value);

    // Binds a numeric row to a units type with its stored and shown unit (factor and offset
    // count only for utNone) and shows the same quantity in that unit. A shown unit that fits
    // no unit of the type gives unit 0. Fails with "Error setting units, row <n>" for a row
    // that is not numeric.
    TResult SetUnits(int row, TUnitsType type, int unitsBase, int unitsValue, TFormatType formatType, double factor,
                     double offset);
    // Shows a numeric row in another unit of its type; other rows are left alone.
    TResult SetRowUnitsValue(int row, int unitsValue);
    TResult SetSigDigs(int row, int sigDigs);
    TResult SetEnumStrings(int row, std::vector<std::string> strings);
    TResult SetRowEnabled(int row, bool enabled);

    // Numeric rows give their values; other rows 0 (the format "%S", the label empty).
    bool RowEnabled(int row) const;
    double RowRangeLo(int row) const;  // display units
    double RowRangeHi(int row) const;
    double RowFactor(int row) const;
    int RowUnitsValue(int row) const;
    TUnitsType RowUnitsType(int row) const;
    bool RowHasUnits(int row) const;
    std::string RowFormat(int row) const;
    std::vector<std::string> RowEnumStrings(int row) const;

    // A stored value in the row's unit and format, without touching the row.
    std::string FormatRowValue(int row, double x) const;

    // The entry rules of a value cell: a numeric row's format, units and range, a text row's
    // format. Enumeration rows take one of their strings (in any case). A numeric text without
    // a digit (empty, "-", a pair missing a side) is not readable.
    TEntryCheck CheckText(int row, std::string_view text) const;
    // CheckText, then the shown text goes into the value cell when it was readable.
    TEntryCheck EnterText(int row, std::string_view text);

private:
    struct TRow {
        std::vector<std::string> Cells;
        std::unique_ptr<TField> Field;
    };

    bool HasRow(int row) const { return row >= 0 && row < RowCount(); }
    TResult RowError(std::string_view what, int row) const;
    // Takes the field's new units (unit 0 when the selected one fits no unit of the type),
    // shows the label and writes back the value the row held before the change.
    void ApplyUnits(int row, TNumField& field, const std::optional<TVariant>& value);
    void ShowUnitLabel(int row, const TNumField& field);

    char m_delimiter;
    int m_colCount = 3;
    std::vector<TRow> m_rows;
};

}  // namespace vantor
