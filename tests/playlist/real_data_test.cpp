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
        const bool ok = readPlaylist(bytes, path.stem().string(), model, report);
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
        ASSERT_TRUE(readPlaylist(written, path.stem().string(), again, report2)) << path;
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
        const auto r = readClipInfo(bytes, path.stem().string(), std::nullopt, report);
        if (support::isVersion0300(bytes)) {
            EXPECT_FALSE(r.ok) << path;
            continue;
        }
        ASSERT_TRUE(r.ok) << path;
        EXPECT_TRUE(rec.errors.empty()) << path;
        EXPECT_FALSE(r.rows.empty()) << path;
        for (const auto& row : r.rows)
            EXPECT_FALSE(row[2].empty()) << path << " PID " << row[1];
        ++checked;
    }
    EXPECT_GT(checked, 500);
}
