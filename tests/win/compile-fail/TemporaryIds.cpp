// refused: a row keeps a pointer to its ids: one id, or a constexpr std::array that outlives the table
// Ids handed over as a temporary: the row would point into an array gone
// before the first message.
#include "framework/DialogEx.h"

#include <array>

class CNewDlg : public CDialogEx<CNewDlg> {
public:
    CNewDlg() : CDialogEx(101) {}
    static constexpr auto messageTable()
    {
        return messageRows<CNewDlg>(onCommand(BN_CLICKED, std::array<int, 2>{1001, 1002}, &CNewDlg::OnGo));
    }

private:
    HandlerResult OnGo(const Message&) { return 0; }
};

INT_PTR run()
{
    CNewDlg dialog;
    return dialog.DoModal();
}
