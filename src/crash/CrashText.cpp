#include "crash/CrashText.h"

#include <cwchar>

#include "support/Text.h"

namespace es {

namespace {

constexpr std::size_t kMaxReportChars = 2048;
constexpr const wchar_t* kRegisterNames[] = {L"RAX", L"RBX", L"RCX", L"RDX", L"RSI", L"RDI", L"RBP", L"RSP", L"R8",
                                             L"R9",  L"R10", L"R11", L"R12", L"R13", L"R14", L"R15", L"RIP"};
constexpr int kRegistersPerLine = 4;

std::wstring Hex(std::uint64_t value, int digits) {
    wchar_t text[24];
    std::swprintf(text, 24, L"%0*llX", digits, static_cast<unsigned long long>(value));
    return text;
}

}  // namespace

std::wstring HexDump(const std::vector<std::uint8_t>& bytes, int groupSize) {
    std::wstring text;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (i > 0) text += L' ';
        if (groupSize > 0 && i % static_cast<std::size_t>(groupSize) == 0) text += L"  ";
        text += Hex(bytes[i], 2);
    }
    return text;
}

std::wstring NormalizeModulePath(std::wstring_view path, std::wstring_view windowsFolder) {
    if (path.size() >= 2 && path[1] == L':') return std::wstring(path);
    if (const std::size_t colon = path.find(L':', 2); colon != std::wstring_view::npos)
        return std::wstring(path.substr(colon - 1));
    constexpr std::wstring_view kSystemRoot = L"\\systemroot";
    for (std::size_t at = 0; at + kSystemRoot.size() <= path.size(); ++at) {
        if (EqualsNoCase(path.substr(at, kSystemRoot.size()), kSystemRoot))
            return std::wstring(windowsFolder) + std::wstring(path.substr(at + kSystemRoot.size()));
    }
    if (!path.empty() && path[0] == L'\\') return std::wstring(windowsFolder.substr(0, 2)) + std::wstring(path);
    return std::wstring(path);
}

std::wstring FaultHeadline(std::uint32_t code, std::uint64_t address, std::wstring_view module) {
    return L"Exception " + Hex(code, 8) + L" at address " + Hex(address, 16) + L" in module " + std::wstring(module);
}

std::wstring FormatFaultReport(const FaultReport& report) {
    std::wstring text = report.headline + L"\r\nRegisters: \r\n";
    for (std::size_t i = 0; i < report.registers.size() && i < std::size(kRegisterNames); ++i) {
        text += std::wstring(kRegisterNames[i]) + L"=" + Hex(report.registers[i], 16);
        const bool lineEnd = (i + 1) % kRegistersPerLine == 0 || i + 1 == report.registers.size();
        text += lineEnd ? L"\r\n" : L" ";
    }
    text += L"Stack Data: " + report.stack + L"\r\nCode Data: " + report.code + L"\r\n";
    if (!report.note.empty()) text += report.note + L"\r\n";
    if (text.size() > kMaxReportChars) text.resize(kMaxReportChars);
    return text;
}

}  // namespace es
