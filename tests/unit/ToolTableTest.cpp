#include "launch/ToolTable.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace {

bool endsWith(const std::wstring& text, const std::wstring& tail)
{
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
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
