// Page rendering and navigation over the sample menu and small built menus, images compared
// with images built in code.
#include "ig/bitmaps.h"
#include "ig/menu_page.h"
#include "ig/menu_selection.h"
#include "ig/navigation.h"
#include "ig_test_util.h"
#include "support/disc_builder.h"
#include "support/ig_sample.h"

#include "core/files.h"

#include <gtest/gtest.h>

using namespace mirtal;
using namespace mirtal::ig;
using namespace mirtal::support;

namespace {

// One page, two BOGs; button 0 at (100, 50) with a 4 × 2 normal object, a two-frame selected
// animation; button 1 at (300, 60) without commands; palette entries 1 white, 2 red-ish, 3 black.
ByteVec smallMenu(uint16_t defaultValid0 = 0, uint16_t defaultValid1 = 1)
{
    IcsLayout s;
    s.frameRateId = 3;    // 25 Hz: 40 ms a frame
    PageLayout p;
    p.frameRateCode = 1;
    ButtonLayout a;
    a.id = 0;
    a.x = 100;
    a.y = 50;
    a.lower = 1;
    a.normalStart = a.normalEnd = 0;
    a.selectedStart = 1;
    a.selectedEnd = 2;
    a.commands = {{0x22800000, 3, 0}};
    ButtonLayout b;
    b.id = 1;
    b.x = 300;
    b.y = 60;
    b.upper = 0;
    b.lower = 1;
    b.normalStart = b.normalEnd = 0;
    b.selectedStart = b.selectedEnd = 1;
    p.bogs = {{defaultValid0, {a}}, {defaultValid1, {b}}};
    s.pages = {p};
    std::vector<ByteVec> segs = icsSegments(s);
    segs.push_back(pdsSegment(0, 0, {{0, 16, 128, 128, 0}, {1, 235, 128, 128, 255}, {2, 81, 90, 240, 255}, {3, 16, 128, 128, 0}}));
    segs.push_back(odsSegments(0, 0, 4, 2, rleEncode({1, 1, 1, 1, 3, 3, 3, 3}, 4, 2))[0]);
    segs.push_back(odsSegments(1, 0, 4, 2, rleEncode({2, 2, 2, 2, 2, 2, 2, 2}, 4, 2))[0]);
    segs.push_back(odsSegments(2, 0, 4, 2, rleEncode({1, 2, 1, 2, 1, 2, 1, 2}, 4, 2))[0]);
    segs.push_back(endSegment());
    return segmentsToTs(segs);
}

struct Fixture {
    IgMenu menu;
    RecordingReporter rec;
    core::Report report{rec};
    hdmv::Registers regs;
    std::unique_ptr<MenuPage> page;
    std::unique_ptr<hdmv::Emulator> emu;
    explicit Fixture(const ByteVec& ts)
    {
        EXPECT_TRUE(ig::testing::loadBytes(ts, menu, rec).ok());
        page = std::make_unique<MenuPage>(menu, regs, report);
        emu = std::make_unique<hdmv::Emulator>(regs, report);
        emu->setMenuView(page.get());
        regs.psr[11] = 0;
    }
};

Rgb rgbOf(uint32_t v) { return {static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8), static_cast<uint8_t>(v >> 16)}; }

}  // namespace

TEST(Render, PageImageMatchesAnImageBuiltInCode)
{
    Fixture f(smallMenu());
    f.regs.psr[10] = 0;
    f.page->DrawPage();
    RgbImage expected(kPageWidth, kPageHeight, colours::kNavy);
    const Rgb white = rgbOf(YCrCbToRGB(235, 128, 128)), black{0, 0, 0}, red = rgbOf(YCrCbToRGB(81, 90, 240));
    for (int x = 0; x < 4; ++x) {
        // button 1 normal: white top line, black (alpha 0, drawn opaque) bottom line
        expected.set(300 + x, 60, white);
        expected.set(300 + x, 61, black);
        // button 0 selected, last frame: alternating white and red
        expected.set(100 + x, 50, x % 2 ? red : white);
        expected.set(100 + x, 51, x % 2 ? red : white);
    }
    EXPECT_TRUE(f.page->image() == expected);
    // two frames of 40 ms
    EXPECT_EQ(f.rec.waits, (std::vector<int>{40, 40}));
    EXPECT_EQ(f.rec.panels[1], "PSR10: 0000 (0), PSR11: 00 (0)");
}

TEST(Render, DefaultValidButtonsNoneShowNothingUntilEnabled)
{
    Fixture f(smallMenu(0xFFFF, 0xFFFF));
    f.page->DrawPage();
    EXPECT_TRUE(f.page->image() == RgbImage(kPageWidth, kPageHeight, colours::kNavy));
    f.page->enableExclusive(1);
    f.page->DrawButton(1);
    EXPECT_EQ(f.page->image().at(300, 60), rgbOf(YCrCbToRGB(235, 128, 128)));
    f.page->disable(1);
    f.page->DelButton(1);
    EXPECT_EQ(f.page->image().at(300, 60), colours::kNavy);
}

TEST(Render, OverlaysUseTheOptionColours)
{
    Fixture f(smallMenu());
    f.page->options.showButtonFrame = true;
    f.page->options.showButtonId = true;
    f.page->DrawPage();
    // button 1 has no commands: black frame, gray id box
    EXPECT_EQ(f.page->image().at(303, 60), colours::kBlack);
    EXPECT_EQ(f.page->image().at(303, 63), colours::kGray);
    f.regs.psr[10] = 0;
    f.page->DrawPage();
    EXPECT_EQ(f.page->image().at(100, 50), colours::kRed);       // selected frame
    EXPECT_EQ(f.page->image().at(103, 63), colours::kYellow);    // selected id box
}

TEST(Render, SamePageTwiceKeepsTheStateTableAndANewPageRebuildsIt)
{
    Fixture f(smallMenu());
    f.page->DrawPage();
    f.page->disable(0);
    f.page->DrawPage();
    EXPECT_FALSE(f.page->states()[0].enabled);
    f.regs.psr[43] = 0xFFFF;
    f.page->DrawPage();
    EXPECT_TRUE(f.page->states()[0].enabled);
    EXPECT_EQ(f.page->buttonList(), (std::vector<std::string>{"0000", "0001"}));
}

TEST(Navigation, DirectionsSelectAndClicks)
{
    Fixture f(smallMenu());
    f.regs.psr[10] = 0;
    f.page->DrawPage();
    navigate(*f.page, *f.emu, Direction::Up);    // upper neighbour is itself
    EXPECT_EQ(f.regs.psr[10], 0u);
    navigate(*f.page, *f.emu, Direction::Down);
    EXPECT_EQ(f.regs.psr[10], 1u);
    navigate(*f.page, *f.emu, Direction::Down);    // lower of 1 is 1
    EXPECT_EQ(f.regs.psr[10], 1u);
    mouseDown(*f.page, *f.emu, 5, 5);    // not the selected button nor a neighbour
    EXPECT_EQ(f.regs.psr[10], 1u);
    EXPECT_EQ(f.rec.panels[1], "5, 5");
    mouseDown(*f.page, *f.emu, 104, 52);    // the upper neighbour, bounds included
    EXPECT_EQ(f.regs.psr[10], 0u);
    selectButton(*f.page, *f.emu);    // Play PL 3, no activated animation
    EXPECT_EQ(f.regs.psr[6], 3u);
    f.regs.psr[10] = 0xFFFF;
    navigate(*f.page, *f.emu, Direction::Down);
    EXPECT_EQ(f.regs.psr[10], 0xFFFFu);
}

TEST(Navigation, SampleMenuRunsItsAutoActionPageChangesAndButtonCommands)
{
    TempDir dir("ig-sample");
    addSampleMenu(dir.path());
    ByteVec ts;
    ASSERT_TRUE(core::readWholeFile(dir.path() / "STREAM" / "00010.m2ts", ts).ok);
    Fixture f(ts);
    ASSERT_EQ(f.menu.ics.pages.size(), 2u);
    f.regs.ResetRegs();
    f.regs.psr[11] = 0;
    f.page->selectPageIndex(0);
    startMenu(*f.page, *f.emu);
    EXPECT_EQ(f.regs.psr[10], 0u);    // the auto-action button selected button 0
    navigate(*f.page, *f.emu, Direction::Right);
    EXPECT_EQ(f.regs.psr[10], 2u);
    selectButton(*f.page, *f.emu);    // Move GPR1 7, EnableButton 3
    EXPECT_EQ(f.regs.gpr[1], 7u);
    EXPECT_TRUE(f.page->states()[3].enabled);
    navigate(*f.page, *f.emu, Direction::Down);
    EXPECT_EQ(f.regs.psr[10], 3u);
    selectButton(*f.page, *f.emu);    // DisableButton 3, select button 2
    EXPECT_FALSE(f.page->states()[3].enabled);
    EXPECT_EQ(f.regs.psr[10], 2u);
    navigate(*f.page, *f.emu, Direction::Left);
    navigate(*f.page, *f.emu, Direction::Down);
    EXPECT_EQ(f.regs.psr[10], 1u);
    selectButton(*f.page, *f.emu);    // SetButtonPage page 1, button 0
    EXPECT_EQ(f.regs.psr[11], 1u);
    EXPECT_EQ(f.page->pageIndex(), 1);
    EXPECT_EQ(f.regs.psr[10], 0u);
    EXPECT_EQ(f.regs.psr[43], 1u);
    selectButton(*f.page, *f.emu);    // back to page 0, button 1
    EXPECT_EQ(f.page->pageIndex(), 0);
    EXPECT_EQ(f.regs.psr[10], 1u);
    navigate(*f.page, *f.emu, Direction::Up);
    selectButton(*f.page, *f.emu);    // Play PL 1
    EXPECT_EQ(f.regs.psr[6], 1u);
}

TEST(Navigation, OneClickFollowsTheNewSelectionAndAutoActionRunsAtOnce)
{
    // Buttons 0 and 1 lie on top of each other at (100, 50); button 2 at (500, 50) is selected.
    // Its upper neighbour is 1 (auto action: Play PL 5), whose lower neighbour is 0.
    IcsLayout s;
    PageLayout p;
    ButtonLayout a;
    a.id = 0;
    a.x = 100;
    a.y = 50;
    a.upper = a.lower = a.left = a.right = 0;
    a.normalStart = a.normalEnd = a.selectedStart = a.selectedEnd = 0;
    ButtonLayout b = a;
    b.id = 1;
    b.upper = b.left = b.right = 1;
    b.lower = 0;
    b.autoAction = true;
    b.commands = {{0x22800000, 5, 0}};
    ButtonLayout c = a;
    c.id = 2;
    c.x = 500;
    c.upper = 1;
    c.lower = c.left = c.right = 2;
    p.bogs = {{0, {a}}, {1, {b}}, {2, {c}}};
    s.pages = {p};
    std::vector<ByteVec> segs = icsSegments(s);
    segs.push_back(pdsSegment(0, 0, {{1, 235, 128, 128, 255}}));
    segs.push_back(odsSegments(0, 0, 4, 2, rleEncode(ig::testing::smallPixels(), 4, 2))[0]);
    Fixture f(segmentsToTs(segs));
    f.regs.psr[10] = 2;
    f.page->DrawPage();
    mouseDown(*f.page, *f.emu, 101, 51);
    EXPECT_EQ(f.regs.psr[6], 5u);     // moving onto button 1 ran its commands without Select
    EXPECT_EQ(f.regs.psr[10], 0u);    // then the same click reached button 1's lower neighbour
}

TEST(Render, ObjectIdsNameTheNormalStartAndTheSelectedEndObject)
{
    Fixture f(smallMenu());
    f.page->options.showObjectId = true;
    f.regs.psr[10] = 1;    // button 1: selected start and end are object 1, one frame
    f.page->DrawPage();
    (void)f.page->image();    // the page is drawn when it is shown
    EXPECT_EQ(f.rec.waits, std::vector<int>{40});
    f.regs.psr[10] = 0;
    f.page->DrawPage();
    // The id text sits at (x + w − 28, y + h − 16) of the 4 × 2 objects.
    const auto textAt = [&](int x, int y, const std::string& digits, Rgb back) {
        RgbImage expected(28, 13);
        expected.text(0, 0, digits, back);
        for (int j = 0; j < 13; ++j)
            for (int i = 0; i < 28; ++i)
                if (f.page->image().at(x + i, y + j) != expected.at(i, j))
                    return false;
        return true;
    };
    EXPECT_TRUE(textAt(76, 36, "0002", colours::kYellow));    // selected button 0: its selected end object
    EXPECT_TRUE(textAt(276, 46, "0000", colours::kGray));     // button 1 (no commands): its normal start object
}

TEST(Preview, AnimationRangesStopAtTheLastObjectAndRepeatUntilCancelled)
{
    IgMenu menu;
    menu.objectIndex = {0, 1, 2};    // objects 0..2
    struct CancelAfter final : core::Reporter {
        int polls = 0;
        int limit = 0;
        void logLine(std::string_view) override {}
        bool cancelRequested() override { return ++polls >= limit; }
    } sink;
    core::Report report(sink);
    std::vector<uint16_t> shown;
    const auto show = [&](uint16_t id) { shown.push_back(id); };

    // A hostile range plays the three objects once, then shows the clicked column's object.
    TIGbutton b;
    b.normalStart = 0;
    b.normalEnd = 0xFFFE;
    sink.limit = 1000000;
    playPreview(menu, *previewAnimation(b, 10), 0, report, show);
    EXPECT_EQ(shown, (std::vector<uint16_t>{0, 1, 2, 0xFFFE}));

    // The repeat flag (bit 7) plays pass after pass until the cancel flag is seen.
    b.normalEnd = 2;
    b.normalFlags = 0x80;
    shown.clear();
    sink.polls = 0;
    sink.limit = 7;
    playPreview(menu, *previewAnimation(b, 9), 0, report, show);
    EXPECT_EQ(shown, (std::vector<uint16_t>{0, 1, 2, 0, 1, 2, 0, 0}));
    EXPECT_FALSE(previewAnimation(b, 0));
    EXPECT_FALSE(previewAnimation(b, 17)->repeat);    // the activated state plays once
}

TEST(Render, AButtonThatSetsItsOwnPageForeverDrawsThePageOnceAndStopsAtTheStepBound)
{
    // An auto-action default button whose only command selects itself on its own page.
    IcsLayout s;
    PageLayout p;
    ButtonLayout b;
    b.autoAction = true;
    b.normalStart = b.normalEnd = 0;
    b.commands = {{0x51C00003, 0x80000000, 0x80000000}};
    p.bogs = {{0, {b}}};
    s.pages = {p};
    std::vector<ByteVec> segs = icsSegments(s);
    segs.push_back(pdsSegment(0, 0, {{1, 235, 128, 128, 255}}));
    segs.push_back(odsSegments(0, 0, 4, 2, rleEncode({1, 1, 1, 1, 1, 1, 1, 1}, 4, 2))[0]);
    segs.push_back(endSegment());
    Fixture f(segmentsToTs(segs));
    f.emu->maxSteps = 100000;
    startMenu(*f.page, *f.emu);
    (void)f.page->image();
    size_t pageTexts = 0;
    for (const auto& [panel, text] : f.rec.status)
        pageTexts += text.rfind("PSR10: ", 0) == 0;
    EXPECT_LE(pageTexts, 3u);    // drawn when the run ended, not at each of its steps
    const auto lines = f.rec.plainLines();
    EXPECT_TRUE(std::any_of(lines.begin(), lines.end(),
                            [](const std::string& l) { return l.find("100000") != std::string::npos; }))
        << (lines.empty() ? "" : lines.back());
    EXPECT_EQ(f.page->image().at(0, 0), (Rgb{255, 255, 255}));    // the button is on the page
}
