#include "launch/ToolRunners.h"

#include "tests/support/FakeToolPlatform.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const std::wstring kTool = L"C:\\Kestrova\\Tools\\Log Viewer\\logviewer.exe";
const std::wstring kToolFolder = L"C:\\Kestrova\\Tools\\Log Viewer";

TEST(RunTool, StartsAnExistingToolInItsOwnFolderByItsFullPath)
{
    FakeToolPlatform platform;
    platform.existing = {kTool};
    RunTool(platform, kTool);
    ASSERT_EQ(platform.processStarts.size(), 1u);
    EXPECT_EQ(platform.processStarts[0].appName, kTool);
    EXPECT_EQ(platform.processStarts[0].commandLine, kTool) << "unquoted path";
    EXPECT_EQ(platform.processStarts[0].folder, kToolFolder);
    EXPECT_EQ(platform.beeps, 0);
}

TEST(RunTool, MissingOrFailingToolBeepsOnce)
{
    FakeToolPlatform missing;
    RunTool(missing, kTool);
    EXPECT_TRUE(missing.processStarts.empty());
    EXPECT_EQ(missing.beeps, 1);

    FakeToolPlatform failing;
    failing.existing = {kTool};
    failing.createSucceeds = false;
    RunTool(failing, kTool);
    EXPECT_EQ(failing.processStarts.size(), 1u);
    EXPECT_EQ(failing.beeps, 1);
}

TEST(RunToolElevated, VersionDecidesBetweenPlainStartAndRunas)
{
    struct Case {
        OsVersion version;
        bool elevated;
    };
    const Case cases[] = {
        {{4, 0}, false}, {{4, 90}, false}, {{5, 0}, false},
        {{5, 1}, true},  {{5, 2}, true},   {{6, 0}, true}, {{10, 0}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.version.major) + "." + std::to_string(c.version.minor));
        FakeToolPlatform platform;
        platform.existing = {kTool};
        platform.version = c.version;
        RunToolElevated(platform, kTool);
        EXPECT_EQ(platform.runasStarts.size(), c.elevated ? 1u : 0u);
        EXPECT_EQ(platform.processStarts.size(), c.elevated ? 0u : 1u);
        if (!c.elevated) {
            ASSERT_EQ(platform.processStarts.size(), 1u);
            EXPECT_EQ(platform.processStarts[0].folder, kToolFolder);
        }
        EXPECT_EQ(platform.beeps, 0);
    }
}

TEST(RunToolElevated, MissingToolBeepsWithoutAnyStart)
{
    for (OsVersion version : {OsVersion{5, 0}, OsVersion{6, 1}}) {
        FakeToolPlatform platform;
        platform.version = version;
        RunToolElevated(platform, kTool);
        EXPECT_EQ(platform.beeps, 1);
        EXPECT_TRUE(platform.processStarts.empty());
        EXPECT_TRUE(platform.runasStarts.empty());
    }
}

TEST(ShellStartedTools, ResultOf32OrLessBeeps)
{
    struct Case {
        std::intptr_t result;
        int beeps;
    };
    // 0: out of resources; 2: file not found; 5: access denied (prompt declined)
    const Case cases[] = {{0, 1}, {2, 1}, {5, 1}, {32, 1}, {33, 0}, {42, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.result);
        FakeToolPlatform elevated;
        elevated.existing = {kTool};
        elevated.runasResult = c.result;
        RunToolElevated(elevated, kTool);
        EXPECT_EQ(elevated.beeps, c.beeps);

        FakeToolPlatform always;
        always.runasResult = c.result;
        RunToolAlwaysElevated(always, kTool);
        EXPECT_EQ(always.beeps, c.beeps);
    }
}

TEST(RunToolAlwaysElevated, HandsEvenAMissingToolToTheShellWithoutTests)
{
    FakeToolPlatform platform;
    platform.version = {5, 0};
    RunToolAlwaysElevated(platform, kTool);
    EXPECT_TRUE(platform.existenceTests.empty());
    EXPECT_EQ(platform.runasStarts, std::vector<std::wstring>{kTool});
    EXPECT_TRUE(platform.processStarts.empty());
}

TEST(RunToolButton, EachKindReachesItsRunner)
{
    const std::wstring path = L"C:\\T\\t.exe";
    struct Case {
        ToolLaunchKind kind;
        std::size_t existenceTests, processStarts, runasStarts;
    };
    const Case cases[] = {
        {ToolLaunchKind::Plain, 1, 1, 0},
        {ToolLaunchKind::ElevatedWhenSupported, 1, 0, 1},
        {ToolLaunchKind::AlwaysElevated, 0, 0, 1},
    };
    for (const auto& c : cases) {
        FakeToolPlatform platform;
        platform.existing = {path};
        RunToolButton(platform, ToolButton{IDC_TOOL_FIRST, L"T", path.c_str(), c.kind, 1, 0});
        EXPECT_EQ(platform.existenceTests.size(), c.existenceTests);
        EXPECT_EQ(platform.processStarts.size(), c.processStarts);
        EXPECT_EQ(platform.runasStarts.size(), c.runasStarts);
    }
}

TEST(LaunchAutoTestConfigure, OpensTheFixedToolInItsFolderAndBeepsOnlyOnFailure)
{
    for (bool succeeds : {true, false}) {
        FakeToolPlatform platform;
        platform.openSucceeds = succeeds;
        LaunchAutoTestConfigure(platform);
        ASSERT_EQ(platform.openStarts.size(), 1u);
        EXPECT_EQ(platform.openStarts[0].first, kAutoTestConfigurePath);
        EXPECT_EQ(platform.openStarts[0].second, kAutoTestConfigureFolder);
        EXPECT_TRUE(platform.existenceTests.empty());
        EXPECT_EQ(platform.beeps, succeeds ? 0 : 1);
    }
}

}  // namespace
