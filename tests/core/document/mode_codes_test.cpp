#include "document/rating_document.h"

#include "core/document/document_test_support.h"
#include "datafile/data_file.h"
#include "reports/file_properties.h"
#include "text/file_io.h"

#include <gtest/gtest.h>

#include <string>

namespace vantor {
namespace {

// Each fluid control with the number the data files, the settings and the main window's row
// have always used for it.
struct TControlCase {
    TFluidControl Control;
    int Code;
    const char* Name;
};

class FluidControlOutside : public test::TDocumentFixture, public testing::WithParamInterface<TControlCase> {};

TEST_P(FluidControlOutside, TravelsAsItsNumberEverywhere)
{
    const TControlCase& c = GetParam();
    EXPECT_EQ(FluidControlCode(c.Control), c.Code);
    EXPECT_EQ(FluidControlOfCode(c.Code), c.Control);

    TRatingDocument& doc = Open();
    ASSERT_TRUE(doc.SetRowValue(rowControl, static_cast<long long>(c.Code)));
    EXPECT_EQ(doc.HotWaterCoil().LiquidState.ctrl, c.Control) << "the row's index";
    doc.ShowValues();
    EXPECT_EQ(doc.Rows().GetValue(kValueColumn, rowControl), TVariant(static_cast<long long>(c.Code)));

    const std::string path = (Folder() / "control.hqx").string();
    ASSERT_TRUE(SaveFile(doc, TFileProperties{}, path));
    EXPECT_NE(ReadFileText(path).value_or("").find("<ctrl>" + std::to_string(c.Code) + "</ctrl>"), std::string::npos);
    const TFluidControl other = c.Control == TFluidControl::Flow ? TFluidControl::Temperature : TFluidControl::Flow;
    doc.HotWaterCoil().LiquidState.ctrl = other;
    TFileProperties properties;
    ASSERT_TRUE(OpenFile(doc, properties, path));
    EXPECT_EQ(doc.HotWaterCoil().LiquidState.ctrl, c.Control) << "the data file";

    TRatingDocument& next = Restart();
    EXPECT_EQ(ProgramKey().ReadInteger(kFluidDefaultsSection, "Control", -1), c.Code);
    EXPECT_EQ(next.HotWaterCoil().LiquidState.ctrl, c.Control) << "the settings";
}

INSTANTIATE_TEST_SUITE_P(EveryControl, FluidControlOutside,
                         testing::Values(TControlCase{TFluidControl::Temperature, 0, "Temperature"},
                                         TControlCase{TFluidControl::Flow, 1, "Flow"}),
                         [](const testing::TestParamInfo<TControlCase>& param) { return param.param.Name; });

struct TModeCase {
    TCalcMode Mode;
    int Code;
    const char* Name;
};

class CalcModeOutside : public test::TDocumentFixture, public testing::WithParamInterface<TModeCase> {};

TEST_P(CalcModeOutside, TravelsAsItsNumberEverywhere)
{
    const TModeCase& c = GetParam();
    EXPECT_EQ(CalcModeCode(c.Mode), c.Code);
    EXPECT_EQ(CalcModeOfCode(c.Code), c.Mode);

    TRatingDocument& doc = Open();
    ASSERT_TRUE(doc.SetRowValue(rowCalcMode, static_cast<long long>(c.Code)));
    EXPECT_EQ(doc.CalcMode(), c.Mode) << "the row's index";
    doc.ShowValues();
    EXPECT_EQ(doc.Rows().GetValue(kValueColumn, rowCalcMode), TVariant(static_cast<long long>(c.Code)));

    TRatingDocument& next = Restart();
    EXPECT_EQ(ProgramKey().ReadInteger(kDocumentSection, "CalcMode", -1), c.Code);
    EXPECT_EQ(next.CalcMode(), c.Mode) << "the settings";
}

INSTANTIATE_TEST_SUITE_P(EveryMode, CalcModeOutside,
                         testing::Values(TModeCase{TCalcMode::HeatingDuty, 0, "HeatingDuty"},
                                         TModeCase{TCalcMode::CoilSize, 1, "CoilSize"}),
                         [](const testing::TestParamInfo<TModeCase>& param) { return param.param.Name; });

TEST(OutsideNumbers, ThatNameNothingAreRefused)
{
    for (const long long code : {-1LL, 2LL, 7LL, 255LL, 256LL}) {
        EXPECT_EQ(FluidControlOfCode(code), std::nullopt) << code;
        EXPECT_EQ(CalcModeOfCode(code), std::nullopt) << code;
    }
}

}  // namespace
}  // namespace vantor
