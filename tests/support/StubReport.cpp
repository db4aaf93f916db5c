#include "tests/support/StubReport.h"

#include "framework/UniqueHandle.h"
#include "launch/LaunchPlan.h"
#include "tests/support/Text.h"

#include <tlhelp32.h>

#include <algorithm>
#include <cwchar>

namespace {

std::optional<std::string> readWholeFile(const std::wstring& path)
{
    const UniqueHandle file(
        CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file)
        return std::nullopt;
    std::string bytes;
    char chunk[4096];
    DWORD read = 0;
    while (ReadFile(file.get(), chunk, sizeof chunk, &read, nullptr) && read > 0)
        bytes.append(chunk, read);
    return bytes;
}

std::wstring reportPathOf(const std::wstring& exePath)
{
    return exePath + L".report.txt";
}

bool runningFrom(const std::wstring& exePath)
{
    const UniqueHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot)
        return true;  // cannot tell: count it as started, so the test cannot pass on a blind check
    const std::wstring name = exePath.substr(exePath.rfind(L'\\') + 1);
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot.get(), &entry); more; more = Process32NextW(snapshot.get(), &entry)) {
        if (_wcsicmp(entry.szExeFile, name.c_str()) != 0)
            continue;
        const UniqueHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, entry.th32ProcessID));
        wchar_t image[32768];
        DWORD length = 32768;
        if (!process || !QueryFullProcessImageNameW(process.get(), 0, image, &length) ||
            _wcsicmp(image, exePath.c_str()) == 0)
            return true;  // that name, and a path that is this one or cannot be read
    }
    return false;
}

}  // namespace

std::map<std::wstring, std::wstring> launchVariablesOf(const StubReport& report)
{
    std::map<std::wstring, std::wstring> launch;
    for (const auto& [name, value] : report.variables)
        if (std::any_of(kLaunchVariables.begin(), kLaunchVariables.end(),
                        [&](const wchar_t* variable) { return _wcsicmp(variable, name.c_str()) == 0; }))
            launch[name] = value;
    return launch;
}

const std::wstring kShownDetachedStart = L"start-up flags 1, show 5, no console, probe event not inherited";

std::wstring handoverOf(const StubReport& report)
{
    std::wstring probe = report.probe;  // as the stub wrote it, unless it is one of these
    if (probe.empty())
        probe = L"not told";
    else if (probe == L"event")
        probe = L"inherited";
    else if (probe == L"closed" || probe == L"other")
        probe = L"not inherited";
    return L"start-up flags " + std::to_wstring(report.startupFlags) + L", show " +
           std::to_wstring(report.showWindow) + (report.console ? L", console" : L", no console") +
           L", probe event " + probe;
}

std::optional<StubReport> readReport(const std::wstring& exePath)
{
    // The stub renames a finished report into place; Wine may still refuse
    // the first open right after the rename, so a report counts once its
    // command line is read.
    const auto bytes = readWholeFile(reportPathOf(exePath));
    if (!bytes)
        return std::nullopt;
    const std::wstring text = fromUtf8(*bytes);
    StubReport report;
    bool complete = false;
    for (std::size_t start = 0; start < text.size();) {
        std::size_t end = text.find(L'\n', start);
        if (end == std::wstring::npos)
            end = text.size();
        std::wstring line = text.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == L'\r')
            line.pop_back();
        if (line.rfind(L"exe=", 0) == 0) {
            report.exe = line.substr(4);
        } else if (line.rfind(L"commandline=", 0) == 0) {
            report.commandLine = line.substr(12);
            complete = true;
        } else if (line.rfind(L"folder=", 0) == 0) {
            report.folder = line.substr(7);
        } else if (line.rfind(L"startup flags=", 0) == 0) {
            wchar_t* rest = nullptr;
            report.startupFlags = std::wcstoul(line.c_str() + 14, &rest, 10);
            if (std::wcsncmp(rest, L" show=", 6) == 0)
                report.showWindow = static_cast<unsigned>(std::wcstoul(rest + 6, nullptr, 10));
        } else if (line.rfind(L"console=", 0) == 0) {
            report.console = line.substr(8) == L"yes";
        } else if (line.rfind(L"probe=", 0) == 0) {
            report.probe = line.substr(6);
        } else if (line.rfind(L"env ", 0) == 0) {
            const std::size_t equals = line.find(L'=', 5);
            report.variables[line.substr(4, equals - 4)] = equals == std::wstring::npos ? L"" : line.substr(equals + 1);
        }
    }
    return complete ? std::optional<StubReport>(report) : std::nullopt;
}

std::optional<StubReport> waitForReport(const std::wstring& exePath, DWORD timeoutMs)
{
    std::optional<StubReport> report;
    waitUntil([&] { return (report = readReport(exePath)).has_value(); }, timeoutMs);
    return report;
}

void discardReport(const std::wstring& exePath)
{
    DeleteFileW(reportPathOf(exePath).c_str());
}

bool stubWasStarted(const std::wstring& exePath)
{
    // In this order: a stub that ends between the two looks has its report in place.
    return runningFrom(exePath) || GetFileAttributesW(reportPathOf(exePath).c_str()) != INVALID_FILE_ATTRIBUTES;
}
