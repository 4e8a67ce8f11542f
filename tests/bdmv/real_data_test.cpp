// Golden round trips over real discs made by others.
#include "bdmv/disc.h"
#include "core/files.h"
#include "support/disc_builder.h"
#include "support/real_data.h"
#include "support/recording_reporter.h"

#include <gtest/gtest.h>

using namespace mirtal;
using namespace mirtal::bdmv;
namespace fs = std::filesystem;

TEST(RealDiscs, EveryIndexReadsAndWritesBackByteForByte)
{
    const fs::path real = REAL_DATA_OR_SKIP();
    int checked = 0;
    for (const auto& path : support::realFiles(real, "index.bdmv")) {
        std::vector<uint8_t> bytes;
        ASSERT_TRUE(core::readWholeFile(path, bytes).ok);
        support::RecordingReporter rec;
        core::Report report(rec);
        const auto r = readIndex(bytes, report);
        if (support::isVersion0300(bytes)) {
            EXPECT_FALSE(r.ok()) << path;    // UHD discs are refused as an unknown version
            continue;
        }
        ASSERT_TRUE(r.ok()) << path;
        EXPECT_TRUE(rec.errors.empty()) << path;
        EXPECT_EQ(writeIndex(r.value), bytes) << path;
        ++checked;
    }
    EXPECT_GT(checked, 20);
}

TEST(RealDiscs, EveryMovieObjectFileReadsAndWritesBackByteForByte)
{
    const fs::path real = REAL_DATA_OR_SKIP();
    int checked = 0;
    for (const auto& path : support::realFiles(real, "MovieObject.bdmv")) {
        std::vector<uint8_t> bytes;
        ASSERT_TRUE(core::readWholeFile(path, bytes).ok);
        support::RecordingReporter rec;
        core::Report report(rec);
        const auto r = readMovieObjects(bytes, report);
        if (support::isVersion0300(bytes)) {
            EXPECT_FALSE(r.ok()) << path;
            continue;
        }
        ASSERT_TRUE(r.ok()) << path;
        EXPECT_FALSE(r.endedEarly) << path;
        EXPECT_TRUE(rec.errors.empty()) << path;
        EXPECT_EQ(writeMovieObjects(r.value), bytes) << path;
        EXPECT_EQ(objectRows(r.value).size(), r.value.objects.size());
        ++checked;
    }
    EXPECT_GT(checked, 20);
}

TEST(RealDiscs, OpenWithABackupFolderAddedToACopy)
{
    const fs::path real = REAL_DATA_OR_SKIP();
    const fs::path source = real / "bdpl" / "disc1";
    if (!fs::exists(source))
        GTEST_SKIP() << "bdpl/disc1 not found in the real data";
    support::TempDir tmp("realopen");
    const fs::path bdmv = tmp.path() / "Disc" / "BDMV";
    fs::create_directories(bdmv);
    fs::copy(source, bdmv, fs::copy_options::recursive);
    support::RecordingReporter rec;
    core::Report report(rec);
    Disc disc;
    EXPECT_FALSE(openDisc(disc, bdmv, report));    // no BACKUP folder on the original
    fs::create_directories(bdmv / "BACKUP");
    rec.lines.clear();
    ASSERT_TRUE(openDisc(disc, bdmv, report));
    EXPECT_TRUE(disc.indexLoaded);
    EXPECT_EQ(disc.playlists.size(), 11u);
    EXPECT_EQ(disc.clips.size(), 19u);
}
