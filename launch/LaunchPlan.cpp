#include "launch/LaunchPlan.h"

#include "framework/PathText.h"

const std::array<LaunchMode, 3> kLaunchModes = {{
    {L"Normal", kModeNormal},
    {L"Record Full Message Statistics", kModeRecordFullMessageStats},
    {L"Record Partial Message Statistics", kModeRecordPartialMessageStats},
}};

const std::array<const wchar_t*, 7> kLaunchVariables = {
    L"NOX_SHOW_MESSAGE_BOX_AT_STARTUP",  L"NOX_SHOW_AUTO_TEST",
    L"NOX_SHOW_MESSAGES",                L"NOX_RECORD_PARTIAL_MESSAGE_STATS",
    L"NOX_RECORD_FULL_MESSAGE_STATS",    L"NOX_SHOW_EVENT_COUNT",
    L"NOX_SHOW_SHARED_MEMORY_STATS",
};

const wchar_t* const kLaunchVariableValue = L"1";

LaunchPlan planLaunch(const std::wstring& exePath, std::optional<long> modeCode, bool injectChecked,
                      bool helpChecked)
{
    LaunchPlan plan;
    plan.workingFolder = folderOfPath(exePath);
    plan.commandLine = exePath;
    if (modeCode == kModeRecordFullMessageStats)
        plan.variablesToSet.push_back(L"NOX_RECORD_FULL_MESSAGE_STATS");
    else if (modeCode == kModeRecordPartialMessageStats)
        plan.variablesToSet.push_back(L"NOX_RECORD_PARTIAL_MESSAGE_STATS");
    if (injectChecked)
        plan.variablesToSet.push_back(L"NOX_SHOW_MESSAGE_BOX_AT_STARTUP");
    if (helpChecked)
        plan.commandLine += L" -help ";
    return plan;
}
