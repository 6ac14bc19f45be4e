// Reports of pinged rows (the exports of tests/e2e cover rows without results) compared byte for
// byte with texts written out by hand, and what only a translation changes in the HTML head.
#include <gtest/gtest.h>

#include <string>

#include "common/BuiltInTexts.h"
#include "lang/ReportLanguage.h"
#include "ping/PingItemList.h"
#include "reports/ReportWriter.h"
#include "support/Utf16.h"

namespace {

using namespace es;

// UTF-16LE as the file would hold it; the ANSI code page of these tests is Latin-1 with "?" for
// anything outside it.
class MemorySink : public TextSink {
public:
    bool Write(std::wstring_view text) override {
        bytes += EncodeUtf16Le(text);
        return true;
    }
    bool WriteAnsi(std::wstring_view text) override {
        for (wchar_t c : text) bytes += static_cast<std::uint32_t>(c) < 0x100 ? static_cast<char>(c) : '?';
        return true;
    }
    std::string bytes;
};

std::string Utf16File(std::wstring_view text) { return "\xFF\xFE" + EncodeUtf16Le(text); }

class ReportWriterTest : public testing::Test {
protected:
    void SetUp() override {
        list.Initialise(0);
        AppSettings settings;
        settings.IPHostDescFormat = 1;
        settings.addressList = L"a&b <x>\r\n10.0.0.9  lead, \"q\"\r\nsolo\r\n10.0.0.1 plain\r\n";
        list.BuildItems(settings);
        ASSERT_EQ(list.Count(), 3u);
        Apply(0, 30, 0, 0, 0, 0);
        Apply(2, 0, 0x0100000A, 0x0100000A, 64, 20);
        Apply(2, 0, 0x0100000A, 0x0100000A, 64, 5);
        // Shown: host, IP address, description, last status, average; the rest hidden.
        auto& layout = list.Layout();
        for (auto& entry : layout) entry = {0, 9};
        layout[0] = {150, 0};
        layout[1] = {110, 1};
        layout[9] = {120, 2};
        layout[5] = {120, 3};
        layout[8] = {100, 4};
    }
    void Apply(int index, int status, std::uint32_t address, std::uint32_t reply, std::uint32_t ttl, std::uint32_t rtt) {
        ASSERT_TRUE(list.ApplyResult({index, list.Row(static_cast<std::size_t>(index)).RowId, status, address, reply, ttl, rtt}));
    }
    std::string Write(int format) {
        MemorySink sink;
        EXPECT_TRUE(WriteAllItems(list, sink, format));
        return sink.bytes;
    }

    testing_es::BuiltInTexts texts;
    PingItemList list;
};

TEST_F(ReportWriterTest, TabDelimitedEndsEveryCellWithATab) {
    EXPECT_EQ(Write(kFormatTabDelimited), Utf16File(
        L"a&b\t\t<x>\t非法主電腦名稱\t\t\r\n"
        L"10.0.0.9\t10.0.0.9\t lead, \"q\"\t\t\t\r\n"
        L"10.0.0.1\t10.0.0.1\tplain\t成功\t13\t\r\n"));
}

TEST_F(ReportWriterTest, CommaDelimitedQuotesOnlyCommasAndQuotesWithoutMark) {
    EXPECT_EQ(Write(kFormatCommaDelimited),
              "a&b,,<x>,???????,\r\n"
              "10.0.0.9,10.0.0.9,\" lead, \"\"q\"\"\",,\r\n"
              "10.0.0.1,10.0.0.1,plain,??,13\r\n");
}

TEST_F(ReportWriterTest, TabularCutsAndPadsToTheColumnWidths) {
    AppSettings settings;
    settings.addressList = L"abcdefghijklmnopqrstuvwxyz";
    list.Clear();
    list.BuildItems(settings);
    auto& layout = list.Layout();
    for (auto& entry : layout) entry.width = 0;
    layout[9] = {120, 0};
    layout[0] = {150, 1};
    EXPECT_EQ(Write(kFormatTabular), Utf16File(
        L"                                                   "
        L"abcdefghijklmnopqrst \r\n"));
}

TEST_F(ReportWriterTest, HtmlHeadCarriesCharsetAndRightToLeftWrapper) {
    list.Clear();
    SetReportLanguage({true, L"big5"});
    std::string bytes = Write(kFormatHtmlVertical);
    SetReportLanguage({});
    EXPECT_EQ(bytes, Utf16File(
        L"<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 3.2 Final//EN\">\r\n"
        L"<html><head><meta http-equiv='content-type' content='text/html;charset=big5'><title>Ping 清單</title></head>\r\n"
        L"<body>\r\n<table dir=\"rtl\"><tr><td>\r\n <h3>Ping 清單</h3>\r\n"
        L"<br><h4>建立本報告的套用程式是 <a href=\"https://echosentinel.example/\" target=\"newwin\">EchoSentinel</a></h4><p>"
        L"</table>\r\n</body></html>"));
}

TEST(ReportText, EscapesAndXmlNames) {
    EXPECT_EQ(EscapeHtml(L"<a href=\"x\">&\r\n°"), L"&lt;a href=&quot;x&quot;&gt;&amp;\r<br>°");
    EXPECT_EQ(MakeXmlName(L"IP Ä/B\\C"), L"ip_Ä_b_c");
}

}  // namespace
