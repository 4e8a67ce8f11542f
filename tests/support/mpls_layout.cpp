#include "support/mpls_layout.h"

#include <algorithm>

namespace mirtal::support {

namespace {

class Walk {
public:
    explicit Walk(const std::vector<uint8_t>& b, MplsLayout& out) : m_b(b), m_out(out)
    {
        m_out.reservedBits.assign(b.size(), 0);
    }

    uint32_t u8(uint64_t at)
    {
        if (at >= m_b.size()) {
            m_ok = false;
            return 0;
        }
        return m_b[at];
    }
    uint32_t u16(uint64_t at) { return u8(at) << 8 | u8(at + 1); }
    uint32_t u32(uint64_t at) { return u16(at) << 16 | u16(at + 2); }
    void reserve(uint64_t from, uint64_t to, uint8_t bits = 0xFF)
    {
        for (uint64_t i = from; i < to && i < m_b.size(); ++i)
            m_out.reservedBits[i] |= bits;
    }
    void expect(const std::string& what, uint64_t stored, uint64_t holds)
    {
        if (stored != holds)
            m_out.mismatches.push_back(what + ": stored " + std::to_string(stored) + ", holds " +
                                       std::to_string(holds));
    }
    [[nodiscard]] bool ok() const { return m_ok; }

private:
    const std::vector<uint8_t>& m_b;
    MplsLayout& m_out;
    bool m_ok = true;
};

bool isVideo(uint32_t t) { return t == 0x02 || t == 0x1B || t == 0xEA; }
bool isAudio(uint32_t t) { return (t >= 0x80 && t <= 0x86) || t == 0xA1 || t == 0xA2; }

// stream_entry() and stream_attributes(), each by its stored length; returns the end.
uint64_t stream(Walk& w, uint64_t e, const std::string& name)
{
    const uint32_t entryLength = w.u8(e);
    const uint32_t type = w.u8(e + 1);
    const uint64_t fieldsEnd = type == 1 ? e + 4 : type == 2 ? e + 6 : type == 3 ? e + 5 : e + 2;
    const uint64_t a = e + 1 + entryLength;
    w.reserve(fieldsEnd, a);
    w.expect(name + " entry length", entryLength, 9);
    const uint32_t attributesLength = w.u8(a);
    const uint32_t coding = w.u8(a + 1);
    const uint64_t attrEnd = isVideo(coding) ? a + 3 : isAudio(coding) || coding == 0x92 ? a + 6
                                                     : coding == 0x90 || coding == 0x91 ? a + 5 : a + 2;
    const uint64_t end = a + 1 + attributesLength;
    w.reserve(attrEnd, end);
    w.expect(name + " attributes length", attributesLength, 5);
    return end;
}

// count (1), reserved byte, the references, padding after an odd count.
uint64_t refs(Walk& w, uint64_t o)
{
    const uint32_t n = w.u8(o);
    w.reserve(o + 1, o + 2);
    w.reserve(o + 2 + n, o + 2 + n + n % 2);
    return o + 2 + n + n % 2;
}

uint64_t playItem(Walk& w, uint64_t o, const std::string& name)
{
    const uint32_t length = w.u16(o);
    w.reserve(o + 11, o + 12);
    w.reserve(o + 12, o + 13, 0xE0);
    w.reserve(o + 30, o + 31, 0x7F);
    uint64_t p = o + 34;
    if (w.u8(o + 12) & 0x10) {
        const uint32_t angles = w.u8(p);
        w.reserve(p + 1, p + 2, 0xFC);
        p += 2 + 10 * uint64_t(angles > 0 ? angles - 1 : 0);
    }
    const uint64_t stn = p;
    const uint32_t stnLength = w.u16(stn);
    uint32_t counts[7];
    for (int i = 0; i < 7; ++i)
        counts[i] = w.u8(stn + 4 + i);
    w.reserve(stn + 11, stn + 16);
    p = stn + 16;
    const uint32_t plain = counts[0] + counts[1] + counts[2] + counts[6] + counts[3];
    for (uint32_t i = 0; i < plain && w.ok(); ++i)
        p = stream(w, p, name + " stream " + std::to_string(i));
    for (uint32_t i = 0; i < counts[4] && w.ok(); ++i)
        p = refs(w, stream(w, p, name + " secondary audio " + std::to_string(i)));
    for (uint32_t i = 0; i < counts[5] && w.ok(); ++i)
        p = refs(w, refs(w, stream(w, p, name + " secondary video " + std::to_string(i))));
    w.expect(name + " STN length", stnLength, p - stn - 2);
    w.expect(name + " length", length, p - o - 2);
    return p;
}

uint64_t subPath(Walk& w, uint64_t o, const std::string& name)
{
    const uint32_t length = w.u32(o);
    const uint32_t n = w.u8(o + 9);
    uint64_t p = o + 10;
    for (uint32_t k = 0; k < n && w.ok(); ++k) {
        const uint64_t s = p;
        const uint32_t itemLength = w.u16(s);
        w.reserve(s + 11, s + 13);
        w.reserve(s + 13, s + 14, 0xFE);
        p = s + 30;
        if (w.u8(s + 14) & 1) {
            const uint32_t entries = w.u8(p);
            p += 2 + 10 * uint64_t(entries > 0 ? entries - 1 : 0);
        }
        w.expect(name + " SubPlayItem " + std::to_string(k) + " length", itemLength, p - s - 2);
    }
    w.expect(name + " length", length, p - o - 4);
    return p;
}

}  // namespace

MplsLayout walkMpls(const std::vector<uint8_t>& b)
{
    MplsLayout out;
    Walk w(b, out);
    w.reserve(20, 40);
    const uint32_t appInfoLength = w.u32(40);
    w.reserve(56, 57, 0x1F);
    w.reserve(57, 44 + uint64_t{appInfoLength});
    const uint64_t playList = w.u32(8);
    w.reserve(44 + uint64_t{appInfoLength}, playList);
    w.expect("PlayList start address", playList, 44 + uint64_t{appInfoLength});

    const uint32_t length = w.u32(playList);
    const uint32_t items = w.u16(playList + 6);
    const uint32_t subPaths = w.u16(playList + 8);
    uint64_t p = playList + 10;
    for (uint32_t i = 0; i < items && w.ok(); ++i)
        p = playItem(w, p, "PlayItem " + std::to_string(i));
    for (uint32_t i = 0; i < subPaths && w.ok(); ++i)
        p = subPath(w, p, "SubPath " + std::to_string(i));
    w.expect("PlayList length", length, p - playList - 4);

    const uint64_t marks = w.u32(12);
    w.expect("PlayListMark start address", marks, p);
    w.reserve(p, marks);
    const uint32_t markLength = w.u32(marks);
    const uint32_t markCount = w.u16(marks + 4);
    w.expect("PlayListMark length", markLength, 2 + 14 * uint64_t{markCount});
    const uint64_t marksEnd = marks + 6 + 14 * uint64_t{markCount};
    (void)w.u8(marksEnd - 1);

    const uint64_t ext = w.u32(16);
    if (ext != 0) {
        w.expect("ExtensionData start address", ext, marksEnd);
        w.reserve(marksEnd, ext);
        const uint32_t extLength = w.u32(ext);
        const uint64_t dataStart = ext + w.u32(ext + 4);
        const uint32_t entries = w.u8(ext + 11);
        w.reserve(ext + 8, ext + 11);
        w.reserve(ext + 12 + 12 * uint64_t{entries}, dataStart);
        w.expect("file size", b.size(), ext + 4 + uint64_t{extLength});
    } else {
        w.expect("file size", b.size(), marksEnd);
    }
    out.complete = w.ok();
    return out;
}

}  // namespace mirtal::support
