// Message tables on subclassed windows, and which object each window of a
// thread is attached to, from the first message to either end.
#include "framework/DialogEx.h"
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

class ProbeWnd : public WithMessageTable<ProbeWnd, CWnd> {
public:
    std::vector<std::string> log;
    static constexpr auto messageTable()
    {
        return messageRows<ProbeWnd>(onMessage<WM_APP + 10>(&ProbeWnd::onAnswer),
                                     onMessage<WM_APP + 11>(&ProbeWnd::onPeek),
                                     onCommand(BN_CLICKED, 10, &ProbeWnd::onClicked),
                                     onMessage<WM_APP + 13>(&ProbeWnd::onAdjust),
                                     onMessage<WM_APP + 14>(&ProbeWnd::onNested));
    }

protected:
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

// Rows of one message, in one table and the base's: each handler that
// declines passes the message to the next row, then to the base's table.
class DecliningProbeWnd : public WithMessageTable<DecliningProbeWnd, ProbeWnd> {
public:
    static constexpr auto messageTable()
    {
        using W = DecliningProbeWnd;
        return messageRows<W>(onMessage<WM_APP + 10>(&W::onFirst), onMessage<WM_APP + 10>(&W::onSecond),
                              onMessage<WM_APP + 15>(&W::onFirst), onMessage<WM_APP + 15>(&W::onThird));
    }

private:
    HandlerResult onFirst(const Message&)
    {
        log.push_back("first");
        return std::nullopt;
    }
    HandlerResult onSecond(const Message&)
    {
        log.push_back("second");
        return std::nullopt;
    }
    HandlerResult onThird(const Message&) { return 3; }
};

// A row takes a handler of its table's class or of a base, never of another
// class, whose handler would be called on an object not of its class.
struct TableClass : CWnd {
    HandlerResult own(const Message&) { return 0; }
};
struct DerivedTableClass : TableClass {};
struct OtherClass : CWnd {};
static_assert(std::is_convertible_v<MessageRow<TableClass>, MessageRow<DerivedTableClass>>, "a base's handler");
static_assert(!std::is_convertible_v<MessageRow<OtherClass>, MessageRow<TableClass>>, "another class's handler");

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

TEST(Subclass, DeclinedMessageGoesToTheNextRowThenToTheBase)
{
    HWND hwnd = createRecordingWindow();
    ASSERT_NE(hwnd, nullptr);
    DecliningProbeWnd probe;
    ASSERT_TRUE(probe.SubclassWindow(hwnd));
    EXPECT_EQ(SendMessageW(hwnd, WM_APP + 10, 0, 0), 42) << "the base's row";
    EXPECT_EQ(probe.log, (std::vector<std::string>{"first", "second"}));
    probe.log.clear();
    EXPECT_EQ(SendMessageW(hwnd, WM_APP + 15, 0, 0), 3) << "the same table's next row";
    EXPECT_EQ(probe.log, std::vector<std::string>{"first"});
    DestroyWindow(hwnd);
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
    static constexpr auto messageTable() { return messageRows<PlainDialog>(); }
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
    }
    ASSERT_TRUE(survivor.SubclassWindow(hwnd)) << "the object's end detaches it";
    DestroyWindow(hwnd);
    EXPECT_EQ(survivor.GetSafeHwnd(), nullptr) << "forgotten at WM_NCDESTROY";
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
    static constexpr auto messageTable()
    {
        return messageRows<RelayWnd>(onMessage<WM_APP + 20>(&RelayWnd::onRelay),
                                     onMessage<WM_APP + 21>(&RelayWnd::onAnswer));
    }

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
    }
};

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
// is refused and leaves it as it was.
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
        forgotten = probe.GetSafeHwnd() == nullptr;
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
    EXPECT_EQ(SendMessageW(hwnd, WM_APP + 10, 0, 0), 1010) << "through ours to the original";
    ProbeWnd next;
    EXPECT_FALSE(next.SubclassWindow(hwnd)) << "ours is still chained in";
    g_originalSaw.clear();
    DestroyWindow(hwnd);
    EXPECT_TRUE(originalSaw(WM_NCDESTROY));
}

}  // namespace
