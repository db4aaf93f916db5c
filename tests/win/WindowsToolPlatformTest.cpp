// The Windows side of the tool starts (WindowsToolPlatform), with copies of
// the stub product standing in for tools, and the shell's starts recorded.
#include "launch/WindowsToolPlatform.h"

#include "launch/ToolRunners.h"
#include "launch/ToolTable.h"
#include "tests/support/Files.h"
#include "tests/support/ImportReplacement.h"
#include "tests/support/MessageBoxes.h"
#include "tests/support/StubReport.h"

#include <gtest/gtest.h>

#include <shellapi.h>

#include <string>
#include <vector>

namespace {

// Started by its full path, as products are (ProductLaunchTest).
TEST(WindowsToolPlatform, PlainStartUsesTheToolsFolder)
{
    const TempFolder temp(L"tools");
    const std::wstring folder = temp.path() + L"\\Tool Dir";
    const std::wstring tool = folder + L"\\tool.exe";
    ASSERT_TRUE(plantStub(tool));

    WindowsToolPlatform platform;
    ASSERT_TRUE(platform.createProcess(tool, tool, folder));
    const auto report = waitForReport(tool);
    ASSERT_TRUE(report.has_value());
    EXPECT_EQ(report->commandLine, tool);
    EXPECT_EQ(report->folder, folder);
}

TEST(WindowsToolPlatform, FailedStartsReportFailureWithoutAnyMessage)
{
    const TempFolder temp(L"tools");
    const std::wstring missing = temp.path() + L"\\absent\\tool.exe";
    WindowsToolPlatform platform;
    const MessageBoxCatcher catcher;

    EXPECT_FALSE(platform.pathExists(missing));
    EXPECT_TRUE(platform.pathExists(temp.path()));
    EXPECT_FALSE(platform.createProcess(missing, missing, temp.path()));
    EXPECT_LE(platform.shellExecuteRunas(missing), 32);
    EXPECT_FALSE(platform.shellExecuteOpen(missing, temp.path() + L"\\absent\\"));
    EXPECT_TRUE(catcher.caught().empty());
}

TEST(WindowsToolPlatform, ShellOpenStartsTheToolInTheGivenFolder)
{
    const TempFolder temp(L"tools");
    const std::wstring folder = temp.path() + L"\\Configure";
    const std::wstring tool = folder + L"\\configure.exe";
    ASSERT_TRUE(plantStub(tool));

    WindowsToolPlatform platform;
    ASSERT_TRUE(platform.shellExecuteOpen(tool, folder + L"\\"));
    const auto report = waitForReport(tool);
    ASSERT_TRUE(report.has_value());
    EXPECT_EQ(report->folder, folder);
}

struct ShellStart {
    std::wstring verb;
    std::wstring file;
    std::wstring parameters;
    std::wstring directory;
    int show;
};
std::vector<ShellStart> shellStarts;

std::wstring textOf(LPCWSTR text)
{
    return text ? text : L"";
}

HINSTANCE WINAPI recordShellStart(HWND, LPCWSTR verb, LPCWSTR file, LPCWSTR parameters, LPCWSTR directory, INT show)
{
    shellStarts.push_back({textOf(verb), textOf(file), textOf(parameters), textOf(directory), show});
    return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(42));  // started
}

BOOL WINAPI recordShellStartEx(SHELLEXECUTEINFOW* info)
{
    shellStarts.push_back({textOf(info->lpVerb), textOf(info->lpFile), textOf(info->lpParameters),
                           textOf(info->lpDirectory), info->nShow});
    return TRUE;
}

// Which tools go through "runas" is ToolRunnersTest's.
TEST(WindowsToolPlatform, RunasStartAsksTheShellForRunas)
{
    const TempFolder temp(L"tools");
    const std::wstring tool = temp.path() + L"\\Tool Dir\\tool.exe";
    ASSERT_TRUE(plantStub(tool));
    const ImportReplacement replacement("SHELL32.dll", "ShellExecuteW", &recordShellStart);
    ASSERT_TRUE(replacement.active());
    shellStarts.clear();
    WindowsToolPlatform platform;

    EXPECT_EQ(platform.shellExecuteRunas(tool), 42);

    ASSERT_EQ(shellStarts.size(), 1u);
    EXPECT_EQ(shellStarts[0].verb, L"runas");
    EXPECT_EQ(shellStarts[0].file, tool);
    EXPECT_EQ(shellStarts[0].parameters, L"");
    EXPECT_EQ(shellStarts[0].directory, L"");
    EXPECT_EQ(shellStarts[0].show, SW_SHOWNORMAL);
}

TEST(WindowsToolPlatform, AutoTestConfigureAsksTheShellToOpenItShownInItsFolder)
{
    const ImportReplacement replacement("SHELL32.dll", "ShellExecuteExW", &recordShellStartEx);
    ASSERT_TRUE(replacement.active());
    shellStarts.clear();

    LaunchAutoTestConfigure();

    ASSERT_EQ(shellStarts.size(), 1u);
    EXPECT_EQ(shellStarts[0].verb, L"open");
    EXPECT_EQ(shellStarts[0].file, kAutoTestConfigurePath);
    EXPECT_EQ(shellStarts[0].parameters, L"");
    EXPECT_EQ(shellStarts[0].directory, kAutoTestConfigureFolder);
    EXPECT_EQ(shellStarts[0].show, SW_SHOW);
}

}  // namespace
