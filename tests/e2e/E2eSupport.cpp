#include "e2e/E2eSupport.h"

#include <algorithm>

#include "support/ExePaths.h"

namespace e2e {

Sandbox::Sandbox() {
    ::CopyFileW((es::GetExeDirectory() + L"\\EchoSentinel.exe").c_str(), PathOf(L"EchoSentinel.exe").c_str(), FALSE);
}

Sandbox::~Sandbox() {
    for (HANDLE process : started_) {
        if (::WaitForSingleObject(process, 0) == WAIT_TIMEOUT && ::TerminateProcess(process, 99))
            ::WaitForSingleObject(process, 5000);
        ::CloseHandle(process);
    }
}

HANDLE Sandbox::Start(const std::wstring& arguments, HANDLE output) const {
    const std::wstring exe = PathOf(L"EchoSentinel.exe");
    std::wstring commandLine = L"\"" + exe + L"\" " + arguments;
    STARTUPINFOW si = {sizeof(si)};
    if (output) {
        si.dwFlags = STARTF_USESTDHANDLES;
        si.hStdOutput = output;
    }
    PROCESS_INFORMATION pi = {};
    if (!::CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, output != nullptr, 0, nullptr, Folder().c_str(), &si, &pi))
        return nullptr;
    ::CloseHandle(pi.hThread);
    started_.push_back(pi.hProcess);
    return pi.hProcess;
}

int Sandbox::Run(const std::wstring& arguments, DWORD timeoutMs) const {
    HANDLE process = Start(arguments);
    return process ? ExitCode(process, timeoutMs) : -1;
}

int Sandbox::RunCapturing(const std::wstring& arguments, std::string& output, DWORD timeoutMs) const {
    SECURITY_ATTRIBUTES inherited = {sizeof(inherited), nullptr, TRUE};
    HANDLE read = nullptr, write = nullptr;
    if (!::CreatePipe(&read, &write, &inherited, 0)) return -1;
    ::SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0);
    HANDLE process = Start(arguments, write);
    ::CloseHandle(write);
    output.clear();
    const auto drain = [&] {
        char chunk[4096];
        DWORD available = 0, got = 0;
        while (::PeekNamedPipe(read, nullptr, 0, nullptr, &available, nullptr) && available &&
               ::ReadFile(read, chunk, sizeof(chunk), &got, nullptr) && got)
            output.append(chunk, got);
    };
    for (const DWORD start = ::GetTickCount(); process && ::GetTickCount() - start < timeoutMs;) {
        drain();
        if (::WaitForSingleObject(process, 20) == WAIT_OBJECT_0) break;
    }
    drain();
    ::CloseHandle(read);
    return process ? ExitCode(process, 0) : -1;
}

int ExitCode(HANDLE process, DWORD timeoutMs) {
    DWORD code = static_cast<DWORD>(-1);
    if (::WaitForSingleObject(process, timeoutMs) == WAIT_OBJECT_0) ::GetExitCodeProcess(process, &code);
    return static_cast<int>(code);
}

// Asked with WM_GETTEXT: GetWindowText does not ask the controls of another process.
std::wstring WindowText(HWND window) {
    wchar_t text[512] = L"";
    ::SendMessageW(window, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text));
    return text;
}

HWND WaitForWindow(HANDLE process, const wchar_t* className, DWORD timeoutMs) {
    const DWORD processId = ::GetProcessId(process);
    for (const DWORD start = ::GetTickCount(); ::GetTickCount() - start < timeoutMs;) {
        for (HWND window = nullptr; (window = ::FindWindowExW(nullptr, window, className, nullptr)) != nullptr;) {
            DWORD owner = 0;
            ::GetWindowThreadProcessId(window, &owner);
            if (owner == processId && ::IsWindowVisible(window)) return window;
        }
        if (::WaitForSingleObject(process, 50) == WAIT_OBJECT_0) return nullptr;
    }
    return nullptr;
}

Running StartOnList(const Sandbox& box, const std::string& listBytes, const std::wstring& arguments) {
    WriteFileBytes(box.PathOf(L"list.txt"), listBytes);
    Running run;
    run.process = box.Start(arguments + L" /loadfile \"" + box.PathOf(L"list.txt") + L"\"");
    run.window = WaitForMainWindow(run.process);
    run.list = run.window ? ListViewOf(run.window) : nullptr;
    return run;
}

std::vector<std::wstring> FolderEntries(const std::wstring& folder) {
    std::vector<std::wstring> names;
    testing_es::ForEachEntry(folder, [&](const std::wstring& name, DWORD) { names.push_back(name); });
    std::sort(names.begin(), names.end());
    return names;
}

std::string ExpectedReport(const std::string& name) {
    const std::string path = "Z:" ES_EXPECTED_DIR "/" + name;  // the Windows API takes / as a separator
    std::string utf8 = ReadFileBytes(std::wstring(path.begin(), path.end())), text;
    for (char c : utf8) text += c == '\n' ? std::string("\r\n") : std::string(1, c);
    if (name.size() >= 6 && name.substr(name.size() - 6) == "scomma") return text;
    std::wstring wide(text.size(), L'\0');
    wide.resize(static_cast<std::size_t>(::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                                               wide.data(), static_cast<int>(wide.size()))));
    return "\xFF\xFE" + Utf16Bytes(wide);
}

// The item and its text buffer must live in the list view's own process.
std::wstring ListViewCell(HANDLE process, HWND listView, int row, int column) {
    constexpr int kChars = 512;
    struct Request {
        LVITEMW item;
        wchar_t text[kChars];
    } request = {};
    auto* remote = static_cast<Request*>(::VirtualAllocEx(process, nullptr, sizeof(Request), MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    request.item.iSubItem = column;
    request.item.pszText = remote->text;
    request.item.cchTextMax = kChars - 1;
    ::WriteProcessMemory(process, remote, &request, sizeof(request), nullptr);
    ::SendMessageW(listView, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(remote));
    ::ReadProcessMemory(process, remote, &request, sizeof(request), nullptr);
    ::VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    return request.text;
}

RECT RemoteRect(HANDLE process, HWND control, UINT message, WPARAM wParam, RECT request) {
    auto* remote = static_cast<RECT*>(::VirtualAllocEx(process, nullptr, sizeof(RECT), MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    ::WriteProcessMemory(process, remote, &request, sizeof(request), nullptr);
    ::SendMessageW(control, message, wParam, reinterpret_cast<LPARAM>(remote));
    ::ReadProcessMemory(process, remote, &request, sizeof(request), nullptr);
    ::VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    return request;
}

}  // namespace e2e
