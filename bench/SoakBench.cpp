// Hours of use in minutes: EchoSentinel.exe pings the rows of an address list back to back from a
// folder of its own while this driver resets and rebuilds the rows every two minutes and samples
// the process once a minute (private bytes, handles, GDI and USER objects, threads). At the end it
// stops pinging, reads every row's counts through the clipboard and checks that each row has had
// the same number of results since the last rebuild, that rows of 127.0.0.0/8 never failed and that
// the others (the silent namespace's) never answered. Prints one line per minute, the growth per
// hour over the last half of the run and the checks; exits 1 when a check fails.
// Usage: es_soak_bench.exe folder minutes entry... (entries of the address list, one a line)
#include <windows.h>
#include <commctrl.h>
#include <psapi.h>
#include <tlhelp32.h>
#include <winternl.h>

#include <cstdio>
#include <cstring>
#include <cwchar>
#include <map>
#include <string>
#include <vector>

#include "addresses/AddressList.h"
#include "resources/ResourceIds.h"
#include "support/ExePaths.h"
#include "support/FileIo.h"
#include "support/Handles.h"

namespace {

constexpr DWORD kTimeoutMs = 1000;          // PingTimeout of the run
constexpr int kRebuildEveryMinutes = 2;
constexpr DWORD kAnswerMs = 120000;         // a rebuild or a copy of 65,535 rows takes seconds, not minutes

// Echoes go only to loopback and to the silent namespace (10.213.0.2 and 10.213.4.0/22).
bool IsSafeTarget(std::uint32_t address) {  // network byte order: the first octet in the lowest byte
    const unsigned a = address & 255, b = (address >> 8) & 255, c = (address >> 16) & 255, d = address >> 24;
    if (a == 127) return true;
    if (a != 10 || b != 213) return false;
    return (c == 0 && d == 2) || (c >= 4 && c <= 7);
}

bool IsLoopback(const std::wstring& address) { return address.rfind(L"127.", 0) == 0; }

double Seconds(ULONGLONG since) { return static_cast<double>(::GetTickCount64() - since) / 1000.0; }

bool WriteText(const std::wstring& path, const std::string& bytes) {
    es::FileHandle file = es::CreateFileForWrite(path);
    return file && es::WriteBytes(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()));
}

// The message sent and answered, or false when the program did not answer within kAnswerMs.
bool Send(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0, DWORD_PTR* result = nullptr) {
    DWORD_PTR ignored = 0;
    return ::SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, kAnswerMs, result ? result : &ignored) != 0;
}

int RowCount(HWND list) {
    DWORD_PTR count = 0;
    return Send(list, LVM_GETITEMCOUNT, 0, 0, &count) ? static_cast<int>(count) : -1;
}

// A visible top-level window of the class, of the process (and owned by owner when given).
HWND FindWindowOf(DWORD processId, const wchar_t* className, HWND owner = nullptr) {
    for (HWND window = nullptr; (window = ::FindWindowExW(nullptr, window, className, nullptr)) != nullptr;) {
        DWORD id = 0;
        ::GetWindowThreadProcessId(window, &id);
        if (id == processId && ::IsWindowVisible(window) && (!owner || ::GetWindow(window, GW_OWNER) == owner))
            return window;
    }
    return nullptr;
}

HWND WaitForWindow(HANDLE process, const wchar_t* className, HWND owner = nullptr, DWORD timeoutMs = 30000) {
    for (const ULONGLONG start = ::GetTickCount64(); ::GetTickCount64() - start < timeoutMs;) {
        if (HWND window = FindWindowOf(::GetProcessId(process), className, owner)) return window;
        if (::WaitForSingleObject(process, 50) == WAIT_OBJECT_0) break;
    }
    return nullptr;
}

// A cell of the list view of another process: the item and its buffer must live in that process.
std::wstring Cell(HANDLE process, HWND list, int row, int column) {
    struct Request {
        LVITEMW item;
        wchar_t text[64];
    } request = {};
    auto* remote = static_cast<Request*>(::VirtualAllocEx(process, nullptr, sizeof(Request), MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    if (!remote) return L"";
    request.item.iSubItem = column;
    request.item.pszText = remote->text;
    request.item.cchTextMax = 63;
    ::WriteProcessMemory(process, remote, &request, sizeof(request), nullptr);
    const bool answered = Send(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(remote));
    ::ReadProcessMemory(process, remote, &request, sizeof(request), nullptr);
    ::VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    return answered ? request.text : L"";
}

// Results of the row since its last reset: the last row is sent last, so this counts whole rounds.
long ResultsOfRow(HANDLE process, HWND list, int row) {
    return std::wcstol(Cell(process, list, row, 3).c_str(), nullptr, 10) + std::wcstol(Cell(process, list, row, 4).c_str(), nullptr, 10);
}

// The process's entries in the system's handle table, as Wine lays them out (Windows keeps the
// same size); asked only where GetProcessHandleCount answers 0, as Wine 8 does for every process.
std::size_t HandlesInSystemTable(DWORD processId) {
    struct Entry {
        ULONG processId;
        BYTE type, flags;
        USHORT handle;
        PVOID object;
        ACCESS_MASK access;
    };
    constexpr auto kSystemHandleInformation = static_cast<SYSTEM_INFORMATION_CLASS>(16);
    constexpr NTSTATUS kBufferTooSmall = static_cast<NTSTATUS>(0xC0000004L);
    std::vector<char> buffer(1 << 20);
    ULONG length = 0;
    NTSTATUS status;
    while ((status = ::NtQuerySystemInformation(kSystemHandleInformation, buffer.data(), static_cast<ULONG>(buffer.size()),
                                                &length)) == kBufferTooSmall)
        buffer.resize(buffer.size() * 2);
    if (status != 0) return 0;
    ULONG count = 0;
    std::memcpy(&count, buffer.data(), sizeof(count));
    const auto* entries = reinterpret_cast<const Entry*>(buffer.data() + sizeof(ULONG_PTR));
    std::size_t mine = 0;
    for (ULONG i = 0; i < count; ++i) mine += entries[i].processId == processId ? 1 : 0;
    return mine;
}

struct Sample {
    double minute;
    double privateKb, handles, gdi, user, threads;
};

Sample TakeSample(HANDLE process, double minute) {
    Sample s = {minute, 0, 0, 0, 0, 0};
    PROCESS_MEMORY_COUNTERS_EX memory = {};
    memory.cb = sizeof(memory);
    // Wine 8 leaves PrivateUsage 0; PagefileUsage is the same commit charge on Windows and the
    // process's anonymous memory under Wine.
    if (::GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof(memory)))
        s.privateKb = static_cast<double>((memory.PrivateUsage ? memory.PrivateUsage : memory.PagefileUsage) / 1024);
    DWORD handles = 0;
    if (::GetProcessHandleCount(process, &handles)) s.handles = handles;
    if (s.handles == 0) s.handles = static_cast<double>(HandlesInSystemTable(::GetProcessId(process)));
    s.gdi = ::GetGuiResources(process, GR_GDIOBJECTS);
    s.user = ::GetGuiResources(process, GR_USEROBJECTS);
    es::KernelHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0));
    THREADENTRY32 thread = {sizeof(thread)};
    const DWORD id = ::GetProcessId(process);
    if (snapshot.Get() != INVALID_HANDLE_VALUE && ::Thread32First(snapshot.Get(), &thread)) {
        do s.threads += thread.th32OwnerProcessID == id ? 1 : 0;
        while (::Thread32Next(snapshot.Get(), &thread));
    }
    return s;
}

// The least-squares slope of a figure over the samples, per hour.
double GrowthPerHour(const std::vector<Sample>& samples, double Sample::*figure) {
    double n = 0, sx = 0, sy = 0, sxx = 0, sxy = 0;
    for (const Sample& s : samples) {
        n += 1;
        sx += s.minute;
        sy += s.*figure;
        sxx += s.minute * s.minute;
        sxy += s.minute * (s.*figure);
    }
    const double d = n * sxx - sx * sx;
    return d > 0 ? (n * sxy - sx * sy) / d * 60.0 : 0.0;
}

struct RowCounts {
    std::wstring address;
    long succeeded, failed;
};

// Select All and Copy Selected Items, then the clipboard's tab-delimited lines: host, address,
// reply address, succeeded, failed, and the rest. Empty when the program did not answer.
std::vector<RowCounts> CopyAllRows(HWND window) {
    std::vector<RowCounts> rows;
    if (!Send(window, WM_COMMAND, IDM_SELECTALL) || !Send(window, WM_COMMAND, IDM_COPYSELECTED)) return rows;
    std::wstring text;
    if (!::OpenClipboard(nullptr)) return rows;
    if (HANDLE data = ::GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* units = static_cast<const wchar_t*>(::GlobalLock(data))) {
            text.assign(units, wcsnlen(units, ::GlobalSize(data) / sizeof(wchar_t)));
            ::GlobalUnlock(data);
        }
    }
    ::CloseClipboard();
    Send(window, WM_COMMAND, IDM_DESELECTALL);
    for (std::size_t start = 0; start < text.size();) {
        std::size_t end = text.find(L"\r\n", start);
        if (end == std::wstring::npos) end = text.size();
        std::vector<std::wstring> fields;
        for (std::size_t f = start; f <= end;) {
            std::size_t tab = text.find(L'\t', f);
            if (tab == std::wstring::npos || tab > end) tab = end;
            fields.push_back(text.substr(f, tab - f));
            f = tab + 1;
        }
        if (fields.size() > 4)
            rows.push_back({fields[1], std::wcstol(fields[3].c_str(), nullptr, 10), std::wcstol(fields[4].c_str(), nullptr, 10)});
        start = end + 2;
    }
    return rows;
}

bool SameCounts(const std::vector<RowCounts>& a, const std::vector<RowCounts>& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i].succeeded != b[i].succeeded || a[i].failed != b[i].failed) return false;
    }
    return true;
}

// Reset, then Ping Options and its OK button, which rebuilds every row and starts a round.
bool ResetAndRebuild(HANDLE process, HWND window, HWND list, int rows, double& resetMs, double& rebuildMs) {
    ULONGLONG start = ::GetTickCount64();
    ::PostMessageW(window, WM_COMMAND, IDM_RESET, 0);
    if (!Send(window, WM_NULL)) return false;
    resetMs = Seconds(start) * 1000.0;
    ::PostMessageW(window, WM_COMMAND, IDM_PINGOPTIONS, 0);
    HWND options = WaitForWindow(process, L"#32770", window);
    if (!options) return false;
    start = ::GetTickCount64();
    ::PostMessageW(options, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(options, IDOK)));
    while (::IsWindow(options) && Seconds(start) * 1000.0 < kAnswerMs) ::Sleep(10);
    const bool rebuilt = Send(window, WM_NULL) && RowCount(list) == rows;
    rebuildMs = Seconds(start) * 1000.0;
    return rebuilt;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: es_soak_bench folder minutes entry...\n");
        return 2;
    }
    std::wstring folder = argv[1];
    for (wchar_t& c : folder) c = c == L'/' ? L'\\' : c;
    const int minutes = std::max(1, _wtoi(argv[2]));
    std::wstring listText;
    for (int i = 3; i < argc; ++i) listText += std::wstring(argv[i]) + L"\r\n";
    int rows = 0;
    bool safe = true;
    es::ExpandAddressList(listText, false, [&](es::AddressRow& row) {
        ++rows;
        safe = safe && row.address != 0 && IsSafeTarget(row.address);
    });
    if (!safe || rows == 0) {
        std::fprintf(stderr, "only addresses of 127.0.0.0/8, 10.213.0.2 and 10.213.4.0/22 are pinged here\n");
        return 2;
    }

    // The program, its options and its list in the folder, so that nothing of the user's is read or written.
    const std::wstring exe = folder + L"\\EchoSentinel.exe", list = folder + L"\\list.txt";
    if (!::CopyFileW((es::GetExeDirectory() + L"\\EchoSentinel.exe").c_str(), exe.c_str(), FALSE) ||
        !WriteText(folder + L"\\EchoSentinel.cfg",
                   "[General]\r\nPingEvery=1\r\nPingEverySeconds=0\r\nPingTimeout=" + std::to_string(kTimeoutMs) +
                       "\r\nLogStateChanges=1\r\n") ||
        !WriteText(list, std::string(listText.begin(), listText.end()))) {
        std::fprintf(stderr, "cannot write to the folder\n");
        return 2;
    }
    std::wstring commandLine = L"\"" + exe + L"\" /loadfile \"" + list + L"\"";
    STARTUPINFOW si = {sizeof(si)};
    PROCESS_INFORMATION pi = {};
    if (!::CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &si, &pi)) {
        std::fprintf(stderr, "cannot start EchoSentinel.exe: error %lu\n", ::GetLastError());
        return 2;
    }
    es::KernelHandle process(pi.hProcess), thread(pi.hThread);
    const auto fail = [&](const char* what) {
        std::printf("failed: %s\n", what);
        ::TerminateProcess(process.Get(), 99);
        ::WaitForSingleObject(process.Get(), 10000);
        return 1;
    };

    const ULONGLONG launched = ::GetTickCount64();
    HWND window = WaitForWindow(process.Get(), L"EchoSentinel");
    HWND listView = window ? ::FindWindowExW(window, nullptr, L"SysListView32", nullptr) : nullptr;
    if (!listView) return fail("no main window");
    while (RowCount(listView) != rows && Seconds(launched) * 1000.0 < kAnswerMs) ::Sleep(100);
    if (RowCount(listView) != rows) return fail("the rows were not built");
    std::printf("rows %d loaded_s %.1f\n", rows, Seconds(launched));

    // Minute 0 is the moment the rows are there and the first round is under way.
    const ULONGLONG begin = ::GetTickCount64();
    ULONGLONG lastRebuild = begin;
    std::vector<Sample> samples;
    for (int minute = 0; minute <= minutes; ++minute) {
        const ULONGLONG due = begin + static_cast<ULONGLONG>(minute) * 60000;
        for (ULONGLONG now = ::GetTickCount64(); now < due; now = ::GetTickCount64()) {
            if (::WaitForSingleObject(process.Get(), static_cast<DWORD>(due - now)) == WAIT_OBJECT_0) return fail("the program ended");
        }
        const Sample s = TakeSample(process.Get(), Seconds(begin) / 60.0);
        samples.push_back(s);
        std::printf("minute %d rows %d rounds %ld private_kb %.0f handles %.0f gdi %.0f user %.0f threads %.0f\n", minute,
                    RowCount(listView), ResultsOfRow(process.Get(), listView, rows - 1), s.privateKb, s.handles, s.gdi,
                    s.user, s.threads);
        std::fflush(stdout);
        if (minute == 0 || minute == minutes || minute % kRebuildEveryMinutes != 0) continue;
        double resetMs = 0, rebuildMs = 0;
        if (!ResetAndRebuild(process.Get(), window, listView, rows, resetMs, rebuildMs)) return fail("reset and rebuild");
        lastRebuild = ::GetTickCount64();
        std::printf("minute %d reset_ms %.0f rebuild_ms %.0f\n", minute, resetMs, rebuildMs);
        std::fflush(stdout);
    }

    // The samples of the last half of the run (minute M/2 rounded down onwards, so at least two),
    // extrapolated to an hour.
    const std::vector<Sample> lastHalf(samples.begin() + minutes / 2, samples.end());
    const double privateGrowth = GrowthPerHour(lastHalf, &Sample::privateKb);
    const double privatePercent = lastHalf.front().privateKb > 0 ? privateGrowth * 100.0 / lastHalf.front().privateKb : 0.0;
    const double handleGrowth = GrowthPerHour(lastHalf, &Sample::handles), gdiGrowth = GrowthPerHour(lastHalf, &Sample::gdi),
                 userGrowth = GrowthPerHour(lastHalf, &Sample::user);
    std::printf("growth_per_hour private_kb %+.0f (%+.1f%%) handles %+.0f gdi %+.0f user %+.0f threads %+.0f (minutes %.1f to %.1f)\n",
                privateGrowth, privatePercent, handleGrowth, gdiGrowth, userGrowth, GrowthPerHour(lastHalf, &Sample::threads),
                lastHalf.front().minute, lastHalf.back().minute);
    const bool flat = handleGrowth < 0.5 && gdiGrowth < 0.5 && userGrowth < 0.5 && privatePercent <= 1.0;
    const double span = lastHalf.back().minute - lastHalf.front().minute;
    std::printf("target handles, gdi and user flat, private_kb <= 1%% per hour: %s%s\n", flat ? "met" : "missed",
                span < 30 ? " (a last half this short shows noise; an hour or more tells)" : "");

    // Stopped: the round under way is still sent to its end and its echoes land; the counts are
    // read until two reads a timeout and a second apart agree.
    const ULONGLONG stopped = ::GetTickCount64();
    const double pingedSeconds = static_cast<double>(stopped - lastRebuild) / 1000.0;
    if (!Send(window, WM_COMMAND, IDM_STOPPING)) return fail("Stop Ping");
    std::vector<RowCounts> counts, again;
    bool settled = false;
    for (int read = 0; read < 60 && !settled; ++read) {
        ::Sleep(kTimeoutMs + 1000);
        again = CopyAllRows(window);
        settled = !again.empty() && SameCounts(counts, again);
        counts.swap(again);
    }
    std::printf("settled_s %.1f after Stop Ping%s\n", Seconds(stopped), settled ? "" : " (still changing)");

    std::map<long, int> rowsByResults;
    int silentRows = 0, silentAnswered = 0, loopbackFailed = 0;
    for (const RowCounts& row : counts) {
        ++rowsByResults[row.succeeded + row.failed];
        if (IsLoopback(row.address)) {
            loopbackFailed += row.failed != 0 ? 1 : 0;
        } else {
            ++silentRows;
            silentAnswered += row.succeeded != 0 ? 1 : 0;
        }
    }
    long rounds = 0;
    int most = 0;
    for (const auto& [results, count] : rowsByResults) {
        if (count <= most) continue;
        rounds = results;
        most = count;
    }
    const int differing = static_cast<int>(counts.size()) - most;
    std::printf("rows %zu rounds %ld differing %d\n", counts.size(), rounds, differing);
    std::printf("round_s %.2f (%ld rounds in %.0f s since the last rebuild)\n", rounds > 0 ? pingedSeconds / static_cast<double>(rounds) : 0.0,
                rounds, pingedSeconds);
    std::printf("silent_rows %d silent_answered %d loopback_failed %d\n", silentRows, silentAnswered, loopbackFailed);
    if (differing > 0) {
        for (const auto& [results, count] : rowsByResults) std::printf("  %d rows with %ld results\n", count, results);
    }

    const ULONGLONG closing = ::GetTickCount64();
    ::PostMessageW(window, WM_CLOSE, 0, 0);
    const bool ended = ::WaitForSingleObject(process.Get(), 60000) == WAIT_OBJECT_0;
    std::printf("close_ms %.0f%s\n", Seconds(closing) * 1000.0, ended ? "" : " (still running: terminated)");
    if (!ended) {
        ::TerminateProcess(process.Get(), 99);
        ::WaitForSingleObject(process.Get(), 10000);
    }
    // Written beside the program when state changes are logged.
    WIN32_FILE_ATTRIBUTE_DATA log = {};
    if (::GetFileAttributesExW((folder + L"\\EchoSentinel_log.csv").c_str(), GetFileExInfoStandard, &log))
        std::printf("state_log_bytes %lu\n", log.nFileSizeLow);
    else
        std::printf("state_log none\n");
    const bool ok = ended && settled && static_cast<int>(counts.size()) == rows && rounds > 0 && differing == 0 &&
                    silentAnswered == 0 && loopbackFailed == 0;
    std::printf("%s\n", ok ? "ok" : "failed");
    return ok ? 0 : 1;
}
