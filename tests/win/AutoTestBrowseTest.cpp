// The auto-test file chooser with the system's real file dialog, driven from
// a timer inside its modal loop: the file name is typed and Open pressed.
#include "ui/AutoTestBrowse.h"
#include "ui/CIndexedFileDialog.h"

#include "framework/UniqueHandle.h"
#include "tests/support/Files.h"
#include "tests/support/ModalDriver.h"
#include "tests/support/Wait.h"
#include "tests/support/WindowQuery.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

// What the driver does once the file dialog shows: type `name` and press
// Open, or press Cancel when no name is given. A dialog that is still there
// after the event timeout is cancelled, so a failing test cannot hang.
class FileDialogAnswer {
public:
    explicit FileDialogAnswer(std::optional<std::wstring> name)
        : driver_([this, name] {
              const HWND dialog = findThreadWindow(L"#32770");
              ++ticks_;
              if (dialog == nullptr)
                  return answered_ || ticks_ > kGiveUpTicks;
              seen_ = true;
              if (ticks_ > kGiveUpTicks) {
                  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
                  return true;
              }
              if (answered_)
                  return false;  // waiting for it to close
              const HWND edit = name ? fileNameField(dialog) : nullptr;
              if (name && edit == nullptr)
                  return false;
              if (edit != nullptr)
                  SetWindowTextW(edit, name->c_str());
              PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(name ? IDOK : IDCANCEL, BN_CLICKED), 0);
              answered_ = true;
              return false;
          })
    {
    }
    bool dialogSeen() const { return seen_; }

private:
    static constexpr DWORD kGiveUpTicks = kEventTimeoutMs / 50;  // the driver's interval
    DWORD ticks_ = 0;
    bool seen_ = false;
    bool answered_ = false;
    ModalDriver driver_;
};

// A stand-in launcher dialog holding one auto-test field.
class BrowseFixture : public testing::Test {
protected:
    void SetUp() override
    {
        owner_ = CreateWindowExW(0, L"STATIC", L"launcher", WS_POPUP | WS_VISIBLE, 0, 0, 300, 60, nullptr,
                                 nullptr, nullptr, nullptr);
        ASSERT_NE(owner_, nullptr);
        ownerWnd_.emplace(owner_);
        fieldHwnd_ = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 0, 0, 280, 20, owner_, nullptr,
                                     nullptr, nullptr);
        field_.emplace(fieldHwnd_);
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
        EXPECT_LE(refreshes, 1);
        return refreshes == 1;
    }

    std::wstring fieldText() const { return field_->GetWindowTextW(); }

    HWND owner_ = nullptr;
    HWND fieldHwnd_ = nullptr;
    std::optional<CWnd> ownerWnd_;
    std::optional<CWnd> field_;
};

TEST_F(BrowseFixture, ConfirmedChoiceReplacesTheFieldRefreshesAndRemembersTheFolder)
{
    const TempFolder temp(L"browse");
    const std::wstring suite = temp.path() + L"\\suite";
    ASSERT_TRUE(CreateDirectoryW(suite.c_str(), nullptr));
    SetWindowTextW(fieldHwnd_, L"typed by hand");

    ASSERT_TRUE(browse(suite + L"\\RUN.NOXATC"));
    EXPECT_EQ(fieldText(), suite + L"\\RUN.NOXATC");
    EXPECT_EQ(lastFolderByExtension.lookup(L"noxatc"), suite);

    // The next dialog opens in that folder: a bare name lands there.
    ASSERT_TRUE(browse(std::wstring(L"second.noxatc")));
    EXPECT_EQ(fieldText(), suite + L"\\second.noxatc");
}

TEST_F(BrowseFixture, CancelChangesNeitherFieldNorMemoryAndDoesNotRefresh)
{
    const TempFolder temp(L"browse");
    lastFolderByExtension.remember(L"noxatc", temp.path());
    for (const wchar_t* before : {L"", L"C:\\earlier\\choice.noxatc"}) {
        SetWindowTextW(fieldHwnd_, before);
        EXPECT_FALSE(browse(std::nullopt));
        EXPECT_EQ(fieldText(), before);
        EXPECT_EQ(lastFolderByExtension.lookup(L"noxatc"), temp.path());
    }
}

TEST(CIndexedFileDialog, SelectsTheFilterOfItsDefaultExtension)
{
    struct Case {
        const wchar_t* extension;
        const wchar_t* filter;
        DWORD index;
    };
    const Case cases[] = {
        {L"noxatc", L"Auto Test Files (*.noxatc)|*.noxatc||", 1},
        {L"log", L"Text (*.txt)|*.txt|Logs (*.log)|*.log||", 2},
        {L"bin", L"Text (*.txt)|*.txt||", 0},
    };
    for (const auto& c : cases) {
        CIndexedFileDialog dialog(TRUE, c.extension, nullptr, OFN_HIDEREADONLY, c.filter);
        EXPECT_EQ(dialog.m_ofn.nFilterIndex, c.index);
        EXPECT_TRUE(dialog.folderMemoryEnabled);
    }
}

TEST(CIndexedFileDialog, RemembersFolderAppliesOnlyWhileItExists)
{
    const TempFolder temp(L"memory");
    const std::wstring existing = temp.path();
    const std::wstring gone = temp.path() + L"\\deleted";
    struct Case {
        std::optional<std::wstring> remembered;
        const wchar_t* expectedInitial;  // nullptr: left to the system
    };
    const Case cases[] = {
        {std::nullopt, nullptr},
        {existing, existing.c_str()},
        {gone, nullptr},
        {std::wstring(L"C:"), L"C:\\"},  // a drive root, not the drive's current folder
    };
    for (const auto& c : cases) {
        FolderMemory memory;
        if (c.remembered)
            memory.remember(L"NOXATC", *c.remembered);
        CIndexedFileDialog dialog(TRUE, L"NoxAtc", nullptr, OFN_HIDEREADONLY,
                                  L"Auto Test Files (*.noxatc)|*.noxatc||", nullptr, 0, TRUE, memory);
        dialog.ApplyRememberedFolder();
        if (c.expectedInitial == nullptr)
            EXPECT_EQ(dialog.m_ofn.lpstrInitialDir, nullptr);
        else
            EXPECT_STREQ(dialog.m_ofn.lpstrInitialDir, c.expectedInitial);
        EXPECT_EQ(memory.lookup(L"noxatc"), c.remembered) << "a stale entry stays";
    }
}

TEST(CIndexedFileDialog, SystemDialogOpensOnTheFilterOfTheDefaultExtension)
{
    const TempFolder temp(L"filter");
    CIndexedFileDialog dialog(TRUE, L"log", nullptr, OFN_HIDEREADONLY,
                              L"Text (*.txt)|*.txt|Logs (*.log)|*.log|All (*.*)|*.*||");
    dialog.folderMemoryEnabled = false;
    ASSERT_EQ(dialog.m_ofn.nFilterIndex, 2u);
    const FileDialogAnswer answer(temp.path() + L"\\chosen.log");
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_TRUE(answer.dialogSeen());
    EXPECT_EQ(dialog.m_ofn.nFilterIndex, 2u) << "the file type the dialog showed when confirmed";
}

}  // namespace
