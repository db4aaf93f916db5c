// Modal dialogs: their tables, their OK and Cancel ends, DoModal and the
// dialog procedure.
#include "framework/DialogEx.h"
#include "framework/WinApp.h"
#include "tests/support/Wait.h"
#include "tests/win/TestResource.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// ---- Modal dialogs driven by messages they post to themselves --------------

constexpr UINT kEndRequest = WM_APP + 1;  // wParam: the dialog's result; lParam: re-posts first
constexpr UINT kNestRequest = WM_APP + 2;
constexpr UINT kProbeRequest = WM_APP + 3;
constexpr UINT kOuterRequest = WM_APP + 4;  // handled; sends kInnerRequest, also handled
constexpr UINT kInnerRequest = WM_APP + 5;
constexpr UINT_PTR kWatchdogTimer = 77;
constexpr INT_PTR kWatchdogResult = -77;

constexpr std::array<int, 2> kButtonIds = {IDC_TEST_BUTTON_A, IDC_TEST_BUTTON_B};

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

    static constexpr auto messageTable()
    {
        using D = ScriptedDialog;
        return messageRows<D>(onCommand(BN_CLICKED, kButtonIds, &D::onButton),
                              onCommand(CBN_SELCHANGE, IDC_TEST_COMBO, &D::onSelChange),
                              onMessage<kEndRequest>(&D::onEndRequest));
    }

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
    static constexpr auto messageTable()
    {
        return messageRows<DerivedDialog>(onCommand(BN_CLICKED, IDC_TEST_BUTTON_A, &DerivedDialog::onButtonA),
                                          onCommand(BN_CLICKED, IDC_TEST_BUTTON_B, &DerivedDialog::onButtonBPeek));
    }

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
    static constexpr auto messageTable()
    {
        return messageRows<FocusingDialog>(onCommand(BN_SETFOCUS, IDOK, &FocusingDialog::onOkFocus),
                                           onCommand(BN_KILLFOCUS, IDOK, &FocusingDialog::onOkFocus));
    }

private:
    HandlerResult onOkFocus(const Message& m)
    {
        log.push_back(m.notifyCode() == BN_SETFOCUS ? "focus" : "focus lost");
        return std::nullopt;
    }
};

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
CWnd* g_takerOfNextWindow = nullptr;
HHOOK g_takeHook = nullptr;

LRESULT CALLBACK takeNextWindow(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND && g_takerOfNextWindow) {
        g_takerOfNextWindow->SubclassWindow(reinterpret_cast<HWND>(wParam));
        g_takerOfNextWindow = nullptr;
    }
    return CallNextHookEx(g_takeHook, code, wParam, lParam);
}

CWnd* g_stuckWindow = nullptr;

void CALLBACK endStuckTakenDialog(HWND, UINT, UINT_PTR, DWORD)
{
    if (g_stuckWindow && g_stuckWindow->GetSafeHwnd())
        ::EndDialog(g_stuckWindow->GetSafeHwnd(), kWatchdogResult);
}

TEST(DoModal, DialogItsObjectCannotAttachEndsWithMinusOne)
{
    CWnd taker;
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
    static constexpr auto messageTable()
    {
        using D = AnsweringDialog;
        return messageRows<D>(onMessage<WM_QUERYDRAGICON>(&D::onQueryDragIcon),
                              onMessage<WM_CTLCOLORSTATIC>(&D::onCtlColor), onMessage<kOuterRequest>(&D::onOuter),
                              onMessage<kInnerRequest>(&D::onInner), onMessage<WM_PAINT>(&D::onPaint),
                              onMessage<kProbeRequest>(&D::onProbe));
    }

private:
    HandlerResult onProbe(const Message&)
    {
        dragIconAnswer = SendMessageW(m_hWnd, WM_QUERYDRAGICON, 0, 0);
        brushAnswer = SendMessageW(m_hWnd, WM_CTLCOLORSTATIC, 0, reinterpret_cast<LPARAM>(GetDlgItem(IDC_TEST_COMBO)));
        outerAnswer = SendMessageW(m_hWnd, kOuterRequest, 0, 0);
        captionLength = SendMessageW(m_hWnd, WM_GETTEXTLENGTH, 0, 0);
        ::InvalidateRect(m_hWnd, nullptr, TRUE);
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
        return std::nullopt;  // the system's dialog painting
    }
};

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
// the dialog's own table still answers.
class ChildDestroyingDialog : public WithMessageTable<ChildDestroyingDialog, ScriptedDialog> {
public:
    CWnd child;
    HWND childWindow = nullptr;
    bool childForgotten = false;

    BOOL OnInitDialog() override
    {
        childWindow = GetDlgItem(IDC_TEST_COMBO);
        child.SubclassWindow(childWindow);
        return ScriptedDialog::OnInitDialog();
    }
    static constexpr auto messageTable()
    {
        return messageRows<ChildDestroyingDialog>(onMessage<kProbeRequest>(&ChildDestroyingDialog::onProbe));
    }

private:
    HandlerResult onProbe(const Message&)
    {
        DestroyWindow(childWindow);
        childForgotten = child.GetSafeHwnd() == nullptr;
        return 0;
    }
};

TEST(DialogTable, SubclassedChildDestroyedByAHandlerIsForgottenWhileTheDialogGoesOn)
{
    ChildDestroyingDialog dialog;
    dialog.script = {{kProbeRequest, 0, 0}, command(IDC_TEST_BUTTON_A, BN_CLICKED), endWith(6)};
    EXPECT_EQ(dialog.DoModal(), 6);
    EXPECT_TRUE(dialog.childForgotten);
    EXPECT_EQ(dialog.log, std::vector<std::string>{"base button 1100"});
}

// Opens a second dialog from a handler, as the About box and Tools dialog are.
class NestingDialog : public WithMessageTable<NestingDialog, ScriptedDialog> {
public:
    bool withParent = false;
    bool innerOwnedByThis = false;
    bool innerOwned = false;
    INT_PTR innerResult = 0;
    static constexpr auto messageTable()
    {
        return messageRows<NestingDialog>(onMessage<kNestRequest>(&NestingDialog::onNest));
    }

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

// The dialog's own procedure is its only entry: no subclass. A message its
// handlers pass on gets the system's dialog processing, which may send the
// dialog further messages that the tables see: the system menu's Close sends
// WM_CLOSE, whose processing sends the Cancel command, which ends the dialog.
class PassingOnDialog : public WithMessageTable<PassingOnDialog, ScriptedDialog> {
public:
    HWND window = nullptr;
    bool subclassed = true;

    BOOL OnInitDialog() override
    {
        window = m_hWnd;
        subclassed = GetWindowLongPtrW(m_hWnd, GWLP_WNDPROC) != static_cast<LONG_PTR>(GetClassLongPtrW(m_hWnd, GCLP_WNDPROC));
        return ScriptedDialog::OnInitDialog();
    }
    static constexpr auto messageTable()
    {
        return messageRows<PassingOnDialog>(onMessage<WM_SYSCOMMAND>(&PassingOnDialog::onPassOn),
                                            onMessage<WM_CLOSE>(&PassingOnDialog::onPassOn));
    }

private:
    HandlerResult onPassOn(const Message& m)
    {
        log.push_back(m.message == WM_CLOSE ? "close" : "syscommand");
        return std::nullopt;
    }
};

TEST(DialogProcedure, OneEntryPerMessageAndPassedOnMessagesReachTheSystem)
{
    PassingOnDialog dialog;
    dialog.script = {{WM_SYSCOMMAND, SC_CLOSE, 0}, endWith(3)};
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_FALSE(dialog.subclassed);
    EXPECT_EQ(dialog.log, (std::vector<std::string>{"syscommand", "close"}));
    ASSERT_NE(dialog.window, nullptr);
    EXPECT_FALSE(IsWindow(dialog.window));
    EXPECT_EQ(dialog.GetSafeHwnd(), nullptr) << "forgotten with the window";
}

}  // namespace
