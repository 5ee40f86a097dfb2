#include "ini/ini_file_merger.h"

#include "support/temp_folder.h"
#include "ini/mem_ini_file.h"

#include <gtest/gtest.h>

namespace vantor {
namespace {

namespace fs = std::filesystem;
using test::TextOf;
using test::TTempFolder;
using test::WriteText;

// Answers from a script (keep once it runs out) and records every question.
struct TScriptedNotice : IInstallNotice {
    struct TQuestion {
        std::string Caption, User, Install;
    };
    explicit TScriptedNotice(std::vector<TInstallChoice> answers = {}) : Answers(std::move(answers)) {}

    TInstallChoice Ask(const std::string& caption, const std::string& user, const std::string& install) override
    {
        Questions.push_back({caption, user, install});
        return Questions.size() <= Answers.size() ? Answers[Questions.size() - 1] : TInstallChoice::KeepUserData;
    }
    std::vector<TInstallChoice> Answers;
    std::vector<TQuestion> Questions;
};

class IniFileMergerTest : public testing::Test {
protected:
    void SetUp() override
    {
        WriteText(TIniFileMerger::ListFile(MakerRoot()),
                  "[Data files]\n"
                  "units.ini=Coils,Coils,Unit preferences\n"
                  "short.ini=Coils,Coils\n"
                  "escape.ini=../..,Coils,Outside the user root\n");
        WriteText(InstallFile(), "[Units]\nLength=mm\nFlow=Yes\n[Colours]\nGrid=0x1F\n[Fonts]\nSize=9\n");
        // Installed a day ago: file times are too coarse to tell files written now apart.
        m_installTime = fs::file_time_type::clock::now() - std::chrono::hours(24);
        fs::last_write_time(InstallFile(), m_installTime);
    }

    fs::path MakerRoot() const { return m_folder / "maker"; }
    fs::path UserRoot() const { return m_folder / "user"; }
    fs::path InstallFile() const { return MakerRoot() / "Coils" / "units.ini"; }
    fs::path UserFile() const { return UserRoot() / "Coils" / "units.ini"; }

    // One program start: collect and merge with a fresh merger, as the program does.
    std::vector<std::string> Start(IInstallNotice& notice)
    {
        TIniMergeMemory memory(m_folder / "config" / "Vantor.ini");
        TIniFileMerger merger(MakerRoot(), UserRoot(), memory);
        merger.Collect();
        merger.MergeAll(notice);
        return merger.Messages();
    }

    void ExpectInstallUntouched()
    {
        EXPECT_EQ(TextOf(InstallFile()), "[Units]\nLength=mm\nFlow=Yes\n[Colours]\nGrid=0x1F\n[Fonts]\nSize=9\n");
        EXPECT_EQ(fs::last_write_time(InstallFile()), m_installTime);
    }

    TTempFolder m_folder;
    fs::file_time_type m_installTime;
};

TEST_F(IniFileMergerTest, ReadsTheListAndSkipsIncompleteOrEscapingEntries)
{
    TScriptedNotice notice;
    TIniMergeMemory memory(m_folder / "config" / "Vantor.ini");
    TIniFileMerger merger(MakerRoot(), UserRoot(), memory);
    merger.Collect();
    ASSERT_EQ(merger.Entries().size(), 1u);
    EXPECT_EQ(merger.Entries()[0].UserFile, UserFile());
    EXPECT_EQ(merger.Entries()[0].InstallFile, InstallFile());
    EXPECT_EQ(merger.Entries()[0].Description, "Unit preferences");

    // The list the program ships names the unit preferences.
    TIniFileMerger shipped(fs::path(VANTOR_TEST_DATA_DIR) / ".." / ".." / "data", UserRoot(), memory);
    shipped.Collect();
    ASSERT_EQ(shipped.Entries().size(), 1u);
    EXPECT_EQ(shipped.Entries()[0].UserFile, UserRoot() / "Coils" / "units.ini");
}

TEST_F(IniFileMergerTest, FirstStartCopiesTheInstalledFileOnce)
{
    TScriptedNotice notice;
    EXPECT_TRUE(Start(notice).empty());
    EXPECT_EQ(TextOf(UserFile()), TextOf(InstallFile()));

    // The user's later edit is not questioned: the installed copy is remembered as merged.
    WriteText(UserFile(), "[Units]\nLength=in\n");
    EXPECT_TRUE(Start(notice).empty());
    EXPECT_EQ(TextOf(UserFile()), "[Units]\nLength=in\n");
    EXPECT_TRUE(notice.Questions.empty());
    ExpectInstallUntouched();
}

TEST_F(IniFileMergerTest, SameModificationTimeAsksNothing)
{
    WriteText(UserFile(), "[Units]\nLength=in\n");
    fs::last_write_time(UserFile(), m_installTime);
    TScriptedNotice notice;
    EXPECT_TRUE(Start(notice).empty());
    EXPECT_EQ(TextOf(UserFile()), "[Units]\nLength=in\n");
    EXPECT_TRUE(notice.Questions.empty());
}

TEST_F(IniFileMergerTest, NewSectionsAreAddedSilentlyAndCaseDoesNotCount)
{
    WriteText(UserFile(), "[units]\nflow=yes\nLength=MM\nMine=1\n[Own]\nX=1\n");
    TScriptedNotice notice;
    EXPECT_TRUE(Start(notice).empty());
    EXPECT_TRUE(notice.Questions.empty());
    EXPECT_EQ(TextOf(UserFile()), "[units]\nflow=yes\nLength=MM\nMine=1\n\n[Own]\nX=1\n\n"
                                  "[Colours]\nGrid=0x1F\n\n[Fonts]\nSize=9\n\n");
    EXPECT_EQ(TextOf(UserRoot() / "Coils" / "units.bak"), "[units]\nflow=yes\nLength=MM\nMine=1\n[Own]\nX=1\n");
    ExpectInstallUntouched();
}

TEST_F(IniFileMergerTest, EachDifferingSectionFollowsTheAnswer)
{
    const struct {
        const char* name;
        std::vector<TInstallChoice> answers;
        const char* merged;
        std::size_t questions;
    } cases[] = {
        {"keep, use", {TInstallChoice::KeepUserData, TInstallChoice::UseInstallData},
         "[Units]\nLength=in\nOnlyMine=1\n\n[Colours]\nGrid=0x1F\n\n[Fonts]\nSize=9\n\n", 2},
        {"use, keep", {TInstallChoice::UseInstallData, TInstallChoice::KeepUserData},
         "[Colours]\nGrid=0x00\n\n[Units]\nLength=mm\nFlow=Yes\n\n[Fonts]\nSize=9\n\n", 2},
        {"accept all", {TInstallChoice::AcceptAll},
         "[Units]\nLength=mm\nFlow=Yes\n\n[Colours]\nGrid=0x1F\n\n[Fonts]\nSize=9\n\n", 1},
        {"closed keeps at first", {TInstallChoice::Closed, TInstallChoice::UseInstallData},
         "[Units]\nLength=in\nOnlyMine=1\n\n[Colours]\nGrid=0x1F\n\n[Fonts]\nSize=9\n\n", 2},
        {"closed repeats use", {TInstallChoice::UseInstallData, TInstallChoice::Closed},
         "[Units]\nLength=mm\nFlow=Yes\n\n[Colours]\nGrid=0x1F\n\n[Fonts]\nSize=9\n\n", 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(m_folder / "config");
        WriteText(UserFile(), "[Colours]\nGrid=0x00\n[Units]\nLength=in\nOnlyMine=1\n");
        TScriptedNotice notice(c.answers);
        EXPECT_TRUE(Start(notice).empty());
        EXPECT_EQ(TextOf(UserFile()), c.merged);
        ASSERT_EQ(notice.Questions.size(), c.questions);
        EXPECT_EQ(notice.Questions[0].Caption, "Install notice: units.ini");
        EXPECT_EQ(notice.Questions[0].User, "[Units]\nLength=in\nOnlyMine=1");
        EXPECT_EQ(notice.Questions[0].Install, "[Units]\nLength=mm\nFlow=Yes");
    }
    ExpectInstallUntouched();
}

TEST_F(IniFileMergerTest, DecideLaterStopsTheFileAndAsksAgainNextStart)
{
    WriteText(UserFile(), "[Units]\nLength=in\n[Colours]\nGrid=0x00\n");
    TScriptedNotice later({TInstallChoice::DecideLater});
    EXPECT_TRUE(Start(later).empty());
    EXPECT_EQ(later.Questions.size(), 1u);
    EXPECT_EQ(TextOf(UserFile()), "[Units]\nLength=in\n[Colours]\nGrid=0x00\n");  // unchanged, not rewritten

    TScriptedNotice next({TInstallChoice::KeepUserData, TInstallChoice::KeepUserData});
    EXPECT_TRUE(Start(next).empty());
    EXPECT_EQ(next.Questions.size(), 2u);

    TScriptedNotice third;
    EXPECT_TRUE(Start(third).empty());
    EXPECT_TRUE(third.Questions.empty());
    ExpectInstallUntouched();
}

TEST_F(IniFileMergerTest, FailuresAreReportedOnceAndStartUpGoesOn)
{
    // The user root is a file, so no user folder can be made.
    WriteText(UserRoot(), "not a folder");
    TScriptedNotice notice;
    const auto messages = Start(notice);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find("Unable to write to " + UserFile().string()), std::string::npos);
    ExpectInstallUntouched();

    // Not remembered: the copy is made once the folder can be written.
    fs::remove(UserRoot());
    EXPECT_TRUE(Start(notice).empty());
    EXPECT_EQ(TextOf(UserFile()), TextOf(InstallFile()));

    // A file whose backup fails is left alone.
    WriteText(UserFile(), "[Units]\nLength=in\n");
    fs::remove_all(m_folder / "config");
    WriteText(UserRoot() / "Coils" / "units.bak" / "blocker", "");
    EXPECT_EQ(Start(notice), std::vector<std::string>{"Unable to write to " + (UserRoot() / "Coils" / "units.bak").string()});
    EXPECT_EQ(TextOf(UserFile()), "[Units]\nLength=in\n");
    EXPECT_TRUE(notice.Questions.empty());
}

TEST_F(IniFileMergerTest, MemoryOverASettingsFileKeepsItsOtherSections)
{
    const fs::path settings = m_folder / "config" / "Vantor.ini";
    WriteText(settings, "[VantorForm]\nLeft=3\n");
    TIniMergeMemory memory(settings);
    // A settings store opened before the merge remembers and flushed after it.
    TSharedIniFile openedBefore(settings);
    const fs::path odd = "/opt/a=b;[c]%/units.ini";
    const fs::file_time_type time(fs::file_time_type::duration(1234567890123456789));
    EXPECT_FALSE(memory.MergedTime(odd));
    ASSERT_TRUE(memory.RememberMerged(odd, time));
    EXPECT_EQ(memory.MergedTime(odd), time);
    EXPECT_EQ(TMemIniFile(settings).ReadString("VantorForm", "Left", ""), "3");
    openedBefore.WriteString("VantorForm", "Top", "4");
    openedBefore.UpdateFile();
    EXPECT_EQ(TIniMergeMemory(settings).MergedTime(odd), time);
    EXPECT_EQ(TMemIniFile(settings).ReadString("VantorForm", "Top", ""), "4");
    EXPECT_TRUE(TIniMergeMemory(m_folder / "new" / "x.ini").RememberMerged(odd, time));  // makes its folder
    WriteText(m_folder / "blocker", "a file where the folder should be");
    EXPECT_FALSE(TIniMergeMemory(m_folder / "blocker" / "x.ini").RememberMerged(odd, time));
}

}  // namespace
}  // namespace vantor
