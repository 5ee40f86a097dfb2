#include "geometry/fin_and_tube.h"

#include "catalogue_test_support.h"
#include "geometry/coil_makers.h"
#include "geometry/designation.h"

#include "support/allocation_counter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <ostream>


namespace vantor {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// One field of a model record set to a value no coil can have.
struct TBadRecord {
    const char* what;
    double TModelRec::*field;
    double value;
};

void PrintTo(const TBadRecord& c, std::ostream* out) { *out << c.what; }

class FinAndTubeTest : public testing::TestWithParam<TBadRecord> {};

TFinAndTube DefaultGeometry()
{
    TFinAndTube geometry;
    geometry.SetModelRecord(TModelRec{});
    return geometry;
}

TEST_F(FinAndTubeTest, TheDefaultCoilHasTheFiguresWorkedOutByHand)
{
    // 533.4 × 740 mm, 4 rows, 10 fpi, 7 circuits, 1/2 in tubes at 38.1 × 33 mm, 0.1524 mm
    // aluminium fins: 14 tubes high, 56 tubes, 8 tubes per circuit.
    TFinAndTube g = DefaultGeometry();
    EXPECT_EQ(g.TakeError(), 0);
    EXPECT_EQ(g.TubesHigh(), 14);
    EXPECT_DOUBLE_EQ(g.TubeCount(), 56);
    EXPECT_NEAR(g.FaceArea(), 0.394716, 1e-9);
    EXPECT_NEAR(g.FinPitch(), 0.00254, 1e-12);
    EXPECT_NEAR(g.FinCount(), 291.34, 0.005);
    EXPECT_NEAR(g.Depth(), 0.132, 1e-12);
    EXPECT_NEAR(g.CollarDiameter(), 0.0136398, 1e-10);
    EXPECT_NEAR(g.Sigma(), 0.60348, 5e-6);
    EXPECT_NEAR(g.FreeFlowArea(), 0.394716 * 0.60348, 5e-6);
    EXPECT_NEAR(g.OutsideArea(), 37.99, 0.005);
    EXPECT_NEAR(g.InsideArea(), 1.805, 0.0005);
    EXPECT_NEAR(g.AreaRatio(), 37.99 / 1.805, 0.01);
    EXPECT_NEAR(g.InternalVolume(), 0.005516, 5e-7);
    EXPECT_NEAR(g.FinEfficiency(), 0.876, 0.0005);
    EXPECT_NEAR(g.SurfaceEfficiency(), 0.881, 0.0005);
    EXPECT_EQ(g.SerpentineIndex(), 103);
    EXPECT_FALSE(g.OppositeEnd());
    EXPECT_NEAR(g.ComputeWeight(), 24.22, 0.005);
    EXPECT_DOUBLE_EQ(g.DryWeight(), g.ComputeWeight());
    EXPECT_EQ(g.Designation(), "533.4 x 740  4r  10f  7c");
}

TEST_F(FinAndTubeTest, TubeAndAirSideRecordsOfTheDefaultCoil)
{
    const TFinAndTube g = DefaultGeometry();
    const TTubeSideGeometry tube = g.TubeSideGeometry();
    EXPECT_NEAR(tube.WallThickness, 0.0004064, 1e-12);
    EXPECT_NEAR(tube.FlowArea, 7 * 1.231547e-4, 1e-9);  // π × 12.5222² / 4 = 123.1547 mm² a circuit
    EXPECT_NEAR(tube.EquivalentLength, (56 * 0.74 + 55 * 40 * 0.0125222) / 7, 1e-9);  // 9.8556 m
    EXPECT_NEAR(tube.DevelopedLength, 6.5534, 0.0001);  // (50.404 mm × π/2 + 740 mm) × 8 tubes

    const TAirSideGeometry air = g.AirSideGeometry();
    EXPECT_NEAR(air.FinGap, 0.00254 - 0.0001524, 1e-12);
    EXPECT_DOUBLE_EQ(air.FinConductivity, 0.209);
    EXPECT_DOUBLE_EQ(air.TubeConductivity, 0.384);
    // 4 σ Sx / (Ao / A / rows)
    EXPECT_NEAR(air.HydraulicDiameter, 4 * 0.60348 * 0.033 / (37.986 / 0.394716 / 4), 1e-6);
}

TEST_F(FinAndTubeTest, CircuitingDecidesTheConnectionEnd)
{
    struct TCase {
        double rows;
        double circuits;
        bool opposite;
        const char* serpentine;
    };
    const TCase cases[] = {
        {3, 7, false, "1/2"},     // 42 tubes: 6 per circuit
        {3, 3, false, "3/14"},    // 14 per circuit
        {3, 6, true, "3/7"},      // 7 per circuit
        {4, 5, true, "5/14"},     // 56 / 5 = 11.2: 11 passes
        {4, 0.5, false, "3/40"},  // stored as one circuit: 56 per circuit, 1/14 below the table
    };
    for (const TCase& c : cases) {
        TModelRec rec;
        rec.Rows = c.rows;
        rec.Circ = c.circuits;
        TFinAndTube g;
        g.SetModelRecord(rec);
        EXPECT_EQ(g.OppositeEnd(), c.opposite) << c.rows << " rows, " << c.circuits << " circuits";
        EXPECT_EQ(CircuitFractionLabel(g.SerpentineIndex()), c.serpentine) << c.circuits;
    }
    TModelRec byRows;
    byRows.cb = kBasisRowsDeep;  // 7 circuits over 4 rows: 1.75, down to 1-2/3
    TFinAndTube g;
    g.SetModelRecord(byRows);
    EXPECT_EQ(CircuitFractionLabel(g.SerpentineIndex()), "1-2/3");
}

TEST_F(FinAndTubeTest, RecordValuesAreNormalisedAsTheCoilIsComputed)
{
    TFinAndTube g = DefaultGeometry();
    g.SetRows(2.5);
    EXPECT_NEAR(g.Depth(), 3 * 0.033, 1e-12);
    EXPECT_DOUBLE_EQ(g.TubeCount(), 35);

    TModelRec noFins;
    noFins.fpi = 0;
    g.SetModelRecord(noFins);
    EXPECT_DOUBLE_EQ(g.ModelRecord().fpi, 2);
    EXPECT_NEAR(g.FinPitch(), 0.0127, 1e-12);

    for (const auto& [asked, stored] : {std::pair{0.0, 1.0}, {-4.0, 1.0}, {kNaN, 1.0}, {5000.0, 1600.0}, {12.0, 12.0}}) {
        g.SetCircuits(asked);
        EXPECT_DOUBLE_EQ(g.ModelRecord().Circ, stored) << asked;
    }

    g.SetFinHeight(0.5);  // 13.12 tubes high
    EXPECT_EQ(g.TubesHigh(), 13);
    TModelRec exact;  // heights of 14.5 and 13.5 pitches both give 14: halves go to the even side
    exact.Sy = 1.0 / 32;
    exact.fHeight = 14.5 / 32;
    g.SetModelRecord(exact);
    EXPECT_EQ(g.TubesHigh(), 14);
    exact.fHeight = 13.5 / 32;
    g.SetModelRecord(exact);
    EXPECT_EQ(g.TubesHigh(), 14);
    EXPECT_EQ(g.TakeError(), 0);
}

TEST_P(FinAndTubeTest, ARecordThatCannotDescribeACoilIsRefusedAndTheFiguresStayFinite)
{
    const TFinAndTube good = DefaultGeometry();
    TFinAndTube g = DefaultGeometry();
    TModelRec rec;
    rec.*GetParam().field = GetParam().value;
    g.SetModelRecord(rec);
    EXPECT_EQ(g.TakeError(), TFinAndTube::kComputationFailed);
    EXPECT_EQ(g.TakeError(), 0);
    EXPECT_EQ(g.TubesHigh(), good.TubesHigh());
    for (double figure : {g.FaceArea(), g.OutsideArea(), g.InsideArea(), g.Sigma(), g.HydraulicDiameter(),
                          g.FinEfficiency(), g.SurfaceEfficiency(), g.AreaRatio(), g.InternalVolume()})
        EXPECT_TRUE(std::isfinite(figure));
    EXPECT_DOUBLE_EQ(g.OutsideArea(), good.OutsideArea());
    const TTubeSideGeometry tube = g.TubeSideGeometry();
    EXPECT_TRUE(std::isfinite(tube.EquivalentLength) && std::isfinite(tube.FlowArea));
}

INSTANTIATE_TEST_SUITE_P(
    , FinAndTubeTest,
    testing::Values(
        TBadRecord{"zero tube pitch", &TModelRec::Sy, 0},
        TBadRecord{"negative row pitch", &TModelRec::Sx, -0.033},
        TBadRecord{"zero inside diameter", &TModelRec::ID, 0},
        TBadRecord{"NaN outside diameter", &TModelRec::OD, kNaN},
        TBadRecord{"zero fin thickness", &TModelRec::tf, 0},
        TBadRecord{"height below half a pitch", &TModelRec::fHeight, 0.019},
        TBadRecord{"zero length", &TModelRec::fLength, 0},
        TBadRecord{"negative rows", &TModelRec::Rows, -4},
        TBadRecord{"infinite fin factor", &TModelRec::fc, kInf},
        TBadRecord{"infinite height", &TModelRec::fHeight, kInf},
        TBadRecord{"huge height", &TModelRec::fHeight, 1e300},
        TBadRecord{"tubes wider than their pitch", &TModelRec::OD, 0.04},
        TBadRecord{"fins thicker than their pitch", &TModelRec::fpi, 1e6},
        TBadRecord{"zero inside area factor", &TModelRec::ft, 0}));

TEST_F(FinAndTubeTest, CodesOutsideTheirTablesTakeTheRecordDefaults)
{
    TModelRec rec;
    rec.Code = 6;
    rec.cb = 2;
    rec.Serp = 142;
    rec.tp = 2;
    rec.Mf = 8;
    rec.Mt = 255;
    rec.Mc = 9;
    rec.Circ = 14;  // one circuit per tube high
    TFinAndTube g;
    g.SetModelRecord(rec);
    const TModelRec& stored = g.ModelRecord();
    EXPECT_EQ(stored.Code, kHotWaterCoil);
    EXPECT_EQ(stored.cb, kBasisTubesHigh);
    EXPECT_EQ(stored.tp, kStaggered);
    EXPECT_EQ(stored.Mf, kAluminium);
    EXPECT_EQ(stored.Mt, kCopper);
    EXPECT_EQ(stored.Mc, kGalvanisedIron);
    EXPECT_EQ(CircuitFractionLabel(stored.Serp), "1");
    EXPECT_EQ(g.TakeError(), 0);

    g.SetFinMaterial(0);  // copper fins conduct better: ml = √(0.08 / (0.384 × tf)) × l
    const double finLength = (std::sqrt(4 * 0.0381 * 0.033 / M_PI) - 0.0136398) / 2;
    EXPECT_NEAR(g.FinParameter(), std::sqrt(0.08 / (0.384 * 0.0001524)) * finLength, 1e-9);
    g.SetFinMaterial(42);
    EXPECT_EQ(g.ModelRecord().Mf, kAluminium);
}

TEST_F(FinAndTubeTest, ADesignationIsTakenWhenAcceptedAndShownAsTypedWhenRejected)
{
    TFinAndTube g = DefaultGeometry();
    g.SetDesignation("544 720 4r 12f 7c");
    EXPECT_EQ(g.TakeError(), 0);
    EXPECT_EQ(g.Designation(), "544 x 720  4r  12f  7c");
    EXPECT_DOUBLE_EQ(g.ModelRecord().fpi, 12);
    EXPECT_NEAR(g.FaceArea(), 0.544 * 0.72, 1e-12);

    g.SetDesignation("544 720 25r 12f 7c");
    EXPECT_EQ(g.Designation(), "544 720 25r 12f 7c");
    EXPECT_DOUBLE_EQ(g.ModelRecord().Rows, 4);
    EXPECT_EQ(g.TakeError(), kDesignationRowsOutOfRange);
    g.SetCircuits(8);
    EXPECT_EQ(g.Designation(), "544 x 720  4r  12f  8c");
}

TEST_F(FinAndTubeTest, CreateTakesTheMakersRangeForTheTube)
{
    test::TCatalogueFolders folders;
    folders.InstallShipped();
    TCoilMakers catalogue(folders.Env);
    struct TCase {
        const char* maker;
        const char* designation;
        int tube;
        const char* range;
        int error;
    };
    const TCase cases[] = {
        {"typical", "544 720 4r 12f 7c", 5, "5/8 inch", 0},
        {"GEA", "544 720 4r 12f 7c", 112, "12 mm", 0},
        {"GEA", "544 720 4r 12f 7c", 12, "10 mm", 0},     // no such code: the maker's first range
        {"Typical", "544 720 4r 12f", 4, "1/2 inch", 1},  // the default model values stay
    };
    for (const TCase& c : cases) {
        TFinAndTube g;
        g.SetFinHeight(1);
        g.Create(catalogue, c.maker, c.designation, 3, c.tube);
        EXPECT_EQ(g.ModelRecord().Model, c.range) << c.maker << " " << c.tube;
        EXPECT_EQ(g.ModelRecord().Code, 3);
        EXPECT_EQ(g.TakeError(), c.error) << c.designation;
        EXPECT_DOUBLE_EQ(g.ModelRecord().fHeight, c.error == 0 ? 0.544 : 0.5334);
    }
}

TEST_F(FinAndTubeTest, RematchAndMakerModelFindTheCatalogueRangeAndKeepTheMaterials)
{
    test::TCatalogueFolders folders;
    folders.InstallShipped();
    TCoilMakers catalogue(folders.Env);
    TFinAndTube g;
    g.Create(catalogue, "Typical", "544 720 4r 12f 7c", 1, 4);

    // A data file holding the copper-fin 1/2 inch build under no range name.
    TModelRec fromFile = g.ModelRecord();
    fromFile.Model = "";
    fromFile.tf = 0.00012;
    fromFile.Mf = kCopper;
    g.SetModelRecord(fromFile);
    g.RematchCatalogue(catalogue);
    EXPECT_EQ(g.ModelRecord().Model, "1/2 inch copper fin");
    EXPECT_EQ(g.ModelRecord().Mf, kCopper);

    g.SetMakerModel(catalogue, "Typical", "5/8 inch heavy duty, 14.8590, 15.8750, 44.0000, 50.8000, 0.2000, "
                                          "Staggered, Cu, Al, 1.0000, 1.0000, 0");
    EXPECT_EQ(g.ModelRecord().Model, "5/8 inch heavy duty");
    EXPECT_EQ(g.ModelRecord().Mf, kAluminium);
    EXPECT_EQ(g.TubesHigh(), 11);  // 544 / 50.8 = 10.7
    EXPECT_EQ(g.TakeError(), 0);
}

TEST_F(FinAndTubeTest, UpdateAllocatesNothing)
{
    TFinAndTube g = DefaultGeometry();
    const long before = test::AllocationCount();
    for (int i = 0; i < 100; ++i) g.SetFinHeight(0.5 + i * 0.001);
    (void)g.TubeSideGeometry();
    (void)g.AirSideGeometry();
    (void)g.ComputeWeight();
    EXPECT_EQ(test::AllocationCount() - before, 0);
}

}  // namespace
}  // namespace vantor
