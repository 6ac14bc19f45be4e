// The JSON report (RFC 8259): every column of the chosen rows as values a script can read,
// whatever columns a window shows.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "ping/PingItemList.h"
#include "reports/TextSink.h"
#include "reports/UnattendedRun.h"
#include "support/LocalTime.h"

namespace es {

// The inside of a JSON string: quote and backslash escaped, control characters as \u00XX, every
// other character as it is.
std::wstring EscapeJson(std::wstring_view text);

// One object in UTF-8 without a byte-order mark: the program, its version, the creation time, the
// report title and the rows given by storage index, in that order. run may be null. False when a
// write failed.
bool WriteJsonReport(const PingItemList& list, const std::vector<std::size_t>& rows, const UnattendedRun* run,
                     TextSink& sink, std::int64_t createdUnixTime = UnixTimeNow());

}  // namespace es
