#include "ping/EchoRecord.h"

namespace es {

namespace {

std::uint64_t ReadLittleEndian(const unsigned char* bytes, std::size_t count) {
    std::uint64_t value = 0;
    for (std::size_t i = count; i-- > 0;) value = (value << 8) | bytes[i];
    return value;
}

constexpr std::size_t kDataPointerOffset = 16;
constexpr std::size_t kTtlOffset32 = 20;
constexpr std::size_t kTtlOffset64 = 24;

}  // namespace

std::int32_t RowStatusFromIpStatus(std::uint32_t ipStatus) {
    return static_cast<std::int32_t>(ipStatus >= kIpStatusBase ? ipStatus - kIpStatusBase : ipStatus);
}

EchoRecordLayout DetectEchoRecordLayout(const unsigned char* area, std::size_t size, std::uint64_t areaAddress) {
    if (size < kEchoRecord64Size) return EchoRecordLayout::Record32;
    const std::uint64_t data = ReadLittleEndian(area + kDataPointerOffset, 8);
    const bool inArea = data >= areaAddress + kEchoRecord64Size && data < areaAddress + size;
    return inArea ? EchoRecordLayout::Native64 : EchoRecordLayout::Record32;
}

EchoReply DecodeEchoRecord(const unsigned char* area, std::size_t size, EchoRecordLayout layout) {
    const bool native = layout == EchoRecordLayout::Native64;
    EchoReply reply;
    if (size < (native ? kEchoRecord64Size : kEchoRecord32Size)) return reply;
    reply.replyAddress = static_cast<std::uint32_t>(ReadLittleEndian(area, 4));
    reply.status = RowStatusFromIpStatus(static_cast<std::uint32_t>(ReadLittleEndian(area + 4, 4)));
    reply.roundTripTime = static_cast<std::uint32_t>(ReadLittleEndian(area + 8, 4));
    reply.ttl = area[native ? kTtlOffset64 : kTtlOffset32];
    return reply;
}

}  // namespace es
