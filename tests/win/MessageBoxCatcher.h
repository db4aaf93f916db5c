// Reads and dismisses the message boxes that code under test opens on this
// thread, so a test can call a handler that reports through MessageBoxW.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct CaughtMessageBox {
    std::wstring text;
    std::wstring caption;
    HWND owner = nullptr;
    int buttonCount = 0;          // visible push buttons
    bool hasOkButton = false;
    bool exclamationIcon = false;  // shows the system's exclamation icon
};

// While alive, a thread timer polls inside any modal loop of this thread; each
// message box found is recorded and closed with OK. One catcher at a time.
class MessageBoxCatcher {
public:
    MessageBoxCatcher();
    ~MessageBoxCatcher();
    MessageBoxCatcher(const MessageBoxCatcher&) = delete;
    MessageBoxCatcher& operator=(const MessageBoxCatcher&) = delete;

    const std::vector<CaughtMessageBox>& caught() const { return caught_; }

private:
    static void CALLBACK onTimer(HWND, UINT, UINT_PTR, DWORD);
    static BOOL CALLBACK onThreadWindow(HWND window, LPARAM);

    UINT_PTR timer_ = 0;
    std::vector<CaughtMessageBox> caught_;
};
