#include "playlist_fixture.h"
#include "playlist/app_info.h"
#include "playlist/playlist_view.h"
#include "playlist/subpath_edit.h"
#include "playlist/vocabulary.h"

using namespace mirtal;
using namespace mirtal::playlist;
using namespace mirtal::support;
using mirtal::playlist::test::readBuilt;
using mirtal::playlist::test::simpleItem;

namespace {

// One PlayItem whose lists hold streams of every entry type: an IM PIP video, a secondary audio
// coding type, two PG streams and one PiP PG stream with a language the selector lacks, an IG
// stream on a SubPath. The IG and secondary video lists of the second PlayItem are empty.
TPLmpls streamsModel()
{
    auto p = simpleItem("00001", 0, 9);
    p.video[0].entryType = 3;
    p.video[0].subPathId = 4;
    p.video[0].coding = 0xEA;
    p.audio = {audioStream(0x1100, "eng", 0xA2, 12, 4)};
    p.pg = {pgStream(0x1200, "fra"), pgStream(0x1201, "deu")};
    p.pipPg = {pgStream(0x1A00, "qqq")};
    auto ig = igStream(0x1401, "jpn");
    ig.subPathId = 1;
    ig.subclipId = 2;
    p.ig = {ig};
    return readBuilt(MplsBuilder().playItem(p).playItem(simpleItem("00002", 0, 9)).bytes());
}

}  // namespace

TEST(StreamEditorView, ASubPathStreamShowsItsSubPidAndSubclipButNoMainPid)
{
    const auto m = streamsModel();
    const auto s = streamEditorState(m, 0, kListIg, 0);
    ASSERT_TRUE(s.visible);
    EXPECT_EQ(s.editors, StreamEditors::Language);
    EXPECT_FALSE(s.showsMainPid);
    EXPECT_TRUE(s.showsSubPathId && s.showsSubclipId && s.showsSubPid);
    EXPECT_EQ(s.subPid, 0x1401);
    EXPECT_EQ(s.subPathId, 1);
    EXPECT_EQ(s.subclipId, 2);
    EXPECT_EQ(s.entryTypeItem, 2);
    EXPECT_EQ(s.entryTypeHint, entryTypeHint(2));
    EXPECT_EQ(s.languageItem, static_cast<int>(*languageIndex("jpn")));
    EXPECT_EQ(s.videoCodingItem, kNoItem);
    EXPECT_EQ(s.audioCodingItem, kNoItem);

    // IM PIP: main PID and SubPath id, nothing of a SubPath's clip.
    const auto v = streamEditorState(m, 0, kListVideo, 0);
    EXPECT_TRUE(v.showsMainPid && v.showsSubPathId);
    EXPECT_FALSE(v.showsSubclipId || v.showsSubPid);
    EXPECT_EQ(v.videoCodingItem, 2);
    EXPECT_EQ(v.videoCodingHint, videoCodingHint(2));
    EXPECT_EQ(v.frameRateItem, 3);
    EXPECT_EQ(v.languageItem, kNoItem);
}

TEST(StreamEditorView, AudioSelectorsTakeTheSecondaryCodingTypesAndTheFirstEng)
{
    const auto s = streamEditorState(streamsModel(), 0, kListAudio, 0);
    ASSERT_TRUE(s.visible);
    EXPECT_EQ(s.audioCodingItem, 8);    // 0xA2
    EXPECT_EQ(s.audioCodingHint, audioCodingHint(8));
    EXPECT_EQ(s.audioFormatItem, 12);
    EXPECT_EQ(s.audioFormatHint, audioFormatHint(12));
    EXPECT_EQ(s.sampleRateItem, 4);
    EXPECT_EQ(s.languageItem, 0);       // "eng" stands first and again in its place
}

TEST(StreamEditorView, APipPgRowAddressesTheElementAfterThePgStreams)
{
    const auto m = streamsModel();
    const auto s = streamEditorState(m, 0, kListPipPg, 0);
    ASSERT_TRUE(s.visible);
    EXPECT_EQ(s.mainPid, 0x1A00);
    EXPECT_EQ(s.editors, StreamEditors::None);
    EXPECT_EQ(s.languageItem, kNoItem);
    EXPECT_FALSE(streamEditorState(m, 0, kListPipPg, 1).visible);
    EXPECT_EQ(streamEditorState(m, 0, kListPg, 1).mainPid, 0x1201);
    EXPECT_FALSE(streamEditorState(m, 0, kListPg, 2).visible);    // the PiP PG stream is not a PG row
    const auto list = selectStreamList(m, 0, kListPipPg);
    ASSERT_EQ(list.rows.size(), 1u);
    EXPECT_EQ(list.rows[0][2], "1A00");
}

TEST(StreamEditorView, AnEmptyListHidesTheEditorsButKeepsItsButtonLimits)
{
    const auto m = streamsModel();
    EXPECT_FALSE(streamEditorState(m, 1, kListIg, 0).visible);
    const auto ig = selectStreamList(m, 1, kListIg);
    EXPECT_TRUE(ig.rows.empty());
    EXPECT_TRUE(ig.buttons.insert);
    EXPECT_FALSE(ig.buttons.remove);
    const auto sv = selectStreamList(m, 1, kListSecondaryVideo);
    EXPECT_FALSE(sv.buttons.insert || sv.buttons.remove);
    const auto none = selectStreamList(m, 2, kListAudio);    // no such PlayItem
    EXPECT_TRUE(none.rows.empty());
    EXPECT_FALSE(none.buttons.insert || none.buttons.remove);
    EXPECT_FALSE(streamEditorState(m, 2, kListAudio, 0).visible);
}

TEST(PlayListView, EnableRulesAfterARead)
{
    auto m = readBuilt(MplsBuilder().playItem(simpleItem("00001", 0, 9)).bytes());
    auto c = playListControls(m);
    EXPECT_TRUE(c.save && c.subPathInsert && c.markList);
    EXPECT_FALSE(c.subPathDelete || c.markEditors);
    const auto sp = selectSubPath(m, 0);    // no SubPath: both selectors off, no item
    EXPECT_FALSE(sp.typeEnabled || sp.repeatEnabled);
    EXPECT_EQ(sp.typeItem, kNoItem);
    EXPECT_EQ(sp.repeatItem, kNoItem);

    m.playListMarkStartAddress = 0;    // no PlayListMark section at all
    EXPECT_FALSE(playListControls(m).markList);
    m.playList.subPaths.resize(kMaxSubPaths);
    c = playListControls(m);
    EXPECT_FALSE(c.subPathInsert);
    EXPECT_TRUE(c.subPathDelete);
    EXPECT_FALSE(playListControls(TPLmpls{}).save);

    m = readBuilt(MplsBuilder().playItem(simpleItem("00001", 0, 9)).mark({2, 0, 45 * 3723004u, 0xFFFF, 0}).bytes());
    EXPECT_TRUE(playListControls(m).markEditors);
    const auto mark = markEditorState(m, 0);
    ASSERT_TRUE(mark);
    EXPECT_EQ(mark->typeItem, 1);
    EXPECT_EQ(mark->time, (MarkTimeParts{1, 2, 3, 4}));
    EXPECT_FALSE(markEditorState(m, 1));
}

TEST(SubPathView, TypeTwoEnablesRepeatAndClipEntriesShowOnlyWhenPresent)
{
    SubPlayItemDesc multi;
    multi.clip = "00004";
    multi.extraClips = {{"00005"}, {"00006"}};
    const auto m = readBuilt(MplsBuilder()
                                 .playItem(simpleItem("00001", 0, 9))
                                 .subPath({2, 1, {SubPlayItemDesc{}, multi}})
                                 .subPath({3, 0, {}})
                                 .bytes());
    const auto audio = selectSubPath(m, 0);
    EXPECT_TRUE(audio.typeEnabled && audio.repeatEnabled);
    EXPECT_EQ(audio.typeItem, 2);
    EXPECT_EQ(audio.repeatItem, 1);
    EXPECT_EQ(audio.typeHint, subPathTypeHint(2));
    EXPECT_EQ(audio.subPlayItemRows.size(), 2u);
    const auto menu = selectSubPath(m, 1);
    EXPECT_TRUE(menu.typeEnabled);
    EXPECT_FALSE(menu.repeatEnabled);
    EXPECT_TRUE(menu.subPlayItemRows.empty());

    EXPECT_FALSE(selectSubPlayItem(m, 0, 0).showClipEntries);
    const auto entries = selectSubPlayItem(m, 0, 1);
    EXPECT_TRUE(entries.showClipEntries);
    EXPECT_EQ(entries.clipEntryRows.size(), 3u);
    EXPECT_FALSE(selectSubPlayItem(m, 1, 0).showClipEntries);
    EXPECT_EQ(clipEntryClip(m, 0, 1, 2), "00006");
    EXPECT_EQ(clipEntryClip(m, 0, 1, 3), std::nullopt);
    EXPECT_EQ(subPlayItemClip(m, 0, 1), "00004");
    EXPECT_EQ(subPlayItemClip(m, 1, 0), std::nullopt);
}

TEST(PlayItemView, AnglesShowOnlyForAMultiAnglePlayItem)
{
    auto multi = simpleItem("00001", 0, 9);
    multi.extraAngles = {{"00002"}, {"00003"}};
    const auto m = readBuilt(MplsBuilder().playItem(multi).playItem(simpleItem("00007", 0, 9)).bytes());
    const auto a = selectPlayItem(m, 0);
    EXPECT_TRUE(a.showAngles);
    EXPECT_EQ(a.angleRows.size(), 3u);
    EXPECT_EQ(a.counts, (Row{"1", "1", "0", "0", "0", "0", "0"}));
    EXPECT_EQ(angleClip(m, 0, 2), "00003");
    EXPECT_FALSE(selectPlayItem(m, 1).showAngles);
    EXPECT_EQ(angleClip(m, 1, 0), std::nullopt);
    EXPECT_EQ(playItemClip(m, 1), "00007");
    EXPECT_TRUE(selectPlayItem(m, 2).counts.empty());
}

TEST(AppInfoView, APlaybackTypeOutsideTheSelectorShowsNoItem)
{
    auto m = readBuilt(MplsBuilder().playback(3, 7).uoMask(0, kPipPgUoBit).playItem(simpleItem("00001", 0, 9)).bytes());
    EXPECT_EQ(appInfoState(m).playbackTypeItem, 2);
    EXPECT_TRUE(appInfoState(m).boxes[kPipPgBox]);
    m.playbackType = 4;
    EXPECT_EQ(appInfoState(m).playbackTypeItem, kNoItem);
}
