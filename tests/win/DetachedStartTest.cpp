// What a detached start asks of the system besides the program, seen by a
// stand-in for CreateProcessW in the import table, for both callers.
#include "launch/ProductLaunch.h"
#include "launch/WindowsToolPlatform.h"
#include "tests/support/Files.h"
#include "tests/support/ImportReplacement.h"
#include "tests/support/MessageBoxes.h"
#include "tests/support/StubReport.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <type_traits>
#include <vector>

namespace {

// What a process start asks of the system besides the program: creation flags,
// handle inheritance, its own environment and the start-up information. Seen
// here rather than in the started stub because a windowed program shows no
// sign of a console flag: the system gives it no console either way.
std::vector<std::wstring> processStarts;
decltype(&CreateProcessW) realCreateProcess = nullptr;

BOOL WINAPI recordProcessStart(LPCWSTR application, LPWSTR commandLine, LPSECURITY_ATTRIBUTES processAttributes,
                               LPSECURITY_ATTRIBUTES threadAttributes, BOOL inherit, DWORD flags, LPVOID environment,
                               LPCWSTR folder, LPSTARTUPINFOW startup, LPPROCESS_INFORMATION created)
{
    processStarts.push_back(L"creation flags " + std::to_wstring(flags) + L", inherit " + std::to_wstring(inherit) +
                            (environment ? L", own environment" : L"") + L", start-up flags " +
                            std::to_wstring(startup->dwFlags) + L", show " + std::to_wstring(startup->wShowWindow));
    return realCreateProcess(application, commandLine, processAttributes, threadAttributes, inherit, flags,
                             environment, folder, startup, created);
}

TEST(DetachedStart, ProductsAndPlainToolsAreShownWithoutCreationFlagsOrInheritedHandles)
{
    const TempFolder temp(L"starts");
    const std::wstring product = temp.path() + L"\\product.exe";
    const std::wstring tool = temp.path() + L"\\tool.exe";
    ASSERT_TRUE(plantStub(product) && plantStub(tool));
    const ImportReplacement replacement("KERNEL32.dll", "CreateProcessW", &recordProcessStart);
    ASSERT_TRUE(replacement.active());
    realCreateProcess = replacement.original<std::remove_pointer_t<decltype(realCreateProcess)>>();
    processStarts.clear();

    {
        const MessageBoxCatcher catcher;  // a failed launch must not hang the run
        launchProduct(nullptr, product, 0, 0);  // no dialog: no mode box, nothing checked
        EXPECT_TRUE(catcher.caught().empty());
    }
    WindowsToolPlatform platform;
    RunTool(platform, tool);
    EXPECT_TRUE(waitForReport(product).has_value() && waitForReport(tool).has_value());

    const std::wstring shownDetached = L"creation flags 0, inherit 0, start-up flags 1, show 5";
    EXPECT_EQ(processStarts, (std::vector<std::wstring>{shownDetached, shownDetached}));
}

}  // namespace
