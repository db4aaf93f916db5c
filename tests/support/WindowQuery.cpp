#include "tests/support/WindowQuery.h"

namespace {

struct Enumeration {
    const WindowSearch* search;
    HWND found;
};

bool matches(HWND window, const WindowSearch& search)
{
    if (!IsWindowVisible(window) || (search.enabledOnly && !IsWindowEnabled(window)) ||
        windowClass(window) != search.className)
        return false;
    if (search.processId != 0) {
        DWORD processId = 0;
        GetWindowThreadProcessId(window, &processId);
        if (processId != search.processId)
            return false;
    }
    if (search.owner && GetWindow(window, GW_OWNER) != *search.owner)
        return false;
    if (search.caption && windowText(window) != *search.caption)
        return false;
    return !search.also || search.also(window);
}

BOOL CALLBACK visit(HWND window, LPARAM parameter)
{
    auto& enumeration = *reinterpret_cast<Enumeration*>(parameter);
    if (!matches(window, *enumeration.search))
        return TRUE;
    enumeration.found = window;
    return FALSE;
}

}  // namespace

std::wstring windowText(HWND window)
{
    const LRESULT length = SendMessageW(window, WM_GETTEXTLENGTH, 0, 0);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const LRESULT copied =
        SendMessageW(window, WM_GETTEXT, static_cast<WPARAM>(length + 1), reinterpret_cast<LPARAM>(&text[0]));
    text.resize(static_cast<std::size_t>(copied < length ? copied : length));
    return text;
}

std::wstring windowClass(HWND window)
{
    wchar_t name[64] = L"";
    GetClassNameW(window, name, 64);
    return name;
}

HWND findWindow(const WindowSearch& search)
{
    Enumeration enumeration{&search, nullptr};
    if (search.thisThreadOnly)
        EnumThreadWindows(GetCurrentThreadId(), visit, reinterpret_cast<LPARAM>(&enumeration));
    else
        EnumWindows(visit, reinterpret_cast<LPARAM>(&enumeration));
    return enumeration.found;
}

HWND waitForWindow(const WindowSearch& search, DWORD timeoutMs)
{
    HWND found = nullptr;
    waitUntil([&] { return (found = findWindow(search)) != nullptr; }, timeoutMs);
    return found;
}

HWND waitForOwnedDialog(HWND owner, const std::wstring& caption, DWORD timeoutMs)
{
    WindowSearch search;
    search.owner = owner;
    search.caption = caption;
    return waitForWindow(search, timeoutMs);
}

bool isClassicFileDialog(HWND fileDialog)
{
    constexpr int kLookInId = 0x471;  // cmb2
    return GetDlgItem(fileDialog, kLookInId) != nullptr;
}

HWND fileNameField(HWND fileDialog)
{
    constexpr int kComboId = 0x47C;  // cmb13: a ComboBoxEx32 or a ComboBox holding the edit
    constexpr int kEditId = 0x480;   // edt1
    const HWND combo = GetDlgItem(fileDialog, kComboId);
    if (combo != nullptr && IsWindowVisible(combo)) {
        if (const HWND edit = FindWindowExW(combo, nullptr, L"Edit", nullptr))
            return edit;
        const HWND inner = FindWindowExW(combo, nullptr, L"ComboBox", nullptr);
        return inner != nullptr ? FindWindowExW(inner, nullptr, L"Edit", nullptr) : nullptr;
    }
    const HWND edit = GetDlgItem(fileDialog, kEditId);
    return edit != nullptr && IsWindowVisible(edit) ? edit : nullptr;
}

HWND findThreadWindow(const wchar_t* className, const wchar_t* caption)
{
    WindowSearch search;
    search.className = className;
    if (caption != nullptr)
        search.caption = caption;
    search.thisThreadOnly = true;
    search.enabledOnly = true;
    return findWindow(search);
}
