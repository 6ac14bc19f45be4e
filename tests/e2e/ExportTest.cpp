// Command-line export of the real executable: configuration and hosts file beside it, the report
// compared byte for byte with what the format rules give.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "e2e/E2eSupport.h"

namespace {

// Rows in the standard format, every column shown in index order (no Columns key).
class StandardListExport : public testing::Test {
protected:
    void SetUp() override {
        e2e::WriteFileBytes(sandbox.PathOf(L"EchoSentinel.cfg"), "[General]\r\nIPHostDescFormat=0\r\n");
        e2e::WriteFileBytes(sandbox.PathOf(L"EchoSentinel_hosts.txt"),
                            e2e::Utf16Bytes(L",,a&b,10.0.0.1-10.0.0.3;;10.0.0.5-10.0.0.5  10.0.0.9-10.0.0.1\r\n\t "
                                            L"010.001.000.255\t\"q\" 10.0.0.7 - 10.0.0.8 10.1.2.0 /30"));
    }
    e2e::Sandbox sandbox;
};

// Ten cells a row; entries apart at any run of commas, semicolons and white space, a dash or a
// prefix standing apart is a name of its own, ranges expanded; comma-delimited in ANSI without a
// mark, quotes doubled.
TEST_F(StandardListExport, TabAndCommaDelimited) {
    for (const char* option : {"stab", "scomma"}) {
        const std::wstring word(option, option + strlen(option));
        ASSERT_EQ(sandbox.Run(L"/" + word + L" out." + word), 0);
        EXPECT_EQ(e2e::ReadFileBytes(sandbox.PathOf(L"out." + word)), e2e::ExpectedReport(std::string("standard.") + option)) << option;
    }
}

TEST_F(StandardListExport, TheWordsChooseFormatAndFile) {
    const struct {
        const wchar_t* words;
        const wchar_t* file;  // the one file the run leaves beside the program, if any
        std::string starts;   // what that file starts with
    } cases[] = {
        {L"/stext a.txt /sxml b.xml", L"b.xml", "\xFF\xFE" + e2e::Utf16Bytes(L"<?xml")},  // the last format option wins
        {L"/PingTimeout 5 /STEXT \"my report.txt\"", L"my report.txt", "\xFF\xFE"},
        {L"/stext out.txt /deleteregkey", nullptr, ""},
        {L"/sjson a.json /SPROM b.prom", L"b.prom", "# HELP echosentinel_up "},  // nothing pending left beside it
        {L"/sprom a.prom /sJSON b.json", L"b.json", "{\n  \"program\": \"EchoSentinel\",\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.words);
        e2e::Sandbox box;
        ASSERT_EQ(box.Run(c.words), 0);
        std::vector<std::wstring> entries{L"EchoSentinel.exe"};  // sorted: upper case first
        if (c.file) entries.push_back(c.file);
        EXPECT_EQ(e2e::FolderEntries(box.Folder()), entries);
        if (c.file) {
            EXPECT_EQ(e2e::ReadFileBytes(box.PathOf(c.file)).substr(0, c.starts.size()), c.starts);
        }
    }
    e2e::WriteFileBytes(sandbox.PathOf(L"EchoSentinel.cfg"), "[General]\r\nRememberHosts=0\r\n");
    ASSERT_EQ(sandbox.Run(L"/sxml out.xml"), 0);
    EXPECT_EQ(e2e::ReadFileBytes(sandbox.PathOf(L"out.xml")), e2e::ExpectedReport("empty.sxml")) << "the hosts file is read only when remembered";
}

TEST_F(StandardListExport, AFileThatCannotBeCreatedIsReportedWithoutOwner) {
    for (const wchar_t* option : {L"/stext", L"/sprom"}) {
        SCOPED_TRACE(option);
        HANDLE process = sandbox.Start(option + std::wstring(L" missing\\out.txt"));
        ASSERT_NE(process, nullptr);
        HWND box = e2e::WaitForWindow(process, L"#32770");
        ASSERT_NE(box, nullptr) << "no error box appeared";
        EXPECT_EQ(e2e::WindowText(box), L"Error");
        EXPECT_EQ(::GetWindow(box, GW_OWNER), nullptr);
        EXPECT_EQ(e2e::MessageText(box).rfind(L"Error 3: ", 0), 0u) << "the path does not exist";
        ::PostMessageW(box, WM_COMMAND, IDOK, 0);
        EXPECT_EQ(e2e::ExitCode(process), 0);
        EXPECT_EQ(::GetFileAttributesW(sandbox.PathOf(L"missing").c_str()), INVALID_FILE_ATTRIBUTES) << "no folder made";
    }
}

// A format option as the last word is no export: the window runs, and its Exit command ends it.
TEST_F(StandardListExport, AFormatOptionAsTheLastWordStartsTheWindow) {
    HANDLE process = sandbox.Start(L"/stext");
    HWND window = e2e::WaitForMainWindow(process);
    ASSERT_NE(window, nullptr);
    ::PostMessageW(window, WM_COMMAND, MAKEWPARAM(40002, 0), 0);
    EXPECT_EQ(e2e::ExitCode(process), 0);
}

// Every column shown, the nine statistics columns after the ten: empty before any ping, 20
// characters wide in tabular text (the comma-delimited writer has no widths of its own to show).
TEST(StatisticsColumnsExport, TabularWithNineteenColumns) {
    e2e::Sandbox sandbox;
    e2e::WriteFileBytes(sandbox.PathOf(L"EchoSentinel.cfg"),  // width 100, in index order
                        "[General]\r\nColumns=64 00 00 00 64 00 01 00 64 00 02 00 64 00 03 00 64 00 04 00 64 00 05 00 "
                        "64 00 06 00 64 00 07 00 64 00 08 00 64 00 09 00 64 00 0A 00 64 00 0B 00 64 00 0C 00 64 00 0D 00 "
                        "64 00 0E 00 64 00 0F 00 64 00 10 00 64 00 11 00 64 00 12 00\r\n");
    e2e::WriteFileBytes(sandbox.PathOf(L"EchoSentinel_hosts.txt"), e2e::Utf16Bytes(L"127.0.0.1 a&b"));
    ASSERT_EQ(sandbox.Run(L"/stabular out.txt"), 0);
    EXPECT_EQ(e2e::ReadFileBytes(sandbox.PathOf(L"out.txt")), e2e::ExpectedReport("statistics.stabular"));
}

// IP-Host description lines, shown columns reordered: description, host, IP address, succeeded
// (a width of 0 hides a column, and so does a negative one). The address or name ends at the
// first space, a tab or a semicolon does not end it, and a line without a space is no row; a
// range or block is a name; lines end at CR LF or LF. A 26-character host is cut to 20
// characters in tabular text.
class DescribedListExport : public testing::Test {
protected:
    void SetUp() override {
        config = "[General]\r\nIPHostDescFormat=1\r\n"
                 "Columns=96 00 01 00 6E 00 02 00 FF FF 04 00 5A 00 03 00 00 00 05 00 00 00 06 00 "
                 "00 00 07 00 00 00 08 00 00 00 09 00 78 00 00 00\r\n";
        e2e::WriteFileBytes(sandbox.PathOf(L"EchoSentinel.cfg"), config);
        e2e::WriteFileBytes(sandbox.PathOf(L"EchoSentinel_hosts.txt"),
                            e2e::Utf16Bytes(L"a&b <x>\r\n10.0.0.9  lead, \"q\"\r\nsolo\r\n"
                                            L"10.0.0.1-10.0.0.2 range kept\r\nabcdefghijklmnopqrstuvwxyz twenty-six\r\n"
                                            L"host-b two;x\n10.0.0.3\tTabbed\n\n10.1.2.0/30 block"));
    }
    std::string Export(const std::wstring& option) {
        EXPECT_EQ(sandbox.Run(L"/" + option + L" out"), 0);
        EXPECT_EQ(e2e::ReadFileBytes(sandbox.PathOf(L"EchoSentinel.cfg")), config) << "an export never saves";
        return e2e::ReadFileBytes(sandbox.PathOf(L"out"));
    }
    e2e::Sandbox sandbox;
    std::string config;
};

TEST_F(DescribedListExport, EveryUtf16Format) {
    for (const char* option : {"stext", "stabular", "shtml", "sverhtml", "sxml"}) {
        EXPECT_EQ(Export(std::wstring(option, option + strlen(option))), e2e::ExpectedReport(std::string("described.") + option))
            << option;
    }
    config += "Theme=2\r\n";  // the dark theme never reaches a report
    e2e::WriteFileBytes(sandbox.PathOf(L"EchoSentinel.cfg"), config);
    EXPECT_EQ(Export(L"shtml"), e2e::ExpectedReport("described.shtml")) << "dark";
}

}  // namespace
