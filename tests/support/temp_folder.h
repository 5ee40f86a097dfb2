#pragma once

// A fresh folder for one test, removed with everything in it afterwards.

#include "text/file_io.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace vantor::test {

class TTempFolder {
public:
    TTempFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "vantor-test-XXXXXX").string();
        std::vector<char> name(pattern.begin(), pattern.end());
        name.push_back('\0');
        if (::mkdtemp(name.data())) m_path = name.data();
    }
    ~TTempFolder()
    {
        std::error_code error;
        std::filesystem::remove_all(m_path, error);
    }
    TTempFolder(const TTempFolder&) = delete;
    TTempFolder& operator=(const TTempFolder&) = delete;

    const std::filesystem::path& Path() const { return m_path; }
    std::filesystem::path operator/(const std::filesystem::path& name) const { return m_path / name; }

private:
    std::filesystem::path m_path;
};

inline void WriteText(const std::filesystem::path& file, const std::string& text)
{
    std::filesystem::create_directories(file.parent_path());
    ASSERT_TRUE(WriteFileAtomically(file, text)) << file;
}

inline std::string TextOf(const std::filesystem::path& file) { return ReadFileText(file).value_or("<missing>"); }

}  // namespace vantor::test
