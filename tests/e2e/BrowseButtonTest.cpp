// The developer edition's Browse button driven from outside: the chosen path
// lands in the row's field, Cancel keeps it. The dialogs themselves are
// AutoTestBrowseTest's and CIndexedFileDialogTest's.
#include "tests/e2e/LauncherDriver.h"
#include "tests/support/Files.h"
#include "tests/support/Slots.h"
#include "tests/support/Text.h"
#include "tests/support/WindowQuery.h"

#include <gtest/gtest.h>

namespace {

using e2e::Installation;
using e2e::Launcher;

TEST(BrowseButton, WritesTheChosenPathIntoTheFieldAndCancelKeepsIt)
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

}  // namespace
