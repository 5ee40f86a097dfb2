#include "settings/window_placement.h"

#include "settings_fixture.h"

#include <gtest/gtest.h>

#include <climits>

namespace vantor {
namespace {

constexpr TScreenSize kScreen{1920, 1080};

TEST(KeepOnScreenTest, EdgesAreBroughtBack)
{
    struct TCase {
        const char* name;
        int left, top;
        TScreenSize screen;
        int expectedLeft, expectedTop;
    };
    const TCase cases[] = {
        {"far right", 5000, 10, kScreen, 1720, 10},
        {"far down", 10, 5000, kScreen, 10, 880},
        {"just inside", 1820, 980, kScreen, 1820, 980},
        {"just beyond", 1821, 981, kScreen, 1720, 880},
        {"off to the left and top", -50, -1, kScreen, 0, 0},
        {"at the origin", 0, 0, kScreen, 0, 0},
        {"extreme values", INT_MIN, INT_MAX, kScreen, 0, 880},
        {"screen narrower than the margin", 120, 120, {150, 150}, 0, 0},
        {"unknown screen", 300, 300, {0, 0}, 0, 0},
    };
    for (const auto& c : cases) {
        const TWindowPlacement placed = KeepOnScreen({c.left, c.top, 400, 300, true, WindowNormal}, c.screen);
        EXPECT_EQ(placed.Left, c.expectedLeft) << c.name;
        EXPECT_EQ(placed.Top, c.expectedTop) << c.name;
        EXPECT_EQ(placed.Width, 400) << c.name;
        EXPECT_EQ(placed.Height, 300) << c.name;
    }
}

class WindowPlacementTest : public test::TSettingsFixture {};

const TWindowPlacement kPresent{100, 80, 640, 480, true, WindowMaximized};
const TWindowPlacement kStored{5000, 40, 800, 600, false, WindowMinimized};

TEST_F(WindowPlacementTest, AnEmptyStoreKeepsThePresentPlacement)
{
    const TSettingsStore store(TSettingsKey::Program);
    EXPECT_EQ(RestoreWindowPlacement(store, "ReportForm", kPresent, kScreen, true, true),
              (TWindowPlacement{100, 80, 640, 480, false, WindowMaximized}))
        << "a missing Visible reads as false";
    EXPECT_EQ(RestoreWindowPlacement(store, "ReportForm", kPresent, kScreen, false, false), kPresent);
    EXPECT_EQ(RestoreSharedWindowPlacement(store, "SetUnitsForm", kPresent, kScreen), kPresent);
    EXPECT_EQ(RestoreIniWindowPlacement(store, "CoilMakerForm", kPresent, kScreen), kPresent);
}

TEST_F(WindowPlacementTest, ProgramKeyReadsSizeAndVisibilityOnlyWhenAsked)
{
    {
        TSettingsStore store(TSettingsKey::Program);
        SaveWindowPlacement(store, "VantorForm", kStored);
        ASSERT_TRUE(store.Flush().IsOk());
    }
    const TSettingsStore store(TSettingsKey::Program);
    EXPECT_EQ(store.ValueNames("VantorForm"),
              (std::vector<std::string>{"Left", "Top", "Width", "Height", "Visible", "WinState"}));

    struct TCase {
        bool withVisible, withSize;
        TWindowPlacement expected;
    };
    const TCase cases[] = {
        {true, true, {1720, 40, 800, 600, false, WindowMinimized}},
        {false, true, {1720, 40, 800, 600, true, WindowMinimized}},
        {true, false, {1720, 40, 640, 480, false, WindowMinimized}},
        {false, false, {1720, 40, 640, 480, true, WindowMinimized}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RestoreWindowPlacement(store, "VantorForm", kPresent, kScreen, c.withVisible, c.withSize),
                  c.expected)
            << "visible " << c.withVisible << ", size " << c.withSize;
}

TEST_F(WindowPlacementTest, SharedKeyAndIniFileKeepTheirOwnValues)
{
    TSettingsStore shared(TSettingsKey::Shared);
    SaveSharedWindowPlacement(shared, "SetUnitsForm", kStored);
    EXPECT_EQ(shared.ValueNames("SetUnitsForm"),
              (std::vector<std::string>{"Left", "Top", "Width", "Height", "WinState"}));
    EXPECT_EQ(RestoreSharedWindowPlacement(shared, "SetUnitsForm", kPresent, kScreen),
              (TWindowPlacement{1720, 40, 800, 600, true, WindowMinimized}));

    TSettingsStore executableIni(ExecutableIniFile());
    SaveIniWindowPlacement(executableIni, "CoilMakerForm", kStored);
    EXPECT_EQ(executableIni.ValueNames("CoilMakerForm"), (std::vector<std::string>{"Left", "Top", "Width", "Height"}));
    // A window state found in the file anyway is not the INI store's to apply.
    executableIni.WriteInteger("CoilMakerForm", "WinState", WindowNormal);
    EXPECT_EQ(RestoreIniWindowPlacement(executableIni, "CoilMakerForm", kPresent, kScreen),
              (TWindowPlacement{1720, 40, 800, 600, true, WindowMaximized}));
}

TEST_F(WindowPlacementTest, ImplausibleStoredValuesGiveWayToThePresentOnes)
{
    WriteTextFile(*SettingsKeyFile(TSettingsKey::Program),
                  "[ViewerForm]\nLeft=abc\nTop=-20\nWidth=0\nHeight=-300\nVisible=1\nWinState=7\n");
    const TSettingsStore store(TSettingsKey::Program);
    EXPECT_EQ(RestoreWindowPlacement(store, "ViewerForm", kPresent, kScreen, true, true),
              (TWindowPlacement{100, 0, 640, 480, true, WindowMaximized}));
}

TEST_F(WindowPlacementTest, AStoredSizeFitsTheScreen)
{
    TSettingsStore store(TSettingsKey::Program);
    SaveWindowPlacement(store, "VantorForm", {10, 20, 30000, 2000, true, WindowNormal});
    EXPECT_EQ(RestoreWindowPlacement(store, "VantorForm", kPresent, kScreen, false, true),
              (TWindowPlacement{10, 20, 1920, 1080, true, WindowNormal}));
    // An unknown screen bounds nothing.
    EXPECT_EQ(RestoreWindowPlacement(store, "VantorForm", kPresent, {}, false, true).Width, 30000);
}

}  // namespace
}  // namespace vantor
