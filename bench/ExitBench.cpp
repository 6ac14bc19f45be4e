// How long EchoSentinel.exe takes to end after its window is closed while an echo to a host that
// never answers waits for a long timeout. Runs the program beside this benchmark in a folder of
// its own with /nosaveload, closes it once the round is under way, and prints: timeout ms,
// milliseconds from WM_CLOSE to the end of the process. Usage: es_exit_bench silent-address [timeout-ms]
#include <windows.h>

#include <cstdio>
#include <string>

#include "support/ExePaths.h"

namespace {

struct Search {
    DWORD processId;
    HWND found;
};

HWND MainWindowOf(DWORD processId) {
    Search search{processId, nullptr};
    ::EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<Search*>(param);
            DWORD owner = 0;
            ::GetWindowThreadProcessId(window, &owner);
            wchar_t name[64] = {};
            ::GetClassNameW(window, name, 64);
            if (owner != s->processId || std::wstring(name) != L"EchoSentinel" || !::IsWindowVisible(window)) return TRUE;
            s->found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: es_exit_bench silent-address [timeout-ms]\n");
        return 2;
    }
    const std::wstring timeout = argc > 2 ? argv[2] : L"20000";
    wchar_t temp[MAX_PATH];
    ::GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + L"es-exit-bench";
    ::CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring exe = folder + L"\\EchoSentinel.exe", list = folder + L"\\list.txt";
    ::CopyFileW((es::GetExeDirectory() + L"\\EchoSentinel.exe").c_str(), exe.c_str(), FALSE);
    const std::string rows = std::string(argv[1], argv[1] + wcslen(argv[1])) + "\r\n127.0.0.1\r\n";
    HANDLE file = ::CreateFileW(list.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    ::WriteFile(file, rows.data(), static_cast<DWORD>(rows.size()), &written, nullptr);
    ::CloseHandle(file);

    std::wstring commandLine = L"\"" + exe + L"\" /nosaveload /PingTimeout " + timeout + L" /loadfile \"" + list + L"\"";
    STARTUPINFOW si = {sizeof(si)};
    PROCESS_INFORMATION pi = {};
    if (!::CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &si, &pi))
        return 1;
    HWND window = nullptr;
    for (int i = 0; i < 400 && !window; ++i, ::Sleep(50)) window = MainWindowOf(pi.dwProcessId);
    if (!window) return 1;
    ::Sleep(1500);  // the round is under way: the loopback row has answered, the silent one waits
    LARGE_INTEGER frequency, start, end;
    ::QueryPerformanceFrequency(&frequency);
    ::QueryPerformanceCounter(&start);
    ::PostMessageW(window, WM_CLOSE, 0, 0);
    ::WaitForSingleObject(pi.hProcess, INFINITE);
    ::QueryPerformanceCounter(&end);
    std::printf("%ls %.0f\n", timeout.c_str(),
                1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart));
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    ::DeleteFileW(exe.c_str());
    ::DeleteFileW(list.c_str());
    ::RemoveDirectoryW(folder.c_str());
    return 0;
}
