// The texts of the exception report: byte dumps, module paths and the report's lines.
#include <gtest/gtest.h>

#include "crash/CrashText.h"

namespace es {
namespace {

TEST(CrashText, DumpsPathsAndReport) {
    const std::vector<std::uint8_t> bytes = {0x0A, 0xFF, 0x00, 0x12, 0x34, 0x56};
    EXPECT_EQ(HexDump(bytes, 4), L"  0A FF 00 12   34 56");
    EXPECT_EQ(HexDump(bytes, 0), L"0A FF 00 12 34 56");
    EXPECT_EQ(HexDump({}, 4), L"");
    const std::pair<const wchar_t*, const wchar_t*> paths[] = {
        {L"C:\\Tools\\x.dll", L"C:\\Tools\\x.dll"},
        {L"\\??\\C:\\Tools\\x.dll", L"C:\\Tools\\x.dll"},
        {L"\\SystemRoot\\System32\\x.dll", L"C:\\windows\\System32\\x.dll"},
        {L"\\Device\\x.dll", L"C:\\Device\\x.dll"},
        {L"x.dll", L"x.dll"},
    };
    for (auto [path, normal] : paths) EXPECT_EQ(NormalizeModulePath(path, L"C:\\windows"), normal) << path;

    FaultReport report{FaultHeadline(0xC0000005, 0x00007FF612345678, L"EchoSentinel.exe"), {}, L"  01 02", L""};
    for (std::uint64_t r = 0; r < 17; ++r) report.registers.push_back(r << 36);
    const std::wstring text = FormatFaultReport(report);
    EXPECT_NE(text.find(L"\r\nRegisters: \r\nRAX=0000000000000000 RBX=0000001000000000 RCX=0000002000000000 RDX=0000003000000000\r\n"),
              std::wstring::npos);
    EXPECT_NE(text.find(L"\r\nRIP=0000010000000000\r\nStack Data:   01 02\r\nCode Data: \r\n"), std::wstring::npos) << "an unreadable dump stays empty";
}

}  // namespace
}  // namespace es
