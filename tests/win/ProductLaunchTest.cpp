// Real launches under Windows/Wine: a host window with the slot's controls,
// the stub product copied into paths with blanks, and its report of what it got.
#include "launch/ProductLaunch.h"
#include "res/resource.h"
#include "tests/support/Environment.h"
#include "tests/support/Files.h"
#include "tests/support/MessageBoxes.h"
#include "tests/support/StubReport.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <map>
#include <string>
#include <vector>

namespace {

using Strings = std::vector<std::wstring>;
using Variables = std::map<std::wstring, std::wstring>;

constexpr int kModeId = IDC_MODE_ORRIN_X64;
constexpr int kInjectId = IDC_INJECT_ORRIN_X64;

const wchar_t kShowMessageBox[] = L"NOX_SHOW_MESSAGE_BOX_AT_STARTUP";
const wchar_t kRecordFull[] = L"NOX_RECORD_FULL_MESSAGE_STATS";
const wchar_t kRecordPartial[] = L"NOX_RECORD_PARTIAL_MESSAGE_STATS";
const wchar_t kMarker[] = L"NOX_TEST_MARKER";  // not a launch variable: always inherited

// Every variable a launch may set or must remove, as the products know them.
const wchar_t* const kAllLaunchVariables[] = {
    L"NOX_SHOW_MESSAGE_BOX_AT_STARTUP", L"NOX_SHOW_AUTO_TEST",   L"NOX_SHOW_MESSAGES",
    L"NOX_RECORD_PARTIAL_MESSAGE_STATS", L"NOX_RECORD_FULL_MESSAGE_STATS", L"NOX_SHOW_EVENT_COUNT",
    L"NOX_SHOW_SHARED_MEMORY_STATS",
};

enum class Layout { Customer, Developer };

// Top-level window holding one slot's mode box and, in the developer layout,
// its inject check box and the shared "-help" box.
class LaunchHostWindow {
public:
    explicit LaunchHostWindow(Layout layout)
    {
        static const ATOM windowClass = [] {
            WNDCLASSW wc = {};
            wc.lpfnWndProc = DefWindowProcW;
            wc.hInstance = GetModuleHandleW(nullptr);
            wc.lpszClassName = L"NoxLaunchTestHost";
            wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
            return RegisterClassW(&wc);
        }();
        window_ = CreateWindowExW(0, MAKEINTATOM(windowClass), L"launch test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40,
                                  420, 200, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        const HWND modeBox = addChild(L"COMBOBOX", L"", CBS_DROPDOWNLIST | WS_VSCROLL, 10, 200, kModeId);
        fillModeCombo(modeBox);
        if (layout == Layout::Developer) {
            addChild(L"BUTTON", L"Display inject message box", BS_AUTOCHECKBOX, 40, 200, kInjectId);
            addChild(L"BUTTON", L"-help", BS_AUTOCHECKBOX, 70, 100, IDC_HELP_SWITCH);
        }
    }
    ~LaunchHostWindow()
    {
        if (window_ != nullptr)
            DestroyWindow(window_);
    }
    LaunchHostWindow(const LaunchHostWindow&) = delete;
    LaunchHostWindow& operator=(const LaunchHostWindow&) = delete;

    HWND get() const { return window_; }
    void selectMode(int position) { SendDlgItemMessageW(window_, kModeId, CB_SETCURSEL, position, 0); }
    int selectedMode() const { return static_cast<int>(SendDlgItemMessageW(window_, kModeId, CB_GETCURSEL, 0, 0)); }
    void check(int id, bool checked) { CheckDlgButton(window_, id, checked ? BST_CHECKED : BST_UNCHECKED); }
    void enable(int id, bool enabled) { EnableWindow(GetDlgItem(window_, id), enabled); }

private:
    HWND addChild(const wchar_t* windowClass, const wchar_t* text, DWORD style, int top, int width, int id)
    {
        return CreateWindowExW(0, windowClass, text, WS_CHILD | WS_VISIBLE | WS_TABSTOP | style, 10, top, width, 120,
                               window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr),
                               nullptr);
    }

    HWND window_ = nullptr;
};

// What the child should see: the given variables at "1", and the marker.
Variables childSees(const Strings& names)
{
    Variables variables{{kMarker, L"kept"}};
    for (const auto& name : names)
        variables[name] = L"1";
    return variables;
}

Strings presentLaunchVariables()
{
    Strings present;
    for (const wchar_t* name : kAllLaunchVariables)
        if (environmentVariable(name))
            present.push_back(name);
    return present;
}

class ProductLaunchTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        removeNoxVariables();
        SetEnvironmentVariableW(L"NOX_TEST_MARKER", L"kept");
        productPath_ = root_.path() + L"\\Kestrova Orrin\\orrin.exe";
        ASSERT_TRUE(plantStub(productPath_));
    }
    void TearDown() override { removeNoxVariables(); }

    // Launches the slot; a message box here is a failure, caught so it cannot hang the run.
    std::optional<StubReport> launchAndWait(const LaunchHostWindow& host, const std::wstring& exePath)
    {
        discardReport(exePath);
        MessageBoxCatcher catcher;
        launchProduct(host.get(), exePath, kModeId, kInjectId);
        for (const auto& box : catcher.caught())
            ADD_FAILURE() << "unexpected message box: " << testing::PrintToString(box.text);
        return waitForReport(exePath);
    }

    TempFolder root_{L"nox-launch-"};
    std::wstring productPath_;
};

TEST_F(ProductLaunchTest, ModeBoxOffersTheThreeModesAndStartsAtNormal)
{
    const LaunchHostWindow host(Layout::Customer);
    const HWND box = GetDlgItem(host.get(), kModeId);
    Strings entries;
    for (LRESULT i = 0; i < SendMessageW(box, CB_GETCOUNT, 0, 0); ++i) {
        wchar_t text[64] = L"";
        SendMessageW(box, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        entries.push_back(text);
    }
    EXPECT_EQ(entries, (Strings{L"Normal", L"Record Full Message Statistics", L"Record Partial Message Statistics"}));
    EXPECT_EQ(host.selectedMode(), 0);
}

TEST_F(ProductLaunchTest, ChildGetsTheUnquotedPathItsFolderAndOnlyTheChosenVariables)
{
    struct Case {
        const char* name;
        Layout layout;
        int modePosition;  // -1: no selection
        bool inject;
        bool help;
        bool disableChecks;
        Strings expected;
    };
    // Which variables each mode and check choose is LaunchPlanTest's; here, that
    // the controls are read and the environment is put back. Run back to back
    // in one process: a variable left over by one case would show in the next.
    const Case cases[] = {
        {"customer Full", Layout::Customer, 1, false, false, false, {kRecordFull}},
        {"no selection", Layout::Customer, -1, false, false, false, {}},
        {"inject, Partial, -help", Layout::Developer, 2, true, true, false, {kRecordPartial, kShowMessageBox}},
        {"checked but disabled", Layout::Developer, 1, true, true, true, {kRecordFull, kShowMessageBox}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        LaunchHostWindow host(c.layout);
        host.selectMode(c.modePosition);
        host.check(kInjectId, c.inject);
        host.check(IDC_HELP_SWITCH, c.help);
        host.enable(kInjectId, !c.disableChecks);
        host.enable(IDC_HELP_SWITCH, !c.disableChecks);
        // Inherited from our own parent: none may reach the product unless the launch sets it.
        for (const wchar_t* name : kAllLaunchVariables)
            SetEnvironmentVariableW(name, L"1");

        const auto report = launchAndWait(host, productPath_);
        ASSERT_TRUE(report) << "the product did not start";
        EXPECT_EQ(report->exe, productPath_);
        EXPECT_EQ(report->commandLine, productPath_ + (c.help ? L" -help " : L""));
        EXPECT_EQ(report->folder, root_.path() + L"\\Kestrova Orrin");
        EXPECT_EQ(report->variables, childSees(c.expected));

        EXPECT_EQ(presentLaunchVariables(), Strings()) << "launch variables left in the launcher";
        EXPECT_EQ(environmentVariable(L"NOX_TEST_MARKER"), std::wstring(L"kept"));
        EXPECT_EQ(host.selectedMode(), c.modePosition) << "the launch changes no control";
        EXPECT_EQ(IsDlgButtonChecked(host.get(), kInjectId), c.inject ? 1u : 0u);
    }
}

TEST_F(ProductLaunchTest, EachLaunchReadsTheModeBoxAnew)
{
    LaunchHostWindow host(Layout::Developer);
    host.selectMode(1);
    host.check(kInjectId, true);
    const auto first = launchAndWait(host, productPath_);
    host.selectMode(2);
    host.check(kInjectId, false);
    const auto second = launchAndWait(host, productPath_);
    ASSERT_TRUE(first && second);
    EXPECT_EQ(first->variables, childSees({kRecordFull, kShowMessageBox}));
    EXPECT_EQ(second->variables, childSees({kRecordPartial}));
}

// Unquoted, "<root>\hijack test\stub.exe" would first be tried as "<root>\hijack.exe".
TEST_F(ProductLaunchTest, PathWithBlanksStartsExactlyThatFileNeverAShorterPrefix)
{
    const std::wstring product = root_.path() + L"\\hijack test\\stub.exe";
    const std::wstring planted = root_.path() + L"\\hijack.exe";
    ASSERT_TRUE(plantStub(product));
    ASSERT_TRUE(plantStub(planted));

    const LaunchHostWindow host(Layout::Customer);
    const auto report = launchAndWait(host, product);
    ASSERT_TRUE(report);
    EXPECT_EQ(report->exe, product);
    EXPECT_EQ(report->commandLine, product);
    EXPECT_FALSE(stubWasStarted(planted));
}

TEST_F(ProductLaunchTest, FailuresAreReportedInAnOwnedMessageBoxAndStartNothing)
{
    const std::wstring missing = root_.path() + L"\\Kestrova Orrin\\missing.exe";
    const std::wstring folder = root_.path() + L"\\Kestrova Orrin";
    // Where an unquoted search of either path would land.
    const Strings decoys = {root_.path() + L"\\Kestrova.exe", root_.path() + L"\\Kestrova Orrin.exe"};
    for (const auto& decoy : decoys)
        ASSERT_TRUE(plantStub(decoy));

    struct Case {
        const char* name;
        std::wstring path;
        std::wstring text;
        const wchar_t* caption;
        Strings variablesAfter;  // a missing file leaves the environment untouched
    };
    const Case cases[] = {
        {"missing file", missing, L"The file " + missing + L" does not exist", L"File does not exist",
         {L"NOX_SHOW_EVENT_COUNT"}},
        {"folder", folder, L"Failed to launch application " + folder, L"Failed to launch application", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        LaunchHostWindow host(Layout::Developer);
        host.selectMode(1);
        host.check(kInjectId, true);
        host.check(IDC_HELP_SWITCH, true);
        SetEnvironmentVariableW(L"NOX_SHOW_EVENT_COUNT", L"1");
        {
            MessageBoxCatcher catcher;
            launchProduct(host.get(), c.path, kModeId, kInjectId);
            ASSERT_EQ(catcher.caught().size(), 1u);
            const CaughtMessageBox& box = catcher.caught().front();
            EXPECT_EQ(box.text, c.text);
            EXPECT_EQ(box.caption, c.caption);
            EXPECT_EQ(box.owner, host.get());
            EXPECT_TRUE(box.hasOkButton);
            EXPECT_EQ(box.buttonCount, 1);
            EXPECT_TRUE(box.exclamationIcon);
        }
        EXPECT_EQ(presentLaunchVariables(), c.variablesAfter);
        // The launch has returned: whatever it started is running or has reported by now.
        for (const auto& exe : decoys)
            EXPECT_FALSE(stubWasStarted(exe)) << "started " << testing::PrintToString(exe);
        EXPECT_FALSE(stubWasStarted(productPath_));
    }
}

}  // namespace
