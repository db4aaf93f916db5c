// The developer edition's tool starts driven from outside: the Tools dialog's
// buttons and Auto Test Configure. Which runner each kind takes is
// ToolRunnersTest's, the hand-over DetachedStartTest's.
#include "tests/e2e/LauncherDriver.h"
#include "tests/support/Files.h"
#include "tests/support/Slots.h"
#include "tests/support/StubReport.h"
#include "launch/ToolTable.h"

#include <gtest/gtest.h>

namespace {

using e2e::Installation;
using e2e::Launcher;

TEST(ToolStarts, ToolsDialogStartsToolsInTheirFolderOverAFollowingLauncher)
{
    Installation disk;
    const ToolButton& viewer = kToolButtons[0];
    const std::wstring toolPath = viewer.exePath;
    const std::wstring toolFolder = folderOf(toolPath);
    ASSERT_EQ(disk.plantAt(toolPath), toolPath);

    Launcher launcher(Launcher::Edition::Developer);
    HWND tools = launcher.openTools();
    ASSERT_NE(tools, nullptr);

    // The launcher's rows go on following the disk under the Tools dialog.
    const std::wstring orrin = disk.plant(Installation::x86Root(), L"Orrin", L"orrin.exe");
    EXPECT_TRUE(launcher.waitEnabled(slot(6).buttonId, true));

    PostMessageW(GetDlgItem(tools, viewer.buttonId), BM_CLICK, 0, 0);
    const auto report = waitForReport(toolPath);
    ASSERT_TRUE(report.has_value()) << "the tool did not start";
    EXPECT_EQ(report->folder, toolFolder);
    EXPECT_EQ(report->commandLine, toolPath);

    EXPECT_TRUE(e2e::closeWith(tools, IDCANCEL));
    EXPECT_TRUE(IsWindow(launcher.dialog())) << "Close returns to the launcher";
    disk.remove(orrin);
    EXPECT_TRUE(launcher.waitEnabled(slot(6).buttonId, false));
}

TEST(ToolStarts, AutoTestConfigureStartsThePlantedTool)
{
    Installation disk;
    const std::wstring path = kAutoTestConfigurePath;
    ASSERT_EQ(disk.plantAt(path), path);

    Launcher launcher(Launcher::Edition::Developer);
    launcher.click(IDC_AUTO_TEST_CONFIGURE);
    const auto report = waitForReport(path);
    ASSERT_TRUE(report.has_value()) << "the configuration tool did not start";
    EXPECT_EQ(report->folder + L"\\", std::wstring(kAutoTestConfigureFolder));
    EXPECT_EQ(report->showWindow, static_cast<unsigned>(SW_SHOW));
}

}  // namespace
