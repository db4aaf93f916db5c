// Functions of system DLLs that only the file dialog needs (ole32, comdlg32),
// loaded on first use rather than imported: a launcher that never opens a
// file dialog starts without them.
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
