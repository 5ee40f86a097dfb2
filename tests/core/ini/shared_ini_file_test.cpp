#include "ini/shared_ini_file.h"

#include "ini/ini_folder_lock.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <functional>

namespace vantor {
namespace {

using test::TextOf;
using test::TTempFolder;
using test::WriteText;

using TEdit = std::function<void(TCustomIniFile&)>;

struct TTwoWriterCase {
    const char* Name;
    const char* Before;       // the file both writers read
    TEdit First;              // the edits of the writer that flushes first
    TEdit Second;             // ... and of the one that flushes second
    const char* After;        // the file once both flushed
};

// Both writers read the file before either writes it back, as two windows or two running
// copies do; what one changed must survive the other's flush.
TEST(SharedIniFileTest, TwoWritersKeepEachOthersChanges)
{
    const auto set = [](const char* section, const char* name, const char* value) {
        return [=](TCustomIniFile& ini) { ini.WriteString(section, name, value); };
    };
    const auto both = [](TEdit a, TEdit b) {
        return [=](TCustomIniFile& ini) {
            a(ini);
            b(ini);
        };
    };
    const auto remove = [](const char* section, const char* name) {
        return [=](TCustomIniFile& ini) { ini.DeleteKey(section, name); };
    };
    const auto erase = [](const char* section) { return [=](TCustomIniFile& ini) { ini.EraseSection(section); }; };

    const TTwoWriterCase cases[] = {
        {"different keys of one section, first order", "[Win]\nLeft=1\nTop=2\n\n", set("Win", "Left", "10"),
         set("Win", "Top", "20"), "[Win]\nLeft=10\nTop=20\n\n"},
        {"different keys of one section, other order", "[Win]\nLeft=1\nTop=2\n\n", set("Win", "Top", "20"),
         set("Win", "Left", "10"), "[Win]\nLeft=10\nTop=20\n\n"},
        {"new sections of both", "", set("A", "x", "1"), set("B", "y", "2"), "[A]\nx=1\n\n[B]\ny=2\n\n"},
        {"an unchanged value is no change", "[Win]\nLeft=1\n\n", set("Win", "Left", "7"), set("Win", "Left", "1"),
         "[Win]\nLeft=7\n\n"},
        {"a value back to what was read after a change", "[Win]\nLeft=1\n\n", set("Win", "Left", "7"),
         both(set("Win", "Left", "9"), set("Win", "Left", "1")), "[Win]\nLeft=1\n\n"},
        {"deleting what was not there is no change", "[Win]\nLeft=1\n\n", set("Win", "Top", "4"),
         both(remove("Win", "Top"), erase("Gone")), "[Win]\nLeft=1\nTop=4\n\n"},
        {"both change one value: the later flush wins", "[Win]\nLeft=1\n\n", set("Win", "Left", "2"),
         set("Win", "Left", "3"), "[Win]\nLeft=3\n\n"},
    };
    for (const TTwoWriterCase& c : cases) {
        TTempFolder folder;
        const auto file = folder / "Vantor.ini";
        if (*c.Before) WriteText(file, c.Before);
        TSharedIniFile first(file);
        TSharedIniFile second(file);
        c.First(first);
        c.Second(second);
        ASSERT_NO_THROW(first.UpdateFile()) << c.Name;
        ASSERT_NO_THROW(second.UpdateFile()) << c.Name;
        EXPECT_EQ(TextOf(file), c.After) << c.Name;
        EXPECT_FALSE(first.HasChanges() || second.HasChanges()) << c.Name;
    }
}

TEST(SharedIniFileTest, AStoreFlushedTwiceAppliesOnlyItsNewChanges)
{
    TTempFolder folder;
    const auto file = folder / "Vantor.ini";
    TSharedIniFile longLived(file);
    longLived.WriteInteger("Main", "Left", 1);
    longLived.UpdateFile();

    TSharedIniFile other(file);
    other.WriteInteger("Main", "Left", 2);
    other.WriteInteger("Report", "Top", 3);
    other.UpdateFile();

    // The long-lived object still holds Left=1; saving that again is no change, and its
    // next change leaves the other's values alone.
    longLived.WriteInteger("Main", "Left", 1);
    longLived.WriteInteger("Main", "Width", 640);
    longLived.UpdateFile();
    EXPECT_EQ(TextOf(file), "[Main]\nLeft=2\nWidth=640\n\n[Report]\nTop=3\n\n");
    EXPECT_EQ(longLived.ReadInteger("Report", "Top", 0), 0) << "the memory copy keeps what this object read";
}

TEST(SharedIniFileTest, NothingToWriteTouchesNothing)
{
    TTempFolder folder;
    const auto file = folder / "sub" / "Vantor.ini";
    TSharedIniFile ini(file);
    ini.DeleteKey("Main", "Left");
    ini.EraseSection("Main");
    EXPECT_FALSE(ini.HasChanges());
    ini.UpdateFile();
    EXPECT_FALSE(std::filesystem::exists(folder / "sub")) << "neither the folder nor the lock file is made";

    // Changes that cancel out in the file leave it as it was, byte for byte.
    WriteText(file, "; a comment the user wrote\n[Main]\nLeft=1\n");
    TSharedIniFile edited(file);
    edited.WriteString("Main", "Left", "2");
    edited.WriteString("Main", "Left", "1");
    edited.UpdateFile();
    EXPECT_EQ(TextOf(file), "; a comment the user wrote\n[Main]\nLeft=1\n");
}

TEST(SharedIniFileTest, AFailedUpdateKeepsTheChangesAndTheFile)
{
    TTempFolder folder;
    const auto file = folder / "Vantor.ini";
    TSharedIniFile ini(file);
    ini.WriteString("Main", "Left", "3");

    // Another writer holds the lock (a second open of the lock file conflicts even within
    // one process). The wait is the full LockWait, then the usual write failure.
    {
        const TIniFolderLock holder = TIniFolderLock::Acquire(folder.Path(), std::chrono::milliseconds(0));
        ASSERT_TRUE(holder.Held());
        try {
            ini.UpdateFile();
            ADD_FAILURE() << "a locked file was written";
        } catch (const EIniFileError& error) {
            EXPECT_EQ(std::string(error.what()),
                      "Unable to write to " + file.string() + " (the settings are locked by another program)");
        }
        EXPECT_FALSE(std::filesystem::exists(file));
        EXPECT_TRUE(ini.HasChanges());
    }

    // A file that exists but cannot be read is never replaced.
    std::filesystem::create_directories(file);
    EXPECT_THROW(ini.UpdateFile(), EIniFileError);
    EXPECT_TRUE(std::filesystem::is_directory(file));
    std::filesystem::remove(file);

    ini.UpdateFile();
    EXPECT_EQ(TextOf(file), "[Main]\nLeft=3\n\n");
}

}  // namespace
}  // namespace vantor
