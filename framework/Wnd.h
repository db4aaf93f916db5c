// Non-owning wrapper of a window. Once attached (SubclassWindow, or a dialog
// being created), the window's messages pass through this object's tables.
//
// An object is attached to a window in one of two ways, and that decides where
// Default() goes: by subclassing (our procedure on top of the window's own;
// Default() calls the window's own) or as a dialog's own dialog procedure
// (Default() is the system's dialog processing).
//
// Attachment begins and ends on the window's thread: attaching a window of
// another thread is refused, and UnsubclassWindow or the destructor called on
// another thread hands the end to the window's thread and waits for it there
// (that thread must be taking messages, or the caller waits until it does).
#pragma once

#include "framework/Message.h"

#include <string>

struct WindowLink;  // a window's entry in its thread's table (Wnd.cpp)

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
    // Ends the attachment, whichever way it was made (a subclassed window gets
    // its own procedure back); the object forgets the window, which it returns.
    HWND UnsubclassWindow();

    // The message being handled, given the processing it gets without this
    // object (see the two attachments above); 0 outside a handler.
    LRESULT Default();

    virtual const MessageMap* GetMessageMap() const;

protected:
    // Searches the tables from the most derived class to CWnd; the first
    // handler that returns a value wins. std::nullopt: nobody handled it.
    virtual HandlerResult OnWndMsg(const Message& msg);

    // For a dialog whose dialog procedure is the framework's own (called at
    // WM_INITDIALOG): links the window to this object without replacing its
    // procedure. False when the window already has an object or belongs to
    // another thread.
    bool attachAsDialogProcedure(HWND hwnd);
    // The rest of that dialog procedure: the object attached as the window's
    // dialog procedure answers, or FALSE (nothing attached, or unhandled) lets
    // the system's dialog processing have the message.
    static INT_PTR dialogProcedureMessage(HWND hwnd, const Message& msg);

    HWND m_hWnd = nullptr;

    static const MessageMap kMessageMap;

private:
    // What ending an attachment does with the window's entry: drops it (the
    // window is going, or nothing of ours is left in its procedure chain),
    // drops it after giving a subclassed window its procedure back, or keeps
    // it without the object while a later subclass still calls ours.
    enum class Release { Forget, RestoreProcedure, Orphan };

    static LRESULT CALLBACK subclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    // False when this object is attached, or the window is taken, gone or of
    // another thread.
    bool canAttach(HWND hwnd) const;
    // original: the procedure a subclass sits on; nullptr for a dialog procedure.
    void attach(HWND hwnd, WNDPROC original);
    // Another thread's request to end this object's attachment: carried out
    // here, on the window's thread. False for every other message.
    bool endRequested(const Message& msg);
    // windowGoing: WM_NCDESTROY, after which the window sees no message.
    Release releaseFor(bool windowGoing) const;
    void detach(bool windowGoing);

    // Runs one message through `handle` with Default() bound to it, and lets
    // the window go after WM_NCDESTROY.
    template <class Handle>
    auto dispatch(const Message& msg, Handle handle);

    const Message* m_current = nullptr;
    // This object's entry in its window's thread's table while attached, which
    // says how (WindowLink::subclassed); nullptr when not, m_hWnd then being
    // at most a window wrapped without its messages.
    WindowLink* m_link = nullptr;
    // Set by Default() around the system's dialog processing, which calls the
    // dialog procedure first, with the same message: ours lets that one call
    // through to the system (dialogProcedureMessage) rather than answer again.
    bool m_dialogDefaultPending = false;
};

// The object attached to a window of this thread by this framework, or
// nullptr. Answered from the thread's own table: no system call.
CWnd* attachedObject(HWND hwnd);
