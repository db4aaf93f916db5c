#include "framework/Wnd.h"

#include <atomic>
#include <unordered_map>
#include <vector>

namespace {

// Which object each window of this thread is attached to. Messages come to a
// window on the thread that created it, so the table is per thread and needs
// no lock; a lookup is a hash probe, where a window property would be a
// request to the window server on every message.
struct Link {
    CWnd* object;      // nullptr: the object went while another procedure still calls ours
    WNDPROC original;  // a subclassed window's own procedure; nullptr for a dialog procedure
};

using LinkTable = std::unordered_map<HWND, Link>;

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

Link* linkOf(HWND hwnd)
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

// Sent by another thread to a window's thread to end an object's attachment
// there; lParam: the object. Registered on first use (the same string gives
// the same number, so threads racing to it agree).
std::atomic<UINT> g_endRequest{0};

UINT endRequestMessage()
{
    UINT message = g_endRequest.load(std::memory_order_relaxed);
    if (!message) {
        message = RegisterWindowMessageW(L"noxFramework.EndAttachment");
        g_endRequest.store(message, std::memory_order_relaxed);
    }
    return message;
}

constexpr UINT kFirstRegisteredMessage = 0xC000;

// Messages whose result a dialog procedure returns itself; the others go
// through DWLP_MSGRESULT.
bool resultReturnedDirectly(UINT message)
{
    return (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) || message == WM_COMPAREITEM ||
           message == WM_VKEYTOITEM || message == WM_CHARTOITEM || message == WM_QUERYDRAGICON;
}

}  // namespace

const MessageMap CWnd::kMessageMap = {nullptr, nullptr, 0};

CWnd* attachedObject(HWND hwnd)
{
    const Link* link = hwnd ? linkOf(hwnd) : nullptr;
    return link ? link->object : nullptr;
}

CWnd::CWnd(HWND hwnd) : m_hWnd(hwnd) {}

CWnd::~CWnd()
{
    UnsubclassWindow();
}

const MessageMap* CWnd::GetMessageMap() const
{
    return &kMessageMap;
}

HWND CWnd::GetDlgItem(int id) const
{
    return m_hWnd ? ::GetDlgItem(m_hWnd, id) : nullptr;
}

BOOL CWnd::EnableWindow(BOOL enable)
{
    return ::EnableWindow(m_hWnd, enable);
}

BOOL CWnd::SetWindowTextW(LPCWSTR text)
{
    return ::SetWindowTextW(m_hWnd, text);
}

std::wstring CWnd::GetWindowTextW() const
{
    if (!m_hWnd)
        return {};
    const int length = ::GetWindowTextLengthW(m_hWnd);
    if (length <= 0)
        return {};
    std::vector<wchar_t> buffer(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = ::GetWindowTextW(m_hWnd, buffer.data(), length + 1);
    return std::wstring(buffer.data(), copied > 0 ? static_cast<std::size_t>(copied) : 0);
}

BOOL CWnd::UpdateWindow()
{
    return ::UpdateWindow(m_hWnd);
}

BOOL CWnd::InvalidateRect(const RECT* rect, BOOL erase)
{
    return ::InvalidateRect(m_hWnd, rect, erase);
}

int CWnd::GetDlgCtrlID() const
{
    return ::GetDlgCtrlID(m_hWnd);
}

HWND CWnd::GetParent() const
{
    return m_hWnd ? ::GetParent(m_hWnd) : nullptr;
}

bool CWnd::attach(HWND hwnd, Attachment how)
{
    if (!hwnd || m_attachment != Attachment::None || !IsWindow(hwnd) || !ownedByThisThread(hwnd))
        return false;
    // An entry without an object is an earlier subclass still chained in.
    if (linkOf(hwnd))
        return false;
    threadLinks()[hwnd] = Link{this, nullptr};
    m_hWnd = hwnd;
    m_attachment = how;
    return true;
}

bool CWnd::SubclassWindow(HWND hwnd)
{
    // Checked and registered first: a refused window keeps its procedure.
    if (!attach(hwnd, Attachment::Subclass))
        return false;
    const LONG_PTR previous =
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::subclassProc));
    if (previous == 0) {
        forgetLink(hwnd);
        m_hWnd = nullptr;
        m_attachment = Attachment::None;
        return false;
    }
    linkOf(hwnd)->original = reinterpret_cast<WNDPROC>(previous);
    return true;
}

bool CWnd::attachAsDialogProcedure(HWND hwnd)
{
    return attach(hwnd, Attachment::DialogProcedure);
}

HWND CWnd::UnsubclassWindow()
{
    const HWND hwnd = m_hWnd;
    if (m_attachment == Attachment::None)
        return hwnd;
    if (ownedByThisThread(hwnd)) {
        detach(false);
    } else {
        // Only the window's thread may touch its table and receive its
        // messages: the end is carried out there (see endRequested). If the
        // window is gone, nothing reaches it any more either.
        SendMessageW(hwnd, endRequestMessage(), 0, reinterpret_cast<LPARAM>(this));
        m_hWnd = nullptr;
        m_attachment = Attachment::None;
    }
    return hwnd;
}

bool CWnd::endRequested(const Message& msg)
{
    if (msg.message < kFirstRegisteredMessage || msg.message != endRequestMessage() ||
        msg.lParam != reinterpret_cast<LPARAM>(this))
        return false;
    detach(false);
    return true;
}

void CWnd::detach(bool windowGoing)
{
    Link* link = linkOf(m_hWnd);
    if (link && link->object == this) {
        // A subclassed window that lives on calls our procedure until it has its own back.
        const bool stillSubclassed = m_attachment == Attachment::Subclass && !windowGoing && IsWindow(m_hWnd);
        if (stillSubclassed && installedProcedure(m_hWnd) != &CWnd::subclassProc) {
            // The one entry kept: a procedure installed on top of ours holds a
            // pointer to ours, which passes the window's messages on to the
            // original until WM_NCDESTROY (see subclassProc).
            link->object = nullptr;
        } else {
            if (stillSubclassed)
                SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(link->original));
            forgetLink(m_hWnd);
        }
    }
    m_hWnd = nullptr;
    m_attachment = Attachment::None;
}

template <class Handle>
auto CWnd::dispatch(const Message& msg, Handle handle)
{
    const Message* outer = m_current;  // messages nest (SendMessage from a handler)
    m_current = &msg;
    const auto result = handle();
    m_current = outer;
    if (msg.message == WM_NCDESTROY && m_attachment != Attachment::None)
        detach(true);
    return result;
}

LRESULT CWnd::Default()
{
    if (!m_current || !m_hWnd)
        return 0;
    const Message& msg = *m_current;
    if (m_attachment == Attachment::Subclass) {
        const Link* link = linkOf(m_hWnd);
        return link && link->original ? CallWindowProcW(link->original, m_hWnd, msg.message, msg.wParam, msg.lParam)
                                      : DefWindowProcW(m_hWnd, msg.message, msg.wParam, msg.lParam);
    }
    // The system's dialog processing calls the dialog procedure first, with
    // this same message: the flag makes ours let it through that once (see
    // dialogProcedureMessage). A handler reached from in there may call
    // Default() in turn; each call sets the flag for its own message.
    m_dialogDefaultPending = true;
    const LRESULT result = DefDlgProcW(m_hWnd, msg.message, msg.wParam, msg.lParam);
    m_dialogDefaultPending = false;
    return result;
}

HandlerResult CWnd::OnWndMsg(const Message& msg)
{
    for (const MessageMap* map = GetMessageMap(); map; map = map->base) {
        for (std::size_t i = 0; i < map->count; ++i) {
            const MessageEntry& entry = map->entries[i];
            if (!entry.handler || !entryMatches(entry, msg))
                continue;
            if (const HandlerResult result = (this->*entry.handler)(msg))
                return result;
        }
    }
    return std::nullopt;
}

LRESULT CALLBACK CWnd::subclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    const Message msg{message, wParam, lParam};
    const Link* link = linkOf(hwnd);
    if (link && link->object) {
        CWnd* object = link->object;
        if (object->endRequested(msg))
            return TRUE;
        return object->dispatch(msg, [&] {
            const HandlerResult result = object->OnWndMsg(msg);
            return result ? *result : object->Default();
        });
    }
    // Orphaned: the object went away while another procedure was chained
    // after ours. Keep the window's own behaviour.
    if (link && link->original) {
        const WNDPROC original = link->original;
        if (message == WM_NCDESTROY)
            forgetLink(hwnd);
        return CallWindowProcW(original, hwnd, message, wParam, lParam);
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

INT_PTR CWnd::dialogProcedureMessage(HWND hwnd, const Message& msg)
{
    const Link* link = linkOf(hwnd);
    CWnd* object = link ? link->object : nullptr;
    if (!object || object->m_attachment != Attachment::DialogProcedure)
        return FALSE;  // before WM_INITDIALOG, or after the object let go
    if (object->m_dialogDefaultPending) {
        object->m_dialogDefaultPending = false;
        return FALSE;  // its own Default(): the system processes the message
    }
    if (object->endRequested(msg))
        return TRUE;
    const HandlerResult result = object->dispatch(msg, [&] { return object->OnWndMsg(msg); });
    if (!result)
        return FALSE;
    if (resultReturnedDirectly(msg.message))
        return static_cast<INT_PTR>(*result);
    SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, *result);
    return TRUE;
}
