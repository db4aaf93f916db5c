#include "ui/CParsedEdit.h"

#include "ui/ParsedEditRules.h"

bool CParsedEdit::wildcardAllowed = false;

CParsedEdit::CParsedEdit()
{
    wildcardAllowed = false;
}

void CParsedEdit::SignalBadInput()
{
    MessageBeep(0xFFFFFFFF);
}

HandlerResult CParsedEdit::OnChar(const Message& msg)
{
    // Pasted and program-set text do not come this way: only typing is filtered.
    if (IsCharAllowed(parseStyle, msg.character(), wildcardAllowed))
        return Default();
    SignalBadInput();
    return 0;
}

HandlerResult CParsedEdit::OnVScroll(const Message& msg)
{
    const std::optional<int> step = scrollStep(msg.scrollCode());
    if (!step)
        return 0;  // other codes leave focus, text and selection alone

    SetFocus(m_hWnd);
    HWND parent = GetParent();
    const int id = GetDlgCtrlID();
    BOOL valid = FALSE;
    const int current = static_cast<int>(GetDlgItemInt(parent, id, &valid, TRUE));
    const std::optional<int> next = valid ? stepValue(current, *step) : std::nullopt;
    if (next)
        SetDlgItemInt(parent, id, static_cast<UINT>(*next), TRUE);
    else
        SignalBadInput();  // not an integer, or the step leaves 0..32767
    SendMessageW(m_hWnd, EM_SETSEL, 0, -1);
    SendMessageW(m_hWnd, EM_SCROLLCARET, 0, 0);
    return 0;
}
