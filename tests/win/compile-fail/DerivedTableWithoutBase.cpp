// refused: rows are searched only for a class derived from CDialogEx<itself> or WithMessageTable<itself, Base>
// A class derived from a dialog with a table, stating its own table without
// WithMessageTable<Derived, Base>: only the base's table would be searched.
#include "framework/DialogEx.h"

class CBaseDlg : public CDialogEx<CBaseDlg> {
public:
    CBaseDlg() : CDialogEx(100) {}
    static constexpr auto messageTable() { return messageRows<CBaseDlg>(onCommand(BN_CLICKED, 1001, &CBaseDlg::OnGo)); }

protected:
    HandlerResult OnGo(const Message&) { return 0; }
};

class CDerivedDlg : public CBaseDlg {
public:
    static constexpr auto messageTable()
    {
        return messageRows<CDerivedDlg>(onCommand(BN_CLICKED, 1002, &CDerivedDlg::OnStop));
    }

private:
    HandlerResult OnStop(const Message&) { return 0; }
};

INT_PTR run()
{
    CDerivedDlg dialog;
    return dialog.DoModal();
}
