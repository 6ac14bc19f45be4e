// Runs EchoSentinel.exe from outside, each test in a folder of its own beside a fresh copy.
#pragma once

#include <windows.h>

#include <string>
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

// The top-level window of class "EchoSentinel" owned by the process, waiting up to timeoutMs.
HWND WaitForMainWindow(HANDLE process, DWORD timeoutMs = 20000);

std::string ReadFileBytes(const std::wstring& path);
void WriteFileBytes(const std::wstring& path, const std::string& bytes);

}  // namespace e2e
