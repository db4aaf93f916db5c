// The developer edition's Browse buttons, Tools dialog and auto-test
// configuration tool, driven from outside like the rest of the dialog.
#include "tests/e2e/LauncherDriver.h"
#include "tests/support/Files.h"
#include "tests/support/HandleProbe.h"
#include "tests/support/Slots.h"
#include "tests/support/StubReport.h"
#include "tests/support/Text.h"
#include "tests/support/WindowQuery.h"
#include "launch/ToolTable.h"

#include <gtest/gtest.h>

namespace {

using e2e::Installation;
using e2e::Launcher;

TEST(DeveloperTools, BrowseWritesTheChosenPathIntoTheFieldAndCancelKeepsIt)
{
    Installation disk;
    disk.plant(Installation::x86Root(), L"Orrin", L"orrin.exe");
    const std::wstring suite = L"C:\\nox e2e suite";
    CreateDirectoryW(suite.c_str(), nullptr);
    const std::wstring chosen = suite + L"\\Run One.NOXATC";
    writeFile(chosen, "auto test\n");

    Launcher launcher(Launcher::Edition::Developer);
    const auto& orrin = slot(6);
    ASSERT_TRUE(launcher.waitEnabled(orrin.buttonId, true));
    launcher.selectMode(orrin.modeComboId, 1);
    ASSERT_TRUE(launcher.enabled(orrin.browseButtonId));
    HWND field = launcher.control(orrin.autoTestEditId);
    SendMessageW(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"typed by hand"));

    HWND dialog = launcher.openFileDialog(orrin.browseButtonId);
    ASSERT_NE(dialog, nullptr) << "no file dialog owned by the launcher";
    e2e::chooseFile(dialog, chosen);
    EXPECT_TRUE(waitUntil([&] { return windowText(field) == chosen; })) << "field holds: " << narrow(windowText(field));

    dialog = launcher.openFileDialog(orrin.browseButtonId);
    ASSERT_NE(dialog, nullptr);
    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(waitUntil([&] { return !IsWindow(dialog); }));
    EXPECT_EQ(windowText(field), chosen) << "cancelling changes nothing";

    DeleteFileW(chosen.c_str());
    RemoveDirectoryW(suite.c_str());
}

TEST(DeveloperTools, ToolsDialogStartsToolsInTheirFolderAndStaysOpenOverAFollowingLauncher)
{
    Installation disk;
    const ToolButton& viewer = kToolButtons[0];
    const std::wstring toolPath = viewer.exePath;
    const std::wstring toolFolder = folderOf(toolPath);
    ASSERT_EQ(disk.plantAt(toolPath), toolPath);

    const HandleProbe probe;
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
    EXPECT_EQ(handoverOf(*report), kShownDetachedStart);
    EXPECT_TRUE(IsWindow(tools)) << "starting a tool leaves the dialog open";

    EXPECT_TRUE(e2e::closeWith(tools, IDCANCEL));
    EXPECT_TRUE(IsWindow(launcher.dialog())) << "Close returns to the launcher";
    disk.remove(orrin);
    EXPECT_TRUE(launcher.waitEnabled(slot(6).buttonId, false));
}

TEST(DeveloperTools, AutoTestConfigureStartsThePlantedTool)
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
