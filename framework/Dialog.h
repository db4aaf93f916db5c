// A modal dialog built from a template in the program's own resources, ended
// by OK and Cancel. Dialog classes derive from CDialogEx<T> (DialogEx.h), the
// only way to build one, so that every dialog states its table.
#pragma once

#include "framework/Wnd.h"

class CDialog : public WithMessageTable<CDialog, CWnd> {
public:
    // The EndDialog code, or -1 when the dialog cannot be created or this
    // object cannot be attached to it (another object took its window).
    INT_PTR DoModal();

    // TRUE lets the system give the focus to the first tab stop.
    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    void EndDialog(int result);

    // A dialog passes a message on with `return std::nullopt;`, which reaches
    // these rows (OK, Cancel) and then the system's dialog processing; a
    // Default() here would skip the rows, so it does not compile.
    template <class Never = void>
    LRESULT Default()
    {
        static_assert(kNever<Never>, "a dialog passes a message on by returning std::nullopt");
        return 0;
    }

    // Commands only (Message::isCommand): a click, Enter, Escape, the close
    // box, a menu or an accelerator; an OK button's other notifications end
    // nothing.
    static constexpr auto messageTable()
    {
        return messageRows<CDialog>(onCommand(kAnyCommand, IDOK, &CDialog::onOkCommand),
                                    onCommand(kAnyCommand, IDCANCEL, &CDialog::onCancelCommand));
    }

private:
    template <class, class>
    friend class WithMessageTable;
    explicit CDialog(UINT templateId, CWnd* parent = nullptr);

    // The dialog's one entry: the object's tables answer first, whatever they
    // leave gets the system's dialog processing. No subclass.
    static INT_PTR CALLBACK dialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    HandlerResult onOkCommand(const Message&);
    HandlerResult onCancelCommand(const Message&);
    HWND ownerWindow() const;

    UINT m_templateId;
    CWnd* m_parent;
    bool m_running = false;
};
