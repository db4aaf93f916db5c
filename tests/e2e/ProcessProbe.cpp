#include "tests/e2e/ProcessProbe.h"

#include "framework/UniqueHandle.h"

#include <tlhelp32.h>
#include <winternl.h>

#include <algorithm>
#include <iterator>

namespace e2e {
namespace {

// The documented head of the parameters block, followed by the environment pointer.
struct ProcessParametersHead {
    RTL_USER_PROCESS_PARAMETERS documented;
    PVOID environment;
};

template <typename T>
bool readRemote(HANDLE process, const void* address, T& out)
{
    SIZE_T read = 0;
    return ReadProcessMemory(process, address, &out, sizeof out, &read) && read == sizeof out;
}

}  // namespace

std::optional<std::vector<std::wstring>> readEnvironment(DWORD processId)
{
    const UniqueHandle process(OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId));
    if (!process)
        return std::nullopt;
    using QueryFn = NTSTATUS(NTAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);
    const auto query = reinterpret_cast<QueryFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationProcess")));
    PROCESS_BASIC_INFORMATION basic{};
    if (!query || query(process.get(), ProcessBasicInformation, &basic, sizeof basic, nullptr) != 0)
        return std::nullopt;
    PEB peb{};
    ProcessParametersHead parameters{};
    if (!readRemote(process.get(), basic.PebBaseAddress, peb) ||
        !readRemote(process.get(), peb.ProcessParameters, parameters) || !parameters.environment)
        return std::nullopt;

    // The block ends with an empty entry; read it a page at a time up to 1 MB.
    std::wstring block;
    const auto* address = static_cast<const char*>(parameters.environment);
    for (std::size_t offset = 0; offset < (1u << 20) && block.find(std::wstring(2, L'\0')) == std::wstring::npos;
         offset += 4096) {
        wchar_t page[2048];
        SIZE_T read = 0;
        if (!ReadProcessMemory(process.get(), address + offset, page, sizeof page, &read) || read == 0)
            break;
        block.append(page, read / sizeof(wchar_t));
    }
    const std::size_t end = block.find(std::wstring(2, L'\0'));
    if (end == std::wstring::npos)
        return std::nullopt;
    std::vector<std::wstring> entries;
    for (std::size_t at = 0; at < end;) {
        const std::size_t stop = block.find(L'\0', at);
        entries.push_back(block.substr(at, stop - at));
        at = stop + 1;
    }
    return entries;
}

std::vector<DWORD> runningProcessIds()
{
    std::vector<DWORD> ids;
    const UniqueHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot)
        return ids;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot.get(), &entry); more; more = Process32NextW(snapshot.get(), &entry))
        ids.push_back(entry.th32ProcessID);
    std::sort(ids.begin(), ids.end());
    return ids;
}

std::vector<DWORD> processesStartedSince(const std::vector<DWORD>& before)
{
    const std::vector<DWORD> now = runningProcessIds();
    std::vector<DWORD> started;
    std::set_difference(now.begin(), now.end(), before.begin(), before.end(), std::back_inserter(started));
    return started;
}

}  // namespace e2e
