// The first reply record in both layouts a 64-bit process meets: the 32-bit records of Windows and
// the native ones Wine leaves (bytes as Wine 8 wrote them for a loopback echo).
#include <gtest/gtest.h>

#include <array>

#include "ping/EchoRecord.h"
#include "ping/PingItem.h"

namespace es {
namespace {

using Area = std::array<unsigned char, 255>;

void Put32(Area& area, std::size_t at, std::uint64_t value, std::size_t bytes = 4) {
    for (std::size_t i = 0; i < bytes; ++i) area[at + i] = static_cast<unsigned char>(value >> (8 * i));
}

// address, status, round trip, data size 32; then the layout's own pointer and options.
Area Record(bool native, std::uint64_t address, std::uint32_t status, std::uint32_t roundTrip, unsigned char ttl) {
    Area area{};
    Put32(area, 0, 0x0100007F);
    Put32(area, 4, status);
    Put32(area, 8, roundTrip);
    Put32(area, 12, 32, 2);
    if (native) {
        Put32(area, 16, address + kEchoRecord64Size, 8);  // data right after the record
        area[24] = ttl;
        Put32(area, 28, 2);                                // padding Wine leaves as it finds it
        Put32(area, 32, address + kEchoRecord64Size, 8);
    } else {
        Put32(area, 16, (address + kEchoRecord32Size) & 0xFFFFFFFF);
        area[20] = ttl;
        Put32(area, 24, (address + kEchoRecord32Size) & 0xFFFFFFFF);
    }
    return area;
}

TEST(EchoRecordTest, BothLayoutsAreRecognisedAndRead) {
    struct Case {
        bool native;
        std::uint64_t address;
        std::uint32_t status, roundTrip;
        unsigned char ttl;
        std::int32_t rowStatus;
    } cases[] = {
        {true, 0x14000C040, 0, 4, 64, 0},              // Wine, a loopback reply
        {false, 0x14000C040, 0, 4, 64, 0},             // Windows, the same reply
        {false, 0x0000024A1F3B0010, 0, 17, 128, 0},    // Windows, a heap far above 4 GiB
        {false, 0x0000000000801000, 11013, 9, 1, 13},  // TTL expired in transit
        {true, 0x00007FF6A0001230, 11010, 0, 0, 10},   // timed out: no TTL in either layout
        {false, 0x00007FF6A0001230, 11010, 0, 0, 10},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << (c.native ? "native" : "32-bit") << " at " << std::hex << c.address);
        const Area area = Record(c.native, c.address, c.status, c.roundTrip, c.ttl);
        const auto layout = DetectEchoRecordLayout(area.data(), area.size(), c.address);
        if (c.ttl != 0) {
            EXPECT_EQ(layout, c.native ? EchoRecordLayout::Native64 : EchoRecordLayout::Record32);
        }
        const EchoReply reply = DecodeEchoRecord(area.data(), area.size(), layout);
        EXPECT_EQ(reply.status, c.rowStatus);
        EXPECT_EQ(reply.replyAddress, 0x0100007Fu);
        EXPECT_EQ(reply.roundTripTime, c.roundTrip);
        EXPECT_EQ(reply.ttl, c.ttl);
        // One byte short of the record: a failure, never a reply read past the area.
        const std::size_t size = layout == EchoRecordLayout::Native64 ? kEchoRecord64Size : kEchoRecord32Size;
        EXPECT_EQ(DecodeEchoRecord(area.data(), size - 1, layout).status, kStatusGeneralFailure);
    }
}

}  // namespace
}  // namespace es
