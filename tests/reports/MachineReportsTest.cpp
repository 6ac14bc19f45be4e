// The JSON and Prometheus reports of ping rows, byte for byte: empty cells, numbers, label escaping and
// local times with their offset (here west of UTC by three and a half hours). The HTML reports'
// sparklines against the end-to-end tests' expected files.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "common/BuiltInTexts.h"
#include "common/LocalZone.h"
#include "reports/JsonReport.h"
#include "reports/PrometheusReport.h"
#include "reports/ReportWriter.h"
#include "resources/Version.h"
#include "support/Utf16.h"

namespace {

using namespace es;

class MachineReportTest : public testing::Test, public TextSink {
protected:
    bool Write(std::wstring_view text) override { return bytes += EncodeUtf8(text), true; }
    bool WriteAnsi(std::wstring_view) override { return false; }
    bool WriteUtf8(std::wstring_view text) override { return bytes += EncodeUtf8(text), true; }

    // One row per line of "host description"; results five seconds apart.
    void Build(const std::wstring& lines) {
        AppSettings settings;
        settings.IPHostDescFormat = 1;
        settings.addressList = lines;
        list.Initialise(0);
        list.SetClock([&] { return now; });
        list.BuildItems(settings);
    }
    void Result(std::size_t index, int status, std::uint32_t rtt) {
        ASSERT_TRUE(list.ApplyResult({static_cast<int>(index), list.Row(index).RowId, status, 0x0100007F, 0x0200007F, 64, rtt}));
        now += 5;
    }

    const testing_es::LocalZone zone{"NST+3:30"};
    testing_es::BuiltInTexts texts;
    std::int64_t now = 1767225600;  // 2026-01-01 00:00:00 UTC
    PingItemList list;
    std::string bytes;
};

// Head, rows in the order given with their run states, null cells, numbers and local times.
TEST_F(MachineReportTest, JsonDocumentOfARunWithAndWithoutResults) {
    Build(L"10.0.0.1 first\r\nnone \r\n");
    Result(0, kStatusSuccess, 10);
    Result(0, kStatusSuccess, 13);
    Result(0, 10, 0);
    const UnattendedRun run{3, L"down", {L"up", L"unknown \"x\""}};
    ASSERT_TRUE(WriteJsonReport(list, {1, 0}, &run, *this, now));
    EXPECT_EQ(bytes,
              "{\n  \"program\": \"EchoSentinel\",\n  \"version\": \"" ES_VERSION_TEXT "\",\n"
              "  \"created\": \"2025-12-31T20:30:15-03:30\",\n  \"title\": \"Ping \xE6\xB8\x85\xE5\x96\xAE\",\n"
              "  \"rounds\": 3,\n  \"state\": \"down\",\n  \"rows\": [\n"
              "    {\"host\": \"none\", \"address\": null, \"replyAddress\": null, \"succeeded\": 0, \"failed\": 0, "
              "\"status\": null, \"statusCode\": -1, \"lastTime\": null, \"ttl\": null, \"averageTime\": null, "
              "\"description\": null, \"loss\": null, \"minTime\": null, \"maxTime\": null, \"jitter\": null, "
              "\"failuresInARow\": null, \"lastSuccess\": null, \"statusChanged\": null, \"state\": \"unknown \\\"x\\\"\"},\n"
              "    {\"host\": \"10.0.0.1\", \"address\": \"127.0.0.1\", \"replyAddress\": \"127.0.0.2\", \"succeeded\": 2, "
              "\"failed\": 1, \"status\": \"\xE8\xAB\x8B\xE6\xB1\x82\xE9\x80\xBE\xE6\x99\x82\", \"statusCode\": 10, "
              "\"lastTime\": 13, \"ttl\": 64, \"averageTime\": 12, \"description\": \"first\", \"loss\": 33.3, "
              "\"minTime\": 10, \"maxTime\": 13, \"jitter\": 3.0, \"failuresInARow\": 1, "
              "\"lastSuccess\": \"2025-12-31T20:30:05-03:30\", \"statusChanged\": \"2025-12-31T20:30:10-03:30\", "
              "\"state\": \"up\"}\n  ]\n}\n");
    bytes.clear();
    ASSERT_TRUE(WriteJsonReport(list, {}, nullptr, *this, now));
    EXPECT_NE(bytes.find("\n  \"title\": \"Ping \xE6\xB8\x85\xE5\x96\xAE\",\n  \"rows\": []\n}\n"), std::string::npos);
}

// One sample per line with the row's labels; a row without a value has no sample for it.
TEST_F(MachineReportTest, PrometheusSamplesOnlyWhereARowHasAValue) {
    Build(L"a\\b \"quoted\" 主機\r\n10.0.0.1 \r\n");
    Result(1, kStatusSuccess, 12);
    Result(1, kStatusSuccess, 1500);
    Result(1, 11, 0);
    ASSERT_TRUE(WritePrometheusReport(list, *this));
    std::string samples;
    for (std::size_t at = 0, end; (end = bytes.find('\n', at)) != std::string::npos; at = end + 1)
        if (bytes[at] != '#') samples += bytes.substr(at, end + 1 - at);
    const std::string a = R"({host="a\\b",address="",description="\"quoted\" )" "\xE4\xB8\xBB\xE6\xA9\x9F" R"(",row="1")";
    const std::string b = R"({host="10.0.0.1",address="127.0.0.1",description="",row="2")";
    EXPECT_EQ(samples, "echosentinel_up" + b + "} 0\n"
                       "echosentinel_pings_total" + a + ",result=\"success\"} 0\n"
                       "echosentinel_pings_total" + a + ",result=\"failure\"} 0\n"
                       "echosentinel_pings_total" + b + ",result=\"success\"} 2\n"
                       "echosentinel_pings_total" + b + ",result=\"failure\"} 1\n"
                       "echosentinel_loss_ratio" + b + "} 0.333\n"
                       "echosentinel_rtt_seconds" + b + ",stat=\"last\"} 1.5\n"
                       "echosentinel_rtt_seconds" + b + ",stat=\"average\"} 0.756\n"
                       "echosentinel_rtt_seconds" + b + ",stat=\"min\"} 0.012\n"
                       "echosentinel_rtt_seconds" + b + ",stat=\"max\"} 1.5\n"
                       "echosentinel_jitter_seconds" + b + "} 1.488\n"
                       "echosentinel_failures_in_a_row" + b + "} 1\n"
                       "echosentinel_last_success_timestamp_seconds" + b + "} 1767225605\n");
    EXPECT_EQ(EscapePrometheusLabel(L"line\nfeed\r"), L"line\\nfeed\r") << "only the line feed ends a line";
}

// An expected file of the end-to-end tests as UTF-8: its lines end in CR LF, the mark first.
std::string ExpectedUtf8(const std::string& name) {
    std::ifstream file(ES_EXPECTED_DIR "/" + name, std::ios::binary);
    std::string text = "\xEF\xBB\xBF";
    for (auto it = std::istreambuf_iterator<char>(file); it != std::istreambuf_iterator<char>(); ++it)
        text += *it == '\n' ? std::string("\r\n") : std::string(1, *it);
    return text;
}

// Host, Recent Pings and Recent Loss shown: in both HTML layouts a row's kept results are bars of an
// inline SVG, 1, 10, 100 and 1,000 ms equal steps apart and a failure full height in red, its text
// the title; a row without results keeps the empty cell.
TEST_F(MachineReportTest, HtmlReportsDrawRecentPingsAsSvg) {
    Build(L"10.0.0.1 first\r\n10.0.0.2 none\r\n");
    for (const auto& [status, time] : {std::pair(0, 1), std::pair(0, 10), std::pair(0, 100), std::pair(0, 1000),
                                       std::pair(10, 0), std::pair(0, 3)})
        Result(0, status, static_cast<std::uint32_t>(time));
    for (std::size_t c = 0; c < list.Layout().size(); ++c)
        list.Layout()[c].width = c == kFieldHost || c == kFieldRecentPings || c == kFieldRecentLoss ? 100 : 0;
    for (const auto& [format, name] : {std::pair(kFormatHtmlHorizontal, "history.shtml"), std::pair(kFormatHtmlVertical, "history.sverhtml")}) {
        SCOPED_TRACE(name);
        bytes.clear();
        ASSERT_TRUE(WriteAllItems(list, *this, format));
        EXPECT_EQ(bytes, ExpectedUtf8(name));
    }
}

}  // namespace
