// What the exports of tests/e2e cannot show: a cell cut to its column in tabular text, and what
// only a translation changes in the HTML head.
#include <gtest/gtest.h>

#include <string>

#include "common/BuiltInTexts.h"
#include "lang/ReportLanguage.h"
#include "ping/PingItemList.h"
#include "reports/ReportWriter.h"
#include "support/Utf16.h"

namespace {

using namespace es;

// UTF-16LE as the file would hold it.
class MemorySink : public TextSink {
public:
    bool Write(std::wstring_view text) override {
        bytes += EncodeUtf16Le(text);
        return true;
    }
    bool WriteAnsi(std::wstring_view) override { return false; }
    std::string bytes;
};

std::string Utf16File(std::wstring_view text) { return "\xFF\xFE" + EncodeUtf16Le(text); }

class ReportWriterTest : public testing::Test {
protected:
    void SetUp() override { list.Initialise(0); }
    std::string Write(int format) {
        MemorySink sink;
        EXPECT_TRUE(WriteAllItems(list, sink, format));
        return sink.bytes;
    }
    testing_es::BuiltInTexts texts;
    PingItemList list;
};

TEST_F(ReportWriterTest, TabularCutsAndPadsToTheColumnWidths) {
    AppSettings settings;
    settings.addressList = L"abcdefghijklmnopqrstuvwxyz";
    list.BuildItems(settings);
    auto& layout = list.Layout();
    for (auto& entry : layout) entry.width = 0;
    layout[9] = {120, 0};
    layout[0] = {150, 1};
    EXPECT_EQ(Write(kFormatTabular), Utf16File(std::wstring(51, L' ') + L"abcdefghijklmnopqrst \r\n"));
}

TEST_F(ReportWriterTest, HtmlHeadCarriesCharsetAndRightToLeftWrapper) {
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

}  // namespace
