// The source-packet walk, the PES start rule of the IG load, and the segment ring.
#include "ig/ig_load.h"
#include "ig_test_util.h"

#include <gtest/gtest.h>

using namespace mirtal;
using namespace mirtal::ig;
using namespace mirtal::support;

TEST(TsPackets, PayloadLengthFollowsTheAdaptationField)
{
    TsBuilder ts;
    ts.packet(0x1400, ByteVec(184, 1), true);
    ts.packet(0x1400, {}, false);    // adaptation field of 183: nothing
    const auto& b = ts.bytes();
    EXPECT_EQ(payloadOf(b.data()).length, 184);
    EXPECT_EQ(payloadOf(b.data() + 192).length, 0);
    EXPECT_EQ(packetPid(b.data()), 0x1400);
}

TEST(PesCollector, StartsContinuationsAndHeaderlessIds)
{
    TsBuilder ts;
    ByteVec data(500, 0);
    data[184 - 14] = 0;    // a continuation payload that begins 00 00 01 E0 while more is expected
    for (size_t i = 170; i < 174; ++i)
        data[i] = ByteVec{0, 0, 1, 0xE0}[i - 170];
    ts.pes(0x1400, pesPacket(0xBD, data, 1000));
    ts.pes(0x1400, pesPacket(0xBE, ByteVec(300, 7), std::nullopt));
    PesCollector pes;
    size_t taken = 0;
    int starts = 0;
    for (size_t at = 0; at < ts.bytes().size(); at += 192) {
        const Payload p = payloadOf(ts.bytes().data() + at);
        const bool start = pes.isStart(p);
        starts += start;
        taken += pes.take(p, start).size();
    }
    EXPECT_EQ(starts, 2);
    // all 500 bytes of the first; of the padding packet only its continuation
    EXPECT_EQ(taken, 500u + (309 - 184));
}

TEST(SegmentRing, ValuesStraddleTheEnd)
{
    SegmentRing ring;
    ring.write(ByteVec(140000, 0));
    ring.skip(140000);
    ring.write(ByteVec{0x12, 0x34, 0x56, 0x78});
    EXPECT_EQ(ring.available(), 4);
    EXPECT_EQ(ring.read3Byte(), 0x123456u);
    ByteVec out;
    ring.copy(1, out);
    EXPECT_EQ(out, ByteVec{0x78});
}

TEST(ChunkReader, ATrailingPartialPacketIsIgnoredAndLostSyncSkipsTheChunk)
{
    ByteVec ts = segmentsToTs({segment(0x18, ByteVec(10, 0))});
    ts.insert(ts.end(), 100, 0x47);
    MemorySource src(ts);
    ChunkReader chunks(src, 2, 3);
    size_t total = 0;
    for (auto c = chunks.next(); !c.empty(); c = chunks.next())
        total += c.size();
    EXPECT_EQ(total, ts.size() - 100);
    EXPECT_EQ(progressLine(5, 10, 1, 0.5), "Packet: 5/10   Elapsed: 0:00:01   Remaining: 0:00:02");
}
