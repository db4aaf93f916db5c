// The Tools dialog run modally, its buttons clicked from inside its loop;
// the recording platform stands in for the real starts.
#include "ui/CKestrovaToolsDialog.h"

#include "tests/support/FakeToolPlatform.h"
#include "tests/support/ModalDriver.h"
#include "tests/support/Wait.h"
#include "tests/support/WindowQuery.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace {

const ToolButton& firstOfKind(ToolLaunchKind kind)
{
    for (const ToolButton& button : kToolButtons)
        if (button.kind == kind)
            return button;
    throw std::logic_error("no such kind");
}

// Clicks `ids` one per tick while checking the dialog stays open, then ends
// it with `closing` (a message posted to the dialog).
struct Script {
    std::vector<int> ids;
    UINT closeMessage;
    WPARAM closeWParam;
    bool stayedOpen = true;
};

INT_PTR runScripted(CKestrovaToolsDialog& dialog, Script& script)
{
    std::size_t next = 0;
    DWORD ticks = 0;
    ModalDriver driver([&] {
        const HWND window = findThreadWindow(L"#32770", L"Kestrova Tools");
        if (window == nullptr)
            return ++ticks > kEventTimeoutMs / 50 || next > 0;  // gives up rather than hang
        if (next < script.ids.size()) {
            SendMessageW(GetDlgItem(window, script.ids[next++]), BM_CLICK, 0, 0);
            script.stayedOpen = script.stayedOpen && IsWindow(window);
            return false;
        }
        PostMessageW(window, script.closeMessage, script.closeWParam, 0);
        return true;
    });
    return dialog.DoModal();
}

TEST(CKestrovaToolsDialog, EachButtonStartsItsRowAndTheDialogStaysOpen)
{
    const ToolButton& plain = firstOfKind(ToolLaunchKind::Plain);
    const ToolButton& elevated = firstOfKind(ToolLaunchKind::ElevatedWhenSupported);
    const ToolButton& always = firstOfKind(ToolLaunchKind::AlwaysElevated);
    const ToolButton& last = kToolButtons.back();

    FakeToolPlatform platform;
    for (const ToolButton& button : kToolButtons)
        platform.existing.insert(button.exePath);
    CKestrovaToolsDialog dialog(nullptr, &platform);
    Script script{{plain.buttonId, elevated.buttonId, always.buttonId, last.buttonId, plain.buttonId},
                  WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED)};
    EXPECT_EQ(runScripted(dialog, script), IDCANCEL);
    EXPECT_TRUE(script.stayedOpen);
    const std::vector<std::wstring> expected = {
        L"plain:" + std::wstring(plain.exePath),   L"runas:" + std::wstring(elevated.exePath),
        L"runas:" + std::wstring(always.exePath),  L"plain:" + std::wstring(last.exePath),
        L"plain:" + std::wstring(plain.exePath),
    };
    EXPECT_EQ(platform.started, expected);
    EXPECT_EQ(platform.beeps, 0);
}

}  // namespace
