// The Tools dialog template as Windows builds it must match the tool table:
// every button's id, caption, kind and place, and nothing more.
#include "res/resource.h"
#include "launch/ToolTable.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

INT_PTR CALLBACK inertDialogProc(HWND, UINT message, WPARAM, LPARAM)
{
    return message == WM_INITDIALOG ? TRUE : FALSE;
}

class ToolsTemplate : public testing::Test {
protected:
    void SetUp() override
    {
        dialog_ = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_KESTROVA_TOOLS), nullptr,
                                     inertDialogProc, 0);
        ASSERT_NE(dialog_, nullptr) << GetLastError();
    }
    void TearDown() override
    {
        if (dialog_ != nullptr)
            DestroyWindow(dialog_);
    }

    RECT dialogUnits(int x, int y, int width, int height) const
    {
        RECT rect = {x, y, x + width, y + height};
        MapDialogRect(dialog_, &rect);
        return rect;
    }

    RECT placeOf(HWND control) const
    {
        RECT rect = {};
        GetWindowRect(control, &rect);
        MapWindowPoints(nullptr, dialog_, reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    }

    static std::wstring textOf(HWND window)
    {
        wchar_t text[256] = {};
        GetWindowTextW(window, text, 256);
        return text;
    }

    HWND dialog_ = nullptr;
};

bool sameRect(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

std::string describe(const RECT& r)
{
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + ")-(" + std::to_string(r.right) + "," +
           std::to_string(r.bottom) + ")";
}

TEST_F(ToolsTemplate, CaptionSizeAndStyle)
{
    EXPECT_EQ(textOf(dialog_), L"Kestrova Tools");
    RECT client = {};
    GetClientRect(dialog_, &client);
    const RECT expected = dialogUnits(0, 0, kToolsDialogWidth, kToolsDialogHeight);
    EXPECT_TRUE(sameRect(client, expected)) << describe(client) << " vs " << describe(expected);
    const LONG_PTR style = GetWindowLongPtrW(dialog_, GWL_STYLE);
    for (LONG_PTR bit : {LONG_PTR(DS_MODALFRAME), LONG_PTR(WS_POPUP), LONG_PTR(WS_CAPTION), LONG_PTR(WS_SYSMENU)})
        EXPECT_EQ(style & bit, bit);
}

TEST_F(ToolsTemplate, EveryTableRowIsAPushButtonInItsPlace)
{
    for (const ToolButton& row : kToolButtons) {
        SCOPED_TRACE(row.buttonId);
        const HWND button = GetDlgItem(dialog_, row.buttonId);
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(textOf(button), row.caption);
        EXPECT_EQ(GetWindowLongPtrW(button, GWL_STYLE) & BS_TYPEMASK, BS_PUSHBUTTON);
        const RECT expected = dialogUnits(toolColumnLeft(row.column), toolRowTop(row.row), kToolButtonWidth,
                                          kToolButtonHeight);
        const RECT actual = placeOf(button);
        EXPECT_TRUE(sameRect(actual, expected)) << describe(actual) << " vs " << describe(expected);
    }
}

TEST_F(ToolsTemplate, CloseIsTheDefaultButtonAtopTheFourthColumnAndNothingElseIsThere)
{
    const HWND close = GetDlgItem(dialog_, IDCANCEL);
    ASSERT_NE(close, nullptr);
    EXPECT_EQ(textOf(close), L"Close");
    EXPECT_EQ(GetWindowLongPtrW(close, GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
    const RECT expected = dialogUnits(toolColumnLeft(kToolsCloseColumn), toolRowTop(kToolsCloseRow),
                                      kToolButtonWidth, kToolButtonHeight);
    EXPECT_TRUE(sameRect(placeOf(close), expected));

    int children = 0;
    for (HWND child = GetWindow(dialog_, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
        ++children;
    EXPECT_EQ(children, static_cast<int>(kToolButtonCount) + 1);
}

}  // namespace
