// The Menu tab's texts: composition caption, page header, BOG, button, command, window, effect
// and composition-object grids, the object and palette lists.
#include "ig/bitmaps.h"
#include "ig/ig_text.h"
#include "hdmv/command_text.h"
#include "ig_test_util.h"

#include <gtest/gtest.h>

using namespace mirtal;
using namespace mirtal::ig;
using namespace mirtal::support;
using mirtal::ig::testing::loadBytes;

namespace {

// Page 7: one BOG with one fully set button, in effects with one window and one effect of a
// cropped and a plain object, out effects with one effect. Page 9: no BOGs.
IcsLayout textLayout()
{
    IcsLayout s;
    s.width = 1280;
    s.height = 720;
    s.frameRateId = 6;
    s.userTimeOut = 90000 * 183;    // 0:03:03 (the field has 24 bits: at most 3 min 6 s)
    PageLayout p;
    p.id = 7;
    p.uo1 = 0x0000ABCD;
    p.uo2 = 0x80000001;
    p.frameRateCode = 3;
    p.defaultSelected = 0x0002;
    p.paletteId = 0x1F;
    p.in.windows = {{3, 10, 20, 300, 200}};
    p.in.effects = {{90000 * 2 + 45000, 0x0A, {{0x0102, 3, 0xC0, 5, 6, {11, 12, 130, 140}}, {0x0005, 1, 0x00, 7, 8, {}}}}};
    p.out.effects = {{4500, 1, {{0x0003, 2, 0x40, 0, 0, {}}}}};
    ButtonLayout b;
    b.id = 2;
    b.numericValue = 0x1234;
    b.autoAction = true;
    b.x = 640;
    b.y = 360;
    b.upper = 1;
    b.lower = 3;
    b.left = 0x00FE;
    b.right = 0xFFFF;
    b.normalStart = 4;
    b.normalEnd = 5;
    b.normalFlags = 0x80;
    b.selectedSound = 0x07;
    b.selectedStart = 6;
    b.selectedEnd = 8;
    b.selectedFlags = 0x40;
    b.activatedSound = 0xFF;
    b.activatedStart = 9;
    b.activatedEnd = 9;
    b.commands = {{0x22800000, 1, 0}, {0x51C00003, 0x80000000, 0x80000001}};
    p.bogs = {{2, {b}}};
    PageLayout empty;
    empty.id = 9;
    s.pages = {p, empty};
    return s;
}

struct Loaded {
    IgMenu menu;
    RecordingReporter rec;
    Loaded()
    {
        std::vector<ByteVec> segs = icsSegments(textLayout());
        segs.push_back(pdsSegment(0x1F, 0, {{0, 16, 128, 128, 0}, {1, 235, 128, 128, 255}}));
        segs.push_back(pdsSegment(0x03, 0, {{1, 16, 128, 128, 255}}));
        for (uint16_t id : {0, 1, 2})
            for (auto& s : odsSegments(id, 0, 4, 2, rleEncode(ig::testing::smallPixels(), 4, 2)))
                segs.push_back(s);
        segs.push_back(endSegment());
        EXPECT_TRUE(loadBytes(segmentsToTs(segs), menu, rec).ok());
    }
};

}  // namespace

TEST(IgText, CaptionTimeOutListsAndHints)
{
    Loaded l;
    EXPECT_EQ(igsInfoCaption(l.menu.ics), "1280x720 @ 50, 2 pages");
    EXPECT_EQ(userTimeOutText(l.menu.ics), "0:03:03");
    EXPECT_EQ(pageListItems(l.menu), (std::vector<std::string>{"7", "9"}));
    EXPECT_EQ(objectListItems(l.menu), (std::vector<std::string>{"0000", "0001", "0002"}));
    EXPECT_EQ(paletteListItems(l.menu), (std::vector<std::string>{"1F", "03"}));
    EXPECT_EQ(objectListHint(l.menu), "3 objects");
    EXPECT_EQ(paletteListHint(l.menu), "2 palettes");
    TIGSc ics = l.menu.ics;
    for (uint8_t id : {0, 5, 8, 15}) {
        ics.frameRateId = id;
        ics.numberOfPages = 1;
        EXPECT_EQ(igsInfoCaption(ics), "1280x720 @ reserved, 1 page");
    }
    const std::pair<uint8_t, const char*> names[] = {{1, "23.976"}, {2, "24"}, {3, "25"}, {4, "29.97"}, {7, "59.94"}};
    for (const auto& [id, name] : names)
        EXPECT_EQ(frameRateName(id), name);
}

TEST(IgText, PageHeaderFieldsWithTheirHints)
{
    Loaded l;
    using Field = std::pair<std::string, std::string>;
    EXPECT_EQ(pageHeaderFields(l.menu.ics.pages[0]), (std::vector<Field>{
                                                         {"Page ID", "7"},
                                                         {"User Operation Mask 1", "0000ABCD"},
                                                         {"User Operation Mask 2", "80000001"},
                                                         {"Animation Frame Rate Code (divider)", "3"},
                                                         {"Default Selected Button", "0002"},
                                                         {"Default Activated Button", "FFFF"},
                                                         {"Palette", "1F"},
                                                         {"Number of In effects windows", "1"},
                                                         {"Number of In effects effects", "1"},
                                                         {"Number of Out effects windows", "0"},
                                                         {"Number of Out effects effects", "1"},
                                                         {"Number of Button Overlap Groups", "1"},
                                                     }));
}

TEST(IgText, BogGridKeepsTwoColumnsAndButtonGridShowsEveryField)
{
    Loaded l;
    const auto one = bogGrid(l.menu.ics.pages[0]);
    EXPECT_EQ(one[0], (Row{" id", "0"}));
    EXPECT_EQ(one[1], (Row{" default valid button", "0002"}));
    EXPECT_EQ(one[2], (Row{" number of buttons", "1"}));
    const auto none = bogGrid(l.menu.ics.pages[1]);
    EXPECT_EQ(none[0], (Row{" id", ""}));
    EXPECT_EQ(none[2], (Row{" number of buttons", ""}));

    EXPECT_EQ(buttonGridCaptions(), (Row{"id", "value", "a.act.", "X", "Y", "upper", "lower", "left", "right", "n.start",
                                         "n.end", "n.repeat", "s.sound", "s.start", "s.end", "s.repeat", "a.sound",
                                         "a.start", "a.end", "comm."}));
    const auto rows = buttonGridRows(l.menu.ics.pages[0].bogs[0]);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0], (Row{"0002", "1234", "Yes", "640", "360", "0001", "0003", "00FE", "FFFF", "0004", "0005", "0080",
                            "0007", "0006", "0008", "0040", "00FF", "0009", "0009", "2"}));
    TIGbutton plain = l.menu.ics.pages[0].bogs[0].buttons[0];
    plain.autoAction = 0;
    EXPECT_EQ(buttonGridRow(plain)[2], "No");

    // The columns that name an object; every other column shows none.
    const TIGbutton& b = l.menu.ics.pages[0].bogs[0].buttons[0];
    const std::pair<int, uint16_t> columns[] = {{9, 4}, {10, 5}, {13, 6}, {14, 8}, {17, 9}, {18, 9},
                                                {0, kNone}, {11, kNone}, {19, kNone}};
    for (const auto& [column, object] : columns)
        EXPECT_EQ(objectOfButtonColumn(b, column), object) << column;
    core::Report report(l.rec);
    (void)ShowButtonPic(l.menu, objectOfButtonColumn(b, 0), l.menu.ics.pages[0].paletteId, report);
    EXPECT_EQ(l.rec.panels[1], "No object assigned");
}

TEST(IgText, CommandGridOfAButton)
{
    Loaded l;
    const auto& captions = hdmv::commandGridCaptions();
    EXPECT_EQ(std::vector<std::string>(captions.begin(), captions.end()),
              (std::vector<std::string>{"No.", "Opcode", "Destinat.", "Source", "Command line"}));
    const auto rows = hdmv::commandGridRows(l.menu.ics.pages[0].bogs[0].buttons[0].commands);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(std::vector<std::string>(rows[0].begin(), rows[0].end()),
              (std::vector<std::string>{"0000", "22800000", "00000001", "00000000", "Play PL 1"}));
    EXPECT_EQ(rows[1][4], "SetButtonPage 0, 1");
    EXPECT_TRUE(hdmv::commandGridRows({}).empty());    // a button without commands: the header alone
}

TEST(IgText, WindowEffectAndCompositionObjectGrids)
{
    Loaded l;
    const TPage& p = l.menu.ics.pages[0];
    EXPECT_EQ(windowGridCaptions(), (Row{"id", "X", "Y", "width", "height"}));
    EXPECT_EQ(windowGridRows(p.inEffects), (std::vector<Row>{{"3", "10", "20", "300", "200"}}));
    EXPECT_TRUE(windowGridRows(p.outEffects).empty());
    EXPECT_EQ(effectGridCaptions(), (Row{"", "duration", "palette", "comp.obj"}));
    EXPECT_EQ(effectGridRows(p.inEffects, true), (std::vector<Row>{{"1", "0:00:02", "0A", "2"}}));
    EXPECT_EQ(effectGridRows(p.outEffects, false), (std::vector<Row>{{"", "0:00:00", "01", "1"}}));
    EXPECT_EQ(compositionObjectGridCaptions(),
              (Row{"", "object", "window", "cropped", "forced", "crop x", "crop y", "c. width", "c. height"}));
    EXPECT_EQ(compositionObjectGridRows(p.inEffects.effects[0], true),
              (std::vector<Row>{{"1", "0102", "03", "true", "true", "11", "12", "130", "140"},
                                {"2", "0005", "01", "false", "false", "----", "----", "----", "----"}}));
    EXPECT_EQ(compositionObjectGridRows(p.outEffects.effects[0], false),
              (std::vector<Row>{{"", "0003", "02", "false", "true", "----", "----", "----", "----"}}));
}
