// Damaged and hostile transport streams and IG data: an error or a clean stop, never a crash,
// a hang or a read or write outside the data.
#include "ig/bitmaps.h"
#include "ig/extract.h"
#include "ig/menu_page.h"
#include "ig/navigation.h"
#include "ig_test_util.h"
#include "support/disc_builder.h"

#include <gtest/gtest.h>

#include <random>

using namespace mirtal;
using namespace mirtal::ig;
using namespace mirtal::support;

namespace {

IcsLayout richLayout()
{
    IcsLayout s;
    PageLayout p;
    p.in.windows = {{0, 1, 2, 3, 4}};
    p.in.effects = {{9, 0, {{0, 0, 0x80, 1, 2, {1, 2, 3, 4}}}}};
    ButtonLayout a;
    a.id = 0;
    a.normalStart = a.normalEnd = 0;
    a.selectedStart = 0;
    a.selectedEnd = 1;
    a.activatedStart = 1;
    a.activatedEnd = 1;
    a.lower = 1;
    a.commands = {{0x51C00003, 0x80000001, 0x80000000}, {0x31800004, 1, 0}};
    ButtonLayout b = a;
    b.id = 1;
    b.upper = 0;
    b.autoAction = true;
    b.commands = {{0x31800005, 0, 0}};
    p.bogs = {{0, {a}}, {1, {b}}};
    s.pages = {p, p};
    s.pages[1].id = 1;
    return s;
}

ByteVec validMenu()
{
    std::vector<ByteVec> segs = icsSegments(richLayout(), 100);
    segs.push_back(pdsSegment(0, 0, {{0, 16, 128, 128, 0}, {1, 235, 128, 128, 255}}));
    for (uint16_t id = 0; id < 2; ++id)
        for (auto& s : odsSegments(id, 0, 4, 2, rleEncode(ig::testing::smallPixels(), 4, 2), 5))
            segs.push_back(s);
    segs.push_back(endSegment());
    StreamOptions o;
    o.videoPid = 0x1011;
    return segmentsToTs(segs, o);
}

// Loads, then exercises everything that reads the model: drawing, navigation, the emulator,
// extraction of the same bytes.
void exercise(const ByteVec& ts)
{
    IgMenu menu;
    RecordingReporter rec;
    (void)ig::testing::loadBytes(ts, menu, rec);
    core::Report report(rec);
    hdmv::Registers regs;
    MenuPage page(menu, regs, report);
    hdmv::Emulator emu(regs, report);
    emu.setMenuView(&page);
    page.options.showButtonFrame = page.options.showButtonId = page.options.showObjectId = true;
    page.options.showWindowFrame = true;
    startMenu(page, emu);
    regs.psr[10] = 0;
    page.DrawPage();
    navigate(page, emu, Direction::Down);
    navigate(page, emu, Direction::Up);
    selectButton(page, emu);
    mouseDown(page, emu, 2, 1);
    for (uint32_t id = 0; id < 3; ++id) {
        (void)ShowButtonPic(menu, id, 0, report);
        (void)paletteView(menu, id, colours::kSilver, report);
    }
    static TempDir dir("ig-hostile");
    MemorySource src(ts);
    (void)extractPid(src, 0x1400, ExtractMode::Sup, dir.path() / "x.sup", report);
}

}  // namespace

TEST(IgHostile, EveryTruncatedPrefix)
{
    const ByteVec valid = validMenu();
    for (size_t n = 0; n <= valid.size(); n += (n % 192 < 12 ? 7 : 233))
        exercise(ByteVec(valid.begin(), valid.begin() + static_cast<std::ptrdiff_t>(n)));
}

TEST(IgHostile, FlippedBytesInEveryPacket)
{
    const ByteVec valid = validMenu();
    // A stride prime to the packet size flips a different offset in each packet it reaches.
    for (size_t at = 0, k = 0; at < valid.size(); at += 211, ++k) {
        const uint8_t v = k % 2 ? 0x00 : 0xFF;
        ByteVec b = valid;
        b[at] = v;
        if (at + 1 < b.size())
            b[at + 1] = v;
        exercise(b);
    }
}

TEST(IgHostile, RandomBytesAndRandomPackets)
{
    std::mt19937 rng(7);
    for (int round = 0; round < 24; ++round) {
        ByteVec b(192 * (1 + rng() % 40));
        for (auto& x : b)
            x = static_cast<uint8_t>(rng());
        // Half the rounds keep sync bytes and the IG PID so that the PES and segment code runs.
        if (round % 2)
            for (size_t i = 0; i + 192 <= b.size(); i += 192) {
                b[i + 4] = 0x47;
                b[i + 5] = static_cast<uint8_t>((b[i + 5] & 0xE0) | 0x14);
                b[i + 6] = 0x00;
            }
        exercise(b);
    }
}

TEST(IgHostile, LyingPesLengthsAndOverrunningSegments)
{
    TsBuilder ts;
    ByteVec pes = pesPacket(0xBD, segment(0x15, ByteVec(50, 0x11)), 1000, 900);
    pes[4] = 0xFF;    // claims far more than it holds
    pes[5] = 0xFF;
    ts.pes(0x1400, pes);
    ByteVec over = segment(0x18, ByteVec(20, 0));
    over[1] = 0xFF;    // segment length beyond the data
    over[2] = 0xF0;
    ts.pes(0x1400, pesPacket(0xBD, over, 1000, 900));
    IgMenu menu;
    RecordingReporter rec;
    (void)ig::testing::loadBytes(ts.bytes(), menu, rec);
    EXPECT_FALSE(rec.errors.empty());
    exercise(ts.bytes());
}

TEST(IgHostile, RleDataThatOverrunsItsObject)
{
    ByteVec rle;
    for (int i = 0; i < 50; ++i)
        rle.insert(rle.end(), {0x00, 0xFF, 0xFF, 0x05});    // 16383-pixel runs on a 3 × 3 object
    rle.insert(rle.end(), 500, 0x07);
    const auto px = rledecode(rle, 3, 3);
    EXPECT_EQ(px.size(), 9u);
    std::vector<ByteVec> segs = icsSegments(richLayout());
    segs.push_back(pdsSegment(0, 0, {{0, 16, 128, 128, 0}, {300 % 256, 235, 128, 128, 255}}));
    for (auto& s : odsSegments(0, 0, 3, 3, rle))
        segs.push_back(s);
    for (auto& s : odsSegments(1, 0, 0xFFFF, 0xFFFF, {1, 2, 3}))    // huge size, three bytes of data
        segs.push_back(s);
    exercise(segmentsToTs(segs));
}

TEST(IgHostile, CompositionWith255PagesOf255Bogs)
{
    IcsLayout s;
    PageLayout p;
    p.bogs.assign(255, BogLayout{});
    p.bogs[0].buttons.push_back({});
    p.bogs[0].buttons[0].commands.assign(3, {0x20010000, 0, 0});
    s.pages.assign(255, p);
    IgMenu menu;
    RecordingReporter rec;
    const auto r = ig::testing::loadBytes(segmentsToTs(icsSegments(s)), menu, rec);
    EXPECT_EQ(r.status, core::ReadStatus::Ok);
    ASSERT_EQ(menu.ics.pages.size(), 255u);
    EXPECT_EQ(menu.ics.pages[254].bogs.size(), 255u);
    // The same page and BOG counts with nothing behind them: parsing stops at the data's end.
    auto comp = interactiveComposition(s);
    comp.resize(200);
    IgMenu cut;
    RecordingReporter rec2;
    (void)ig::testing::loadBytes(segmentsToTs(icsSegments(s, comp)), cut, rec2);
    EXPECT_FALSE(rec2.errors.empty());
    EXPECT_LT(cut.ics.pages.size(), 255u);
}

TEST(IgHostile, LostSyncBytesAbandonOnlyTheirChunk)
{
    ByteVec ts = validMenu();
    for (size_t i = 4; i < ts.size(); i += 192 * 3)
        ts[i] = 0x00;
    exercise(ts);
}

TEST(IgHostile, ObjectMemoryFollowsItsDataNotItsDeclaredSize)
{
    // 4096 × 4096 declared, 24 bytes of data: at most a line per byte is held.
    std::vector<ByteVec> segs = icsSegments(richLayout());
    segs.push_back(pdsSegment(0, 0, {{0, 16, 128, 128, 0}, {1, 235, 128, 128, 255}}));
    ByteVec few;
    for (int i = 0; i < 12; ++i)
        few.insert(few.end(), {0x01, 0x00, 0x00});    // twelve lines of one pixel each
    for (auto& s : odsSegments(0, 0, 4096, 4096, few))
        segs.push_back(s);
    IgMenu menu;
    RecordingReporter rec;
    ASSERT_TRUE(ig::testing::loadBytes(segmentsToTs(segs), menu, rec).ok());
    core::Report report(rec);
    const auto img = ShowButtonPic(menu, 0, 0, report);
    ASSERT_TRUE(img);
    EXPECT_EQ(menu.objects[0].linesHeld(), 12);
    EXPECT_LE(menu.objects[0].pixels.size(), 4096u * few.size());
    EXPECT_EQ(img->height(), 12);
    EXPECT_TRUE(rec.hasLine("Object 0000: the pixel data end in line 12 of 4096; the preview shows the lines they reach."));

    // On the page, the lines the data do not reach are entry 0, as if the data had said so.
    const auto pageOf = [](const ByteVec& rle) {
        std::vector<ByteVec> s = icsSegments(richLayout());
        s.push_back(pdsSegment(0, 0, {{0, 16, 128, 128, 255}, {1, 235, 128, 128, 255}}));
        for (auto& o : odsSegments(0, 0, 4, 3, rle))
            s.push_back(o);
        auto menu = std::make_unique<IgMenu>();
        RecordingReporter rec;
        (void)ig::testing::loadBytes(segmentsToTs(s), *menu, rec);
        core::Report report(rec);
        hdmv::Registers regs;
        MenuPage page(*menu, regs, report);
        hdmv::Emulator emu(regs, report);
        emu.setMenuView(&page);
        startMenu(page, emu);
        return page.image().bytes();
    };
    const ByteVec oneLine{0x01, 0x01, 0x01, 0x01};
    ByteVec allLines = oneLine;
    allLines.insert(allLines.end(), {0x00, 0x00, 0x00, 0x00, 0x00, 0x00});
    EXPECT_EQ(pageOf(oneLine), pageOf(allLines));
}
