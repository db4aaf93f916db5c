#include "tests/win/MessageBoxCatcher.h"

namespace {

MessageBoxCatcher* activeCatcher = nullptr;

constexpr int kMessageTextId = 0xFFFF;  // the static holding a message box's text

std::wstring windowText(HWND window)
{
    const int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, &text[0], length + 1)));
    return text;
}

std::wstring className(HWND window)
{
    wchar_t name[64] = L"";
    GetClassNameW(window, name, 64);
    return name;
}

struct ChildSurvey {
    int buttons = 0;
    bool exclamation = false;
};

BOOL CALLBACK surveyChild(HWND child, LPARAM param)
{
    auto& survey = *reinterpret_cast<ChildSurvey*>(param);
    const LONG_PTR style = GetWindowLongPtrW(child, GWL_STYLE);
    const std::wstring name = className(child);
    if (IsWindowVisible(child) && lstrcmpiW(name.c_str(), L"Button") == 0)
        ++survey.buttons;
    if (lstrcmpiW(name.c_str(), L"Static") == 0 && (style & SS_TYPEMASK) == SS_ICON) {
        const HICON shown = reinterpret_cast<HICON>(SendMessageW(child, STM_GETICON, 0, 0));
        survey.exclamation = survey.exclamation || shown == LoadIconW(nullptr, IDI_EXCLAMATION);
    }
    return TRUE;
}

}  // namespace

MessageBoxCatcher::MessageBoxCatcher()
{
    activeCatcher = this;
    timer_ = SetTimer(nullptr, 0, 20, &MessageBoxCatcher::onTimer);
}

MessageBoxCatcher::~MessageBoxCatcher()
{
    KillTimer(nullptr, timer_);
    activeCatcher = nullptr;
}

void CALLBACK MessageBoxCatcher::onTimer(HWND, UINT, UINT_PTR, DWORD)
{
    if (activeCatcher != nullptr)
        EnumThreadWindows(GetCurrentThreadId(), &MessageBoxCatcher::onThreadWindow, 0);
}

BOOL CALLBACK MessageBoxCatcher::onThreadWindow(HWND window, LPARAM)
{
    if (className(window) != L"#32770" || !IsWindowVisible(window) || GetDlgItem(window, kMessageTextId) == nullptr)
        return TRUE;
    CaughtMessageBox box;
    box.text = windowText(GetDlgItem(window, kMessageTextId));
    box.caption = windowText(window);
    box.owner = GetWindow(window, GW_OWNER);
    box.hasOkButton = GetDlgItem(window, IDOK) != nullptr;
    ChildSurvey survey;
    EnumChildWindows(window, &surveyChild, reinterpret_cast<LPARAM>(&survey));
    box.buttonCount = survey.buttons;
    box.exclamationIcon = survey.exclamation;
    activeCatcher->caught_.push_back(box);
    // Sent, not posted: the box has ended before the next timer tick.
    SendMessageW(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(window, IDOK)));
    return FALSE;
}
