#include "rows/row_descriptor.h"

#include "rows/bool_field.h"
#include "rows/enum_field.h"
#include "rows/num_field.h"

#include <gtest/gtest.h>

#include <ostream>

namespace vantor {
namespace {

enum TKind { Text, Number, Pair, Enum, Bool };

struct TDescriptorCase {
    const char* Line;
    TKind Kind;
    TFieldStyle Style;
    const char* Initial;
    double Lo, Hi, Increment;
};

void PrintTo(const TDescriptorCase& c, std::ostream* out) { *out << '"' << c.Line << '"'; }

class RowDescriptor : public testing::TestWithParam<TDescriptorCase> {};

TEST_F(RowDescriptor, ItemsAreTrimmedAndEmptyItemsKept)
{
    EXPECT_EQ(SplitDescriptor("Coil Model; %s; ; PE"), (std::vector<std::string>{"Coil Model", "%s", "", "PE"}));
    EXPECT_EQ(SplitDescriptor("a|b |", '|'), (std::vector<std::string>{"a", "b"}));
    EXPECT_TRUE(SplitDescriptor("").empty());
}

// The main window's and the fluid dialog's descriptors: kind, style, format, limits and the
// value cell's first text.
TEST_P(RowDescriptor, DescriptorsBuildTheirFieldKinds)
{
    const TDescriptorCase& c = GetParam();
    const TRowBuild row = BuildRow(c.Line);
    ASSERT_TRUE(row.Field);
    EXPECT_TRUE(row.Error.empty());
    EXPECT_EQ(row.Field->Style, c.Style);
    EXPECT_EQ(row.Cells.at(1), c.Initial);
    const auto* number = dynamic_cast<const TNumField*>(row.Field.get());
    EXPECT_EQ(number != nullptr, c.Kind == Number || c.Kind == Pair);
    EXPECT_EQ(dynamic_cast<const TDelimNumField*>(row.Field.get()) != nullptr, c.Kind == Pair);
    EXPECT_EQ(dynamic_cast<const TEnumField*>(row.Field.get()) != nullptr, c.Kind == Enum);
    EXPECT_EQ(dynamic_cast<const TBoolField*>(row.Field.get()) != nullptr, c.Kind == Bool);
    if (number) {
        EXPECT_EQ(number->RangeLo, c.Lo);
        EXPECT_EQ(number->RangeHi, c.Hi);
        EXPECT_EQ(number->Increment, c.Increment);
    }
}

INSTANTIATE_TEST_SUITE_P(
    , RowDescriptor,
    testing::Values(
        TDescriptorCase{"Coil Model; %s; ; PE", Text, fs_PropEdit, "", 0, 0, 0},
        TDescriptorCase{"Barometer; %0.3f; kPa; PE; 70; 120", Number, fs_PropEdit, "0.000", 70, 120, 1},
        TDescriptorCase{"On Coil; %0.1f/%0.1f; °C; PE; -10; 45", Pair, fs_PropEdit, "0.0/0.0", -10, 45, 1},
        TDescriptorCase{"Air Volume; %0.3f; m³/s; NPE; 0.1; 100", Number, fs_Edit, "0.000", 0.1, 100, 1},
        TDescriptorCase{"Fluid Control; enum; ; Temperature; Flow", Enum, fs_DropDown, "Temperature", 0, 0, 0},
        TDescriptorCase{"Rows; %d; ; spin; 1; 12; 2", Number, fs_Spin, "0", 1, 12, 2},
        TDescriptorCase{"User Defined; enum; ; False; True", Enum, fs_DropDown, "False", 0, 0, 0},
        TDescriptorCase{"Dynamic viscosity; %0.4g; kg/m·s; NPE; 1e-9; 10.0", Number, fs_Edit, "0", 1e-9, 10, 1},
        TDescriptorCase{"Wet; check", Bool, fs_Check, "", 0, 0, 0},
        TDescriptorCase{"Empty; enum", Enum, fs_DropDown, "", 0, 0, 0}));

TEST_F(RowDescriptor, CellsKeepNameUnitsAndFurtherItems)
{
    const TRowBuild row = BuildRow("Barometer; %0.3f; kPa; PE; 70; 120");
    EXPECT_EQ(row.Cells, (std::vector<std::string>{"Barometer", "0.000", "kPa", "PE", "70", "120", ""}));
    const TRowBuild enumRow = BuildRow("Fluid Control; enum; ; Temperature; Flow");
    EXPECT_EQ(static_cast<const TEnumField&>(*enumRow.Field).Items, (std::vector<std::string>{"Temperature", "Flow"}));
    EXPECT_EQ(enumRow.Cells.at(3), "Temperature");
}

TEST_F(RowDescriptor, BadDescriptorsBecomeTextRowsWithAMessage)
{
    const char* lines[] = {
        "Design Duty; %0.1f; kW",             // no limits
        "Design Duty; %0.1f; kW; PE; low; 500",
        "Design Duty; %0.1f; kW; PE; 0,1; 500",  // decimal comma
        "Design Duty; %0.1f; kW; Spin; 0.1; 500; 0",  // a step that never moves
        "Design Duty; %0.1f; kW; Spin; 0.1; 500; -1",
    };
    for (const char* line : lines) {
        SCOPED_TRACE(line);
        const TRowBuild row = BuildRow(line);
        EXPECT_EQ(row.Error, "Error initialising Design Duty");
        ASSERT_TRUE(row.Field);
        EXPECT_EQ(row.Field->FormatStr, "%S");
        EXPECT_EQ(dynamic_cast<const TNumField*>(row.Field.get()), nullptr);
    }
    EXPECT_EQ(BuildRow("Design Duty; %0.1f; kW; PE").Field->Style, fs_PropEdit);
}

TEST_F(RowDescriptor, TextEnumAndCheckRowsConvertTheirValues)
{
    const TRowBuild model = BuildRow("Coil Model; %s; ; PE");
    EXPECT_EQ(model.Field->ValueToText(std::string("544 720 4r 12f 7c")), "544 720 4r 12f 7c");
    EXPECT_EQ(std::get<std::string>(model.Field->TextToValue("544 720 4r 12f 7c")), "544 720 4r 12f 7c");

    const TRowBuild control = BuildRow("Fluid Control; enum; ; Temperature; Flow");
    EXPECT_EQ(control.Field->ValueToText(0LL), "Temperature");
    EXPECT_EQ(control.Field->ValueToText(1.0), "Flow");
    EXPECT_EQ(control.Field->ValueToText(2LL), "");
    EXPECT_EQ(control.Field->ValueToText(-1LL), "");
    EXPECT_EQ(control.Field->ValueToText(0.5), "");
    EXPECT_EQ(std::get<long long>(control.Field->TextToValue("flow")), 1);
    EXPECT_EQ(std::get<long long>(control.Field->TextToValue("Steam")), -1);

    const TRowBuild wet = BuildRow("Wet; check");
    EXPECT_EQ(wet.Field->ValueToText(true), "[x]");
    EXPECT_EQ(wet.Field->ValueToText(false), "[ ]");
    EXPECT_TRUE(std::get<bool>(wet.Field->TextToValue("[X]")));
    EXPECT_FALSE(std::get<bool>(wet.Field->TextToValue("[ ]")));
}

}  // namespace
}  // namespace vantor
