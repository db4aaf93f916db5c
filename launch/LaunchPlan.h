// What one product launch hands the child: working folder, command line and
// the launch variables set to "1". Portable; decided from plain values only.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

// Item data of the mode box entries. Any other code adds no variable.
enum LaunchModeCode : long {
    kModeNormal = 0,
    kModeRecordFullMessageStats = 7,
    kModeRecordPartialMessageStats = 8,
};

struct LaunchMode {
    const wchar_t* text;
    LaunchModeCode code;
};

// Mode box entries, in display order; "Normal" is selected at start.
extern const std::array<LaunchMode, 3> kLaunchModes;

// Every launch deletes these from the launcher's environment, in this order,
// before and after creating the process.
extern const std::array<const wchar_t*, 7> kLaunchVariables;

extern const wchar_t* const kLaunchVariableValue;  // "1"

struct LaunchPlan {
    std::wstring workingFolder;  // empty when the path holds no backslash
    std::wstring commandLine;    // the path unquoted, then " -help " when asked
    std::vector<const wchar_t*> variablesToSet;
};

// `modeCode` is empty when the mode box is absent or has no selection.
LaunchPlan planLaunch(const std::wstring& exePath, std::optional<long> modeCode, bool injectChecked,
                      bool helpChecked);
