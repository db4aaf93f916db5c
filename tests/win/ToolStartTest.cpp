// The Windows side of the tool starts, with copies of the stub product
// standing in for tools.
#include "launch/WindowsToolPlatform.h"

#include "tests/support/Files.h"
#include "tests/support/MessageBoxes.h"
#include "tests/support/StubReport.h"

#include <gtest/gtest.h>

namespace {

TEST(WindowsToolPlatform, PlainStartUsesTheToolsFolderAndCannotBeHijackedByABlank)
{
    const TempFolder temp(L"tools");
    const std::wstring folder = temp.path() + L"\\Tool Dir";
    const std::wstring tool = folder + L"\\tool.exe";
    const std::wstring decoy = temp.path() + L"\\Tool.exe";  // what "...\Tool Dir\tool.exe" would start unquoted
    ASSERT_TRUE(plantStub(tool));
    ASSERT_TRUE(plantStub(decoy));

    WindowsToolPlatform platform;
    ASSERT_TRUE(platform.createProcess(tool, tool, folder));
    const auto report = waitForReport(tool);
    ASSERT_TRUE(report.has_value());
    EXPECT_EQ(report->commandLine, tool);
    EXPECT_EQ(report->folder, folder);
    EXPECT_FALSE(stubWasStarted(decoy));
}

TEST(WindowsToolPlatform, FailedStartsReportFailureWithoutAnyMessage)
{
    const TempFolder temp(L"tools");
    const std::wstring missing = temp.path() + L"\\absent\\tool.exe";
    WindowsToolPlatform platform;
    const MessageBoxCatcher catcher;

    EXPECT_FALSE(platform.fileExists(missing));
    EXPECT_TRUE(platform.fileExists(temp.path()));
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

}  // namespace
