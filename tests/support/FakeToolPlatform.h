// A ToolPlatform that records every call and answers from its fields; header
// only, so the portable unit tests use it as the Windows tests do.
#pragma once

#include "launch/ToolRunners.h"

#include <set>
#include <string>
#include <utility>
#include <vector>

struct ProcessStart {
    std::wstring appName;
    std::wstring commandLine;
    std::wstring folder;
};

class FakeToolPlatform : public ToolPlatform {
public:
    std::set<std::wstring> existing;
    OsVersion version{6, 1};
    bool createSucceeds = true;
    std::intptr_t runasResult = 42;
    bool openSucceeds = true;

    std::vector<std::wstring> existenceTests;
    std::vector<ProcessStart> processStarts;
    std::vector<std::wstring> runasStarts;
    std::vector<std::pair<std::wstring, std::wstring>> openStarts;
    std::vector<std::wstring> started;  // every start in order: "plain:" or "runas:" + path
    int beeps = 0;

    bool pathExists(const std::wstring& path) override
    {
        existenceTests.push_back(path);
        return existing.count(path) != 0;
    }
    OsVersion osVersion() override { return version; }
    bool createProcess(const std::wstring& appName, const std::wstring& commandLine,
                       const std::wstring& folder) override
    {
        processStarts.push_back({appName, commandLine, folder});
        started.push_back(L"plain:" + appName);
        return createSucceeds;
    }
    std::intptr_t shellExecuteRunas(const std::wstring& path) override
    {
        runasStarts.push_back(path);
        started.push_back(L"runas:" + path);
        return runasResult;
    }
    bool shellExecuteOpen(const std::wstring& path, const std::wstring& folder) override
    {
        openStarts.emplace_back(path, folder);
        return openSucceeds;
    }
    void beep() override { ++beeps; }
};
