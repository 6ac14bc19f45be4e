// The texts of the exception report: byte dumps, module paths as the system hands them out, and
// the report itself from what the fault left (x64 registers, addresses in 16 digits).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace es {

// Each byte as two upper-case digits, one space between bytes; with a group size above 0, two
// more spaces before every group (the first included).
std::wstring HexDump(const std::vector<std::uint8_t>& bytes, int groupSize);

// A module path as a user reads it: "\??\C:\x" -> "C:\x", "\SystemRoot\x" -> windowsFolder + "\x",
// "\x" -> the Windows folder's drive + "\x"; anything else unchanged.
std::wstring NormalizeModulePath(std::wstring_view path, std::wstring_view windowsFolder);

struct FaultReport {
    std::wstring headline;  // the exception code line, or a C++ exception's text
    std::vector<std::uint64_t> registers;  // RAX RBX RCX RDX RSI RDI RBP RSP R8 .. R15 RIP
    std::wstring stack, code;             // HexDump texts; empty where the memory was unreadable
    std::wstring note;                    // why the program cannot go on, when it cannot
};

// "Exception 0000000C at address 00007FF6... in module x.exe", as the first line.
std::wstring FaultHeadline(std::uint32_t code, std::uint64_t address, std::wstring_view module);
// The whole report text, at most 2048 characters; a note is its last line.
std::wstring FormatFaultReport(const FaultReport& report);

}  // namespace es
