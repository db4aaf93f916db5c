// Which of a slot row's controls are enabled. Portable: decided from plain
// facts gathered by the launcher dialog on every refresh.
#pragma once

struct SlotFacts {
    bool installed;       // the resolved executable path exists (a folder counts)
    bool is64Bit;
    bool underWow64;      // asked only for an installed x64 slot
    bool modeBoxPresent;  // the layout has the slot's mode box
    long modeCode;        // item data of the selection; 0 when nothing is selected
};

struct SlotEnabling {
    bool row;             // launch button, mode box and inject check box
    bool autoTest;        // auto-test field and Browse button
    bool touchAutoTest;   // false: leave the field and Browse button as they are
};

SlotEnabling decideSlotEnabling(const SlotFacts& facts);
