// Stand-in for a product, started by the launcher in tests. It writes what it
// was handed into "<its own exe path>.report.txt" (UTF-8, one item a line):
//
//   exe=<module file name>
//   commandline=<GetCommandLineW(), verbatim>
//   folder=<current folder at start>
//   env NOX_NAME=value        (one line per variable whose name starts with NOX_)
//   startup flags=<dwFlags> show=<wShowWindow>   (GetStartupInfoW, decimal)
//   console=yes|no            (whether it has a console window)
//   probe=event|closed|other  (only when told of a probe event: see probeLine)
//
// and exits 0. The report is written to "<...>.report.tmp" and then renamed,
// so a reader never sees half of it. If a file "stub-show" lies beside the
// exe, the same text is also shown in a message box (interactive demos).
#include "framework/UniqueHandle.h"
#include "tests/support/HandleProbe.h"

#include <windows.h>

#include <cwchar>
#include <string>

namespace {

std::wstring moduleFileName()
{
    std::wstring name(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, &name[0], static_cast<DWORD>(name.size()));
        if (length == 0)
            return std::wstring();
        if (length < name.size()) {
            name.resize(length);
            return name;
        }
        name.resize(name.size() * 2);  // truncated: grow and ask again
    }
}

std::wstring currentFolder()
{
    const DWORD needed = GetCurrentDirectoryW(0, nullptr);
    if (needed == 0)
        return std::wstring();
    std::wstring folder(needed, L'\0');
    const DWORD length = GetCurrentDirectoryW(needed, &folder[0]);
    folder.resize(length < needed ? length : 0);
    return folder;
}

// Environment names are case-insensitive, so "nox_x" counts as well.
bool hasNoxPrefix(const wchar_t* entry)
{
    const wchar_t prefix[] = L"NOX_";
    for (int i = 0; prefix[i] != L'\0'; ++i) {
        wchar_t c = entry[i];
        if (c >= L'a' && c <= L'z')
            c = static_cast<wchar_t>(c - L'a' + L'A');
        if (c != prefix[i])
            return false;
    }
    return true;
}

std::wstring noxVariables()
{
    std::wstring lines;
    wchar_t* const block = GetEnvironmentStringsW();
    if (block == nullptr)
        return lines;
    for (const wchar_t* entry = block; *entry != L'\0'; entry += std::wcslen(entry) + 1) {
        if (hasNoxPrefix(entry))
            lines += L"env " + std::wstring(entry) + L"\n";
    }
    FreeEnvironmentStringsW(block);
    return lines;
}

// Whether the handle value that kProbeVariable names is, in this process, the
// probe's event ("event"), nothing ("closed") or some other object ("other").
std::wstring probeLine()
{
    wchar_t told[256] = L"";
    const DWORD length = GetEnvironmentVariableW(kProbeVariable, told, 256);
    if (length == 0 || length >= 256)
        return std::wstring();  // not told
    wchar_t* name = nullptr;
    const unsigned long long value = std::wcstoull(told, &name, 10);
    if (*name != L' ')
        return L"probe=unreadable\n";
    const HANDLE handle = reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(value));
    DWORD flags = 0;
    if (!GetHandleInformation(handle, &flags))
        return L"probe=closed\n";
    const UniqueHandle named(OpenEventW(SYNCHRONIZE | EVENT_MODIFY_STATE, FALSE, name + 1));
    return named && sameEvent(handle, named.get()) ? L"probe=event\n" : L"probe=other\n";
}

// What the starter handed over besides command line, folder and variables.
std::wstring handoverLines()
{
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    GetStartupInfoW(&startup);
    return L"startup flags=" + std::to_wstring(startup.dwFlags) + L" show=" + std::to_wstring(startup.wShowWindow) +
           L"\nconsole=" + (GetConsoleWindow() != nullptr ? L"yes" : L"no") + L"\n" + probeLine();
}

std::string toUtf8(const std::wstring& text)
{
    if (text.empty())
        return std::string();
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                         nullptr, nullptr);
    std::string bytes(size > 0 ? size : 0, '\0');
    if (size > 0)
        WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &bytes[0], size, nullptr,
                            nullptr);
    return bytes;
}

bool writeFile(const std::wstring& path, const std::string& bytes)
{
    const UniqueHandle file(
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return false;
    DWORD written = 0;
    return WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    const std::wstring exe = moduleFileName();
    const std::wstring report = L"exe=" + exe + L"\ncommandline=" + GetCommandLineW() + L"\nfolder=" +
                                currentFolder() + L"\n" + noxVariables() + handoverLines();

    const std::wstring reportPath = exe + L".report.txt";
    const std::wstring partPath = exe + L".report.tmp";
    if (!writeFile(partPath, toUtf8(report)) ||
        !MoveFileExW(partPath.c_str(), reportPath.c_str(), MOVEFILE_REPLACE_EXISTING)) {
        DeleteFileW(partPath.c_str());
        return 1;
    }

    const std::wstring folder = exe.substr(0, exe.rfind(L'\\') + 1);
    if (GetFileAttributesW((folder + L"stub-show").c_str()) != INVALID_FILE_ATTRIBUTES)
        MessageBoxW(nullptr, report.c_str(), L"Stub product", MB_OK | MB_ICONINFORMATION);
    return 0;
}
