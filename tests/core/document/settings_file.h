#pragma once

// A settings file written by hand in a temporary folder, as another run of the program (or a
// user with an editor) would have left it.

#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace vantor::test {

class TSettingsFile {
public:
    explicit TSettingsFile(const std::string& text)
        : m_path(m_folder / "settings.ini")
    {
        std::ofstream(m_path) << text;
    }

    const std::filesystem::path& Path() const { return m_path; }

private:
    TTempFolder m_folder;
    std::filesystem::path m_path;
};

}  // namespace vantor::test
