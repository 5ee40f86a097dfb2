#include "geometry/materials.h"

#include <gtest/gtest.h>

namespace vantor {
namespace {

TEST(MaterialsTest, CodesAreFoundWithoutRegardToCaseAndUnknownCodesGiveTheDefault)
{
    struct TCase {
        const char* code;
        int defaultIndex;
        int expected;
    };
    const TCase cases[] = {
        {"Cu", 1, 0}, {"al", 0, 1}, {"AL", 0, 1}, {"ale", 0, 5}, {"Br", 0, 7},
        {"Alu", 3, 3}, {"", 1, 1}, {"Copper", 1, 1},
    };
    for (const TCase& c : cases) EXPECT_EQ(MaterialIndex(c.code, c.defaultIndex), c.expected) << c.code;
}

TEST(MaterialsTest, AnIndexOutsideTheTableGivesTheDefaultMaterial)
{
    EXPECT_EQ(MaterialAt(6, 0).Name, "Titanium");
    EXPECT_EQ(MaterialAt(8, 1).Code, "Al");
    EXPECT_EQ(MaterialAt(-1, 0).Code, "Cu");
    EXPECT_EQ(MaterialAt(255, 3).Code, "GI");
}

}  // namespace
}  // namespace vantor
