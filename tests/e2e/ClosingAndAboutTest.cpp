// The launcher's closing routes and its About box, driven from outside.
#include "tests/e2e/LauncherDriver.h"
#include "tests/support/Slots.h"
#include "tests/support/WindowQuery.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {

using e2e::Installation;
using e2e::Launcher;

void postKey(HWND control, WPARAM key)
{
    SetForegroundWindow(GetAncestor(control, GA_ROOT));
    PostMessageW(control, WM_KEYDOWN, key, 0);
    PostMessageW(control, WM_KEYUP, key, 0xC0000000);
}

TEST(ClosingAndAbout, EveryClosingRouteEndsTheProcessWithoutConfirmation)
{
    Installation disk;  // nothing installed: the focus may rest on any control
    {
        Launcher launcher(Launcher::Edition::Customer, L"--ignored /arguments");
        ASSERT_NE(launcher.dialog(), nullptr) << "arguments are ignored";
        PostMessageW(launcher.dialog(), WM_SYSCOMMAND, SC_CLOSE, 0);
        EXPECT_TRUE(launcher.waitForExit()) << "system menu Close";
    }
    {
        Launcher launcher(Launcher::Edition::Customer);
        postKey(launcher.control(slot(1).modeComboId), VK_RETURN);
        EXPECT_TRUE(launcher.waitForExit()) << "Enter on a mode box gives OK in the customer layout";
    }
    {
        Launcher launcher(Launcher::Edition::Developer);
        launcher.click(IDCANCEL);
        EXPECT_TRUE(launcher.waitForExit()) << "Close";
    }
}

TEST(ClosingAndAbout, SystemCommandsSixteenToThirtyOneOpenTheAboutBox)
{
    Installation disk;
    Launcher launcher(Launcher::Edition::Customer);
    for (WPARAM command : {WPARAM{16}, WPARAM{23}, WPARAM{31}}) {
        HWND about = launcher.openAbout(command);
        ASSERT_NE(about, nullptr) << command;
        EXPECT_TRUE(e2e::closeWith(about, IDOK));
    }
    // 32 opens nothing: its handling returns, which it would not do while an
    // About box it opened were open. Whichever comes first decides.
    std::atomic<bool> returned{false};
    std::thread sender([&] {
        DWORD_PTR result = 0;
        returned = SendMessageTimeoutW(launcher.dialog(), WM_SYSCOMMAND, 32, 0, SMTO_NORMAL, kEventTimeoutMs, &result) != 0;
    });
    HWND about = nullptr;
    waitUntil([&] { return returned || (about = waitForOwnedDialog(launcher.dialog(), L"About noxLauncher", 0)); });
    EXPECT_EQ(about, nullptr) << "command 32 opened the About box";
    EXPECT_TRUE(returned || about) << "command 32 neither returned nor showed anything";
    if (about != nullptr)
        PostMessageW(GetDlgItem(about, IDOK), BM_CLICK, 0, 0);
    sender.join();
    EXPECT_TRUE(IsWindow(launcher.dialog()));
}

}  // namespace
