#include "document/document_rows.h"

#include "rows/enum_field.h"
#include "rows/num_field.h"
#include "rows/row_descriptor.h"

#include <gtest/gtest.h>

namespace vantor {
namespace {

// The rows the rating document shows are built from its own descriptor lines: every line must
// describe a row of the kind the document reads and writes through it.
TEST(DocumentRows, EveryDescriptorOfTheDocumentBuildsItsRow)
{
    const std::vector<std::string>& descriptors = DocumentRowDescriptors();
    ASSERT_EQ(descriptors.size(), static_cast<size_t>(kDocumentRowCount + 1));
    for (const std::string& line : descriptors) EXPECT_EQ(BuildRow(line).Error, "") << line;

    TPropertyRows rows;
    EXPECT_TRUE(rows.SetRows(descriptors).empty());
    ASSERT_EQ(rows.RowCount(), kDocumentRowCount + 1);
    for (int row : {rowControl, rowCalcMode}) EXPECT_NE(rows.EnumField(row), nullptr) << row;
    for (int row : {rowBarometer, rowAirOn, rowAirVolume, rowAirVelocity, rowFluidInlet, rowDesignDT, rowFluidFlow,
                    rowTubeVelocity, rowDesignDuty})
        EXPECT_NE(rows.NumField(row), nullptr) << row;
    for (int row : {rowModel, rowFluid}) EXPECT_EQ(rows.NumField(row), nullptr) << row;

    EXPECT_EQ(DocumentRowRange(rowBarometer).Lo, 70);
    EXPECT_EQ(DocumentRowRange(rowBarometer).Hi, 120);
    EXPECT_EQ(DocumentRowRange(rowModel).Hi, 0) << "a text row has no range";
}

}  // namespace
}  // namespace vantor
