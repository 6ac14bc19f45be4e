// The first echo reply record of a reply area, as a 64-bit process finds it once IcmpParseReplies
// has run. Windows rewrites the area into 32-bit records (ICMP_ECHO_REPLY32: the data pointer is
// 4 bytes, the TTL at byte 20); Wine leaves the native 64-bit record (8-byte pointer, TTL at byte
// 24). Both keep address, status, round trip and data size at bytes 0, 4, 8 and 12.
#pragma once

#include <cstddef>
#include <cstdint>

#include "ping/EchoService.h"

namespace es {

enum class EchoRecordLayout { Record32, Native64 };

inline constexpr std::size_t kEchoRecord32Size = 28;
inline constexpr std::size_t kEchoRecord64Size = 40;
inline constexpr std::uint32_t kIpStatusBase = 11000;

// Native64 when the 8 bytes at 16 hold a pointer into the area itself (the echoed data follows
// the record); in a 32-bit record those bytes are the 4-byte pointer and the TTL, TOS, flags and
// option size, which never read as such a pointer for a reply that carries a TTL.
EchoRecordLayout DetectEchoRecordLayout(const unsigned char* area, std::size_t size, std::uint64_t areaAddress);

// Status as a row status code (the platform's value minus 11000 from 11000 on), replying address,
// round trip and TTL. An area too small for the layout reads as a general failure.
EchoReply DecodeEchoRecord(const unsigned char* area, std::size_t size, EchoRecordLayout layout);

// A platform echo status (IP_SUCCESS, IP_REQ_TIMED_OUT, ...) as a row status code.
std::int32_t RowStatusFromIpStatus(std::uint32_t ipStatus);

}  // namespace es
