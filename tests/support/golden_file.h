#pragma once

// Compares a program's output with a stored file under tests/data/golden, byte for byte.
// A mismatch names the first line that differs, both versions of it and the line counts,
// so a failure reads without a diff tool. VANTOR_UPDATE_GOLDEN=1 in the environment writes
// the output as the new stored file instead (review the change with git diff).

#include "support/text_lines.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace vantor::test {

inline std::filesystem::path GoldenPath(std::string_view name)
{
    return std::filesystem::path(VANTOR_TEST_DATA_DIR) / "golden" / name;
}

// Where two texts first part, as a message: line number, expected and actual line.
inline std::string FirstDifference(const std::string& expected, const std::string& actual)
{
    const std::vector<std::string> want = Lines(expected);
    const std::vector<std::string> got = Lines(actual);
    std::size_t line = 0;
    while (line < want.size() && line < got.size() && want[line] == got[line]) ++line;
    const auto at = [line](const std::vector<std::string>& lines) {
        return line < lines.size() ? "\"" + lines[line] + "\"" : std::string("(end of text)");
    };
    std::ostringstream message;
    message << "first difference at line " << line + 1 << " (expected " << want.size() << " lines, got "
            << got.size() << ")\n  expected: " << at(want) << "\n  actual:   " << at(got);
    if (line == want.size() && line == got.size()) message << "\n  (the texts differ in line endings or a final newline)";
    return message.str();
}

inline ::testing::AssertionResult MatchesGolden(std::string_view name, const std::string& actual)
{
    const std::filesystem::path path = GoldenPath(name);
    const char* update = std::getenv("VANTOR_UPDATE_GOLDEN");
    if (update && std::string_view(update) == "1") {
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << actual;
        return ::testing::AssertionSuccess() << "rewrote " << path;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) return ::testing::AssertionFailure() << "no golden file " << path << " (VANTOR_UPDATE_GOLDEN=1 writes it)";
    std::stringstream stored;
    stored << in.rdbuf();
    if (stored.str() == actual) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << name << " differs from its golden file:\n"
                                         << FirstDifference(stored.str(), actual);
}

}  // namespace vantor::test
