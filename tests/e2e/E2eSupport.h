// Runs EchoSentinel.exe from outside, each test in a folder of its own beside a fresh copy, and
// reads its windows through their messages.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "common/WinFiles.h"

namespace e2e {

using testing_es::ReadFileBytes;
using testing_es::Utf16Bytes;
using testing_es::WriteFileBytes;

// A new empty folder with a copy of EchoSentinel.exe; at the end, programs it started that still
// run are ended and the folder is removed with everything in it.
class Sandbox {
public:
    Sandbox();
    ~Sandbox();

    const std::wstring& Folder() const { return folder_.Path(); }
    std::wstring PathOf(const std::wstring& name) const { return folder_.PathOf(name); }
    // The program started with the arguments in the folder; the handle belongs to the sandbox.
    HANDLE Start(const std::wstring& arguments, HANDLE output = nullptr) const;
    // Started and waited for: its exit code, or -1 after timeoutMs.
    int Run(const std::wstring& arguments, DWORD timeoutMs = 20000) const;
    // The same with its standard output on a pipe, whose bytes go to output.
    int RunCapturing(const std::wstring& arguments, std::string& output, DWORD timeoutMs = 60000) const;

private:
    testing_es::TempFolder folder_{L"es"};  // removed after the destructor has ended the programs
    mutable std::vector<HANDLE> started_;
};

// The process's exit code once it has ended, or -1 when it still runs after timeoutMs.
int ExitCode(HANDLE process, DWORD timeoutMs = 20000);
// A window's or control's text; those of another process answer too.
std::wstring WindowText(HWND window);
// The message of a message box.
inline std::wstring MessageText(HWND box) { return WindowText(::GetDlgItem(box, 0xFFFF)); }
inline HWND ListViewOf(HWND mainWindow) { return ::FindWindowExW(mainWindow, nullptr, L"SysListView32", nullptr); }

// A visible top-level window of the class owned by the process, waiting up to timeoutMs; null
// when none came or the process ended. The main window's class is "EchoSentinel".
HWND WaitForWindow(HANDLE process, const wchar_t* className, DWORD timeoutMs = 20000);
inline HWND WaitForMainWindow(HANDLE process) { return WaitForWindow(process, L"EchoSentinel"); }
// The program started with a file of these bytes as its /loadfile list after the arguments, and
// its main window and list view; null handles when no window came.
struct Running {
    HANDLE process = nullptr;
    HWND window = nullptr;
    HWND list = nullptr;
};
Running StartOnList(const Sandbox& box, const std::string& listBytes, const std::wstring& arguments);

// The names in a folder, sorted, without "." and "..".
std::vector<std::wstring> FolderEntries(const std::wstring& folder);

// The bytes a report must have, from tests/e2e/expected/name: a file written by hand in UTF-8
// with line feeds, given the program's line ends and encoding (UTF-16LE with its mark, or ANSI
// for comma-delimited reports, the names ending in "scomma").
std::string ExpectedReport(const std::string& name);

// Queries of the list view of another process, whose structures must live in that process.
std::wstring ListViewCell(HANDLE process, HWND listView, int row, int column);
// The rectangle a message of another process's control writes over the request it is given.
RECT RemoteRect(HANDLE process, HWND control, UINT message, WPARAM wParam, RECT request);

// Asks the main window to close, and waits for the process's exit code as ExitCode does.
inline int CloseAndWait(HANDLE process, HWND mainWindow) {
    ::PostMessageW(mainWindow, WM_CLOSE, 0, 0);
    return ExitCode(process);
}

// Polls condition until it holds, or gives up after timeoutMs.
template <typename Condition>
bool Until(Condition condition, DWORD timeoutMs = 10000) {
    for (const DWORD start = ::GetTickCount(); ::GetTickCount() - start < timeoutMs; ::Sleep(25))
        if (condition()) return true;
    return false;
}

}  // namespace e2e
