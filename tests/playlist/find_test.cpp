#include "playlist_fixture.h"
#include "playlist/find.h"
#include "support/disc_builder.h"

using namespace mirtal;
using namespace mirtal::playlist;
using namespace mirtal::support;
using mirtal::playlist::test::readBuilt;
using mirtal::playlist::test::simpleItem;

namespace {

bdmv::Tmobjects object(std::vector<hdmv::TNavCommand> commands)
{
    bdmv::Tmobjects o;
    o.numberOfCommands = static_cast<uint16_t>(commands.size());
    o.commands = std::move(commands);
    return o;
}

}  // namespace

TEST(FindPlayList, OnlyImmediatePlayListOperandsAreHits)
{
    bdmv::TMovieObjectFile file;
    file.objects.push_back(object({{0x50400001, 0, 1}, {0x22000000, 0, 0}}));    // Move GPR0, 1; Play PL GPR0
    file.objects.push_back(object({{0x22800000, 5, 0}, {0x22800000, 1, 0}, {0x42810000, 1, 3}, {0x42C20000, 1, 2},
                                   {0x42820000, 1, 0}, {0x42C10000, 1, 0}, {0x21810000, 1, 0}}));
    RecordingReporter rec;
    core::Report report(rec);
    const auto hits = findPlayList(file, "00001", report);
    EXPECT_EQ(hits, (std::vector<std::string>{"Object 0001, Command line 0001", "Object 0001, Command line 0002",
                                              "Object 0001, Command line 0003", "Object 0001, Command line 0004",
                                              "Object 0001, Command line 0005"}));
    ASSERT_EQ(rec.lines.size(), 7u);
    EXPECT_EQ(rec.lines[0], "");
    EXPECT_EQ(rec.lines[1], "PlayList [b]00001[/b] found in:");

    RecordingReporter none;
    core::Report r2(none);
    EXPECT_TRUE(findPlayList(bdmv::TMovieObjectFile{}, "00005", r2).empty());
    EXPECT_EQ(none.lines, (std::vector<std::string>{"", "PlayList [b]00005[/b] found in:"}));
}

TEST(FindClip, PlayItemsAnglesSubPlayItemsAndClipEntries)
{
    auto angles = simpleItem("00002", 0, 9);
    angles.extraAngles = {{"00007", "M2TS", 0}, {"00003", "M2TS", 0}};
    SubPlayItemDesc multi{"00010", "M2TS", 1, 0, 0, 9, 0, 0, true, {{"00007", "M2TS", 0}}};
    const auto m = readBuilt(MplsBuilder()
                                 .playItem(simpleItem("00007", 0, 9))
                                 .playItem(angles)
                                 .playItem(simpleItem("00007", 9, 19))
                                 .subPath({3, 0, {SubPlayItemDesc{"00008", "M2TS", 1, 0, 0, 9, 0, 0, false, {}}, multi}})
                                 .bytes());
    EXPECT_EQ(clipHits(m, "00001", "00007"),
              (std::vector<std::string>{"00001.mpls , PlayItem 000", "00001.mpls , PlayItem 001, Angle 2",
                                        "00001.mpls , PlayItem 002",
                                        "00001.mpls , SubPath 000, SubPlayItem 001, Clip entry 2"}));
    EXPECT_EQ(clipHits(m, "00001", "00008"), (std::vector<std::string>{"00001.mpls , SubPath 000, SubPlayItem 000"}));
    // Angle 1 and clip entry 1 repeat their item's clip and give only the item's line.
    EXPECT_EQ(clipHits(m, "00001", "00002"), (std::vector<std::string>{"00001.mpls , PlayItem 001"}));
    EXPECT_EQ(clipHits(m, "00001", "00010"), (std::vector<std::string>{"00001.mpls , SubPath 000, SubPlayItem 001"}));
    EXPECT_TRUE(clipHits(m, "00001", "0000").empty());
}

TEST(FindClip, ReadsEveryPlayListAndLeavesTheLoadedOneAlone)
{
    TempDir dir("findclip");
    const auto bdmv = dir.path() / "BDMV";
    writeBytes(bdmv / "PLAYLIST" / "00001.mpls", MplsBuilder().playItem(simpleItem("00004", 0, 9)).bytes());
    writeBytes(bdmv / "PLAYLIST" / "00002.mpls", MplsBuilder().version("0300").bytes());
    writeBytes(bdmv / "PLAYLIST" / "00003.MPLS",
               MplsBuilder()
                   .playItem(simpleItem("00001", 0, 9))
                   .subPath({3, 0, {SubPlayItemDesc{"00004", "M2TS", 1, 0, 0, 9, 0, 0, false, {}}}})
                   .bytes());
    RecordingReporter rec;
    core::Report report(rec);
    const auto hits = findClip(bdmv, {"00001", "00002", "00003", "00009"}, "00004", report);
    EXPECT_EQ(hits, (std::vector<std::string>{"00001.mpls , PlayItem 000", "00003.mpls , SubPath 000, SubPlayItem 000"}));
    EXPECT_TRUE(rec.hasLine("Reading 00003.mpls"));
    EXPECT_TRUE(rec.hasLine("[re]Invalid format: 00002.mpls[/re]"));
    ASSERT_GE(rec.lines.size(), 4u);
    EXPECT_EQ(rec.lines[rec.lines.size() - 3], "[b]00004.m2ts[/b] found in:");
    EXPECT_EQ(rec.lines.back(), "00003.mpls , SubPath 000, SubPlayItem 000");
}
