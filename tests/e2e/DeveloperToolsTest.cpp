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

#include <fstream>

namespace {

using e2e::Installation;
using e2e::Launcher;

HWND waitForFileDialog(HWND owner)
{
    HWND found = nullptr;
    waitUntil([&] {
        found = waitForOwnedDialog(owner, L"Open", 0);
        return found && fileNameField(found);
    });
    return found;
}

void writeFile(const std::wstring& path)
{
    std::ofstream(path.c_str()) << "auto test\n";
}

TEST(DeveloperTools, BrowseWritesTheChosenPathIntoTheFieldAndCancelKeepsIt)
{
    Installation disk;
    disk.plant(Installation::x86Root(), L"Orrin", L"orrin.exe");
    const std::wstring suite = L"C:\\nox e2e suite";
    CreateDirectoryW(suite.c_str(), nullptr);
    const std::wstring chosen = suite + L"\\Run One.NOXATC";
    writeFile(chosen);

    Launcher launcher(Launcher::Edition::Developer);
    const auto& orrin = slot(6);
    ASSERT_TRUE(launcher.waitEnabled(orrin.buttonId, true));
    launcher.selectMode(orrin.modeComboId, 1);
    ASSERT_TRUE(launcher.enabled(orrin.browseButtonId));
    HWND field = launcher.control(orrin.autoTestEditId);
    SendMessageW(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"typed by hand"));

    launcher.click(orrin.browseButtonId);
    HWND dialog = waitForFileDialog(launcher.dialog());
    ASSERT_NE(dialog, nullptr) << "no file dialog owned by the launcher";
    SendMessageW(fileNameField(dialog), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(chosen.c_str()));
    PostMessageW(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    EXPECT_TRUE(waitUntil([&] { return windowText(field) == chosen; })) << "field holds: " << narrow(windowText(field));

    launcher.click(orrin.browseButtonId);
    dialog = waitForFileDialog(launcher.dialog());
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
    const std::wstring underC = toolFolder.substr(3);  // "Kestrova\Tools\..." below "C:\"
    disk.plant(L"C:", underC.substr(underC.find(L'\\') + 1), toolPath.substr(toolPath.rfind(L'\\') + 1));

    const HandleProbe probe;
    Launcher launcher(Launcher::Edition::Developer);
    launcher.click(IDC_TOOLS);
    HWND tools = waitForOwnedDialog(launcher.dialog(), L"Kestrova Tools");
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

    PostMessageW(GetDlgItem(tools, IDCANCEL), BM_CLICK, 0, 0);
    EXPECT_TRUE(waitUntil([&] { return !IsWindow(tools); }));
    EXPECT_TRUE(IsWindow(launcher.dialog())) << "Close returns to the launcher";
    disk.remove(orrin);
    EXPECT_TRUE(launcher.waitEnabled(slot(6).buttonId, false));
}

TEST(DeveloperTools, AutoTestConfigureStartsThePlantedTool)
{
    Installation disk;
    const std::wstring path = kAutoTestConfigurePath;
    const std::wstring underC = path.substr(3, path.rfind(L'\\') - 3);
    const std::wstring exe = disk.plant(L"C:", underC.substr(underC.find(L'\\') + 1), path.substr(path.rfind(L'\\') + 1));
    ASSERT_EQ(exe, path);

    Launcher launcher(Launcher::Edition::Developer);
    launcher.click(IDC_AUTO_TEST_CONFIGURE);
    const auto report = waitForReport(path);
    ASSERT_TRUE(report.has_value()) << "the configuration tool did not start";
    EXPECT_EQ(report->folder + L"\\", std::wstring(kAutoTestConfigureFolder));
    EXPECT_EQ(report->showWindow, static_cast<unsigned>(SW_SHOW));
}

}  // namespace
