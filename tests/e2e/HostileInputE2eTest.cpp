// Hostile input to the real executable, one table: oversized, malformed and odd files and command
// lines. Each case must end with exit code 0 and give its documented or sound result.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <sstream>

#include "e2e/E2eSupport.h"
#include "support/Utf16.h"

namespace e2e {
namespace {

struct Case {
    const char* name;
    std::vector<std::pair<std::wstring, std::string>> files;
    std::wstring arguments;
    std::function<void(const Sandbox&)> check;
};

// The rows of a tab-delimited export: the first cell of each line.
std::vector<std::wstring> Hosts(const std::string& bytes) {
    std::vector<std::wstring> hosts;
    if (bytes.size() < 2) return hosts;
    std::wistringstream lines(es::DecodeUtf16Le(reinterpret_cast<const std::uint8_t*>(bytes.data()) + 2, bytes.size() - 2));
    for (std::wstring line; std::getline(lines, line);) hosts.push_back(line.substr(0, line.find(L'\t')));
    return hosts;
}

void ExpectHosts(const Sandbox& box, const std::vector<std::wstring>& hosts) {
    EXPECT_EQ(Hosts(ReadFileBytes(box.PathOf(L"out"))), hosts);
}

TEST(HostileInput, EveryCaseEndsWellWithItsResult) {
    std::string seventyThousand;
    for (int i = 0; i < 70000; ++i) seventyThousand += "127.0.0.1\r\n";
    const std::string cfgIpHost = "[General]\r\nIPHostDescFormat=1\r\n";
    const std::vector<Case> cases = {
        {"a 100,000-character name is cut to 254", {{L"EchoSentinel_hosts.txt", Utf16Bytes(std::wstring(100000, L'a'))}},
         L"/stab out", [](const Sandbox& b) { ExpectHosts(b, {std::wstring(254, L'a')}); }},
        {"lone surrogates stay characters", {{L"EchoSentinel_hosts.txt", Utf16Bytes(L"\xD800x \xDC00y")}}, L"/scomma out",
         [](const Sandbox& b) { EXPECT_EQ(ReadFileBytes(b.PathOf(L"out")).substr(1, 2), "x,"); }},
        {"70,000 lines, 70,000 rows", {{L"EchoSentinel_hosts.txt", Utf16Bytes(std::wstring(seventyThousand.begin(), seventyThousand.end()))}},
         L"/stab out", [](const Sandbox& b) { EXPECT_EQ(Hosts(ReadFileBytes(b.PathOf(L"out"))).size(), 70000u); }},
        {"a truncated configuration", {{L"EchoSentinel.cfg", "[Gen"}, {L"EchoSentinel_hosts.txt", Utf16Bytes(L"a b")}}, L"/stab out",
         [](const Sandbox& b) { ExpectHosts(b, {L"a", L"b"}); }},
        {"a configuration of wrong types and repeated keys",
         {{L"EchoSentinel.cfg", "[General]\r\nIPHostDescFormat=1\r\nIPHostDescFormat=0\r\nPingTimeout=abc\r\nWinPos=\r\nSort=-1\r\n"},
          {L"EchoSentinel_hosts.txt", Utf16Bytes(L"a b")}}, L"/stab out",
         [](const Sandbox& b) { ExpectHosts(b, {L"a"}); }},  // the first of repeated keys
        {"a UTF-16 configuration", {{L"EchoSentinel.cfg", "\xFF\xFE" + Utf16Bytes(std::wstring(cfgIpHost.begin(), cfgIpHost.end()))},
                                    {L"EchoSentinel_hosts.txt", Utf16Bytes(L"a b")}}, L"/stab out",
         [](const Sandbox& b) { ExpectHosts(b, {L"a"}); }},
        {"a 4 MiB configuration", {{L"EchoSentinel.cfg", cfgIpHost + std::string(4 << 20, 'x')}, {L"EchoSentinel_hosts.txt", Utf16Bytes(L"a b")}},
         L"/stab out", [](const Sandbox& b) { ExpectHosts(b, {L"a"}); }},
        {"long and repeated options", {{L"EchoSentinel_hosts.txt", Utf16Bytes(L"a")}},
         L"/PingTimeout " + std::wstring(30000, L'9') + L" /stab x /stab out /PingTimeout",
         [](const Sandbox& b) { ExpectHosts(b, {L"a"}); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Sandbox box;
        for (const auto& [name, bytes] : c.files) WriteFileBytes(box.PathOf(name), bytes);
        ASSERT_EQ(box.Run(c.arguments, 60000), 0);
        c.check(box);
    }
}

// The window side: an address file at the 8 MiB cap and just over it loads as one cut row.
TEST(HostileInput, AnAddressFileOverTheCapLoadsItsFirstEightMebibytes) {
    for (std::size_t size : {std::size_t{8} << 20, (std::size_t{8} << 20) + 1}) {
        Sandbox box;
        const auto [process, window, list] = StartOnList(box, std::string(size, 'a'), L"/nosaveload");
        ASSERT_NE(window, nullptr);
        for (int i = 0; i < 100 && ::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0) == 0; ++i) ::Sleep(50);
        EXPECT_EQ(ListViewCell(process, list, 0, 0), std::wstring(254, L'a'));
        ::PostMessageW(window, WM_CLOSE, 0, 0);
        EXPECT_EQ(ExitCode(process), 0);
    }
}

}  // namespace
}  // namespace e2e
