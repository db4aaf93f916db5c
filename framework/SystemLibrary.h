// Functions of system DLLs looked up at run time rather than imported: those
// only the file dialog needs (ole32, comdlg32), so that a launcher that never
// opens one starts without them, and those older systems lack.
#pragma once

#include <windows.h>

// The export of a DLL from the system folder, loading it on first use; null
// when either is missing. A loaded DLL stays for the rest of the process, as
// an import would: COM objects from it may outlive any one caller.
FARPROC systemProc(const wchar_t* dllName, const char* procName);

template <class Function>
Function* systemFunction(const wchar_t* dllName, const char* procName)
{
    return reinterpret_cast<Function*>(reinterpret_cast<void*>(systemProc(dllName, procName)));
}
