#include "launch/LaunchPlan.h"

#include <gtest/gtest.h>

#include <algorithm>
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

TEST(LaunchPlan, RemovalSetHoldsTheSevenVariablesInOrderAndEverySetVariableIsInIt)
{
    const Variables removal(kLaunchVariables.begin(), kLaunchVariables.end());
    EXPECT_EQ(removal, (Variables{L"NOX_SHOW_MESSAGE_BOX_AT_STARTUP", L"NOX_SHOW_AUTO_TEST", L"NOX_SHOW_MESSAGES",
                                  L"NOX_RECORD_PARTIAL_MESSAGE_STATS", L"NOX_RECORD_FULL_MESSAGE_STATS",
                                  L"NOX_SHOW_EVENT_COUNT", L"NOX_SHOW_SHARED_MEMORY_STATS"}));
    for (const auto& mode : kLaunchModes)
        for (const auto* name : planLaunch(kPath, mode.code, true, true).variablesToSet)
            EXPECT_NE(std::find(removal.begin(), removal.end(), name), removal.end());
}

TEST(LaunchPlan, ModeEntriesCarryCodesZeroSevenEight)
{
    ASSERT_EQ(kLaunchModes.size(), 3u);
    EXPECT_EQ(std::wstring(kLaunchModes[0].text), L"Normal");
    EXPECT_EQ(kLaunchModes[0].code, 0);
    EXPECT_EQ(std::wstring(kLaunchModes[1].text), L"Record Full Message Statistics");
    EXPECT_EQ(kLaunchModes[1].code, 7);
    EXPECT_EQ(std::wstring(kLaunchModes[2].text), L"Record Partial Message Statistics");
    EXPECT_EQ(kLaunchModes[2].code, 8);
}

}  // namespace
