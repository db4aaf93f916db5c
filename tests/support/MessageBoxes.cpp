#include "tests/support/MessageBoxes.h"

#include "tests/support/WindowQuery.h"

namespace {

constexpr int kMessageTextId = 0xFFFF;  // the static holding a message box's text

}  // namespace

bool isMessageBox(HWND window)
{
    return windowClass(window) == L"#32770" && GetDlgItem(window, kMessageTextId) != nullptr;
}

CaughtMessageBox readMessageBox(HWND box)
{
    CaughtMessageBox seen;
    seen.caption = windowText(box);
    seen.text = windowText(GetDlgItem(box, kMessageTextId));
    seen.owner = GetWindow(box, GW_OWNER);
    seen.hasOkButton = GetDlgItem(box, IDOK) != nullptr;
    for (HWND child = GetWindow(box, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        const std::wstring name = windowClass(child);
        if (IsWindowVisible(child) && lstrcmpiW(name.c_str(), L"Button") == 0)
            ++seen.buttonCount;
        const LONG_PTR style = GetWindowLongPtrW(child, GWL_STYLE);
        if (lstrcmpiW(name.c_str(), L"Static") == 0 && (style & SS_TYPEMASK) == SS_ICON) {
            const auto shown = reinterpret_cast<HICON>(SendMessageW(child, STM_GETICON, 0, 0));
            seen.exclamationIcon = seen.exclamationIcon || shown == LoadIconW(nullptr, IDI_EXCLAMATION);
        }
    }
    return seen;
}

MessageBoxCatcher::MessageBoxCatcher()
    : driver_(
          [this] {
              WindowSearch search;
              search.thisThreadOnly = true;
              search.also = isMessageBox;
              if (const HWND box = findWindow(search)) {
                  caught_.push_back(readMessageBox(box));
                  // Sent, not posted: the box has ended before the next tick.
                  SendMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                               reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
              }
              return false;
          },
          20)
{
}

std::optional<CaughtMessageBox> takeMessageBox(HWND owner, DWORD timeoutMs)
{
    WindowSearch search;
    search.owner = owner;
    search.also = isMessageBox;
    const HWND box = waitForWindow(search, timeoutMs);
    if (box == nullptr)
        return std::nullopt;
    CaughtMessageBox seen = readMessageBox(box);
    PostMessageW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
    waitUntil([&] { return !IsWindow(box); });
    return seen;
}
