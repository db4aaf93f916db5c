#include "launch/DetachedProcess.h"

#include "framework/UniqueHandle.h"

#include <windows.h>

#include <vector>

bool startDetachedProcess(const std::wstring& exePath, const std::wstring& commandLine, const std::wstring& folder)
{
    // CreateProcessW may write into the command line.
    std::vector<wchar_t> buffer(commandLine.begin(), commandLine.end());
    buffer.push_back(L'\0');

    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOW;
    PROCESS_INFORMATION created = {};
    if (!CreateProcessW(exePath.c_str(), buffer.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.empty() ? nullptr : folder.c_str(), &startup, &created))
        return false;
    const UniqueHandle process(created.hProcess);
    const UniqueHandle thread(created.hThread);
    return true;
}
