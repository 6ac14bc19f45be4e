// Runs EchoSentinel.exe from outside, each test in a folder of its own beside a fresh copy.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "common/WinFiles.h"
#include <vector>

namespace e2e {

// A new empty folder with a copy of EchoSentinel.exe; removed with everything in it at the end,
// after any program it started that still runs has been ended.
class Sandbox {
public:
    Sandbox();
    ~Sandbox();
    Sandbox(const Sandbox&) = delete;
    Sandbox& operator=(const Sandbox&) = delete;

    const std::wstring& Folder() const { return folder_; }
    std::wstring Exe() const { return folder_ + L"\\EchoSentinel.exe"; }
    std::wstring PathOf(const std::wstring& name) const { return folder_ + L"\\" + name; }

    // Starts the program with the given arguments; returns the process handle (null on failure).
    HANDLE Start(const std::wstring& arguments) const;
    // Starts the program and waits for it; returns its exit code, or -1 after timeoutMs.
    int Run(const std::wstring& arguments, DWORD timeoutMs = 20000) const;

private:
    std::wstring folder_;
    mutable std::vector<HANDLE> started_;  // ended by force at the end if still running
};

// A visible top-level window of the class owned by the process, waiting up to timeoutMs; null
// when none came or the process ended.
HWND WaitForWindow(HANDLE process, const wchar_t* className, DWORD timeoutMs = 20000);
// The names in a folder, sorted, without "." and "..".
std::vector<std::wstring> FolderEntries(const std::wstring& folder);
// The main window, of class "EchoSentinel".
HWND WaitForMainWindow(HANDLE process, DWORD timeoutMs = 20000);

// A block of memory inside another process, for list-view queries whose structures must live in
// the process that owns the control.
class RemoteMemory {
public:
    RemoteMemory(HANDLE process, std::size_t size);
    ~RemoteMemory();
    RemoteMemory(const RemoteMemory&) = delete;
    RemoteMemory& operator=(const RemoteMemory&) = delete;
    void* At(std::size_t offset) const { return base_ + offset; }
    bool Write(std::size_t offset, const void* bytes, std::size_t size);
    bool Read(std::size_t offset, void* bytes, std::size_t size) const;

private:
    HANDLE process_;
    char* base_;
};

// Queries of the list view of another process.
std::wstring ListViewCell(HANDLE process, HWND listView, int row, int column);
std::vector<int> ListViewColumnOrder(HANDLE process, HWND listView, int columns);
int ListViewColumnWidth(HWND listView, int column);
// The header item's image index, -1 when it shows none.
int HeaderImage(HANDLE process, HWND listView, int column);

using testing_es::ReadFileBytes;
using testing_es::WriteFileBytes;

}  // namespace e2e
