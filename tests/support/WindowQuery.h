// Finding top-level windows (of this thread, or of the process under test)
// and reading window text.
#pragma once

#include "tests/support/Wait.h"

#include <functional>
#include <optional>
#include <string>

// Text of a window or control, of this process or another (WM_GETTEXT:
// GetWindowTextW does not read another process's controls).
std::wstring windowText(HWND window);
std::wstring windowClass(HWND window);

// A visible top-level window; each field left as it is matches anything.
struct WindowSearch {
    std::wstring className = L"#32770";   // dialogs and message boxes
    std::optional<std::wstring> caption;
    std::optional<HWND> owner;            // nullptr: owned by nobody
    DWORD processId = 0;                  // 0: any process
    bool thisThreadOnly = false;
    bool enabledOnly = false;             // skips a dialog disabled under a nested modal one
    std::function<bool(HWND)> also;       // a further condition
};
HWND findWindow(const WindowSearch& search);  // nullptr when there is none
HWND waitForWindow(const WindowSearch& search, DWORD timeoutMs = kEventTimeoutMs);

// A dialog owned by `owner` with the given caption.
HWND waitForOwnedDialog(HWND owner, const std::wstring& caption, DWORD timeoutMs = kEventTimeoutMs);
// The file name field of the system's file-open dialog: the edit inside the
// combo box cmb13 where the dialog shows one, else the edit edt1.
HWND fileNameField(HWND fileDialog);
// Whether a file dialog is the classic one (as on XP): only it has the "Look in" box cmb2.
bool isClassicFileDialog(HWND fileDialog);

// A visible, enabled window of this thread with the given class and, if given, caption.
HWND findThreadWindow(const wchar_t* className, const wchar_t* caption = nullptr);
