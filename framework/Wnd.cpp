#include "framework/Wnd.h"

#include <vector>

namespace {

// The window properties that link a window to its CWnd and to the procedure
// it had before. The second outlives an object that could not unhook itself.
const wchar_t kObjectProperty[] = L"noxLauncher.CWnd";
const wchar_t kOriginalProcProperty[] = L"noxLauncher.CWnd.proc";

}  // namespace

const MessageMap CWnd::kMessageMap = {nullptr, nullptr, 0};

CWnd* attachedObject(HWND hwnd)
{
    return hwnd ? static_cast<CWnd*>(GetPropW(hwnd, kObjectProperty)) : nullptr;
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

bool CWnd::SubclassWindow(HWND hwnd)
{
    if (!hwnd || m_subclassed || !IsWindow(hwnd) || attachedObject(hwnd))
        return false;
    if (GetPropW(hwnd, kOriginalProcProperty))
        return false;  // an earlier object is still chained in
    if (!SetPropW(hwnd, kObjectProperty, this))
        return false;
    const LONG_PTR previous =
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::subclassProc));
    if (previous == 0 ||
        !SetPropW(hwnd, kOriginalProcProperty, reinterpret_cast<HANDLE>(previous))) {
        if (previous != 0)
            SetWindowLongPtrW(hwnd, GWLP_WNDPROC, previous);
        RemovePropW(hwnd, kObjectProperty);
        return false;
    }
    m_hWnd = hwnd;
    m_originalProc = reinterpret_cast<WNDPROC>(previous);
    m_subclassed = true;
    return true;
}

HWND CWnd::UnsubclassWindow()
{
    HWND hwnd = m_hWnd;
    if (m_subclassed)
        detach();
    return hwnd;
}

void CWnd::detach()
{
    // Only put the old procedure back while ours is the one installed: a
    // later subclasser still holds a pointer to ours.
    if (IsWindow(m_hWnd)) {
        const auto current = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(m_hWnd, GWLP_WNDPROC));
        if (current == &CWnd::subclassProc) {
            SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_originalProc));
            RemovePropW(m_hWnd, kOriginalProcProperty);
        }
        if (attachedObject(m_hWnd) == this)
            RemovePropW(m_hWnd, kObjectProperty);
    }
    m_hWnd = nullptr;
    m_originalProc = nullptr;
    m_subclassed = false;
}

LRESULT CWnd::Default()
{
    if (!m_current || !m_hWnd)
        return 0;
    if (m_originalProc)
        return CallWindowProcW(m_originalProc, m_hWnd, m_current->message, m_current->wParam,
                               m_current->lParam);
    return DefWindowProcW(m_hWnd, m_current->message, m_current->wParam, m_current->lParam);
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    const Message msg{message, wParam, lParam};
    for (const MessageMap* map = GetMessageMap(); map; map = map->base) {
        for (std::size_t i = 0; i < map->count; ++i) {
            const MessageEntry& entry = map->entries[i];
            if (!entry.handler || !entryMatches(entry, msg))
                continue;
            if (const HandlerResult result = (this->*entry.handler)(msg))
                return *result;
        }
    }
    return Default();
}

LRESULT CWnd::dispatch(UINT message, WPARAM wParam, LPARAM lParam)
{
    const Message msg{message, wParam, lParam};
    const Message* outer = m_current;  // messages nest (SendMessage from a handler)
    m_current = &msg;
    const LRESULT result = WindowProc(message, wParam, lParam);
    m_current = outer;
    if (message == WM_NCDESTROY && m_subclassed)
        detach();
    return result;
}

LRESULT CALLBACK CWnd::subclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (CWnd* object = attachedObject(hwnd))
        return object->dispatch(message, wParam, lParam);
    // Orphaned: the object went away while another procedure was chained
    // after ours. Keep the window's own behaviour.
    if (auto original = reinterpret_cast<WNDPROC>(GetPropW(hwnd, kOriginalProcProperty))) {
        if (message == WM_NCDESTROY)
            RemovePropW(hwnd, kOriginalProcProperty);
        return CallWindowProcW(original, hwnd, message, wParam, lParam);
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}
