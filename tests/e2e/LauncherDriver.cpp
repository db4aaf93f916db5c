#include "tests/e2e/LauncherDriver.h"

#include "res/resource.h"
#include "tests/support/Files.h"
#include "tests/support/Slots.h"
#include "tests/support/StubReport.h"
#include "tests/support/WindowQuery.h"

#include <algorithm>
#include <atomic>
#include <thread>

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

std::optional<StubReport> Launcher::launch(int slotNumber, const std::wstring& exe, DWORD timeoutMs) const
{
    discardReport(exe);
    click(slot(slotNumber).buttonId);
    return waitForReport(exe, timeoutMs);
}

HWND Launcher::openAbout(WPARAM command, DWORD timeoutMs) const
{
    PostMessageW(dialog_, WM_SYSCOMMAND, command, 0);
    return waitForOwnedDialog(dialog_, L"About noxLauncher", timeoutMs);
}

HWND Launcher::openTools(DWORD timeoutMs) const
{
    click(IDC_TOOLS);
    return waitForOwnedDialog(dialog_, L"Kestrova Tools", timeoutMs);
}

HWND Launcher::openFileDialog(int browseButtonId, DWORD timeoutMs) const
{
    click(browseButtonId);
    HWND found = nullptr;
    waitUntil([&] {
        found = waitForOwnedDialog(dialog_, L"Open", 0);
        return found && fileNameField(found);
    }, timeoutMs);
    return found;
}

bool Launcher::browse(int browseButtonId, const std::wstring& name, DWORD timeoutMs, bool* classic) const
{
    std::atomic<bool> returned{false};
    std::thread click([&] { returned = clickReturns(control(browseButtonId), timeoutMs); });
    HWND dialog = nullptr;
    waitUntil([&] {
        dialog = waitForOwnedDialog(dialog_, L"Open", 0);
        return (dialog && fileNameField(dialog)) || returned;
    }, timeoutMs);
    if (dialog && classic)
        *classic = isClassicFileDialog(dialog);
    if (dialog)
        chooseFile(dialog, name);
    click.join();
    if (!returned && IsWindow(dialog))  // left open: out of the way of the next step
        PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    return dialog != nullptr;
}

bool Launcher::waitForExit(DWORD timeoutMs) const
{
    return process_.hProcess && WaitForSingleObject(process_.hProcess, timeoutMs) == WAIT_OBJECT_0;
}

bool closeWith(HWND dialog, int buttonId, DWORD timeoutMs)
{
    PostMessageW(GetDlgItem(dialog, buttonId), BM_CLICK, 0, 0);
    return waitUntil([&] { return !IsWindow(dialog); }, timeoutMs);
}

void chooseFile(HWND fileDialog, const std::wstring& name)
{
    SendMessageW(fileNameField(fileDialog), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
    PostMessageW(GetDlgItem(fileDialog, IDOK), BM_CLICK, 0, 0);
}

bool clickReturns(HWND button, DWORD timeoutMs)
{
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(button, BM_CLICK, 0, 0, SMTO_NORMAL, timeoutMs, &result) != 0;
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

std::wstring Installation::plantAt(const std::wstring& exePath)
{
    const std::wstring maker = L"\\Kestrova\\";
    const std::size_t at = exePath.find(maker);
    const std::size_t name = exePath.rfind(L'\\');
    if (at == std::wstring::npos || name <= at + maker.size())
        return std::wstring();
    const std::size_t below = at + maker.size();  // the product folder, perhaps several deep
    return plant(exePath.substr(0, at), exePath.substr(below, name - below), exePath.substr(name + 1));
}

void Installation::remove(const std::wstring& exePath)
{
    DeleteFileW(exePath.c_str());
    discardReport(exePath);
}

}  // namespace e2e
