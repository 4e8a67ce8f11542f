// Golden round trips over real PlayLists and clips made by others.
#include "core/files.h"
#include "core/text.h"
#include "playlist/clpi.h"
#include "playlist/mpls_io.h"
#include "playlist/mpls_text.h"
#include "support/mpls_layout.h"
#include "support/real_data.h"
#include "support/recording_reporter.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace mirtal;
using namespace mirtal::playlist;
namespace fs = std::filesystem;

namespace {

// The streams of the last program sequence, walked from the bytes at the fixed offsets of
// StreamCodingInfo(), apart from the reader.
std::vector<ProgramStream> rawProgramStreams(const std::vector<uint8_t>& b)
{
    const auto at = [&](size_t i) -> uint32_t { return i < b.size() ? b[i] : 0; };
    const auto word = [&](size_t i) { return at(i) << 8 | at(i + 1); };
    const auto text = [&](size_t i) {
        std::string t;
        for (size_t k = i; k < i + 3 && at(k) != 0; ++k)
            t += static_cast<char>(at(k));
        return t;
    };
    std::vector<ProgramStream> streams;
    size_t pos = word(12) << 16 | word(14);
    const uint32_t sequences = at(pos + 5);
    pos += 6;
    for (uint32_t p = 0; p < sequences && pos < b.size(); ++p) {
        const uint32_t n = at(pos + 6);
        pos += 8;
        streams.clear();
        for (uint32_t k = 0; k < n && pos < b.size(); ++k) {
            ProgramStream& s = streams.emplace_back();
            s.pid = static_cast<uint16_t>(word(pos));
            const size_t info = pos + 3;    // after the length byte
            s.codingType = static_cast<uint8_t>(at(info));
            const uint8_t attributes = static_cast<uint8_t>(at(info + 1));
            if (s.codingType == 0x02 || s.codingType == 0x1B || s.codingType == 0xEA) {
                s.videoFormat = attributes >> 4;
                s.frameRate = attributes & 0x0F;
                s.aspectRatio = static_cast<uint8_t>(at(info + 2) >> 4);
            } else if ((s.codingType >= 0x80 && s.codingType <= 0x86) || s.codingType == 0xA1 || s.codingType == 0xA2) {
                s.audioFormat = attributes >> 4;
                s.sampleRate = attributes & 0x0F;
                s.language = text(info + 2);
            } else if (s.codingType == 0x90 || s.codingType == 0x91) {
                s.language = text(info + 1);
            } else if (s.codingType == 0x92) {
                s.characterCode = attributes;
                s.language = text(info + 2);
            }
            pos = info + at(pos + 2);
        }
    }
    return streams;
}

}  // namespace

// The writer regenerates reserved fields and reserved bits as zero. Which bits those are comes
// from an independent walk over the original file; every other bit must come back unchanged.
TEST(RealDiscs, EveryPlayListReadsAndWritesBackWithOnlyReservedBitsCleared)
{
    const fs::path real = REAL_DATA_OR_SKIP();
    int checked = 0;
    int identical = 0;
    int refused = 0;
    for (const auto& path : support::realFiles(real, ".mpls")) {
        std::vector<uint8_t> bytes;
        ASSERT_TRUE(core::readWholeFile(path, bytes).ok);
        support::RecordingReporter rec;
        core::Report report(rec);
        TPLmpls model;
        const bool ok = readPlaylist(bytes, path.stem().string(), report).into(model);
        if (support::isVersion0300(bytes)) {
            EXPECT_FALSE(ok) << path;
            EXPECT_TRUE(rec.hasLine("[re]Invalid format: " + path.stem().string() + ".mpls[/re]")) << path;
            EXPECT_EQ(model, TPLmpls{}) << path;
            ++refused;
            continue;
        }
        ASSERT_TRUE(ok) << path;
        EXPECT_TRUE(rec.errors.empty()) << path;
        const auto layout = support::walkMpls(bytes);
        ASSERT_TRUE(layout.complete) << path;
        const auto written = writePlaylist(model);
        ASSERT_EQ(written.size(), bytes.size()) << path;
        size_t differing = 0;
        for (size_t i = 0; i < bytes.size(); ++i) {
            const uint8_t reserved = layout.reservedBits[i];
            EXPECT_EQ(written[i] & reserved, 0) << path << " at " << i;
            EXPECT_EQ(written[i] & ~reserved & 0xFF, bytes[i] & ~reserved & 0xFF) << path << " at " << i;
            differing += written[i] != bytes[i];
            if (HasFailure())
                return;
        }
        identical += differing == 0;
        // What was written reads back to the same model, apart from the header's reserved bytes.
        support::RecordingReporter rec2;
        core::Report report2(rec2);
        TPLmpls again;
        ASSERT_TRUE(readPlaylist(written, path.stem().string(), report2).into(again)) << path;
        again.reserved = model.reserved;
        EXPECT_EQ(again, model) << path;
        // Every PlayList also renders its grids.
        EXPECT_EQ(playItemRows(model).size(), model.playList.playItems.size());
        ++checked;
    }
    EXPECT_GT(checked, 150);
    EXPECT_GT(identical, checked / 2);
    EXPECT_EQ(refused, 16);    // the UHD disc's PlayLists
}

TEST(RealDiscs, EveryClipReadsAndListsItsStreams)
{
    const fs::path real = REAL_DATA_OR_SKIP();
    int checked = 0;
    for (const auto& path : support::realFiles(real, ".clpi")) {
        std::vector<uint8_t> bytes;
        ASSERT_TRUE(core::readWholeFile(path, bytes).ok);
        support::RecordingReporter rec;
        core::Report report(rec);
        const auto read = readClipInfo(bytes, path.stem().string(), std::nullopt, report);
        const auto& r = read.value;
        if (support::isVersion0300(bytes)) {
            EXPECT_FALSE(read.ok()) << path;
            continue;
        }
        ASSERT_TRUE(read.ok()) << path;
        EXPECT_TRUE(rec.errors.empty()) << path;
        EXPECT_FALSE(r.streams.empty()) << path;
        EXPECT_EQ(r.streams, rawProgramStreams(bytes)) << path;
        const auto rows = programInfoRows(r);
        for (size_t i = 0; i < rows.size(); ++i) {
            EXPECT_EQ(core::hexToNumber(rows[i][1]), r.streams[i].pid) << path;
            EXPECT_FALSE(rows[i][2].empty()) << path << " PID " << rows[i][1];
        }
        ++checked;
    }
    EXPECT_GT(checked, 500);
}
