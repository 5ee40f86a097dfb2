// Runs `vantor-cli locations` and `barometer --place` on the shipped databases and on
// databases the tests build, in the shared files folder and in the user's.

#include "cli_test_support.h"

#include <cmath>

namespace {

// Two places of one name; Sommet lies above the calculator's 3063.8 m.
const std::string kTable =
    "# test places\n"
    "Europe,France,Saint-Denis,48.94,2.36,1,35,31,20,-5,4,33,-9,10\n"
    "Africa,Réunion,Saint-Denis,-20.88,55.45,4,30,32,24.5,17,4.5,34,14.5,6.5\n"
    "Africa,Réunion,Sommet,-21.1,55.5,4,3500,15,10,-2,6,17,-6,8\n";

void WriteTable(const std::filesystem::path& file, const std::string& text)
{
    std::ofstream out(file, std::ios::binary);
    out << text;
}

class LocationCommands : public vantor::test::TCliTest {
protected:
    // The databases built from kTable into the user's shared files folder.
    void BuildUserDatabases()
    {
        WriteTable(m_base / "places.csv", kTable);
        const vantor::test::TRun built =
            Run({"locations", "--build", (m_base / "places.csv").string(), "--out", UserFolder().string()});
        ASSERT_EQ(built.exitCode, 0) << built.err;
        EXPECT_NE(built.out.find("3 places in 2 databases and 2 regions"), std::string::npos) << built.out;
    }
    std::filesystem::path UserFolder() const { return m_base / "data" / "korvane" / "Common Files"; }
};

}  // namespace

TEST_F(LocationCommands, ShippedDatabasesListEveryContinent)
{
    const vantor::test::TRun run = RunOk({"locations", "--json"});
    const nlohmann::json json = run.Json();
    std::vector<std::string> names;
    for (const auto& database : json["Databases"]) names.push_back(database["Name"].get<std::string>());
    EXPECT_EQ(names, (std::vector<std::string>{"+All", "Africa", "Antarctica", "Asia", "Europe", "North America",
                                               "Oceania", "South America"}));
    EXPECT_EQ(json["Note"], "Typical climatic values for orientation, not design data");

    const vantor::test::TRun regions = RunOk({"locations", "--database", "Oceania", "--json"});
    EXPECT_EQ(regions.Json()["Regions"][0]["Name"], "+All");
    EXPECT_EQ(regions.Json()["Regions"][0]["Code"], 0);

    const vantor::test::TRun places = RunOk({"locations", "--database", "Oceania", "--region", "Australia"});
    EXPECT_NE(places.out.find("  Sydney, Australia\n"), std::string::npos) << places.out;
    EXPECT_EQ(places.out.find("Auckland"), std::string::npos) << places.out;
}

TEST_F(LocationCommands, AShippedPlaceInTheSouthernHemisphere)
{
    const vantor::test::TRun run = RunOk({"locations", "--place", "johannesburg", "--json"});
    const nlohmann::json json = run.Json();
    EXPECT_EQ(json["Database"], "Africa");
    EXPECT_EQ(json["Region"], "South Africa");
    EXPECT_EQ(json["PlaceText"], "Johannesburg, South Africa");
    EXPECT_NEAR(json["Latitude"].get<double>(), -26.2, 1e-5);
    EXPECT_EQ(json["Rows"][0], nlohmann::json({"Latitude", "26.20S"}));
    EXPECT_EQ(json["Rows"][1], nlohmann::json({"Longitude", "28.05E"}));
    EXPECT_GE(json["Records"].get<int>(), 200);
    EXPECT_GE(json["Record"].get<int>(), 1);

    // 1753 m in the isothermal atmosphere: 101.325·exp(−1753/8284.24) = 82.0006 kPa.
    const vantor::test::TRun barometer = RunOk({"barometer", "--place", "Johannesburg", "--json"});
    EXPECT_NEAR(barometer.Json()["P"].get<double>(), 82.0006, 1e-3);
    EXPECT_EQ(barometer.Json()["Held"], false);
}

TEST_F(LocationCommands, TheUsersOwnDatabasesReplaceTheShippedOnes)
{
    BuildUserDatabases();
    const vantor::test::TRun list = RunOk({"locations", "--json"});
    EXPECT_EQ(list.Json()["Databases"].size(), 3u);  // +All, Europe, Africa: nothing shipped mixed in
    EXPECT_FALSE(list.Json().contains("Note"));

    const vantor::test::TRun twice = Run({"barometer", "--place", "Saint-Denis"});
    EXPECT_EQ(twice.exitCode, 1);
    EXPECT_NE(twice.err.find("matches 2 places"), std::string::npos) << twice.err;
    EXPECT_NE(twice.err.find("Saint-Denis, France"), std::string::npos) << twice.err;
    EXPECT_NE(twice.err.find("Saint-Denis, Réunion"), std::string::npos) << twice.err;

    const vantor::test::TRun one = RunOk({"barometer", "--place", "Saint-Denis", "--database", "Africa", "--json"});
    EXPECT_NEAR(one.Json()["altitude"].get<double>(), 30.0, 1e-6);

    const vantor::test::TRun high = RunOk({"barometer", "--place", "Sommet", "--json"});
    EXPECT_EQ(high.Json()["Held"], true);
    EXPECT_NEAR(high.Json()["P"].get<double>(), 70.0, 1e-9);
    EXPECT_NE(high.Json()["Message"].get<std::string>().find("held at 70 kPa"), std::string::npos);
}

TEST_F(LocationCommands, AnotherFolderAndItsFailures)
{
    WriteTable(m_base / "places.csv", kTable);
    ASSERT_EQ(Run({"locations", "--build", (m_base / "places.csv").string(), "--out", (m_base / "db").string()}).exitCode, 0);
    const vantor::test::TRun sommet = RunOk({"locations", "--folder", (m_base / "db").string(), "--place", "Sommet"});
    EXPECT_NE(sommet.out.find("Sommet, Réunion"), std::string::npos) << sommet.out;
    EXPECT_NE(sommet.out.find("Latitude        21.10S"), std::string::npos) << sommet.out;
    EXPECT_NE(sommet.out.find("Record 3 of 3"), std::string::npos) << sommet.out;

    std::filesystem::remove(m_base / "db" / "Europe.wdb");
    const vantor::test::TRun missing = Run({"locations", "--folder", (m_base / "db").string(), "--database", "Europe"});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.err.find("The Europe Database has not been installed"), std::string::npos) << missing.err;

    struct TCase {
        std::vector<std::string> Args;
        int Exit;
        const char* Message;
    };
    WriteTable(m_base / "bad.csv", "Europe,France,Paris,48.86,2.35,1,35\n");
    const TCase cases[] = {
        {{"locations", "--folder", (m_base / "none").string()}, 1, "no location databases"},
        {{"locations", "--folder", (m_base / "db").string(), "--place", "Atlantis"}, 1, "no place \"Atlantis\""},
        {{"locations", "--folder", (m_base / "db").string(), "--database", "Asia"}, 1, "no database \"Asia\""},
        {{"locations", "--build", (m_base / "bad.csv").string(), "--out", (m_base / "x").string()}, 1, "bad.csv, line 1: 7 fields"},
        {{"locations", "--build", (m_base / "bad.csv").string()}, 2, "--build needs --out"},
        {{"barometer", "--place", "Paris", "--altitude", "3"}, 2, "give one of"},
        {{"barometer", "--altitude", "3", "--database", "Europe"}, 2, "--database goes with --place"},
    };
    for (const TCase& c : cases) {
        const vantor::test::TRun run = Run(c.Args);
        EXPECT_EQ(run.exitCode, c.Exit) << c.Args[1] << " " << run.err;
        EXPECT_NE(run.err.find(c.Message), std::string::npos) << run.err;
    }
    const vantor::test::TRun nowhere = Run({"barometer", "--place", "Atlantis"});
    EXPECT_EQ(nowhere.exitCode, 1);
    EXPECT_EQ(nowhere.err, "vantor-cli barometer: there is no place \"Atlantis\" in +All, +All\n");
    EXPECT_FALSE(std::filesystem::exists(m_base / "x"));
}
