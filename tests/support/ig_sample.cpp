#include "support/ig_sample.h"

#include "support/bytes.h"
#include "support/disc_builder.h"
#include "support/ig_builder.h"

namespace mirtal::support {
namespace {

// A w × h object: a border of entry `border`, filled with entry `fill`, and a bar of entry
// `mark` across its middle, so that each frame differs.
ByteVec boxPixels(int w, int h, uint8_t fill, uint8_t border, uint8_t mark)
{
    ByteVec p(static_cast<size_t>(w) * h, fill);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            uint8_t& v = p[static_cast<size_t>(y) * w + x];
            if (x < 3 || y < 3 || x >= w - 3 || y >= h - 3)
                v = border;
            else if (y >= h / 2 - 4 && y < h / 2 + 4 && x >= w / 4 && x < 3 * w / 4)
                v = mark;
        }
    return p;
}

void addObject(std::vector<ByteVec>& segs, uint16_t id, int w, int h, uint8_t fill, uint8_t border, uint8_t mark)
{
    for (auto& s : odsSegments(id, 0, static_cast<uint16_t>(w), static_cast<uint16_t>(h),
                               rleEncode(boxPixels(w, h, fill, border, mark), w, h), 3000))
        segs.push_back(std::move(s));
}

constexpr uint32_t kPlayPl = 0x22800000;           // Play PL, immediate
constexpr uint32_t kSetButtonPage = 0x51C00003;    // both operands immediate
constexpr uint32_t kEnableButton = 0x31800004;
constexpr uint32_t kDisableButton = 0x31800005;
constexpr uint32_t kMoveGpr = 0x50400001;          // Move GPR, immediate source

ButtonLayout button(uint16_t id, uint16_t x, uint16_t y, uint16_t normal, uint16_t selStart, uint16_t selEnd,
                  uint16_t actStart, uint16_t actEnd)
{
    ButtonLayout b;
    b.id = id;
    b.numericValue = id;
    b.x = x;
    b.y = y;
    b.upper = b.lower = b.left = b.right = id;
    b.normalStart = b.normalEnd = normal;
    b.selectedStart = selStart;
    b.selectedEnd = selEnd;
    b.activatedStart = actStart;
    b.activatedEnd = actEnd;
    return b;
}

IcsLayout menuComposition()
{
    IcsLayout s;
    s.frameRateId = 1;
    s.userTimeOut = 90000 * 120;
    PageLayout p0;
    p0.id = 0;
    p0.frameRateCode = 2;
    p0.uo1 = 0x00000000;
    p0.uo2 = 0x00000000;
    p0.defaultSelected = 0;
    p0.in.windows = {{0, 0, 0, 1920, 1080}};
    p0.in.effects = {{45000, 0, {{0, 0, 0x00, 200, 400, {}}, {6, 0, 0x80, 200, 520, {10, 10, 100, 30}}}}};
    p0.out.windows = {{0, 0, 0, 1920, 1080}};
    p0.out.effects = {{22500, 0, {{0, 0, 0x40, 200, 400, {}}}}};

    ButtonLayout play = button(0, 200, 400, 0, 1, 3, 4, 5);
    play.lower = 1;
    play.right = 2;
    play.commands = {{kPlayPl, 1, 0}};
    ButtonLayout chapters = button(1, 200, 520, 6, 7, 7, 8, 8);
    chapters.upper = 0;
    chapters.right = 2;
    chapters.commands = {{kSetButtonPage, 0x80000000, 0x80000001}};    // page 1, button 0
    ButtonLayout extras = button(2, 600, 400, 9, 10, 10, 0xFFFF, 0xFFFF);
    extras.left = 0;
    extras.lower = 3;
    extras.commands = {{kMoveGpr, 1, 7}, {kEnableButton, 3, 0}};
    ButtonLayout hidden = button(3, 600, 520, 11, 12, 12, 0xFFFF, 0xFFFF);
    hidden.upper = 2;
    hidden.left = 1;
    hidden.commands = {{kDisableButton, 3, 0}, {kSetButtonPage, 0x80000002, 0}};
    ButtonLayout start = button(4, 0, 0, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF);
    start.autoAction = true;
    start.commands = {{kSetButtonPage, 0x80000000, 0}};    // select button 0
    p0.bogs = {{0, {play}}, {1, {chapters}}, {2, {extras}}, {0xFFFF, {hidden}}, {4, {start}}};

    PageLayout p1;
    p1.id = 1;
    p1.frameRateCode = 1;
    p1.defaultSelected = 0;
    ButtonLayout back = button(0, 200, 400, 13, 14, 15, 16, 16);
    back.lower = 1;
    back.commands = {{kSetButtonPage, 0x80000001, 0x80000000}};    // page 0, button 1
    ButtonLayout chapter = button(1, 200, 520, 6, 7, 7, 8, 8);
    chapter.upper = 0;
    chapter.commands = {{0x42C20000, 1, 2}};    // Play PL 1 at mark 2
    p1.bogs = {{0, {back}}, {1, {chapter}}};
    s.pages = {p0, p1};
    return s;
}

ByteVec menuStream()
{
    std::vector<ByteVec> segs = icsSegments(menuComposition(), 400);    // an ICS of several segments
    segs.push_back(pdsSegment(0, 0, {{0, 16, 128, 128, 0},      {1, 235, 128, 128, 255}, {2, 210, 146, 16, 255},
                                     {3, 162, 167, 44, 255},    {4, 81, 240, 90, 255},   {5, 41, 110, 240, 255},
                                     {6, 126, 128, 128, 255},   {7, 30, 128, 128, 200}}));
    addObject(segs, 0, 320, 90, 5, 1, 1);     // Play, normal
    addObject(segs, 1, 320, 90, 2, 1, 7);     // Play, selected frames
    addObject(segs, 2, 320, 90, 2, 3, 7);
    addObject(segs, 3, 320, 90, 3, 1, 7);
    addObject(segs, 4, 320, 90, 4, 1, 1);     // Play, activated frames
    addObject(segs, 5, 320, 90, 4, 2, 1);
    addObject(segs, 6, 320, 90, 6, 1, 5);     // Chapters
    addObject(segs, 7, 320, 90, 2, 1, 5);
    addObject(segs, 8, 320, 90, 4, 1, 5);
    addObject(segs, 9, 320, 90, 5, 6, 1);     // Extras
    addObject(segs, 10, 320, 90, 2, 6, 1);
    addObject(segs, 11, 320, 90, 6, 7, 1);    // the hidden button
    addObject(segs, 12, 320, 90, 3, 7, 1);
    addObject(segs, 13, 320, 90, 5, 1, 3);    // Back
    addObject(segs, 14, 320, 90, 2, 1, 3);
    addObject(segs, 15, 320, 90, 3, 1, 3);
    addObject(segs, 16, 320, 90, 4, 1, 3);
    segs.push_back(endSegment());
    StreamOptions o;
    o.videoPid = 0x1011;
    return segmentsToTs(segs, o);
}

ByteVec pgStream()
{
    const auto pcs = [](uint16_t number, uint8_t state, bool withObject) {
        Bytes b;
        b.u16(1920).u16(1080).u8(0x10).u16(number).u8(state).u8(0).u8(0).u8(withObject ? 1 : 0);
        if (withObject)
            b.u16(0).u8(0).u8(0).u16(760).u16(900);
        return segment(0x16, b.b);
    };
    Bytes wds;
    wds.u8(1).u8(0).u16(760).u16(900).u16(400).u16(60);
    const int w = 400, h = 60;
    std::vector<ByteVec> set1 = {pcs(0, 0x80, true), segment(0x17, wds.b),
                                 pdsSegment(0, 0, {{0, 16, 128, 128, 0}, {1, 235, 128, 128, 255}, {2, 16, 128, 128, 255}})};
    for (auto& s : odsSegments(0, 0, w, h, rleEncode(boxPixels(w, h, 1, 2, 2), w, h)))
        set1.push_back(s);
    set1.push_back(endSegment());
    std::vector<ByteVec> set2 = {pcs(1, 0x00, false), segment(0x17, wds.b), endSegment()};

    TsBuilder ts;
    ts.nullPacket(2);
    uint64_t video = 900000;
    for (int i = 0; i < 6; ++i, video += 3754) {
        ByteVec es = {0, 0, 0, 1, 0x09, 0xF0};
        es.resize(600, static_cast<uint8_t>(0x20 + i));
        ts.pes(0x1011, pesPacket(0xE0, es, video, video - 3754), 7);
        ts.nullPacket();
    }
    uint64_t pts = 990000;
    for (const auto& seg : set1)
        ts.pes(0x1200, pesPacket(0xBD, seg, pts, pts - 450)).nullPacket();
    pts += 180000;
    for (const auto& seg : set2)
        ts.pes(0x1200, pesPacket(0xBD, seg, pts, pts - 450)).nullPacket();
    return ts.bytes();
}

}  // namespace

void addSampleMenu(const std::filesystem::path& bdmvDir)
{
    writeBytes(bdmvDir / "STREAM" / "00010.m2ts", menuStream());
    writeBytes(bdmvDir / "STREAM" / "00011.m2ts", pgStream());
}

}  // namespace mirtal::support
