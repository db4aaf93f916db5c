#include "launch/PlatformProbe.h"

#include "framework/SystemLibrary.h"

#include <cstring>
#include <utility>

OSVersionCache::OSVersionCache(Query query) : m_query(std::move(query)) {}

bool OSVersionCache::get(OSVERSIONINFOEXW* out)
{
    if (!out)
        return false;
    if (!m_filled) {
        // Filled once even when the query fails: never retried.
        m_filled = true;
        std::memset(&m_record, 0, sizeof m_record);
        m_record.dwOSVersionInfoSize = sizeof(OSVERSIONINFOEXW);
        if (m_query)
            m_query(m_record);
        m_record.dwOSVersionInfoSize = sizeof(OSVERSIONINFOEXW);
    }
    *out = m_record;  // the caller's size field becomes ours too
    // Service-pack text stays terminated whatever the platform wrote.
    out->szCSDVersion[sizeof out->szCSDVersion / sizeof out->szCSDVersion[0] - 1] = L'\0';
    return true;
}

void queryPlatformVersion(OSVERSIONINFOEXW& record)
{
#ifdef _MSC_VER
#pragma warning(push)
#pragma warning(disable : 4996)  // deprecated in newer SDKs; still the call we want
#endif
    GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(&record));
#ifdef _MSC_VER
#pragma warning(pop)
#endif
}

bool getOSVersionInfo(OSVERSIONINFOEXW* info)
{
    static OSVersionCache cache(&queryPlatformVersion);
    return cache.get(info);
}

bool isWow64()
{
    // Looked up at run time: older systems lack the export.
    const auto isWow64Process = systemFunction<BOOL WINAPI(HANDLE, PBOOL)>(L"kernel32.dll", "IsWow64Process");
    if (!isWow64Process)
        return false;
    BOOL wow64 = FALSE;
    if (!isWow64Process(GetCurrentProcess(), &wow64))
        return false;
    return wow64 != FALSE;
}
