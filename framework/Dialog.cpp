#include "framework/Dialog.h"

#include "framework/WinApp.h"

CDialog::CDialog(UINT templateId, CWnd* parent) : m_templateId(templateId), m_parent(parent) {}

HWND CDialog::ownerWindow() const
{
    if (m_parent)
        return m_parent->GetSafeHwnd();
    const CWinApp* app = CWinApp::current();
    if (app && app->m_pMainWnd && app->m_pMainWnd != this)
        return app->m_pMainWnd->GetSafeHwnd();
    return nullptr;
}

INT_PTR CDialog::DoModal()
{
    if (m_running || GetSafeHwnd())
        return -1;
    m_running = true;
    const INT_PTR result = DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(m_templateId),
                                           ownerWindow(), &CDialog::dialogProc,
                                           reinterpret_cast<LPARAM>(this));
    m_running = false;
    UnsubclassWindow();  // normally detached already at WM_NCDESTROY
    return result;
}

INT_PTR CALLBACK CDialog::dialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        auto* dialog = reinterpret_cast<CDialog*>(lParam);
        if (dialog && dialog->attachAsDialogProcedure(hwnd))
            return dialog->OnInitDialog();
        // No object's table would ever end it.
        ::EndDialog(hwnd, -1);
        return TRUE;
    }
    return dialogProcedureMessage(hwnd, {message, wParam, lParam});
}

BOOL CDialog::OnInitDialog()
{
    return TRUE;
}

void CDialog::OnOK()
{
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

void CDialog::EndDialog(int result)
{
    if (GetSafeHwnd())
        ::EndDialog(GetSafeHwnd(), result);
}

HandlerResult CDialog::onOkCommand(const Message&)
{
    OnOK();
    return 0;
}

HandlerResult CDialog::onCancelCommand(const Message&)
{
    OnCancel();
    return 0;
}
