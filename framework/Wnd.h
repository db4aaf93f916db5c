// The window-class layer. Writing a dialog or a control takes these eight:
//
//  1. The base: `class CMyDlg : public CDialogEx<CMyDlg>` for a dialog, built
//     with its template id (and parent); `WithMessageTable<CMyEdit, CEdit>`
//     for a control, and `WithMessageTable<Derived, Base>` for a class derived
//     from one with a table. The argument is always the class itself.
//  2. The table, in the class body (a class without one does not compile):
//     `static constexpr auto messageTable() { return messageRows<CMyDlg>(rows...); }`
//     with no rows for none. It is searched first, then the bases' tables.
//  3. Rows: onMessage<WM_X>(&CMyDlg::OnX); onCommand(BN_CLICKED, IDC_X,
//     &CMyDlg::OnX) for one control id, or a constexpr std::array of ids.
//  4. Handlers: HandlerResult OnX(const Message& msg). A value answers;
//     `return std::nullopt;` passes the message on (next row, bases, the
//     window's own processing). msg.commandId(), notifyCode(),
//     systemCommand(), scrollCode(), character(); raw wParam and lParam.
//  5. The ends: DoModal() runs a dialog and returns its EndDialog(code).
//     Override OnInitDialog() for the start (calling CDialog's first), OnOK()
//     and OnCancel() for OK, Enter, Cancel, Escape and the close box.
//  6. The window: GetDlgItem(id) for a control (nullptr where the layout has
//     none); m_hWnd (GetSafeHwnd() from outside) for any system call, of
//     which SetWindowTextW, UpdateWindow, GetParent, GetDlgCtrlID are members.
//  7. A control object: a member, attached with SubclassWindow(GetDlgItem(id))
//     in OnInitDialog(); it lets go when the window or the object goes.
//  8. Default(), in a control's handler: what the control's own procedure
//     answers (a dialog passes messages on with std::nullopt alone).
//
// CWnd: non-owning wrapper of a window. Once attached (SubclassWindow, or a
// dialog being created), the window's messages pass through this object's
// tables. Attachment begins and ends on the window's thread: attaching a
// window of another thread is refused, and so is ending an attachment there.
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
    BOOL SetWindowTextW(LPCWSTR text);
    BOOL UpdateWindow();
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

    // For a subclassed window: the message being handled, given to the
    // window's own procedure; 0 outside a handler or without a subclass.
    LRESULT Default();

protected:
    // No table of its own: nobody handles the message (std::nullopt).
    // WithMessageTable searches a class's table, then its base's.
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
};

// T states a table of its own (concept 2), not only the one it inherits.
template <class T, class = void>
struct StatesOwnMessageTable : std::false_type {};
template <class T>
struct StatesOwnMessageTable<T, std::enable_if_t<std::is_same_v<typename decltype(T::messageTable())::value_type,
                                                                 MessageRow<T>>>> : std::true_type {};

// Base (a CWnd class) with T's table searched before Base's.
template <class T, class Base>
class WithMessageTable : public Base {
public:
    using MessageTableOwner = T;  // whose rows messageRows accepts (Message.h)

protected:
    template <class... Args>
    explicit WithMessageTable(Args&&... args) : Base(std::forward<Args>(args)...)
    {
        // Checked where T is complete: its own constructor.
        static_assert(std::is_base_of_v<WithMessageTable, T>, "T derives from WithMessageTable<T, Base>");
        static_assert(StatesOwnMessageTable<T>::value,
                      "a class with messages states its table: static constexpr auto messageTable() "
                      "{ return messageRows<T>(rows...); }");
    }

    HandlerResult OnWndMsg(const Message& msg) override
    {
        // Evaluated by the compiler: ids that would not outlive the table do not build.
        static constexpr auto rows = T::messageTable();
        T& self = static_cast<T&>(*this);
        for (const MessageRow<T>& row : rows) {
            if (!row.key.matches(msg))
                continue;
            if (const HandlerResult result = (self.*row.handler)(msg))
                return result;
        }
        return Base::OnWndMsg(msg);
    }
};
