#include "tests/win/ModalDriver.h"

namespace {

ModalDriver* activeDriver = nullptr;  // thread timers carry no context

struct WindowQuery {
    const wchar_t* className;
    const wchar_t* caption;
    HWND found;
};

BOOL CALLBACK matchWindow(HWND window, LPARAM context)
{
    auto* query = reinterpret_cast<WindowQuery*>(context);
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    if (!IsWindowVisible(window) || !IsWindowEnabled(window) || std::wstring(name) != query->className)
        return TRUE;
    if (query->caption != nullptr) {
        wchar_t text[256] = {};
        GetWindowTextW(window, text, 256);
        if (std::wstring(text) != query->caption)
            return TRUE;
    }
    query->found = window;
    return FALSE;
}

}  // namespace

ModalDriver::ModalDriver(std::function<bool()> step, UINT intervalMs) : step_(std::move(step))
{
    activeDriver = this;
    timer_ = SetTimer(nullptr, 0, intervalMs, &ModalDriver::onTimer);
}

ModalDriver::~ModalDriver()
{
    if (timer_ != 0)
        KillTimer(nullptr, timer_);
    activeDriver = nullptr;
}

void CALLBACK ModalDriver::onTimer(HWND, UINT, UINT_PTR, DWORD)
{
    ModalDriver* driver = activeDriver;
    if (driver == nullptr || driver->done_ || driver->inStep_)
        return;  // a step's own modal loop must not re-enter it
    driver->inStep_ = true;
    driver->done_ = driver->step_();
    driver->inStep_ = false;
}

HWND findThreadWindow(const wchar_t* className, const wchar_t* caption)
{
    WindowQuery query = {className, caption, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), matchWindow, reinterpret_cast<LPARAM>(&query));
    return query.found;
}
