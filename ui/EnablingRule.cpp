#include "ui/EnablingRule.h"

SlotEnabling decideSlotEnabling(const SlotFacts& facts)
{
    // An x64 build runs only when this 32-bit launcher runs on 64-bit Windows.
    const bool canRunHere = !facts.is64Bit || facts.underWow64;
    const bool row = facts.installed && canRunHere;
    return {row, row && facts.modeCode != 0, facts.modeBoxPresent};
}
