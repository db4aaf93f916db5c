// The system's file dialogs run on both paths the program takes, answered from
// a timer inside their modal loop: the item-based dialog, and the classic one
// as on XP, where the item dialog's creation fails.
#pragma once

#include "tests/support/ImportReplacement.h"
#include "tests/support/ModalDriver.h"
#include "tests/support/Wait.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

// What the classic dialog was handed.
struct ClassicRun {
    HWND owner;
    DWORD structSize;
    std::wstring filter;  // NUL-separated, up to its closing double NUL
    DWORD filterIndex;
    DWORD bufferLength;
    DWORD flags;
    std::optional<std::wstring> initialFolder;
};
extern std::vector<ClassicRun> classicRuns;

// The parameter: whether the system offers the item-based dialog.
class FileDialogPath : public testing::TestWithParam<bool> {
protected:
    void SetUp() override;
    // The classic dialog ran exactly when the item dialog was not offered.
    void expectClassicRuns(std::size_t count) const { EXPECT_EQ(classicRuns.size(), GetParam() ? 0u : count); }

    ExportStandIns exports_;
};

std::string fileDialogPathName(const testing::TestParamInfo<bool>& info);

// What the driver does once the file dialog shows: type `name` and press
// Open, or press Cancel when no name is given. A dialog that is still there
// after the event timeout is cancelled, so a failing test cannot hang.
class FileDialogAnswer {
public:
    explicit FileDialogAnswer(std::optional<std::wstring> name);
    bool dialogSeen() const { return seen_; }
    bool classicSeen() const { return classic_; }

private:
    bool step(const std::optional<std::wstring>& name);

    static constexpr DWORD kGiveUpTicks = kEventTimeoutMs / 50;  // the driver's interval
    DWORD ticks_ = 0;
    bool seen_ = false;
    bool answered_ = false;
    bool classic_ = false;
    ModalDriver driver_;
};
