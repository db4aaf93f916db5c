// The launcher dialog itself, in this process with its real templates: the
// program-files folders, the WOW64 answer and the timer start are answered or
// recorded by stand-ins in the import table, so the rows follow a scratch
// folder and a chosen platform, XP's included (a looked-up function missing or
// failing, the x86 folder query failing).
#include "app/noxLauncherApp.h"
#include "framework/ScopeExit.h"
#include "launch/ProductCatalogue.h"
#include "launch/ToolTable.h"
#include "res/resource.h"
#include "tests/support/Files.h"
#include "tests/support/HandleCount.h"
#include "tests/support/ImportReplacement.h"
#include "tests/support/MessageBoxes.h"
#include "tests/support/ModalDriver.h"
#include "tests/support/StubReport.h"
#include "tests/support/WindowQuery.h"
#include "ui/CnoxLauncherDlg.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <cwchar>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

namespace {

struct TimerStart {
    HWND window;
    UINT period;
};

// What the stand-ins answer and what they saw.
struct FakePlatform {
    std::wstring programFiles;  // both folder queries answer it
    bool x86QueryFails = false; // then that query writes nothing
    BOOL wow64 = FALSE;
    int wow64Questions = 0;
    std::vector<TimerStart> timerStarts;
};

FakePlatform* platform = nullptr;
decltype(&SetTimer) realSetTimer = nullptr;

BOOL WINAPI answerFolder(HWND, LPWSTR path, int csidl, BOOL)
{
    if (csidl == CSIDL_PROGRAM_FILESX86 && platform->x86QueryFails)
        return FALSE;
    std::wcsncpy(path, platform->programFiles.c_str(), MAX_PATH - 1);
    path[MAX_PATH - 1] = L'\0';
    return TRUE;
}

BOOL WINAPI answerWow64(HANDLE, PBOOL wow64)
{
    ++platform->wow64Questions;
    *wow64 = platform->wow64;
    return TRUE;
}

// A failing call may still have written its answer.
BOOL WINAPI failWow64(HANDLE, PBOOL wow64)
{
    ++platform->wow64Questions;
    *wow64 = TRUE;
    return FALSE;
}

struct RestartRegistration {
    bool commandLine;
    DWORD flags;
};
std::vector<RestartRegistration> restartRegistrations;

HRESULT WINAPI recordRestartRegistration(PCWSTR commandLine, DWORD flags)
{
    restartRegistrations.push_back({commandLine != nullptr, flags});
    return S_OK;
}

UINT_PTR WINAPI recordTimerStart(HWND window, UINT_PTR id, UINT period, TIMERPROC procedure)
{
    platform->timerStarts.push_back({window, period});
    return realSetTimer(window, id, period, procedure);
}

// Counts the WM_PAINT messages a window receives while it is watched.
class PaintCounter {
public:
    explicit PaintCounter(HWND window) : window_(window) { SetWindowSubclass(window_, &count, 1, 0); }
    ~PaintCounter()
    {
        RemoveWindowSubclass(window_, &count, 1);
        RemovePropW(window_, kProp);
    }
    PaintCounter(const PaintCounter&) = delete;
    PaintCounter& operator=(const PaintCounter&) = delete;

    int paints() const { return static_cast<int>(reinterpret_cast<INT_PTR>(GetPropW(window_, kProp))); }

private:
    static constexpr const wchar_t* kProp = L"NoxTestPaints";
    static LRESULT CALLBACK count(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR)
    {
        if (message == WM_PAINT)
            SetPropW(window, kProp, reinterpret_cast<HANDLE>(reinterpret_cast<INT_PTR>(GetPropW(window, kProp)) + 1));
        return DefSubclassProc(window, message, wParam, lParam);
    }

    HWND window_;
};

class LauncherDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
        InitCommonControlsEx(&controls);
        platform_.programFiles = root_.path();
        platform = &platform_;
        exports_.answer("IsWow64Process", &answerWow64);
        realSetTimer = timer_.original<std::remove_pointer_t<decltype(realSetTimer)>>();
        ASSERT_TRUE(folders_.active() && exports_.active() && timer_.active());
    }

    // Runs `body` inside the dialog's modal loop once the dialog shows, then ends it.
    void withLauncher(unsigned templateId, const std::function<void(CnoxLauncherDlg&)>& body)
    {
        CnoxLauncherDlg dialog(templateId);
        bool ran = false;
        {
            const ModalDriver driver(
                [&] {
                    const HWND window = dialog.GetSafeHwnd();
                    if (window == nullptr || !IsWindowVisible(window))
                        return false;
                    body(dialog);
                    ran = true;
                    dialog.EndDialog(IDCANCEL);
                    return true;
                },
                10);
            dialog.DoModal();
        }
        ASSERT_TRUE(ran) << "the launcher dialog did not show";
    }

    std::wstring exePath(const ProductSlot& slot) const
    {
        return root_.path() + L"\\Kestrova\\" + slot.folderName + L"\\" + slot.exeName;
    }
    void install(const ProductSlot& slot) const
    {
        std::filesystem::create_directories(std::filesystem::path(exePath(slot)).parent_path());
        const HANDLE file = CreateFileW(exePath(slot).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        CloseHandle(file);
    }
    void uninstall(const ProductSlot& slot) const { DeleteFileW(exePath(slot).c_str()); }

    TempFolder root_{L"nox-dialog-"};
    FakePlatform platform_;
    ImportReplacement folders_{"SHELL32.dll", "SHGetSpecialFolderPathW", &answerFolder};
    ExportStandIns exports_;
    ImportReplacement timer_{"USER32.dll", "SetTimer", &recordTimerStart};
};

bool enabled(const CnoxLauncherDlg& dialog, int id)
{
    const HWND control = dialog.GetDlgItem(id);
    return control != nullptr && IsWindowEnabled(control);
}

// Numbers of the slots whose launch button is enabled; its mode box and inject
// check box must agree with it.
std::vector<int> enabledRows(const CnoxLauncherDlg& dialog)
{
    std::vector<int> rows;
    for (std::size_t i = 0; i < kProductSlotCount; ++i) {
        const ProductSlot& slot = kProductSlots[i];
        const bool button = enabled(dialog, slot.buttonId);
        EXPECT_EQ(enabled(dialog, slot.modeComboId), button) << "slot " << i + 1 << "'s mode box";
        EXPECT_EQ(enabled(dialog, slot.injectCheckId), button) << "slot " << i + 1 << "'s inject check box";
        if (button)
            rows.push_back(static_cast<int>(i) + 1);
    }
    return rows;
}

std::wstring menuText(HMENU menu, int position)
{
    wchar_t text[128] = L"";
    GetMenuStringW(menu, static_cast<UINT>(position), text, 128, MF_BYPOSITION);
    return text;
}

TEST_F(LauncherDialogTest, StartsTheRefreshTimerAndAddsAboutToTheSystemMenu)
{
    for (unsigned layout : {IDD_NOXLAUNCHER_DIALOG, IDD_NOXLAUNCHER_DEV_DIALOG}) {
        SCOPED_TRACE(layout);
        platform_.timerStarts.clear();
        withLauncher(layout, [&](CnoxLauncherDlg& dialog) {
            std::vector<TimerStart> own;
            for (const TimerStart& start : platform_.timerStarts)
                if (start.window == dialog.GetSafeHwnd())
                    own.push_back(start);
            ASSERT_EQ(own.size(), 1u);
            EXPECT_EQ(own[0].period, 100u) << "ten refreshes a second";

            const HMENU menu = GetSystemMenu(dialog.GetSafeHwnd(), FALSE);
            ASSERT_NE(menu, nullptr);
            const int count = GetMenuItemCount(menu);
            ASSERT_GE(count, 2);
            EXPECT_EQ(GetMenuItemID(menu, count - 1), static_cast<UINT>(IDM_ABOUTBOX));
            EXPECT_EQ(menuText(menu, count - 1), L"&About noxLauncher...");
            EXPECT_TRUE(GetMenuState(menu, static_cast<UINT>(count - 2), MF_BYPOSITION) & MF_SEPARATOR);
        });
    }
}

TEST_F(LauncherDialogTest, RowsFollowTheDiskAndAreAskedTheWow64AnswerEveryTime)
{
    const ProductSlot& x86Slot = kProductSlots[0];
    const ProductSlot& x64Slot = kProductSlots[2];
    platform_.wow64 = TRUE;
    withLauncher(IDD_NOXLAUNCHER_DEV_DIALOG, [&](CnoxLauncherDlg& dialog) {
        EXPECT_EQ(enabledRows(dialog), std::vector<int>()) << "nothing installed";
        EXPECT_EQ(platform_.wow64Questions, 0) << "never asked for a missing x64 build";

        install(x86Slot);
        install(x64Slot);
        dialog.refreshControls();
        EXPECT_EQ(enabledRows(dialog), (std::vector<int>{1, 3})) << "both installed, under WOW64";

        platform_.wow64 = FALSE;
        platform_.wow64Questions = 0;
        dialog.refreshControls();
        EXPECT_EQ(enabledRows(dialog), std::vector<int>{1}) << "an x64 build cannot run without WOW64";
        EXPECT_EQ(platform_.wow64Questions, 1) << "asked afresh, for the installed x64 build alone";

        platform_.wow64 = TRUE;
        uninstall(x86Slot);
        dialog.refreshControls();
        EXPECT_EQ(enabledRows(dialog), std::vector<int>{3}) << "x86 build removed, WOW64 again";
    });
}

TEST_F(LauncherDialogTest, X64RowsStayDisabledWithoutAWorkingWow64Probe)
{
    install(kProductSlots[0]);
    install(kProductSlots[2]);
    for (const bool exported : {false, true}) {
        SCOPED_TRACE(exported ? "IsWow64Process fails" : "no IsWow64Process (before XP SP2)");
        exports_.answer("IsWow64Process", exported ? &failWow64 : nullptr);
        platform_.wow64Questions = 0;
        withLauncher(IDD_NOXLAUNCHER_DEV_DIALOG, [&](CnoxLauncherDlg& dialog) {
            EXPECT_EQ(enabledRows(dialog), std::vector<int>{1});
        });
        EXPECT_EQ(platform_.wow64Questions > 0, exported);
    }
}

// A 32-bit system may answer only the native query. The empty text of the
// failed x86 query holds no product folder, so the native root is taken.
TEST_F(LauncherDialogTest, FailingX86FolderQueryFindsX86ProductsUnderTheNativeRoot)
{
    platform_.x86QueryFails = true;
    const ProductSlot& x86Slot = kProductSlots[0];
    ASSERT_TRUE(plantStub(exePath(x86Slot)));
    withLauncher(IDD_NOXLAUNCHER_DEV_DIALOG, [&](CnoxLauncherDlg& dialog) {
        EXPECT_EQ(enabledRows(dialog), std::vector<int>{1});
        const MessageBoxCatcher catcher;
        discardReport(exePath(x86Slot));
        SendMessageW(dialog.GetDlgItem(x86Slot.buttonId), BM_CLICK, 0, 0);
        const auto report = waitForReport(exePath(x86Slot));
        ASSERT_TRUE(report.has_value()) << "the x86 product did not start";
        EXPECT_EQ(report->commandLine, exePath(x86Slot));
        EXPECT_TRUE(catcher.caught().empty());
    });
}

// Windows has a restart manager from Vista on; before, the start goes on without it.
TEST_F(LauncherDialogTest, StartUpShowsTheLauncherWithOrWithoutTheRestartManager)
{
    for (const bool exported : {false, true}) {
        SCOPED_TRACE(exported ? "with RegisterApplicationRestart" : "without (XP)");
        exports_.answer("RegisterApplicationRestart", exported ? &recordRestartRegistration : nullptr);
        restartRegistrations.clear();
        CnoxLauncherApp app;
        bool shown = false;
        {
            const ModalDriver closeOnceShown(
                [&] {
                    const HWND window = app.m_pMainWnd ? app.m_pMainWnd->GetSafeHwnd() : nullptr;
                    if (window == nullptr || !IsWindowVisible(window))
                        return false;
                    shown = true;
                    PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
                    return true;
                },
                10);
            EXPECT_FALSE(app.InitInstance());
        }
        EXPECT_TRUE(shown) << "the launcher dialog did not show";
        ASSERT_EQ(restartRegistrations.size(), exported ? 1u : 0u);
        if (exported) {
            EXPECT_FALSE(restartRegistrations[0].commandLine) << "no command line";
            EXPECT_EQ(restartRegistrations[0].flags, 0u) << "no flags";
        }
    }
}

TEST_F(LauncherDialogTest, EveryRefreshRepaintsEachControlBeforeItReturns)
{
    install(kProductSlots[0]);
    withLauncher(IDD_NOXLAUNCHER_DEV_DIALOG, [&](CnoxLauncherDlg& dialog) {
        const ProductSlot& slot = kProductSlots[0];
        const int watched[] = {slot.buttonId,       slot.modeComboId, slot.injectCheckId, slot.autoTestEditId,
                               slot.browseButtonId, IDCANCEL,         IDC_HELP_SWITCH};
        // Settle: states applied and every pending paint done, so only the refresh paints.
        dialog.refreshControls();
        RedrawWindow(dialog.GetSafeHwnd(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        std::vector<std::unique_ptr<PaintCounter>> counters;
        for (int id : watched)
            counters.push_back(std::make_unique<PaintCounter>(dialog.GetDlgItem(id)));

        dialog.refreshControls();

        for (std::size_t i = 0; i < counters.size(); ++i)
            EXPECT_GE(counters[i]->paints(), 1) << "control " << watched[i] << " was not repainted";
    });
}

TEST_F(LauncherDialogTest, AutoTestFieldsTakeOnlyTypedPathCharacters)
{
    platform_.wow64 = TRUE;
    for (const ProductSlot& slot : kProductSlots)
        install(slot);
    withLauncher(IDD_NOXLAUNCHER_DEV_DIALOG, [&](CnoxLauncherDlg& dialog) {
        for (const ProductSlot& slot : kProductSlots)
            SendMessageW(dialog.GetDlgItem(slot.modeComboId), CB_SETCURSEL, 1, 0);  // a recording mode
        dialog.refreshControls();
        for (const ProductSlot& slot : kProductSlots) {
            const HWND field = dialog.GetDlgItem(slot.autoTestEditId);
            ASSERT_TRUE(IsWindowEnabled(field)) << "slot field " << slot.autoTestEditId;
            for (const wchar_t ch : std::wstring(L"C:\\Auto Tests\\run<1>|\"x\"*?.noxatc"))
                SendMessageW(field, WM_CHAR, ch, 1);
            wchar_t text[128] = L"";
            GetWindowTextW(field, text, 128);
            EXPECT_STREQ(text, L"C:\\Auto Tests\\run1x*?.noxatc") << "slot field " << slot.autoTestEditId;
        }
    });
}

TEST_F(LauncherDialogTest, LaunchesLeaveNoHandleOfTheirProductsOpen)
{
    const ProductSlot& slot = kProductSlots[0];
    ASSERT_TRUE(plantStub(exePath(slot)));
    withLauncher(IDD_NOXLAUNCHER_DIALOG, [&](CnoxLauncherDlg& dialog) {
        const MessageBoxCatcher catcher;  // a failed launch must not hang the run
        const HWND button = dialog.GetDlgItem(slot.buttonId);
        ASSERT_TRUE(IsWindowEnabled(button));
        const auto launch = [&] {
            discardReport(exePath(slot));
            SendMessageW(button, BM_CLICK, 0, 0);
            return waitForReport(exePath(slot)).has_value();  // ends at the report
        };
        ASSERT_TRUE(launch()) << "first launch";  // lazily made handles of the first start
        constexpr int kLaunches = 12;
        const std::size_t before = countOpenHandles();
        for (int i = 0; i < kLaunches; ++i)
            ASSERT_TRUE(launch()) << "launch " << i + 1;
        const std::size_t after = countOpenHandles();
        // One handle left by each launch would show as kLaunches more.
        EXPECT_LT(after, before + kLaunches / 2) << before << " handles open before " << kLaunches
                                                 << " launches, " << after << " after";
        EXPECT_TRUE(catcher.caught().empty());
    });
}

struct IconDrawing {
    HICON icon;
    int x;
    int y;
};
std::vector<IconDrawing> iconDrawings;
decltype(&DrawIcon) realDrawIcon = nullptr;

BOOL WINAPI recordDrawIcon(HDC dc, int x, int y, HICON icon)
{
    iconDrawings.push_back({icon, x, y});
    return realDrawIcon(dc, x, y, icon);
}

TEST_F(LauncherDialogTest, CarriesTheApplicationIconAndDrawsItOnlyWhileMinimised)
{
    const auto appIcon = reinterpret_cast<LRESULT>(LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(128)));
    ASSERT_NE(appIcon, 0) << "icon group 128";
    const ImportReplacement drawIcon("USER32.dll", "DrawIcon", &recordDrawIcon);
    realDrawIcon = drawIcon.original<std::remove_pointer_t<decltype(realDrawIcon)>>();
    ASSERT_TRUE(drawIcon.active());
    for (unsigned layout : {IDD_NOXLAUNCHER_DIALOG, IDD_NOXLAUNCHER_DEV_DIALOG}) {
        SCOPED_TRACE(layout);
        withLauncher(layout, [&](CnoxLauncherDlg& dialog) {
            const HWND window = dialog.GetSafeHwnd();
            EXPECT_EQ(SendMessageW(window, WM_GETICON, ICON_BIG, 0), appIcon) << "task bar";
            EXPECT_EQ(SendMessageW(window, WM_GETICON, ICON_SMALL, 0), appIcon) << "title bar";
            EXPECT_EQ(SendMessageW(window, WM_QUERYDRAGICON, 0, 0), appIcon);

            iconDrawings.clear();
            RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
            EXPECT_EQ(iconDrawings.size(), 0u) << "the open dialog shows its controls, not the icon";

            ShowWindow(window, SW_MINIMIZE);
            ASSERT_TRUE(IsIconic(window));
            RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW);  // what minimising itself paints
            iconDrawings.clear();
            InvalidateRect(window, nullptr, TRUE);
            SendMessageW(window, WM_PAINT, 0, 0);
            RECT client = {};
            GetClientRect(window, &client);
            ASSERT_EQ(iconDrawings.size(), 1u);
            EXPECT_EQ(reinterpret_cast<LRESULT>(iconDrawings[0].icon), appIcon);
            EXPECT_EQ(iconDrawings[0].x, (client.right - GetSystemMetrics(SM_CXICON) + 1) / 2) << "centred";
            EXPECT_EQ(iconDrawings[0].y, (client.bottom - GetSystemMetrics(SM_CYICON) + 1) / 2) << "centred";
            ShowWindow(window, SW_RESTORE);
        });
    }
}

TEST_F(LauncherDialogTest, ClickingTheHelpBoxTurnsTheSwitchOnAndOffForTheNextLaunch)
{
    const ProductSlot& slot = kProductSlots[0];
    ASSERT_TRUE(plantStub(exePath(slot)));
    withLauncher(IDD_NOXLAUNCHER_DEV_DIALOG, [&](CnoxLauncherDlg& dialog) {
        const MessageBoxCatcher catcher;
        const HWND help = dialog.GetDlgItem(1068);
        ASSERT_NE(help, nullptr);
        EXPECT_EQ(windowText(help), L"-help");
        for (const bool checked : {true, false}) {
            SendMessageW(help, BM_CLICK, 0, 0);  // as a user's click: press and release on the box
            discardReport(exePath(slot));
            SendMessageW(dialog.GetDlgItem(slot.buttonId), BM_CLICK, 0, 0);
            const auto report = waitForReport(exePath(slot));
            ASSERT_TRUE(report.has_value()) << "the product did not start";
            EXPECT_EQ(report->commandLine, exePath(slot) + (checked ? L" -help " : L""));
        }
        EXPECT_TRUE(catcher.caught().empty());
    });
}

// Like the product starts above: after a first start, a dozen more leave at most a few handles.
TEST_F(LauncherDialogTest, AutoTestConfigureStartsLeaveNoHandleOfTheToolOpen)
{
    const std::wstring tool = kAutoTestConfigurePath;
    // The folders planted on the way go with the stub; the maker's folder only if this planted it.
    const std::wstring makerRoot = L"C:\\Kestrova";
    const bool hadMakerRoot = GetFileAttributesW(makerRoot.c_str()) != INVALID_FILE_ATTRIBUTES;
    const std::wstring planted = hadMakerRoot ? folderOf(tool) : makerRoot;
    ASSERT_TRUE(plantStub(tool));
    const ScopeExit removeTool([&] { removeTree(planted); });
    withLauncher(IDD_NOXLAUNCHER_DEV_DIALOG, [&](CnoxLauncherDlg& dialog) {
        const MessageBoxCatcher catcher;
        const HWND button = dialog.GetDlgItem(1066);
        ASSERT_NE(button, nullptr);
        const auto start = [&] {
            discardReport(tool);
            SendMessageW(button, BM_CLICK, 0, 0);
            return waitForReport(tool).has_value();
        };
        ASSERT_TRUE(start()) << "first start";
        constexpr int kStarts = 12;
        const std::size_t before = countOpenHandles();
        for (int i = 0; i < kStarts; ++i)
            ASSERT_TRUE(start()) << "start " << i + 1;
        const std::size_t after = countOpenHandles();
        EXPECT_LT(after, before + kStarts / 2) << before << " handles open before " << kStarts << " starts, "
                                               << after << " after";
        EXPECT_TRUE(catcher.caught().empty());
    });
}

}  // namespace
