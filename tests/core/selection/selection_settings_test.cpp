#include "selection/selection_settings.h"

#include <gtest/gtest.h>

namespace vantor {
namespace {

TEST(SelectionSettings, RoundTripAndUnusableValuesFallBackToTheDefaults)
{
    TSettingsStore key(std::nullopt);
    const TSelectionSettings defaults = ReadSelectionSettings(key);
    EXPECT_DOUBLE_EQ(defaults.Limits.Margin, 0.15);
    EXPECT_EQ(defaults.Space.Rows.Lo, 1);
    EXPECT_EQ(defaults.Space.Rows.Hi, 8);
    EXPECT_EQ(defaults.Top, 20);
    EXPECT_TRUE(defaults.Distinct);

    TSelectionSettings s;
    s.Limits.Margin = 0.1;
    s.Limits.MaxAirDrop = 150;
    s.Limits.MaxFluidDrop = 50;
    s.Space.MinLength = 0.5;
    s.Space.Rows = {2, 4};
    s.Space.Fins = {8, 12};
    s.FixedFace = true;
    s.FixedHeight = 0.6096;
    s.Maker = "Recoil";
    s.Range = "3/8 inch";
    s.ByFlow = true;
    s.Top = 7;
    s.Distinct = false;
    WriteSelectionSettings(key, s);
    const TSelectionSettings back = ReadSelectionSettings(key);
    EXPECT_DOUBLE_EQ(back.Limits.Margin, 0.1);
    EXPECT_DOUBLE_EQ(back.Limits.MaxAirDrop, 150);
    EXPECT_DOUBLE_EQ(back.Limits.MaxFluidDrop, 50);
    EXPECT_DOUBLE_EQ(back.Space.MinLength, 0.5);
    EXPECT_EQ(back.Space.Rows.Lo, 2);
    EXPECT_EQ(back.Space.Fins.Hi, 12);
    EXPECT_TRUE(back.FixedFace);
    EXPECT_DOUBLE_EQ(back.FixedHeight, 0.6096);
    EXPECT_EQ(back.Maker, "Recoil");
    EXPECT_EQ(back.Range, "3/8 inch");
    EXPECT_TRUE(back.ByFlow);
    EXPECT_EQ(back.Top, 7);
    EXPECT_FALSE(back.Distinct);

    // A file edited by hand.
    key.WriteString(kCoilSelectionSection, "MaxAirDP", "-3");
    key.WriteString(kCoilSelectionSection, "Margin", "nan");
    key.WriteInteger(kCoilSelectionSection, "RowsLo", 9);  // above RowsHi
    key.WriteInteger(kCoilSelectionSection, "Top", 0);
    const TSelectionSettings edited = ReadSelectionSettings(key);
    EXPECT_DOUBLE_EQ(edited.Limits.MaxAirDrop, defaults.Limits.MaxAirDrop);
    EXPECT_DOUBLE_EQ(edited.Limits.Margin, defaults.Limits.Margin);
    EXPECT_EQ(edited.Space.Rows.Lo, defaults.Space.Rows.Lo);
    EXPECT_EQ(edited.Space.Rows.Hi, defaults.Space.Rows.Hi);
    EXPECT_EQ(edited.Top, defaults.Top);
}

}  // namespace
}  // namespace vantor
