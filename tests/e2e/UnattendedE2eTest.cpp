// "/rounds" through the real executable, read the way a monitoring system reads a check: the exit
// code, the plugin line field by field and the lines after it; no window, no box, and nothing
// written but the report asked for.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <string>

#include "e2e/E2eSupport.h"

namespace e2e {
namespace {

// The text before the performance data, and the data's labels with their values.
struct PluginLine {
    std::string text;
    std::map<std::string, std::string> data;
    std::string rest;  // the lines after the first
};

PluginLine Parse(const std::string& output) {
    PluginLine line;
    const std::size_t end = output.find('\n');
    const std::string first = output.substr(0, end);
    line.rest = end == std::string::npos ? "" : output.substr(end + 1);
    line.text = first.substr(0, first.find('|'));
    std::string data = first.substr(first.find('|') + 1) + " ";
    for (std::size_t at = 0, space; (space = data.find(' ', at)) != std::string::npos; at = space + 1) {
        const std::string item = data.substr(at, space - at);
        const std::size_t equals = item.find('=');
        if (equals != std::string::npos) line.data[item.substr(1, equals - 2)] = item.substr(equals + 1);
    }
    return line;
}

TEST(UnattendedE2e, LoopbackRoundsAreOkWithTheReportAskedForAndNothingElse) {
    Sandbox box;
    WriteFileBytes(box.PathOf(L"list.txt"), "127.0.0.1-127.0.0.4\r\n");
    std::string output;
    ASSERT_EQ(box.RunCapturing(L"/rounds 3 /interval 0 /loadfile list.txt /sjson out.json", output), 0) << output;
    PluginLine line = Parse(output);
    EXPECT_EQ(line.text.substr(0, 47), "ECHOSENTINEL OK - 4/4 hosts OK, loss 0.0%, rta ") << output;
    EXPECT_EQ(line.data["hosts_ok"], "4;;;0;4");
    EXPECT_EQ(line.data["hosts_critical"], "0;;;0;4");
    EXPECT_EQ(line.data["pl"], "0.0%;40;80;0;100");
    EXPECT_EQ(line.data["rta"].substr(line.data["rta"].find("ms;")), "ms;200;500;0;");
    EXPECT_EQ(line.rest, "") << "no row is not OK";
    const std::string report = ReadFileBytes(box.PathOf(L"out.json"));
    EXPECT_NE(report.find("\n  \"rounds\": 3,\n  \"state\": \"OK\",\n"), std::string::npos) << report;
    EXPECT_NE(report.find("{\"host\": \"127.0.0.4\", \"address\": \"127.0.0.4\", \"replyAddress\": \"127.0.0.4\", "
                          "\"succeeded\": 3, \"failed\": 0, "), std::string::npos) << "three rounds";
    EXPECT_EQ(FolderEntries(box.Folder()), (std::vector<std::wstring>{L"EchoSentinel.exe", L"list.txt", L"out.json"}))
        << "no configuration or hosts file";

    ASSERT_EQ(box.RunCapturing(L"/rounds 1 /loadfile list.txt", output), 0) << "without a report, only the output";
    EXPECT_EQ(FolderEntries(box.Folder()).size(), 3u);
}

TEST(UnattendedE2e, ARowThatNeverAnswersIsCriticalOrWarningByTheThresholds) {
    const char* silent = std::getenv("ES_SILENT_HOST");
    if (!silent || !*silent) GTEST_SKIP() << "no silent host in this run (scripts/silent-host.sh)";
    Sandbox box;
    WriteFileBytes(box.PathOf(L"list.txt"), "127.0.0.1\r\n" + std::string(silent) + "\r\n");
    std::string output;
    ASSERT_EQ(box.RunCapturing(L"/rounds 2 /interval 0 /PingTimeout 300 /loadfile list.txt", output), 2) << output;
    PluginLine line = Parse(output);
    EXPECT_EQ(line.text.rfind("ECHOSENTINEL CRITICAL - 1/2 hosts OK, loss 50.0%, rta ", 0), 0u) << output;
    EXPECT_TRUE(line.text.ends_with(std::string(" ms; ") + silent + " (loss 100.0%)")) << output;
    EXPECT_EQ(line.data["hosts_critical"], "1;;;0;2");
    EXPECT_EQ(line.rest.substr(0, line.rest.find(", ", line.rest.find("rta"))),
              std::string("CRITICAL ") + silent + " (" + silent + "): loss 100.0%, rta -");
    ASSERT_EQ(box.RunCapturing(L"/rounds 1 /PingTimeout 300 /crit 500,101% /loadfile list.txt", output), 1) << output;
    EXPECT_EQ(Parse(output).text.substr(0, 21), "ECHOSENTINEL WARNING ");
}

TEST(UnattendedE2e, WrongOptionsAndAnUnwritableReportAreUnknownWithoutAWindow) {
    Sandbox box;
    WriteFileBytes(box.PathOf(L"list.txt"), "127.0.0.1\r\n");
    const struct {
        const wchar_t* arguments;
        const char* output;
    } cases[] = {
        {L"/rounds 0 /loadfile list.txt", "ECHOSENTINEL UNKNOWN - /rounds needs a number from 1 to 100000\n"},
        {L"/rounds 1 /warn 200 /loadfile list.txt", "ECHOSENTINEL UNKNOWN - /warn needs RTA,PL% such as 200,40%\n"},
        {L"/rounds 1 /loadfile list.txt /sxml missing\\r.xml",
         "ECHOSENTINEL UNKNOWN - cannot write missing\\r.xml: Error 3: "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.arguments);
        std::string output;
        EXPECT_EQ(box.RunCapturing(c.arguments, output, 20000), 3) << "a window or a box would hold the process";
        EXPECT_EQ(output.substr(0, std::string(c.output).size()), c.output);
    }
}

}  // namespace
}  // namespace e2e
