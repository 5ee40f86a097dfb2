#include "settings/folders.h"

#include "settings_fixture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>
#include <string>

namespace vantor {
namespace {

namespace fs = std::filesystem;
using test::TSettingsFixture;

TFolderEnvironment EnvironmentOf(const fs::path& executable)
{
    TFolderEnvironment env;
    env.ExecutablePath = executable;
    env.Home = "/home/user";
    return env;
}

struct TMakerRootCase {
    const char* Name;
    const char* Executable;
    const char* Expected;
};

void PrintTo(const TMakerRootCase& c, std::ostream* out) { *out << c.Name; }

class MakerRootTest : public testing::TestWithParam<TMakerRootCase> {};

TEST_P(MakerRootTest, FollowsTheMakerFolderInTheProgramPath)
{
    EXPECT_EQ(MakerRoot(EnvironmentOf(GetParam().Executable)), fs::path(GetParam().Expected));
}

INSTANTIATE_TEST_SUITE_P(
    , MakerRootTest,
    testing::Values(TMakerRootCase{"upper case kept", "/opt/Apps/KORVANE/Vantor/bin/vantor", "/opt/Apps/KORVANE/"},
                    TMakerRootCase{"lower case kept", "/home/eng/korvane/vantor", "/home/eng/korvane/"},
                    TMakerRootCase{"first of two", "/a/Korvane/b/korvane/bin/vantor", "/a/Korvane/"},
                    TMakerRootCase{"only a whole segment", "/opt/korvanesoft/bin/vantor",
                                   "/opt/korvanesoft/share/korvane/"},
                    TMakerRootCase{"no maker folder", "/usr/local/bin/vantor-cli", "/usr/local/share/korvane/"}));

TEST_F(MakerRootTest, EnvironmentOverrideWins)
{
    TFolderEnvironment env = EnvironmentOf("/opt/Korvane/bin/vantor");
    env.MakerRootOverride = "/srv/makers";
    EXPECT_EQ(MakerRoot(env), fs::path("/srv/makers/"));
    EXPECT_EQ(SharedFilesFolder(env), fs::path("/srv/makers/Common Files/"));
}

// The user-dirs.dirs text and where the documents folder is then, from the home folder.
struct TUserDirsCase {
    const char* Name;
    const char* UserDirs;
    const char* Expected;
};

void PrintTo(const TUserDirsCase& c, std::ostream* out) { *out << c.Name; }

class FoldersTest : public TSettingsFixture, public testing::WithParamInterface<TUserDirsCase> {};

TEST_F(FoldersTest, MakerRootFallsBackToTheShareFolderThatExists)
{
    // An installation keeps executables in bin/, the build tree in src/cli/ and src/app/.
    const fs::path installed = Root() / "usr" / "share" / "korvane";
    const fs::path buildTree = Root() / "build" / "share" / "korvane";
    fs::create_directories(installed);
    fs::create_directories(buildTree);
    EXPECT_EQ(MakerRoot(EnvironmentOf(Root() / "usr" / "bin" / "vantor")), installed / "");
    EXPECT_EQ(MakerRoot(EnvironmentOf(Root() / "build" / "src" / "cli" / "vantor-cli")), buildTree / "");

    // When both candidates exist the nearer one is taken.
    fs::create_directories(Root() / "build" / "src" / "share" / "korvane");
    EXPECT_EQ(MakerRoot(EnvironmentOf(Root() / "build" / "src" / "cli" / "vantor-cli")),
              Root() / "build" / "src" / "share" / "korvane" / "");
}

TEST_F(FoldersTest, ConvenienceQueriesReadTheProcessEnvironment)
{
    EXPECT_EQ(MakerRoot(), Root() / "maker" / "");
    EXPECT_EQ(SharedFilesFolder(), Root() / "maker" / "Common Files" / "");
    EXPECT_EQ(SettingsFolder(), Root() / "config" / "Korvane" / "");
    EXPECT_EQ(UserRoot(), Root() / "data" / "korvane" / "");
    EXPECT_EQ(DocumentsFolder(), Root() / "home" / "Documents" / "");
    EXPECT_EQ(ProgramFolder(), fs::read_symlink("/proc/self/exe").parent_path() / "");
}

struct TBaseFolderCase {
    const char* Name;
    const char* Home;
    const char* ConfigHome;
    const char* DataHome;
    std::optional<fs::path> Settings;
    std::optional<fs::path> UserRoot;
};

void PrintTo(const TBaseFolderCase& c, std::ostream* out) { *out << c.Name; }

class BaseFolderTest : public testing::TestWithParam<TBaseFolderCase> {};

TEST_P(BaseFolderTest, XdgVariablesThenHome)
{
    const TBaseFolderCase& c = GetParam();
    TFolderEnvironment env;
    env.Home = c.Home;
    env.XdgConfigHome = c.ConfigHome;
    env.XdgDataHome = c.DataHome;
    EXPECT_EQ(SettingsFolder(env), c.Settings);
    EXPECT_EQ(UserRoot(env), c.UserRoot);
}

INSTANTIATE_TEST_SUITE_P(
    , BaseFolderTest,
    testing::Values(
        TBaseFolderCase{"variables set", "/home/u", "/cfg", "/dat", fs::path("/cfg/Korvane/"),
                        fs::path("/dat/korvane/")},
        TBaseFolderCase{"home defaults", "/home/u", "", "", fs::path("/home/u/.config/Korvane/"),
                        fs::path("/home/u/.local/share/korvane/")},
        TBaseFolderCase{"relative variables ignored", "/home/u", "cfg", "./dat",
                        fs::path("/home/u/.config/Korvane/"), fs::path("/home/u/.local/share/korvane/")},
        TBaseFolderCase{"no home", "", "", "", std::nullopt, std::nullopt},
        TBaseFolderCase{"no home, variables set", "", "/cfg/", "/dat/", fs::path("/cfg/Korvane/"),
                        fs::path("/dat/korvane/")}));

TEST_F(FoldersTest, UserCopyShadowsTheInstalledOne)
{
    const auto env = TFolderEnvironment::FromProcess();
    const fs::path units = fs::path("Coils") / "units.ini";
    WriteTextFile(Root() / "maker" / units, "[Units]\n");

    EXPECT_EQ(FindDataFile(units, env), Root() / "maker" / units);
    WriteTextFile(Root() / "data" / "korvane" / units, "[Units]\n");
    EXPECT_EQ(FindDataFile(units, env), Root() / "data" / "korvane" / units);

    // A file only the user has is found in the user root; one nobody has names the maker's.
    WriteTextFile(Root() / "data" / "korvane" / "Common Files" / "Mine.wdb", "");
    EXPECT_EQ(FindDataFile("Common Files/Mine.wdb", env), Root() / "data" / "korvane" / "Common Files" / "Mine.wdb");
    EXPECT_EQ(FindDataFile("Common Files/None.wdb", env), Root() / "maker" / "Common Files" / "None.wdb");

    // Writing always goes to the user root, whether or not the user has a copy yet.
    EXPECT_EQ(WritableDataFile("Common Files/CoilMakers.xml", env),
              Root() / "data" / "korvane" / "Common Files" / "CoilMakers.xml");
}

TEST_F(FoldersTest, HelpPagesAreFoundWhateverTheCase)
{
    const auto env = TFolderEnvironment::FromProcess();
    const fs::path maker = Root() / "maker" / "Common Files";
    WriteTextFile(maker / "Coils.htm", "<html></html>");
    for (const char* name : {"Coils.htm", "coils.htm", "COILS.HTM"}) EXPECT_EQ(FindHelpPage(name, env), maker / "Coils.htm") << name;
    EXPECT_TRUE(FindHelpPage("FatDlg.htm", env).empty());

    // The user's copy, in whatever case, comes first.
    const fs::path user = Root() / "data" / "korvane" / "Common Files";
    WriteTextFile(user / "coils.HTM", "<html></html>");
    EXPECT_EQ(FindHelpPage("Coils.htm", env), user / "coils.HTM");
    for (const char* name : {"", "../Coils.htm", "Common Files/Coils.htm", "/etc/passwd"})
        EXPECT_TRUE(FindHelpPage(name, env).empty()) << name;
}

TEST_F(FoldersTest, DataFileNamesStayInsideTheRoots)
{
    const auto env = TFolderEnvironment::FromProcess();
    for (const char* name : {"/etc/passwd", "../secret.ini", "Coils/../../secret.ini", ""}) {
        EXPECT_TRUE(FindDataFile(name, env).empty()) << name;
        EXPECT_FALSE(WritableDataFile(name, env)) << name;
    }
}

TEST_P(FoldersTest, DocumentsFolderFromUserDirs)
{
    WriteTextFile(Root() / "config" / "user-dirs.dirs", GetParam().UserDirs);
    EXPECT_EQ(DocumentsFolder(), Root() / "home" / GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    , FoldersTest,
    testing::Values(
        TUserDirsCase{"home relative", "XDG_DOCUMENTS_DIR=\"$HOME/Dokumente\"\n", "Dokumente/"},
        TUserDirsCase{"absolute", "# comment\nXDG_DESKTOP_DIR=\"$HOME/Desktop\"\nXDG_DOCUMENTS_DIR=\"/srv/docs\"\n",
                      "/srv/docs/"},
        TUserDirsCase{"escaped quote", "XDG_DOCUMENTS_DIR=\"$HOME/My \\\"Docs\\\"\"\n", "My \"Docs\"/"},
        TUserDirsCase{"home itself", "XDG_DOCUMENTS_DIR=\"$HOME/\"\n", ""},
        TUserDirsCase{"last one wins", "XDG_DOCUMENTS_DIR=\"$HOME/A\"\nXDG_DOCUMENTS_DIR=\"$HOME/B\"\n", "B/"},
        TUserDirsCase{"relative refused", "XDG_DOCUMENTS_DIR=\"Docs\"\n", "Documents/"},
        TUserDirsCase{"unclosed quote", "XDG_DOCUMENTS_DIR=\"$HOME/Docs\n", "Documents/"},
        TUserDirsCase{"other variable", "XDG_DOCUMENTS_DIR=\"$HOMEWORK/Docs\"\n", "Documents/"},
        TUserDirsCase{"CRLF lines", "XDG_DOCUMENTS_DIR=\"$HOME/Docs\"\r\n", "Docs/"}));

TEST_F(FoldersTest, DataFolderIsCreatedWithItsParents)
{
    const auto result = EnsureDataFolder();
    ASSERT_TRUE(result.Result.IsOk()) << result.Result.Message;
    EXPECT_EQ(result.Folder, Root() / "home" / "Documents" / "Korvane" / "Vantor" / "");
    EXPECT_TRUE(fs::is_directory(result.Folder));
    // A second call finds it in place.
    EXPECT_EQ(EnsureDataFolder().Folder, result.Folder);
}

TEST_F(FoldersTest, DataFolderFallsBackToHomeWhenItCannotBeMade)
{
    // A file where the documents folder should be blocks the folder under it.
    WriteTextFile(Root() / "home" / "Documents", "not a folder");
    const auto result = EnsureDataFolder();
    ASSERT_TRUE(result.Result.IsOk()) << result.Result.Message;
    EXPECT_EQ(result.Folder, Root() / "home" / "");
}

TEST_F(FoldersTest, NoHomeMeansNoDocumentsFolder)
{
    TFolderEnvironment env = TFolderEnvironment::FromProcess();
    env.Home.clear();
    EXPECT_FALSE(DocumentsFolder(env));
    const auto result = EnsureDataFolder(env);
    EXPECT_FALSE(result.Result.IsOk());
    EXPECT_EQ(result.Result.Message, "Could not find My Documents folder location.");
    EXPECT_TRUE(result.Folder.empty());
}

}  // namespace
}  // namespace vantor
