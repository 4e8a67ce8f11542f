#include "playlist_fixture.h"
#include "playlist/mpls_text.h"
#include "playlist/stn_edit.h"
#include "playlist/vocabulary.h"

using namespace mirtal;
using namespace mirtal::playlist;
using namespace mirtal::support;
using mirtal::playlist::test::expectMeasuredConsistent;
using mirtal::playlist::test::readBuilt;
using mirtal::playlist::test::simpleItem;

namespace {

struct Sizes {
    uint32_t marks, ext, playList, item, stn;
};

Sizes sizesOf(const TPLmpls& m, size_t item = 0)
{
    const auto& p = m.playList.playItems[item];
    return {m.playListMarkStartAddress, m.extensionDataStartAddress, m.playList.length, p.length, p.stn.length};
}

void expectShifted(const Sizes& before, const Sizes& after, int64_t delta, bool ext = true)
{
    EXPECT_EQ(after.marks, before.marks + delta);
    EXPECT_EQ(after.ext, ext ? before.ext + delta : before.ext);
    EXPECT_EQ(after.playList, before.playList + delta);
    EXPECT_EQ(after.item, before.item + delta);
    EXPECT_EQ(after.stn, before.stn + delta);
}

MplsBuilder withExtension(PlayItemDesc p)
{
    return std::move(MplsBuilder().playItem(std::move(p)).mark({}).extension({{0x1000, 1, {9, 9, 9, 9}}}));
}

}  // namespace

TEST(StreamInsert, AudioListGrowsToThirtyTwoThenRefuses)
{
    auto p = simpleItem("00001", 0, 9);
    p.audio.clear();
    for (int i = 0; i < 31; ++i)
        p.audio.push_back(audioStream(static_cast<uint16_t>(0x1100 + i), "eng"));
    auto m = readBuilt(withExtension(p).bytes());
    const auto before = sizesOf(m);
    EXPECT_EQ(insertStream(m, 0, kListAudio, 4), 5u);
    expectShifted(before, sizesOf(m), 16);
    const auto& audio = m.playList.playItems[0].stn.primaryAudio;
    ASSERT_EQ(audio.size(), 32u);
    EXPECT_EQ(m.playList.playItems[0].stn.primaryAudioCount, 32);
    EXPECT_EQ(audio[5].mainPid, 0x1100);
    EXPECT_EQ(audio[5].codingType, 0x81);
    EXPECT_EQ(audio[5].audioFormat, 6);
    EXPECT_EQ(audio[5].sampleRate, 1);
    EXPECT_EQ(audio[5].language, "eng");
    EXPECT_EQ(audio[6].mainPid, 0x1105);
    EXPECT_FALSE(streamButtons(m.playList.playItems[0].stn, kListAudio).insert);
    const auto full = m;
    EXPECT_EQ(insertStream(m, 0, kListAudio, 0), std::nullopt);
    EXPECT_EQ(m, full);
    expectMeasuredConsistent(writePlaylist(m));
}

TEST(StreamInsert, EmptyIgListGetsASubPathStream)
{
    auto m = readBuilt(MplsBuilder().playItem(simpleItem("00001", 0, 9)).bytes());
    const auto before = sizesOf(m);
    EXPECT_EQ(insertStream(m, 0, kListIg, 7), 0u);
    expectShifted(before, sizesOf(m), 16, false);
    EXPECT_EQ(m.extensionDataStartAddress, 0u);
    const auto& ig = m.playList.playItems[0].stn.ig;
    ASSERT_EQ(ig.size(), 1u);
    EXPECT_EQ(ig[0].entryType, 2);
    EXPECT_EQ(ig[0].subPid, 0x1400);
    EXPECT_EQ(ig[0].mainPid, 0);
    EXPECT_EQ(ig[0].codingType, 0x91);
    EXPECT_EQ(ig[0].language, "eng");
    EXPECT_EQ(stnCountRow(m.playList.playItems[0].stn)[3], "1");
    expectMeasuredConsistent(writePlaylist(m));
}

TEST(StreamInsert, PgInsertKeepsPipPgBehindAndOtherListsRefuse)
{
    auto p = simpleItem("00001", 0, 9);
    p.pg = {pgStream(0x1200, "eng"), pgStream(0x1201, "fra")};
    p.pipPg = {pgStream(0x1A00, "deu")};
    p.secondaryAudio = {audioStream(0x1A10, "eng", 0xA1)};
    p.secondaryVideo = {videoStream(0x1B00)};
    auto m = readBuilt(withExtension(p).bytes());
    EXPECT_EQ(insertStream(m, 0, kListPg, 1), 2u);
    const auto& stn = m.playList.playItems[0].stn;
    ASSERT_EQ(stn.pg.size(), 4u);
    EXPECT_EQ(stn.pgCount, 3);
    EXPECT_EQ(stn.pg[2].mainPid, 0x1200);
    EXPECT_EQ(stn.pg[2].codingType, 0x90);
    EXPECT_EQ(streamAt(stn, kListPipPg, 0)->mainPid, 0x1A00);
    const auto snapshot = m;
    for (int list : {kListVideo, kListSecondaryVideo, kListSecondaryAudio, kListPipPg, 9, -1})
        EXPECT_EQ(insertStream(m, 0, list, 0), std::nullopt) << list;
    EXPECT_EQ(insertStream(m, 5, kListAudio, 0), std::nullopt);
    EXPECT_EQ(m, snapshot);
    expectMeasuredConsistent(writePlaylist(m));
}

TEST(StreamDelete, LastPrimaryAudioStaysAndSizesFollowTheStream)
{
    auto p = simpleItem("00001", 0, 9);
    p.audio = {audioStream(0x1100, "eng"), audioStream(0x1101, "fra")};
    auto sa = audioStream(0x1A00, "eng", 0xA1, 3, 1);
    sa.refs1 = {0, 1, 2};
    auto sv = videoStream(0x1B00);
    sv.refs1 = {0};
    sv.refs2 = {0, 1};
    p.secondaryAudio = {sa};
    p.secondaryVideo = {sv};
    auto m = readBuilt(withExtension(p).bytes());

    auto before = sizesOf(m);
    auto d = deleteStream(m, 0, kListAudio, 1);
    EXPECT_TRUE(d.deleted);
    EXPECT_EQ(d.selection, 0u);
    expectShifted(before, sizesOf(m), -16);
    const auto single = m;
    EXPECT_FALSE(deleteStream(m, 0, kListAudio, 0).deleted);
    EXPECT_EQ(m, single);

    before = sizesOf(m);
    d = deleteStream(m, 0, kListSecondaryAudio, 0);
    EXPECT_TRUE(d.deleted);
    EXPECT_EQ(d.selection, std::nullopt);
    expectShifted(before, sizesOf(m), -22);    // 18 + 3 + 1

    before = sizesOf(m);
    EXPECT_TRUE(deleteStream(m, 0, kListSecondaryVideo, 0).deleted);
    expectShifted(before, sizesOf(m), -(20 + 1 + 1 + 2));
    EXPECT_FALSE(deleteStream(m, 0, kListVideo, 0).deleted);
    EXPECT_FALSE(deleteStream(m, 0, kListSecondaryVideo, 0).deleted);
    expectMeasuredConsistent(writePlaylist(m));
}

TEST(StreamDelete, PgDeletionLeavesThePipPgStreamIntact)
{
    auto p = simpleItem("00001", 0, 9);
    p.pg = {pgStream(0x1200, "eng"), pgStream(0x1201, "fra")};
    p.pipPg = {pgStream(0x1A00, "deu")};
    auto m = readBuilt(MplsBuilder().playItem(p).bytes());
    const auto d = deleteStream(m, 0, kListPg, 0);
    EXPECT_EQ(d.selection, 0u);
    const auto& stn = m.playList.playItems[0].stn;
    ASSERT_EQ(stn.pg.size(), 2u);
    EXPECT_EQ(stn.pgCount, 1);
    EXPECT_EQ(stn.pipPgCount, 1);
    EXPECT_EQ(stn.pg[1].mainPid, 0x1A00);
    EXPECT_EQ(stn.pg[1].language, "deu");
    // Deleting the PiP PG stream through list 6 leaves the PG stream.
    EXPECT_TRUE(deleteStream(m, 0, kListPipPg, 0).deleted);
    ASSERT_EQ(stn.pg.size(), 1u);
    EXPECT_EQ(stn.pg[0].mainPid, 0x1201);
    EXPECT_EQ(m.extensionDataStartAddress, 0u);
    expectMeasuredConsistent(writePlaylist(m));
}

TEST(StreamButtons, FollowTheListLimitsForEmptyListsToo)
{
    TSTN stn;
    EXPECT_FALSE(streamButtons(stn, kListVideo).insert);
    EXPECT_FALSE(streamButtons(stn, kListVideo).remove);
    EXPECT_TRUE(streamButtons(stn, kListAudio).insert);
    EXPECT_FALSE(streamButtons(stn, kListAudio).remove);
    EXPECT_TRUE(streamButtons(stn, kListIg).insert);
    EXPECT_FALSE(streamButtons(stn, kListSecondaryVideo).insert);
    EXPECT_TRUE(streamButtons(stn, kListSecondaryAudio).insert);
    stn.pgCount = 200;
    stn.pipPgCount = 55;
    EXPECT_TRUE(streamButtons(stn, kListPg).insert);
    EXPECT_FALSE(streamButtons(stn, kListPipPg).insert);
    EXPECT_TRUE(streamButtons(stn, kListPipPg).remove);
    EXPECT_EQ(streamEditorsOf(kListSecondaryVideo), StreamEditors::Video);
    EXPECT_EQ(streamEditorsOf(kListSecondaryAudio), StreamEditors::Audio);
    EXPECT_EQ(streamEditorsOf(kListIg), StreamEditors::Language);
    EXPECT_EQ(streamEditorsOf(kListPipPg), StreamEditors::None);
}

TEST(StreamEdit, FieldsGoIntoTheModelOnlyInTheirListsAndChangeNoLength)
{
    auto p = simpleItem("00001", 0, 9);
    p.pg = {pgStream(0x1200, "eng")};
    p.pipPg = {pgStream(0x1A00, "deu")};
    auto m = readBuilt(MplsBuilder().playItem(p).bytes());
    const auto before = sizesOf(m);
    const auto& stn = m.playList.playItems[0].stn;

    EXPECT_TRUE(setEntryType(m, 0, kListAudio, 0, 2));
    EXPECT_FALSE(setEntryType(m, 0, kListAudio, 0, 4));
    EXPECT_TRUE(setSubPid(m, 0, kListAudio, 0, "1a2b"));
    EXPECT_TRUE(setSubPathId(m, 0, kListAudio, 0, "12"));
    EXPECT_TRUE(setSubclipId(m, 0, kListAudio, 0, "3"));
    EXPECT_EQ(streamRows(stn, kListAudio)[0], (Row{"001", "SubPath", "", "0C", "03", "1A2B", "DD, Multi-ch., 48 kHz, eng"}));
    EXPECT_TRUE(setAudioCoding(m, 0, kListAudio, 0, 7));
    EXPECT_EQ(stn.primaryAudio[0].codingType, 0xA1);
    EXPECT_TRUE(setAudioCoding(m, 0, kListAudio, 0, 8));
    EXPECT_EQ(audioCodingItem(stn.primaryAudio[0].codingType), 8u);
    EXPECT_EQ(audioCodingItem(0x83), 3u);
    EXPECT_EQ(audioCodingItem(0x90), std::nullopt);
    EXPECT_TRUE(setAudioFormat(m, 0, kListAudio, 0, 3));
    EXPECT_TRUE(setSampleRate(m, 0, kListAudio, 0, 4));
    EXPECT_TRUE(setLanguage(m, 0, kListAudio, 0, "jpn"));
    EXPECT_EQ(streamRows(stn, kListAudio)[0][6], "DTS-HD, Stereo, 96 kHz, jpn");

    EXPECT_TRUE(setVideoCoding(m, 0, kListVideo, 0, 2));
    EXPECT_TRUE(setVideoFormat(m, 0, kListVideo, 0, 5));
    EXPECT_TRUE(setFrameRate(m, 0, kListVideo, 0, 6));
    EXPECT_TRUE(setMainPid(m, 0, kListVideo, 0, "1012"));
    EXPECT_EQ(streamRows(stn, kListVideo)[0], (Row{"001", "PlayItem", "1012", "", "", "", "VC1, 720p, 50"}));
    EXPECT_EQ(videoCodingItem(0xEA), 2u);

    // The wrong lists refuse: no video fields on audio, no language on video or PiP PG.
    EXPECT_FALSE(setVideoCoding(m, 0, kListAudio, 0, 0));
    EXPECT_FALSE(setAudioCoding(m, 0, kListVideo, 0, 0));
    EXPECT_FALSE(setLanguage(m, 0, kListVideo, 0, "eng"));
    EXPECT_FALSE(setLanguage(m, 0, kListPipPg, 0, "eng"));
    EXPECT_FALSE(setMainPid(m, 0, kListIg, 0, "1400"));    // no IG stream
    EXPECT_FALSE(setMainPid(m, 3, kListAudio, 0, "1400"));  // no PlayItem 3
    // List 6 row 0 is the PiP PG stream behind the PG streams.
    EXPECT_TRUE(setMainPid(m, 0, kListPipPg, 0, "1A05"));
    EXPECT_EQ(stn.pg[1].mainPid, 0x1A05);
    EXPECT_EQ(stn.pg[0].mainPid, 0x1200);
    EXPECT_TRUE(setLanguage(m, 0, kListPg, 0, "fin"));
    EXPECT_EQ(streamRows(stn, kListPg)[0][6], "fin");
    EXPECT_EQ(streamRows(stn, kListPipPg)[0][6], "PG, deu");

    const auto after = sizesOf(m);
    EXPECT_EQ(after.marks, before.marks);
    EXPECT_EQ(after.playList, before.playList);
    EXPECT_EQ(after.stn, before.stn);
    expectMeasuredConsistent(writePlaylist(m));
}

TEST(StreamVocabulary, SelectorsLanguagesAndHints)
{
    EXPECT_EQ(languageCodes().size(), 431u);
    EXPECT_EQ(languageIndex("eng"), 0u);
    EXPECT_EQ(languageCodes()[*languageIndex("fra")], "fra");
    EXPECT_EQ(languageIndex("ENG"), std::nullopt);
    EXPECT_EQ(languageIndex("xx"), std::nullopt);
    EXPECT_EQ(audioFormatItems().size(), 13u);
    EXPECT_EQ(sampleRateItems().size(), 15u);
    EXPECT_EQ(sampleRateItems()[12], "c:48/96, e:192 kHz");
    EXPECT_EQ(frameRateItems()[7], "59.94");
    EXPECT_EQ(videoFormatItems()[7], "576p");
    EXPECT_EQ(codingTypeName(0xA2), "DTS-HD");
    EXPECT_EQ(codingTypeName(0x20), "");
    EXPECT_EQ(audioCodingType(6), 0x86);
    EXPECT_EQ(audioCodingHint(8), "DTS-HD audio stream for Secondary audio stream");
    EXPECT_EQ(audioFormatHint(12), "stereo (2-channel) and multi-channel for the DTS-HD/Dolby Lossless");
    EXPECT_EQ(audioFormatHint(2), std::nullopt);
    EXPECT_EQ(entryTypeHint(0), std::nullopt);
    EXPECT_EQ(videoCodingHint(1), "MPEG-4 AVC video stream for Primary / Secondary video");
    EXPECT_EQ(entryTypeItems()[0], "---");
    EXPECT_EQ(stnCaptions(), (Row{"Vi", "Au", "PG", "IG", "sV", "sA", "PIP"}));
}
