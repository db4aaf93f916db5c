// The shipped 32-bit programs, driven from outside by this 64-bit program. On
// 64-bit Windows they run under WOW64, where both program-files queries answer
// the x86 folder: x86 products are found there, x64 products under the native
// folder through the " (x86)" cut, and x64 rows are enabled. The products are
// this build's 64-bit stub: the launcher does not care which bitness it starts.
//
// NOX_X86_BIN names the folder of the 32-bit build's executables. Where 32-bit
// programs run only through an emulator, each launcher takes about a minute to
// show its dialog, hence the long waits; they bound failures, not the pace.
#include "launch/ProductCatalogue.h"
#include "tests/e2e/LauncherDriver.h"
#include "tests/support/Files.h"
#include "tests/support/Slots.h"
#include "tests/support/StubReport.h"
#include "tests/support/Text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <optional>
#include <thread>
#include <vector>

namespace {

using e2e::Installation;
using e2e::Launcher;
using Variables = std::map<std::wstring, std::wstring>;

constexpr DWORD kStartMs = 300000;
constexpr DWORD kSlowMs = 60000;

std::wstring x86Folder()
{
    wchar_t folder[MAX_PATH] = L"";
    const DWORD length = GetEnvironmentVariableW(L"NOX_X86_BIN", folder, MAX_PATH);
    return length > 0 && length < MAX_PATH ? folder : L"";
}

// The executables under test must be the 32-bit build's: checked before anything starts.
::testing::AssertionResult is32BitProgram(const std::wstring& exe)
{
    DWORD kind = 0;
    if (!GetBinaryTypeW(exe.c_str(), &kind))
        return ::testing::AssertionFailure() << narrow(exe) << " is missing (build the windows-x86 preset)";
    if (kind != SCS_32BIT_BINARY)
        return ::testing::AssertionFailure() << narrow(exe) << " is not a 32-bit program";
    return ::testing::AssertionSuccess();
}

bool runsUnderWow64(const Launcher& launcher)
{
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, launcher.processId());
    if (!process)
        return false;
    BOOL wow64 = FALSE;
    const bool known = IsWow64Process(process, &wow64) != FALSE;
    CloseHandle(process);
    return known && wow64;
}

// Expects exactly the rows of `installed` enabled, waiting for the first refreshes.
void expectOnlyRowsEnabled(const Launcher& launcher, const std::vector<int>& installed, int slotCount)
{
    for (int number : installed)
        EXPECT_TRUE(launcher.waitEnabled(slot(number).buttonId, true, kSlowMs)) << "row " << number;
    for (int number = 1; number <= slotCount; ++number) {
        if (std::find(installed.begin(), installed.end(), number) == installed.end()) {
            EXPECT_FALSE(launcher.enabled(slot(number).buttonId)) << "row " << number;
        }
    }
}

StubReport launchAndReport(const Launcher& launcher, int slotNumber, const std::wstring& exe)
{
    discardReport(exe);
    launcher.click(slot(slotNumber).buttonId);
    auto report = waitForReport(exe, kSlowMs);
    EXPECT_TRUE(report.has_value()) << "no report from " << narrow(exe);
    return report.value_or(StubReport{});
}

// Both editions at once: under the emulator each start costs a minute of one
// core, and the two starts overlap on two. One x86 product under the x86
// folder and one x64 product under the native folder; every other row stays
// disabled in both layouts.
TEST(X86Smoke, BothEditionsRunUnderWow64FindBothBitnessesAndLaunch)
{
    const std::wstring folder = x86Folder();
    ASSERT_FALSE(folder.empty()) << "NOX_X86_BIN names no folder";
    ASSERT_TRUE(is32BitProgram(folder + L"\\noxLauncher.exe"));
    ASSERT_TRUE(is32BitProgram(folder + L"\\noxLauncherDev.exe"));

    Installation disk;
    const std::wstring x86Exe = disk.plant(Installation::x86Root(), slot(6).folderName, slot(6).exeName);
    const std::wstring x64Exe = disk.plant(Installation::nativeRoot(), slot(3).folderName, slot(3).exeName);
    ASSERT_EQ(x86Exe, L"C:\\Program Files (x86)\\Kestrova\\Orrin\\orrin.exe");
    ASSERT_EQ(x64Exe, L"C:\\Program Files\\Kestrova\\Marrowby x64\\marrowby_x64.exe");

    // Inherited by both launchers: a launch removes it, so no product may see it.
    SetEnvironmentVariableW(L"NOX_SHOW_MESSAGES", L"1");
    std::optional<Launcher> customer;
    std::thread customerStart([&] { customer.emplace(Launcher::Edition::Customer, folder, kStartMs); });
    Launcher developer(Launcher::Edition::Developer, folder, kStartMs);
    customerStart.join();
    SetEnvironmentVariableW(L"NOX_SHOW_MESSAGES", nullptr);
    ASSERT_NE(developer.dialog(), nullptr) << "no developer dialog";
    ASSERT_NE(customer->dialog(), nullptr) << "no customer dialog";
    EXPECT_TRUE(runsUnderWow64(developer));
    EXPECT_TRUE(runsUnderWow64(*customer));
    expectOnlyRowsEnabled(developer, {3, 6}, 11);
    expectOnlyRowsEnabled(*customer, {3, 6}, 9);

    developer.setCheck(IDC_HELP_SWITCH, true);
    developer.selectMode(slot(3).modeComboId, 1);  // "Record Full Message Statistics"
    auto report = launchAndReport(developer, 3, x64Exe);
    EXPECT_EQ(report.commandLine, x64Exe + L" -help ");
    EXPECT_EQ(report.folder, folderOf(x64Exe));
    EXPECT_EQ(launchVariablesOf(report), (Variables{{L"NOX_RECORD_FULL_MESSAGE_STATS", L"1"}}));

    customer->selectMode(slot(6).modeComboId, 2);  // "Record Partial Message Statistics"
    report = launchAndReport(*customer, 6, x86Exe);
    EXPECT_EQ(report.commandLine, x86Exe);
    EXPECT_EQ(report.folder, folderOf(x86Exe));
    EXPECT_EQ(launchVariablesOf(report), (Variables{{L"NOX_RECORD_PARTIAL_MESSAGE_STATS", L"1"}}));

    developer.click(IDCANCEL);  // "Close"
    EXPECT_TRUE(developer.waitForExit(kSlowMs)) << "developer edition still running after Close";
    PostMessageW(customer->dialog(), WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(customer->waitForExit(kSlowMs)) << "customer edition still running after the system menu's Close";
}

}  // namespace
