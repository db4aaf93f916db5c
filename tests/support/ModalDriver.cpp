#include "tests/support/ModalDriver.h"

namespace {

ModalDriver* activeDriver = nullptr;  // thread timers carry no context

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
