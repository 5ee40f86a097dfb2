#pragma once

// A settings file written by hand in a temporary folder, as another run of the program (or a
// user with an editor) would have left it.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace vantor::test {

class TSettingsFile {
public:
    explicit TSettingsFile(const std::string& text)
    {
        m_path = std::filesystem::temp_directory_path() /
                 ("vantor-doc-settings-" + std::to_string(::getpid()) + "-" + std::to_string(s_count++) + ".ini");
        std::ofstream(m_path) << text;
    }
    ~TSettingsFile() { std::filesystem::remove(m_path); }
    TSettingsFile(const TSettingsFile&) = delete;
    TSettingsFile& operator=(const TSettingsFile&) = delete;

    const std::filesystem::path& Path() const { return m_path; }

private:
    static inline int s_count = 0;
    std::filesystem::path m_path;
};

}  // namespace vantor::test
