// Moments kept as Unix seconds and shown in the local time of the machine.
#pragma once

#include <cstdint>
#include <string>

namespace es {

// Now, in seconds since 1970-01-01 UTC.
std::int64_t UnixTimeNow();
// "yyyy-MM-dd HH:mm:ss" in local time.
std::wstring FormatLocalDateTime(std::int64_t unixSeconds);
// ISO 8601 in local time with the offset from UTC, "2026-12-07T20:30:05+01:00".
std::wstring FormatIsoLocalDateTime(std::int64_t unixSeconds);

}  // namespace es
