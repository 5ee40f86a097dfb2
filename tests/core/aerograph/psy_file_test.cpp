#include "aerograph/psy_file.h"

#include "document/psy_export.h"
#include "support/file_properties_of.h"

#include <gtest/gtest.h>

#include <chrono>

namespace vantor {
namespace {

TEST(PsyFile, ReadsWhatThePlotCommandWrites)
{
    const TFileProperties properties = test::FilePropertiesOf("O'Brien's wing", "P-17", "Level 2\r\nAHU 3, heating", "Ann",
                                                              "Korvane", std::chrono::year{2012} / std::chrono::March / 5);
    TPsyProcess process;
    process.OnDryBulb = 24;
    process.OnWetBulb = 17;
    process.OffDryBulb = 40.125;
    process.OffWetBulb = 22.5;
    process.AirMassFlow = 1.2345;
    process.Barometer = 89.875;

    TPsyFile file;
    const TResult read = ParsePsyText(*PsyExportText(properties, process), file);
    ASSERT_TRUE(read) << read.Message;
    EXPECT_EQ(file.Properties, properties);
    EXPECT_DOUBLE_EQ(file.Barometer, 89.875);
    EXPECT_EQ(file.Ranges, (TPsyRanges{5, 35, 0.001, 0.02}));
    ASSERT_EQ(file.Nodes.size(), 2u);
    EXPECT_EQ(file.Nodes[0].Name, "Node1");
    EXPECT_EQ(file.Nodes[0].Caption, "On");
    EXPECT_DOUBLE_EQ(file.Nodes[0].DryBulb, 24);
    EXPECT_DOUBLE_EQ(file.Nodes[0].WetBulb, 17);
    EXPECT_EQ(file.Nodes[1].Caption, "Off");
    EXPECT_DOUBLE_EQ(file.Nodes[1].DryBulb, 40.125);
    EXPECT_DOUBLE_EQ(file.Nodes[1].WetBulb, 22.5);
    ASSERT_EQ(file.Processes.size(), 1u);
    EXPECT_EQ(file.Processes[0].Caption, "Coil");
    EXPECT_EQ(file.Processes[0].FromNode, "Node1");
    EXPECT_EQ(file.Processes[0].ToNode, "Node2");
    EXPECT_DOUBLE_EQ(file.Processes[0].AirMassFlow, 1.2345);
}

TEST(PsyFile, MoreNodesAndProcessesInAnyOrderWithLfLineEnds)
{
    TPsyFile file;
    const TResult read = ParsePsyText("'Aerograph 1.0 data file'\n'Job'\n''\n0\n''\n''\n'31 12 2012'\n80\n"
                                      "0, 40, 0, 0.03\n"
                                      "'Mix', 'Mixed, it's cold', 'A', 'B', 2.5, ''\n"
                                      "'A', 'Out', 5, 4, ''\n\n'B', 'In', 20, 14, 'a note'\n",
                                      file);
    ASSERT_TRUE(read) << read.Message;
    EXPECT_EQ(file.Ranges, (TPsyRanges{0, 40, 0, 0.03}));
    ASSERT_EQ(file.Nodes.size(), 2u);
    EXPECT_EQ(file.Nodes[1].Note, "a note");
    ASSERT_EQ(file.Processes.size(), 1u);
    EXPECT_EQ(file.Processes[0].Caption, "Mixed, it's cold");
    EXPECT_EQ(file.Properties.DateText(), "31 12 2012");
}

TEST(PsyFile, BadFilesAreRefusedNamingTheLine)
{
    const std::string head = "'Aerograph 1.0 data file'\r\n'Job'\r\n''\r\n0\r\n''\r\n''\r\n'05 03 2012'\r\n";
    const std::string good = head + "101.325\r\n5.00, 35.00, 0.00100, 0.02000\r\n";
    const struct {
        const char* name;
        std::string text;
        std::string message;
    } cases[] = {
        {"empty", "", "Not an Aerograph data file"},
        {"another header", "'Other 1.0 data file'\r\n", "Not an Aerograph data file"},
        {"comment count past the end", "'Aerograph 1.0 data file'\r\n'a'\r\n'b'\r\n99\r\n'c'\r\n",
         "Line 4: the number of comment lines cannot be read"},
        {"negative comment count", "'Aerograph 1.0 data file'\r\n'a'\r\n'b'\r\n-1\r\n",
         "Line 4: the number of comment lines cannot be read"},
        {"unquoted author", "'Aerograph 1.0 data file'\r\n'a'\r\n'b'\r\n0\r\nAnn\r\n", "Line 5: the user name"},
        {"no barometer", head, "Line 8: the barometer"},
        {"zero barometer", head + "0\r\n", "Line 8: the barometer"},
        {"comma barometer", head + "101,325\r\n", "Line 8: the barometer"},
        {"three ranges", head + "101.325\r\n5, 35, 0.001\r\n", "Line 9: four chart ranges"},
        {"falling range", head + "101.325\r\n35, 5, 0.001, 0.02\r\n", "Line 9: each chart range"},
        {"neither", good + "'Node1', 24\r\n", "Line 10: neither a node nor a process"},
        {"node without numbers", good + "'Node1', 'On', 'x', 17, ''\r\n", "Line 10: a node needs"},
        {"supersaturated node", good + "'Node1', 'On', 20, 25, ''\r\n", "Line 10: no moist air"},
        {"twice", good + "'N', 'On', 20, 15, ''\r\n'N', 'Off', 30, 18, ''\r\n", "Line 11: the node 'N' appears twice"},
        {"missing node", good + "'N', 'On', 20, 15, ''\r\n'P', 'Coil', 'N', 'M', 1, ''\r\n",
         "Process 'P' joins the node 'M'"},
        {"open quote", good + "'N', 'On, 20, 15, ''x\r\n", "Line 10: neither"},
    };
    for (const auto& c : cases) {
        TPsyFile file;
        file.Barometer = 55;
        const TResult read = ParsePsyText(c.text, file);
        EXPECT_FALSE(read) << c.name;
        EXPECT_NE(read.Message.find(c.message), std::string::npos) << c.name << ": " << read.Message;
        EXPECT_DOUBLE_EQ(file.Barometer, 55) << c.name << ": a refused file changes nothing";
    }
}

}  // namespace
}  // namespace vantor
