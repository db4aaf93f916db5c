// The tool starts as Windows performs them.
#pragma once

#include "launch/ToolRunners.h"

class WindowsToolPlatform : public ToolPlatform {
public:
    bool pathExists(const std::wstring& path) override;
    OsVersion osVersion() override;
    bool createProcess(const std::wstring& appName, const std::wstring& commandLine,
                       const std::wstring& folder) override;
    std::intptr_t shellExecuteRunas(const std::wstring& path) override;
    bool shellExecuteOpen(const std::wstring& path, const std::wstring& folder) override;
    void beep() override;
};

// The launcher dialog's "Auto Test Configure..." button.
void LaunchAutoTestConfigure();
