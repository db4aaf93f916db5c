#include "launch/ProductLaunch.h"

#include "framework/FileSystem.h"
#include "framework/ScopeExit.h"
#include "launch/DetachedProcess.h"
#include "launch/LaunchPlan.h"
#include "res/resource.h"

#include <optional>

namespace {

// Disabled boxes count too; an absent box reads as unchecked.
bool isChecked(HWND dialog, int checkId)
{
    return IsDlgButtonChecked(dialog, checkId) != BST_UNCHECKED;
}

void showLaunchFailure(HWND dialog, const std::wstring& text, const wchar_t* caption)
{
    MessageBoxW(dialog, text.c_str(), caption, MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace

void fillModeCombo(HWND comboBox)
{
    for (const LaunchMode& mode : kLaunchModes) {
        const LRESULT position = SendMessageW(comboBox, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(mode.text));
        if (position >= 0)  // CB_ERR / CB_ERRSPACE: no entry to tag
            SendMessageW(comboBox, CB_SETITEMDATA, static_cast<WPARAM>(position), static_cast<LPARAM>(mode.code));
    }
    SendMessageW(comboBox, CB_SETCURSEL, 0, 0);
}

std::optional<long> selectedModeCode(HWND dialog, int modeComboId)
{
    const HWND comboBox = GetDlgItem(dialog, modeComboId);
    if (comboBox == nullptr)
        return std::nullopt;
    return selectedModeCodeOf(comboBox);
}

std::optional<long> selectedModeCodeOf(HWND comboBox)
{
    const LRESULT selection = SendMessageW(comboBox, CB_GETCURSEL, 0, 0);
    if (selection == CB_ERR)
        return std::nullopt;
    return static_cast<long>(SendMessageW(comboBox, CB_GETITEMDATA, static_cast<WPARAM>(selection), 0));
}

void clearLaunchVariables()
{
    for (const wchar_t* name : kLaunchVariables)
        SetEnvironmentVariableW(name, nullptr);
}

void launchProduct(HWND dialog, const std::wstring& exePath, int modeComboId, int injectCheckId)
{
    if (!pathExists(exePath)) {
        showLaunchFailure(dialog, L"The file " + exePath + L" does not exist", L"File does not exist");
        return;
    }

    // The variables live only around the creation: the child takes a copy.
    clearLaunchVariables();
    const ScopeExit clearAfterwards([] { clearLaunchVariables(); });

    const LaunchPlan plan = planLaunch(exePath, selectedModeCode(dialog, modeComboId), isChecked(dialog, injectCheckId),
                                       isChecked(dialog, IDC_HELP_SWITCH));
    for (const wchar_t* name : plan.variablesToSet)
        SetEnvironmentVariableW(name, kLaunchVariableValue);

    if (!startDetachedProcess(exePath, plan.commandLine, plan.workingFolder))
        showLaunchFailure(dialog, L"Failed to launch application " + exePath, L"Failed to launch application");
}
