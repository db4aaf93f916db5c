#include "launch/LaunchPlan.h"

#include "framework/PathText.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

using Variables = std::vector<std::wstring>;

Variables variablesOf(const LaunchPlan& plan)
{
    return Variables(plan.variablesToSet.begin(), plan.variablesToSet.end());
}

const std::wstring kPath = L"C:\\Program Files\\Kestrova\\Orrin Evaluation\\orrin.exe";

TEST(LaunchPlan, ModeAndInjectChooseTheVariables)
{
    struct Case {
        std::optional<long> mode;
        bool inject;
        Variables expected;
    };
    const Case cases[] = {
        {0, false, {}},
        {7, false, {L"NOX_RECORD_FULL_MESSAGE_STATS"}},
        {8, false, {L"NOX_RECORD_PARTIAL_MESSAGE_STATS"}},
        {std::nullopt, false, {}},
        {-1, false, {}},  // CB_ERR from the item-data query
        {1, false, {}},   // positions are not codes
        {2, false, {}},
        {0, true, {L"NOX_SHOW_MESSAGE_BOX_AT_STARTUP"}},
        {8, true, {L"NOX_RECORD_PARTIAL_MESSAGE_STATS", L"NOX_SHOW_MESSAGE_BOX_AT_STARTUP"}},
        {std::nullopt, true, {L"NOX_SHOW_MESSAGE_BOX_AT_STARTUP"}},
    };
    for (const auto& c : cases) {
        const LaunchPlan plan = planLaunch(kPath, c.mode, c.inject, false);
        EXPECT_EQ(variablesOf(plan), c.expected) << "mode " << c.mode.value_or(-99) << " inject " << c.inject;
        EXPECT_EQ(plan.commandLine, kPath) << "no mode touches the command line";
    }
}

TEST(LaunchPlan, CommandLineIsThePathUnquotedWithHelpSwitchEndingInABlank)
{
    EXPECT_EQ(planLaunch(kPath, 0, false, false).commandLine, kPath);
    EXPECT_EQ(planLaunch(kPath, 7, true, true).commandLine, kPath + L" -help ");
}

TEST(LaunchPlan, WorkingFolderIsThePathBeforeItsLastBackslash)
{
    EXPECT_EQ(planLaunch(kPath, 0, false, false).workingFolder, L"C:\\Program Files\\Kestrova\\Orrin Evaluation");
    EXPECT_EQ(folderOfPath(L"C:\\Apps\\\\Kestrova\\Orrin\\orrin.exe"), L"C:\\Apps\\\\Kestrova\\Orrin");
    EXPECT_EQ(folderOfPath(L"orrin.exe"), L"");
    EXPECT_EQ(folderOfPath(L"C:/dir/orrin.exe"), L"") << "only the backslash separates here";
}

}  // namespace
