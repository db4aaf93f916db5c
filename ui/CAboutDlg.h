// The About box, opened from the launcher's system menu.
#pragma once

#include "framework/DialogEx.h"
#include "res/resource.h"

class CAboutDlg : public CDialogEx<CAboutDlg> {
public:
    enum { IDD = IDD_ABOUTBOX };
    // No parent: the application's main window, the launcher, becomes its owner.
    CAboutDlg() : CDialogEx(IDD) {}

    // OK and Cancel end it; no rows of its own.
    static constexpr auto messageTable() { return messageRows<CAboutDlg>(); }
};
