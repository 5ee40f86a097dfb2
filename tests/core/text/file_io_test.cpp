#include "text/file_io.h"

#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

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

// A file written piece by piece shows nothing of itself until it is committed; one dropped
// before that leaves the old file and no temporary file.
TEST_F(FileIoTest, PiecewiseFileReplacesTheTargetOnlyWhenCommitted)
{
    const fs::path file = m_folder / "results.csv";
    ASSERT_TRUE(WriteFileAtomically(file, "old"));
    {
        TAtomicFile dropped;
        ASSERT_TRUE(dropped.Open(file));
        ASSERT_TRUE(dropped.Write("new, "));
        EXPECT_EQ(ReadFileText(file), "old");
    }
    EXPECT_EQ(ReadFileText(file), "old");
    EXPECT_EQ(std::distance(fs::directory_iterator(m_folder), fs::directory_iterator()), 1);

    TAtomicFile written;
    ASSERT_TRUE(written.Open(file));
    for (const char* piece : {"a,b\n", "1,2\n", "3,4\n"}) ASSERT_TRUE(written.Write(piece));
    ASSERT_TRUE(written.Commit());
    EXPECT_EQ(ReadFileText(file), "a,b\n1,2\n3,4\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(m_folder), fs::directory_iterator()), 1);
    EXPECT_FALSE(written.Write("late"));

    TAtomicFile folder;
    EXPECT_EQ(folder.Open(m_folder).Code, fwNotRegularFile);
}

TEST_F(FileIoTest, SymbolicLinksAreFollowedAndKept)
{
    // The link lives in one folder and names a file in another by a relative path.
    fs::create_directories(m_folder / "links");
    fs::create_directories(m_folder / "data");
    const fs::path file = m_folder / "data" / "coil.hqx";
    ASSERT_TRUE(WriteFileAtomically(file, "old"));
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::replace);
    const fs::path link = m_folder / "links" / "link.hqx";
    fs::create_symlink("../data/coil.hqx", link);
    const fs::path linkToLink = m_folder / "links" / "again.hqx";
    fs::create_symlink("link.hqx", linkToLink);

    ASSERT_TRUE(WriteFileAtomically(link, "new"));
    ASSERT_TRUE(WriteFileAtomically(linkToLink, "newer"));
    EXPECT_TRUE(fs::is_symlink(link)) << "the link stays a link";
    EXPECT_TRUE(fs::is_symlink(linkToLink));
    EXPECT_EQ(ReadFileText(file), "newer") << "the file the link names takes the content";
    EXPECT_EQ(fs::status(file).permissions() & fs::perms::all, fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(std::distance(fs::directory_iterator(m_folder / "links"), fs::directory_iterator()), 2)
        << "no temporary file beside the link";

    // A dangling link names the file to create; a loop of links is refused.
    fs::create_symlink("../data/new.hqx", m_folder / "links" / "dangling.hqx");
    ASSERT_TRUE(WriteFileAtomically(m_folder / "links" / "dangling.hqx", "created"));
    EXPECT_EQ(ReadFileText(m_folder / "data" / "new.hqx"), "created");
    fs::create_symlink("loop-b", m_folder / "loop-a");
    fs::create_symlink("loop-a", m_folder / "loop-b");
    EXPECT_EQ(WriteFileAtomically(m_folder / "loop-a", "x").Code, fwFailed);
}

TEST_F(FileIoTest, TargetsThatAreNoRegularWritableFileAreRefused)
{
    const fs::path fifo = m_folder / "pipe.hqx";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    const fs::path folder = m_folder / "folder.hqx";
    fs::create_directory(folder);
    const fs::path readOnly = m_folder / "read-only.hqx";
    ASSERT_TRUE(WriteFileAtomically(readOnly, "kept"));
    fs::permissions(readOnly, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read,
                    fs::perm_options::replace);
    const fs::path linkToFifo = m_folder / "link-to-pipe.hqx";
    fs::create_symlink(fifo, linkToFifo);

    const struct {
        fs::path Target;
        int Code;
        std::string Message;
    } cases[] = {
        {fifo, fwNotRegularFile, "Unable to write to " + fifo.string() + ": not a regular file"},
        {linkToFifo, fwNotRegularFile, "Unable to write to " + linkToFifo.string() + ": not a regular file"},
        {folder, fwNotRegularFile, "Unable to write to " + folder.string() + ": not a regular file"},
        // Mode 0444 is read-only even for the superuser, who could write it otherwise.
        {readOnly, fwReadOnly, readOnly.string() + " is read-only"},
        {"", fwNoName, "File name not known"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Target.string());
        const TResult result = WriteFileAtomically(c.Target, "new");
        EXPECT_EQ(result.Code, c.Code);
        EXPECT_EQ(result.Message, c.Message);
        EXPECT_TRUE(IsRefusedTarget(result.Code) == (c.Code != fwNoName));
    }
    EXPECT_EQ(fs::status(fifo).type(), fs::file_type::fifo);
    EXPECT_TRUE(fs::is_symlink(linkToFifo));
    EXPECT_TRUE(fs::is_directory(folder));
    EXPECT_EQ(ReadFileText(readOnly), "kept");
    EXPECT_EQ(std::distance(fs::directory_iterator(m_folder), fs::directory_iterator()), 4) << "no temporary file";
}

// A file the user may not write, in a folder anybody may write: the rename alone would replace
// it. Run as an unprivileged user (a forked child drops root), since root may write anything.
TEST_F(FileIoTest, FileTheUserMayNotWriteIsRefused)
{
    const passwd* nobody = ::getpwnam("nobody");
    if (::geteuid() == 0 && !nobody) GTEST_SKIP() << "no unprivileged user to run as";
    const fs::path shared = m_folder / "shared";
    fs::create_directory(shared);
    fs::permissions(shared, fs::perms::all, fs::perm_options::replace);
    fs::permissions(m_folder, fs::perms::owner_all | fs::perms::group_exec | fs::perms::others_exec,
                    fs::perm_options::replace);
    const fs::path file = shared / "theirs.hqx";
    ASSERT_TRUE(WriteFileAtomically(file, "kept"));
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read | fs::perms::others_read,
                    fs::perm_options::replace);

    enum : int { kRefused = 10, kWrongCode, kNewFileFailed, kCannotDrop };
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (::geteuid() == 0 && (::setgid(nobody->pw_gid) != 0 || ::setuid(nobody->pw_uid) != 0)) ::_exit(kCannotDrop);
        const TResult refused = WriteFileAtomically(file, "new");
        if (refused.Code != fwReadOnly || refused.Message != file.string() + " is read-only") ::_exit(kWrongCode);
        // The same user may create a file in that folder: the refusal is the file's, not the folder's.
        ::_exit(WriteFileAtomically(shared / "own.hqx", "mine") ? kRefused : kNewFileFailed);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), kRefused);
    EXPECT_EQ(ReadFileText(file), "kept");
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
