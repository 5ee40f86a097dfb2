#pragma once

// A private folder tree for each test, with HOME, XDG_CONFIG_HOME, XDG_DATA_HOME and
// VANTOR_MAKER_ROOT pointed into it; the variables are restored and the tree removed after.
// None of the folders exists until a test makes it.

#include "settings/folders.h"
#include "support/temp_folder.h"
#include "text/file_io.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace vantor::test {

class TSettingsFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(m_root.Path().empty()) << "cannot make a temporary folder";
        SetVariable("HOME", (m_root / "home").string());
        SetVariable("XDG_CONFIG_HOME", (m_root / "config").string());
        SetVariable("XDG_DATA_HOME", (m_root / "data").string());
        SetVariable("VANTOR_MAKER_ROOT", (m_root / "maker").string());
    }

    void TearDown() override
    {
        for (const auto& [name, value] : m_saved) {
            if (value)
                ::setenv(name.c_str(), value->c_str(), 1);
            else
                ::unsetenv(name.c_str());
        }
    }

    void SetVariable(const std::string& name, const std::string& value)
    {
        Remember(name);
        ::setenv(name.c_str(), value.c_str(), 1);
    }

    void UnsetVariable(const std::string& name)
    {
        Remember(name);
        ::unsetenv(name.c_str());
    }

    const std::filesystem::path& Root() const { return m_root.Path(); }

    // Writes a whole file, making its folders first.
    static void WriteTextFile(const std::filesystem::path& file, std::string_view text)
    {
        std::filesystem::create_directories(file.parent_path());
        ASSERT_TRUE(WriteFileAtomically(file, text).IsOk()) << file;
    }

private:
    void Remember(const std::string& name)
    {
        if (m_saved.contains(name)) return;
        const char* value = std::getenv(name.c_str());
        m_saved[name] = value ? std::optional<std::string>(value) : std::nullopt;
    }

    TTempFolder m_root;
    std::map<std::string, std::optional<std::string>> m_saved;
};

}  // namespace vantor::test
