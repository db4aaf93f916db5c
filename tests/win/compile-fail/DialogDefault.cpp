// refused: a dialog passes a message on by returning std::nullopt
// Default() in a dialog's handler would skip CDialog's rows: an OK that ends nothing.
#include "framework/DialogEx.h"

class CNewDlg : public CDialogEx<CNewDlg> {
public:
    CNewDlg() : CDialogEx(101) {}
    static constexpr auto messageTable() { return messageRows<CNewDlg>(onCommand(BN_CLICKED, IDOK, &CNewDlg::OnOkClicked)); }

private:
    HandlerResult OnOkClicked(const Message&) { return Default(); }
};

INT_PTR run()
{
    CNewDlg dialog;
    return dialog.DoModal();
}
