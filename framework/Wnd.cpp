#include "framework/Wnd.h"

#include <unordered_map>
#include <vector>

namespace {

// Which object each window of this thread is attached to, and the procedure
// the window had before ours. Messages come to a window on the thread that
// created it, so the table is per thread and needs no lock; a lookup is a
// hash probe, where a window property would be a request to the window
// server on every message.
struct Link {
    CWnd* object;      // nullptr: the object went while another procedure still calls ours
    WNDPROC original;  // nullptr for a window whose procedure is the framework's own
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

const Link* linkOf(HWND hwnd)
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
    m_originalProc = reinterpret_cast<WNDPROC>(previous);
    threadLinks()[hwnd].original = m_originalProc;
    return true;
}

bool CWnd::attachToOwnProcedure(HWND hwnd)
{
    return attach(hwnd, Attachment::OwnProcedure);
}

CWnd* CWnd::ownProcedureObject(HWND hwnd)
{
    CWnd* object = attachedObject(hwnd);
    return object && object->m_attachment == Attachment::OwnProcedure ? object : nullptr;
}

HWND CWnd::UnsubclassWindow()
{
    HWND hwnd = m_hWnd;
    if (m_attachment != Attachment::None)
        detach(false);
    return hwnd;
}

void CWnd::detach(bool windowGoing)
{
    const Link* link = linkOf(m_hWnd);
    if (link && link->object == this) {
        // Only put the old procedure back while ours is the one installed: a
        // later subclasser still holds a pointer to ours, which then keeps
        // passing the window's messages on (see subclassProc).
        const bool ours = m_attachment == Attachment::Subclass && IsWindow(m_hWnd) &&
                          reinterpret_cast<WNDPROC>(GetWindowLongPtrW(m_hWnd, GWLP_WNDPROC)) == &CWnd::subclassProc;
        if (ours)
            SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_originalProc));
        if (windowGoing || ours || m_attachment != Attachment::Subclass || !IsWindow(m_hWnd))
            forgetLink(m_hWnd);
        else
            threadLinks()[m_hWnd].object = nullptr;
    }
    m_hWnd = nullptr;
    m_originalProc = nullptr;
    m_attachment = Attachment::None;
}

LRESULT CWnd::Default()
{
    if (!m_current || !m_hWnd)
        return 0;
    return DefaultProcessing(*m_current);
}

LRESULT CWnd::DefaultProcessing(const Message& msg)
{
    if (m_originalProc)
        return CallWindowProcW(m_originalProc, m_hWnd, msg.message, msg.wParam, msg.lParam);
    return DefWindowProcW(m_hWnd, msg.message, msg.wParam, msg.lParam);
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
    const Link* link = linkOf(hwnd);
    if (link && link->object) {
        CWnd* object = link->object;
        const Message msg{message, wParam, lParam};
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
