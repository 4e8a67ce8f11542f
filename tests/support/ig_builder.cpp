#include "support/ig_builder.h"

#include "support/bytes.h"

#include <algorithm>

namespace mirtal::support {

ByteVec rleEncode(const ByteVec& pixels, int width, int height)
{
    ByteVec out;
    for (int y = 0; y < height; ++y) {
        int x = 0;
        while (x < width) {
            const uint8_t c = pixels[static_cast<size_t>(y) * width + x];
            int run = 1;
            while (x + run < width && run < 16383 && pixels[static_cast<size_t>(y) * width + x + run] == c)
                ++run;
            if (c != 0 && run <= 2) {
                for (int i = 0; i < run; ++i)
                    out.push_back(c);
            } else if (c == 0) {
                out.push_back(0);
                if (run < 64) {
                    out.push_back(static_cast<uint8_t>(run));
                } else {
                    out.push_back(static_cast<uint8_t>(0x40 | (run >> 8)));
                    out.push_back(static_cast<uint8_t>(run));
                }
            } else {
                out.push_back(0);
                if (run < 64) {
                    out.push_back(static_cast<uint8_t>(0x80 | run));
                } else {
                    out.push_back(static_cast<uint8_t>(0xC0 | (run >> 8)));
                    out.push_back(static_cast<uint8_t>(run));
                }
                out.push_back(c);
            }
            x += run;
        }
        out.push_back(0);
        out.push_back(0);
    }
    return out;
}

ByteVec segment(uint8_t type, const ByteVec& body)
{
    Bytes b;
    b.u8(type).u16(static_cast<uint32_t>(body.size())).raw(body);
    return b.b;
}

ByteVec pdsSegment(uint8_t paletteId, uint8_t version, const std::vector<PaletteEntry>& entries)
{
    Bytes b;
    b.u8(paletteId).u8(version);
    for (const auto& e : entries)
        b.u8(e.id).u8(e.y).u8(e.cr).u8(e.cb).u8(e.t);
    return segment(0x14, b.b);
}

std::vector<ByteVec> odsSegments(uint16_t objectId, uint8_t version, uint16_t width, uint16_t height,
                                 const ByteVec& rle, size_t maxPiece)
{
    std::vector<ByteVec> out;
    size_t at = 0;
    do {
        const size_t n = std::min(maxPiece, rle.size() - at);
        const bool first = at == 0;
        const bool last = at + n == rle.size();
        Bytes b;
        b.u16(objectId).u8(version).u8((first ? 0x80 : 0) | (last ? 0x40 : 0));
        if (first)
            b.u24(static_cast<uint32_t>(rle.size() + 4)).u16(width).u16(height);
        b.raw(ByteVec(rle.begin() + static_cast<std::ptrdiff_t>(at), rle.begin() + static_cast<std::ptrdiff_t>(at + n)));
        out.push_back(segment(0x15, b.b));
        at += n;
    } while (at < rle.size());
    return out;
}

ByteVec endSegment()
{
    return segment(0x80, {});
}

namespace {

void effects(Bytes& b, const EffectsLayout& e)
{
    b.u8(static_cast<uint32_t>(e.windows.size()));
    for (const auto& w : e.windows)
        b.u8(w.id).u16(w.x).u16(w.y).u16(w.width).u16(w.height);
    b.u8(static_cast<uint32_t>(e.effects.size()));
    for (const auto& f : e.effects) {
        b.u24(f.duration).u8(f.paletteId).u8(static_cast<uint32_t>(f.objects.size()));
        for (const auto& o : f.objects) {
            b.u16(o.objectId).u8(o.windowId).u8(o.flags).u16(o.x).u16(o.y);
            if (o.flags & 0x80)
                b.u16(o.crop[0]).u16(o.crop[1]).u16(o.crop[2]).u16(o.crop[3]);
        }
    }
}

}  // namespace

ByteVec interactiveComposition(const IcsLayout& s)
{
    Bytes b;
    b.u8((s.streamModel ? 0x80 : 0) | (s.uiModel ? 0x40 : 0));
    if (!s.streamModel)
        b.zeros(10);
    b.u24(s.userTimeOut).u8(static_cast<uint32_t>(s.pages.size()));
    for (const auto& p : s.pages) {
        b.u8(p.id).u8(p.version).u32(p.uo1).u32(p.uo2);
        effects(b, p.in);
        effects(b, p.out);
        b.u8(p.frameRateCode).u16(p.defaultSelected).u16(p.defaultActivated).u8(p.paletteId);
        b.u8(static_cast<uint32_t>(p.bogs.size()));
        for (const auto& g : p.bogs) {
            b.u16(g.defaultValid).u8(static_cast<uint32_t>(g.buttons.size()));
            for (const auto& k : g.buttons) {
                b.u16(k.id).u16(k.numericValue).u8(k.autoAction ? 0x80 : 0).u16(k.x).u16(k.y);
                b.u16(k.upper).u16(k.lower).u16(k.left).u16(k.right);
                b.u16(k.normalStart).u16(k.normalEnd).u8(k.normalFlags);
                b.u8(k.selectedSound).u16(k.selectedStart).u16(k.selectedEnd).u8(k.selectedFlags);
                b.u8(k.activatedSound).u16(k.activatedStart).u16(k.activatedEnd);
                b.u16(static_cast<uint32_t>(k.commands.size()));
                for (const auto& c : k.commands)
                    b.u32(c[0]).u32(c[1]).u32(c[2]);
            }
        }
    }
    return b.b;
}

namespace {

void descriptors(Bytes& b, const IcsLayout& s, bool first, bool last)
{
    b.u16(s.width).u16(s.height).u8(static_cast<uint32_t>(s.frameRateId) << 4);
    b.u16(s.compositionNumber).u8(static_cast<uint32_t>(s.compositionState) << 6);
    b.u8((first ? 0x80 : 0) | (last ? 0x40 : 0));
}

}  // namespace

ByteVec icsBody(const IcsLayout& s, const ByteVec& composition)
{
    Bytes b;
    descriptors(b, s, true, true);
    b.u24(static_cast<uint32_t>(composition.size())).raw(composition);
    return b.b;
}

std::vector<ByteVec> icsSegments(const IcsLayout& s, const ByteVec& composition, size_t maxPiece)
{
    std::vector<ByteVec> out;
    size_t at = 0;
    do {
        const size_t n = std::min(maxPiece, composition.size() - at);
        const bool first = at == 0;
        const bool last = at + n == composition.size();
        Bytes b;
        descriptors(b, s, first, last);
        if (first)
            b.u24(static_cast<uint32_t>(composition.size()));
        b.raw(ByteVec(composition.begin() + static_cast<std::ptrdiff_t>(at),
                      composition.begin() + static_cast<std::ptrdiff_t>(at + n)));
        out.push_back(segment(0x18, b.b));
        at += n;
    } while (at < composition.size());
    return out;
}

std::vector<ByteVec> icsSegments(const IcsLayout& s, size_t maxPiece)
{
    return icsSegments(s, interactiveComposition(s), maxPiece);
}

ByteVec segmentsToTs(const std::vector<ByteVec>& segments, const StreamOptions& o)
{
    TsBuilder ts;
    ts.nullPacket(o.nullsBetween);
    if (o.videoPid)
        ts.pes(*o.videoPid, pesPacket(0xE0, ByteVec(300, 0x11), o.videoPts, o.videoPts - 3003, true), 7);
    uint64_t pts = o.firstPts;
    for (const auto& seg : segments) {
        ts.pes(o.pid, pesPacket(0xBD, seg, pts, pts - 900));
        ts.nullPacket(o.nullsBetween);
        pts += 90;
    }
    return ts.bytes();
}

}  // namespace mirtal::support
