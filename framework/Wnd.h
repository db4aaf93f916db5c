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

    // `this` is stored in the window: neither copied nor moved.
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
    // window is destroyed or the object is; false when either is taken.
    bool SubclassWindow(HWND hwnd);
    // Gives the window back its own procedure; the object forgets the window.
    HWND UnsubclassWindow();

    // The message being handled, passed on to the window's own procedure.
    LRESULT Default();

    virtual const MessageMap* GetMessageMap() const;

protected:
    // Searches the tables from the most derived class to CWnd; the first
    // handler that returns a value wins, otherwise Default().
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);

    // Runs one message through WindowProc with Default() bound to it.
    LRESULT dispatch(UINT message, WPARAM wParam, LPARAM lParam);

    HWND m_hWnd = nullptr;

    static const MessageMap kMessageMap;

private:
    static LRESULT CALLBACK subclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void detach();

    WNDPROC m_originalProc = nullptr;
    const Message* m_current = nullptr;
    bool m_subclassed = false;
};

// The object attached to a window by this framework, or nullptr.
CWnd* attachedObject(HWND hwnd);
