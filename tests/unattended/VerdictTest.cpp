// The unattended run's options, the judgement of each row and the plugin output, as a monitoring
// system reads them: the state word, the counts, the loss and time over every ping, the worst
// rows, the performance data and a line per row that is not OK.
#include <gtest/gtest.h>

#include "common/BuiltInTexts.h"
#include "unattended/Verdict.h"

namespace {

using namespace es;

TEST(VerdictTest, OptionsAreReadOrRefusedWithAReason) {
    const struct {
        const wchar_t* line;
        const wchar_t* refusal;  // null: accepted
    } cases[] = {
        {L"/rounds 3", nullptr},
        {L"/rounds 100000 /interval 0 /warn 200.5,40% /crit 500,80", nullptr},
        {L"/rounds 100001", L"/rounds needs a number from 1 to 100000"},
        {L"/rounds 2.5", L"/rounds needs a number from 1 to 100000"},
        {L"/rounds", L"/rounds needs a number from 1 to 100000"},
        {L"/rounds 3 /interval -1", L"/interval needs milliseconds from 0 to 86400000"},
        {L"/rounds 3 /crit 1e3,80%", L"/crit needs RTA,PL% such as 200,40%"},
        {L"/rounds 3 /crit ,80%", L"/crit needs RTA,PL% such as 200,40%"},
        {L"/rounds 3 /warn 600,40%", L"/warn is above /crit"},
        {L"/rounds 3 /warn 100,90%", L"/warn is above /crit"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.line);
        CommandLine line;
        line.Parse(c.line);
        RoundsRequest request;
        const auto refusal = ParseRoundsRequest(line, request);
        EXPECT_EQ(refusal.value_or(L"<accepted>"), c.refusal ? c.refusal : L"<accepted>");
    }
    CommandLine line;
    line.Parse(L"/rounds 7 /interval 250 /warn 100.5,20% /crit 300,60%");
    RoundsRequest request;
    ASSERT_FALSE(ParseRoundsRequest(line, request));
    EXPECT_EQ(request.intervalMs, 250u);
    EXPECT_EQ(request.warning.rtaMs, 100.5);
    EXPECT_EQ(request.critical.lossPercent, 60);
}

// Four rows at the default thresholds: OK; WARNING by loss and time; CRITICAL by loss, with no
// reply; CRITICAL by time alone.
TEST(VerdictTest, ThePluginLineNamesTheWorstRowsFirstAndEveryRowThatIsNotOk) {
    testing_es::BuiltInTexts texts;
    PingItemList list;
    list.Initialise(0);
    AppSettings settings;
    settings.addressList = L"10.0.0.1-10.0.0.4";
    list.BuildItems(settings);
    const auto result = [&](int row, std::int32_t status, std::uint32_t ms) {
        const PingItem& item = list.Row(static_cast<std::size_t>(row));
        ASSERT_TRUE(list.ApplyResult({row, item.RowId, status, item.Address, item.Address, 64, ms}));
    };
    result(0, 0, 10);
    result(0, 0, 14);
    result(1, 0, 300);
    result(1, 10, 0);
    result(2, 10, 0);
    result(2, 10, 0);
    result(3, 0, 600);
    result(3, 0, 600);
    const RoundsRequest request;
    std::vector<CheckState> states;
    for (std::size_t i = 0; i < list.Count(); ++i) states.push_back(JudgeRow(list.Row(i), request));
    EXPECT_EQ(states, (std::vector<CheckState>{CheckState::Ok, CheckState::Warning, CheckState::Critical, CheckState::Critical}));
    EXPECT_EQ(PluginOutput(list, states, request),
              L"ECHOSENTINEL CRITICAL - 1/4 hosts OK, loss 37.5%, rta 304.800 ms; 10.0.0.3 (loss 100.0%); "
              L"10.0.0.4 (loss 0.0%, rta 600.000 ms); 10.0.0.2 (loss 50.0%, rta 300.000 ms)|'hosts_ok'=1;;;0;4 "
              L"'hosts_warning'=1;;;0;4 'hosts_critical'=2;;;0;4 'pl'=37.5%;40;80;0;100 'rta'=304.800ms;200;500;0;\n"
              L"CRITICAL 10.0.0.3 (10.0.0.3): loss 100.0%, rta -, 請求逾時\n"
              L"CRITICAL 10.0.0.4 (10.0.0.4): loss 0.0%, rta 600.000 ms, 成功\n"
              L"WARNING 10.0.0.2 (10.0.0.2): loss 50.0%, rta 300.000 ms, 請求逾時\n");

    settings.addressList = L"10.0.1.1-10.0.1.7";  // seven rows without a reply: five named, and the rest counted
    list.Clear();
    list.BuildItems(settings);
    for (int row = 0; row < 7; ++row) result(row, 10, 0);
    states.assign(7, CheckState::Critical);
    const std::wstring output = PluginOutput(list, states, request);
    EXPECT_EQ(output.substr(0, output.find(L'|')),
              L"ECHOSENTINEL CRITICAL - 0/7 hosts OK, loss 100.0%, rta -; 10.0.1.1 (loss 100.0%); 10.0.1.2 (loss 100.0%); "
              L"10.0.1.3 (loss 100.0%); 10.0.1.4 (loss 100.0%); 10.0.1.5 (loss 100.0%), +2 more");
    EXPECT_NE(output.find(L"'rta'=Ums;200;500;0;\n"), std::wstring::npos) << "no reply: the time is unknown";
}

}  // namespace
