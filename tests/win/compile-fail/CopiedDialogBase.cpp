// refused: rows are searched only for a class derived from CDialogEx<itself> or WithMessageTable<itself, Base>
// A dialog copied from another with the base's argument left as it was: its
// own rows would never be searched.
#include "framework/DialogEx.h"

class CAboutLikeDlg : public CDialogEx<CAboutLikeDlg> {
public:
    CAboutLikeDlg() : CDialogEx(100) {}
    static constexpr auto messageTable() { return messageRows<CAboutLikeDlg>(); }
};

class CNewDlg : public CDialogEx<CAboutLikeDlg> {
public:
    CNewDlg() : CDialogEx(101) {}
    static constexpr auto messageTable() { return messageRows<CNewDlg>(onCommand(BN_CLICKED, 1001, &CNewDlg::OnGo)); }

private:
    HandlerResult OnGo(const Message&) { return 0; }
};

INT_PTR run()
{
    CNewDlg dialog;
    return dialog.DoModal();
}
