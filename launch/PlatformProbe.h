// Platform facts: the OS version, read once per process and handed out as
// copies, and whether this process runs under WOW64, asked at every call.
#pragma once

#include <windows.h>

#include <functional>

class OSVersionCache {
public:
    // Fills the record it is given (its size field already set).
    using Query = std::function<void(OSVERSIONINFOEXW&)>;

    explicit OSVersionCache(Query query);

    // False for a null pointer (the platform is not asked then); otherwise
    // copies the record, asked of the platform at the first such call.
    bool get(OSVERSIONINFOEXW* out);

private:
    Query m_query;
    bool m_filled = false;
    OSVERSIONINFOEXW m_record{};
};

// GetVersionExW, its result not consulted: a failure leaves version 0.0.
void queryPlatformVersion(OSVERSIONINFOEXW& record);

// The process-wide cache over queryPlatformVersion.
bool getOSVersionInfo(OSVERSIONINFOEXW* info);

// True when this process is a 32-bit process on 64-bit Windows. A 64-bit
// process always gets false.
bool isWow64();
