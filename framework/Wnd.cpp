#include "framework/Wnd.h"

#include <unordered_map>

// Which object each window of this thread is attached to, and how. Messages
// come to a window on the thread that created it, so the table is per thread
// and needs no lock; a lookup is a hash probe, where a window property would be
// a request to the window server on every message.
struct WindowLink {
    CWnd* object;      // nullptr: the object went while another procedure still calls ours
    WNDPROC original;  // the procedure a subclass sits on; nullptr: the object is the dialog's procedure

    bool subclassed() const { return original != nullptr; }
};

namespace {

// Entries stay where they are until erased: objects keep pointers to theirs.
using LinkTable = std::unordered_map<HWND, WindowLink>;

// Made at a thread's first attachment and freed when its last window lets go:
// a thread_local object with a destructor would need the runtime's thread-exit
// hooks, which import more than the oldest systems the launcher loads on have.
thread_local LinkTable* t_links = nullptr;

LinkTable& threadLinks()
{
    if (!t_links)
        t_links = new LinkTable;
    return *t_links;
}

WindowLink* linkOf(HWND hwnd)
{
    if (!t_links)
        return nullptr;
    const auto found = t_links->find(hwnd);
    return found == t_links->end() ? nullptr : &found->second;
}

void forgetLink(HWND hwnd)
{
    if (!t_links)
        return;
    t_links->erase(hwnd);
    if (t_links->empty()) {
        delete t_links;
        t_links = nullptr;
    }
}

bool ownedByThisThread(HWND hwnd)
{
    return GetWindowThreadProcessId(hwnd, nullptr) == GetCurrentThreadId();
}

WNDPROC installedProcedure(HWND hwnd)
{
    return reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hwnd, GWLP_WNDPROC));
}

// Messages whose result a dialog procedure returns itself; the others go
// through DWLP_MSGRESULT.
bool resultReturnedDirectly(UINT message)
{
    return (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) || message == WM_COMPAREITEM ||
           message == WM_VKEYTOITEM || message == WM_CHARTOITEM || message == WM_QUERYDRAGICON;
}

}  // namespace

CWnd::~CWnd()
{
    UnsubclassWindow();
}

HWND CWnd::GetDlgItem(int id) const
{
    return m_hWnd ? ::GetDlgItem(m_hWnd, id) : nullptr;
}

BOOL CWnd::SetWindowTextW(LPCWSTR text)
{
    return ::SetWindowTextW(m_hWnd, text);
}

BOOL CWnd::UpdateWindow()
{
    return ::UpdateWindow(m_hWnd);
}

int CWnd::GetDlgCtrlID() const
{
    return ::GetDlgCtrlID(m_hWnd);
}

HWND CWnd::GetParent() const
{
    return m_hWnd ? ::GetParent(m_hWnd) : nullptr;
}

bool CWnd::canAttach(HWND hwnd) const
{
    // An entry without an object is an earlier subclass still chained in.
    return hwnd && !m_link && IsWindow(hwnd) && ownedByThisThread(hwnd) && !linkOf(hwnd);
}

void CWnd::attach(HWND hwnd, WNDPROC original)
{
    m_link = &threadLinks().emplace(hwnd, WindowLink{this, original}).first->second;
    m_hWnd = hwnd;
}

bool CWnd::SubclassWindow(HWND hwnd)
{
    // Checked first: a refused window keeps its procedure.
    if (!canAttach(hwnd))
        return false;
    const LONG_PTR previous =
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::subclassProc));
    if (previous == 0)
        return false;
    attach(hwnd, reinterpret_cast<WNDPROC>(previous));
    return true;
}

bool CWnd::attachAsDialogProcedure(HWND hwnd)
{
    if (!canAttach(hwnd))
        return false;
    attach(hwnd, nullptr);
    return true;
}

HWND CWnd::UnsubclassWindow()
{
    const HWND hwnd = m_hWnd;
    if (!m_link)
        return hwnd;
    // Only the window's thread may touch its table, and its procedure may be
    // running this object's handlers right now.
    if (!ownedByThisThread(hwnd))
        return nullptr;
    detach(false);
    return hwnd;
}

CWnd::Release CWnd::releaseFor(bool windowGoing) const
{
    // Only a subclassed window that lives on still calls our procedure.
    if (!m_link->subclassed() || windowGoing || !IsWindow(m_hWnd))
        return Release::Forget;
    // A procedure installed on top of ours holds a pointer to ours, which
    // passes the window's messages on to the original until WM_NCDESTROY
    // (see subclassProc).
    return installedProcedure(m_hWnd) == &CWnd::subclassProc ? Release::RestoreProcedure : Release::Orphan;
}

void CWnd::detach(bool windowGoing)
{
    switch (releaseFor(windowGoing)) {
    case Release::Forget:
        forgetLink(m_hWnd);
        break;
    case Release::RestoreProcedure:
        SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_link->original));
        forgetLink(m_hWnd);
        break;
    case Release::Orphan:
        m_link->object = nullptr;
        break;
    }
    m_hWnd = nullptr;
    m_link = nullptr;
}

template <class Handle>
auto CWnd::dispatch(const Message& msg, Handle handle)
{
    const Message* outer = m_current;  // messages nest (SendMessage from a handler)
    m_current = &msg;
    const auto result = handle();
    m_current = outer;
    if (msg.message == WM_NCDESTROY && m_link)
        detach(true);
    return result;
}

LRESULT CWnd::Default()
{
    if (!m_current || !m_link || !m_link->subclassed())
        return 0;
    const Message& msg = *m_current;
    return CallWindowProcW(m_link->original, m_hWnd, msg.message, msg.wParam, msg.lParam);
}

HandlerResult CWnd::OnWndMsg(const Message&)
{
    return std::nullopt;
}

LRESULT CALLBACK CWnd::subclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    const Message msg{message, wParam, lParam};
    const WindowLink* link = linkOf(hwnd);
    if (link && link->object) {
        CWnd* object = link->object;
        return object->dispatch(msg, [&] {
            const HandlerResult result = object->OnWndMsg(msg);
            return result ? *result : object->Default();
        });
    }
    // Orphaned: the object went away while another procedure was chained
    // after ours. Keep the window's own behaviour.
    if (link && link->subclassed()) {
        const WNDPROC original = link->original;
        if (message == WM_NCDESTROY)
            forgetLink(hwnd);
        return CallWindowProcW(original, hwnd, message, wParam, lParam);
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

INT_PTR CWnd::dialogProcedureMessage(HWND hwnd, const Message& msg)
{
    const WindowLink* link = linkOf(hwnd);
    CWnd* object = link && !link->subclassed() ? link->object : nullptr;
    if (!object)
        return FALSE;  // before WM_INITDIALOG, after the object let go, or taken by a subclass
    const HandlerResult result = object->dispatch(msg, [&] { return object->OnWndMsg(msg); });
    if (!result)
        return FALSE;
    if (resultReturnedDirectly(msg.message))
        return static_cast<INT_PTR>(*result);
    SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, *result);
    return TRUE;
}
