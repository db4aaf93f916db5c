// A modal dialog built from a template in the program's own resources.
#pragma once

#include "framework/Wnd.h"

class CDialog : public CWnd {
public:
    explicit CDialog(UINT templateId, CWnd* parent = nullptr);

    // The EndDialog code, or -1 when the dialog cannot be created or this
    // object cannot be attached to it (another object took its window).
    INT_PTR DoModal();

    // TRUE lets the system give the focus to the first tab stop.
    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    void EndDialog(int result);

    const MessageMap* GetMessageMap() const override;

protected:
    // The system's own painting of the dialog, for WM_PAINT handlers that
    // only sometimes paint themselves.
    LRESULT OnPaint();

    static const MessageMap kMessageMap;

private:
    // The dialog's one entry: the object's tables answer first, whatever they
    // leave gets the system's dialog processing. No subclass.
    static INT_PTR CALLBACK dialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    HandlerResult onOkCommand(const Message&);
    HandlerResult onCancelCommand(const Message&);
    HWND ownerWindow() const;

    static const MessageEntry kEntries[];

    UINT m_templateId;
    CWnd* m_parent;
    bool m_running = false;
};
