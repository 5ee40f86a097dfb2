#include "chart/label_placement.h"

#include <gtest/gtest.h>

namespace vantor {
namespace {

bool SameBox(const TPixelBox& a, const TPixelBox& b)
{
    return a.Left == b.Left && a.Top == b.Top && a.Width == b.Width && a.Height == b.Height;
}

TEST(PixelBox, TouchingEdgesDoNotOverlap)
{
    const TPixelBox box{10, 10, 20, 10};  // columns 10..29, rows 10..19
    EXPECT_TRUE(box.Intersects({29, 19, 5, 5}));
    EXPECT_FALSE(box.Intersects({30, 10, 5, 5})) << "the next column";
    EXPECT_FALSE(box.Intersects({10, 20, 5, 5})) << "the next row";
    EXPECT_TRUE(box.Intersects({0, 0, 100, 100})) << "one inside the other";
    EXPECT_TRUE(box.Within({10, 10, 20, 10}));
    EXPECT_FALSE(box.Within({11, 10, 20, 10}));
}

TEST(CentredWithin, MovesABoxBackInsideItsAreaAndNoFurther)
{
    const TPixelBox area{0, 0, 100, 50};
    EXPECT_TRUE(SameBox(CentredWithin({50, 25}, 20, 10, area), {40, 20, 20, 10}));
    // A label centred on the top edge comes down just inside it; on the right edge, left.
    EXPECT_TRUE(SameBox(CentredWithin({30, 0}, 20, 10, area), {20, 0, 20, 10}));
    EXPECT_TRUE(SameBox(CentredWithin({100, 49}, 20, 10, area), {80, 40, 20, 10}));
    // Wider than the area: it keeps its centre rather than jumping to one side.
    EXPECT_TRUE(SameBox(CentredWithin({50, 25}, 120, 10, area), {-10, 20, 120, 10}));
}

TEST(LabelPlacer, TakesTheFirstFreePlaceOrNone)
{
    const TPixelBox area{0, 0, 200, 100};
    TLabelPlacer placer;
    placer.Occupy({0, 90, 40, 10});  // a tick label
    const std::optional<TPixelBox> first = placer.Place({{10, 10, 30, 10}}, area);
    ASSERT_TRUE(first);
    EXPECT_TRUE(SameBox(*first, {10, 10, 30, 10}));

    // The same place is taken: the second choice; one leaving the area is passed over.
    const std::optional<TPixelBox> second = placer.Place({{20, 15, 30, 10}, {190, 0, 30, 10}, {60, 10, 30, 10}}, area);
    ASSERT_TRUE(second);
    EXPECT_TRUE(SameBox(*second, {60, 10, 30, 10}));

    // Every place blocked (one by the tick label): the label is left out, nothing is held.
    EXPECT_FALSE(placer.Place({{5, 5, 10, 10}, {20, 85, 10, 10}}, area));
    EXPECT_EQ(placer.Occupied().size(), 3u);
    for (size_t i = 0; i < placer.Occupied().size(); ++i)
        for (size_t j = i + 1; j < placer.Occupied().size(); ++j)
            EXPECT_FALSE(placer.Occupied()[i].Intersects(placer.Occupied()[j])) << i << " and " << j;
}

}  // namespace
}  // namespace vantor
