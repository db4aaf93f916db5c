#include "tests/support/HandleProbe.h"

#include <string>

HandleProbe::HandleProbe()
{
    SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
    // Named per process and object, so a stub can tell it from any other.
    const std::wstring name = L"nox-probe-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                              std::to_wstring(reinterpret_cast<UINT_PTR>(this));
    event_.reset(CreateEventW(&inheritable, TRUE, TRUE, name.c_str()));
    const std::wstring told = std::to_wstring(reinterpret_cast<UINT_PTR>(event_.get())) + L" " + name;
    SetEnvironmentVariableW(kProbeVariable, event_ ? told.c_str() : nullptr);
}

HandleProbe::~HandleProbe()
{
    SetEnvironmentVariableW(kProbeVariable, nullptr);
}

bool HandleProbe::isOpenIn(DWORD processId) const
{
    const UniqueHandle process(OpenProcess(PROCESS_DUP_HANDLE, FALSE, processId));
    HANDLE copy = nullptr;
    if (!event_ || !process ||
        !DuplicateHandle(process.get(), event_.get(), GetCurrentProcess(), &copy, 0, FALSE, DUPLICATE_SAME_ACCESS))
        return false;
    const UniqueHandle owned(copy);
    return sameEvent(owned.get(), event_.get());
}
