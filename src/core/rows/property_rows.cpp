#include "rows/property_rows.h"

#include "text/format.h"
#include "rows/enum_field.h"
#include "rows/num_field.h"
#include "rows/row_descriptor.h"
#include "units/unit_tables.h"

#include <algorithm>
#include <cmath>

namespace vantor {

namespace {

bool HasDigit(std::string_view text)
{
    return text.find_first_of("0123456789") != std::string_view::npos;
}

// Every number the text should hold has a digit: both sides of a pair's '/' when there is one.
bool HasEveryNumber(std::string_view text, bool pair)
{
    const auto slash = text.find('/');
    if (!pair || slash == std::string_view::npos) return HasDigit(text);
    return HasDigit(text.substr(0, slash)) && HasDigit(text.substr(slash + 1));
}

constexpr int kNameColumn = 0;
constexpr int kValueColumn = 1;

}  // namespace

TPropertyRows::TPropertyRows(char delimiter) : m_delimiter(delimiter) {}

std::vector<std::string> TPropertyRows::SetRows(const std::vector<std::string>& lines)
{
    m_rows.clear();
    std::vector<std::string> messages;
    if (lines.empty()) {
        m_colCount = 3;
        m_rows.resize(2);
        return messages;
    }
    // The header shows its items as they are.
    m_rows.push_back({SplitDescriptor(lines.front(), m_delimiter), std::make_unique<TField>("%S")});
    m_colCount = std::max(2, static_cast<int>(m_rows.front().Cells.size()));
    for (size_t i = 1; i < lines.size(); ++i) {
        TRowBuild built = BuildRow(lines[i], m_delimiter);
        if (!built.Error.empty()) messages.push_back(built.Error);
        m_rows.push_back({std::move(built.Cells), std::move(built.Field)});
    }
    return messages;
}

TField* TPropertyRows::Field(int row) const { return HasRow(row) ? m_rows[static_cast<size_t>(row)].Field.get() : nullptr; }

TNumField* TPropertyRows::NumField(int row) const { return dynamic_cast<TNumField*>(Field(row)); }

TEnumField* TPropertyRows::EnumField(int row) const { return dynamic_cast<TEnumField*>(Field(row)); }

std::string TPropertyRows::Cell(int col, int row) const
{
    if (!HasRow(row) || col < 0) return {};
    const auto& cells = m_rows[static_cast<size_t>(row)].Cells;
    return static_cast<size_t>(col) < cells.size() ? cells[static_cast<size_t>(col)] : std::string();
}

void TPropertyRows::SetCell(int col, int row, std::string text)
{
    if (!HasRow(row) || col < 0) return;
    auto& cells = m_rows[static_cast<size_t>(row)].Cells;
    if (static_cast<size_t>(col) >= cells.size()) cells.resize(static_cast<size_t>(col) + 1);
    cells[static_cast<size_t>(col)] = std::move(text);
}

TVariant TPropertyRows::GetValue(int col, int row) const
{
    const TField* field = Field(row);
    if (col != kValueColumn || !field) return Cell(col, row);
    return field->TextToValue(Cell(col, row));
}

void TPropertyRows::SetValue(int col, int row, const TVariant& value)
{
    const TField* field = Field(row);
    if (col != kValueColumn || !field) {
        SetCell(col, row, VariantText(value));
        return;
    }
    SetCell(col, row, field->ValueToText(value));
}

TResult TPropertyRows::RowError(std::string_view what, int row) const
{
    return TResult::Error(TErrorCode::Failed, std::string(what) + std::to_string(row));
}

void TPropertyRows::ShowUnitLabel(int row, const TNumField& field)
{
    if (UnitsColumn < 0) return;
    const std::string label = field.UnitLabel();
    const std::string name = Cell(kNameColumn, row);
    const size_t comma = name.find(',');
    if (m_colCount == 2 && comma != std::string::npos)
        SetCell(kNameColumn, row, name.substr(0, comma + 1) + label);
    else
        SetCell(2, row, label);
}

void TPropertyRows::ApplyUnits(int row, TNumField& field, const std::optional<TVariant>& value)
{
    if (!field.ApplyUnits()) {
        field.UnitsValue = 0;
        if (!field.ApplyUnits()) return;
    }
    ShowUnitLabel(row, field);
    // A cell that held no number keeps its text; there is no quantity to carry over.
    if (value) SetValue(kValueColumn, row, *value);
}

TResult TPropertyRows::SetUnits(int row, TUnitsType type, int unitsBase, int unitsValue, TFormatType formatType,
                                double factor, double offset)
{
    TNumField* field = NumField(row);
    const bool usableFactor = type != utNone || (std::isfinite(factor) && factor != 0 && std::isfinite(offset));
    if (!field || !usableFactor) return RowError("Error setting units, row ", row);
    const auto value = field->ReadValue(Cell(kValueColumn, row));
    field->UnitsType = type;
    field->UnitsBase = IsValidUnit(type, unitsBase) ? unitsBase : 0;
    field->UnitsValue = unitsValue;
    field->FormatType = formatType;
    if (type == utNone) {
        field->Factor = factor;
        field->Offset = offset;
    }
    ApplyUnits(row, *field, value);
    return TResult::Ok();
}

TResult TPropertyRows::SetRowUnitsValue(int row, int unitsValue)
{
    if (!HasRow(row)) return RowError("Error setting units value, row ", row);
    TNumField* field = NumField(row);
    if (!field) return TResult::Ok();
    const auto value = field->ReadValue(Cell(kValueColumn, row));
    field->UnitsValue = unitsValue;
    ApplyUnits(row, *field, value);
    return TResult::Ok();
}

TResult TPropertyRows::SetSigDigs(int row, int sigDigs)
{
    TNumField* field = NumField(row);
    if (!field) return RowError("Error setting significant digits, row ", row);
    field->SigDigs = sigDigs;
    return TResult::Ok();
}

TResult TPropertyRows::SetEnumStrings(int row, std::vector<std::string> strings)
{
    TEnumField* field = EnumField(row);
    if (!field) return RowError("Error setting enum strings, row ", row);
    field->Style = fs_DropDown;
    field->Items = std::move(strings);
    return TResult::Ok();
}

TResult TPropertyRows::SetRowEnabled(int row, bool enabled)
{
    TField* field = Field(row);
    if (!field) return RowError("Error setting enabled row ", row);
    field->Enabled = enabled;
    return TResult::Ok();
}

bool TPropertyRows::RowEnabled(int row) const
{
    const TField* field = Field(row);
    return !field || field->Enabled;
}

double TPropertyRows::RowRangeLo(int row) const
{
    const TNumField* field = NumField(row);
    return field ? field->DisplayRangeLo() : 0.0;
}

double TPropertyRows::RowRangeHi(int row) const
{
    const TNumField* field = NumField(row);
    return field ? field->DisplayRangeHi() : 0.0;
}

double TPropertyRows::RowFactor(int row) const
{
    const TNumField* field = NumField(row);
    return field ? field->Factor : 0.0;
}

int TPropertyRows::RowUnitsValue(int row) const
{
    const TNumField* field = NumField(row);
    return field ? field->UnitsValue : 0;
}

TUnitsType TPropertyRows::RowUnitsType(int row) const
{
    const TNumField* field = NumField(row);
    return field ? field->UnitsType : utNone;
}

bool TPropertyRows::RowHasUnits(int row) const { return RowUnitsType(row) != utNone; }

std::string TPropertyRows::RowFormat(int row) const
{
    const TField* field = Field(row);
    return field ? field->FormatStr : "%S";
}

std::vector<std::string> TPropertyRows::RowEnumStrings(int row) const
{
    const TEnumField* field = EnumField(row);
    return field ? field->Items : std::vector<std::string>();
}

std::string TPropertyRows::FormatRowValue(int row, double x) const
{
    const TNumField* field = NumField(row);
    return FormatFloat(RowFormat(row), field ? field->ToDisplay(x) : x);
}

TEntryCheck TPropertyRows::CheckText(int row, std::string_view text) const
{
    if (const TNumField* field = NumField(row)) {
        // Cleaning reads an empty text as 0, which the range would then turn into the row's
        // low limit: a cell emptied by mistake would silently take a value nobody typed.
        if (!HasEveryNumber(text, IsPairFormat(field->FormatStr))) return {std::string(text), false, true};
        return TNumberEntry::ForField(*field).Check(text);
    }
    if (const TEnumField* field = EnumField(row)) {
        const int index = field->IndexOf(text);
        if (index < 0) return {std::string(text), false, true};
        return {field->Items[static_cast<size_t>(index)], true, true};
    }
    TNumberEntry entry;
    entry.FormatStr = RowFormat(row);
    return entry.Check(text);
}

TEntryCheck TPropertyRows::EnterText(int row, std::string_view text)
{
    TEntryCheck check = CheckText(row, text);
    if (check.Readable) SetCell(kValueColumn, row, check.Text);
    return check;
}

}  // namespace vantor
