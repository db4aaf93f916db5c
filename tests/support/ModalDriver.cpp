#include "tests/support/ModalDriver.h"

#include <map>

namespace {

std::map<UINT_PTR, ModalDriver*> activeDrivers;  // by timer: thread timers carry no other context

}  // namespace

ModalDriver::ModalDriver(std::function<bool()> step, UINT intervalMs) : step_(std::move(step))
{
    timer_ = SetTimer(nullptr, 0, intervalMs, &ModalDriver::onTimer);
    if (timer_ != 0)
        activeDrivers[timer_] = this;
}

ModalDriver::~ModalDriver()
{
    if (timer_ != 0) {
        KillTimer(nullptr, timer_);
        activeDrivers.erase(timer_);
    }
}

void CALLBACK ModalDriver::onTimer(HWND, UINT, UINT_PTR timer, DWORD)
{
    const auto found = activeDrivers.find(timer);
    if (found == activeDrivers.end())
        return;
    ModalDriver* driver = found->second;
    if (driver->done_ || driver->inStep_)
        return;  // a step's own modal loop must not re-enter it
    driver->inStep_ = true;
    driver->done_ = driver->step_();
    driver->inStep_ = false;
}
