// Which typed characters a filtering edit field accepts, by parse style, and
// the integer stepping of its scroll arrows. Character classes are ASCII only.
#pragma once

#include <optional>

// Styles 0 and 59 and above accept no printable character; characters below
// U+0020 (backspace, tab, Ctrl+C/V/X/Z...) are accepted by every style.
// `wildcardAllowed` adds '*' to the wildcard styles.
bool IsCharAllowed(unsigned parseStyle, wchar_t ch, bool wildcardAllowed);

// Step of a scroll code: SB_LINEUP (0) +1, SB_LINEDOWN (1) -1, else none.
std::optional<int> scrollStep(unsigned scrollCode);

// The stepped value, or nothing when it leaves 0..32767.
std::optional<int> stepValue(int current, int step);
