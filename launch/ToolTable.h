// The in-house tools of the Tools dialog: one row per button. The dialog's
// message table, its template (written by res/ToolsTemplateWriter.cpp) and
// the tests all follow this.
#pragma once

#include "res/resource.h"

#include <array>
#include <cstddef>

enum class ToolLaunchKind {
    Plain,                  // started directly
    ElevatedWhenSupported,  // asks for administrator rights from version 5.1 on
    AlwaysElevated,         // always handed to the shell's "runas"
};

struct ToolButton {
    int buttonId;
    const wchar_t* caption;
    const wchar_t* exePath;
    ToolLaunchKind kind;
    int column;  // 1..4, left to right
    int row;     // 0..kToolRowCount-1, top to bottom
};

// Grid of the Tools dialog, in dialog units.
constexpr int kToolsDialogWidth = 508;
constexpr int kToolsDialogHeight = 380;
constexpr int kToolButtonWidth = 120;
constexpr int kToolButtonHeight = 14;
constexpr int kToolRowCount = 20;
constexpr int kToolFirstRowTop = 6;
constexpr int kToolLastRowTop = 360;
inline constexpr std::array<int, 4> kToolColumnLefts = {6, 132, 258, 384};

// Rows spread evenly from the first top to the last: 18 or 19 units apart.
constexpr int toolRowTop(int row)
{
    return kToolFirstRowTop + row * (kToolLastRowTop - kToolFirstRowTop) / (kToolRowCount - 1);
}
constexpr int toolColumnLeft(int column) { return kToolColumnLefts[static_cast<std::size_t>(column - 1)]; }

// "Close" (IDCANCEL) heads the fourth column.
constexpr int kToolsCloseColumn = 4;
constexpr int kToolsCloseRow = 0;

constexpr std::size_t kToolButtonCount = 71;
extern const std::array<ToolButton, kToolButtonCount> kToolButtons;

// The auto-test configuration tool, started from the launcher dialog itself.
extern const wchar_t* const kAutoTestConfigurePath;
extern const wchar_t* const kAutoTestConfigureFolder;  // ends in "\"

// The row of a tool button id, or nullptr.
const ToolButton* findToolButton(int buttonId);
