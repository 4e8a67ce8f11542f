#include "playlist_fixture.h"
#include "playlist/mpls_text.h"
#include "playlist/subpath_edit.h"

using namespace mirtal;
using namespace mirtal::playlist;
using namespace mirtal::support;
using mirtal::playlist::test::expectMeasuredConsistent;
using mirtal::playlist::test::readBuilt;
using mirtal::playlist::test::simpleItem;

TEST(SubPathInsert, FirstSubPathIsAnIgMenuOnTheFirstPlayItemsClip)
{
    auto m = readBuilt(MplsBuilder()
                           .playItem(simpleItem("00007", 4500, 9000))
                           .playItem(simpleItem("00008", 0, 9))
                           .mark({})
                           .extension({{0x1000, 1, {1, 2}}})
                           .bytes());
    const auto marks = m.playListMarkStartAddress, ext = m.extensionDataStartAddress, length = m.playList.length;
    EXPECT_EQ(insertSubPath(m, 5), 0u);
    EXPECT_EQ(m.playListMarkStartAddress, marks + 40);
    EXPECT_EQ(m.extensionDataStartAddress, ext + 40);
    EXPECT_EQ(m.playList.length, length + 40);
    ASSERT_EQ(m.playList.subPaths.size(), 1u);
    EXPECT_EQ(m.playList.numberOfSubPaths, 1);
    const auto& sp = m.playList.subPaths[0];
    EXPECT_EQ(sp.length, 36u);
    EXPECT_EQ(sp.subPathType, 3);
    EXPECT_EQ(sp.repeat, 0);
    ASSERT_EQ(sp.subPlayItems.size(), 1u);
    const auto& s = sp.subPlayItems[0];
    EXPECT_EQ(s.length, 28);
    EXPECT_EQ(s.clipName, "00007");
    EXPECT_EQ(s.codecId, "M2TS");
    EXPECT_EQ(s.connectionCondition, 1);
    EXPECT_EQ(s.inTime45k, 4500u);
    EXPECT_EQ(s.outTime45k, 4500u);
    EXPECT_EQ(subPathRows(m)[0], (Row{"000", "IG menu", "No", "1"}));
    EXPECT_FALSE(repeatSelectorEnabled(sp));
    expectMeasuredConsistent(writePlaylist(m));

    // Further SubPaths go after the selected one, up to 255.
    EXPECT_EQ(insertSubPath(m, 0), 1u);
    m.playList.subPaths[1].subPathType = 4;
    EXPECT_EQ(insertSubPath(m, 0), 1u);
    EXPECT_EQ(m.playList.subPaths[2].subPathType, 4);
    while (m.playList.subPaths.size() < kMaxSubPaths)
        ASSERT_TRUE(insertSubPath(m, 0));
    const auto full = m;
    EXPECT_EQ(insertSubPath(m, 0), std::nullopt);
    EXPECT_EQ(m, full);
    expectMeasuredConsistent(writePlaylist(m));
}

TEST(SubPathDelete, LowersSizesByTheSubPathsFileSize)
{
    SubPlayItemDesc multi{"00004", "M2TS", 1, 0, 0, 9, 0, 0, true, {{"00005", "M2TS", 0}}};    // length 40
    auto m = readBuilt(MplsBuilder()
                           .playItem(simpleItem("00001", 0, 9))
                           .subPath({2, 1, {SubPlayItemDesc{}, multi}})
                           .subPath({3, 0, {SubPlayItemDesc{}}})
                           .bytes());
    ASSERT_EQ(m.playList.subPaths[0].subPlayItems[1].length, 40);
    EXPECT_EQ(subPathFileSize(m.playList.subPaths[0]), 10u + 30 + 42);
    auto stored = m.playList.subPaths[0];
    stored.subPlayItems[1].length = 38;    // the size counts the stored lengths
    EXPECT_EQ(subPathFileSize(stored), 80u);
    const auto marks = m.playListMarkStartAddress, length = m.playList.length;
    const auto d = deleteSubPath(m, 0);
    EXPECT_TRUE(d.deleted);
    EXPECT_EQ(d.selection, 0u);
    EXPECT_EQ(m.playListMarkStartAddress, marks - 82);
    EXPECT_EQ(m.playList.length, length - 82);
    EXPECT_EQ(m.extensionDataStartAddress, 0u);
    EXPECT_EQ(m.playList.numberOfSubPaths, 1);
    EXPECT_EQ(m.playList.subPaths[0].subPathType, 3);
    expectMeasuredConsistent(writePlaylist(m));
    EXPECT_EQ(deleteSubPath(m, 0).selection, std::nullopt);
    EXPECT_FALSE(deleteSubPath(m, 0).deleted);
    EXPECT_TRUE(m.playList.subPaths.empty());
    expectMeasuredConsistent(writePlaylist(m));
}

TEST(SubPathEdit, TypeAndRepeat)
{
    auto m = readBuilt(MplsBuilder().playItem(simpleItem("00001", 0, 9)).subPath({2, 1, {SubPlayItemDesc{}}}).bytes());
    EXPECT_TRUE(repeatSelectorEnabled(m.playList.subPaths[0]));
    EXPECT_EQ(subPathRows(m)[0][2], "Yes");
    EXPECT_FALSE(setSubPathType(m, 0, 3));
    EXPECT_EQ(m.playList.subPaths[0].repeat, 0);
    EXPECT_EQ(subPathRows(m)[0], (Row{"000", "IG menu", "No", "1"}));
    EXPECT_TRUE(setSubPathType(m, 0, 2));
    EXPECT_TRUE(setSubPathRepeat(m, 0, 1));
    EXPECT_EQ(m.playList.subPaths[0].repeat, 1);
    EXPECT_FALSE(setSubPathRepeat(m, 0, 2));
    EXPECT_FALSE(setSubPathRepeat(m, 4, 1));
    EXPECT_EQ(repeatItems()[1], "Yes");
    EXPECT_EQ(subPathTypeItems().size(), 8u);
    EXPECT_EQ(subPathTypeHint(6), "Out-of-mux and Asynchronous type of Picture-in-Picture presentation path");
    EXPECT_EQ(subPathTypeHint(1), "reserved");
    EXPECT_EQ(subPathTypeName(9), "9");
}

TEST(SubPlayItemEdit, ColumnsOneThreeSixAndSevenOnly)
{
    auto m = readBuilt(MplsBuilder().playItem(simpleItem("00001", 0, 9)).subPath({3, 0, {SubPlayItemDesc{}}}).bytes());
    const auto before = m;
    EXPECT_TRUE(editSubPlayItemCell(m, 0, 0, 1, "1234567"));
    EXPECT_TRUE(editSubPlayItemCell(m, 0, 0, 3, "5x"));
    EXPECT_TRUE(editSubPlayItemCell(m, 0, 0, 6, "00:00:01.000"));
    EXPECT_TRUE(editSubPlayItemCell(m, 0, 0, 7, "01:00:00.000"));
    const auto& s = m.playList.subPaths[0].subPlayItems[0];
    EXPECT_EQ(s.clipName, "12345");
    EXPECT_EQ(s.connectionCondition, 5);
    EXPECT_EQ(s.inTime45k, 45000u);
    EXPECT_EQ(s.outTime45k, 162000000u);
    for (int column : {0, 2, 4, 5, 8, 9, 10})
        EXPECT_FALSE(editSubPlayItemCell(m, 0, 0, column, "7")) << column;
    EXPECT_FALSE(editSubPlayItemCell(m, 0, 1, 1, "00002"));
    EXPECT_FALSE(editSubPlayItemCell(m, 1, 0, 1, "00002"));
    EXPECT_EQ(m.playList.length, before.playList.length);
    EXPECT_EQ(s.length, before.playList.subPaths[0].subPlayItems[0].length);
    // The edited model still writes a file that reads back to it.
    EXPECT_EQ(readBuilt(writePlaylist(m)), m);
}

TEST(SubPlayItemView, ClipEntriesAndAnglesAndTheClipJump)
{
    SubPlayItemDesc multi{"00004", "M2TS", 1, 0, 0, 9, 0, 45000u * 3600 * 25, true, {{"00005", "M2TS", 1}, {"00006", "M2TS", 2}}};
    auto p = simpleItem("00001", 0, 9);
    p.extraAngles = {{"00002", "M2TS", 3}};
    const auto m = readBuilt(MplsBuilder().playItem(p).subPath({5, 0, {multi}}).bytes());
    const auto& s = m.playList.subPaths[0].subPlayItems[0];
    const auto rows = clipEntryRows(s);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0], (Row{"1", "00004", "M2TS", "0"}));
    EXPECT_EQ(rows[2], (Row{"3", "00006", "M2TS", "2"}));
    EXPECT_EQ(subPlayItemRows(m.playList.subPaths[0])[0][9], "01:00:00,000");    // 25 hours wrap at 24
    EXPECT_EQ(angleRows(m.playList.playItems[0]).size(), 2u);
    const std::vector<std::string> clips{"00001", "00004", "00005"};
    EXPECT_EQ(clipSelectorIndex(clips, rows[0][1]), 1u);
    EXPECT_EQ(clipSelectorIndex(clips, "00006"), std::nullopt);
    EXPECT_EQ(subPlayItemCaptions().size(), 11u);
}
