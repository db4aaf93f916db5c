#include "launch/PlatformProbe.h"

#include <gtest/gtest.h>

#include <cstring>
#include <cwchar>

namespace {

bool sameRecord(const OSVERSIONINFOEXW& a, const OSVERSIONINFOEXW& b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

struct CountingQuery {
    int calls = 0;
    bool sawFreshRecord = true;  // zeroed apart from the size, 284
};

OSVersionCache::Query windows7Sp1(CountingQuery& counter)
{
    return [&counter](OSVERSIONINFOEXW& record) {
        ++counter.calls;
        OSVERSIONINFOEXW fresh{};
        fresh.dwOSVersionInfoSize = 284;
        counter.sawFreshRecord = counter.sawFreshRecord && sameRecord(record, fresh);
        record.dwMajorVersion = 6;
        record.dwMinorVersion = 1;
        record.dwBuildNumber = 7601;
        record.dwPlatformId = VER_PLATFORM_WIN32_NT;
        std::wcscpy(record.szCSDVersion, L"Service Pack 1");
        record.wServicePackMajor = 1;
        record.wProductType = VER_NT_WORKSTATION;
    };
}

TEST(OSVersionCache, AsksThePlatformOnceAndHandsOutCopies)
{
    static_assert(sizeof(OSVERSIONINFOEXW) == 284, "the record's size as the platform defines it");
    CountingQuery counter;
    OSVersionCache cache(windows7Sp1(counter));

    EXPECT_FALSE(cache.get(nullptr));
    EXPECT_EQ(counter.calls, 0) << "a null pointer leaves the cache alone";

    const DWORD callerSizes[] = {0, sizeof(OSVERSIONINFOW), 284, 0xFFFFFFFFu};
    OSVERSIONINFOEXW first{};
    for (DWORD size : callerSizes) {
        OSVERSIONINFOEXW mine{};
        std::memset(&mine, 0xAB, sizeof mine);
        mine.dwOSVersionInfoSize = size;
        ASSERT_TRUE(cache.get(&mine));
        EXPECT_EQ(mine.dwOSVersionInfoSize, 284u) << "caller's size " << size;
        EXPECT_EQ(mine.dwMajorVersion, 6u);
        EXPECT_EQ(mine.dwMinorVersion, 1u);
        EXPECT_EQ(mine.dwBuildNumber, 7601u);
        EXPECT_STREQ(mine.szCSDVersion, L"Service Pack 1");
        if (size == callerSizes[0])
            first = mine;
        EXPECT_TRUE(sameRecord(mine, first)) << "every copy alike, whatever the caller held";
    }
    EXPECT_EQ(counter.calls, 1);
    EXPECT_TRUE(counter.sawFreshRecord);
    EXPECT_FALSE(cache.get(nullptr));
    EXPECT_EQ(counter.calls, 1);
}

TEST(OSVersionCache, FailedQueryGivesVersionZeroForGood)
{
    int calls = 0;
    OSVersionCache cache([&calls](OSVERSIONINFOEXW&) { ++calls; });
    for (int round = 0; round < 2; ++round) {
        OSVERSIONINFOEXW mine{};
        mine.dwMajorVersion = 99;
        std::wcscpy(mine.szCSDVersion, L"stale");
        ASSERT_TRUE(cache.get(&mine));
        EXPECT_EQ(mine.dwOSVersionInfoSize, 284u);
        EXPECT_EQ(mine.dwMajorVersion, 0u);
        EXPECT_EQ(mine.dwMinorVersion, 0u);
        EXPECT_EQ(mine.dwPlatformId, 0u);
        EXPECT_STREQ(mine.szCSDVersion, L"");
    }
    EXPECT_EQ(calls, 1) << "not retried";
}

TEST(OSVersionCache, UnterminatedServicePackTextIsCutToTheField)
{
    OSVersionCache cache([](OSVERSIONINFOEXW& record) {
        for (auto& ch : record.szCSDVersion)
            ch = L'x';
    });
    OSVERSIONINFOEXW mine{};
    ASSERT_TRUE(cache.get(&mine));
    EXPECT_EQ(std::wcslen(mine.szCSDVersion), 127u);
}

TEST(PlatformProbe, ProcessWideVersionMatchesThePlatform)
{
    EXPECT_FALSE(getOSVersionInfo(nullptr));
    OSVERSIONINFOEXW first{};
    OSVERSIONINFOEXW second{};
    second.dwOSVersionInfoSize = 12;
    ASSERT_TRUE(getOSVersionInfo(&first));
    ASSERT_TRUE(getOSVersionInfo(&second));
    EXPECT_TRUE(sameRecord(first, second));
    EXPECT_EQ(second.dwOSVersionInfoSize, 284u);

    OSVERSIONINFOEXW direct{};
    direct.dwOSVersionInfoSize = sizeof direct;
    queryPlatformVersion(direct);
    EXPECT_EQ(first.dwMajorVersion, direct.dwMajorVersion);
    EXPECT_EQ(first.dwMinorVersion, direct.dwMinorVersion);
    EXPECT_EQ(first.dwBuildNumber, direct.dwBuildNumber);
    EXPECT_NE(first.dwMajorVersion, 0u) << "the platform did answer";
}

TEST(PlatformProbe, Wow64OnlyForA32BitProcessOnA64BitSystem)
{
    SYSTEM_INFO native{};
    GetNativeSystemInfo(&native);
    const bool system64 = native.wProcessorArchitecture == PROCESSOR_ARCHITECTURE_AMD64 ||
                          native.wProcessorArchitecture == PROCESSOR_ARCHITECTURE_IA64 ||
                          native.wProcessorArchitecture == 12 /* ARM64 */;
    const bool expected = sizeof(void*) == 4 && system64;
    EXPECT_EQ(isWow64(), expected) << "pointer size " << sizeof(void*) << ", 64-bit system " << system64;
    EXPECT_EQ(isWow64(), expected) << "asked again, same answer";
}

}  // namespace
