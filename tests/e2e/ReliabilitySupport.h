// Shared by the soak and repeated-launch tests: counts from the environment,
// so CTest runs short variants and scripts/soak the long ones.
#pragma once

#include <windows.h>

#include <cwchar>

namespace e2e {

inline long settingOr(const wchar_t* name, long fallback)
{
    wchar_t text[32] = L"";
    if (GetEnvironmentVariableW(name, text, 32) == 0)
        return fallback;
    const long value = std::wcstol(text, nullptr, 10);
    return value > 0 ? value : fallback;
}

}  // namespace e2e
