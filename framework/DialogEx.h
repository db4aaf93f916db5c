// The base of every dialog class: CDialog with the class's own table searched
// before CDialog's OK and Cancel rows.
#pragma once

#include "framework/Dialog.h"

template <class T>
class CDialogEx : public WithMessageTable<T, CDialog> {
private:
    // Only T itself is built on CDialogEx<T>: a class copied from another
    // dialog with the argument left as it was does not compile.
    friend T;
    explicit CDialogEx(UINT templateId, CWnd* parent = nullptr) : WithMessageTable<T, CDialog>(templateId, parent) {}
};
