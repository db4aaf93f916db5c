// Non-owning wrapper of a window. Once attached (SubclassWindow, or a dialog
// being created), the window's messages pass through this object's tables.
#pragma once

#include "framework/Message.h"

#include <string>

class CWnd {
public:
    CWnd() = default;
    explicit CWnd(HWND hwnd);
    virtual ~CWnd();

    // `this` is registered for the window: neither copied nor moved.
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND GetSafeHwnd() const { return m_hWnd; }
    HWND GetDlgItem(int id) const;
    BOOL EnableWindow(BOOL enable);
    BOOL SetWindowTextW(LPCWSTR text);
    std::wstring GetWindowTextW() const;
    BOOL UpdateWindow();
    BOOL InvalidateRect(const RECT* rect, BOOL erase);
    int GetDlgCtrlID() const;
    HWND GetParent() const;

    // Routes an existing window's messages through this object until the
    // window is destroyed or the object is; false when either is taken, or
    // when the window belongs to another thread.
    bool SubclassWindow(HWND hwnd);
    // Gives the window back its own procedure; the object forgets the window.
    HWND UnsubclassWindow();

    // The message being handled, passed on to the window's own procedure.
    LRESULT Default();

    virtual const MessageMap* GetMessageMap() const;

protected:
    // Searches the tables from the most derived class to CWnd; the first
    // handler that returns a value wins. std::nullopt: nobody handled it.
    virtual HandlerResult OnWndMsg(const Message& msg);

    // The processing the message gets without this object (see Default).
    virtual LRESULT DefaultProcessing(const Message& msg);

    // Runs one message through `handle` with Default() bound to it, and
    // lets the window go after WM_NCDESTROY.
    template <class Handle>
    auto dispatch(const Message& msg, Handle handle);

    // For a window whose procedure is the framework's own (a dialog's): links
    // the window to this object without replacing its procedure. False when
    // the window already has an object or belongs to another thread.
    bool attachToOwnProcedure(HWND hwnd);
    // The object attached that way to a window of this thread, or nullptr.
    static CWnd* ownProcedureObject(HWND hwnd);

    HWND m_hWnd = nullptr;

    static const MessageMap kMessageMap;

private:
    enum class Attachment { None, Subclass, OwnProcedure };

    static LRESULT CALLBACK subclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    bool attach(HWND hwnd, Attachment how);
    // windowGoing: WM_NCDESTROY, after which the window sees no message.
    void detach(bool windowGoing);

    WNDPROC m_originalProc = nullptr;
    const Message* m_current = nullptr;
    Attachment m_attachment = Attachment::None;
};

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

// The object attached to a window of this thread by this framework, or
// nullptr. Answered from the thread's own table: no system call.
CWnd* attachedObject(HWND hwnd);
