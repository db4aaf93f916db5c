// Message boxes opened by the code under test: read, then closed with OK.
// On this thread (code called in-process, which blocks in the box's modal
// loop) a MessageBoxCatcher does it from a timer; from another process,
// takeMessageBox waits for the box.
#pragma once

#include "tests/support/ModalDriver.h"
#include "tests/support/Wait.h"

#include <optional>
#include <string>
#include <vector>

struct CaughtMessageBox {
    std::wstring caption;
    std::wstring text;
    HWND owner = nullptr;
    int buttonCount = 0;           // visible push buttons
    bool hasOkButton = false;
    bool exclamationIcon = false;  // shows the system's exclamation icon
};

bool isMessageBox(HWND window);
CaughtMessageBox readMessageBox(HWND box);

// While alive, polls inside any modal loop of this thread (a ModalDriver);
// each message box found is recorded and closed with OK.
class MessageBoxCatcher {
public:
    MessageBoxCatcher();
    MessageBoxCatcher(const MessageBoxCatcher&) = delete;
    MessageBoxCatcher& operator=(const MessageBoxCatcher&) = delete;

    const std::vector<CaughtMessageBox>& caught() const { return caught_; }

private:
    std::vector<CaughtMessageBox> caught_;
    ModalDriver driver_;  // last: it goes first, before what it records into
};

// Waits for a message box owned by `owner` (any process), reads it and
// closes it with OK; nothing when none came.
std::optional<CaughtMessageBox> takeMessageBox(HWND owner, DWORD timeoutMs = kEventTimeoutMs);
