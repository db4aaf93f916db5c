// An edit field that lets through only the typed characters of its parse
// style, and steps an integer in its text on the line-up/line-down arrows.
#pragma once

#include "framework/Edit.h"
#include "framework/Wnd.h"

class CParsedEdit : public WithMessageTable<CParsedEdit, CEdit> {
public:
    CParsedEdit();

    // Read at every keystroke; 14 is the path style (everything but <>"|).
    unsigned parseStyle = 0;
    // Shared by all fields: lets the wildcard styles take '*'. Every new
    // field switches it off.
    static bool wildcardAllowed;

    // A rejected character or a failed step: the simple beep.
    virtual void SignalBadInput();

    static constexpr auto messageTable()
    {
        return messageRows<CParsedEdit>(onMessage<WM_CHAR>(&CParsedEdit::OnChar),
                                        onMessage<WM_VSCROLL>(&CParsedEdit::OnVScroll));
    }

private:
    HandlerResult OnChar(const Message& msg);
    HandlerResult OnVScroll(const Message& msg);
};
