// Every report format written over the same rows and compared byte for byte with files written
// out by hand.
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

TEST_F(ReportWriterTest, TextBlocksPadTitlesTo18Characters) {
    EXPECT_EQ(Write(kFormatText), Utf16File(
        L"==================================================\r\n"
        L"主電腦名              : a&b\r\n"
        L"IP 位址             : \r\n"
        L"描述                : <x>\r\n"
        L"上次測試狀態            : 非法主電腦名稱\r\n"
        L"平均響應時間            : \r\n"
        L"==================================================\r\n\r\n"
        L"==================================================\r\n"
        L"主電腦名              : 10.0.0.9\r\n"
        L"IP 位址             : 10.0.0.9\r\n"
        L"描述                :  lead, \"q\"\r\n"
        L"上次測試狀態            : \r\n"
        L"平均響應時間            : \r\n"
        L"==================================================\r\n\r\n"
        L"==================================================\r\n"
        L"主電腦名              : 10.0.0.1\r\n"
        L"IP 位址             : 10.0.0.1\r\n"
        L"描述                : plain\r\n"
        L"上次測試狀態            : 成功\r\n"
        L"平均響應時間            : 13\r\n"
        L"==================================================\r\n\r\n"));
}

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

constexpr const wchar_t* kHtmlHead =
    L"<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 3.2 Final//EN\">\r\n"
    L"<html><head><title>Ping 清單</title></head>\r\n<body>\r\n <h3>Ping 清單</h3>\r\n"
    L"<br><h4>建立本報告的套用程式是 <a href=\"https://echosentinel.example/\" target=\"newwin\">EchoSentinel</a></h4><p>";

TEST_F(ReportWriterTest, HtmlHorizontalIsOneTableWithATitleRow) {
    EXPECT_EQ(Write(kFormatHtmlHorizontal), Utf16File(std::wstring(kHtmlHead) +
        L"<table border=\"1\" cellpadding=\"5\"><tr bgcolor=\"E0E0E0\">\r\n"
        L"<th>主電腦名\r\n<th>IP 位址\r\n<th>描述\r\n<th>上次測試狀態\r\n<th>平均響應時間\r\n"
        L"<tr><td bgcolor=#FFFFFF nowrap>a&amp;b<td bgcolor=#FFFFFF nowrap>&nbsp;<td bgcolor=#FFFFFF nowrap>&lt;x&gt;"
        L"<td bgcolor=#FFFFFF nowrap>非法主電腦名稱<td bgcolor=#FFFFFF nowrap>&nbsp;\r\n"
        L"<tr><td bgcolor=#FFFFFF nowrap>10.0.0.9<td bgcolor=#FFFFFF nowrap>10.0.0.9"
        L"<td bgcolor=#FFFFFF nowrap> lead, &quot;q&quot;&nbsp;<td bgcolor=#FFFFFF nowrap>&nbsp;"
        L"<td bgcolor=#FFFFFF nowrap>&nbsp;\r\n"
        L"<tr><td bgcolor=#FFFFFF nowrap>10.0.0.1<td bgcolor=#FFFFFF nowrap>10.0.0.1<td bgcolor=#FFFFFF nowrap>plain"
        L"<td bgcolor=#FFFFFF nowrap>成功<td bgcolor=#FFFFFF nowrap>13\r\n"
        L"</table>\r\n"
        L"\r\n</body></html>"));
}

TEST_F(ReportWriterTest, HtmlVerticalIsOneTableAnItem) {
    list.Clear();
    AppSettings settings;
    settings.addressList = L"x<y";
    list.BuildItems(settings);
    auto& layout = list.Layout();
    for (auto& entry : layout) entry.width = 0;
    layout[0] = {150, 1};
    layout[3] = {90, 0};
    EXPECT_EQ(Write(kFormatHtmlVertical), Utf16File(std::wstring(kHtmlHead) +
        L"<table border=\"1\" cellpadding=\"5\">\r\n"
        L"<tr><td bgcolor=\"E0E0E0\" nowrap><b>成功計數</b><td bgcolor=#FFFFFF nowrap>0\r\n"
        L"<tr><td bgcolor=\"E0E0E0\" nowrap><b>主電腦名</b><td bgcolor=#FFFFFF nowrap>x&lt;y\r\n"
        L"</table><p>\r\n"
        L"\r\n</body></html>"));
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

TEST_F(ReportWriterTest, XmlNamesElementsAfterTheBuiltInTitles) {
    EXPECT_EQ(Write(kFormatXml), Utf16File(
        L"<?xml version=\"1.0\"  encoding=\"UTF-16\" ?>\r\n<ping_清單>\r\n"
        L"<item>\r\n<主電腦名>a&amp;b</主電腦名>\r\n<ip_位址></ip_位址>\r\n<描述>&lt;x&gt;</描述>\r\n"
        L"<上次測試狀態>非法主電腦名稱</上次測試狀態>\r\n<平均響應時間></平均響應時間>\r\n</item>\r\n"
        L"<item>\r\n<主電腦名>10.0.0.9</主電腦名>\r\n<ip_位址>10.0.0.9</ip_位址>\r\n<描述> lead, &quot;q&quot;</描述>\r\n"
        L"<上次測試狀態></上次測試狀態>\r\n<平均響應時間></平均響應時間>\r\n</item>\r\n"
        L"<item>\r\n<主電腦名>10.0.0.1</主電腦名>\r\n<ip_位址>10.0.0.1</ip_位址>\r\n<描述>plain</描述>\r\n"
        L"<上次測試狀態>成功</上次測試狀態>\r\n<平均響應時間>13</平均響應時間>\r\n</item>\r\n"
        L"</ping_清單>\r\n"));
}

TEST_F(ReportWriterTest, AnEmptyListWritesOnlyMarkHeadAndTail) {
    list.Clear();
    EXPECT_EQ(Write(kFormatText), "\xFF\xFE");
    EXPECT_EQ(Write(kFormatTabular), "\xFF\xFE");
    EXPECT_EQ(Write(kFormatCommaDelimited), "");
    EXPECT_EQ(Write(kFormatXml),
              Utf16File(L"<?xml version=\"1.0\"  encoding=\"UTF-16\" ?>\r\n<ping_清單>\r\n</ping_清單>\r\n"));
}

TEST(HtmlEscaping, ReplacesMarkupCharactersAndLineFeedsOnly) {
    EXPECT_EQ(EscapeHtml(L"<a href=\"x\">&\r\n°"), L"&lt;a href=&quot;x&quot;&gt;&amp;\r<br>°");
}

TEST(XmlNames, LowerCaseAsciiOnlyAndUnderscoresForSeparators) {
    EXPECT_EQ(MakeXmlName(L"IP Ä/B\\C"), L"ip_Ä_b_c");
}

TEST(ReportFormats, OptionsAreMatchedWithoutCase) {
    EXPECT_EQ(FormatFromOption(L"/STAB"), kFormatTabDelimited);
    EXPECT_EQ(FormatFromOption(L"/sTabular"), kFormatTabular);
    EXPECT_EQ(FormatFromOption(L"/scomma"), kFormatCommaDelimited);
    EXPECT_EQ(FormatFromOption(L"/shtml"), kFormatHtmlHorizontal);
    EXPECT_EQ(FormatFromOption(L"/sverhtml"), kFormatHtmlVertical);
    EXPECT_EQ(FormatFromOption(L"/sxml"), kFormatXml);
    EXPECT_EQ(FormatFromOption(L"/stext"), kFormatNone);
    EXPECT_EQ(FormatFromOption(L"stab"), kFormatNone);
}

}  // namespace
