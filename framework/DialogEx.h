// The dialog base of the launcher's own dialogs; behaves as CDialog.
#pragma once

#include "framework/Dialog.h"

class CDialogEx : public CDialog {
public:
    explicit CDialogEx(UINT templateId, CWnd* parent = nullptr) : CDialog(templateId, parent) {}
};
