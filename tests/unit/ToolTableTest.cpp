#include "launch/ToolTable.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

namespace {

struct Box {
    int left, top, right, bottom;
};

Box boxOf(int column, int row)
{
    const int left = toolColumnLeft(column);
    const int top = toolRowTop(row);
    return {left, top, left + kToolButtonWidth, top + kToolButtonHeight};
}

bool overlap(const Box& a, const Box& b)
{
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

bool endsWith(const std::wstring& text, const std::wstring& tail)
{
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

// A click finds its own row; Close (IDCANCEL, 2 on every Windows) is no tool.
TEST(ToolTable, EachButtonIdFindsItsOwnRowAndCloseFindsNone)
{
    constexpr int kCloseId = 2;
    for (const ToolButton& button : kToolButtons)
        EXPECT_EQ(findToolButton(button.buttonId), &button) << button.buttonId;
    EXPECT_EQ(findToolButton(kCloseId), nullptr);
}

// x86 and x64 builds of one tool: same executable, same kind, side by side in
// columns 1-2 or 3-4; every other button is a single tool with a bare name.
TEST(ToolTable, PairsShareTheirExecutableAndStandSideBySide)
{
    std::map<std::wstring, int> buttonsPerPath;
    for (std::size_t i = 0; i < kToolButtons.size(); ++i) {
        const ToolButton& button = kToolButtons[i];
        const std::wstring caption = button.caption;
        ++buttonsPerPath[button.exePath];
        if (endsWith(caption, L" x64")) {
            ASSERT_GT(i, 0u);
            const ToolButton& twin = kToolButtons[i - 1];
            SCOPED_TRACE(testing::PrintToString(caption));
            EXPECT_EQ(std::wstring(twin.caption), caption.substr(0, caption.size() - 4) + L" x86");
            EXPECT_EQ(std::wstring(twin.exePath), std::wstring(button.exePath));
            EXPECT_EQ(twin.kind, button.kind);
            EXPECT_EQ(twin.row, button.row);
            EXPECT_TRUE((twin.column == 1 && button.column == 2) || (twin.column == 3 && button.column == 4));
        }
    }
    for (const auto& [path, buttons] : buttonsPerPath)
        EXPECT_LE(buttons, 2) << testing::PrintToString(path);
}

TEST(ToolTable, ButtonsAndCloseFitTheDialogWithoutOverlap)
{
    std::vector<std::pair<std::wstring, Box>> boxes = {{L"Close", boxOf(kToolsCloseColumn, kToolsCloseRow)}};
    for (const ToolButton& button : kToolButtons) {
        ASSERT_TRUE(button.column >= 1 && button.column <= 4) << button.buttonId;
        ASSERT_TRUE(button.row >= 0 && button.row < kToolRowCount) << button.buttonId;
        boxes.emplace_back(button.caption, boxOf(button.column, button.row));
    }
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        const Box& box = boxes[i].second;
        EXPECT_TRUE(box.left >= 0 && box.top >= 0 && box.right <= kToolsDialogWidth &&
                    box.bottom <= kToolsDialogHeight)
            << testing::PrintToString(boxes[i].first);
        for (std::size_t j = i + 1; j < boxes.size(); ++j)
            EXPECT_FALSE(overlap(box, boxes[j].second))
                << testing::PrintToString(boxes[i].first) << " and " << testing::PrintToString(boxes[j].first);
    }
}

TEST(ToolTable, ExecutablesAreAbsoluteAndTheConfigureToolSitsInItsFolder)
{
    for (const ToolButton& button : kToolButtons) {
        const std::wstring path = button.exePath;
        EXPECT_TRUE(path.size() > 3 && path[1] == L':' && path[2] == L'\\') << testing::PrintToString(path);
        EXPECT_TRUE(endsWith(path, L".exe")) << testing::PrintToString(path);
    }
    const std::wstring configure = kAutoTestConfigurePath;
    const std::wstring folder = kAutoTestConfigureFolder;
    EXPECT_TRUE(endsWith(configure, L"\\noxAutoTestConfigure.exe"));
    EXPECT_EQ(folder + L"noxAutoTestConfigure.exe", configure);
}

}  // namespace
