#include "playlist_fixture.h"
#include "playlist/mark_edit.h"

using namespace mirtal;
using namespace mirtal::playlist;
using namespace mirtal::support;
using mirtal::playlist::test::expectMeasuredConsistent;
using mirtal::playlist::test::readBuilt;
using mirtal::playlist::test::simpleItem;

namespace {

// PlayItems of 45000 and 90000 ticks at IN times 1000 and 5000; frame rate value 3 (25).
TPLmpls twoItems(bool ext = false)
{
    MplsBuilder b;
    b.playItem(simpleItem("00001", 1000, 46000)).playItem(simpleItem("00002", 5000, 95000)).mark({});
    if (ext)
        b.extension({{0x1000, 1, {1, 2, 3, 4}}});
    return readBuilt(b.bytes());
}

struct Imported {
    bool ok;
    std::vector<std::string> log;
};

Imported import(TPLmpls& m, std::string_view text, ChapterFormat f)
{
    RecordingReporter rec;
    core::Report report(rec);
    const bool ok = importChapters(m, text, f, report);
    return {ok, rec.lines};
}

std::string exported(const TPLmpls& m, ChapterFormat f)
{
    RecordingReporter rec;
    core::Report report(rec);
    return exportChapters(m, f, report).value_or("refused");
}

}  // namespace

TEST(ChapterImport, PtsLinesLandOnTheirPlayItems)
{
    auto m = twoItems(true);
    const auto ext = m.extensionDataStartAddress;
    const auto r = import(m, "45000\r\n30000\r\n0\r\n", ChapterFormat::Pts);
    ASSERT_TRUE(r.ok);
    ASSERT_EQ(m.marks.marks.size(), 3u);
    EXPECT_EQ(m.marks.marks[0], (TMarkEntry{0, 1, 1, 5000, 0xFFFF, 0}));
    EXPECT_EQ(m.marks.marks[1], (TMarkEntry{0, 1, 0, 31000, 0xFFFF, 0}));
    EXPECT_EQ(m.marks.marks[2], (TMarkEntry{0, 1, 0, 1000, 0xFFFF, 0}));
    EXPECT_EQ(m.marks.length, 14u * 3 + 2);
    EXPECT_EQ(m.marks.numberOfMarks, 3);
    EXPECT_EQ(m.extensionDataStartAddress, ext + 14 * 2);    // one mark before, three after
    expectMeasuredConsistent(writePlaylist(m));
    EXPECT_EQ(exported(m, ChapterFormat::Pts), "45000\r\n30000\r\n0\r\n");
    // The boundary chapter: the locating loop's lines, then the PlayItem and its start.
    EXPECT_EQ(r.log[0], "2: 00:00:01.000 00:00:01.000   0000AFC8 0000AFC8");
    EXPECT_EQ(r.log[1], "1, 00:00:01.000");
    EXPECT_EQ(r.log[2], "1: 00:00:00.666 00:00:01.000   00007530 0000AFC8");
    EXPECT_EQ(r.log[3], "0, 00:00:00.000");
    EXPECT_EQ(r.log[4], "0, 00:00:00.000");    // T = 0: no loop line
}

TEST(ChapterFormats, FrameAndTimeExamples)
{
    auto m = twoItems();
    ASSERT_TRUE(import(m, "45000", ChapterFormat::Pts).ok);
    EXPECT_EQ(exported(m, ChapterFormat::Frame), "25000\r\n");
    EXPECT_EQ(exported(m, ChapterFormat::Time), "00:00:01.000\r\n");
    ASSERT_TRUE(import(m, "25000\n", ChapterFormat::Frame).ok);
    EXPECT_EQ(exported(m, ChapterFormat::Pts), "45000\r\n");
    ASSERT_TRUE(import(m, "00:00:01.000", ChapterFormat::Time).ok);
    EXPECT_EQ(m.marks.marks[0].playItemRef, 1);
    EXPECT_EQ(m.marks.marks[0].markTime45k, 5000u);
    EXPECT_EQ(chapterFileName("00003", ChapterFormat::Frame), "chapter_00003_frame.txt");
    EXPECT_EQ(chapterFileName("00003", ChapterFormat::Pts), "chapter_00003_PTS.txt");
    EXPECT_EQ(chapterFileName("00003", ChapterFormat::Time), "chapter_00003_time.txt");
    EXPECT_EQ(chapterFormatFromText("FRAME"), ChapterFormat::Frame);
    EXPECT_EQ(chapterFormatFromText("smpte"), std::nullopt);
}

TEST(ChapterFormats, AllThreeRoundTripOnSeveralPlayItems)
{
    constexpr uint32_t kUnit = 45045;
    const uint8_t rates[] = {1, 2, 3, 4, 6, 7};
    for (uint8_t rate : rates) {
        MplsBuilder b;
        uint32_t in = 900;
        for (int i = 0; i < 5; ++i) {
            auto p = simpleItem("0000" + std::to_string(i), in, in + kUnit * (10 + 7 * i));
            p.video = {videoStream(0x1011, 0x1B, 6, rate)};
            b.playItem(p);
            in += 4500;
        }
        // Marks in every PlayItem, at its IN time and inside it. Times are whole multiples of
        // 45045 ticks: whole milliseconds and whole thousandths of a frame at every rate, so
        // every format keeps them exactly.
        for (uint16_t i = 0; i < 5; ++i) {
            b.mark({1, i, 900u + 4500u * i, 0xFFFF, 0});
            b.mark({1, i, 900u + 4500u * i + kUnit * 3, 0xFFFF, 0});
        }
        const auto original = readBuilt(b.bytes());
        for (auto f : {ChapterFormat::Pts, ChapterFormat::Frame, ChapterFormat::Time}) {
            const std::string text = exported(original, f);
            ASSERT_NE(text, "refused");
            auto m = original;
            ASSERT_TRUE(import(m, text, f).ok);
            EXPECT_EQ(m.marks, original.marks) << "rate " << int(rate) << " format " << int(f) << "\n" << text;
            EXPECT_EQ(exported(m, f), text);
            expectMeasuredConsistent(writePlaylist(m));
        }
    }
}

TEST(ChapterFormats, FrameWithoutARateIsRefusedWithAMessage)
{
    for (uint8_t rate : {0, 5, 8}) {
        auto p = simpleItem("00001", 0, 90000);
        p.video = {videoStream(0x1011, 0x1B, 6, rate)};
        auto m = readBuilt(MplsBuilder().playItem(p).mark({}).bytes());
        RecordingReporter rec;
        core::Report report(rec);
        EXPECT_EQ(exportChapters(m, ChapterFormat::Frame, report), std::nullopt);
        const auto before = m;
        EXPECT_FALSE(importChapters(m, "25\r\n", ChapterFormat::Frame, report));
        EXPECT_EQ(m, before);
        EXPECT_EQ(rec.errors.size(), 2u);
        EXPECT_TRUE(exportChapters(m, ChapterFormat::Pts, report));
    }
    auto noVideo = simpleItem("00001", 0, 90000);
    noVideo.video.clear();
    auto m = readBuilt(MplsBuilder().playItem(noVideo).bytes());
    EXPECT_EQ(chapterFrameRate(m), std::nullopt);
    EXPECT_EQ(exported(m, ChapterFormat::Frame), "refused");
    EXPECT_EQ(chapterFrameRate(twoItems())->numerator, 25000u);
}

TEST(ChapterImport, BeyondTheLastPlayItemStopsThere)
{
    auto m = twoItems();
    const auto r = import(m, "200000\r\n135000\r\n", ChapterFormat::Pts);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(m.marks.marks[0].playItemRef, 1);
    EXPECT_EQ(m.marks.marks[0].markTime45k, 5000u + 200000 - 45000);
    EXPECT_EQ(m.marks.marks[1].playItemRef, 1);
    EXPECT_EQ(m.marks.marks[1].markTime45k, 95000u);    // the OUT time of the last PlayItem
    EXPECT_EQ(exported(m, ChapterFormat::Pts), "200000\r\n135000\r\n");

    // A PlayList without PlayItems places every chapter on PlayItem 0 at its own time.
    auto empty = readBuilt(MplsBuilder().bytes());
    ASSERT_TRUE(import(empty, "90\r\n", ChapterFormat::Pts).ok);
    EXPECT_EQ(empty.marks.marks[0].playItemRef, 0);
    EXPECT_EQ(empty.marks.marks[0].markTime45k, 90u);
}

TEST(ChapterImport, EmptyTextChangesNothingAndLongFilesStopAtTheLimit)
{
    auto m = twoItems();
    const auto before = m;
    EXPECT_FALSE(import(m, "", ChapterFormat::Pts).ok);
    EXPECT_EQ(m, before);
    std::string many;
    for (int i = 0; i < 1200; ++i)
        many += std::to_string(i * 45) + "\r\n";
    ASSERT_TRUE(import(m, many, ChapterFormat::Pts).ok);
    EXPECT_EQ(m.marks.marks.size(), kMaxMarks);
    expectMeasuredConsistent(writePlaylist(m));
    // A negative or non-numeric line counts as time 0.
    ASSERT_TRUE(import(m, "-45000\r\nabc\r\n", ChapterFormat::Pts).ok);
    EXPECT_EQ(m.marks.marks[0].markTime45k, 1000u);
    EXPECT_EQ(m.marks.marks[1].markTime45k, 1000u);
}
