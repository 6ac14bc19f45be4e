// What the exports of tests/e2e cannot show: a cell cut to its column in tabular text.
#include <gtest/gtest.h>

#include <string>

#include "common/BuiltInTexts.h"
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

}  // namespace
