// The developer launcher left open while products come and go: its resource
// counts stay flat and every row keeps following the disk.
// NOX_SOAK_SECONDS (default 45) and NOX_SOAK_STEP_MS (default 1500).
#include "tests/e2e/LauncherDriver.h"
#include "tests/e2e/ProcessProbe.h"
#include "tests/e2e/ReliabilitySupport.h"
#include "launch/ProductCatalogue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>

namespace {

using e2e::Installation;
using e2e::Launcher;

constexpr DWORD kFollowLimitMs = 1000;  // ten refresh periods: generous for a loaded machine

template <typename T>
void expectNoGrowth(const char* what, const std::optional<T>& before, const std::optional<T>& after, T slack)
{
    if (!before || !after)
        return;  // not reported by this platform
    EXPECT_LE(*after, *before + slack) << what << " grew from " << *before << " to " << *after;
}

TEST(Soak, DeveloperLauncherStaysFlatAndFollowsTheDisk)
{
    const long seconds = e2e::settingOr(L"NOX_SOAK_SECONDS", 45);
    const DWORD stepMs = static_cast<DWORD>(e2e::settingOr(L"NOX_SOAK_STEP_MS", 1500));
    Installation disk;
    Launcher launcher(Launcher::Edition::Developer);
    ASSERT_NE(launcher.dialog(), nullptr);
    const bool x64Runs = e2e::launcherIsWow64Build();

    std::array<std::wstring, kProductSlotCount> installed;  // path while planted, else empty
    const auto rowsMatchDisk = [&] {
        for (std::size_t i = 0; i < kProductSlotCount; ++i) {
            const bool expected = !installed[i].empty() && (!kProductSlots[i].is64Bit || x64Runs);
            if (launcher.enabled(kProductSlots[i].buttonId) != expected ||
                launcher.enabled(kProductSlots[i].modeComboId) != expected ||
                launcher.enabled(kProductSlots[i].injectCheckId) != expected)
                return false;
        }
        return true;
    };
    unsigned seed = 12345;
    const auto toggleSome = [&] {
        seed = seed * 1103515245u + 12345u;
        const std::size_t i = (seed >> 16) % kProductSlotCount;
        const ProductSlot& slot = kProductSlots[i];
        if (installed[i].empty()) {
            installed[i] = disk.plant(slot.is64Bit ? Installation::nativeRoot() : Installation::x86Root(),
                                      slot.folderName, slot.exeName);
        } else {
            disk.remove(installed[i]);
            installed[i].clear();
        }
    };

    // Warm-up: the first changes and paints allocate what the dialog keeps.
    for (int i = 0; i < 3; ++i) {
        toggleSome();
        ASSERT_TRUE(e2e::waitUntil(rowsMatchDisk));
    }
    const e2e::ProcessCounts first = e2e::readCounts(launcher.processId());
    std::printf("soak start: %s\n", e2e::describe(first).c_str());

    std::vector<double> followMs;
    int late = 0;
    const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(seconds) * 1000;
    while (GetTickCount64() < deadline) {
        toggleSome();
        const ULONGLONG changed = GetTickCount64();
        const bool followed = e2e::waitUntil(rowsMatchDisk, kFollowLimitMs);
        followMs.push_back(static_cast<double>(GetTickCount64() - changed));
        if (!followed)
            ++late;
        Sleep(stepMs);
        EXPECT_TRUE(rowsMatchDisk()) << "rows drifted from the disk while nothing changed";
    }
    const e2e::ProcessCounts last = e2e::readCounts(launcher.processId());
    std::sort(followMs.begin(), followMs.end());
    std::printf("soak end after %zu changes: %s; rows followed in median %.0f ms, max %.0f ms\n", followMs.size(),
                e2e::describe(last).c_str(), followMs[followMs.size() / 2], followMs.back());

    EXPECT_EQ(late, 0) << "rows took longer than " << kFollowLimitMs << " ms to follow the disk";
    EXPECT_TRUE(IsWindow(launcher.dialog()));
    expectNoGrowth("handles", first.handles, last.handles, DWORD{4});
    expectNoGrowth("GDI objects", first.gdiObjects, last.gdiObjects, DWORD{4});
    expectNoGrowth("USER objects", first.userObjects, last.userObjects, DWORD{4});
    expectNoGrowth("private bytes", first.privateBytes, last.privateBytes, SIZE_T{1} << 20);
}

}  // namespace
