// An inheritable event that a test holds while programs are started, to see
// whether a handle passes from one process into the next. The stub product is
// told the event's handle value and name through kProbeVariable and reports
// whether that value, in the stub, is this very event.
#pragma once

#include "framework/UniqueHandle.h"

#include <windows.h>

// "<handle value, decimal> <event name>"; every program started afterwards inherits it.
inline constexpr wchar_t kProbeVariable[] = L"STUB_PROBE_EVENT";

// Whether `candidate` is the signalled manual-reset event `known`: a reset
// through `known` must show through `candidate`, so another object that
// happens to sit at the same handle value cannot pass.
inline bool sameEvent(HANDLE candidate, HANDLE known)
{
    if (WaitForSingleObject(candidate, 0) != WAIT_OBJECT_0)
        return false;
    ResetEvent(known);
    const bool followed = WaitForSingleObject(candidate, 0) == WAIT_TIMEOUT;
    SetEvent(known);
    return followed;
}

class HandleProbe {
public:
    HandleProbe();   // the event, inheritable and signalled, and the variable
    ~HandleProbe();  // removes the variable
    HandleProbe(const HandleProbe&) = delete;
    HandleProbe& operator=(const HandleProbe&) = delete;

    // Whether process `processId` holds this event at the same handle value.
    bool isOpenIn(DWORD processId) const;

private:
    UniqueHandle event_;
};
