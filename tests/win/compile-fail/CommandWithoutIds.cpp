// refused: a WM_COMMAND row names its ids: onCommand(code, id or ids, handler)
// A WM_COMMAND row for every command: it would answer none.
#include "framework/DialogEx.h"

class CNewDlg : public CDialogEx<CNewDlg> {
public:
    CNewDlg() : CDialogEx(101) {}
    static constexpr auto messageTable() { return messageRows<CNewDlg>(onMessage<WM_COMMAND>(&CNewDlg::OnAny)); }

private:
    HandlerResult OnAny(const Message&) { return 0; }
};

INT_PTR run()
{
    CNewDlg dialog;
    return dialog.DoModal();
}
