// An edit control attached to an existing window.
#pragma once

#include "framework/Wnd.h"

class CEdit : public CWnd {
public:
    CEdit() = default;
};
