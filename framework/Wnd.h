// The window-class layer. To add a dialog with a message table, hold these:
//
//  1. CDialogEx<YourDialog>: the base of every dialog class, given the class
//     itself and the template id; DoModal() runs it and returns the end code.
//  2. The table: `static MessageTable messageTable();` in the class, defined
//     as a static array of rows. A class without it does not
//     compile; the base classes' tables are searched after it on their own.
//  3. Rows: onMessage<YourDialog>(WM_X, &YourDialog::OnX) for a message,
//     onCommand<YourDialog>(BN_CLICKED, ids, &YourDialog::OnX) for a command
//     from one of the listed control ids.
//  4. A handler, HandlerResult OnX(const Message&): a value answers the
//     message; std::nullopt passes it on to the next row and the bases.
//  5. Default(): the processing the message would get without the object.
//  6. The ends: OK, Enter, Cancel, Escape and the close box call OnOK() and
//     OnCancel(), which call EndDialog(code); override those, or
//     OnInitDialog() for the start.
//  7. Controls by id: GetDlgItem(id), skipped where absent.
//  8. A control with messages of its own: a member object of a class made
//     with WithMessageTable<YourControl, CEdit> and its own table, attached
//     with SubclassWindow(GetDlgItem(id)) in OnInitDialog().
//
// CWnd: non-owning wrapper of a window. Once attached (SubclassWindow, or a
// dialog being created), the window's messages pass through this object's
// tables. How it was attached decides where Default() goes: by subclassing
// (our procedure on top of the window's own; Default() calls the window's
// own) or as a dialog's own dialog procedure (the system's dialog processing).
//
// Attachment begins and ends on the window's thread: attaching a window of
// another thread is refused, and so is ending an attachment there (a debug
// assertion; nothing changes).
#pragma once

#include "framework/Message.h"

#include <string>
#include <type_traits>
#include <utility>

struct WindowLink;  // a window's entry in its thread's table (Wnd.cpp)

class CWnd {
public:
    CWnd() = default;
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
    // its own procedure back); the object forgets the window, which it
    // returns. On another thread than the window's: refused, nullptr.
    HWND UnsubclassWindow();

    // The message being handled, given the processing it gets without this
    // object (see the two attachments above); 0 outside a handler.
    LRESULT Default();

protected:
    // No table of its own: nobody handles the message (std::nullopt).
    // WithMessageTable searches a class's table, then its base's.
    virtual HandlerResult OnWndMsg(const Message& msg);
    // The first row of `table` that matches and whose handler returns a value.
    HandlerResult searchTable(MessageTable table, const Message& msg);

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
    // windowGoing: WM_NCDESTROY, after which the window sees no message.
    Release releaseFor(bool windowGoing) const;
    void detach(bool windowGoing);

    // Runs one message through `handle` with Default() bound to it, and lets
    // the window go after WM_NCDESTROY.
    template <class Handle>
    auto dispatch(const Message& msg, Handle handle);

    const Message* m_current = nullptr;
    // This object's entry in its window's thread's table while attached, which
    // says how (WindowLink::subclassed); nullptr when not (m_hWnd too).
    WindowLink* m_link = nullptr;
    // Set by Default() around the system's dialog processing, which calls the
    // dialog procedure first, with the same message: ours lets that one call
    // through to the system (dialogProcedureMessage) rather than answer again.
    bool m_dialogDefaultPending = false;
};

template <class T, class = void>
struct StatesMessageTable : std::false_type {};
template <class T>
struct StatesMessageTable<T, std::enable_if_t<std::is_same_v<decltype(T::messageTable()), MessageTable>>>
    : std::true_type {};

// T states a table of its own, not only the one it inherits from Base.
template <class T, class Base>
constexpr bool statesOwnMessageTable()
{
    if constexpr (!StatesMessageTable<T>::value)
        return false;
    else if constexpr (StatesMessageTable<Base>::value)
        return &T::messageTable != &Base::messageTable;
    else
        return true;
}

// Base (a CWnd class) with T's table searched before Base's: T derives from
// WithMessageTable<T, Base> and states `static MessageTable messageTable();`.
template <class T, class Base>
class WithMessageTable : public Base {
public:
    template <class... Args>
    explicit WithMessageTable(Args&&... args) : Base(std::forward<Args>(args)...)
    {
        // Checked where T is complete: its own constructor.
        static_assert(std::is_base_of_v<WithMessageTable, T>, "T derives from WithMessageTable<T, Base>");
        static_assert(statesOwnMessageTable<T, Base>(),
                      "a class with messages states its table: static MessageTable messageTable();");
    }

protected:
    HandlerResult OnWndMsg(const Message& msg) override
    {
        if (const HandlerResult result = this->searchTable(T::messageTable(), msg))
            return result;
        return Base::OnWndMsg(msg);
    }
};
