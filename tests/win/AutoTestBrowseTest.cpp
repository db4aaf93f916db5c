// The auto-test file chooser with the system's real file dialog, on both of
// its paths (FileDialogPath): the chosen path lands in the field, the field
// is refreshed and the folder remembered. The dialog's own completion and
// memory are CIndexedFileDialogTest's.
#include "ui/AutoTestBrowse.h"
#include "ui/FolderMemory.h"

#include "tests/support/Files.h"
#include "tests/support/WindowQuery.h"
#include "tests/win/FileDialogPath.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

using namespace std::string_literals;

// A stand-in launcher dialog holding one auto-test field.
class BrowseFixture : public FileDialogPath {
protected:
    void SetUp() override
    {
        FileDialogPath::SetUp();
        owner_ = CreateWindowExW(0, L"STATIC", L"launcher", WS_POPUP | WS_VISIBLE, 0, 0, 300, 60, nullptr,
                                 nullptr, nullptr, nullptr);
        ASSERT_NE(owner_, nullptr);
        ASSERT_TRUE(ownerWnd_.emplace().SubclassWindow(owner_));
        fieldHwnd_ = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 0, 0, 280, 20, owner_, nullptr,
                                     nullptr, nullptr);
        ASSERT_TRUE(field_.emplace().SubclassWindow(fieldHwnd_));
    }
    void TearDown() override
    {
        field_.reset();
        ownerWnd_.reset();
        if (owner_)
            DestroyWindow(owner_);
    }

    // One Browse click answered with `name` (or cancelled); true if refreshed.
    bool browse(std::optional<std::wstring> name)
    {
        FileDialogAnswer answer(std::move(name));
        int refreshes = 0;
        BrowseForAutoTestFile(*field_, *ownerWnd_, [&] { ++refreshes; });
        EXPECT_TRUE(answer.dialogSeen());
        EXPECT_NE(answer.classicSeen(), GetParam()) << "the dialog as it looks";
        EXPECT_LE(refreshes, 1);
        return refreshes == 1;
    }

    std::wstring fieldText() const { return windowText(fieldHwnd_); }

    HWND owner_ = nullptr;
    HWND fieldHwnd_ = nullptr;
    std::optional<CWnd> ownerWnd_;
    std::optional<CWnd> field_;
};

TEST_P(BrowseFixture, ConfirmedChoiceReplacesTheFieldRefreshesAndRemembersTheFolder)
{
    const TempFolder temp(L"browse");
    const std::wstring suite = temp.path() + L"\\suite";
    ASSERT_TRUE(CreateDirectoryW(suite.c_str(), nullptr));
    SetWindowTextW(fieldHwnd_, L"typed by hand");
    lastFolderByExtension.remember(L"noxatc", temp.path() + L"\\gone");

    ASSERT_TRUE(browse(suite + L"\\RUN.NOXATC"));
    EXPECT_EQ(fieldText(), suite + L"\\RUN.NOXATC");
    EXPECT_EQ(lastFolderByExtension.lookup(L"noxatc"), suite);

    // The next dialog opens in that folder: a bare name lands there.
    ASSERT_TRUE(browse(std::wstring(L"second.noxatc")));
    EXPECT_EQ(fieldText(), suite + L"\\second.noxatc");

    expectClassicRuns(2);
    if (classicRuns.size() == 2) {
        for (const ClassicRun& run : classicRuns) {
            EXPECT_EQ(run.owner, owner_);
            EXPECT_EQ(run.structSize, sizeof(OPENFILENAMEW));
            EXPECT_EQ(run.filter, L"Auto Test Files (*.noxatc)\0*.noxatc\0"s);
            EXPECT_EQ(run.bufferLength, 32768u) << "the longest path Windows takes";
            const DWORD flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_EXPLORER | OFN_ENABLESIZING;
            EXPECT_EQ(run.flags, flags);
        }
        EXPECT_EQ(classicRuns[0].initialFolder, std::nullopt) << "a folder that is gone is left to the system";
        EXPECT_EQ(classicRuns[1].initialFolder, suite);
    }
}

TEST_P(BrowseFixture, CancelChangesNeitherFieldNorMemoryAndDoesNotRefresh)
{
    const TempFolder temp(L"browse");
    lastFolderByExtension.remember(L"noxatc", temp.path());
    for (const wchar_t* before : {L"", L"C:\\earlier\\choice.noxatc"}) {
        SetWindowTextW(fieldHwnd_, before);
        EXPECT_FALSE(browse(std::nullopt));
        EXPECT_EQ(fieldText(), before);
        EXPECT_EQ(lastFolderByExtension.lookup(L"noxatc"), temp.path());
    }
    expectClassicRuns(2);
}

INSTANTIATE_TEST_SUITE_P(FileDialogs, BrowseFixture, testing::Bool(), fileDialogPathName);

}  // namespace
