// Two running copies of the program writing one settings file, played by the helper
// program settings_writer (see its header for what it does).

#include "settings/settings_store.h"

#include "settings_fixture.h"
#include "text/file_io.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace vantor {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// The helper, started with pipes on its stdin and stdout; killed if still running at the end.
class THelper {
public:
    explicit THelper(std::vector<std::string> arguments)
    {
        std::signal(SIGPIPE, SIG_IGN);  // a helper that died must fail the test, not end it
        int input[2], output[2];
        if (::pipe2(input, O_CLOEXEC) != 0 || ::pipe2(output, O_CLOEXEC) != 0) return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, input[0], STDIN_FILENO);
        posix_spawn_file_actions_adddup2(&actions, output[1], STDOUT_FILENO);
        arguments.insert(arguments.begin(), VANTOR_SETTINGS_WRITER);
        std::vector<char*> argv;
        for (std::string& argument : arguments) argv.push_back(argument.data());
        argv.push_back(nullptr);
        if (::posix_spawn(&m_pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) m_pid = -1;
        posix_spawn_file_actions_destroy(&actions);
        ::close(input[0]);
        ::close(output[1]);
        m_input = input[1];
        m_output = output[0];
    }

    ~THelper()
    {
        CloseInput();
        if (m_output >= 0) ::close(m_output);
        if (m_pid > 0) {
            ::kill(m_pid, SIGKILL);
            ::waitpid(m_pid, nullptr, 0);
        }
    }

    THelper(const THelper&) = delete;
    THelper& operator=(const THelper&) = delete;

    bool Started() const { return m_pid > 0; }

    bool Send()
    {
        const char byte = '.';
        return ::write(m_input, &byte, 1) == 1;
    }

    void CloseInput()
    {
        if (m_input >= 0) ::close(m_input);
        m_input = -1;
    }

    // The next byte the helper writes; nothing at its end or after ten seconds.
    std::optional<char> Receive()
    {
        pollfd ready{m_output, POLLIN, 0};
        char byte = 0;
        if (::poll(&ready, 1, 10000) != 1 || ::read(m_output, &byte, 1) != 1) return std::nullopt;
        return byte;
    }

    std::string ReceiveLine()
    {
        std::string line;
        for (auto byte = Receive(); byte && *byte != '\n'; byte = Receive()) line += *byte;
        return line;
    }

    // The exit code, or -1 when the helper did not end within a minute (it is killed then).
    int Wait()
    {
        const auto deadline = std::chrono::steady_clock::now() + 60s;
        int status = 0;
        while (::waitpid(m_pid, &status, WNOHANG) == 0) {
            if (std::chrono::steady_clock::now() > deadline) return -1;
            std::this_thread::sleep_for(5ms);
        }
        m_pid = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

private:
    pid_t m_pid = -1;
    int m_input = -1;
    int m_output = -1;
};

class SettingsProcessesTest : public test::TSettingsFixture {
protected:
    void SetUp() override
    {
        TSettingsFixture::SetUp();
        m_file = Root() / "config" / "Korvane" / "Vantor.ini";
        // Another window's section, which neither copy touches.
        WriteTextFile(m_file, "[ReportForm]\nLeft=40\n");
    }

    std::vector<std::string> WriteArguments(const char* owner, int rounds, bool paced) const
    {
        std::vector<std::string> arguments{"write", m_file.string(), owner, std::to_string(rounds)};
        if (paced) arguments.push_back("paced");
        return arguments;
    }

    // Every key ends with its owner's last value, and the untouched section is still there.
    void ExpectEveryKeyOfItsOwner(int rounds) const
    {
        const TSettingsStore store{m_file};
        for (const char* owner : {"1", "2"}) {
            EXPECT_EQ(store.ReadInteger(std::string("Owner") + owner, "Count", 0), rounds) << owner;
            EXPECT_EQ(store.ReadInteger("Shared", owner, 0), rounds) << owner;
        }
        EXPECT_EQ(store.ReadInteger("ReportForm", "Left", 0), 40);
    }

    fs::path m_file;
};

// Each copy keeps one store open and flushes in turn with the other: every flush writes over
// a file the other changed since this store read it.
TEST_F(SettingsProcessesTest, TwoCopiesFlushingInTurnKeepEachOthersKeys)
{
    constexpr int rounds = 150;
    THelper first(WriteArguments("1", rounds, true));
    THelper second(WriteArguments("2", rounds, true));
    ASSERT_TRUE(first.Started() && second.Started());
    for (int round = 1; round <= rounds; ++round) {
        for (THelper* helper : {&first, &second}) {
            ASSERT_TRUE(helper->Send()) << "round " << round;
            ASSERT_EQ(helper->Receive(), '.') << "round " << round;
        }
    }
    EXPECT_EQ(first.Wait(), 0);
    EXPECT_EQ(second.Wait(), 0);
    ExpectEveryKeyOfItsOwner(rounds);
}

// The same at full speed, the two copies racing for the lock.
TEST_F(SettingsProcessesTest, TwoCopiesFlushingAtOnceKeepEachOthersKeys)
{
    constexpr int rounds = 200;
    THelper first(WriteArguments("1", rounds, false));
    THelper second(WriteArguments("2", rounds, false));
    ASSERT_TRUE(first.Started() && second.Started());
    EXPECT_EQ(first.Wait(), 0);
    EXPECT_EQ(second.Wait(), 0);
    ExpectEveryKeyOfItsOwner(rounds);
}

TEST_F(SettingsProcessesTest, ALockHeldByAnotherCopyFailsTheFlushWithoutAHang)
{
    THelper holder({"hold", m_file.parent_path().string()});
    ASSERT_EQ(holder.ReceiveLine(), "locked");

    TSettingsStore store(TSettingsKey::Program);
    store.WriteInteger("VantorForm", "Left", 12);
    const auto start = std::chrono::steady_clock::now();
    const TResult result = store.Flush();
    const auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_FALSE(result.IsOk());
    EXPECT_EQ(result.Message, "Unable to write to " + m_file.string() + " (the settings are locked by another program)");
    // Two seconds of waiting, then the failure: never an endless wait.
    EXPECT_GE(waited, 1900ms);
    EXPECT_LT(waited, 10s);
    EXPECT_EQ(*ReadFileText(m_file), "[ReportForm]\nLeft=40\n") << "nothing written";
    EXPECT_TRUE(store.Modified());

    // Once the other copy lets go, the pending change goes out.
    holder.CloseInput();
    EXPECT_EQ(holder.Wait(), 0);
    ASSERT_TRUE(store.Flush().IsOk());
    EXPECT_EQ(*ReadFileText(m_file), "[ReportForm]\nLeft=40\n\n[VantorForm]\nLeft=12\n\n");
}

}  // namespace
}  // namespace vantor
