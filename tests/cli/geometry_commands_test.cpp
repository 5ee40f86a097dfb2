// Runs `vantor-cli geometry` and `vantor-cli makers` against the shipped catalogue, with
// private settings and user data folders.

#include "cli_test_support.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// A command line the program refuses: its exit code and (a part of) its message.
struct TRefusal {
    std::vector<std::string> Args;
    int ExitCode;
    std::string Message;
};

void PrintTo(const TRefusal& c, std::ostream* out)
{
    for (const std::string& arg : c.Args) *out << arg << ' ';
}

class GeometryCommandsTest : public vantor::test::TCliTest, public testing::WithParamInterface<TRefusal> {
};

TEST_F(GeometryCommandsTest, JsonHoldsTheRecordAndEveryDerivedFigure)
{
    const vantor::test::TRun run = RunOk({"geometry", "544 720 4r 12f 7c", "--maker", "Typical", "--json"});
    EXPECT_EQ(run.err, "");
    const nlohmann::json json = nlohmann::json::parse(run.out);
    EXPECT_EQ(json["Designation"], "544 x 720  4r  12f  7c");
    EXPECT_EQ(json["ErrorCode"], 0);
    EXPECT_EQ(json["MakerDesignation"], "");
    EXPECT_EQ(json["SerpLabel"], "1/2");  // 7 circuits over 14 tubes high
    EXPECT_EQ(json["ModelRec"]["Mnf"], "Typical");
    EXPECT_EQ(json["ModelRec"]["Model"], "1/2 inch");
    EXPECT_EQ(json["ModelRec"]["Code"], 1);
    EXPECT_DOUBLE_EQ(json["ModelRec"]["tf"].get<double>(), 0.00015);  // the range's 0.15 mm fins
    EXPECT_DOUBLE_EQ(json["ModelRec"]["fpi"].get<double>(), 12);
    EXPECT_EQ(json["ModelRec"].size(), 25u);

    EXPECT_EQ(json["TubesHigh"], 14);  // 544 / 38.1 = 14.3
    EXPECT_DOUBLE_EQ(json["TubeCount"].get<double>(), 56);
    EXPECT_NEAR(json["FaceArea"].get<double>(), 0.544 * 0.72, 1e-12);
    EXPECT_NEAR(json["FinPitch"].get<double>(), 0.0254 / 12, 1e-12);
    EXPECT_NEAR(json["Depth"].get<double>(), 0.132, 1e-12);
    EXPECT_EQ(json["OppositeEnd"], false);
    for (const char* key : {"OutsideArea", "InsideArea", "FinArea", "AreaRatio", "BoreArea", "Sigma", "FinCount",
                            "HydraulicDiameter", "FinEfficiency", "SurfaceEfficiency", "InternalVolume", "DryWeight"}) {
        ASSERT_TRUE(json.contains(key)) << key;
        EXPECT_GT(json[key].get<double>(), 0) << key;
    }
    EXPECT_LT(json["FinEfficiency"].get<double>(), 1);
}

TEST_F(GeometryCommandsTest, ARangeChosenByNameGivesTheMakersStyle)
{
    const vantor::test::TRun run = RunOk({"geometry", "544 720 4r 12f 7c", "--maker", "hc", "--range", "1/2 INCH WAVY FIN", "--json"});
    const nlohmann::json json = nlohmann::json::parse(run.out);
    EXPECT_EQ(json["ModelRec"]["Model"], "1/2 inch wavy fin");
    EXPECT_DOUBLE_EQ(json["ModelRec"]["fc"].get<double>(), 1.064);
    EXPECT_EQ(json["MakerDesignation"], "4 HWC 21 x 720 x 4.0r x 12.00f - 7c (Cu/Al/GI)");

    const vantor::test::TRun text = RunOk({"geometry", "544 720 4r 12f 7c", "--maker", "GEA", "--tube", "112"});
    EXPECT_NE(text.out.find("Maker:              GEA (12 mm)\n"), std::string::npos) << text.out;
    EXPECT_NE(text.out.find("Maker designation:  18T 4.0NR 720A 2P 7NC\n"), std::string::npos) << text.out;
}

TEST_F(GeometryCommandsTest, MakersListsTheCatalogueAndAMakersRanges)
{
    const vantor::test::TRun names = RunOk({"makers"});
    EXPECT_EQ(names.out, "Typical\nDefault\nRecoil\nHC\nBAC\nEnviroware\nGEA\n");

    const vantor::test::TRun gea = RunOk({"makers", "--maker", "GEA"});
    EXPECT_EQ(gea.out.substr(0, gea.out.find('\n')),
              "10 mm, 9.3000, 10.0000, 21.6500, 25.0000, 0.1000, Staggered, Cu, Al, 1.0000, 1.0000, 0");
    EXPECT_EQ(std::count(gea.out.begin(), gea.out.end(), '\n'), 4);
}

TEST_P(GeometryCommandsTest, BadArgumentsFailWithAClearMessage)
{
    const TRefusal& c = GetParam();
    const vantor::test::TRun run = Run(c.Args);
    EXPECT_EQ(run.exitCode, c.ExitCode) << run.err;
    EXPECT_NE(run.err.find(c.Message), std::string::npos) << run.err;
    // Nothing is shown of a coil that was refused.
    EXPECT_EQ(run.out, "");
    // The installed catalogue has a "Default" maker, so the fallback wrote nothing.
    EXPECT_FALSE(fs::exists(m_base / "data"));
}

INSTANTIATE_TEST_SUITE_P(
    , GeometryCommandsTest,
    testing::Values(
        TRefusal{{"geometry", "544 720 4r 12f"}, 1,
                 "Invalid designation \"544 720 4r 12f\": fewer than five readable numbers"},
        TRefusal{{"geometry", "544 720 25r 12f 7c"}, 1, "rows outside 1 to 20"},
        TRefusal{{"geometry", "544 720 4r 12f 7c", "--range", "7/8 inch"}, 1,
                 "The coil maker Typical has no tube range 7/8 inch"},
        TRefusal{{"geometry", "544 720 4r 12f 7c", "--range", "1/2 inch", "--tube", "4"}, 2, "excludes"},
        TRefusal{{"geometry", "544 720 4r 12f 7c", "--tube", "many"}, 2, ""},
        // An unknown maker or a tube the maker lacks is refused, with what there is.
        TRefusal{{"geometry", "544 720 4r 12f 7c", "--maker", "Nobody"}, 1,
                 "There is no coil maker Nobody in the catalogue; its makers are Typical, Default, Recoil, HC, BAC, "
                 "Enviroware, GEA\n"},
        TRefusal{{"geometry", "544 720 4r 12f 7c", "--tube", "6"}, 1,
                 "The coil maker Typical has no tube code 6; its ranges (tube code and name) are 3 (3/8 inch), "
                 "4 (1/2 inch), 4 (1/2 inch copper fin), 5 (5/8 inch), 5 (5/8 inch heavy duty), "
                 "5 (5/8 inch in-line)\n"},
        TRefusal{{"geometry", "544 720 4r 12f 7c", "--maker", "GEA", "--tube", "4"}, 1,
                 "GEA has no tube code 4; its ranges"},
        TRefusal{{"geometry", "544 720 4r 12f 7c", "--maker", "BAC", "--range", "3/8 inch"}, 1,
                 "The coil maker BAC has no tube range 3/8 inch; its ranges (tube code and name) are 4 (1/2 inch), "},
        TRefusal{{"makers", "--maker", "Nobody"}, 1, "There is no coil maker Nobody in the catalogue"}));

TEST_F(GeometryCommandsTest, WithoutACatalogueTheDefaultRangeIsUsedAndTheUsersCopyCreated)
{
    fs::create_directories(m_base / "empty-root");
    UseMakerRoot(m_base / "empty-root");
    const vantor::test::TRun makers = Run({"makers"});
    EXPECT_EQ(makers.exitCode, 1);
    EXPECT_NE(makers.err.find("No coil makers in the catalogue"), std::string::npos) << makers.err;

    const vantor::test::TRun run = Run({"geometry", "544 720 4r 12f 7c", "--json"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.err.find("There are no matching coils for Typical in the database!"), std::string::npos);
    EXPECT_EQ(nlohmann::json::parse(run.out)["ModelRec"]["Mnf"], "Default");
    EXPECT_TRUE(fs::exists(m_base / "data" / "korvane" / "Common Files" / "CoilMakers.xml"));
    EXPECT_EQ(Run({"makers"}).out, "Default\n");
}

}  // namespace
