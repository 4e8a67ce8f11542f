// The disc overview: who plays each PlayList (the entries' runs and Find's hits), the duplicates
// and the PlayLists nothing plays, on the decoy disc, the demo disc, hostile input and real discs.
#include "bdmv/disc.h"
#include "core/files.h"
#include "core/text.h"
#include "playlist/mpls_io.h"
#include "playlist/overview.h"
#include "support/decoy_disc.h"
#include "support/disc_builder.h"
#include "support/real_data.h"
#include "support/recording_reporter.h"
#include "support/sample_disc.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

using namespace mirtal;
using namespace mirtal::playlist;
namespace fs = std::filesystem;
using Kind = PlayedBy::Kind;

namespace {

bdmv::Disc openOrFail(const fs::path& bdmv)
{
    support::RecordingReporter rec;
    core::Report report(rec);
    bdmv::Disc disc;
    EXPECT_TRUE(bdmv::openDisc(disc, bdmv, report)) << bdmv;
    return disc;
}

std::map<std::string, PlayListSummary> byName(const DiscOverview& o)
{
    std::map<std::string, PlayListSummary> m;
    for (const auto& s : o.playLists)
        m[s.name] = s;
    return m;
}

}  // namespace

TEST(DiscOverview, DecoyDiscNamesTheFeatureAndMarksTheDecoys)
{
    support::TempDir dir("overview");
    const auto disc = openOrFail(support::writeDecoyDisc(dir.path()));
    support::RecordingReporter rec;
    core::Report report(rec);
    const auto overview = discOverview(disc, report);
    EXPECT_TRUE(rec.errors.empty());
    ASSERT_EQ(overview.playLists.size(), disc.playlists.size());
    auto rows = byName(overview);

    // The feature is played through a register, so only the run finds it.
    EXPECT_EQ(overviewRow(rows["00800"]),
              (Row{"00800", "2:00:00.123", "3", "00100+00101+00102", "3", "20",
                   "1 video, 3 audio (eng fra deu), 2 PG (eng jpn), 1 IG (eng)", "Title 1", ""}));
    EXPECT_EQ(rows["00800"].duration45k, 3000u * 45000 + 2400u * 45000 + 123 * 45 + 1800u * 45000);
    // Named by a command the run skips: Find's player only, and a duplicate.
    EXPECT_EQ(rows["00801"].playedBy, (std::vector<PlayedBy>{{Kind::Object, 2}}));
    EXPECT_EQ(marksText(rows["00801"]), "Duplicate of 00800");
    EXPECT_EQ(marksText(rows["00900"]), "Duplicate of 00800, Unplayed");
    EXPECT_EQ(marksText(rows["00802"]), "Unplayed");    // one IN time differs
    for (int n = 10; n < 40; ++n)
        EXPECT_EQ(marksText(rows["000" + std::to_string(n)]), "Unplayed") << n;

    // Call Object, the called object's Resume, then Jump Title ends the run before PlayList 7.
    EXPECT_EQ(rows["00001"].playedBy, (std::vector<PlayedBy>{{Kind::FirstPlayback, 0}, {Kind::Object, 0}}));
    EXPECT_EQ(rows["00003"].playedBy, (std::vector<PlayedBy>{{Kind::FirstPlayback, 0}}));
    EXPECT_EQ(rows["00006"].playedBy, (std::vector<PlayedBy>{{Kind::FirstPlayback, 0}, {Kind::Object, 0}}));
    EXPECT_EQ(rows["00004"].playedBy, (std::vector<PlayedBy>{{Kind::TopMenu, 0}, {Kind::Object, 1}}));
    EXPECT_EQ(rows["00002"].playedBy, (std::vector<PlayedBy>{{Kind::Title, 2}, {Kind::Object, 4}}));

    // The BD-J title has no run; the looping menu is stopped at the step limit and says so.
    ASSERT_EQ(overview.walks.size(), 4u);
    EXPECT_EQ(overview.walks[0].playLists, (std::vector<uint32_t>{1, 3, 6}));
    EXPECT_EQ(overview.walks[0].jumpedToTitle, 1u);
    EXPECT_TRUE(overview.walks[1].stepLimitReached);
    EXPECT_EQ(walkNotes(overview),
              (std::vector<std::string>{"Top Menu: run stopped after 10000 commands (step limit)"}));
}

TEST(DiscOverview, DemoDiscDurationsAreThePlayItemSumsAndEveryTitlePlays)
{
    support::TempDir dir("overview");
    const auto disc = openOrFail(support::writeSampleDisc(dir.path()));
    support::RecordingReporter rec;
    core::Report report(rec);
    const auto overview = discOverview(disc, report);
    ASSERT_EQ(overview.playLists.size(), 5u);
    for (const auto& s : overview.playLists) {
        TPLmpls m;
        ASSERT_TRUE(readPlaylistFile(disc.bdmv, s.name, report).into(m));
        uint64_t sum = 0;
        for (const auto& item : m.playList.playItems)
            sum += item.outTime45k - item.inTime45k;
        EXPECT_EQ(s.duration45k, sum) << s.name;
        EXPECT_FALSE(s.unplayed) << s.name;
    }
    const std::vector<std::vector<std::string>> played = {
        {"First Playback", "Object 0000"}, {"Title 1", "Object 0004"}, {"Title 2", "Object 0003"},
        {"Title 3", "Object 0004"}, {"Top Menu", "Object 0001"}};
    for (size_t i = 0; i < played.size(); ++i) {
        std::vector<std::string> texts;
        for (const auto& by : overview.playLists[i].playedBy)
            texts.push_back(playedByText(by));
        EXPECT_EQ(texts, played[i]) << overview.playLists[i].name;
    }
    EXPECT_EQ(overviewRows(overview)[1][1], "0:06:00.000");
}

TEST(DiscOverview, HostileFilesAndProgramsGiveErrorLinesNeverACrash)
{
    support::TempDir dir("overview");
    const auto bdmv = support::writeDecoyDisc(dir.path());
    const std::vector<uint8_t> garbage{'M', 'P', 'L', 'S', '0', '2', '0', '0', 0xFF, 0xFF};
    support::writeBytes(bdmv / "PLAYLIST" / "00999.mpls", garbage);
    auto disc = openOrFail(bdmv);
    support::RecordingReporter rec;
    core::Report report(rec);
    const auto overview = discOverview(disc, report);
    EXPECT_EQ(rec.errors.size(), 1u);
    EXPECT_EQ(overviewRow(overview.playLists.back()),
              (Row{"00999", "", "", "", "", "", "", "", "Unreadable, Unplayed"}));
    std::vector<uint8_t> after;
    ASSERT_TRUE(core::readWholeFile(bdmv / "PLAYLIST" / "00999.mpls", after).ok);
    EXPECT_EQ(after, garbage);

    // Objects that jump out of the file, call themselves forever, resume without a call, or an
    // entry that names no object: each run ends, none plays anything.
    bdmv::TMovieObjectFile objects;
    const auto object = [&objects](std::vector<hdmv::TNavCommand> commands) {
        objects.objects.push_back({});
        objects.objects.back().commands = std::move(commands);
    };
    object({{0x21800000, 999, 0}, {0x22800000, 1, 0}});     // Jump Object 999
    object({{0x21820000, 1, 0}});                           // Call Object 1, forever
    object({{0x01040000, 0, 0}, {0x22800000, 2, 0}});      // Resume, no call
    object({{0x20810000, 0xFFFFFFFF, 0}});                  // GoTo far past the end
    for (uint16_t id : {0, 1, 2, 3, 77}) {
        const auto walk = walkMovieObject(objects, id, 500);
        EXPECT_TRUE(walk.playLists.empty()) << id;
        EXPECT_LE(walk.executed, 500u) << id;
    }
    EXPECT_TRUE(walkMovieObject(objects, 1, 500).stepLimitReached);
}

// Every real disc opens (with the BACKUP folder the copies lack), every PlayList has its row,
// and the PlayLists its titles' objects name in immediate Play PL commands have those players.
TEST(RealDiscs, OverviewListsEveryPlayListWithTheTitlesPlayers)
{
    const fs::path real = REAL_DATA_OR_SKIP();
    int discs = 0;
    int titlesThatPlay = 0;
    int titles = 0;
    for (const auto& index : support::realFiles(real / "bdpl", "index.bdmv")) {
        std::vector<uint8_t> bytes;
        ASSERT_TRUE(core::readWholeFile(index, bytes).ok);
        if (support::isVersion0300(bytes))
            continue;    // the UHD disc is refused whole
        SCOPED_TRACE(index.parent_path().string());
        support::TempDir tmp("overview-real");
        const fs::path bdmv = tmp.path() / "BDMV";
        fs::copy(index.parent_path(), bdmv, fs::copy_options::recursive);
        fs::create_directories(bdmv / "BACKUP");
        const auto disc = openOrFail(bdmv);
        support::RecordingReporter rec;
        core::Report report(rec);
        const auto overview = discOverview(disc, report);
        EXPECT_TRUE(rec.errors.empty());
        ASSERT_EQ(overview.playLists.size(), disc.playlists.size());
        auto rows = byName(overview);
        for (size_t t = 0; t < disc.index.titles.size(); ++t) {
            const auto id = disc.index.titles[t].movieObjectId;
            if (id >= disc.movieObjects.objects.size())
                continue;
            ++titles;
            for (const auto& c : disc.movieObjects.objects[id].commands)
                if (c.opcode == 0x22800000 && rows.count(core::padded(c.destination, 5))) {
                    const auto& players = rows[core::padded(c.destination, 5)].playedBy;
                    EXPECT_NE(std::find(players.begin(), players.end(), PlayedBy{Kind::Object, id}), players.end());
                }
            for (const auto& w : overview.walks)
                if (w.entry == PlayedBy{Kind::Title, static_cast<uint32_t>(t + 1)} && !w.playLists.empty())
                    ++titlesThatPlay;
        }
        ++discs;
    }
    EXPECT_GE(discs, 27);
    // Nearly every title of these discs plays its PlayList straight from reset registers.
    EXPECT_GE(titlesThatPlay * 10, titles * 9) << titlesThatPlay << " of " << titles;
}
