// How the in-house tools are started and how a failed start is signalled
// (the simple beep, never a message). Portable: the platform calls sit behind
// ToolPlatform.
#pragma once

#include "launch/PathQuery.h"
#include "launch/ToolTable.h"

#include <cstdint>
#include <string>

struct OsVersion {
    unsigned long major;
    unsigned long minor;
};

class ToolPlatform : public PathQuery {
public:
    virtual OsVersion osVersion() = 0;
    // Starts `appName` with `commandLine` in `folder` (empty: the launcher's
    // own); true when the process was created.
    virtual bool createProcess(const std::wstring& appName, const std::wstring& commandLine,
                               const std::wstring& folder) = 0;
    // The shell's "runas" start; its result code, where 32 or less is a failure.
    virtual std::intptr_t shellExecuteRunas(const std::wstring& path) = 0;
    // The shell's "open" start in `folder`, showing no message of its own.
    virtual bool shellExecuteOpen(const std::wstring& path, const std::wstring& folder) = 0;
    virtual void beep() = 0;
};

// Plain start: the tool's own folder as current directory.
void RunTool(ToolPlatform& platform, const std::wstring& exePath);
// Asks for administrator rights where the system knows them (5.1 and later).
void RunToolElevated(ToolPlatform& platform, const std::wstring& exePath);
// Always through "runas"; no existence test, the shell reports a missing file.
void RunToolAlwaysElevated(ToolPlatform& platform, const std::wstring& exePath);
// The runner of the button's launch kind with the button's executable.
void RunToolButton(ToolPlatform& platform, const ToolButton& button);
// The auto-test configuration tool at its fixed path.
void LaunchAutoTestConfigure(ToolPlatform& platform);
