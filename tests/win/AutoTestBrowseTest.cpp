// The auto-test file chooser with the system's real file dialog, driven from
// a timer inside its modal loop: the file name is typed and Open pressed. Each
// case runs twice: with the item-based dialog, and as on XP, where its creation
// fails and the classic dialog takes over.
#include "ui/AutoTestBrowse.h"
#include "ui/CIndexedFileDialog.h"

#include "framework/UniqueHandle.h"
#include "tests/support/Files.h"
#include "tests/support/ImportReplacement.h"
#include "tests/support/ModalDriver.h"
#include "tests/support/Wait.h"
#include "tests/support/WindowQuery.h"

#include <gtest/gtest.h>

#include <shobjidl.h>

#include <cwchar>
#include <optional>
#include <string>
#include <vector>

namespace {

using namespace std::string_literals;

HRESULT WINAPI createWithoutItemDialogs(REFCLSID kind, LPUNKNOWN outer, DWORD context, REFIID id, LPVOID* object)
{
    if (IsEqualCLSID(kind, CLSID_FileOpenDialog) || IsEqualCLSID(kind, CLSID_FileSaveDialog))
        return REGDB_E_CLASSNOTREG;  // as on XP
    return ExportStandIns::real<decltype(CoCreateInstance)>(L"ole32.dll", "CoCreateInstance")(kind, outer, context,
                                                                                              id, object);
}

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
std::vector<ClassicRun> classicRuns;

BOOL WINAPI recordClassicRun(LPOPENFILENAMEW settings)
{
    std::wstring filter;
    for (const wchar_t* piece = settings->lpstrFilter; piece && *piece; piece += std::wcslen(piece) + 1)
        filter += piece + L"\0"s;
    classicRuns.push_back({settings->hwndOwner, settings->lStructSize, filter, settings->nFilterIndex,
                           settings->nMaxFile, settings->Flags,
                           settings->lpstrInitialDir ? std::optional<std::wstring>(settings->lpstrInitialDir)
                                                     : std::nullopt});
    return ExportStandIns::real<decltype(GetOpenFileNameW)>(L"comdlg32.dll", "GetOpenFileNameW")(settings);
}

// The parameter: whether the system offers the item-based dialog.
class FileDialogPath : public testing::TestWithParam<bool> {
protected:
    void SetUp() override
    {
        if (!GetParam())
            exports_.answer("CoCreateInstance", &createWithoutItemDialogs);
        exports_.answer("GetOpenFileNameW", &recordClassicRun);
        ASSERT_TRUE(exports_.active());
        classicRuns.clear();
    }
    // The classic dialog ran exactly when the item dialog was not offered.
    void expectClassicRuns(std::size_t count) const { EXPECT_EQ(classicRuns.size(), GetParam() ? 0u : count); }

    ExportStandIns exports_;
};

std::string pathName(const testing::TestParamInfo<bool>& info)
{
    return info.param ? "ItemDialog" : "ClassicDialog";
}

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
              classic_ = isClassicFileDialog(dialog);
              if (edit != nullptr)
                  SetWindowTextW(edit, name->c_str());
              PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(name ? IDOK : IDCANCEL, BN_CLICKED), 0);
              answered_ = true;
              return false;
          })
    {
    }
    bool dialogSeen() const { return seen_; }
    bool classicSeen() const { return classic_; }

private:
    static constexpr DWORD kGiveUpTicks = kEventTimeoutMs / 50;  // the driver's interval
    DWORD ticks_ = 0;
    bool seen_ = false;
    bool answered_ = false;
    bool classic_ = false;
    ModalDriver driver_;
};

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

    std::wstring fieldText() const { return windowText(field_->GetSafeHwnd()); }

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
            EXPECT_EQ(run.filterIndex, 1u);
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

INSTANTIATE_TEST_SUITE_P(FileDialogs, BrowseFixture, testing::Bool(), pathName);

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

using CIndexedFileDialogShown = FileDialogPath;

TEST_P(CIndexedFileDialogShown, SystemDialogOpensOnTheFilterOfTheDefaultExtension)
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
    expectClassicRuns(1);
}

INSTANTIATE_TEST_SUITE_P(FileDialogs, CIndexedFileDialogShown, testing::Bool(), pathName);

// A file's name typed without its extension comes back with the filter's, and
// the folder is remembered under that extension. (An open dialog adds it only
// where such a file exists.)
TEST_P(BrowseFixture, NameTypedWithoutExtensionGetsTheFiltersAndIsRememberedUnderIt)
{
    const TempFolder temp(L"browse");
    ASSERT_TRUE(writeFile(temp.path() + L"\\nightly.noxatc", "auto test\n"));
    lastFolderByExtension.remember(L"noxatc", L"C:\\earlier");
    ASSERT_TRUE(browse(temp.path() + L"\\nightly"));
    EXPECT_EQ(fieldText(), temp.path() + L"\\nightly.noxatc");
    EXPECT_EQ(lastFolderByExtension.lookup(L"noxatc"), temp.path());
    EXPECT_EQ(lastFolderByExtension.lookup(L""), std::nullopt) << "nothing kept without an extension";
    expectClassicRuns(1);
}

}  // namespace
