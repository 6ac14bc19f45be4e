// The state-change log's lines byte for byte: the local time, UTF-8 text, and fields quoted as
// RFC 4180 says only where they hold a comma, a quote or a line break.
#include <gtest/gtest.h>

#include "common/LocalZone.h"
#include "watch/StateLogFormat.h"

namespace {

using namespace es;

TEST(StateLogFormatTest, ALineIsUtf8WithTheLocalTimeAndFieldsQuotedWhereNeeded) {
    const testing_es::LocalZone zone{"NST+3:30"};
    const std::int64_t unixTime = 1767312245;  // 2026-01-02 00:04:05 UTC
    const StateChange change = {0, L"r\u00E9seau-\u8DEF", L"127.0.0.2", L"rack 4, \"core\"", WatchState::Down, 10, 3, unixTime};
    EXPECT_EQ(FormatStateLogLine(change, L"Request timed out"),
              "2026-01-01 20:34:05,r\xC3\xA9seau-\xE8\xB7\xAF,127.0.0.2,\"rack 4, \"\"core\"\"\",down,Request timed out,3\r\n");
}

}  // namespace
