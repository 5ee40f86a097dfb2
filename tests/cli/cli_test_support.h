#pragma once

// Runs the built vantor-cli (VANTOR_CLI) in a private world: settings, data and home in a
// temporary folder, the build tree's installed data as the maker root.

#include "support/temp_folder.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace vantor::test {

struct TRun {
    int exitCode = -1;
    std::string out;
    std::string err;
    nlohmann::json Json() const { return nlohmann::json::parse(out); }
};

inline std::string Slurp(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// Writes a file the program will find, making its folder first.
inline void PutFile(const std::filesystem::path& path, const std::string& text)
{
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

// The results of the first-run coil rated by an independent implementation.
inline nlohmann::json FirstRunCoilReference()
{
    std::ifstream file(std::string(VANTOR_TEST_DATA_DIR) + "/reference/first-run-coil.json");
    return nlohmann::json::parse(file)["results"];
}

// One argument for /bin/sh, quoted so that nothing in it is interpreted.
inline std::string ShellQuoted(const std::string& text)
{
    std::string quoted = "'";
    for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

class TCliTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ::setenv("XDG_CONFIG_HOME", (m_base / "config").c_str(), 1);
        ::setenv("XDG_DATA_HOME", (m_base / "data").c_str(), 1);
        ::setenv("HOME", (m_base / "home").c_str(), 1);
        UseMakerRoot(VANTOR_SHARE_DIR);
    }

    void UseMakerRoot(const std::filesystem::path& root) { ::setenv("VANTOR_MAKER_ROOT", root.c_str(), 1); }

    TRun Run(const std::vector<std::string>& args) const
    {
        std::string command = ShellQuoted(VANTOR_CLI);
        for (const std::string& arg : args) command += " " + ShellQuoted(arg);
        command += " >" + ShellQuoted((m_base / "out").string()) + " 2>" + ShellQuoted((m_base / "err").string());
        const int status = std::system(command.c_str());
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, Slurp(m_base / "out"), Slurp(m_base / "err")};
    }

    // A run that has to succeed; its standard error tells why it did not.
    TRun RunOk(const std::vector<std::string>& args) const
    {
        TRun run = Run(args);
        EXPECT_EQ(run.exitCode, 0) << run.err;
        return run;
    }

    TTempFolder m_temp;
    const std::filesystem::path& m_base = m_temp.Path();
};

}  // namespace vantor::test
