// The IG load: segments cut from the ring, dispatched, pages parsed.
#include "ig/ig_text.h"
#include "ig_test_util.h"

#include <gtest/gtest.h>

using namespace mirtal;
using namespace mirtal::ig;
using namespace mirtal::support;
using mirtal::ig::testing::loadBytes;

namespace {

IcsLayout twoPageLayout()
{
    IcsLayout s;
    s.userTimeOut = 90000 * 65;
    PageLayout p0;
    p0.id = 0;
    p0.paletteId = 0;
    p0.frameRateCode = 2;
    p0.in.windows = {{0, 10, 20, 300, 200}};
    p0.in.effects = {{4500, 0, {{0, 0, 0x80, 5, 6, {1, 2, 3, 4}}, {1, 0, 0x40, 7, 8, {}}}}};
    ButtonLayout a;
    a.id = 0;
    a.x = 100;
    a.y = 100;
    a.lower = 1;
    a.normalStart = a.normalEnd = 0;
    a.selectedStart = 1;
    a.selectedEnd = 2;
    a.commands = {{0x22000000, 2, 0}};
    ButtonLayout b = a;
    b.id = 1;
    b.y = 200;
    b.lower = 1;
    b.upper = 0;
    b.commands = {};
    p0.bogs = {{0, {a}}, {1, {b}}};
    PageLayout p1;
    p1.id = 1;
    s.pages = {p0, p1};
    return s;
}

std::vector<ByteVec> menuSegments(size_t icsPiece = 65000, size_t odsPiece = 65000)
{
    std::vector<ByteVec> segs;
    for (auto& s : icsSegments(twoPageLayout(), icsPiece))
        segs.push_back(s);
    segs.push_back(pdsSegment(0, 0, {{0, 16, 128, 128, 0}, {1, 235, 128, 128, 255}, {2, 81, 90, 240, 255}, {3, 145, 54, 34, 255}}));
    for (uint16_t id = 0; id < 3; ++id)
        for (auto& s : odsSegments(id, 0, 4, 2, rleEncode(ig::testing::smallPixels(), 4, 2), odsPiece))
            segs.push_back(s);
    segs.push_back(endSegment());
    return segs;
}

}  // namespace

TEST(IgLoad, ReadsPagesBogsButtonsObjectsAndPalettes)
{
    IgMenu menu;
    RecordingReporter rec;
    const auto r = loadBytes(segmentsToTs(menuSegments()), menu, rec);
    ASSERT_EQ(r.status, core::ReadStatus::Ok) << (rec.lines.empty() ? "" : rec.lines.front());
    EXPECT_TRUE(rec.errors.empty());
    ASSERT_EQ(menu.ics.pages.size(), 2u);
    EXPECT_EQ(menu.ics.videoWidth, 1920);
    EXPECT_EQ(menu.ics.userTimeOut, 90000u * 65);
    const TPage& p = menu.ics.pages[0];
    ASSERT_EQ(p.bogs.size(), 2u);
    EXPECT_EQ(p.inEffects.effects.at(0).objects.at(0).cropWidth, 3);
    EXPECT_EQ(p.bogs[0].buttons.at(0).commands.at(0).opcode, 0x22000000u);
    ASSERT_NE(menu.button(0, 1), nullptr);
    EXPECT_EQ(menu.button(0, 1)->y, 200);
    EXPECT_EQ(menu.objects.size(), 3u);
    EXPECT_EQ(menu.palettes.size(), 1u);
    EXPECT_TRUE(rec.hasLine("00010.m2ts loaded. (0:00:00)"));
}

TEST(IgLoad, SplitCompositionAndObjectsAndStreamModelZero)
{
    IgMenu menu;
    RecordingReporter rec;
    ASSERT_TRUE(loadBytes(segmentsToTs(menuSegments(40, 3)), menu, rec).ok());
    EXPECT_GT(menu.ics.fragments.size(), 3u);
    EXPECT_EQ(menu.ics.pages.size(), 2u);
    EXPECT_EQ(menu.objects.size(), 3u);
    auto layout = twoPageLayout();
    layout.streamModel = false;
    IgMenu m0;
    ASSERT_TRUE(loadBytes(segmentsToTs(icsSegments(layout)), m0, rec).ok());
    EXPECT_EQ(m0.ics.pages.size(), 2u);
    EXPECT_EQ(m0.ics.fragments[0].dataLength, static_cast<int64_t>(interactiveComposition(layout).size()) - 15);
}

TEST(IgLoad, CaptionsNotAnIgsNoCompositionAndCancel)
{
    IgMenu menu;
    RecordingReporter rec;
    auto layout = twoPageLayout();
    layout.pages.resize(1);
    layout.userTimeOut = 0;
    ASSERT_TRUE(loadBytes(segmentsToTs(icsSegments(layout)), menu, rec).ok());
    EXPECT_EQ(igsInfoCaption(menu.ics), "1920x1080 @ 23.976, 1 page");
    EXPECT_EQ(userTimeOutText(menu.ics), "0:00:00");
    RecordingReporter r2;
    EXPECT_EQ(loadBytes(segmentsToTs(menuSegments()), menu, r2, 0x1200).status, core::ReadStatus::FormatError);
    EXPECT_EQ(r2.errors, std::vector<std::string>{"Not an IGS"});
    EXPECT_TRUE(menu.objects.empty());
    RecordingReporter r3;
    EXPECT_EQ(loadBytes(segmentsToTs({pdsSegment(0, 0, {}), endSegment()}), menu, r3).status,
              core::ReadStatus::Truncated);
    EXPECT_FALSE(r3.errors.empty());
    RecordingReporter r4;
    r4.cancelAfter = 2;
    EXPECT_EQ(loadBytes(segmentsToTs(menuSegments()), menu, r4).status, core::ReadStatus::Cancelled);
    EXPECT_TRUE(r4.hasLine("Reading cancelled."));
}

TEST(IgLoad, IdsOutsideTheTablesAndExtraWindowsAreLoggedAndLeftOut)
{
    auto layout = twoPageLayout();
    layout.pages[0].bogs[1].buttons[0].id = 9;
    layout.pages[0].in.windows.assign(3, {1, 2, 3, 4, 5});
    std::vector<ByteVec> segs = icsSegments(layout);
    for (auto& s : odsSegments(7, 0, 4, 2, rleEncode(ig::testing::smallPixels(), 4, 2)))
        segs.push_back(s);
    IgMenu menu;
    RecordingReporter rec;
    ASSERT_TRUE(loadBytes(segmentsToTs(segs), menu, rec).ok());
    EXPECT_EQ(menu.button(0, 9), nullptr);
    EXPECT_EQ(menu.object(7), nullptr);
    EXPECT_EQ(menu.ics.pages[0].inEffects.windowsKept(), 2u);
    EXPECT_EQ(windowGridRows(menu.ics.pages[0].inEffects).size(), 2u);
    EXPECT_EQ(rec.lines.size() >= 3, true);
    EXPECT_EQ(compositionObjectGridRows(menu.ics.pages[0].inEffects.effects[0], true)[1][5], "----");
}

TEST(IgLoad, ReservedFrameRateIdsRunWithoutADelayAndSayWhy)
{
    EXPECT_EQ(frameDelayMs(1, 1), 41u);
    EXPECT_EQ(frameDelayMs(7, 3), 50u);
    EXPECT_EQ(frameDelayMs(3, 0), 0u);
    for (uint8_t id : {0, 5, 8, 15})
        EXPECT_EQ(frameDelayMs(id, 200), 0u) << int(id);
    auto layout = twoPageLayout();
    layout.frameRateId = 5;
    IgMenu menu;
    RecordingReporter rec;
    ASSERT_TRUE(loadBytes(segmentsToTs(icsSegments(layout)), menu, rec).ok());
    EXPECT_TRUE(rec.hasLine("Frame rate id 5 has no frame duration: animations run without a frame delay."));
    EXPECT_TRUE(rec.errors.empty());
}

TEST(IgLoad, ASecondLoadKeepsNothingOfTheFirstAndLeavesNoScratchFileBehind)
{
    namespace fs = std::filesystem;
    const auto scratchFiles = [] {
        size_t n = 0;
        std::error_code ec;
        for (const auto& e : fs::directory_iterator(fs::temp_directory_path(), ec))
            n += e.path().filename().string().rfind("Mirtal_", 0) == 0;
        return n;
    };
    const size_t before = scratchFiles();
    IgMenu menu;
    RecordingReporter rec;
    ASSERT_TRUE(loadBytes(segmentsToTs(menuSegments()), menu, rec).ok());
    ASSERT_EQ(menu.objects.size(), 3u);
    // The scratch store is an unnamed temporary file: the system removes it when it is closed
    // or the program ends, so nothing is left in the temporary folder.
    EXPECT_EQ(scratchFiles(), before);
    std::weak_ptr<Scratch> first = menu.scratch;
    auto one = twoPageLayout();
    one.pages.resize(1);
    ASSERT_TRUE(loadBytes(segmentsToTs(icsSegments(one)), menu, rec).ok());
    EXPECT_TRUE(first.expired());
    EXPECT_TRUE(menu.objects.empty());
    EXPECT_TRUE(menu.palettes.empty());
    EXPECT_EQ(menu.ics.pages.size(), 1u);
    EXPECT_EQ(menu.ics.fragments.size(), 1u);
}
