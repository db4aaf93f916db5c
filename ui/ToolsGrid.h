// Where the Tools dialog's buttons stand, in dialog units: the grid the
// template writer (tools/ToolsTemplateWriter.cpp) places the tool table's
// columns and rows on. Portable.
#pragma once

#include <array>
#include <cstddef>

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

