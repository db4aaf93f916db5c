#include "tests/support/ImportReplacement.h"

#include <cstring>
#include <type_traits>

namespace {

ExportStandIns* activeStandIns = nullptr;
decltype(&GetProcAddress) realGetProcAddress = nullptr;

bool sameName(const char* a, const char* b)
{
    return lstrcmpiA(a, b) == 0;
}

void writeSlot(void** slot, void* value)
{
    DWORD previous = 0;
    if (!VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &previous))
        return;
    *slot = value;
    VirtualProtect(slot, sizeof *slot, previous, &previous);
}

}  // namespace

ImportReplacement::ImportReplacement(const char* dllName, const char* functionName, void* standIn)
{
    auto* const base = reinterpret_cast<BYTE*>(GetModuleHandleW(nullptr));
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& directory = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (directory.VirtualAddress == 0)
        return;
    // A program may import one DLL through several descriptors: every slot counts.
    for (auto* entry = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + directory.VirtualAddress);
         entry->Name != 0; ++entry) {
        if (!sameName(reinterpret_cast<const char*>(base + entry->Name), dllName) || entry->OriginalFirstThunk == 0)
            continue;
        const auto* names = reinterpret_cast<const IMAGE_THUNK_DATA*>(base + entry->OriginalFirstThunk);
        auto* addresses = reinterpret_cast<IMAGE_THUNK_DATA*>(base + entry->FirstThunk);
        for (; names->u1.AddressOfData != 0; ++names, ++addresses) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal))
                continue;
            const auto* byName = reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
            if (std::strcmp(reinterpret_cast<const char*>(byName->Name), functionName) != 0)
                continue;
            void** slot = reinterpret_cast<void**>(&addresses->u1.Function);
            original_ = *slot;
            slots_.push_back({slot, *slot});
        }
    }
    for (const Slot& slot : slots_)
        writeSlot(slot.address, standIn);
}

ImportReplacement::~ImportReplacement()
{
    for (const Slot& slot : slots_)
        writeSlot(slot.address, slot.previous);
}

ExportStandIns::ExportStandIns() : lookUp_("KERNEL32.dll", "GetProcAddress", &ExportStandIns::lookUp)
{
    realGetProcAddress = lookUp_.original<std::remove_pointer_t<decltype(realGetProcAddress)>>();
    activeStandIns = this;
}

ExportStandIns::~ExportStandIns()
{
    activeStandIns = nullptr;
}

FARPROC WINAPI ExportStandIns::lookUp(HMODULE module, LPCSTR name)
{
    const bool byName = (reinterpret_cast<ULONG_PTR>(name) >> 16) != 0;
    if (byName && activeStandIns != nullptr) {
        const auto answer = activeStandIns->answers_.find(name);
        if (answer != activeStandIns->answers_.end())
            return reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(answer->second));
    }
    return realGetProcAddress(module, name);
}

FARPROC ExportStandIns::realLookUp(const wchar_t* dllName, const char* name)
{
    const HMODULE module = GetModuleHandleW(dllName);
    return module != nullptr && realGetProcAddress != nullptr ? realGetProcAddress(module, name) : nullptr;
}
