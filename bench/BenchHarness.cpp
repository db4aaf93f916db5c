// Measures other programs from outside under the same conditions:
//   startup RUNS COMMAND FLOOR-COMMAND   median ms from process start to its dialog shown
//   idle SECONDS COMMAND [FLOOR-COMMAND] CPU share of one core while the dialog sits open
//   launch RUNS LAUNCHER.exe STUB.exe    click-to-running of the first row against a bare CreateProcessW
//   requests SECONDS COMMAND             marks an idle window in a traced Wine server's log
// A program's dialog is its visible window with the first row's launch button.
// Prints "name value" lines.
#include "framework/UniqueHandle.h"
#include "res/resource.h"

#include <windows.h>
#include <shellapi.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <optional>
#include <string>
#include <vector>

namespace {

double nowMs()
{
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? -1.0 : values[values.size() / 2];
}

std::wstring quoted(const std::wstring& text) { return L"\"" + text + L"\""; }

struct Search {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK findShownDialog(HWND window, LPARAM parameter)
{
    auto& search = *reinterpret_cast<Search*>(parameter);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (processId != search.processId || !IsWindowVisible(window))
        return TRUE;
    if (!GetDlgItem(window, IDC_LAUNCH_LARKSPUR_X86))
        return TRUE;
    search.found = window;
    return FALSE;
}

HWND shownDialog(DWORD processId)
{
    Search search{processId, nullptr};
    EnumWindows(findShownDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// One running program under measurement; closed (else terminated) at the end.
class Program {
public:
    explicit Program(std::wstring commandLine)
    {
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION created{};
        started_ = nowMs();
        if (CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &created)) {
            process_.reset(created.hProcess);
            thread_.reset(created.hThread);
            processId_ = created.dwProcessId;
        }
    }
    ~Program()
    {
        if (!process_)
            return;
        if (dialog_)
            PostMessageW(dialog_, WM_COMMAND, IDCANCEL, 0);
        if (WaitForSingleObject(process_.get(), 5000) != WAIT_OBJECT_0) {
            TerminateProcess(process_.get(), 1);
            WaitForSingleObject(process_.get(), 5000);
        }
    }
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Milliseconds from before CreateProcessW to the dialog shown; negative on failure.
    double waitShown(double timeoutMs = 30000)
    {
        while (process_ && !(dialog_ = shownDialog(processId_))) {
            if (nowMs() - started_ > timeoutMs)
                return -1;
            Sleep(1);
        }
        return dialog_ ? nowMs() - started_ : -1;
    }
    HWND dialog() const { return dialog_; }
    DWORD processId() const { return processId_; }

private:
    UniqueHandle process_, thread_;
    DWORD processId_ = 0;
    HWND dialog_ = nullptr;
    double started_ = 0;
};

// Alternates the program and its floor, so machine load falls on both alike.
int startup(int, wchar_t** argv)
{
    const int runs = _wtoi(argv[2]);
    std::vector<double> program, floor;
    for (int run = 0; run < runs; ++run) {
        for (auto* times : {&program, &floor}) {
            Program started(times == &program ? argv[3] : argv[4]);
            times->push_back(started.waitShown());
            if (times->back() < 0)
                return 1;
        }
    }
    std::printf("startup_ms %.1f\nstartup_floor_ms %.1f\n", median(program), median(floor));
    return 0;
}

// User plus kernel time of all the process's threads, in 100 ns units.
ULONGLONG processCpu(DWORD processId)
{
    ULONGLONG total = 0;
    const UniqueHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0));
    THREADENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Thread32First(snapshot.get(), &entry); more; more = Thread32Next(snapshot.get(), &entry)) {
        if (entry.th32OwnerProcessID != processId)
            continue;
        const UniqueHandle thread(OpenThread(THREAD_QUERY_INFORMATION, FALSE, entry.th32ThreadID));
        FILETIME created, exited, kernel, user;
        if (thread && GetThreadTimes(thread.get(), &created, &exited, &kernel, &user)) {
            total += (static_cast<ULONGLONG>(kernel.dwHighDateTime) << 32) | kernel.dwLowDateTime;
            total += (static_cast<ULONGLONG>(user.dwHighDateTime) << 32) | user.dwLowDateTime;
        }
    }
    return total;
}

// With a floor command, both programs sit open at once and are measured over
// the same window, so a load that comes and goes on a shared machine falls on
// both alike.
int idle(int argc, wchar_t** argv)
{
    const double seconds = _wtof(argv[2]);
    Program program(argv[3]);
    if (program.waitShown() < 0)
        return 1;
    const bool withFloor = argc >= 5;
    std::optional<Program> floor;
    if (withFloor && floor.emplace(argv[4]).waitShown() < 0)
        return 1;
    Sleep(1000);  // past start-up
    const ULONGLONG cpuBefore = processCpu(program.processId());
    const ULONGLONG floorBefore = withFloor ? processCpu(floor->processId()) : 0;
    const double wallBefore = nowMs();
    Sleep(static_cast<DWORD>(seconds * 1000));
    const ULONGLONG cpuAfter = processCpu(program.processId());
    const ULONGLONG floorAfter = withFloor ? processCpu(floor->processId()) : 0;
    const double wallMs = nowMs() - wallBefore;
    const auto percent = [wallMs](ULONGLONG cpu) { return static_cast<double>(cpu) / 10000.0 / wallMs * 100.0; };
    std::printf("idle_core_percent %.2f\n", percent(cpuAfter - cpuBefore));
    if (withFloor)
        std::printf("idle_floor_core_percent %.2f\n", percent(floorAfter - floorBefore));
    return 0;
}

// Wine's server, started with -d, logs every request it serves; an atom
// lookup by name is a request that shows its text there. Between the two
// marks the program sits open; scripts/bench counts its threads' requests.
void markServerLog(const wchar_t* mark)
{
    GlobalFindAtomW(mark);
}

int requests(int, wchar_t** argv)
{
    const double seconds = _wtof(argv[2]);
    Program program(argv[3]);
    if (program.waitShown() < 0)
        return 1;
    Sleep(1000);  // past start-up
    markServerLog(L"nox.bench.requests.begin");
    Sleep(static_cast<DWORD>(seconds * 1000));
    markServerLog(L"nox.bench.requests.end");
    // The log names threads by their ids, as four hex digits at least.
    std::printf("requests_threads");
    const UniqueHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0));
    THREADENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Thread32First(snapshot.get(), &entry); more; more = Thread32Next(snapshot.get(), &entry))
        if (entry.th32OwnerProcessID == program.processId())
            std::printf(" %04lx", static_cast<unsigned long>(entry.th32ThreadID));
    std::printf("\n");
    return 0;
}

bool waitForFile(const std::wstring& path, double timeoutMs = 20000)
{
    const double start = nowMs();
    while (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
        if (nowMs() - start > timeoutMs)
            return false;
        Sleep(1);
    }
    return true;
}

// Ready when the launcher's row of the stub is enabled.
int launch(int, wchar_t** argv)
{
    const int runs = _wtoi(argv[2]);
    const std::wstring stub = argv[4];
    const std::wstring report = stub + L".report.txt";
    const std::wstring folder = stub.substr(0, stub.rfind(L'\\'));
    Program launcher(quoted(argv[3]));
    if (launcher.waitShown() < 0)
        return 1;
    HWND button = GetDlgItem(launcher.dialog(), IDC_LAUNCH_LARKSPUR_X86);
    const double readyBy = nowMs() + 10000;
    while (!IsWindowEnabled(button) && nowMs() < readyBy)
        Sleep(10);
    if (!IsWindowEnabled(button))
        return 1;

    std::vector<double> clicks, bare;
    for (int run = 0; run < runs; ++run) {
        DeleteFileW(report.c_str());
        double start = nowMs();
        PostMessageW(button, BM_CLICK, 0, 0);
        if (!waitForFile(report))
            return 1;
        clicks.push_back(nowMs() - start);

        DeleteFileW(report.c_str());
        std::wstring commandLine = stub;
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESHOWWINDOW;
        startup.wShowWindow = SW_SHOW;
        PROCESS_INFORMATION created{};
        start = nowMs();
        if (!CreateProcessW(stub.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                            &startup, &created))
            return 1;
        const UniqueHandle process(created.hProcess), thread(created.hThread);
        if (!waitForFile(report))
            return 1;
        bare.push_back(nowMs() - start);
        WaitForSingleObject(process.get(), 5000);
    }
    DeleteFileW(report.c_str());
    std::printf("launch_click_ms %.1f\nlaunch_bare_ms %.1f\n", median(clicks), median(bare));
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc >= 5 && std::wcscmp(argv[1], L"startup") == 0)
        return startup(argc, argv);
    if (argc >= 4 && std::wcscmp(argv[1], L"idle") == 0)
        return idle(argc, argv);
    if (argc >= 5 && std::wcscmp(argv[1], L"launch") == 0)
        return launch(argc, argv);
    if (argc >= 4 && std::wcscmp(argv[1], L"requests") == 0)
        return requests(argc, argv);
    std::fprintf(stderr, "usage: bench_harness startup|idle|launch|requests ...\n");
    return 2;
}
