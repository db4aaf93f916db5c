#include "tests/e2e/LauncherDriver.h"

#include "tests/support/Files.h"
#include "tests/support/StubReport.h"
#include "tests/support/WindowQuery.h"

#include <algorithm>

namespace e2e {

bool launcherIsWow64Build()
{
    BOOL wow64 = FALSE;
    return IsWow64Process(GetCurrentProcess(), &wow64) && wow64;
}

Launcher::Launcher(Edition edition, const std::wstring& arguments)
{
    start(edition, binFolder(), arguments, kEventTimeoutMs);
}

Launcher::Launcher(Edition edition, const std::wstring& folder, DWORD startMs)
{
    start(edition, folder, L"", startMs);
}

void Launcher::start(Edition edition, const std::wstring& folder, const std::wstring& arguments, DWORD startMs)
{
    const bool developer = edition == Edition::Developer;
    const std::wstring exe = folder + (developer ? L"\\noxLauncherDev.exe" : L"\\noxLauncher.exe");
    std::wstring commandLine = L"\"" + exe + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    // Handles inherited: the launcher holds whatever inheritable handles the
    // driver has (a HandleProbe's event), as it may when a user starts it.
    if (!CreateProcessW(exe.c_str(), &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                        &process_))
        return;
    // The dialog exists, by caption, before its controls do: wait for both.
    WindowSearch search;
    search.processId = process_.dwProcessId;
    search.caption = developer ? L"noxLauncher (Developer Edition)" : L"noxLauncher";
    search.also = [](HWND dialog) { return GetWindow(dialog, GW_CHILD) != nullptr; };
    dialog_ = waitForWindow(search, startMs);
}

Launcher::~Launcher()
{
    if (process_.hProcess) {
        if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
            TerminateProcess(process_.hProcess, 1);
            WaitForSingleObject(process_.hProcess, 5000);
        }
        CloseHandle(process_.hThread);
        CloseHandle(process_.hProcess);
    }
}

bool Launcher::waitEnabled(int id, bool expected, DWORD timeoutMs) const
{
    return waitUntil([&] { return enabled(id) == expected; }, timeoutMs);
}

void Launcher::selectMode(int comboId, int position) const
{
    HWND combo = control(comboId);
    SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(position), 0);
    SendMessageW(dialog_, WM_COMMAND, MAKEWPARAM(comboId, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

void Launcher::setCheck(int checkId, bool checked) const
{
    SendMessageW(control(checkId), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void Launcher::click(int buttonId) const
{
    PostMessageW(control(buttonId), BM_CLICK, 0, 0);
}

bool Launcher::waitForExit(DWORD timeoutMs) const
{
    return process_.hProcess && WaitForSingleObject(process_.hProcess, timeoutMs) == WAIT_OBJECT_0;
}

Installation::Installation() : roots_{x86Root(), nativeRoot()}
{
    for (const auto& root : roots_)
        removeTree(root + L"\\Kestrova");
}

Installation::~Installation()
{
    for (const auto& root : roots_)
        removeTree(root + L"\\Kestrova");
}

std::wstring Installation::x86Root() { return L"C:\\Program Files (x86)"; }
std::wstring Installation::nativeRoot() { return L"C:\\Program Files"; }

std::wstring Installation::claim(const std::wstring& root, const std::wstring& productFolder,
                                 const std::wstring& exeName)
{
    if (std::find(roots_.begin(), roots_.end(), root) == roots_.end())
        roots_.push_back(root);
    return root + L"\\Kestrova\\" + productFolder + L"\\" + exeName;
}

std::wstring Installation::plant(const std::wstring& root, const std::wstring& productFolder,
                                 const std::wstring& exeName)
{
    const std::wstring exe = claim(root, productFolder, exeName);
    plantStub(exe);
    return exe;
}

std::wstring Installation::plantFolderAsExe(const std::wstring& root, const std::wstring& productFolder,
                                            const std::wstring& exeName)
{
    const std::wstring exe = claim(root, productFolder, exeName);
    createFolders(exe);
    return exe;
}

void Installation::remove(const std::wstring& exePath)
{
    DeleteFileW(exePath.c_str());
    discardReport(exePath);
}

}  // namespace e2e
