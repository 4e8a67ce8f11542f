#include "playlist_fixture.h"
#include "playlist/mark_edit.h"
#include "playlist/mpls_text.h"

using namespace mirtal;
using namespace mirtal::playlist;
using namespace mirtal::support;
using mirtal::playlist::test::expectMeasuredConsistent;
using mirtal::playlist::test::readBuilt;
using mirtal::playlist::test::simpleItem;

namespace {

TPLmpls fiveMarks(bool ext)
{
    MplsBuilder b;
    b.playItem(simpleItem("00001", 0, 450000));
    for (uint32_t i = 0; i < 5; ++i)
        b.mark({1, 0, i * 45000, 0xFFFF, 0});
    if (ext)
        b.extension({{0x1000, 1, {1, 2, 3}}});
    return readBuilt(b.bytes());
}

}  // namespace

TEST(MarkDelete, ABlockOfThreeOfFive)
{
    for (bool ext : {true, false}) {
        auto m = fiveMarks(ext);
        const auto length = m.marks.length, start = m.extensionDataStartAddress;
        const auto d = deleteMarks(m, 1, 3);
        EXPECT_EQ(d.removed, 3u);
        EXPECT_EQ(d.selection, 0u);
        ASSERT_EQ(m.marks.marks.size(), 2u);
        EXPECT_EQ(m.marks.numberOfMarks, 2);
        EXPECT_EQ(m.marks.marks[1].markTime45k, 4u * 45000);
        EXPECT_EQ(m.marks.length, length - 42);
        EXPECT_EQ(m.extensionDataStartAddress, ext ? start - 42 : 0u);
        expectMeasuredConsistent(writePlaylist(m));
        // The selection moves above the block; a block from the first row keeps row 0; a last
        // row past the list is clamped; nothing is left at the end.
        EXPECT_EQ(deleteMarks(m, 1, 9).selection, 0u);
        EXPECT_EQ(deleteMarks(m, 0, 0).selection, std::nullopt);
        EXPECT_EQ(deleteMarks(m, 0, 0).removed, 0u);
        EXPECT_TRUE(markRows(m).empty());
        expectMeasuredConsistent(writePlaylist(m));
    }
}

TEST(MarkInsert, IntoAnEmptyListAndUpToNineHundredNinetyNine)
{
    auto m = readBuilt(MplsBuilder().playItem(simpleItem("00001", 0, 9)).extension({{0x1000, 1, {5}}}).bytes());
    ASSERT_TRUE(m.marks.marks.empty());
    const auto start = m.extensionDataStartAddress;
    EXPECT_EQ(insertMark(m, 3), 0u);
    ASSERT_EQ(m.marks.marks.size(), 1u);
    EXPECT_EQ(m.marks.marks[0], (TMarkEntry{0, 1, 0, 0, 0xFFFF, 0}));
    EXPECT_EQ(m.marks.length, 16u);
    EXPECT_EQ(m.extensionDataStartAddress, start + 14);
    m.marks.marks[0].markTime45k = 7;
    EXPECT_EQ(insertMark(m, 0), 1u);
    EXPECT_EQ(insertMark(m, 0), 1u);
    EXPECT_EQ(m.marks.marks[2].markTime45k, 0u);
    EXPECT_EQ(m.marks.marks[0].markTime45k, 7u);
    while (m.marks.marks.size() < kMaxMarks)
        ASSERT_TRUE(insertMark(m, m.marks.marks.size() - 1));
    const auto full = m;
    EXPECT_EQ(insertMark(m, 0), std::nullopt);
    EXPECT_EQ(m, full);
    expectMeasuredConsistent(writePlaylist(m));
    EXPECT_EQ(readBuilt(writePlaylist(m)), m);
}

TEST(MarkEdit, EditorsClampAndRecomputeTheTime)
{
    auto m = fiveMarks(false);
    EXPECT_TRUE(setMarkType(m, 0, 1));
    EXPECT_EQ(m.marks.marks[0].markType, 2);
    EXPECT_FALSE(setMarkType(m, 0, 2));
    EXPECT_FALSE(setMarkType(m, 7, 0));
    EXPECT_TRUE(setMarkPlayItem(m, 1, 12));
    EXPECT_EQ(markRows(m)[1][2], "012");

    const auto clamped = setMarkTime(m, 2, {30, 61, -4, 1500});
    ASSERT_TRUE(clamped);
    EXPECT_EQ(*clamped, (MarkTimeParts{25, 59, 0, 999}));
    EXPECT_EQ(m.marks.marks[2].markTime45k, 25u * 162000000 + 59u * 2700000 + 999u * 45);
    EXPECT_EQ(setMarkTime(m, 9, {}), std::nullopt);
    (void)setMarkTime(m, 3, {1, 2, 3, 4});
    EXPECT_EQ(markRows(m)[3][3], "01:02:03.004");
    EXPECT_EQ(markTimeParts(m.marks.marks[3].markTime45k), (MarkTimeParts{1, 2, 3, 4}));
    EXPECT_EQ(markTimeParts(26u * 162000000 + 44), (MarkTimeParts{26, 0, 0, 0}));    // hours not wrapped
    EXPECT_EQ(markTypeItems(), (std::vector<std::string>{"entry-mark", "link point"}));
    EXPECT_EQ(markTypeName(0), "");
    EXPECT_EQ(markTypeName(5), "5");
    EXPECT_EQ(m.marks.length, 2u + 14 * 5);
}
