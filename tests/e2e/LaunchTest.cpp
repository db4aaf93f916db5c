// Launches through the real dialog: the stub product reports what it received.
#include "tests/e2e/LauncherDriver.h"
#include "tests/support/Files.h"
#include "tests/support/HandleProbe.h"
#include "tests/support/MessageBoxes.h"
#include "tests/support/Slots.h"
#include "tests/support/StubReport.h"
#include "tests/support/Text.h"

#include <gtest/gtest.h>

#include <map>

namespace {

using e2e::Installation;
using e2e::Launcher;
using Variables = std::map<std::wstring, std::wstring>;

TEST(Launch, CustomerModesSetExactlyTheirVariableOnAnUnquotedCommandLineInTheProductFolder)
{
    Installation disk;
    const std::wstring exe = disk.plant(Installation::x86Root(), L"Orrin", L"orrin.exe");
    SetEnvironmentVariableW(L"NOX_SHOW_EVENT_COUNT", L"1");  // inherited by the launcher: must never reach a product
    const HandleProbe probe;  // an inheritable handle of the launcher's: must never reach a product
    Launcher launcher(Launcher::Edition::Customer);
    SetEnvironmentVariableW(L"NOX_SHOW_EVENT_COUNT", nullptr);
    ASSERT_TRUE(launcher.waitEnabled(slot(6).buttonId, true));
    ASSERT_TRUE(probe.isOpenIn(launcher.processId())) << "the launcher did not inherit the probe";

    const struct {
        int position;
        Variables expected;
    } modes[] = {
        {1, {{L"NOX_RECORD_FULL_MESSAGE_STATS", L"1"}}},
        {0, {}},  // a later launch sees only its own variables
    };
    for (const auto& mode : modes) {
        launcher.selectMode(slot(6).modeComboId, mode.position);
        const auto report = launcher.launch(6, exe).value_or(StubReport{});
        EXPECT_EQ(report.commandLine, exe) << "mode " << mode.position;
        EXPECT_EQ(report.folder, folderOf(exe));
        EXPECT_EQ(launchVariablesOf(report), mode.expected) << "mode " << mode.position;
        EXPECT_EQ(handoverOf(report), kShownDetachedStart) << "mode " << mode.position;
    }
}

// Each row's own inject box and mode box; the "-help" box is one for all rows
// (LauncherDialogTest).
TEST(Launch, DeveloperInjectAndModesReachEverySlot)
{
    Installation disk;
    std::map<int, std::wstring> exes;
    for (int number = 1; number <= 11; ++number) {
        const auto& s = slot(number);
        exes[number] = disk.plant(s.is64Bit ? Installation::nativeRoot() : Installation::x86Root(), s.folderName,
                                  s.exeName);
    }
    Launcher launcher(Launcher::Edition::Developer);
    ASSERT_NE(launcher.dialog(), nullptr);
    ASSERT_TRUE(launcher.waitEnabled(slot(10).buttonId, true));

    for (int number = 1; number <= 11; ++number) {
        const auto& s = slot(number);
        launcher.setCheck(s.injectCheckId, true);
        launcher.selectMode(s.modeComboId, number % 2 ? 2 : 0);
        // A click is carried out even on a row disabled for x64 (Wine delivers it): it is the click that counts.
        const auto report = launcher.launch(number, exes[number]).value_or(StubReport{});
        EXPECT_EQ(report.commandLine, exes[number]) << number;
        Variables expected{{L"NOX_SHOW_MESSAGE_BOX_AT_STARTUP", L"1"}};
        if (number % 2)
            expected[L"NOX_RECORD_PARTIAL_MESSAGE_STATS"] = L"1";
        EXPECT_EQ(launchVariablesOf(report), expected) << number;
        launcher.setCheck(s.injectCheckId, false);
    }
}

// The reports themselves are ProductLaunchTest's; here, that a click resolves
// the path anew and reports on the launcher.
TEST(Launch, AClickResolvesThePathAnewAndReportsAMissingFile)
{
    Installation disk;
    const std::wstring exe = disk.plant(Installation::x86Root(), L"Larkspur", L"larkspur.exe");
    Launcher launcher(Launcher::Edition::Customer);
    ASSERT_TRUE(launcher.waitEnabled(slot(1).buttonId, true));

    // The executable vanishes between the refresh that enabled the row and the click.
    disk.remove(exe);
    launcher.click(slot(1).buttonId);
    auto box = takeMessageBox(launcher.dialog());
    ASSERT_TRUE(box.has_value());
    // Resolved again at the click: the product folder is left, so the beta path under it is named.
    const std::wstring beta = L"C:\\Program Files (x86)\\Kestrova\\Larkspur Beta\\larkspur.exe";
    EXPECT_NE(box->text.find(L" " + beta + L" "), std::wstring::npos) << narrow(box->text);
    EXPECT_TRUE(IsWindow(launcher.dialog()));
}

}  // namespace
