// Swaps one function that this test program imports from a system DLL for a
// stand-in, for the lifetime of the object. Every call that code linked into
// the program makes through its import table (the launcher's own code
// included) reaches the stand-in; the DLL itself and other modules are not
// touched. Lets a test see or answer the platform calls the launcher makes
// without any test-only path in the launcher.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <vector>

class ImportReplacement {
public:
    // `dllName` as the program imports it ("USER32.dll", any case).
    ImportReplacement(const char* dllName, const char* functionName, void* standIn);
    template <class Function>
    ImportReplacement(const char* dllName, const char* functionName, Function* standIn)
        : ImportReplacement(dllName, functionName, reinterpret_cast<void*>(standIn))
    {
    }
    ~ImportReplacement();
    ImportReplacement(const ImportReplacement&) = delete;
    ImportReplacement& operator=(const ImportReplacement&) = delete;

    // False when the program does not import the function (nothing replaced).
    bool active() const { return !slots_.empty(); }

    // The real function, for a stand-in that passes calls on.
    template <class Function>
    Function* original() const
    {
        return reinterpret_cast<Function*>(original_);
    }

private:
    struct Slot {
        void** address;
        void* previous;
    };
    std::vector<Slot> slots_;
    void* original_ = nullptr;
};

// Answers this program's GetProcAddress look-ups of chosen exports (by name,
// from any DLL) with stand-ins, or as missing, for the lifetime of the object:
// how a test shows the launcher a system that lacks a function or whose
// function fails. Every other look-up reaches the real one. One at a time.
class ExportStandIns {
public:
    ExportStandIns();
    ~ExportStandIns();
    ExportStandIns(const ExportStandIns&) = delete;
    ExportStandIns& operator=(const ExportStandIns&) = delete;

    // `standIn` null: the export is missing.
    template <class Function>
    void answer(const char* name, Function* standIn)
    {
        answers_[name] = reinterpret_cast<void*>(standIn);
    }
    bool active() const { return lookUp_.active(); }

    // The real export of a loaded system DLL, for a stand-in that passes calls on.
    template <class Function>
    static Function* real(const wchar_t* dllName, const char* name)
    {
        return reinterpret_cast<Function*>(reinterpret_cast<void*>(realLookUp(dllName, name)));
    }

private:
    static FARPROC WINAPI lookUp(HMODULE module, LPCSTR name);
    static FARPROC realLookUp(const wchar_t* dllName, const char* name);

    std::map<std::string, void*> answers_;
    ImportReplacement lookUp_;
};
