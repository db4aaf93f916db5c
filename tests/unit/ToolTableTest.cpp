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

TEST(ToolTable, CountsByLaunchKind)
{
    std::map<ToolLaunchKind, int> counts;
    for (const ToolButton& button : kToolButtons)
        ++counts[button.kind];
    EXPECT_EQ(counts[ToolLaunchKind::Plain], 65);
    EXPECT_EQ(counts[ToolLaunchKind::ElevatedWhenSupported], 5);
    EXPECT_EQ(counts[ToolLaunchKind::AlwaysElevated], 1);
}

TEST(ToolTable, IdsFollowTableOrderAndAvoidClose)
{
    for (std::size_t i = 0; i < kToolButtons.size(); ++i) {
        EXPECT_EQ(kToolButtons[i].buttonId, IDC_TOOL_FIRST + static_cast<int>(i));
        EXPECT_EQ(findToolButton(kToolButtons[i].buttonId), &kToolButtons[i]);
    }
    EXPECT_EQ(findToolButton(2), nullptr);
    EXPECT_GT(IDC_TOOL_FIRST, 2);
}

// x86 and x64 builds of one tool: same executable, same kind, side by side in
// columns 1-2 or 3-4; every other button is a single tool with a bare name.
TEST(ToolTable, PairsShareTheirExecutableAndStandSideBySide)
{
    int pairs = 0;
    int singles = 0;
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
            ++pairs;
        } else if (!endsWith(caption, L" x86")) {
            ++singles;
        }
    }
    EXPECT_EQ(pairs, 27);
    EXPECT_EQ(singles, 17);
    for (const auto& [path, buttons] : buttonsPerPath)
        EXPECT_LE(buttons, 2) << testing::PrintToString(path);
    EXPECT_EQ(buttonsPerPath.size(), 27u + 17u);
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
    EXPECT_EQ(toolRowTop(0), 6);
    EXPECT_EQ(toolRowTop(kToolRowCount - 1), 360);
    for (int row = 1; row < kToolRowCount; ++row) {
        const int gap = toolRowTop(row) - toolRowTop(row - 1);
        EXPECT_TRUE(gap == 18 || gap == 19) << "row " << row;
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
