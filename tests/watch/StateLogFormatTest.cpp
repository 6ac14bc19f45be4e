// The state-change log's lines byte for byte: the local time, UTF-8 text, and fields quoted as
// RFC 4180 says only where they hold a comma, a quote or a line break.
#include <gtest/gtest.h>

#include "common/LocalZone.h"
#include "watch/StateLogFormat.h"

namespace {

using namespace es;

TEST(StateLogFormatTest, LinesAreUtf8WithFieldsQuotedWhereNeeded) {
    const testing_es::LocalZone zone{"NST+3:30"};
    const struct {
        const wchar_t *host, *address, *description;
        WatchState state;
        const wchar_t* status;
        std::uint32_t failures;
        std::string line;
    } cases[] = {
        {L"localhost", L"127.0.0.1", L"gateway", WatchState::Down, L"Request timed out", 3,
         "2026-01-01 20:34:05,localhost,127.0.0.1,gateway,down,Request timed out,3\r\n"},
        {L"a\"b", L"127.0.0.2", L"rack 4, \"core\"", WatchState::Up, L"Success, at last", 0,
         "2026-01-01 20:34:05,\"a\"\"b\",127.0.0.2,\"rack 4, \"\"core\"\"\",up,\"Success, at last\",0\r\n"},
        {L"r\u00E9seau-\u8DEF\U0001F600\xD800", L"", L"two\r\nlines", WatchState::Down, L"", 4294967295u,
         "2026-01-01 20:34:05,r\xC3\xA9seau-\xE8\xB7\xAF\xF0\x9F\x98\x80\xEF\xBF\xBD,,\"two\r\nlines\",down,,4294967295\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        StateChange change;
        change.host = c.host;
        change.address = c.address;
        change.description = c.description;
        change.state = c.state;
        change.failuresInARow = c.failures;
        change.unixTime = 1767312245;  // 2026-01-02 00:04:05 UTC
        EXPECT_EQ(FormatStateLogLine(change, c.status), c.line);
    }
}

}  // namespace
