// Rounds over the platform's ICMP library under Wine: loopback answers every 127.x address; the
// silent host (a namespace of the test run that ignores echo requests) never answers.
#include <winsock2.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <tuple>

#include "ping/IcmpEchoService.h"
#include "ping/PingItemList.h"
#include "win/UiDriver.h"

namespace es {
namespace {

class IcmpRoundTest : public testing::Test {
protected:
    void SetUp() override {
        list.Initialise(0);
        list.Engine().SetPlatformFactory(MakeIcmpPlatform);
    }
    void Build(const std::wstring& addresses) { list.BuildItems({.addressList = addresses}); }
    // Milliseconds until the round completed, or -1 after 60 s.
    long RunRound(std::uint32_t timeoutMs) {
        DWORD start = ::GetTickCount();
        list.StartRound(timeoutMs);
        while (list.ResultsThisRound != list.Count()) {
            if (::GetTickCount() - start > 60000) return -1;
            ::Sleep(5);
        }
        return static_cast<long>(::GetTickCount() - start);
    }

    PingItemList list;
};

// A name is looked up once and its address kept; every loopback address answers, also with more
// requests than Wine keeps in flight at once.
TEST_F(IcmpRoundTest, AThousandLoopbackRowsAndANameAllAnswer) {
    Build(L"localhost 127.0.1.0-127.0.4.230");
    ASSERT_GE(RunRound(1000), 0);
    for (std::size_t i = 0; i < list.Count(); ++i) {
        const PingItem& row = list.Row(i);
        ASSERT_EQ(std::tuple(row.LastStatus.load(), row.SucceedCount.load(), row.LastTtl.load(), row.ReplyAddress.load()),
                  std::tuple(kStatusSuccess, 1u, 64u, row.Address.load())) << i;
    }
}

// More requests than Wine keeps in flight at once: those it refuses must be sent again, never
// read as replies.
TEST_F(IcmpRoundTest, ASilentHostTimesOutForEveryRowAndNeverSucceeds) {
    const char* silent = std::getenv("ES_SILENT_HOST");
    if (!silent || !*silent) GTEST_SKIP() << "no silent host in this run (scripts/silent-host.sh)";
    std::wstring address(silent, silent + std::char_traits<char>::length(silent));
    std::wstring addresses;
    for (int i = 0; i < 300; ++i) addresses += address + L"\r\n";
    Build(addresses);
    long elapsed = RunRound(500);
    ASSERT_GE(elapsed, 0);
    EXPECT_GE(elapsed, 450) << "every row waited for its timeout";
    for (std::size_t i = 0; i < list.Count(); ++i) {
        const PingItem& row = list.Row(i);
        ASSERT_EQ(std::tuple(row.LastStatus.load(), row.FailedCount.load(), row.SucceedCount.load(), row.LastTtl.load(),
                             row.ReplyAddress.load()),
                  std::tuple(kStatusTimedOut, 1u, 0u, 0u, 0u)) << i;
    }
}

// Run inside the silent namespace only (see tests/CMakeLists.txt), where lookups cannot leave.
TEST_F(IcmpRoundTest, AnUnresolvableNameFailsEveryRoundWithoutAnAddress) {
    if (!std::getenv("ES_IN_SILENT_NAMESPACE")) GTEST_SKIP() << "only inside the silent namespace";
    Build(L"echosentinel-test.invalid");
    for (std::uint32_t round = 1; round <= 2; ++round) {
        ASSERT_GE(RunRound(1000), 0);
        const PingItem& row = list.Row(0);
        EXPECT_EQ(std::tuple(row.LastStatus.load(), row.FailedCount.load(), row.Address.load(), row.LastTtl.load()),
                  std::tuple(kStatusInvalidHost, round, 0u, 0u));
    }
}

// The platform's own conversions in two code pages, UTF-8 among them (the system code page when
// Windows is set to use UTF-8): only exact forms are looked up.
TEST(AnsiHostNameTest, ANameIsLookedUpOnlyInItsExactForm) {
    const struct {
        std::wstring name;
        unsigned codePage;
        std::optional<std::string> expected;  // none: no exact form, not looked up
    } cases[] = {
        {L"localhost", 65001, "localhost"},
        {L"localhost", 1252, "localhost"},
        {L"caf\u00E9.example", 65001, "caf\xC3\xA9.example"},
        {L"caf\u00E9.example", 1252, "caf\xE9.example"},
        {L"\u4E3B\u6A5F", 65001, "\xE4\xB8\xBB\xE6\xA9\x9F"},
        {L"\u4E3B\u6A5F", 1252, std::nullopt},      // no form at all: "??"
        {L"\uFF41bc.example", 1252, std::nullopt},  // best fit would look up "abc.example"
        {L"\uFF41bc.example", 65001, "\xEF\xBD\x81" "bc.example"},
        {L"", 65001, std::nullopt},
        {std::wstring(255, L'a'), 65001, std::string(255, 'a')},
        {std::wstring(256, L'a'), 65001, std::nullopt},       // 256 bytes do not fit the lookup
        {std::wstring(128, L'\u00E9'), 65001, std::nullopt},  // 128 characters, 256 bytes
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "code page " << c.codePage << ", case " << (&c - cases));
        EXPECT_EQ(AnsiHostName(c.name, c.codePage), c.expected);
    }
}

}  // namespace
}  // namespace es
