#include "playlist_fixture.h"
#include "playlist/mpls_text.h"

using namespace mirtal;
using namespace mirtal::playlist;
using namespace mirtal::support;
using mirtal::playlist::test::readBuilt;
using mirtal::playlist::test::simpleItem;

TEST(MplsReader, RefusesAWrongVersionAndKeepsTheModel)
{
    RecordingReporter rec;
    core::Report report(rec);
    TPLmpls model = readBuilt(MplsBuilder().playItem(simpleItem("00007", 0, 90)).bytes());
    const TPLmpls before = model;
    EXPECT_FALSE(readPlaylist(MplsBuilder().version("0300").playItem(simpleItem("00001", 0, 9)).bytes(), "00005", report).into(model));
    EXPECT_TRUE(rec.hasLine("[re]Invalid format: 00005.mpls[/re]"));
    EXPECT_EQ(model, before);
    EXPECT_FALSE(readPlaylist(MplsBuilder().typeIndicator("MPLT").bytes(), "00005", report).into(model));
    EXPECT_FALSE(readPlaylist(std::vector<uint8_t>{}, "00005", report).into(model));
    EXPECT_EQ(model, before);
    EXPECT_EQ(rec.panels[0], "Ready");
}

TEST(MplsReader, ReadsAnglesAndShowsTheirCountInTheGrid)
{
    auto multi = simpleItem("00002", 0, 900);
    multi.extraAngles = {{"00003", "M2TS", 1}, {"00004", "M2TS", 2}};
    multi.angleFlags = 3;
    const auto m = readBuilt(MplsBuilder().playItem(multi).playItem(simpleItem("00005", 0, 10)).bytes());
    const auto& a = m.playList.playItems[0].angles;
    ASSERT_EQ(a.angleClips.size(), 3u);
    EXPECT_EQ(a.angleClips[0], (TClipRef{"00002", "M2TS", 0}));
    EXPECT_EQ(a.angleClips[2], (TClipRef{"00004", "M2TS", 2}));
    EXPECT_EQ(a.differentAudios, 1);
    EXPECT_EQ(a.seamlessAngleChange, 1);
    const auto rows = playItemRows(m);
    EXPECT_EQ(rows[0][8], "3");
    EXPECT_EQ(rows[1][8], "0");
    EXPECT_TRUE(m.playList.playItems[1].angles.angleClips.empty());
    EXPECT_EQ(angleRows(m.playList.playItems[0])[1], (Row{"2", "00003", "M2TS", "1"}));
}

TEST(MplsReader, KeepsPipPgAfterPgAndSkipsReferencePadding)
{
    auto p = simpleItem("00001", 0, 10);
    p.pg = {pgStream(0x1200, "eng"), pgStream(0x1201, "fra")};
    p.pipPg = {pgStream(0x1A00, "deu")};
    auto sa3 = audioStream(0x1A00, "eng", 0xA1, 3, 1);
    sa3.refs1 = {0, 1, 2};
    auto sa2 = audioStream(0x1A01, "fra", 0xA2, 3, 1);
    sa2.refs1 = {0, 1};
    p.secondaryAudio = {sa3, sa2};
    auto sv = videoStream(0x1B00);
    sv.refs1 = {0};
    sv.refs2 = {0, 1, 2};
    p.secondaryVideo = {sv};
    const auto m = readBuilt(MplsBuilder().playItem(p).bytes());
    const auto& stn = m.playList.playItems[0].stn;
    ASSERT_EQ(stn.pg.size(), 3u);
    EXPECT_EQ(stn.pg[2].mainPid, 0x1A00);
    EXPECT_EQ(streamList(stn, 6).size(), 1u);
    EXPECT_EQ(streamList(stn, 2).size(), 2u);
    ASSERT_EQ(stn.secondaryAudio.size(), 2u);
    EXPECT_EQ(stn.secondaryAudio[1].mainPid, 0x1A01);
    EXPECT_EQ(stn.secondaryAudio[1].primaryAudioRefs, (std::vector<uint8_t>{0, 1}));
    EXPECT_EQ(streamSize(stn.secondaryAudio[0]), 22u);
    ASSERT_EQ(stn.secondaryVideo.size(), 1u);
    EXPECT_EQ(stn.secondaryVideo[0].pipPgRefs, (std::vector<uint8_t>{0, 1, 2}));
    EXPECT_EQ(stnCountRow(stn), (Row{"1", "1", "2", "0", "1", "2", "1"}));
    EXPECT_EQ(streamRows(stn, 6)[0], (Row{"001", "PlayItem", "1A00", "", "", "", "PG, deu"}));
}

TEST(MplsReader, SkipsUnknownEntryAndCodingTypesByTheirStoredLength)
{
    auto p = simpleItem("00001", 0, 10);
    StreamDesc odd = audioStream(0x1100, "eng");
    odd.entryType = 9;
    odd.coding = 0x77;
    odd.entryLength = 12;
    odd.attributesLength = 8;
    p.audio = {odd, audioStream(0x1101, "fra")};
    const auto bytes = MplsBuilder().playItem(p).bytes();
    const auto m = readBuilt(bytes);
    const auto& audio = m.playList.playItems[0].stn.primaryAudio;
    ASSERT_EQ(audio.size(), 2u);
    EXPECT_EQ(audio[1].mainPid, 0x1101);
    EXPECT_EQ(audio[1].language, "fra");
    EXPECT_EQ(streamRows(m.playList.playItems[0].stn, 1)[0][1], "");
}

TEST(MplsReader, ReadsFlagsLanguagesAndTheSummary)
{
    auto p = simpleItem("00001", 0, 10);
    p.audio = {audioStream(0x1100, "en")};
    p.randomAccess = true;
    RecordingReporter rec;
    core::Report report(rec);
    TPLmpls m;
    ASSERT_TRUE(readPlaylist(MplsBuilder().flagsWord(0xA000).playItem(p).playItem(p).bytes(), "00042", report).into(m));
    EXPECT_EQ(m.randomAccessFlag, 1);
    EXPECT_EQ(m.audioMixFlag, 0);
    EXPECT_EQ(m.bypassMixerFlag, 1);
    EXPECT_EQ(m.playList.playItems[0].stn.primaryAudio[0].language, "en");
    EXPECT_EQ(m.playList.playItems[0].randomAccessFlag, 1);
    EXPECT_EQ(rec.lines.front(), "Reading 00042.mpls");
    EXPECT_TRUE(rec.hasLine("2 PlayItem(s), 0 SubPath(s) and 0 PlayListMark(s) found."));
    EXPECT_TRUE(markRows(m).empty());
    EXPECT_EQ(rec.panels[0], "Ready");
    EXPECT_EQ(rec.panels[1], "");
}

TEST(MplsText, TimeTextsAndGridRows)
{
    EXPECT_EQ(timeText45k(45), "00:00:00.001");
    EXPECT_EQ(timeText45k(162000000), "01:00:00.000");
    EXPECT_EQ(timeText45k(0xFFFFFFFF), "26:30:43.717");
    EXPECT_EQ(timeOfDayText45k(0xFFFFFFFF), "02:30:43,717");
    EXPECT_EQ(ticksFromTimeText45k("01:00:00.001"), 162000045u);
    auto p = simpleItem("00009", 900, 450);
    p.uo1 = 0xABCDEF01;
    const auto m = readBuilt(MplsBuilder()
                                 .playItem(p)
                                 .subPath({2, 1, {SubPlayItemDesc{"00004", "M2TS", 1, 0, 0, 45000, 0, 45000 * 3601, true,
                                                                  {{"00005", "M2TS", 0}}}}})
                                 .mark({2, 0, 45000, 0x1011, 90})
                                 .bytes());
    const auto row = playItemRows(m)[0];
    EXPECT_EQ(row, (Row{"000", "00009", "M2TS", "00:00:00.020", "00:00:00.010", timeText45k(450u - 900u), "ABCDEF01",
                        "00000000", "0"}));
    EXPECT_EQ(subPathRows(m)[0], (Row{"000", "p. Audio", "Yes", "1"}));
    EXPECT_EQ(subPlayItemRows(m.playList.subPaths[0])[0],
              (Row{"000", "00004", "M2TS", "1", "1", "0", "00:00:00.000", "00:00:01.000", "0", "01:00:01,000", "2"}));
    EXPECT_EQ(clipEntryRows(m.playList.subPaths[0].subPlayItems[0]).size(), 2u);
    EXPECT_EQ(markRows(m)[0], (Row{"000", "link point", "000", "00:00:01.000", "1011", "90"}));
    EXPECT_EQ(streamRows(m.playList.playItems[0].stn, 0)[0],
              (Row{"001", "PlayItem", "1011", "", "", "", "AVC, 1080p, 25"}));
    EXPECT_EQ(streamRows(m.playList.playItems[0].stn, 1)[0],
              (Row{"001", "PlayItem", "1100", "", "", "", "DD, Multi-ch., 48 kHz, eng"}));
    EXPECT_EQ(appInfoRow(m), (Row{"Sequential", "0", "00000000", "00000000", "0", "0", "0"}));
}

TEST(MplsText, SubPathIdsShowByListAndType)
{
    auto p = simpleItem("00001", 0, 10);
    auto ig = igStream(0x1400, "eng");
    ig.subPathId = 0x1A;
    ig.subclipId = 2;
    p.ig = {ig};
    StreamDesc pip = pgStream(0x1200, "eng");
    pip.entryType = 3;
    pip.subPathId = 5;
    p.pg = {pip};
    const auto m = readBuilt(MplsBuilder().playItem(p).bytes());
    const auto& stn = m.playList.playItems[0].stn;
    EXPECT_EQ(streamRows(stn, 3)[0], (Row{"001", "SubPath", "", "1A", "02", "1400", "eng"}));
    EXPECT_EQ(streamRows(stn, 2)[0], (Row{"001", "IM PIP", "1200", "0005", "", "", "eng"}));
}

TEST(MplsReader, AFileShorterThanItsLengthsIsTruncatedAndKeepsTheModel)
{
    const auto valid = MplsBuilder().playItem(simpleItem("00001", 0, 9)).mark({}).mark({}).bytes();
    TPLmpls model = readBuilt(valid);
    const TPLmpls before = model;
    RecordingReporter rec;
    core::Report report(rec);
    // Cut inside the marks, and a PlayList length that runs past the end of the file.
    auto cut = valid;
    cut.resize(cut.size() - 5);
    EXPECT_FALSE(readPlaylist(cut, "00001", report).into(model));
    auto longer = valid;
    longer[model.playListStartAddress + 2] = 0x7F;
    EXPECT_FALSE(readPlaylist(longer, "00001", report).into(model));
    EXPECT_EQ(model, before);
    ASSERT_EQ(rec.errors.size(), 2u);
    EXPECT_EQ(rec.plainLines()[1].rfind("Truncated file: 00001.mpls", 0), 0u);
    EXPECT_EQ(rec.panels[0], "Ready");
}

TEST(MplsReader, NoMarkSectionGivesAnEmptyMarkList)
{
    auto bytes = MplsBuilder().playItem(simpleItem("00001", 0, 9)).mark({}).bytes();
    for (size_t i = 0; i < 4; ++i)
        bytes[MplsBuilder::kMarkStartAt + i] = 0;
    const auto m = readBuilt(bytes);
    EXPECT_TRUE(m.marks.marks.empty());
    EXPECT_EQ(m.marks.numberOfMarks, 0);
    EXPECT_EQ(m.playListMarkStartAddress, 0u);
}
