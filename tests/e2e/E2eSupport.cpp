#include "e2e/E2eSupport.h"

#include <shellapi.h>

#include <algorithm>

#include "support/ExePaths.h"
#include "support/FileIo.h"

namespace e2e {

Sandbox::Sandbox() : folder_(testing_es::CreateTempFolder(L"es")) {
    std::wstring built = es::GetExeDirectory() + L"\\EchoSentinel.exe";
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

std::vector<std::wstring> FolderEntries(const std::wstring& folder) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW data;
    HANDLE find = ::FindFirstFileW((folder + L"\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
        if (std::wstring name = data.cFileName; name != L"." && name != L"..") names.push_back(name);
    } while (::FindNextFileW(find, &data));
    ::FindClose(find);
    std::sort(names.begin(), names.end());
    return names;
}

HWND WaitForMainWindow(HANDLE process, DWORD timeoutMs) { return WaitForWindow(process, L"EchoSentinel", timeoutMs); }

RemoteMemory::RemoteMemory(HANDLE process, std::size_t size)
    : process_(process),
      base_(static_cast<char*>(::VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE))) {}

RemoteMemory::~RemoteMemory() {
    if (base_) ::VirtualFreeEx(process_, base_, 0, MEM_RELEASE);
}

bool RemoteMemory::Write(std::size_t offset, const void* bytes, std::size_t size) {
    SIZE_T done = 0;
    return base_ && ::WriteProcessMemory(process_, base_ + offset, bytes, size, &done) && done == size;
}

bool RemoteMemory::Read(std::size_t offset, void* bytes, std::size_t size) const {
    SIZE_T done = 0;
    return base_ && ::ReadProcessMemory(process_, base_ + offset, bytes, size, &done) && done == size;
}

std::wstring ListViewCell(HANDLE process, HWND listView, int row, int column) {
    constexpr int kChars = 512;
    RemoteMemory remote(process, sizeof(LVITEMW) + kChars * sizeof(wchar_t));
    LVITEMW item = {};
    item.iSubItem = column;
    item.pszText = reinterpret_cast<wchar_t*>(remote.At(sizeof(LVITEMW)));
    item.cchTextMax = kChars;
    if (!remote.Write(0, &item, sizeof(item))) return L"<unreadable>";
    ::SendMessageW(listView, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(remote.At(0)));
    wchar_t text[kChars] = {};
    remote.Read(sizeof(LVITEMW), text, sizeof(text));
    text[kChars - 1] = L'\0';
    return text;
}

std::vector<int> ListViewColumnOrder(HANDLE process, HWND listView, int columns) {
    RemoteMemory remote(process, sizeof(int) * static_cast<std::size_t>(columns));
    std::vector<int> order(static_cast<std::size_t>(columns), -1);
    ::SendMessageW(listView, LVM_GETCOLUMNORDERARRAY, static_cast<WPARAM>(columns), reinterpret_cast<LPARAM>(remote.At(0)));
    remote.Read(0, order.data(), order.size() * sizeof(int));
    return order;
}

int ListViewColumnWidth(HWND listView, int column) {
    return static_cast<int>(::SendMessageW(listView, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column), 0));
}

int HeaderImage(HANDLE process, HWND listView, int column) {
    HWND header = reinterpret_cast<HWND>(::SendMessageW(listView, LVM_GETHEADER, 0, 0));
    RemoteMemory remote(process, sizeof(HDITEMW));
    HDITEMW item = {};
    item.mask = HDI_FORMAT | HDI_IMAGE;
    remote.Write(0, &item, sizeof(item));
    ::SendMessageW(header, HDM_GETITEMW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(remote.At(0)));
    remote.Read(0, &item, sizeof(item));
    return (item.fmt & HDF_IMAGE) ? item.iImage : -1;
}

}  // namespace e2e
