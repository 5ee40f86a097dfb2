#include "text/file_io.h"

#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

namespace vantor {
namespace {

namespace fs = std::filesystem;

class FileIoTest : public testing::Test {
protected:
    void TearDown() override { fs::permissions(m_folder, fs::perms::owner_all, fs::perm_options::add); }
    test::TTempFolder m_temp;
    const fs::path& m_folder = m_temp.Path();
};

TEST_F(FileIoTest, ReplacesWholeFileAndLeavesNoTemporaryBehind)
{
    const fs::path file = m_folder / "coil.hqx";
    ASSERT_TRUE(WriteFileAtomically(file, "first version, the longer one"));
    ASSERT_TRUE(WriteFileAtomically(file, "second"));
    EXPECT_EQ(ReadFileText(file), "second");
    EXPECT_EQ(std::distance(fs::directory_iterator(m_folder), fs::directory_iterator()), 1);

    const std::string binary("a\0b\r\n\xff", 6);
    ASSERT_TRUE(WriteFileAtomically(file, binary));
    EXPECT_EQ(ReadFileText(file), binary);
}

TEST_F(FileIoTest, FailedWriteKeepsTheOldFile)
{
    const fs::path file = m_folder / "units.ini";
    ASSERT_TRUE(WriteFileAtomically(file, "old"));
    if (::geteuid() != 0) {
        fs::permissions(m_folder, fs::perms::owner_write, fs::perm_options::remove);
        const TResult result = WriteFileAtomically(file, "new");
        EXPECT_FALSE(result);
        EXPECT_NE(result.Message.find("Unable to write to"), std::string::npos);
        fs::permissions(m_folder, fs::perms::owner_write, fs::perm_options::add);
    }
    // A folder that does not exist cannot take the temporary file; root cannot bypass that.
    const TResult missing = WriteFileAtomically(m_folder / "no-such-folder" / "x.ini", "new");
    EXPECT_FALSE(missing);
    EXPECT_NE(missing.Message.find("Unable to write to"), std::string::npos);
    EXPECT_EQ(ReadFileText(file), "old");
    EXPECT_FALSE(WriteFileAtomically("", "x"));
}

TEST_F(FileIoTest, ReadsRefuseFoldersMissingAndOversizedFiles)
{
    EXPECT_FALSE(ReadFileText(m_folder).has_value());
    EXPECT_FALSE(ReadFileText(m_folder / "missing").has_value());
    const fs::path file = m_folder / "big";
    ASSERT_TRUE(WriteFileAtomically(file, std::string(100, 'x')));
    EXPECT_FALSE(ReadFileText(file, 99).has_value());
    EXPECT_EQ(ReadFileText(file, 100)->size(), 100u);
}

}  // namespace
}  // namespace vantor
