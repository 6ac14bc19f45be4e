// Command-line export of the real executable: configuration and hosts file beside it, the report
// compared byte for byte with what the format rules give.
#include <windows.h>

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "e2e/E2eSupport.h"
#include "support/Utf16.h"

namespace {

std::string Utf16File(std::wstring_view text) { return "\xFF\xFE" + es::EncodeUtf16Le(text); }

// Rows in the standard format, every column shown in index order (no Columns key).
class StandardListExport : public testing::Test {
protected:
    void SetUp() override {
        e2e::WriteFileBytes(sandbox.PathOf(L"EchoSentinel.cfg"), "[General]\r\nIPHostDescFormat=0\r\n");
        e2e::WriteFileBytes(sandbox.PathOf(L"EchoSentinel_hosts.txt"),
                            es::EncodeUtf16Le(L"a&b,10.0.0.1-10.0.0.3;10.0.0.5-10.0.0.5  10.0.0.9-10.0.0.1\r\n"
                                              L"010.001.000.255\t\"q\""));
    }
    e2e::Sandbox sandbox;
};

TEST_F(StandardListExport, TabDelimitedHasTenCellsARowWithRangesExpanded) {
    ASSERT_EQ(sandbox.Run(L"/stab out.txt"), 0);
    EXPECT_EQ(e2e::ReadFileBytes(sandbox.PathOf(L"out.txt")), Utf16File(
        L"a&b\t\t\t0\t0\t\t\t\t\t\t\r\n"
        L"10.0.0.1\t10.0.0.1\t\t0\t0\t\t\t\t\t\t\r\n"
        L"10.0.0.2\t10.0.0.2\t\t0\t0\t\t\t\t\t\t\r\n"
        L"10.0.0.3\t10.0.0.3\t\t0\t0\t\t\t\t\t\t\r\n"
        L"10.0.0.5-10.0.0.5\t\t\t0\t0\t\t\t\t\t\t\r\n"
        L"10.0.0.9-10.0.0.1\t\t\t0\t0\t\t\t\t\t\t\r\n"
        L"010.001.000.255\t10.1.0.255\t\t0\t0\t\t\t\t\t\t\r\n"
        L"\"q\"\t\t\t0\t0\t\t\t\t\t\t\r\n"));
}

TEST_F(StandardListExport, CommaDelimitedIsAnsiWithoutMarkAndQuotesQuotes) {
    ASSERT_EQ(sandbox.Run(L"/SCOMMA out.csv"), 0);
    EXPECT_EQ(e2e::ReadFileBytes(sandbox.PathOf(L"out.csv")),
              "a&b,,,0,0,,,,,\r\n"
              "10.0.0.1,10.0.0.1,,0,0,,,,,\r\n"
              "10.0.0.2,10.0.0.2,,0,0,,,,,\r\n"
              "10.0.0.3,10.0.0.3,,0,0,,,,,\r\n"
              "10.0.0.5-10.0.0.5,,,0,0,,,,,\r\n"
              "10.0.0.9-10.0.0.1,,,0,0,,,,,\r\n"
              "010.001.000.255,10.1.0.255,,0,0,,,,,\r\n"
              "\"\"\"q\"\"\",,,0,0,,,,,\r\n");
}

TEST_F(StandardListExport, TheWordsChooseFormatAndFile) {
    const std::string emptyXml = Utf16File(L"<?xml version=\"1.0\"  encoding=\"UTF-16\" ?>\r\n<ping_清單>\r\n</ping_清單>\r\n");
    const struct {
        const wchar_t* words;
        const wchar_t* file;  // the one file the run leaves beside the program, if any
        std::string starts;   // what that file starts with
    } cases[] = {
        {L"/stext a.txt /sxml b.xml", L"b.xml", Utf16File(L"<?xml")},  // the last format option wins
        {L"/PingTimeout 5 /STEXT \"my report.txt\"", L"my report.txt", "\xFF\xFE"},
        {L"/stext out.txt /deleteregkey", nullptr, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.words);
        e2e::Sandbox box;
        ASSERT_EQ(box.Run(c.words), 0);
        std::vector<std::wstring> made;
        for (const auto& name : e2e::FolderEntries(box.Folder()))
            if (name != L"EchoSentinel.exe") made.push_back(name);
        EXPECT_EQ(made, c.file ? std::vector<std::wstring>{c.file} : std::vector<std::wstring>{});
        if (c.file) {
            EXPECT_EQ(e2e::ReadFileBytes(box.PathOf(c.file)).substr(0, c.starts.size()), c.starts);
        }
    }
    e2e::WriteFileBytes(sandbox.PathOf(L"EchoSentinel.cfg"), "[General]\r\nRememberHosts=0\r\n");
    ASSERT_EQ(sandbox.Run(L"/sxml out.xml"), 0);
    EXPECT_EQ(e2e::ReadFileBytes(sandbox.PathOf(L"out.xml")), emptyXml) << "the hosts file is read only when remembered";
}

TEST_F(StandardListExport, AFileThatCannotBeCreatedIsReportedWithoutOwner) {
    HANDLE process = sandbox.Start(L"/stext missing\\out.txt");
    ASSERT_NE(process, nullptr);
    HWND box = e2e::WaitForWindow(process, L"#32770");
    ASSERT_NE(box, nullptr) << "no error box appeared";
    wchar_t caption[32] = {};
    ::GetWindowTextW(box, caption, 32);
    EXPECT_STREQ(caption, L"Error");
    EXPECT_EQ(::GetWindow(box, GW_OWNER), nullptr);
    std::wstring message;
    for (HWND child = ::GetWindow(box, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        wchar_t text[512] = {};
        ::GetWindowTextW(child, text, 512);
        if (wcsncmp(text, L"Error ", 6) == 0) message = text;
    }
    EXPECT_EQ(message.substr(0, 9), L"Error 3: ") << "the path does not exist";

    ::PostMessageW(box, WM_COMMAND, IDOK, 0);
    ASSERT_EQ(::WaitForSingleObject(process, 20000), WAIT_OBJECT_0);
    DWORD code = 99;
    ::GetExitCodeProcess(process, &code);
    EXPECT_EQ(code, 0u);
}

// A format option as the last word is no export: the window runs, and its Exit command ends it.
TEST_F(StandardListExport, AFormatOptionAsTheLastWordStartsTheWindow) {
    HANDLE process = sandbox.Start(L"/stext");
    HWND window = e2e::WaitForMainWindow(process);
    ASSERT_NE(window, nullptr);
    wchar_t title[64] = {};
    ::GetWindowTextW(window, title, 64);
    EXPECT_STREQ(title, L"EchoSentinel");
    EXPECT_NE(::GetMenu(window), nullptr);
    ::PostMessageW(window, WM_COMMAND, MAKEWPARAM(40002, 0), 0);
    ASSERT_EQ(::WaitForSingleObject(process, 20000), WAIT_OBJECT_0);
    DWORD code = 99;
    ::GetExitCodeProcess(process, &code);
    EXPECT_EQ(code, 0u);
}

// IP-Host description lines, shown columns reordered: description, host, IP address, succeeded.
class DescribedListExport : public testing::Test {
protected:
    void SetUp() override {
        config = "[General]\r\nIPHostDescFormat=1\r\n"
                 "Columns=96 00 01 00 6E 00 02 00 00 00 04 00 5A 00 03 00 00 00 05 00 00 00 06 00 "
                 "00 00 07 00 00 00 08 00 00 00 09 00 78 00 00 00\r\n";
        e2e::WriteFileBytes(sandbox.PathOf(L"EchoSentinel.cfg"), config);
        e2e::WriteFileBytes(sandbox.PathOf(L"EchoSentinel_hosts.txt"),
                            es::EncodeUtf16Le(L"a&b <x>\r\n10.0.0.9  lead, \"q\"\r\nsolo\r\n"
                                              L"10.0.0.1-10.0.0.2 range kept\r\n"));
    }
    std::string Export(const wchar_t* option) {
        std::wstring arguments = std::wstring(option) + L" out";
        EXPECT_EQ(sandbox.Run(arguments), 0);
        EXPECT_EQ(e2e::ReadFileBytes(sandbox.PathOf(L"EchoSentinel.cfg")), config) << "an export never saves";
        return e2e::ReadFileBytes(sandbox.PathOf(L"out"));
    }
    e2e::Sandbox sandbox;
    std::string config;
};

TEST_F(DescribedListExport, Text) {
    const std::wstring line(50, L'=');
    std::wstring expected;
    for (auto [description, host, address] : {std::array<const wchar_t*, 3>{L"<x>", L"a&b", L""},
                                               {L" lead, \"q\"", L"10.0.0.9", L"10.0.0.9"},
                                               {L"range kept", L"10.0.0.1-10.0.0.2", L""}}) {
        expected += line + L"\r\n";
        expected += L"描述                : " + std::wstring(description) + L"\r\n";
        expected += L"主電腦名              : " + std::wstring(host) + L"\r\n";
        expected += L"IP 位址             : " + std::wstring(address) + L"\r\n";
        expected += L"成功計數              : 0\r\n";
        expected += line + L"\r\n\r\n";
    }
    EXPECT_EQ(Export(L"/stext"), Utf16File(expected));
}

TEST_F(DescribedListExport, Tabular) {
    const std::wstring blank20(20, L' ');
    EXPECT_EQ(Export(L"/stabular"), Utf16File(
        L"<x>" + std::wstring(47, L' ') + L" a&b" + std::wstring(17, L' ') + L" " + blank20 + L" 0" +
        std::wstring(19, L' ') + L" \r\n" +
        L" lead, \"q\"" + std::wstring(40, L' ') + L" 10.0.0.9" + std::wstring(12, L' ') + L" 10.0.0.9" +
        std::wstring(12, L' ') + L" 0" + std::wstring(19, L' ') + L" \r\n" +
        L"range kept" + std::wstring(40, L' ') + L" 10.0.0.1-10.0.0.2" + std::wstring(3, L' ') + L" " + blank20 +
        L" 0" + std::wstring(19, L' ') + L" \r\n"));
}

constexpr const wchar_t* kHtmlHead =
    L"<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 3.2 Final//EN\">\r\n"
    L"<html><head><title>Ping 清單</title></head>\r\n<body>\r\n <h3>Ping 清單</h3>\r\n"
    L"<br><h4>建立本報告的套用程式是 <a href=\"https://echosentinel.example/\" target=\"newwin\">EchoSentinel</a></h4><p>";

TEST_F(DescribedListExport, HtmlHorizontal) {
    EXPECT_EQ(Export(L"/shtml"), Utf16File(std::wstring(kHtmlHead) +
        L"<table border=\"1\" cellpadding=\"5\"><tr bgcolor=\"E0E0E0\">\r\n"
        L"<th>描述\r\n<th>主電腦名\r\n<th>IP 位址\r\n<th>成功計數\r\n"
        L"<tr><td bgcolor=#FFFFFF nowrap>&lt;x&gt;<td bgcolor=#FFFFFF nowrap>a&amp;b"
        L"<td bgcolor=#FFFFFF nowrap>&nbsp;<td bgcolor=#FFFFFF nowrap>0\r\n"
        L"<tr><td bgcolor=#FFFFFF nowrap> lead, &quot;q&quot;&nbsp;<td bgcolor=#FFFFFF nowrap>10.0.0.9"
        L"<td bgcolor=#FFFFFF nowrap>10.0.0.9<td bgcolor=#FFFFFF nowrap>0\r\n"
        L"<tr><td bgcolor=#FFFFFF nowrap>range kept<td bgcolor=#FFFFFF nowrap>10.0.0.1-10.0.0.2"
        L"<td bgcolor=#FFFFFF nowrap>&nbsp;<td bgcolor=#FFFFFF nowrap>0\r\n"
        L"</table>\r\n\r\n</body></html>"));
}

TEST_F(DescribedListExport, HtmlVertical) {
    std::wstring expected = kHtmlHead;
    for (auto [description, host, address] : {std::array<const wchar_t*, 3>{L"&lt;x&gt;", L"a&amp;b", L"&nbsp;"},
                                               {L" lead, &quot;q&quot;&nbsp;", L"10.0.0.9", L"10.0.0.9"},
                                               {L"range kept", L"10.0.0.1-10.0.0.2", L"&nbsp;"}}) {
        expected += L"<table border=\"1\" cellpadding=\"5\">\r\n";
        expected += L"<tr><td bgcolor=\"E0E0E0\" nowrap><b>描述</b><td bgcolor=#FFFFFF nowrap>" +
                    std::wstring(description) + L"\r\n";
        expected += L"<tr><td bgcolor=\"E0E0E0\" nowrap><b>主電腦名</b><td bgcolor=#FFFFFF nowrap>" +
                    std::wstring(host) + L"\r\n";
        expected += L"<tr><td bgcolor=\"E0E0E0\" nowrap><b>IP 位址</b><td bgcolor=#FFFFFF nowrap>" +
                    std::wstring(address) + L"\r\n";
        expected += L"<tr><td bgcolor=\"E0E0E0\" nowrap><b>成功計數</b><td bgcolor=#FFFFFF nowrap>0\r\n";
        expected += L"</table><p>\r\n";
    }
    expected += L"\r\n</body></html>";
    EXPECT_EQ(Export(L"/sverhtml"), Utf16File(expected));
}

TEST_F(DescribedListExport, Xml) {
    EXPECT_EQ(Export(L"/sxml"), Utf16File(
        L"<?xml version=\"1.0\"  encoding=\"UTF-16\" ?>\r\n<ping_清單>\r\n"
        L"<item>\r\n<描述>&lt;x&gt;</描述>\r\n<主電腦名>a&amp;b</主電腦名>\r\n<ip_位址></ip_位址>\r\n"
        L"<成功計數>0</成功計數>\r\n</item>\r\n"
        L"<item>\r\n<描述> lead, &quot;q&quot;</描述>\r\n<主電腦名>10.0.0.9</主電腦名>\r\n<ip_位址>10.0.0.9</ip_位址>\r\n"
        L"<成功計數>0</成功計數>\r\n</item>\r\n"
        L"<item>\r\n<描述>range kept</描述>\r\n<主電腦名>10.0.0.1-10.0.0.2</主電腦名>\r\n<ip_位址></ip_位址>\r\n"
        L"<成功計數>0</成功計數>\r\n</item>\r\n"
        L"</ping_清單>\r\n"));
}

}  // namespace
