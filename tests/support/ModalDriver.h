// Runs a step function from a thread timer, i.e. inside whatever modal loop
// the code under test is running on this thread, until the step says done.
// Several drivers may run at once, each on its own timer.
#pragma once

#include <windows.h>

#include <functional>

class ModalDriver {
public:
    // `step` is called every `intervalMs` until it returns true.
    explicit ModalDriver(std::function<bool()> step, UINT intervalMs = 50);
    ~ModalDriver();
    ModalDriver(const ModalDriver&) = delete;
    ModalDriver& operator=(const ModalDriver&) = delete;

    bool done() const { return done_; }

private:
    static void CALLBACK onTimer(HWND, UINT, UINT_PTR, DWORD);

    std::function<bool()> step_;
    UINT_PTR timer_ = 0;
    bool done_ = false;
    bool inStep_ = false;
};
