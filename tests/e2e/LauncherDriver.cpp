#include "LauncherDriver.h"

#include "launch/LaunchPlan.h"

#include <algorithm>
#include <fstream>

namespace e2e {
namespace {

std::wstring fromUtf8(const std::string& text)
{
    if (text.empty())
        return std::wstring();
    const int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &wide[0], length);
    return wide;
}

std::wstring windowClass(HWND window)
{
    wchar_t name[64] = L"";
    GetClassNameW(window, name, 64);
    return name;
}

struct DialogSearch {
    DWORD processId;  // 0: any process
    HWND owner;
    bool anyOwner;
    std::wstring caption;
    bool anyCaption;
    HWND found;
};

BOOL CALLBACK findDialog(HWND window, LPARAM parameter)
{
    auto& search = *reinterpret_cast<DialogSearch*>(parameter);
    if (!IsWindowVisible(window) || windowClass(window) != L"#32770")
        return TRUE;
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (search.processId && processId != search.processId)
        return TRUE;
    if (!search.anyOwner && GetWindow(window, GW_OWNER) != search.owner)
        return TRUE;
    if (!search.anyCaption && windowText(window) != search.caption)
        return TRUE;
    search.found = window;
    return FALSE;
}

HWND findTopLevelDialog(DialogSearch search)
{
    EnumWindows(findDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool createFolders(const std::wstring& path)
{
    std::size_t at = path.find(L'\\', 3);  // after "C:\"
    while (true) {
        const std::wstring part = path.substr(0, at);
        if (!CreateDirectoryW(part.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
            return false;
        if (at == std::wstring::npos)
            return true;
        at = path.find(L'\\', at + 1);
    }
}

void deleteTree(const std::wstring& path)
{
    WIN32_FIND_DATAW entry;
    HANDLE search = FindFirstFileW((path + L"\\*").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = entry.cFileName;
            if (name == L"." || name == L"..")
                continue;
            const std::wstring child = path + L"\\" + name;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                deleteTree(child);
            else
                DeleteFileW(child.c_str());
        } while (FindNextFileW(search, &entry));
        FindClose(search);
    }
    RemoveDirectoryW(path.c_str());
}

}  // namespace

std::wstring binFolder()
{
    wchar_t path[MAX_PATH] = L"";
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder = path;
    return folder.substr(0, folder.rfind(L'\\'));
}

bool waitUntil(const std::function<bool()>& condition, DWORD timeoutMs)
{
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    while (!condition()) {
        if (GetTickCount64() > deadline)
            return false;
        Sleep(20);
    }
    return true;
}

bool launcherIsWow64Build()
{
    BOOL wow64 = FALSE;
    return IsWow64Process(GetCurrentProcess(), &wow64) && wow64;
}

std::wstring windowText(HWND window)
{
    // WM_GETTEXT: GetWindowTextW does not read a control's text across processes.
    const LRESULT length = SendMessageW(window, WM_GETTEXTLENGTH, 0, 0);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    SendMessageW(window, WM_GETTEXT, static_cast<WPARAM>(length + 1), reinterpret_cast<LPARAM>(&text[0]));
    text.resize(static_cast<std::size_t>(length));
    return text;
}

Launcher::Launcher(Edition edition, const std::wstring& arguments)
{
    start(edition, binFolder(), arguments, 20000);
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
    if (!CreateProcessW(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process_))
        return;
    // The dialog exists, by caption, before its controls do: wait for both.
    const std::wstring caption = developer ? L"noxLauncher (Developer Edition)" : L"noxLauncher";
    waitUntil(
        [&] {
            dialog_ = findTopLevelDialog({process_.dwProcessId, nullptr, true, caption, false, nullptr});
            return dialog_ && GetDlgItem(dialog_, 1000) != nullptr;
        },
        startMs);
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

HWND waitForOwnedDialog(HWND owner, const std::wstring& caption, DWORD timeoutMs)
{
    HWND found = nullptr;
    waitUntil([&] { return (found = findTopLevelDialog({0, owner, false, caption, false, nullptr})) != nullptr; },
              timeoutMs);
    return found;
}

std::optional<SeenMessageBox> takeMessageBox(HWND owner, DWORD timeoutMs)
{
    HWND box = nullptr;
    waitUntil(
        [&] {
            box = findTopLevelDialog({0, owner, false, L"", true, nullptr});
            return box && GetDlgItem(box, 0xFFFF) != nullptr;
        },
        timeoutMs);
    if (!box)
        return std::nullopt;
    SeenMessageBox seen{windowText(box), windowText(GetDlgItem(box, 0xFFFF))};
    PostMessageW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
    waitUntil([&] { return !IsWindow(box); });
    return seen;
}

namespace {
// A complete report, or nothing while the file is missing, not yet readable or
// without its command line (Wine may refuse the first open right after the rename).
std::optional<StubReport> readReport(const std::wstring& reportPath)
{
    std::ifstream file(reportPath.c_str(), std::ios::binary);
    if (!file)
        return std::nullopt;
    StubReport report;
    bool complete = false;
    std::string line;
    while (std::getline(file, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const std::wstring text = fromUtf8(line);
        if (text.rfind(L"commandline=", 0) == 0) {
            report.commandLine = text.substr(12);
            complete = true;
        } else if (text.rfind(L"folder=", 0) == 0) {
            report.folder = text.substr(7);
        } else if (text.rfind(L"env ", 0) == 0) {
            // Only the launch variables: the test environment may carry other NOX_ names.
            const std::size_t equals = text.find(L'=');
            const std::wstring name = text.substr(4, equals - 4);
            if (std::find(kLaunchVariables.begin(), kLaunchVariables.end(), name) != kLaunchVariables.end())
                report.variables[name] = text.substr(equals + 1);
        }
    }
    return complete ? std::optional<StubReport>(report) : std::nullopt;
}
}  // namespace

std::optional<StubReport> waitForReport(const std::wstring& exePath, DWORD timeoutMs)
{
    const std::wstring reportPath = exePath + L".report.txt";
    std::optional<StubReport> report;
    waitUntil([&] { return (report = readReport(reportPath)).has_value(); }, timeoutMs);
    return report;
}

void discardReport(const std::wstring& exePath)
{
    DeleteFileW((exePath + L".report.txt").c_str());
}

Installation::Installation() : roots_{x86Root(), nativeRoot()}
{
    for (const auto& root : roots_)
        deleteTree(root + L"\\Kestrova");
}

Installation::~Installation()
{
    for (const auto& root : roots_)
        deleteTree(root + L"\\Kestrova");
}

std::wstring Installation::x86Root() { return L"C:\\Program Files (x86)"; }
std::wstring Installation::nativeRoot() { return L"C:\\Program Files"; }

std::wstring Installation::plant(const std::wstring& root, const std::wstring& productFolder,
                                 const std::wstring& exeName)
{
    if (std::find(roots_.begin(), roots_.end(), root) == roots_.end())
        roots_.push_back(root);
    const std::wstring folder = root + L"\\Kestrova\\" + productFolder;
    createFolders(folder);
    const std::wstring exe = folder + L"\\" + exeName;
    CopyFileW((binFolder() + L"\\stub_product.exe").c_str(), exe.c_str(), FALSE);
    return exe;
}

std::wstring Installation::plantFolderAsExe(const std::wstring& root, const std::wstring& productFolder,
                                            const std::wstring& exeName)
{
    if (std::find(roots_.begin(), roots_.end(), root) == roots_.end())
        roots_.push_back(root);
    const std::wstring exe = root + L"\\Kestrova\\" + productFolder + L"\\" + exeName;
    createFolders(exe);
    return exe;
}

void Installation::remove(const std::wstring& exePath)
{
    DeleteFileW(exePath.c_str());
    discardReport(exePath);
}

std::wstring artefactFolder()
{
    wchar_t folder[MAX_PATH] = L"";
    if (GetEnvironmentVariableW(L"NOX_E2E_ARTEFACTS", folder, MAX_PATH) > 0) {
        createFolders(folder);
        return folder;
    }
    return binFolder();
}

bool saveScreenshot(const std::wstring& path)
{
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
    SelectObject(memory, previous);

    BITMAPINFOHEADER header{};
    header.biSize = sizeof(header);
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    const DWORD rowBytes = ((static_cast<DWORD>(width) * 3 + 3) / 4) * 4;
    std::vector<char> pixels(rowBytes * static_cast<DWORD>(height));
    GetDIBits(memory, bitmap, 0, static_cast<UINT>(height), pixels.data(), reinterpret_cast<BITMAPINFO*>(&header),
              DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);

    BITMAPFILEHEADER fileHeader{};
    fileHeader.bfType = 0x4D42;  // "BM"
    fileHeader.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    fileHeader.bfSize = fileHeader.bfOffBits + static_cast<DWORD>(pixels.size());
    std::ofstream file(path.c_str(), std::ios::binary);
    file.write(reinterpret_cast<const char*>(&fileHeader), sizeof(fileHeader));
    file.write(reinterpret_cast<const char*>(&header), sizeof(header));
    file.write(pixels.data(), static_cast<std::streamsize>(pixels.size()));
    return file.good();
}

}  // namespace e2e
