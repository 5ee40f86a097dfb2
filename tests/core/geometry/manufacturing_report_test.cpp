#include "geometry/manufacturing_report.h"

#include "geometry/fin_and_tube.h"
#include "reports/report_sink.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace vantor {
namespace {

bool HasLine(const TStringSink& sink, const std::string& text)
{
    return std::any_of(sink.Lines().begin(), sink.Lines().end(), [&](const auto& line) { return line.Text == text; });
}

TEST(ManufacturingReport, DefaultCoilWithSevenCircuits)
{
    // 533.4 mm high on a 38.1 mm pitch: 14 tubes high, 56 tubes in 4 rows, 8 per circuit, an
    // even count so both connections sit at the same end. Equivalent length per circuit:
    // (56 × 0.74 + 55 × 40 × 0.0125222) / 7 = 9.86 m; the weight is 24.22 kg.
    TFinAndTube geometry;
    TStringSink sink;
    ManufacturingReport(geometry, sink);

    const std::vector<std::pair<std::string, bool>> expected = {
        {"", false}, {"Coil Manufacturing Report", true},
        {"Default ()", false}, {"533.4 x 740  4r  10f  7c", false},
        {"", false}, {"Dimensions", true},
        {"Height\t533.4\tmm", false}, {"Length\t740.0\tmm", false}, {"Depth\t132.0\tmm", false},
        {"Rows\t4.0\t", false}, {"Fins\t10.00\tfpi", false}, {"Weight\t24.2\tkg", false}, {"", false},
        {"Circuiting", true},
        {"Tubes High\t14\t", false}, {"Tube Count\t56.0\t", false}, {"Circuits\t7\t", false},
        {"Circuit Basis\tTubes high", false}, {"Tubes/Circuits\t8\t", false}, {"Unlinked tubes\t0\t", false},
        {"Serpentine\t1/2\t", false}, {"Eq Length\t9.9\tm", false}, {"Connections\tSame end\t", false},
        {"", false},
        {"Tube (Staggered Pattern)", true},
        {"ID\t12.522\tmm", false}, {"OD\t13.335\tmm", false}, {"Sx\t33.000\tmm", false},
        {"Sy\t38.100\tmm", false}, {"", false},
        {"Fin", true}, {"Thickness\t0.152\tmm", false}, {"Area factor\t1.000\t", false}, {"", false},
        {"Material", true}, {"Fin\tAl\t", false}, {"Tube\tCu\t", false}, {"Casing\tGI\t", false},
    };
    ASSERT_EQ(sink.Lines().size(), expected.size()) << sink.Text();
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(sink.Lines()[i].Text, expected[i].first) << "line " << i;
        EXPECT_EQ(sink.Lines()[i].Bold, expected[i].second) << "line " << i;
    }
    EXPECT_NEAR(geometry.DryWeight(), 24.22, 0.01);  // the report weighed the coil
}

TEST(ManufacturingReport, CircuitingLengthAndMakerFollowTheRecord)
{
    TFinAndTube geometry;
    geometry.SetCircuits(5);         // 56 tubes: 11 a circuit, one left over; 11 is odd
    geometry.SetFinnedLength(0.72);
    TModelRec rec = geometry.ModelRecord();
    rec.Mnf = "gea";                 // a maker style, found without regard to case
    geometry.SetModelRecord(rec);
    TStringSink sink;
    ManufacturingReport(geometry, sink);
    EXPECT_TRUE(HasLine(sink, "Tubes/Circuits\t11\t"));
    EXPECT_TRUE(HasLine(sink, "Unlinked tubes\t1\t"));
    EXPECT_TRUE(HasLine(sink, "Connections\tOpposite end\t"));
    EXPECT_TRUE(HasLine(sink, "Length\t720.0\tmm"));
    // 14 tubes high, 4 rows, 720 mm, 25.4 / 10 = 3 mm fin pitch, 5 circuits.
    EXPECT_EQ(sink.Lines()[4].Text, "14T 4.0NR 720A 3P 5NC");

    // More circuits than tubes: none a circuit, and no leftover line.
    geometry.SetRows(1);
    geometry.SetCircuits(20);
    sink.Clear();
    ManufacturingReport(geometry, sink);
    EXPECT_TRUE(HasLine(sink, "Tubes/Circuits\t0\t"));
    EXPECT_FALSE(std::any_of(sink.Lines().begin(), sink.Lines().end(),
                             [](const auto& line) { return line.Text.rfind("Unlinked tubes", 0) == 0; }));
}

}  // namespace
}  // namespace vantor
