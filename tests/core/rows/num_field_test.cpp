#include "rows/num_field.h"

#include <gtest/gtest.h>

namespace vantor {
namespace {

TNumField TemperatureField(int unit)
{
    TNumField field("%0.1f", fs_Edit, 5, 150);
    field.UnitsType = utTemperature;
    field.UnitsValue = unit;
    EXPECT_TRUE(field.ApplyUnits());
    return field;
}

TEST(NumField, StoredValuesShowInTheRowsUnitAndReadBack)
{
    const TNumField fahrenheit = TemperatureField(1);
    EXPECT_EQ(fahrenheit.ValueToText(20.0), "68.0");
    EXPECT_EQ(std::get<double>(fahrenheit.TextToValue("68.0")), 20);
    EXPECT_EQ(fahrenheit.DisplayRangeHi(), 302);
    EXPECT_EQ(fahrenheit.UnitLabel(), "°F");

    TNumField kelvin = TemperatureField(2);
    EXPECT_EQ(kelvin.FormatStr, "%0.2f");
    EXPECT_EQ(kelvin.ValueToText(0.0), "273.15");

    // A typed number is cleaned first; text that is no number comes back as it is.
    EXPECT_EQ(std::get<double>(fahrenheit.TextToValue(" 2 12")), 100);
    EXPECT_EQ(std::get<std::string>(fahrenheit.TextToValue("hot")), "hot");
    // A value that would overflow in the stored unit is no number either.
    TNumField scaled("%0.0f", fs_Edit, 0, 0);
    scaled.Factor = 1e-10;
    EXPECT_TRUE(std::holds_alternative<std::string>(scaled.TextToValue("9E300")));
    // Values of the wrong kind leave the cell empty.
    EXPECT_EQ(fahrenheit.ValueToText(true), "");
    EXPECT_EQ(fahrenheit.ValueToText(std::string("warm")), "");
}

TEST(NumField, FormatTypesChooseTheDecimals)
{
    const struct {
        TFormatType Type;
        const char* Format;
        double Value;
        const char* Expected;
    } cases[] = {
        {ft_AutoOverride, "%0.1f", 3.14159, "3.142"}, {ft_AutoOverride, "%0.1f", 31.4159, "31.4"},
        {ft_Auto, "%0.1f", 123.456, "123.46"},        {ft_Auto, "%0.1f", 0.0123, "0.0123"},
        {ft_Fixed, "%0.1f", 0.0123, "0.0"},            {ft_Manual, "%0.3f", 2, "2.000"},
        {ft_Fixed, "%d", 12.5, "13"},                   {ft_Fixed, "%0.4g", 0.0123456, "0.01235"},
    };
    for (const auto& c : cases) {
        TNumField field(c.Format, fs_Edit, 0, 0);
        field.FormatType = c.Type;
        field.SigDigs = 5;
        EXPECT_EQ(field.ValueToText(c.Value), c.Expected) << c.Format << " " << c.Value;
    }
    TNumField integer("%d", fs_Edit, 0, 0);
    EXPECT_EQ(std::get<long long>(integer.TextToValue("12.6")), 13);
    EXPECT_EQ(integer.InitialText(), "0");
}

TEST(NumField, ManualFormatSurvivesUnitChangesAndBadIndicesChangeNothing)
{
    TNumField field("%0.4f", fs_Edit, 0, 0);
    field.FormatType = ft_Manual;
    field.UnitsType = utVelocity;
    field.UnitsValue = 1;
    ASSERT_TRUE(field.ApplyUnits());
    EXPECT_EQ(field.FormatStr, "%0.4f");
    EXPECT_EQ(field.ValueToText(1.0), "196.8504");

    field.UnitsValue = 2;
    EXPECT_FALSE(field.ApplyUnits());
    EXPECT_DOUBLE_EQ(field.Factor, 60 / 0.3048);  // 1 m/s in ft/min, kept
}

TEST(NumField, SpinStepsLandOnTheIncrementGrid)
{
    TNumField field("%0.1f", fs_Spin, -10, 10, 1);
    EXPECT_EQ(field.StepUp(2.35), 3.0);
    EXPECT_EQ(field.StepUp(-2.35), -2.0);
    EXPECT_EQ(field.StepUp(3.0), 4.0);
    EXPECT_EQ(field.StepDown(2.35), 2.0);
    EXPECT_EQ(field.StepDown(-2.35), -3.0);
    EXPECT_EQ(field.StepUp(9.5), 10.0);
    EXPECT_EQ(field.StepUp(10.0), std::nullopt);
    EXPECT_EQ(field.StepDown(-10.0), std::nullopt);

    TNumField open("%0.2f", fs_Spin, 0, 0, 0.25);
    EXPECT_EQ(open.StepUp(0.0), 0.25);  // no range: zero is no limit
    EXPECT_EQ(open.StepDown(0.0), -0.25);

    field.OnSpinUp = [](double x) { return x * 2; };
    EXPECT_EQ(field.StepUp(6), 10.0);  // the callback's step, still limited
}

TEST(DelimNumField, PairsShowAndReadInOneUnit)
{
    TDelimNumField onCoil("%0.1f/%0.1f", fs_PropEdit, -10, 45);
    EXPECT_EQ(onCoil.InitialText(), "0.0/0.0");
    EXPECT_EQ(onCoil.ValueToText(std::string("24/17")), "24.0/17.0");
    EXPECT_EQ(std::get<std::string>(onCoil.TextToValue("24.0/17.0")), "24.0/17.0");
    EXPECT_EQ(std::get<std::string>(onCoil.TextToValue("24")), "24");
    EXPECT_EQ(std::get<std::string>(onCoil.TextToValue("")), "0.0/0.0");
    EXPECT_EQ(std::get<std::string>(onCoil.TextToValue("24/dry")), "24/dry");
    // A single number is a dry bulb alone, not a pair with a wet bulb of zero.
    EXPECT_EQ(onCoil.ValueToText(24.0), "24.0");

    onCoil.UnitsType = utTemperature;
    onCoil.UnitsValue = 1;
    onCoil.FormatStr = "%0.1f";
    ASSERT_TRUE(onCoil.ApplyUnits());
    EXPECT_EQ(onCoil.FormatStr, "%0.1f/%0.1f");
    EXPECT_EQ(onCoil.ValueToText(std::string("24/17")), "75.2/62.6");
    // A pair typed in °F comes back to the same text after its trip through °C.
    const std::string stored = std::get<std::string>(onCoil.TextToValue("75.3/62.5"));
    EXPECT_EQ(onCoil.ValueToText(stored), "75.3/62.5");
}

TEST(NumberFormatText, EachTextFollowsItsOwnValueFormatAndTypeWhateverWasShownBefore)
{
    TNumberFormat fixed;
    TNumberFormat automatic;
    automatic.FormatType = ft_Auto;
    for (int round = 0; round < 2; ++round) {  // the second round asks for texts made before
        EXPECT_EQ(fixed.DisplayText("%0.1f", 2.26), "2.3");
        EXPECT_EQ(fixed.DisplayText("%0.2f", 2.26), "2.26");
        EXPECT_EQ(fixed.DisplayText("%0.1f", -0.0), "0.0");
        EXPECT_EQ(fixed.DisplayText("%0.1f", 0.0), "0.0");
        EXPECT_EQ(automatic.DisplayText("%0.1f", 3.14159), "3.142");  // three decimals below 10
        EXPECT_EQ(fixed.DisplayText("%0.1f", 3.14159), "3.1");
    }
}

}  // namespace
}  // namespace vantor
