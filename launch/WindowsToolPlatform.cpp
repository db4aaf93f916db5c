#include "launch/WindowsToolPlatform.h"

#include "framework/FileSystem.h"
#include "launch/DetachedProcess.h"
#include "launch/PlatformProbe.h"

#include <windows.h>
#include <shellapi.h>

bool WindowsToolPlatform::pathExists(const std::wstring& path)
{
    return ::pathExists(path);
}

OsVersion WindowsToolPlatform::osVersion()
{
    OSVERSIONINFOEXW info = {};
    info.dwOSVersionInfoSize = sizeof info;
    getOSVersionInfo(&info);
    return {info.dwMajorVersion, info.dwMinorVersion};
}

bool WindowsToolPlatform::createProcess(const std::wstring& appName, const std::wstring& commandLine,
                                        const std::wstring& folder)
{
    return startDetachedProcess(appName, commandLine, folder);
}

std::intptr_t WindowsToolPlatform::shellExecuteRunas(const std::wstring& path)
{
    const HINSTANCE result = ShellExecuteW(nullptr, L"runas", path.c_str(), L"", nullptr, SW_SHOWNORMAL);
    return reinterpret_cast<std::intptr_t>(result);
}

bool WindowsToolPlatform::shellExecuteOpen(const std::wstring& path, const std::wstring& folder)
{
    SHELLEXECUTEINFOW info = {};
    info.cbSize = sizeof info;
    // Without it the shell shows its own "file not found" box; the launcher
    // signals a failed tool start by the beep alone.
    info.fMask = SEE_MASK_FLAG_NO_UI;
    info.lpVerb = L"open";
    info.lpFile = path.c_str();
    info.lpDirectory = folder.c_str();
    info.nShow = SW_SHOW;
    return ShellExecuteExW(&info) != FALSE;
}

void WindowsToolPlatform::beep()
{
    MessageBeep(0xFFFFFFFF);
}

void LaunchAutoTestConfigure()
{
    WindowsToolPlatform platform;
    LaunchAutoTestConfigure(platform);
}
