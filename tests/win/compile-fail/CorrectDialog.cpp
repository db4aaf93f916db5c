// Builds: a dialog, a control and a class derived from a dialog, each with
// its table as the framework's list says. Were it refused, the refusals
// beside it would prove nothing.
#include "framework/DialogEx.h"
#include "framework/Edit.h"

#include <array>

class CFieldEdit : public WithMessageTable<CFieldEdit, CEdit> {
public:
    static constexpr auto messageTable() { return messageRows<CFieldEdit>(onMessage<WM_CHAR>(&CFieldEdit::OnChar)); }

private:
    HandlerResult OnChar(const Message& msg) { return msg.character() == L'x' ? HandlerResult(0) : Default(); }
};

constexpr std::array<int, 2> kPairIds = {1001, 1002};

class CTwoButtonDlg : public CDialogEx<CTwoButtonDlg> {
public:
    CTwoButtonDlg() : CDialogEx(200) {}
    static constexpr auto messageTable()
    {
        return messageRows<CTwoButtonDlg>(onCommand(BN_CLICKED, kPairIds, &CTwoButtonDlg::OnPair),
                                          onCommand(BN_CLICKED, IDOK, &CTwoButtonDlg::OnOkClicked));
    }
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        m_field.SubclassWindow(GetDlgItem(1003));
        return TRUE;
    }

protected:
    HandlerResult OnPair(const Message&) { return 0; }
    HandlerResult OnOkClicked(const Message&) { return std::nullopt; }  // CDialog's row ends it

private:
    CFieldEdit m_field;
};

class CWiderDlg : public WithMessageTable<CWiderDlg, CTwoButtonDlg> {
public:
    static constexpr auto messageTable() { return messageRows<CWiderDlg>(onMessage<WM_TIMER>(&CWiderDlg::OnTimer)); }

private:
    HandlerResult OnTimer(const Message&) { return 0; }
};

INT_PTR runBoth()
{
    CTwoButtonDlg two;
    CWiderDlg wider;
    return two.DoModal() + wider.DoModal();
}
