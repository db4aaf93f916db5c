// refused: a class with messages states its table
// A dialog without a table of its own.
#include "framework/DialogEx.h"

class CNewDlg : public CDialogEx<CNewDlg> {
public:
    CNewDlg() : CDialogEx(101) {}
};

INT_PTR run()
{
    CNewDlg dialog;
    return dialog.DoModal();
}
