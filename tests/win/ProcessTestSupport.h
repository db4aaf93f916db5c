// Helpers for tests that start real child processes under Windows (or Wine):
// scratch folders, copies of the stub product and reading its report.
#pragma once

#include <optional>
#include <string>
#include <vector>

// A fresh folder under %TEMP%, removed with everything in it when destroyed.
class TempFolder {
public:
    explicit TempFolder(const std::wstring& namePrefix);
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::wstring& path() const { return path_; }

private:
    std::wstring path_;
};

// bin\stub_product.exe, built beside the test program.
std::wstring stubProductPath();

// Copies the stub to `target`, creating the folders on the way; false on failure.
bool copyStubTo(const std::wstring& target);

// What the stub wrote about itself (see tools/stub_product.cpp).
struct StubReport {
    std::wstring exe;
    std::wstring commandLine;
    std::wstring folder;
    std::vector<std::wstring> variables;  // "NAME=value", sorted
};

std::wstring reportPathOf(const std::wstring& exePath);

// Waits up to `timeoutMs` for the report of the stub copy at `exePath`.
std::optional<StubReport> waitForReport(const std::wstring& exePath, unsigned timeoutMs = 10000);

// Our own environment.
std::optional<std::wstring> environmentVariable(const std::wstring& name);
void removeNoxVariables();  // every name starting with NOX_, any case
