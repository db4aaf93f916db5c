// The Tools dialog as Windows builds it from its template: a button for
// every row of the tool table with that row's caption, Close as the default
// button, all inside the dialog and none over another. (The build writes the
// template from the table: res/ToolsTemplateWriter.cpp.)
#include "res/resource.h"
#include "tests/support/WindowQuery.h"
#include "launch/ToolTable.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

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

    RECT placeOf(HWND control) const
    {
        RECT rect = {};
        GetWindowRect(control, &rect);
        MapWindowPoints(nullptr, dialog_, reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    }

    HWND dialog_ = nullptr;
};

std::string describe(HWND control)
{
    return testing::PrintToString(windowText(control));
}

TEST_F(ToolsTemplate, CaptionAndFrame)
{
    EXPECT_EQ(windowText(dialog_), L"Kestrova Tools");
    const LONG_PTR style = GetWindowLongPtrW(dialog_, GWL_STYLE);
    for (LONG_PTR bit : {LONG_PTR(DS_MODALFRAME), LONG_PTR(WS_POPUP), LONG_PTR(WS_CAPTION), LONG_PTR(WS_SYSMENU)})
        EXPECT_EQ(style & bit, bit);
}

TEST_F(ToolsTemplate, EveryTableRowIsAPushButtonWithItsCaption)
{
    for (const ToolButton& row : kToolButtons) {
        SCOPED_TRACE(row.buttonId);
        const HWND button = GetDlgItem(dialog_, row.buttonId);
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(windowText(button), row.caption);
        EXPECT_EQ(GetWindowLongPtrW(button, GWL_STYLE) & BS_TYPEMASK, BS_PUSHBUTTON);
    }
    const HWND close = GetDlgItem(dialog_, IDCANCEL);
    ASSERT_NE(close, nullptr);
    EXPECT_EQ(windowText(close), L"Close");
    EXPECT_EQ(GetWindowLongPtrW(close, GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
}

TEST_F(ToolsTemplate, ButtonsLieInsideTheDialogAndNoneCoversAnotherOrAnythingElseIsThere)
{
    RECT client = {};
    GetClientRect(dialog_, &client);
    std::vector<HWND> children;
    for (HWND child = GetWindow(dialog_, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    EXPECT_EQ(children.size(), kToolButtons.size() + 1) << "the tools and Close";
    for (std::size_t i = 0; i < children.size(); ++i) {
        const RECT place = placeOf(children[i]);
        RECT inside = {};
        IntersectRect(&inside, &place, &client);
        EXPECT_TRUE(EqualRect(&inside, &place)) << describe(children[i]) << " reaches out of the dialog";
        EXPECT_TRUE(place.right > place.left && place.bottom > place.top) << describe(children[i]);
        for (std::size_t j = i + 1; j < children.size(); ++j) {
            const RECT other = placeOf(children[j]);
            RECT overlap = {};
            EXPECT_FALSE(IntersectRect(&overlap, &place, &other))
                << describe(children[i]) << " and " << describe(children[j]);
        }
    }
}

}  // namespace
