#pragma once
// Reading built PlayLists in the playlist tests.

#include "playlist/mpls_io.h"
#include "support/mpls_builder.h"
#include "support/recording_reporter.h"

#include <gtest/gtest.h>

namespace mirtal::playlist::test {

inline TPLmpls readBuilt(const std::vector<uint8_t>& bytes, const std::string& name = "00001")
{
    support::RecordingReporter rec;
    core::Report report(rec);
    TPLmpls m;
    EXPECT_TRUE(readPlaylist(bytes, name, m, report));
    EXPECT_TRUE(rec.errors.empty());
    return m;
}

inline support::PlayItemSpec simpleItem(const std::string& clip, uint32_t in, uint32_t out)
{
    support::PlayItemSpec p;
    p.clip = clip;
    p.in = in;
    p.out = out;
    p.video = {support::videoStream(0x1011, 0x1B, 6, 3)};
    p.audio = {support::audioStream(0x1100, "eng")};
    return p;
}

// Measures a written file: every stored length and start address must equal what it holds.
inline void expectMeasuredConsistent(const std::vector<uint8_t>& bytes, const TPLmpls& m)
{
    const auto& pl = m.playList;
    uint64_t playListBytes = 10;
    for (const auto& p : pl.playItems) {
        uint32_t streams = 16 * uint32_t(p.stn.primaryVideo.size() + p.stn.primaryAudio.size() + p.stn.pg.size() +
                                         p.stn.ig.size());
        for (const auto& s : p.stn.secondaryAudio)
            streams += streamSize(s);
        for (const auto& s : p.stn.secondaryVideo)
            streams += streamSize(s);
        EXPECT_EQ(p.stn.length, 14 + streams);
        const uint32_t angles = p.multiAngle ? 2 + 10 * (p.angles.numberOfAngles - 1) : 0;
        EXPECT_EQ(p.length, 32 + angles + 2 + p.stn.length);
        playListBytes += p.length + 2u;
    }
    for (const auto& s : pl.subPaths) {
        uint32_t items = 0;
        for (const auto& i : s.subPlayItems) {
            EXPECT_EQ(i.length, 28 + (i.multiClip ? 2 + 10 * (i.numberOfClipEntries - 1) : 0));
            items += i.length + 2u;
        }
        EXPECT_EQ(s.length, 6 + items);
        playListBytes += s.length + 4u;
    }
    EXPECT_EQ(pl.length + 4u, playListBytes);
    EXPECT_EQ(m.playListMarkStartAddress, m.playListStartAddress + playListBytes);
    EXPECT_EQ(m.marks.length, 2 + 14 * m.marks.marks.size());
    const uint64_t marksEnd = m.playListMarkStartAddress + m.marks.length + 4u;
    if (m.extensionDataStartAddress != 0) {
        EXPECT_EQ(m.extensionDataStartAddress, marksEnd);
        EXPECT_EQ(bytes.size(), marksEnd + m.extensionData.length + 4);
    } else {
        EXPECT_EQ(bytes.size(), marksEnd);
    }
}

}  // namespace mirtal::playlist::test
