#include "e2e/E2eSupport.h"

#include <shellapi.h>

#include "support/ExePaths.h"
#include "support/FileIo.h"

namespace e2e {

Sandbox::Sandbox() : folder_(testing_es::CreateTempFolder(L"es")) {    std::wstring built = es::GetExeDirectory() + L"\\EchoSentinel.exe";
    ::CopyFileW(built.c_str(), Exe().c_str(), FALSE);
}

Sandbox::~Sandbox() {
    for (HANDLE process : started_) {
        if (::WaitForSingleObject(process, 0) == WAIT_TIMEOUT) {
            ::TerminateProcess(process, 99);
            ::WaitForSingleObject(process, 5000);
        }
        ::CloseHandle(process);
    }
    std::wstring from = folder_ + L'\0';
    SHFILEOPSTRUCTW op = {};
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
    ::SHFileOperationW(&op);
}

HANDLE Sandbox::Start(const std::wstring& arguments) const {
    std::wstring commandLine = L"\"" + Exe() + L"\"";
    if (!arguments.empty()) commandLine += L" " + arguments;
    STARTUPINFOW si = {sizeof(si)};
    PROCESS_INFORMATION pi = {};
    if (!::CreateProcessW(Exe().c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder_.c_str(), &si,
                          &pi))
        return nullptr;
    ::CloseHandle(pi.hThread);
    HANDLE mine = nullptr;
    ::DuplicateHandle(::GetCurrentProcess(), pi.hProcess, ::GetCurrentProcess(), &mine, 0, FALSE,
                      DUPLICATE_SAME_ACCESS);
    if (mine) started_.push_back(mine);
    return pi.hProcess;
}

int Sandbox::Run(const std::wstring& arguments, DWORD timeoutMs) const {
    HANDLE process = Start(arguments);
    if (!process) return -2;
    DWORD code = static_cast<DWORD>(-1);
    if (::WaitForSingleObject(process, timeoutMs) == WAIT_OBJECT_0) {
        ::GetExitCodeProcess(process, &code);
    }
    ::CloseHandle(process);
    return static_cast<int>(code);
}

namespace {
struct Search {
    DWORD processId;
    const wchar_t* className;
    HWND found;
};
}  // namespace

HWND WaitForWindow(HANDLE process, const wchar_t* className, DWORD timeoutMs) {
    Search search{::GetProcessId(process), className, nullptr};
    DWORD start = ::GetTickCount();
    while (::GetTickCount() - start < timeoutMs) {
        ::EnumWindows(
            [](HWND window, LPARAM param) -> BOOL {
                auto* s = reinterpret_cast<Search*>(param);
                DWORD owner = 0;
                ::GetWindowThreadProcessId(window, &owner);
                wchar_t cls[64] = {};
                ::GetClassNameW(window, cls, 64);
                if (owner == s->processId && wcscmp(cls, s->className) == 0 && ::IsWindowVisible(window)) {
                    s->found = window;
                    return FALSE;
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&search));
        if (search.found) return search.found;
        if (::WaitForSingleObject(process, 50) == WAIT_OBJECT_0) return nullptr;
    }
    return nullptr;
}

HWND WaitForMainWindow(HANDLE process, DWORD timeoutMs) { return WaitForWindow(process, L"EchoSentinel", timeoutMs); }

}  // namespace e2e
