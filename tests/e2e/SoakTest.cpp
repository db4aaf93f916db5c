// The developer launcher left open while products come and go: every row
// keeps following the disk, and stays as it is while nothing changes. How long
// the rows took to follow is printed as a figure, not judged: a busy machine
// may be slow. (Handles a launch leaves open are counted in-process by the
// launcher tests; scripts/soak samples the open launcher's memory from Linux.)
// NOX_SOAK_SECONDS (default 45) and NOX_SOAK_STEP_MS (default 1500).
#include "tests/e2e/LauncherDriver.h"
#include "launch/ProductCatalogue.h"
#include "tests/support/Environment.h"
#include "tests/support/Wait.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>

namespace {

using e2e::Installation;
using e2e::Launcher;

TEST(Soak, DeveloperLauncherFollowsTheDiskThroughout)
{
    const long seconds = settingOr(L"NOX_SOAK_SECONDS", 45);
    const DWORD stepMs = static_cast<DWORD>(settingOr(L"NOX_SOAK_STEP_MS", 1500));
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
        ASSERT_TRUE(waitUntil(rowsMatchDisk));
    }

    std::vector<double> followMs;
    int neverFollowed = 0;
    const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(seconds) * 1000;
    while (GetTickCount64() < deadline) {
        toggleSome();
        const ULONGLONG changed = GetTickCount64();
        if (!waitUntil(rowsMatchDisk))
            ++neverFollowed;
        followMs.push_back(static_cast<double>(GetTickCount64() - changed));
        Sleep(stepMs);
        EXPECT_TRUE(rowsMatchDisk()) << "rows drifted from the disk while nothing changed";
    }
    std::sort(followMs.begin(), followMs.end());
    std::printf("soak: %zu changes; rows followed in median %.0f ms, max %.0f ms\n", followMs.size(),
                followMs[followMs.size() / 2], followMs.back());

    EXPECT_EQ(neverFollowed, 0) << "changes the rows did not follow at all";
    EXPECT_TRUE(IsWindow(launcher.dialog()));
}

}  // namespace
