// The Tools dialog as Windows builds it from its template: a button for
// every row of the tool table with that row's caption, Close as the default
// button, all inside the dialog and none over another. (The build writes the
// template from the table: tools/ToolsTemplateWriter.cpp.)
#include "res/resource.h"
#include "tests/support/WindowQuery.h"
#include "launch/ToolTable.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <iterator>
#include <set>
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

// The specified grid in dialog units, whatever the code's own constants say:
// 508 x 380, buttons 120 x 14 at column edges 6, 132, 258 and 384, rows about
// 18 apart from 6 down to 360, Close at the top of the fourth column.
TEST_F(ToolsTemplate, MeasuresItsSpecifiedSizeWithButtonRowsFrom6DownTo360)
{
    const auto pixels = [&](int left, int top, int width, int height) {
        RECT rect = {left, top, left + width, top + height};
        MapDialogRect(dialog_, &rect);
        return rect;
    };
    RECT client = {};
    GetClientRect(dialog_, &client);
    const RECT size = pixels(0, 0, 508, 380);
    EXPECT_EQ(client.right, size.right) << "508 units wide";
    EXPECT_EQ(client.bottom, size.bottom) << "380 units high";

    // Each button's place in dialog units: a column edge and a top that map onto it.
    std::set<int> tops;
    for (HWND child = GetWindow(dialog_, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        const RECT place = placeOf(child);
        int found = -1;
        for (int left : {6, 132, 258, 384})
            for (int top = 0; top <= 380 && found < 0; ++top) {
                const RECT candidate = pixels(left, top, 120, 14);
                if (EqualRect(&candidate, &place))
                    found = top;
            }
        EXPECT_GE(found, 0) << describe(child) << " is not 120 x 14 units at a column's left edge";
        tops.insert(found);
    }
    const RECT close = pixels(384, 6, 120, 14);
    const RECT closePlace = placeOf(GetDlgItem(dialog_, IDCANCEL));
    EXPECT_TRUE(EqualRect(&closePlace, &close)) << "Close heads the fourth column";
    ASSERT_FALSE(tops.empty());
    EXPECT_EQ(*tops.begin(), 6);
    EXPECT_EQ(*tops.rbegin(), 360);
    for (auto above = tops.begin(), below = std::next(above); below != tops.end(); above = below++)
        EXPECT_TRUE(*below - *above >= 17 && *below - *above <= 19) << "rows at " << *above << " and " << *below;
}

}  // namespace
