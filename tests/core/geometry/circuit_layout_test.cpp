#include "geometry/circuit_layout.h"

#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <map>

namespace vantor {
namespace {

TEST(CircuitLayoutTest, CircuitsTakeTheSerpentinePathFromTheLeavingRow)
{
    // 4 rows × 12 tubes high, 5 circuits: 9 tubes each, 3 left over at the bottom.
    const TCircuitLayout layout = LayOutCircuits(4, 12, 5, true);
    EXPECT_EQ(layout.Rows, 4);
    EXPECT_EQ(layout.TubesHigh, 12);
    EXPECT_EQ(layout.TubesPerCircuit, 9);
    EXPECT_EQ(layout.Unlinked, 3);
    ASSERT_EQ(layout.Path.size(), 48u);

    // Top level against the air (rows 3 2 1 0), the next one back with it (0 1 2 3).
    const int firstRows[] = {3, 2, 1, 0, 0, 1, 2, 3};
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(layout.Path[static_cast<size_t>(i)].Row, firstRows[i]) << i;
        EXPECT_EQ(layout.Path[static_cast<size_t>(i)].Level, i / 4) << i;
    }
    std::map<int, int> tubesOf;
    for (const TTubeSpot& spot : layout.Path) ++tubesOf[spot.Circuit];
    EXPECT_EQ(tubesOf[-1], 3);
    for (int circuit = 0; circuit < 5; ++circuit) EXPECT_EQ(tubesOf[circuit], 9) << circuit;
    // Circuit 2 starts at the tenth tube of the path; the last three tubes are unlinked.
    EXPECT_EQ(layout.Path[8].Circuit, 0);
    EXPECT_EQ(layout.Path[9].Circuit, 1);
    EXPECT_EQ(layout.Path[44].Circuit, 4);
    EXPECT_EQ(layout.Path[45].Circuit, -1);
}

TEST(CircuitLayoutTest, StaggeredRowsSitHalfAPitchLower)
{
    const TCircuitLayout staggered = LayOutCircuits(2, 3, 3, true);
    const TCircuitLayout inLine = LayOutCircuits(2, 3, 3, false);
    for (size_t i = 0; i < staggered.Path.size(); ++i) {
        const TTubeSpot& s = staggered.Path[i];
        EXPECT_DOUBLE_EQ(s.X, s.Row + 0.5);
        EXPECT_DOUBLE_EQ(s.Y, s.Level + (s.Row == 1 ? 1.0 : 0.5));
        EXPECT_DOUBLE_EQ(inLine.Path[i].Y, inLine.Path[i].Level + 0.5);
    }
}

TEST(CircuitLayoutTest, DegenerateCountsGiveAnEmptyOrUnlinkedPicture)
{
    const TCircuitLayout none = LayOutCircuits(0, 12, 4, true);
    EXPECT_TRUE(none.Path.empty());
    const TCircuitLayout noCircuits = LayOutCircuits(4, 12, 0, true);
    EXPECT_EQ(noCircuits.TubesPerCircuit, 0);
    EXPECT_EQ(noCircuits.Unlinked, 48);
    const TCircuitLayout tooMany = LayOutCircuits(2, 2, 9, true);  // more circuits than tubes
    EXPECT_EQ(tooMany.TubesPerCircuit, 0);
    EXPECT_EQ(tooMany.Unlinked, 4);
    const TCircuitLayout huge = LayOutCircuits(1e9, 1000000, 1e12, false);
    EXPECT_EQ(huge.Rows, 20);
    EXPECT_EQ(huge.TubesHigh, 1000);
    EXPECT_EQ(LayOutCircuits(-3, -4, -1, true).Path.size(), 0u);
}

TEST(CircuitLayoutTest, PictureFilesAreFoundInTheUserRootBeforeTheMakerRoot)
{
    EXPECT_EQ(CircuitPictureName(4, 8), "4r8t.png");
    EXPECT_EQ(CircuitPictureName(4, 9.6), "4r10t.png");
    test::TTempFolder user, maker;
    EXPECT_TRUE(CircuitPictureFile(user.Path(), maker.Path(), 4, 8).empty());
    test::WriteText(maker / "CoilCirc/Images/4r8t.png", "maker");
    EXPECT_EQ(CircuitPictureFile(user.Path(), maker.Path(), 4, 8), maker / "CoilCirc/Images/4r8t.png");
    test::WriteText(user / "CoilCirc/Images/4r8t.png", "user");
    EXPECT_EQ(CircuitPictureFile(user.Path(), maker.Path(), 4, 8), user / "CoilCirc/Images/4r8t.png");
    EXPECT_EQ(CircuitPictureFile({}, maker.Path(), 4, 8), maker / "CoilCirc/Images/4r8t.png");
    EXPECT_TRUE(CircuitPictureFile(user.Path(), maker.Path(), 3, 8).empty());
}

}  // namespace
}  // namespace vantor
