#include "ui/EnablingRule.h"

#include <gtest/gtest.h>

namespace {

TEST(EnablingRule, RowNeedsAnInstalledBuildThatCanRunHere)
{
    struct Case {
        bool installed, is64Bit, underWow64, row;
    };
    const Case cases[] = {
        {false, false, false, false}, {false, false, true, false}, {false, true, true, false},
        {true, false, false, true},   {true, false, true, true},   // x86 builds run everywhere
        {true, true, false, false},                                // x64 build on 32-bit Windows
        {true, true, true, true},
    };
    for (const auto& c : cases) {
        const SlotEnabling e = decideSlotEnabling({c.installed, c.is64Bit, c.underWow64, true, 0});
        EXPECT_EQ(e.row, c.row) << c.installed << c.is64Bit << c.underWow64;
        EXPECT_FALSE(e.autoTest) << "Normal keeps the auto-test controls disabled";
    }
}

TEST(EnablingRule, AutoTestControlsFollowTheRowOnlyOutsideNormal)
{
    struct Case {
        bool installed;
        long modeCode;
        bool autoTest;
    };
    const Case cases[] = {
        {true, 0, false}, {true, 7, true}, {true, 8, true}, {true, -1, true},  // any code but 0
        {false, 7, false}, {false, 8, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(decideSlotEnabling({c.installed, false, false, true, c.modeCode}).autoTest, c.autoTest)
            << c.installed << " " << c.modeCode;
}

TEST(EnablingRule, WithoutAModeBoxTheAutoTestControlsAreLeftAlone)
{
    EXPECT_FALSE(decideSlotEnabling({true, false, false, false, 0}).touchAutoTest);
    EXPECT_TRUE(decideSlotEnabling({true, false, false, true, 0}).touchAutoTest);
    EXPECT_TRUE(decideSlotEnabling({true, false, false, false, 0}).row);
}

}  // namespace
