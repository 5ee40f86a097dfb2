// `vantor-cli rate --psy`, the chart file of "Plot process on Aerograph", and the file
// property options that --save and --psy write.

#include "cli_test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class RateFileProperties : public vantor::test::TCliTest {
protected:
    vantor::test::TRun Rate(std::vector<std::string> args) const
    {
        args.insert(args.begin(), {"rate", "--no-settings"});
        return Run(args);
    }
    std::string Path(const std::string& name) const { return (m_base / name).string(); }
};

TEST_F(RateFileProperties, PsyWritesTheSolvedProcessOfTheFirstRunCoil)
{
    const vantor::test::TRun run = Rate({"--psy", Path("coil.psy"), "--date", "05 03 2012", "--author", "Ann",
                                         "--company", ""});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    // The first-run coil rated outside this project: 25/17 air at 101.325 kPa leaves at
    // 40.511/21.904 °C, 1.1532 kg/s of it.
    EXPECT_EQ(vantor::test::Slurp(Path("coil.psy")),
              "'Aerograph 1.0 data file'\r\n''\r\n''\r\n0\r\n'Ann'\r\n''\r\n'05 03 2012'\r\n"
              "101.325\r\n5.00, 35.00, 0.00100, 0.02000\r\n"
              "'Node1', 'On', 25.000, 17.000, ''\r\n'Node2', 'Off', 40.511, 21.904, ''\r\n"
              "'Process1', 'Coil', 'Node1', 'Node2', 1.1532, ''\r\n");
    EXPECT_FALSE(run.out.empty()) << "the report is printed as usual";
}

TEST_F(RateFileProperties, PropertyOptionsGoIntoTheDataFileAndTheChartFile)
{
    const vantor::test::TRun run =
        Rate({"--project-name", "North Wing", "--project-number", "P-17", "--comments", "Level 2\\nAHU 'B'",
              "--author", "Ann", "--company", "Korvane", "--date", "5 3 2012", "--save", Path("a.hqx"), "--psy",
              Path("a.psy")});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const std::string saved = vantor::test::Slurp(Path("a.hqx"));
    for (const char* element : {"<projectname>North Wing</projectname>", "<projectnumber>P-17</projectnumber>",
                                "<description>Level 2%13%10AHU 'B'</description>", "<author>Ann</author>",
                                "<company>Korvane</company>", "<date>05 03 2012</date>"})
        EXPECT_NE(saved.find(element), std::string::npos) << element << "\n" << saved;
    EXPECT_NE(vantor::test::Slurp(Path("a.psy"))
                  .find("'North Wing'\r\n'P-17'\r\n2\r\n'Level 2'\r\n'AHU 'B''\r\n'Ann'\r\n'Korvane'\r\n'05 03 2012'\r\n"),
              std::string::npos);

    // Unset ones keep the file's.
    ASSERT_EQ(Rate({Path("a.hqx"), "--project-number", "P-18", "--save", Path("b.hqx")}).exitCode, 0);
    const std::string resaved = vantor::test::Slurp(Path("b.hqx"));
    EXPECT_NE(resaved.find("<projectname>North Wing</projectname>"), std::string::npos) << resaved;
    EXPECT_NE(resaved.find("<projectnumber>P-18</projectnumber>"), std::string::npos) << resaved;
    EXPECT_NE(resaved.find("<date>05 03 2012</date>"), std::string::npos) << resaved;
}

TEST_F(RateFileProperties, TextsADataFileCannotStoreAreRefusedBeforeAnythingIsWritten)
{
    const struct {
        const char* option;
        std::string text;
        const char* problem;
    } cases[] = {
        {"--company", "\xFF\xFE" "Korvane", "is not valid UTF-8"},
        {"--company", "A\x01" "B", "holds a control character"},
        {"--author", "Ann\x1B", "holds a control character"},
        {"--comments", "one\\n\xC3", "is not valid UTF-8"},
        {"--project-name", "\xEF\xBF\xBF", "holds a control character"},
        {"--project-number", "P\x7F\x08", "holds a control character"},
    };
    for (const auto& c : cases) {
        const vantor::test::TRun run = Rate({c.option, c.text, "--save", Path("x.hqx"), "--psy", Path("x.psy")});
        EXPECT_EQ(run.exitCode, 2) << c.option;
        EXPECT_NE(run.err.find(std::string(c.option) + ": the text " + c.problem), std::string::npos) << run.err;
        EXPECT_FALSE(std::filesystem::exists(Path("x.hqx"))) << c.option;
        EXPECT_FALSE(std::filesystem::exists(Path("x.psy"))) << c.option;
    }
    // Tabs and any script are text like any other.
    const vantor::test::TRun run = Rate({"--company", "Kälte\tGmbH 東京", "--save", Path("ok.hqx")});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(vantor::test::Slurp(Path("ok.hqx")).find("<company>Kälte\tGmbH 東京</company>"), std::string::npos);
}

TEST_F(RateFileProperties, BadDatesAndUnwritableChartFilesAreReported)
{
    for (const char* date : {"2012-03-05", "31 02 2012", "today"}) {
        const vantor::test::TRun run = Rate({"--date", date, "--save", Path("x.hqx")});
        EXPECT_EQ(run.exitCode, 2) << date;
        EXPECT_NE(run.err.find("--date"), std::string::npos) << run.err;
        EXPECT_FALSE(std::filesystem::exists(Path("x.hqx"))) << date;
    }
    const vantor::test::TRun missing = Rate({"--psy", Path("no/such/folder/a.psy")});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.err.find("Error writing Aerograph file.."), std::string::npos) << missing.err;

    const vantor::test::TRun empty = Rate({"--psy", ""});
    EXPECT_EQ(empty.exitCode, 1);
    EXPECT_NE(empty.err.find("--psy: File name not known"), std::string::npos) << empty.err;
}

}  // namespace
