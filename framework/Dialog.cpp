#include "framework/Dialog.h"

#include "framework/WinApp.h"

#include <iterator>

namespace {

constexpr std::array<int, 1> kOkIds = {IDOK};
constexpr std::array<int, 1> kCancelIds = {IDCANCEL};

}  // namespace

// Any notification code: Enter and Escape arrive with 0, buttons with BN_CLICKED.
const MessageEntry CDialog::kEntries[] = {
    onCommand(kAnyNotifyCode, kOkIds, &CDialog::onOkCommand),
    onCommand(kAnyNotifyCode, kCancelIds, &CDialog::onCancelCommand),
};

const MessageMap CDialog::kMessageMap = {&CWnd::kMessageMap, CDialog::kEntries, std::size(CDialog::kEntries)};

CDialog::CDialog(UINT templateId, CWnd* parent) : m_templateId(templateId), m_parent(parent) {}

const MessageMap* CDialog::GetMessageMap() const
{
    return &kMessageMap;
}

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
        if (!dialog || !dialog->attachToOwnProcedure(hwnd))
            return TRUE;
        return dialog->OnInitDialog();
    }
    // Only CDialog attaches to its own procedure; messages before
    // WM_INITDIALOG find no object.
    CWnd* object = ownProcedureObject(hwnd);
    if (!object)
        return FALSE;
    return static_cast<CDialog*>(object)->dialogMessage({message, wParam, lParam});
}

namespace {

// Messages whose result a dialog procedure returns itself; the others go
// through DWLP_MSGRESULT.
bool resultReturnedDirectly(UINT message)
{
    return (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) || message == WM_COMPAREITEM ||
           message == WM_VKEYTOITEM || message == WM_CHARTOITEM || message == WM_QUERYDRAGICON ||
           message == WM_INITDIALOG;
}

}  // namespace

INT_PTR CDialog::dialogMessage(const Message& msg)
{
    if (m_defaultPending) {
        m_defaultPending = false;
        return FALSE;  // our own Default(): the system processes it
    }
    HWND hwnd = m_hWnd;  // gone after WM_NCDESTROY
    const HandlerResult result = dispatch(msg, [&] { return OnWndMsg(msg); });
    if (!result)
        return FALSE;
    if (resultReturnedDirectly(msg.message))
        return static_cast<INT_PTR>(*result);
    SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, *result);
    return TRUE;
}

LRESULT CDialog::DefaultProcessing(const Message& msg)
{
    // The system's dialog procedure calls ours first, which lets it through.
    m_defaultPending = true;
    const LRESULT result = DefDlgProcW(m_hWnd, msg.message, msg.wParam, msg.lParam);
    m_defaultPending = false;
    return result;
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

LRESULT CDialog::OnPaint()
{
    return Default();
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
