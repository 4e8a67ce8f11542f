#pragma once
// Reading built PlayLists in the playlist tests.

#include "playlist/mpls_io.h"
#include "support/mpls_builder.h"
#include "support/mpls_layout.h"
#include "support/recording_reporter.h"

#include <gtest/gtest.h>

namespace mirtal::playlist::test {

inline TPLmpls readBuilt(const std::vector<uint8_t>& bytes, const std::string& name = "00001")
{
    support::RecordingReporter rec;
    core::Report report(rec);
    TPLmpls m;
    EXPECT_TRUE(readPlaylist(bytes, name, report).into(m));
    EXPECT_TRUE(rec.errors.empty());
    return m;
}

inline support::PlayItemDesc simpleItem(const std::string& clip, uint32_t in, uint32_t out)
{
    support::PlayItemDesc p;
    p.clip = clip;
    p.in = in;
    p.out = out;
    p.video = {support::videoStream(0x1011, 0x1B, 6, 3)};
    p.audio = {support::audioStream(0x1100, "eng")};
    return p;
}

// Measures a written file by walking its bytes (not through the model or the writer): every
// stored length and start address must equal what the file holds.
inline void expectMeasuredConsistent(const std::vector<uint8_t>& bytes)
{
    const auto layout = support::walkMpls(bytes);
    EXPECT_TRUE(layout.complete);
    for (const auto& m : layout.mismatches)
        ADD_FAILURE() << m;
}

}  // namespace mirtal::playlist::test
