// "/rounds" through the real executable, read the way a monitoring system reads a check: the exit
// code, the plugin line field by field and the lines after it; no window, no box, and nothing
// written but the report asked for.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <regex>
#include <string>

#include "e2e/E2eSupport.h"

namespace e2e {
namespace {

// The output matched field by field; the average time, which varies, as a number of three decimals.
bool Matches(const std::string& output, const std::string& pattern) {
    return std::regex_match(output, std::regex(pattern));
}

TEST(UnattendedE2e, LoopbackRoundsAreOkWithTheReportAskedForAndNothingElse) {
    Sandbox box;
    WriteFileBytes(box.PathOf(L"list.txt"), "127.0.0.1-127.0.0.4\r\n");
    std::string output;
    ASSERT_EQ(box.RunCapturing(L"/rounds 3 /interval 0 /loadfile list.txt /sjson out.json", output), 0) << output;
    EXPECT_TRUE(Matches(output, R"(ECHOSENTINEL OK - 4/4 hosts OK, loss 0\.0%, rta \d+\.\d{3} ms\|'hosts_ok'=4;;;0;4 )"
                                R"('hosts_warning'=0;;;0;4 'hosts_critical'=0;;;0;4 'pl'=0\.0%;40;80;0;100 )"
                                R"('rta'=\d+\.\d{3}ms;200;500;0;\n)")) << output;
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
    const std::string host = std::regex_replace(silent, std::regex(R"(\.)"), R"(\.)");
    EXPECT_TRUE(Matches(output, R"(ECHOSENTINEL CRITICAL - 1/2 hosts OK, loss 50\.0%, rta \d+\.\d{3} ms; )" + host +
                                    R"( \(loss 100\.0%\)\|'hosts_ok'=1;;;0;2 'hosts_warning'=0;;;0;2 'hosts_critical'=1;;;0;2 )"
                                    R"('pl'=50\.0%;40;80;0;100 'rta'=\d+\.\d{3}ms;200;500;0;\n)"
                                    "CRITICAL " + host + " \\(" + host + R"(\): loss 100\.0%, rta -, .+\n)")) << output;
    ASSERT_EQ(box.RunCapturing(L"/rounds 1 /PingTimeout 300 /crit 500,101% /loadfile list.txt", output), 1) << output;
    EXPECT_EQ(output.rfind("ECHOSENTINEL WARNING - 1/2 hosts OK", 0), 0u) << output;
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
