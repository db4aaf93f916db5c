#include "framework/AttachedObject.h"
#include "framework/DialogEx.h"
#include "framework/WinApp.h"
#include "tests/support/Wait.h"
#include "tests/win/TestResource.h"

#include <gtest/gtest.h>

#include <future>
#include <optional>
#include <string>
#include <thread>
#include <type_traits>
#include <utility>
#include <vector>

namespace {

// ---- A plain window whose own procedure records what reaches it ------------

std::vector<UINT> g_originalSaw;

LRESULT CALLBACK recordingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    g_originalSaw.push_back(message);
    if (message >= WM_APP && message < WM_APP + 100)
        return 1000 + static_cast<LRESULT>(message - WM_APP);
    if (message == WM_COMMAND)
        return 500;
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

HWND createRecordingWindow()
{
    static const ATOM atom = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = recordingProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"noxTestRecording";
        return RegisterClassW(&wc);
    }();
    EXPECT_NE(atom, 0);
    return CreateWindowExW(0, L"noxTestRecording", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
}

bool originalSaw(UINT message)
{
    for (UINT m : g_originalSaw)
        if (m == message)
            return true;
    return false;
}

constexpr std::array<int, 1> kHandledIds = {10};

class ProbeWnd : public WithMessageTable<ProbeWnd, CWnd> {
public:
    std::vector<std::string> log;
    static MessageTable messageTable();

private:
    HandlerResult onAnswer(const Message&) { return 42; }
    HandlerResult onPeek(const Message&)
    {
        log.push_back("peek");
        return std::nullopt;
    }
    HandlerResult onClicked(const Message&) { return 1; }
    HandlerResult onAdjust(const Message&) { return Default() + 1; }
    HandlerResult onNested(const Message&)
    {
        SendMessageW(m_hWnd, WM_APP + 12, 0, 0);
        return Default();  // still this message, not the nested one
    }
};

MessageTable ProbeWnd::messageTable()
{
    static const MessageEntry rows[] = {
        onMessage<ProbeWnd>(WM_APP + 10, &ProbeWnd::onAnswer),
        onMessage<ProbeWnd>(WM_APP + 11, &ProbeWnd::onPeek),
        onCommand<ProbeWnd>(BN_CLICKED, kHandledIds, &ProbeWnd::onClicked),
        onMessage<ProbeWnd>(WM_APP + 13, &ProbeWnd::onAdjust),
        onMessage<ProbeWnd>(WM_APP + 14, &ProbeWnd::onNested),
    };
    return rows;
}

// A row names its table's class and takes a handler of that class or of a
// base: another class's handler would be called on an object not of its class.
template <class Owner, class Handler, class = void>
struct RowCompiles : std::false_type {};
template <class Owner, class Handler>
struct RowCompiles<Owner, Handler, std::void_t<decltype(onMessage<Owner>(WM_APP, std::declval<Handler>()))>>
    : std::true_type {};
template <class Handler, class = void>
struct RowWithoutItsClassCompiles : std::false_type {};
template <class Handler>
struct RowWithoutItsClassCompiles<Handler, std::void_t<decltype(onMessage(WM_APP, std::declval<Handler>()))>>
    : std::true_type {};

struct TableClass : CWnd {
    HandlerResult own(const Message&) { return 0; }
};
struct DerivedTableClass : TableClass {};
struct OtherClass : CWnd {
    HandlerResult other(const Message&) { return 0; }
};
static_assert(RowCompiles<DerivedTableClass, decltype(&TableClass::own)>::value, "a base's handler");
static_assert(!RowCompiles<TableClass, decltype(&OtherClass::other)>::value, "another class's handler");
static_assert(!RowWithoutItsClassCompiles<decltype(&OtherClass::other)>::value, "the table's class left out");

TEST(Subclass, TableAnswersFirstAndDefaultReachesTheOriginalProcedure)
{
    HWND hwnd = createRecordingWindow();
    ASSERT_NE(hwnd, nullptr);
    ProbeWnd probe;
    ASSERT_TRUE(probe.SubclassWindow(hwnd));
    EXPECT_EQ(probe.GetSafeHwnd(), hwnd);

    struct Case {
        const char* what;
        UINT message;
        WPARAM wParam;
        LRESULT expected;
        bool reachesOriginal;
    };
    const Case cases[] = {
        {"handled", WM_APP + 10, 0, 42, false},
        {"handler declines", WM_APP + 11, 0, 1011, true},
        {"no entry", WM_APP + 12, 0, 1012, true},
        {"handler wraps Default", WM_APP + 13, 0, 1014, true},
        {"listed id and code", WM_COMMAND, MAKEWPARAM(10, BN_CLICKED), 1, false},
        {"unknown id", WM_COMMAND, MAKEWPARAM(11, BN_CLICKED), 500, true},
        {"listed id, other code", WM_COMMAND, MAKEWPARAM(10, BN_DOUBLECLICKED), 500, true},
    };
    for (const auto& c : cases) {
        g_originalSaw.clear();
        EXPECT_EQ(SendMessageW(hwnd, c.message, c.wParam, 0), c.expected) << c.what;
        EXPECT_EQ(originalSaw(c.message), c.reachesOriginal) << c.what;
    }
    EXPECT_EQ(probe.log, std::vector<std::string>{"peek"});

    g_originalSaw.clear();
    EXPECT_EQ(SendMessageW(hwnd, WM_APP + 14, 0, 0), 1014);
    EXPECT_EQ(g_originalSaw, (std::vector<UINT>{WM_APP + 12, WM_APP + 14}));

    g_originalSaw.clear();
    DestroyWindow(hwnd);
    EXPECT_TRUE(originalSaw(WM_NCDESTROY));
    EXPECT_EQ(probe.GetSafeHwnd(), nullptr) << "detached when the window goes";
}

TEST(Subclass, ObjectGoingFirstGivesTheWindowItsProcedureBack)
{
    HWND hwnd = createRecordingWindow();
    ASSERT_NE(hwnd, nullptr);
    const LONG_PTR original = GetWindowLongPtrW(hwnd, GWLP_WNDPROC);
    {
        ProbeWnd probe;
        ASSERT_TRUE(probe.SubclassWindow(hwnd));
        ProbeWnd second;
        EXPECT_FALSE(second.SubclassWindow(hwnd)) << "one object per window";
        EXPECT_FALSE(second.SubclassWindow(nullptr));
        EXPECT_FALSE(probe.SubclassWindow(hwnd)) << "already attached";
        EXPECT_NE(GetWindowLongPtrW(hwnd, GWLP_WNDPROC), original);
    }
    EXPECT_EQ(GetWindowLongPtrW(hwnd, GWLP_WNDPROC), original);
    EXPECT_EQ(SendMessageW(hwnd, WM_APP + 10, 0, 0), 1010) << "no table any more";

    ProbeWnd again;
    EXPECT_TRUE(again.SubclassWindow(hwnd)) << "free to be attached again";
    EXPECT_EQ(SendMessageW(hwnd, WM_APP + 10, 0, 0), 42);
    DestroyWindow(hwnd);
}

// A dialog object can be attached to an existing window like any other: what
// its tables leave goes to the window's own procedure, not to the system's
// dialog processing.
class PlainDialog : public CDialogEx<PlainDialog> {
public:
    PlainDialog() : CDialogEx(IDD_TEST_COMMANDS) {}
    static MessageTable messageTable() { return {}; }
};

TEST(Subclass, DialogObjectOnAnExistingWindowDefaultsToThatWindowsProcedure)
{
    HWND hwnd = createRecordingWindow();
    ASSERT_NE(hwnd, nullptr);
    PlainDialog dialog;
    ASSERT_TRUE(dialog.SubclassWindow(hwnd));
    g_originalSaw.clear();
    EXPECT_EQ(SendMessageW(hwnd, WM_APP + 12, 0, 0), 1012);
    EXPECT_EQ(SendMessageW(hwnd, WM_COMMAND, MAKEWPARAM(11, BN_CLICKED), 0), 500);
    EXPECT_TRUE(originalSaw(WM_APP + 12));
    DestroyWindow(hwnd);
    EXPECT_EQ(dialog.GetSafeHwnd(), nullptr);
}

// ---- The thread's table of attached windows --------------------------------

TEST(WindowTable, ObjectIsForgottenWithEitherEnd)
{
    HWND hwnd = createRecordingWindow();
    ASSERT_NE(hwnd, nullptr);
    ProbeWnd survivor;
    {
        ProbeWnd probe;
        ASSERT_TRUE(probe.SubclassWindow(hwnd));
        EXPECT_EQ(attachedObject(hwnd), &probe);
    }
    EXPECT_EQ(attachedObject(hwnd), nullptr) << "the object's end detaches it";

    ASSERT_TRUE(survivor.SubclassWindow(hwnd));
    DestroyWindow(hwnd);
    EXPECT_EQ(survivor.GetSafeHwnd(), nullptr);
    EXPECT_EQ(attachedObject(hwnd), nullptr) << "forgotten at WM_NCDESTROY";
    HWND next = createRecordingWindow();
    ASSERT_NE(next, nullptr);
    EXPECT_TRUE(survivor.SubclassWindow(next)) << "the living object can take another window";
    EXPECT_EQ(SendMessageW(next, WM_APP + 10, 0, 0), 42);
    DestroyWindow(next);
}

// Two attached windows that call each other from their handlers.
class RelayWnd : public WithMessageTable<RelayWnd, CWnd> {
public:
    HWND peer = nullptr;
    std::vector<UINT> saw;
    static MessageTable messageTable();

private:
    HandlerResult onRelay(const Message& m)
    {
        saw.push_back(m.message);
        const LRESULT inner = SendMessageW(peer, WM_APP + 21, 0, 0);
        return Default() * 10000 + inner;  // Default() still means this message
    }
    HandlerResult onAnswer(const Message& m)
    {
        saw.push_back(m.message);
        const LRESULT back = SendMessageW(peer, WM_APP + 22, 0, 0);
        return Default() + back;
    }};

MessageTable RelayWnd::messageTable()
{
    static const MessageEntry rows[] = {
        onMessage<RelayWnd>(WM_APP + 20, &RelayWnd::onRelay),
        onMessage<RelayWnd>(WM_APP + 21, &RelayWnd::onAnswer),
    };
    return rows;
}

TEST(WindowTable, NestedMessagesBetweenWindowsReachTheirOwnObjects)
{
    HWND first = createRecordingWindow();
    HWND second = createRecordingWindow();
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    RelayWnd a, b;
    ASSERT_TRUE(a.SubclassWindow(first));
    ASSERT_TRUE(b.SubclassWindow(second));
    a.peer = second;
    b.peer = first;
    // a: Default 1020; b answers 1021 + what first's own procedure said to +22 (1022).
    EXPECT_EQ(SendMessageW(first, WM_APP + 20, 0, 0), 1020 * 10000 + 1021 + 1022);
    EXPECT_EQ(a.saw, std::vector<UINT>{WM_APP + 20});
    EXPECT_EQ(b.saw, std::vector<UINT>{WM_APP + 21});
    DestroyWindow(first);
    DestroyWindow(second);
}

TEST(WindowTable, WindowOfAnotherThreadIsRefused)
{
    std::promise<HWND> created;
    std::promise<void> checked;
    std::thread owner([&] {
        HWND hwnd = createRecordingWindow();
        created.set_value(hwnd);
        checked.get_future().wait();
        if (hwnd)
            DestroyWindow(hwnd);  // only its own thread can
    });
    HWND foreign = created.get_future().get();
    const LONG_PTR procedure = foreign ? GetWindowLongPtrW(foreign, GWLP_WNDPROC) : 0;
    ProbeWnd probe;
    const bool attached = probe.SubclassWindow(foreign);
    const bool procedureKept = foreign && GetWindowLongPtrW(foreign, GWLP_WNDPROC) == procedure;
    probe.UnsubclassWindow();
    checked.set_value();
    owner.join();

    ASSERT_NE(foreign, nullptr);
    EXPECT_FALSE(attached) << "its messages arrive on its own thread, which has its own table";
    EXPECT_TRUE(procedureKept);
}

// Only the window's thread may end an attachment: another thread's attempt
// (a debug assertion; these tests are release builds) leaves it as it was.
TEST(WindowTable, EndFromAnotherThreadIsRefusedAndChangesNothing)
{
    ProbeWnd probe;
    std::promise<HWND> attached;
    std::promise<void> tried;
    LRESULT answer = 0;
    bool forgotten = false;
    std::thread owner([&] {
        HWND hwnd = createRecordingWindow();
        attached.set_value(probe.SubclassWindow(hwnd) ? hwnd : nullptr);
        tried.get_future().wait();
        answer = SendMessageW(hwnd, WM_APP + 10, 0, 0);
        DestroyWindow(hwnd);
        forgotten = probe.GetSafeHwnd() == nullptr && attachedObject(hwnd) == nullptr;
    });
    const HWND hwnd = attached.get_future().get();
    const HWND ended = probe.UnsubclassWindow();
    const HWND kept = probe.GetSafeHwnd();
    tried.set_value();
    owner.join();

    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(ended, nullptr);
    EXPECT_EQ(kept, hwnd);
    EXPECT_EQ(answer, 42) << "the object still answers on the window's thread";
    EXPECT_TRUE(forgotten) << "and lets go when the window goes";
}

WNDPROC g_beforeLater = nullptr;

LRESULT CALLBACK laterSubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return CallWindowProcW(g_beforeLater, hwnd, message, wParam, lParam);
}

TEST(WindowTable, ObjectGoneUnderALaterSubclassKeepsTheWindowItsBehaviour)
{
    HWND hwnd = createRecordingWindow();
    ASSERT_NE(hwnd, nullptr);
    {
        ProbeWnd probe;
        ASSERT_TRUE(probe.SubclassWindow(hwnd));
        g_beforeLater = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&laterSubclassProc)));
        ASSERT_NE(g_beforeLater, nullptr);
    }
    EXPECT_EQ(GetWindowLongPtrW(hwnd, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&laterSubclassProc))
        << "the later procedure is left in place";
    EXPECT_EQ(attachedObject(hwnd), nullptr);
    EXPECT_EQ(SendMessageW(hwnd, WM_APP + 10, 0, 0), 1010) << "through ours to the original";
    ProbeWnd next;
    EXPECT_FALSE(next.SubclassWindow(hwnd)) << "ours is still chained in";
    g_originalSaw.clear();
    DestroyWindow(hwnd);
    EXPECT_TRUE(originalSaw(WM_NCDESTROY));
}

// ---- Modal dialogs driven by messages they post to themselves --------------

constexpr UINT kEndRequest = WM_APP + 1;  // wParam: the dialog's result; lParam: re-posts first
constexpr UINT kNestRequest = WM_APP + 2;
constexpr UINT kProbeRequest = WM_APP + 3;
constexpr UINT kOuterRequest = WM_APP + 4;  // handled; sends kInnerRequest, also handled
constexpr UINT kInnerRequest = WM_APP + 5;
constexpr UINT_PTR kWatchdogTimer = 77;
constexpr INT_PTR kWatchdogResult = -77;

constexpr std::array<int, 2> kButtonIds = {IDC_TEST_BUTTON_A, IDC_TEST_BUTTON_B};
constexpr std::array<int, 1> kComboIds = {IDC_TEST_COMBO};
constexpr std::array<int, 1> kButtonAIds = {IDC_TEST_BUTTON_A};
constexpr std::array<int, 1> kButtonBIds = {IDC_TEST_BUTTON_B};

Message command(int id, UINT code)
{
    return {WM_COMMAND, MAKEWPARAM(id, code), 0};
}

// As a control sends it: with its window (any will do; nothing reads it).
Message fromControl(Message m)
{
    m.lParam = reinterpret_cast<LPARAM>(GetDesktopWindow());
    return m;
}

// Re-posted a few times, so that what the system posts in answer to the
// earlier script messages comes first.
Message endWith(INT_PTR result)
{
    return {kEndRequest, static_cast<WPARAM>(result), 3};
}

// Ends a stuck dialog rather than hang, also when its tables no longer see messages.
void CALLBACK endStuckDialog(HWND hwnd, UINT, UINT_PTR, DWORD)
{
    ::EndDialog(hwnd, kWatchdogResult);
}

// Posts its script once it exists and records which handler answered.
class ScriptedDialog : public CDialogEx<ScriptedDialog> {
public:
    explicit ScriptedDialog(UINT templateId = IDD_TEST_COMMANDS, CWnd* parent = nullptr)
        : CDialogEx(templateId, parent)
    {
    }

    std::vector<Message> script;
    std::vector<std::string> log;
    HWND ownerAtInit = nullptr;
    bool absentItemIsNull = false;
    bool presentItemFound = false;

    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        ownerAtInit = ::GetWindow(m_hWnd, GW_OWNER);
        absentItemIsNull = GetDlgItem(IDC_TEST_ABSENT) == nullptr;
        presentItemFound = GetDlgItem(IDC_TEST_COMBO) != nullptr;
        SetTimer(m_hWnd, kWatchdogTimer, kEventTimeoutMs, endStuckDialog);
        for (const auto& m : script)
            PostMessageW(m_hWnd, m.message, m.wParam, m.lParam);
        return TRUE;
    }

    static MessageTable messageTable();

protected:
    HandlerResult onButton(const Message& m)
    {
        log.push_back("base button " + std::to_string(m.commandId()));
        return 0;
    }
    HandlerResult onSelChange(const Message& m)
    {
        log.push_back("selchange " + std::to_string(m.commandId()));
        return 0;
    }
    HandlerResult onEndRequest(const Message& m)
    {
        if (m.lParam > 0)
            PostMessageW(m_hWnd, kEndRequest, m.wParam, m.lParam - 1);
        else
            EndDialog(static_cast<int>(m.wParam));
        return 0;
    }
};

MessageTable ScriptedDialog::messageTable()
{
    static const MessageEntry rows[] = {
        onCommand<ScriptedDialog>(BN_CLICKED, kButtonIds, &ScriptedDialog::onButton),
        onCommand<ScriptedDialog>(CBN_SELCHANGE, kComboIds, &ScriptedDialog::onSelChange),
        onMessage<ScriptedDialog>(kEndRequest, &ScriptedDialog::onEndRequest),
    };
    return rows;
}

TEST(DialogTable, DispatchesClicksAndSelectionChangesByIdAndNotification)
{
    ScriptedDialog dialog;
    dialog.script = {
        command(IDC_TEST_BUTTON_A, BN_CLICKED),
        command(IDC_TEST_COMBO, CBN_SELCHANGE),
        command(IDC_TEST_COMBO, CBN_DROPDOWN),     // no entry for this code
        command(IDC_TEST_ABSENT, BN_CLICKED),      // no entry for this id
        command(IDC_TEST_BUTTON_B, BN_CLICKED),
        endWith(7),
    };
    EXPECT_EQ(dialog.DoModal(), 7);
    EXPECT_EQ(dialog.log, (std::vector<std::string>{"base button 1100", "selchange 1102", "base button 1101"}));
    EXPECT_TRUE(dialog.absentItemIsNull);
    EXPECT_TRUE(dialog.presentItemFound);
    EXPECT_EQ(dialog.GetSafeHwnd(), nullptr) << "the window is gone when DoModal returns";
    EXPECT_EQ(dialog.GetDlgItem(IDC_TEST_COMBO), nullptr);
}

class DerivedDialog : public WithMessageTable<DerivedDialog, ScriptedDialog> {
public:
    static MessageTable messageTable();

private:
    HandlerResult onButtonA(const Message&)
    {
        log.push_back("derived A");
        return 0;
    }
    HandlerResult onButtonBPeek(const Message&)
    {
        log.push_back("derived B declines");
        return std::nullopt;
    }
};

MessageTable DerivedDialog::messageTable()
{
    static const MessageEntry rows[] = {
        onCommand<DerivedDialog>(BN_CLICKED, kButtonAIds, &DerivedDialog::onButtonA),
        onCommand<DerivedDialog>(BN_CLICKED, kButtonBIds, &DerivedDialog::onButtonBPeek),
    };
    return rows;
}

TEST(DialogTable, DerivedEntryWinsAndDeclinedMessageReachesTheBase)
{
    DerivedDialog dialog;
    dialog.script = {
        command(IDC_TEST_BUTTON_A, BN_CLICKED),
        command(IDC_TEST_BUTTON_B, BN_CLICKED),
        command(IDC_TEST_COMBO, CBN_SELCHANGE),
        endWith(9),
    };
    EXPECT_EQ(dialog.DoModal(), 9);
    EXPECT_EQ(dialog.log,
              (std::vector<std::string>{"derived A", "derived B declines", "base button 1101", "selchange 1102"}));
}

TEST(DialogTable, OkAndCancelCommandsEndTheDialog)
{
    struct Case {
        const char* what;
        Message message;
        INT_PTR expected;
    };
    const Case cases[] = {
        {"Enter or the OK button (BN_CLICKED is 0)", command(IDOK, BN_CLICKED), IDOK},
        {"Escape or a menu", command(IDCANCEL, 0), IDCANCEL},
        {"accelerator", command(IDCANCEL, 1), IDCANCEL},
        {"close box", {WM_CLOSE, 0, 0}, IDCANCEL},
        {"system menu Close", {WM_SYSCOMMAND, SC_CLOSE, 0}, IDCANCEL},
        {"a control's notification 1", fromControl(command(IDCANCEL, CBN_SELCHANGE)), 55},
        {"a control's focus", fromControl(command(IDOK, BN_SETFOCUS)), 55},
    };
    for (const auto& c : cases) {
        ScriptedDialog dialog;
        dialog.script = {c.message, endWith(55)};
        EXPECT_EQ(dialog.DoModal(), c.expected) << c.what;
    }
}

// The test template's OK button has BS_NOTIFY: it reports taking and losing
// the focus with its id, and neither is the OK command; a click still is.
class FocusingDialog : public WithMessageTable<FocusingDialog, ScriptedDialog> {
public:
    bool click = false;

    BOOL OnInitDialog() override
    {
        ScriptedDialog::OnInitDialog();
        const HWND ok = GetDlgItem(IDOK);
        for (HWND control : {ok, GetDlgItem(IDC_TEST_BUTTON_A)})
            PostMessageW(m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
        if (click)
            PostMessageW(ok, BM_CLICK, 0, 0);
        return TRUE;
    }
    static MessageTable messageTable();

private:
    HandlerResult onOkFocus(const Message& m)
    {
        log.push_back(m.notifyCode() == BN_SETFOCUS ? "focus" : "focus lost");
        return std::nullopt;
    }
};

constexpr std::array<int, 1> kOkIds = {IDOK};

MessageTable FocusingDialog::messageTable()
{
    static const MessageEntry rows[] = {
        onCommand<FocusingDialog>(BN_SETFOCUS, kOkIds, &FocusingDialog::onOkFocus),
        onCommand<FocusingDialog>(BN_KILLFOCUS, kOkIds, &FocusingDialog::onOkFocus),
    };
    return rows;
}

TEST(DialogTable, OkButtonsFocusNotificationsAreNoOkCommand)
{
    FocusingDialog focused;
    focused.script = {endWith(55)};
    EXPECT_EQ(focused.DoModal(), 55);
    EXPECT_EQ(focused.log, (std::vector<std::string>{"focus", "focus lost"}));

    FocusingDialog clicked;
    clicked.click = true;
    clicked.script = {endWith(55)};
    EXPECT_EQ(clicked.DoModal(), IDOK);
    EXPECT_EQ(clicked.log, (std::vector<std::string>{"focus", "focus lost", "focus", "focus lost"}))
        << "the click focuses it, and the window's end takes the focus away";
}

TEST(DialogTable, OverriddenOnCancelRunsForTheCancelCommand)
{
    class Stubborn : public ScriptedDialog {
    public:
        void OnCancel() override { log.push_back("cancel refused"); }
    } dialog;
    dialog.script = {command(IDCANCEL, 0), endWith(4)};
    EXPECT_EQ(dialog.DoModal(), 4);
    EXPECT_EQ(dialog.log, std::vector<std::string>{"cancel refused"});
}

TEST(DoModal, MissingTemplateGivesMinusOneAndTheObjectStaysUsable)
{
    ScriptedDialog missing(IDD_TEST_MISSING);
    EXPECT_EQ(missing.DoModal(), -1);
    EXPECT_EQ(missing.GetSafeHwnd(), nullptr);

    ScriptedDialog twice;
    twice.script = {endWith(1)};
    EXPECT_EQ(twice.DoModal(), 1);
    EXPECT_EQ(twice.DoModal(), 1) << "a dialog object can run again";
}

// A window that another object took before the dialog's own procedure could:
// the dialog object cannot attach, so no table of its own would end it.
ProbeWnd* g_takerOfNextWindow = nullptr;
HHOOK g_takeHook = nullptr;

LRESULT CALLBACK takeNextWindow(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND && g_takerOfNextWindow) {
        g_takerOfNextWindow->SubclassWindow(reinterpret_cast<HWND>(wParam));
        g_takerOfNextWindow = nullptr;
    }
    return CallNextHookEx(g_takeHook, code, wParam, lParam);
}

ProbeWnd* g_stuckWindow = nullptr;

void CALLBACK endStuckTakenDialog(HWND, UINT, UINT_PTR, DWORD)
{
    if (g_stuckWindow && g_stuckWindow->GetSafeHwnd())
        ::EndDialog(g_stuckWindow->GetSafeHwnd(), kWatchdogResult);
}

TEST(DoModal, DialogItsObjectCannotAttachEndsWithMinusOne)
{
    ProbeWnd taker;
    g_takerOfNextWindow = g_stuckWindow = &taker;
    g_takeHook = SetWindowsHookExW(WH_CBT, takeNextWindow, nullptr, GetCurrentThreadId());
    ASSERT_NE(g_takeHook, nullptr);
    const UINT_PTR watchdog = SetTimer(nullptr, 0, kEventTimeoutMs, endStuckTakenDialog);
    ScriptedDialog dialog;
    const INT_PTR result = dialog.DoModal();
    KillTimer(nullptr, watchdog);
    UnhookWindowsHookEx(g_takeHook);
    g_stuckWindow = nullptr;

    EXPECT_EQ(g_takerOfNextWindow, nullptr) << "the dialog window was taken";
    EXPECT_EQ(result, -1);
    EXPECT_EQ(taker.GetSafeHwnd(), nullptr) << "the window is gone";
    EXPECT_EQ(dialog.GetSafeHwnd(), nullptr);
}

// Handlers answer with their own value, also for messages a dialog procedure
// would have to return directly; unhandled ones keep the system's answer.
class AnsweringDialog : public WithMessageTable<AnsweringDialog, ScriptedDialog> {
public:
    LRESULT dragIconAnswer = 0;
    LRESULT brushAnswer = 0;
    LRESULT outerAnswer = 0;
    LRESULT captionLength = 0;
    BOOL paintedAway = FALSE;
    int paints = 0;

    BOOL OnInitDialog() override
    {
        ScriptedDialog::OnInitDialog();
        PostMessageW(m_hWnd, kProbeRequest, 0, 0);  // once the dialog shows
        return TRUE;
    }
    static MessageTable messageTable();

private:
    HandlerResult onProbe(const Message&)
    {
        dragIconAnswer = SendMessageW(m_hWnd, WM_QUERYDRAGICON, 0, 0);
        brushAnswer = SendMessageW(m_hWnd, WM_CTLCOLORSTATIC, 0, reinterpret_cast<LPARAM>(GetDlgItem(IDC_TEST_COMBO)));
        outerAnswer = SendMessageW(m_hWnd, kOuterRequest, 0, 0);
        captionLength = SendMessageW(m_hWnd, WM_GETTEXTLENGTH, 0, 0);
        InvalidateRect(nullptr, TRUE);
        UpdateWindow();
        paintedAway = !GetUpdateRect(m_hWnd, nullptr, FALSE);
        EndDialog(5);
        return 0;
    }
    HandlerResult onQueryDragIcon(const Message&) { return 0x1234; }
    HandlerResult onCtlColor(const Message&) { return reinterpret_cast<LRESULT>(GetStockObject(GRAY_BRUSH)); }
    HandlerResult onOuter(const Message&) { return SendMessageW(m_hWnd, kInnerRequest, 0, 0) + 1; }
    HandlerResult onInner(const Message&) { return 20; }
    HandlerResult onPaint(const Message&)
    {
        ++paints;
        return Default();
    }
};

MessageTable AnsweringDialog::messageTable()
{
    static const MessageEntry rows[] = {
        onMessage<AnsweringDialog>(WM_QUERYDRAGICON, &AnsweringDialog::onQueryDragIcon),
        onMessage<AnsweringDialog>(WM_CTLCOLORSTATIC, &AnsweringDialog::onCtlColor),
        onMessage<AnsweringDialog>(kOuterRequest, &AnsweringDialog::onOuter),
        onMessage<AnsweringDialog>(kInnerRequest, &AnsweringDialog::onInner),
        onMessage<AnsweringDialog>(WM_PAINT, &AnsweringDialog::onPaint),
        onMessage<AnsweringDialog>(kProbeRequest, &AnsweringDialog::onProbe),
    };
    return rows;
}

TEST(DialogTable, HandlerResultsAreTheMessageResultsAndOnPaintPaints)
{
    AnsweringDialog dialog;
    EXPECT_EQ(dialog.DoModal(), 5);
    EXPECT_EQ(dialog.dragIconAnswer, 0x1234);
    EXPECT_EQ(dialog.brushAnswer, reinterpret_cast<LRESULT>(GetStockObject(GRAY_BRUSH))) << "a control colour's brush";
    EXPECT_EQ(dialog.outerAnswer, 21) << "its own result, not the nested message's";
    EXPECT_EQ(dialog.captionLength, 8) << "\"Commands\" through the default processing";
    EXPECT_GE(dialog.paints, 1);
    EXPECT_TRUE(dialog.paintedAway) << "the base painting validated the window";
}

// A subclassed child that a dialog handler destroys: forgotten at once, and
// the dialog's own entry stays.
class ChildDestroyingDialog : public WithMessageTable<ChildDestroyingDialog, ScriptedDialog> {
public:
    ProbeWnd child;
    HWND childWindow = nullptr;
    bool childForgotten = false;
    bool dialogKept = false;

    BOOL OnInitDialog() override
    {
        childWindow = GetDlgItem(IDC_TEST_COMBO);
        child.SubclassWindow(childWindow);
        return ScriptedDialog::OnInitDialog();
    }
    static MessageTable messageTable();

private:
    HandlerResult onProbe(const Message&)
    {
        DestroyWindow(childWindow);
        childForgotten = child.GetSafeHwnd() == nullptr && attachedObject(childWindow) == nullptr;
        dialogKept = attachedObject(m_hWnd) == this;
        return 0;
    }
};

MessageTable ChildDestroyingDialog::messageTable()
{
    static const MessageEntry rows[] = {
        onMessage<ChildDestroyingDialog>(kProbeRequest, &ChildDestroyingDialog::onProbe),
    };
    return rows;
}

TEST(DialogTable, SubclassedChildDestroyedByAHandlerIsForgottenWhileTheDialogGoesOn)
{
    ChildDestroyingDialog dialog;
    dialog.script = {{kProbeRequest, 0, 0}, command(IDC_TEST_BUTTON_A, BN_CLICKED), endWith(6)};
    EXPECT_EQ(dialog.DoModal(), 6);
    EXPECT_TRUE(dialog.childForgotten);
    EXPECT_TRUE(dialog.dialogKept);
    EXPECT_EQ(dialog.log, std::vector<std::string>{"base button 1100"});
}

// Opens a second dialog from a handler, as the About box and Tools dialog are.
class NestingDialog : public WithMessageTable<NestingDialog, ScriptedDialog> {
public:
    bool withParent = false;
    bool innerOwnedByThis = false;
    bool innerOwned = false;
    INT_PTR innerResult = 0;
    static MessageTable messageTable();

private:
    HandlerResult onNest(const Message&)
    {
        ScriptedDialog inner(IDD_TEST_COMMANDS, withParent ? this : nullptr);
        inner.script = {endWith(12)};
        innerResult = inner.DoModal();
        innerOwned = inner.ownerAtInit != nullptr;
        innerOwnedByThis = inner.ownerAtInit == m_hWnd;
        EndDialog(11);
        return 0;
    }
};

MessageTable NestingDialog::messageTable()
{
    static const MessageEntry rows[] = {
        onMessage<NestingDialog>(kNestRequest, &NestingDialog::onNest),
    };
    return rows;
}

TEST(DoModal, OwnerIsTheParentElseTheApplicationsMainWindow)
{
    CWinApp app;
    ASSERT_EQ(CWinApp::current(), &app);
    struct Case {
        bool withParent;
        bool outerIsMainWindow;
        bool ownedByOuter;
    };
    const Case cases[] = {{true, false, true}, {false, true, true}, {false, false, false}};
    for (const auto& c : cases) {
        NestingDialog outer;
        outer.withParent = c.withParent;
        outer.script = {{kNestRequest, 0, 0}};
        app.m_pMainWnd = c.outerIsMainWindow ? &outer : nullptr;
        EXPECT_EQ(outer.DoModal(), 11);
        EXPECT_EQ(outer.innerResult, 12);
        EXPECT_EQ(outer.innerOwned, c.ownedByOuter) << "parent " << c.withParent << " main " << c.outerIsMainWindow;
        EXPECT_EQ(outer.innerOwnedByThis, c.ownedByOuter);
        EXPECT_EQ(outer.ownerAtInit, nullptr) << "the main window itself has no owner";
    }
    app.m_pMainWnd = nullptr;
}

// The dialog's own procedure is its only entry: no subclass. A handler's
// Default() runs the system's dialog processing, which may send the dialog
// further messages that the tables see; a Default() called from in there
// still reaches the system (the system menu's Close ends the dialog).
class DefaultingDialog : public WithMessageTable<DefaultingDialog, ScriptedDialog> {
public:
    HWND window = nullptr;
    bool subclassed = true;
    LRESULT textLength = 0;

    BOOL OnInitDialog() override
    {
        window = m_hWnd;
        subclassed = GetWindowLongPtrW(m_hWnd, GWLP_WNDPROC) != static_cast<LONG_PTR>(GetClassLongPtrW(m_hWnd, GCLP_WNDPROC));
        return ScriptedDialog::OnInitDialog();
    }
    static MessageTable messageTable();

private:
    HandlerResult onProbe(const Message&)
    {
        log.push_back("probe");
        textLength = SendMessageW(m_hWnd, WM_GETTEXTLENGTH, 0, 0);
        return 0;
    }
    HandlerResult onTextLength(const Message&) { return Default() + 100; }
    HandlerResult onSysCommand(const Message&)
    {
        log.push_back("syscommand");
        return Default();  // the system's Close sends WM_CLOSE from in here
    }
    HandlerResult onClose(const Message&)
    {
        log.push_back("close");
        return Default();
    }
};

MessageTable DefaultingDialog::messageTable()
{
    static const MessageEntry rows[] = {
        onMessage<DefaultingDialog>(kProbeRequest, &DefaultingDialog::onProbe),
        onMessage<DefaultingDialog>(WM_GETTEXTLENGTH, &DefaultingDialog::onTextLength),
        onMessage<DefaultingDialog>(WM_SYSCOMMAND, &DefaultingDialog::onSysCommand),
        onMessage<DefaultingDialog>(WM_CLOSE, &DefaultingDialog::onClose),
    };
    return rows;
}

TEST(DialogProcedure, OneEntryPerMessageAndDefaultNestsThroughTheTables)
{
    DefaultingDialog dialog;
    dialog.script = {{kProbeRequest, 0, 0}, {WM_SYSCOMMAND, SC_CLOSE, 0}, endWith(3)};
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_FALSE(dialog.subclassed);
    EXPECT_EQ(dialog.textLength, 108) << "\"Commands\" plus the handler's own";
    EXPECT_EQ(dialog.log, (std::vector<std::string>{"probe", "syscommand", "close"}));
    ASSERT_NE(dialog.window, nullptr);
    EXPECT_EQ(attachedObject(dialog.window), nullptr) << "forgotten with the window";
}

TEST(AfxWinMain, RunsInitInstanceOnceAndEndsWithZero)
{
    EXPECT_EQ(CWinApp::current(), nullptr);
    EXPECT_EQ(AfxWinMain(), -1) << "no application object";
    struct CountingApp : CWinApp {
        int calls = 0;
        BOOL InitInstance() override
        {
            ++calls;
            return FALSE;
        }
    } app;
    EXPECT_EQ(AfxWinMain(), 0);
    EXPECT_EQ(app.calls, 1);
}

}  // namespace
