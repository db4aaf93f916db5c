// Many launches in a row through the real developer launcher, across modes
// and check boxes: each child sees exactly its own variables, and the
// launcher keeps no launch variable afterwards. (Handles the launches leave
// open are counted in-process by the launcher tests.)
// NOX_LAUNCH_COUNT (default 200).
#include "tests/e2e/LauncherDriver.h"
#include "tests/e2e/ProcessProbe.h"
#include "launch/LaunchPlan.h"
#include "launch/ProductCatalogue.h"
#include "tests/support/Environment.h"
#include "tests/support/StubReport.h"
#include "tests/support/Text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <vector>

namespace {

using e2e::Installation;
using e2e::Launcher;
using Variables = std::map<std::wstring, std::wstring>;

TEST(RepeatedLaunch, NoVariableIsLeftAndEveryChildSeesItsOwn)
{
    const long count = settingOr(L"NOX_LAUNCH_COUNT", 200);
    Installation disk;
    std::vector<std::size_t> slots;  // the rows this launcher can run
    std::vector<std::wstring> exes(kProductSlotCount);
    for (std::size_t i = 0; i < kProductSlotCount; ++i) {
        const ProductSlot& s = kProductSlots[i];
        exes[i] = disk.plant(s.is64Bit ? Installation::nativeRoot() : Installation::x86Root(), s.folderName,
                             s.exeName);
        if (!s.is64Bit || e2e::launcherIsWow64Build())
            slots.push_back(i);
    }
    // Inherited by the launcher: the first launch must remove it for good.
    SetEnvironmentVariableW(L"NOX_SHOW_AUTO_TEST", L"1");
    Launcher launcher(Launcher::Edition::Developer);
    SetEnvironmentVariableW(L"NOX_SHOW_AUTO_TEST", nullptr);
    ASSERT_NE(launcher.dialog(), nullptr);
    ASSERT_TRUE(launcher.waitEnabled(kProductSlots[slots.back()].buttonId, true));

    int mismatches = 0;
    std::vector<ULONGLONG> reportMs;  // click to report: a figure, not judged
    for (long n = 0; n < count; ++n) {
        const std::size_t i = slots[static_cast<std::size_t>(n) % slots.size()];
        const ProductSlot& s = kProductSlots[i];
        const int position = static_cast<int>(n / static_cast<long>(slots.size())) % 3;
        const bool inject = (n / 3) % 2 == 1;
        const bool help = (n / 5) % 2 == 1;
        launcher.selectMode(s.modeComboId, position);
        launcher.setCheck(s.injectCheckId, inject);
        launcher.setCheck(IDC_HELP_SWITCH, help);

        discardReport(exes[i]);
        const ULONGLONG clicked = GetTickCount64();
        launcher.click(s.buttonId);
        const auto report = waitForReport(exes[i]);
        reportMs.push_back(GetTickCount64() - clicked);
        Variables expected;
        if (inject)
            expected[L"NOX_SHOW_MESSAGE_BOX_AT_STARTUP"] = L"1";
        if (position == 1)
            expected[L"NOX_RECORD_FULL_MESSAGE_STATS"] = L"1";
        if (position == 2)
            expected[L"NOX_RECORD_PARTIAL_MESSAGE_STATS"] = L"1";
        const std::wstring commandLine = exes[i] + (help ? L" -help " : L"");
        const bool ok = report && launchVariablesOf(*report) == expected && report->commandLine == commandLine;
        if (!ok && ++mismatches <= 5) {
            std::string seen = report ? "command line [" + narrow(report->commandLine) + "], variables" : "no report";
            if (report)
                for (const auto& [name, value] : launchVariablesOf(*report))
                    seen += " " + narrow(name) + "=" + narrow(value);
            ADD_FAILURE() << "launch " << n << " of " << narrow(exes[i]) << " (mode " << position << ", inject "
                          << inject << ", help " << help << "): " << seen;
        }
        launcher.setCheck(s.injectCheckId, false);
    }
    EXPECT_EQ(mismatches, 0);
    std::sort(reportMs.begin(), reportMs.end());
    std::printf("repeated launch: %ld launches; click to report in median %.0f ms, max %.0f ms\n", count,
                static_cast<double>(reportMs[reportMs.size() / 2]), static_cast<double>(reportMs.back()));

    const auto environment = e2e::readEnvironment(launcher.processId());
    ASSERT_TRUE(environment.has_value()) << "the launcher's environment could not be read";
    // The reader works: an entry every Windows process has is there.
    EXPECT_TRUE(std::any_of(environment->begin(), environment->end(),
                            [](const std::wstring& entry) { return _wcsnicmp(entry.c_str(), L"SystemRoot=", 11) == 0; }));
    for (const std::wstring& entry : *environment) {
        const std::wstring name = entry.substr(0, entry.find(L'=', 1));
        EXPECT_TRUE(std::none_of(kLaunchVariables.begin(), kLaunchVariables.end(),
                                 [&](const wchar_t* variable) { return _wcsicmp(variable, name.c_str()) == 0; }))
            << narrow(entry) << " left in the launcher's environment";
    }
}

}  // namespace
