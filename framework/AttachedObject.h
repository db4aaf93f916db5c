// For tests: which object a window is attached to. Product code decides by
// its own objects (GetSafeHwnd) and does not include this.
#pragma once

#include <windows.h>

class CWnd;

// The object attached to a window of this thread by this framework, or
// nullptr. Answered from the thread's own table: no system call.
CWnd* attachedObject(HWND hwnd);
