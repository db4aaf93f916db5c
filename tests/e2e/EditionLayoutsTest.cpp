// The two editions' layouts as the real executables show them, and the
// developer layout's auto-test controls following a mode change.
#include "tests/e2e/LauncherDriver.h"
#include "tests/support/Slots.h"
#include "tests/support/WindowQuery.h"

#include <gtest/gtest.h>

namespace {

using e2e::Installation;
using e2e::Launcher;

// Which modes and rows enable them is EnablingRuleTest's; here, that a mode
// change refreshes at once and the field keeps its text.
TEST(EditionLayouts, AutoTestControlsFollowAModeChangeAtOnceAndKeepTheirText)
{
    Installation disk;
    disk.plant(Installation::x86Root(), L"Orrin", L"orrin.exe");
    Launcher launcher(Launcher::Edition::Developer);
    const auto& orrin = slot(6);
    ASSERT_TRUE(launcher.waitEnabled(orrin.buttonId, true));
    EXPECT_TRUE(launcher.enabled(orrin.injectCheckId));
    EXPECT_FALSE(launcher.enabled(orrin.autoTestEditId));
    EXPECT_FALSE(launcher.enabled(orrin.browseButtonId));

    SendMessageW(launcher.control(orrin.autoTestEditId), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"C:\\suite\\run.noxatc"));
    launcher.selectMode(orrin.modeComboId, 1);
    EXPECT_TRUE(launcher.enabled(orrin.autoTestEditId)) << "the mode change refreshes at once";
    EXPECT_TRUE(launcher.enabled(orrin.browseButtonId));
    launcher.selectMode(orrin.modeComboId, 0);
    EXPECT_FALSE(launcher.enabled(orrin.autoTestEditId));
    EXPECT_FALSE(launcher.enabled(orrin.browseButtonId));
    EXPECT_EQ(windowText(launcher.control(orrin.autoTestEditId)), L"C:\\suite\\run.noxatc");
}

TEST(EditionLayouts, BothLayoutsShowTheirControls)
{
    Installation disk;
    disk.plant(Installation::x86Root(), L"Larkspur", L"larkspur.exe");
    disk.plant(Installation::x86Root(), L"Quenby", L"quenby.exe");
    {
        Launcher launcher(Launcher::Edition::Customer);
        EXPECT_EQ(windowText(launcher.control(slot(9).buttonId)), L" Pellworth x64");
        EXPECT_EQ(launcher.control(slot(10).buttonId), nullptr);
        EXPECT_EQ(launcher.control(IDCANCEL), nullptr);
        EXPECT_EQ(launcher.control(slot(1).autoTestEditId), nullptr);
        EXPECT_TRUE(launcher.waitEnabled(slot(1).buttonId, true));
    }
    {
        Launcher launcher(Launcher::Edition::Developer);
        EXPECT_EQ(windowText(launcher.control(slot(9).buttonId)), L"Pellworth x64");
        EXPECT_EQ(windowText(launcher.control(IDCANCEL)), L"Close");
        EXPECT_EQ(windowText(launcher.control(IDC_TOOLS)), L"Tools...");
        EXPECT_TRUE(launcher.waitEnabled(slot(10).buttonId, true));
    }
}

}  // namespace
