// The launcher's rows follow the disk and the platform, refreshed while open.
#include "tests/e2e/LauncherDriver.h"
#include "tests/support/Slots.h"

#include <gtest/gtest.h>

namespace {

using e2e::Installation;
using e2e::Launcher;

TEST(RowsFollowDisk, NothingInstalledDisablesEveryRowAndInstallsAndRemovalsShowWithinAPeriod)
{
    Installation disk;
    Launcher launcher(Launcher::Edition::Customer);
    ASSERT_NE(launcher.dialog(), nullptr);
    for (int number = 1; number <= 9; ++number) {
        EXPECT_FALSE(launcher.enabled(slot(number).buttonId)) << number;
        EXPECT_FALSE(launcher.enabled(slot(number).modeComboId)) << number;
    }

    const std::wstring exe = disk.plant(Installation::x86Root(), L"Larkspur", L"larkspur.exe");
    EXPECT_TRUE(launcher.waitEnabled(slot(1).buttonId, true));
    EXPECT_TRUE(launcher.enabled(slot(1).modeComboId));
    EXPECT_FALSE(launcher.enabled(slot(2).buttonId));

    disk.remove(exe);
    EXPECT_TRUE(launcher.waitEnabled(slot(1).buttonId, false));
    EXPECT_FALSE(launcher.enabled(slot(1).modeComboId));
}

TEST(RowsFollowDisk, RowsKeepFollowingWhileTheAboutBoxIsOpen)
{
    Installation disk;
    Launcher launcher(Launcher::Edition::Customer);
    HWND about = launcher.openAbout(IDM_ABOUTBOX);
    ASSERT_NE(about, nullptr);

    const std::wstring exe = disk.plant(Installation::x86Root(), L"Orrin", L"orrin.exe");
    EXPECT_TRUE(launcher.waitEnabled(slot(6).buttonId, true));
    disk.remove(exe);
    EXPECT_TRUE(launcher.waitEnabled(slot(6).buttonId, false));

    EXPECT_TRUE(e2e::closeWith(about, IDOK));
}

TEST(RowsFollowDisk, X64RowsNeedAWow64LauncherEvenWhenInstalled)
{
    Installation disk;
    disk.plant(Installation::nativeRoot(), L"Marrowby x64", L"marrowby_x64.exe");
    disk.plant(Installation::nativeRoot(), L"Pellworth x64", L"pellworth_x64.exe");
    disk.plant(Installation::x86Root(), L"Marrowby", L"marrowby.exe");
    Launcher launcher(Launcher::Edition::Customer);
    ASSERT_TRUE(launcher.waitEnabled(slot(2).buttonId, true));
    // A 32-bit launcher on 64-bit Windows runs x64 builds; a 64-bit one is never under WOW64.
    const bool x64Runs = e2e::launcherIsWow64Build();
    EXPECT_EQ(launcher.enabled(slot(3).buttonId), x64Runs);
    EXPECT_EQ(launcher.enabled(slot(9).buttonId), x64Runs);
    EXPECT_FALSE(launcher.enabled(slot(5).buttonId)) << "not installed";
}

TEST(RowsFollowDisk, AnExecutableNamedFolderCountsAsInstalled)
{
    Installation disk;
    disk.plantFolderAsExe(Installation::x86Root(), L"Orrin", L"orrin.exe");
    Launcher launcher(Launcher::Edition::Customer);
    EXPECT_TRUE(launcher.waitEnabled(slot(6).buttonId, true));
}

}  // namespace
