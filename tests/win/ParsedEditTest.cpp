#include "tests/support/WindowQuery.h"
#include "tests/win/TestResource.h"
#include "ui/CParsedEdit.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

class CountingEdit : public CParsedEdit {
public:
    int badInputs = 0;
    void SignalBadInput() override { ++badInputs; }
};

INT_PTR CALLBACK plainDialogProc(HWND, UINT message, WPARAM, LPARAM)
{
    return message == WM_INITDIALOG;
}

// The test dialog's two edit fields, the first one filtered.
class ParsedEditTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dialog = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_TEST_EDIT), nullptr,
                                    plainDialogProc, 0);
        ASSERT_NE(dialog, nullptr);
        edit = GetDlgItem(dialog, IDC_TEST_EDIT);
        other = GetDlgItem(dialog, IDC_TEST_OTHER_EDIT);
        ASSERT_TRUE(field.SubclassWindow(edit));
    }
    void TearDown() override
    {
        if (dialog)
            DestroyWindow(dialog);
    }

    void setText(const wchar_t* text)
    {
        SetWindowTextW(edit, text);
        SendMessageW(edit, EM_SETSEL, 0xFFFF, 0xFFFF);  // caret at the end
    }
    void type(const std::wstring& keys)
    {
        for (wchar_t ch : keys)
            SendMessageW(edit, WM_CHAR, static_cast<WPARAM>(ch), 1);
    }
    std::wstring text() const { return windowText(field.GetSafeHwnd()); }
    std::pair<DWORD, DWORD> selection() const
    {
        DWORD start = 0;
        DWORD end = 0;
        SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        return {start, end};
    }
    bool putOnClipboard(const std::wstring& value)
    {
        bool open = false;
        for (int attempt = 0; attempt < 50 && !open; ++attempt) {
            open = OpenClipboard(dialog) != FALSE;
            if (!open)
                Sleep(20);
        }
        if (!open)
            return false;
        EmptyClipboard();
        const SIZE_T bytes = (value.size() + 1) * sizeof(wchar_t);
        HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
        bool placed = false;
        if (memory) {
            std::memcpy(GlobalLock(memory), value.c_str(), bytes);
            GlobalUnlock(memory);
            placed = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
            if (!placed)
                GlobalFree(memory);  // the clipboard owns it only once placed
        }
        CloseClipboard();
        return placed;
    }

    HWND dialog = nullptr;
    HWND edit = nullptr;
    HWND other = nullptr;
    CountingEdit field;
};

TEST_F(ParsedEditTest, TypedCharactersAreInsertedOrSwallowedWithASignal)
{
    struct Case {
        unsigned style;
        bool wildcards;
        const wchar_t* before;
        std::wstring typed;
        const wchar_t* after;
        int badInputs;
    };
    // Which characters each style takes is ParsedEditRulesTest's; here, that
    // the field asks at every keystroke with its current style and flag.
    const Case cases[] = {
        {0, false, L"", L"a1 .", L"", 4},
        {0, false, L"abc", L"\b\b", L"a", 0},
        {14, false, L"ab", L"C:<\\\u00e9|", L"abC:\\\u00e9", 2},
        {12, false, L"", L"\u00e9ab1", L"ab", 2},
        {21, false, L"", L"a*", L"a", 1},
        {21, true, L"", L"a*", L"a*", 0},
    };
    for (const auto& c : cases) {
        field.parseStyle = c.style;
        CParsedEdit::wildcardAllowed = c.wildcards;
        field.badInputs = 0;
        setText(c.before);
        type(c.typed);
        EXPECT_EQ(text(), c.after) << "style " << c.style;
        EXPECT_EQ(field.badInputs, c.badInputs) << "style " << c.style;
    }
    CParsedEdit::wildcardAllowed = true;
    CParsedEdit another;
    EXPECT_FALSE(CParsedEdit::wildcardAllowed) << "every new field switches wildcards off";
}

TEST_F(ParsedEditTest, PastedAndProgramSetTextIsNotFiltered)
{
    field.parseStyle = 14;
    SetWindowTextW(edit, L"a|b<c");
    EXPECT_EQ(text(), L"a|b<c");

    ASSERT_TRUE(putOnClipboard(L"x|y\"z"));
    setText(L"");
    SendMessageW(edit, WM_PASTE, 0, 0);
    EXPECT_EQ(text(), L"x|y\"z");

    field.parseStyle = 0;  // accepts no printable character, yet Ctrl+V still pastes
    setText(L"");
    type(L"\x16");
    EXPECT_EQ(text(), L"x|y\"z");
    EXPECT_EQ(field.badInputs, 0);
}

TEST_F(ParsedEditTest, ArrowsStepTheNumberAndSelectTheText)
{
    struct Case {
        const wchar_t* before;
        WPARAM code;
        const wchar_t* after;
        int badInputs;
    };
    const Case cases[] = {
        // The steps' bounds are ParsedEditRulesTest's; one refusal shows here.
        {L"5", SB_LINEDOWN, L"4", 0},
        {L"5", SB_LINEUP, L"6", 0},
        {L"32767", SB_LINEUP, L"32767", 1},
        {L"-5", SB_LINEUP, L"-5", 1},
        {L"", SB_LINEUP, L"", 1},
        {L"abc", SB_LINEDOWN, L"abc", 1},
        {L"7", MAKEWPARAM(SB_LINEUP, 99), L"8", 0},
    };
    for (const auto& c : cases) {
        SetFocus(other);
        setText(c.before);
        field.badInputs = 0;
        SendMessageW(edit, WM_VSCROLL, c.code, 0);
        EXPECT_EQ(text(), c.after) << "code " << c.code;
        EXPECT_EQ(field.badInputs, c.badInputs) << "code " << c.code;
        EXPECT_EQ(GetFocus(), edit);
        const DWORD length = static_cast<DWORD>(std::wstring(c.after).size());
        EXPECT_EQ(selection(), std::make_pair(DWORD{0}, length));
    }
}

TEST_F(ParsedEditTest, OtherScrollCodesLeaveFocusTextAndSelectionAlone)
{
    for (WPARAM code : {WPARAM{SB_PAGEUP}, WPARAM{SB_PAGEDOWN}, WPARAM{SB_THUMBTRACK}, WPARAM{SB_TOP},
                        WPARAM{SB_ENDSCROLL}}) {
        SetFocus(other);
        ASSERT_EQ(GetFocus(), other);
        setText(L"123");
        SendMessageW(edit, EM_SETSEL, 1, 2);
        field.badInputs = 0;
        SendMessageW(edit, WM_VSCROLL, code, 0);
        EXPECT_EQ(GetFocus(), other) << "code " << code;
        EXPECT_EQ(text(), L"123");
        EXPECT_EQ(selection(), std::make_pair(DWORD{1}, DWORD{2}));
        EXPECT_EQ(field.badInputs, 0);
    }
}

}  // namespace
