#include "rows/row_descriptor.h"

#include "text/number_text.h"
#include "text/text_routines.h"
#include "rows/bool_field.h"
#include "rows/enum_field.h"
#include "rows/num_field.h"

#include <optional>

namespace vantor {

namespace {

enum ItemIndex : size_t { NameItem, FormatItem, UnitsItem, FlagsItem, LowItem, HighItem, IncrementItem };

TFieldStyle StyleOf(std::string_view flags)
{
    if (SameText(flags, "PE")) return fs_PropEdit;
    if (SameText(flags, "Spin")) return fs_Spin;
    return fs_Edit;
}

bool IsNumericFormat(std::string_view format) { return IsIntegerFormat(format) || IsRealFormat(format); }

// Nothing when a limit or the increment is not a number, or the increment is not positive
// (a zero step would never move the value).
std::unique_ptr<TField> MakeNumField(const std::vector<std::string>& items, TFieldStyle style)
{
    const auto lo = ParseDouble(items[LowItem]);
    const auto hi = ParseDouble(items[HighItem]);
    const auto increment = items[IncrementItem].empty() ? std::optional<double>(1.0) : ParseDouble(items[IncrementItem]);
    if (!lo || !hi || !increment || !(*increment > 0)) return nullptr;
    if (IsPairFormat(items[FormatItem]))
        return std::make_unique<TDelimNumField>(items[FormatItem], style, *lo, *hi, *increment);
    return std::make_unique<TNumField>(items[FormatItem], style, *lo, *hi, *increment);
}

std::unique_ptr<TField> MakeField(std::vector<std::string>& items)
{
    const std::string& format = items[FormatItem];
    const TFieldStyle style = StyleOf(items[FlagsItem]);
    if (IsNumericFormat(format)) {
        if (items.size() <= IncrementItem) items.resize(IncrementItem + 1);
        return MakeNumField(items, style);
    }
    if (SameText(format, "enum")) return std::make_unique<TEnumField>(std::vector<std::string>(items.begin() + FlagsItem, items.end()));
    if (SameText(format, "check")) return std::make_unique<TBoolField>();
    return std::make_unique<TField>(format, style);
}

}  // namespace

std::vector<std::string> SplitDescriptor(std::string_view line, char delimiter)
{
    std::vector<std::string> items;
    while (!line.empty()) {
        const size_t at = line.find(delimiter);
        items.push_back(Trim(line.substr(0, at)));
        if (at == std::string_view::npos) break;
        line.remove_prefix(at + 1);
    }
    return items;
}

TRowBuild BuildRow(std::string_view line, char delimiter)
{
    std::vector<std::string> items = SplitDescriptor(line, delimiter);
    if (items.size() < 4) items.resize(6);
    TRowBuild row;
    row.Field = MakeField(items);
    if (!row.Field) {
        row.Field = std::make_unique<TField>("%S", StyleOf(items[FlagsItem]));
        row.Error = "Error initialising " + items[NameItem];
    }
    row.Cells = items;
    row.Cells[1] = row.Field->InitialText();  // the value column
    return row;
}

TValueRange DescriptorRange(std::string_view line)
{
    const TRowBuild built = BuildRow(line);
    const auto* field = dynamic_cast<const TNumField*>(built.Field.get());
    return field ? TValueRange{field->RangeLo, field->RangeHi} : TValueRange{};
}

}  // namespace vantor
