#include "tests/win/ProcessTestSupport.h"

#include "framework/UniqueHandle.h"

#include <windows.h>

#include <algorithm>
#include <cwchar>
#include <filesystem>
#include <system_error>
#include <utility>

namespace {

bool startsWithNox(const std::wstring& text)
{
    if (text.size() < 4)
        return false;
    std::wstring head = text.substr(0, 4);
    for (wchar_t& c : head)
        if (c >= L'a' && c <= L'z')
            c = static_cast<wchar_t>(c - L'a' + L'A');
    return head == L"NOX_";
}

std::wstring fromUtf8(const std::string& bytes)
{
    if (bytes.empty())
        return std::wstring();
    const int size = MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring text(size > 0 ? size : 0, L'\0');
    if (size > 0)
        MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), &text[0], size);
    return text;
}

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

StubReport parseReport(const std::wstring& text)
{
    StubReport report;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find(L'\n', start);
        if (end == std::wstring::npos)
            end = text.size();
        const std::wstring line = text.substr(start, end - start);
        start = end + 1;
        const std::pair<const wchar_t*, std::wstring StubReport::*> fields[] = {
            {L"exe=", &StubReport::exe}, {L"commandline=", &StubReport::commandLine}, {L"folder=", &StubReport::folder}};
        for (const auto& field : fields) {
            const std::size_t length = std::wcslen(field.first);
            if (line.compare(0, length, field.first) == 0)
                report.*field.second = line.substr(length);
        }
        if (line.compare(0, 4, L"env ") == 0)
            report.variables.push_back(line.substr(4));
    }
    std::sort(report.variables.begin(), report.variables.end());
    return report;
}

}  // namespace

TempFolder::TempFolder(const std::wstring& namePrefix)
{
    wchar_t temp[MAX_PATH + 1] = L"";
    GetTempPathW(MAX_PATH + 1, temp);  // ends in a backslash
    static unsigned counter = 0;
    for (;;) {
        path_ = temp + namePrefix + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++counter) +
                L"-" + std::to_wstring(GetTickCount() % 100000);
        if (CreateDirectoryW(path_.c_str(), nullptr) || GetLastError() != ERROR_ALREADY_EXISTS)
            break;
    }
}

TempFolder::~TempFolder()
{
    // A stub that has just written its report may still be closing its exe.
    for (int attempt = 0; attempt < 50; ++attempt) {
        std::error_code error;
        std::filesystem::remove_all(std::filesystem::path(path_), error);
        if (!error && GetFileAttributesW(path_.c_str()) == INVALID_FILE_ATTRIBUTES)
            return;
        Sleep(100);
    }
}

std::wstring stubProductPath()
{
    std::wstring self(MAX_PATH, L'\0');
    DWORD length = 0;
    while ((length = GetModuleFileNameW(nullptr, &self[0], static_cast<DWORD>(self.size()))) >= self.size())
        self.resize(self.size() * 2);
    self.resize(length);
    return self.substr(0, self.rfind(L'\\') + 1) + L"stub_product.exe";
}

bool copyStubTo(const std::wstring& target)
{
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(target).parent_path(), error);
    return CopyFileW(stubProductPath().c_str(), target.c_str(), FALSE) != FALSE;
}

std::wstring reportPathOf(const std::wstring& exePath)
{
    return exePath + L".report.txt";
}

std::optional<StubReport> waitForReport(const std::wstring& exePath, unsigned timeoutMs)
{
    const std::wstring path = reportPathOf(exePath);
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    do {
        // The stub renames a finished report into place, so any file is whole.
        if (auto bytes = readWholeFile(path))
            return parseReport(fromUtf8(*bytes));
        Sleep(20);
    } while (GetTickCount64() < deadline);
    return std::nullopt;
}

std::optional<std::wstring> environmentVariable(const std::wstring& name)
{
    const DWORD needed = GetEnvironmentVariableW(name.c_str(), nullptr, 0);  // 1 for an empty value
    if (needed == 0)
        return std::nullopt;
    std::wstring value(needed, L'\0');
    const DWORD length = GetEnvironmentVariableW(name.c_str(), &value[0], needed);
    value.resize(length < needed ? length : 0);
    return value;
}

void removeNoxVariables()
{
    std::vector<std::wstring> names;
    wchar_t* const block = GetEnvironmentStringsW();
    if (block == nullptr)
        return;
    for (const wchar_t* entry = block; *entry != L'\0'; entry += std::wcslen(entry) + 1) {
        const std::wstring text(entry);
        if (startsWithNox(text))
            names.push_back(text.substr(0, text.find(L'=')));
    }
    FreeEnvironmentStringsW(block);
    for (const std::wstring& name : names)
        SetEnvironmentVariableW(name.c_str(), nullptr);
}
