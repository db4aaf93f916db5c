#include "launch/ToolRunners.h"

#include "framework/PathText.h"

namespace {

// ShellExecute results up to 32 are error codes.
constexpr std::intptr_t kLastShellError = 32;

bool supportsElevation(const OsVersion& version)
{
    return version.major > 5 || (version.major == 5 && version.minor >= 1);
}

void runAs(ToolPlatform& platform, const std::wstring& exePath)
{
    if (platform.shellExecuteRunas(exePath) <= kLastShellError)
        platform.beep();
}

}  // namespace

void RunTool(ToolPlatform& platform, const std::wstring& exePath)
{
    if (!platform.pathExists(exePath)) {
        platform.beep();
        return;
    }
    // The path is also the application name, so a path with blanks is never
    // split into a shorter program name.
    if (!platform.createProcess(exePath, exePath, folderOfPath(exePath)))
        platform.beep();
}

void RunToolElevated(ToolPlatform& platform, const std::wstring& exePath)
{
    if (!platform.pathExists(exePath)) {
        platform.beep();
        return;
    }
    if (!supportsElevation(platform.osVersion())) {
        RunTool(platform, exePath);
        return;
    }
    runAs(platform, exePath);
}

void RunToolAlwaysElevated(ToolPlatform& platform, const std::wstring& exePath)
{
    runAs(platform, exePath);
}

void RunToolButton(ToolPlatform& platform, const ToolButton& button)
{
    switch (button.kind) {
    case ToolLaunchKind::Plain:
        RunTool(platform, button.exePath);
        break;
    case ToolLaunchKind::ElevatedWhenSupported:
        RunToolElevated(platform, button.exePath);
        break;
    case ToolLaunchKind::AlwaysElevated:
        RunToolAlwaysElevated(platform, button.exePath);
        break;
    }
}

void LaunchAutoTestConfigure(ToolPlatform& platform)
{
    // A missing or refused tool beeps like every other tool start; otherwise
    // the click would pass without any sign.
    if (!platform.shellExecuteOpen(kAutoTestConfigurePath, kAutoTestConfigureFolder))
        platform.beep();
}
