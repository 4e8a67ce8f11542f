// Colour transform, palettes, run-length decoding, the object cache and the palette view.
#include "ig/bitmaps.h"
#include "ig_test_util.h"

#include <gtest/gtest.h>

using namespace mirtal;
using namespace mirtal::ig;
using namespace mirtal::support;

TEST(YCrCbToRGB, ClampsAndRoundsAsTheDisplayExpects)
{
    EXPECT_EQ(YCrCbToRGB(16, 128, 128), 0u);
    EXPECT_EQ(YCrCbToRGB(235, 128, 128), 0xFFFFFFu);
    EXPECT_EQ(YCrCbToRGB(255, 255, 128) & 0xFF, 255u);
    EXPECT_EQ(YCrCbToRGB(0, 128, 128), 0u);
}

TEST(Rledecode, CodesRunsLineEndsAndClipping)
{
    // 00 00 first: an empty first line; then 2 pixels of 5, 3 of 0, a 6-bit run of 7, line end
    const ByteVec data = {0x00, 0x00, 5, 5, 0x00, 0x03, 0x00, 0x82, 7, 0x00, 0x00};
    const auto px = rledecode(data, 3, 7);
    // The data end with the second line: the third is entry 0 and not held.
    EXPECT_EQ(px, (ByteVec{0, 0, 0, 0, 0, 0, 0, 5, 5, 0, 0, 0, 7, 7}));
    // A zero-length run fills the rest of the line; pixels beyond the width are dropped.
    EXPECT_EQ(rledecode(ByteVec{9, 0x00, 0x80, 4, 1, 1, 1, 1, 1}, 2, 3), (ByteVec{9, 4, 4, 1, 1, 1}));
    // Data that ends early leaves entry 0.
    EXPECT_EQ(rledecode(ByteVec{3}, 1, 3), (ByteVec{3, 0, 0}));
    // A 14-bit run with colour.
    EXPECT_EQ(rledecode(ByteVec{0x00, 0xC0, 0x04, 2}, 1, 4), (ByteVec{2, 2, 2, 2}));
}

TEST(Palettes, SlotsEntriesOutsideAndSecondPaletteWithoutDecoding)
{
    std::vector<PaletteEntry> entries;
    for (uint8_t i = 0; i < 10; ++i)
        entries.push_back({i, 235, 128, 128, 255});
    std::vector<ByteVec> segs = {pdsSegment(0, 0, entries), pdsSegment(1, 0, {{0, 16, 128, 128, 9}, {200, 235, 128, 128, 1}})};
    for (auto& s : odsSegments(0, 0, 4, 2, rleEncode(ig::testing::smallPixels(), 4, 2)))
        segs.push_back(s);
    IcsLayout ics;
    ics.pages = {PageLayout{}};
    for (auto& s : icsSegments(ics))
        segs.push_back(s);
    IgMenu menu;
    RecordingReporter rec;
    ASSERT_TRUE(ig::testing::loadBytes(segmentsToTs(segs), menu, rec).ok());
    core::Report report(rec);
    const auto& p0 = id2pal(menu, 0, report);
    ASSERT_EQ(p0.size(), 11u);
    EXPECT_EQ(p0[10], (TRGBA{0, 0, 0, 0}));
    EXPECT_EQ(p0[9], (TRGBA{255, 255, 255, 255}));
    const auto& p1 = id2pal(menu, 1, report);
    EXPECT_EQ(p1.size(), 3u);    // entry 200 is left out, logged
    EXPECT_FALSE(rec.lines.empty());
    ASSERT_TRUE(ShowButtonPic(menu, 0, 0, report));
    const size_t statusBefore = rec.status.size();
    const auto again = ShowButtonPic(menu, 0, 1, report);
    ASSERT_TRUE(again);
    for (size_t i = statusBefore; i < rec.status.size(); ++i)
        EXPECT_NE(rec.status[i].second, "Decoding RLE pixel data...");
    EXPECT_EQ(again->at(0, 0), (Rgb{0, 0, 0}));    // entry 1 is not in palette 1
    EXPECT_EQ(rec.panels[1], "Size: 4x2,  Object: 0000,  Palette: 01,  RLE pixel data: " +
                                 std::to_string(menu.objects[0].dataLength) + " (8)");
    (void)ShowButtonPic(menu, 0xFFFF, 0, report);
    EXPECT_EQ(rec.panels[1], "No object assigned");
    const auto view = paletteView(menu, 0, colours::kSilver, report);
    EXPECT_EQ(view.width, 350);
    const auto px = [&](int x, int y) { return view.rgba[(static_cast<size_t>(y) * 350 + x) * 4 + 3]; };
    EXPECT_EQ(px(182, 12), 255);    // slot 0 alpha 255
    EXPECT_EQ(px(10, 10), 255);     // background corner
    EXPECT_EQ(view.rgba[(static_cast<size_t>(12) * 350 + 12) * 4], 255);    // slot 0 white
    EXPECT_EQ(view.rgba[(static_cast<size_t>(11) * 350 + 11) * 4], 0);      // its corner is the black cell
}

TEST(Objects, SplitOverSeveralSegmentsIsOneObjectAndTooLargeIsNotDecoded)
{
    ByteVec pixels(100 * 10);
    for (size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = static_cast<uint8_t>(1 + i % 7);
    const auto rle = rleEncode(pixels, 100, 10);
    auto segs = odsSegments(0, 0, 100, 10, rle, 100);
    ASSERT_GT(segs.size(), 3u);
    const size_t firstBody = segs[0].size() - 3;
    IcsLayout ics;
    ics.pages = {PageLayout{}};
    for (auto& s : icsSegments(ics))
        segs.push_back(s);
    IgMenu menu;
    RecordingReporter rec;
    ASSERT_TRUE(ig::testing::loadBytes(segmentsToTs(segs), menu, rec).ok());
    ASSERT_EQ(menu.objects.size(), 1u);
    EXPECT_EQ(menu.objects[0].fragments.front().dataLength, static_cast<int64_t>(firstBody - 11));
    EXPECT_EQ(menu.objects[0].fragments[1].dataLength, 100);
    core::Report report(rec);
    ASSERT_TRUE(decodeObject(menu, menu.objects[0], report));
    EXPECT_EQ(menu.objects[0].pixels, pixels);
}

TEST(Objects, DataLargerThanTheObjectBufferIsLoggedAndNotDecoded)
{
    IgMenu menu;
    menu.scratch = std::make_shared<Scratch>();
    TIGobject big;
    big.objectId = 0;
    big.width = 4;
    big.height = 2;
    big.dataLength = 1048577;
    big.fragments = {{0, 2, 0, 600000}, {0, 1, 0, 448577}};    // one byte more than the buffer holds
    menu.objects = {big};
    menu.objectIndex = {0};
    RecordingReporter rec;
    core::Report report(rec);
    EXPECT_FALSE(decodeObject(menu, menu.objects[0], report));
    EXPECT_TRUE(menu.objects[0].pixels.empty());
    EXPECT_TRUE(rec.hasLine("Object 0000: 1048577 bytes of pixel data do not fit the 1,048,576-byte object buffer; "
                            "it is not decoded."));
    EXPECT_FALSE(ShowButtonPic(menu, 0, 0, report));
    EXPECT_FALSE(getobjbmp(menu, 0, 0, report));
}
