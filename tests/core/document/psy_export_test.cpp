#include "document/psy_export.h"

#include "settings/run_with_file.h"
#include "document_test_support.h"
#include "reports/file_properties.h"
#include "support/temp_folder.h"
#include "settings/folders.h"
#include "text/file_io.h"
#include "text/format.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <fstream>
#include <limits>
#include <sys/socket.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

namespace vantor {
namespace {

using namespace std::chrono_literals;
using PsyExport = test::TDocumentFixture;

TEST(PsyExportFile, LinesFollowTheChartProgramsLayout)
{
    TFileProperties properties;
    properties.ProjectName = "North Wing";
    properties.Author = "Ann";
    properties.Date = std::chrono::year{2012} / std::chrono::March / 5;
    TPsyProcess process;
    process.OnDryBulb = 24;
    process.OnWetBulb = 17;
    process.OffDryBulb = 40;
    process.OffWetBulb = 22;
    process.AirMassFlow = 1.2;
    process.Barometer = 101.325;

    EXPECT_EQ(PsyExportText(properties, process),
              "'Aerograph 1.0 data file'\r\n'North Wing'\r\n''\r\n0\r\n'Ann'\r\n''\r\n'05 03 2012'\r\n"
              "101.325\r\n5.00, 35.00, 0.00100, 0.02000\r\n"
              "'Node1', 'On', 24.000, 17.000, ''\r\n'Node2', 'Off', 40.000, 22.000, ''\r\n"
              "'Process1', 'Coil', 'Node1', 'Node2', 1.2000, ''\r\n");

    process.OffWetBulb = std::numeric_limits<double>::quiet_NaN();
    EXPECT_FALSE(PsyExportText(properties, process)) << "no file the chart program cannot read";
}

TEST_F(PsyExport, PlotSolvesFirstAndWritesBesideTheDataFile)
{
    TRatingDocument& doc = Open();
    test::TTempFolder runtime;
    TRunWithFileOptions options;
    options.RuntimeFolder = runtime.Path();
    const TFileProperties properties;

    // An unsaved document: NoName.psy in the data folder. No chart program is installed.
    const TResult unsaved = PlotProcess(doc, properties, options);
    EXPECT_TRUE(doc.Solved());
    const std::filesystem::path noName = Folder() / "home" / "Documents" / "Korvane" / "Vantor" / "NoName.psy";
    EXPECT_EQ(unsaved.Message, (MakerRoot(Env) / "Aerograph" / "aerograph").string() + "\nnot found...");
    const std::optional<std::string> text = ReadFileText(noName);
    ASSERT_TRUE(text);
    EXPECT_NE(text->find(Format("'Node2', 'Off', %0.3f, %0.3f, ''", {doc.AirOff().db, doc.AirOff().wb})),
              std::string::npos)
        << *text;

    test::TTempFolder jobs;
    doc.SetFileName((jobs / "A.hqx").string());
    (void)PlotProcess(doc, properties, options);  // only the export file counts here
    EXPECT_TRUE(std::filesystem::exists(jobs / "A.psy"));

    doc.SetFileName((jobs / "missing" / "B.hqx").string());
    EXPECT_EQ(PlotProcess(doc, properties, options).Message, "Error writing Aerograph file..");
}

// A chart program that writes the file it was started on beside itself.
class RunWithFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_program = m_folder / "aerograph";
        std::ofstream(m_program) << "#!/bin/sh\nprintf '%s' \"$1\" > \"$(dirname \"$0\")/started\"\n";
        std::filesystem::permissions(m_program, std::filesystem::perms::owner_all);
        m_options.RuntimeFolder = m_folder.Path();
        m_options.ReadyTimeout = 0ms;
    }

    std::optional<std::string> StartedOn() const
    {
        for (int wait = 0; wait < 200 && !std::filesystem::exists(m_folder / "started"); ++wait)
            std::this_thread::sleep_for(25ms);
        return ReadFileText(m_folder / "started");
    }

    // A socket at the instance's address; listening or left behind by a program that ended.
    int Bind(bool listening)
    {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const std::string path = (m_folder / "aerograph.sock").string();
        std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
        EXPECT_EQ(::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
        if (listening) {
            EXPECT_EQ(::listen(fd, 1), 0);
        }
        return fd;
    }

    test::TTempFolder m_folder;
    std::filesystem::path m_program;
    TRunWithFileOptions m_options;
};

TEST_F(RunWithFileTest, RunningInstanceReceivesTheFileName)
{
    const int server = Bind(true);
    std::string received;
    std::thread instance([&] {
        const int client = ::accept(server, nullptr, nullptr);
        char header[8];
        ASSERT_EQ(::recv(client, header, sizeof header, MSG_WAITALL), 8);
        const std::uint32_t code = static_cast<unsigned char>(header[0]) | static_cast<unsigned char>(header[1]) << 8;
        EXPECT_EQ(code, kOpenFileMessage);
        const std::size_t length = static_cast<unsigned char>(header[4]) | static_cast<unsigned char>(header[5]) << 8;
        received.resize(length);
        ASSERT_EQ(::recv(client, received.data(), length, MSG_WAITALL), static_cast<ssize_t>(length));
        ASSERT_EQ(::send(client, "k", 1, 0), 1);
        ::close(client);
    });
    const TResult result = RunWithFile(m_program, "/jobs/Coil A.psy", m_options);
    instance.join();
    ::close(server);
    EXPECT_TRUE(result) << result.Message;
    EXPECT_EQ(received, "/jobs/Coil A.psy");
    EXPECT_FALSE(std::filesystem::exists(m_folder / "started")) << "no second copy is started";
}

TEST_F(RunWithFileTest, WithoutAListenerTheProgramStartsOnTheFile)
{
    const int stale = Bind(false);
    const TResult result = RunWithFile(m_program, "/jobs/A.psy", m_options);
    ::close(stale);
    ASSERT_TRUE(result) << result.Message;
    EXPECT_EQ(StartedOn(), "/jobs/A.psy");

    std::filesystem::permissions(m_program, std::filesystem::perms::owner_exec | std::filesystem::perms::group_exec |
                                                std::filesystem::perms::others_exec,
                                 std::filesystem::perm_options::remove);
    EXPECT_EQ(RunWithFile(m_program, "/jobs/A.psy", m_options).Message,
              m_program.string() + "\nProgram not executable...");
    EXPECT_EQ(RunWithFile(m_folder / "nothing", "/jobs/A.psy", m_options).Message,
              (m_folder / "nothing").string() + "\nnot found...");
}

}  // namespace
}  // namespace vantor
