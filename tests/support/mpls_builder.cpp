#include "support/mpls_builder.h"

#include "support/bytes.h"

namespace mirtal::support {

StreamDesc videoStream(uint16_t pid, uint8_t coding, uint8_t format, uint8_t rate)
{
    StreamDesc s;
    s.mainPid = pid;
    s.coding = coding;
    s.formatByte = static_cast<uint8_t>(format << 4 | rate);
    s.language.clear();
    return s;
}

StreamDesc audioStream(uint16_t pid, const std::string& lang, uint8_t coding, uint8_t format, uint8_t rate)
{
    StreamDesc s;
    s.mainPid = pid;
    s.coding = coding;
    s.formatByte = static_cast<uint8_t>(format << 4 | rate);
    s.language = lang;
    return s;
}

StreamDesc pgStream(uint16_t pid, const std::string& lang)
{
    StreamDesc s;
    s.mainPid = pid;
    s.coding = 0x90;
    s.formatByte = 0;
    s.language = lang;
    return s;
}

StreamDesc igStream(uint16_t pid, const std::string& lang)
{
    StreamDesc s;
    s.entryType = 2;
    s.subPid = pid;
    s.coding = 0x91;
    s.formatByte = 0;
    s.language = lang;
    return s;
}

namespace {

void stream(Bytes& b, const StreamDesc& s, uint8_t fill)
{
    const size_t entryStart = b.size();
    b.u8(s.entryLength).u8(s.entryType);
    switch (s.entryType) {
    case 1: b.u16(s.mainPid); break;
    case 2: b.u8(s.subPathId).u8(s.subclipId).u16(s.subPid); break;
    case 3: b.u8(s.subPathId).u16(s.mainPid); break;
    default: break;
    }
    while (b.size() < entryStart + 1 + s.entryLength)
        b.u8(fill);
    const size_t attrStart = b.size();
    b.u8(s.attributesLength).u8(s.coding);
    const uint8_t t = s.coding;
    if (t == 0x02 || t == 0x1B || t == 0xEA)
        b.u8(s.formatByte);
    else if ((t >= 0x80 && t <= 0x86) || t == 0xA1 || t == 0xA2)
        b.u8(s.formatByte).str(s.language, 3);
    else if (t == 0x90 || t == 0x91)
        b.str(s.language, 3);
    else if (t == 0x92)
        b.u8(s.characterCode).str(s.language, 3);
    while (b.size() < attrStart + 1 + s.attributesLength)
        b.u8(fill);
}

void refs(Bytes& b, const std::vector<uint8_t>& r, uint8_t fill)
{
    b.u8(static_cast<uint8_t>(r.size())).u8(fill);
    for (auto x : r)
        b.u8(x);
    if (r.size() % 2)
        b.u8(fill);
}

void clipRef(Bytes& b, const ClipRefDesc& c)
{
    b.str(c.clip, 5).str(c.codec, 4).u8(c.stc);
}

std::vector<uint8_t> playItemBytes(const PlayItemDesc& p, bool dirty)
{
    const uint8_t fill = dirty ? 0x5A : 0;
    Bytes b;
    b.u16(0).str(p.clip, 5).str(p.codec, 4);
    const bool multi = p.multiAngle || !p.extraAngles.empty();
    b.u16((dirty ? 0xF000 : 0) | (multi ? 0x10 : 0) | (p.connectionCondition & 0x0F));
    b.u8(p.stc).u32(p.in).u32(p.out).u32(p.uo1).u32(p.uo2);
    b.u8((p.randomAccess ? 0x80 : 0) | (dirty ? 0x15 : 0)).u8(p.stillMode).u16(p.stillTime);
    if (multi) {
        b.u8(static_cast<uint8_t>(p.extraAngles.size() + 1)).u8(p.angleFlags);
        for (const auto& a : p.extraAngles)
            clipRef(b, a);
    }
    Bytes stn;
    stn.u16(0).u16(0);
    stn.u8(static_cast<uint8_t>(p.video.size())).u8(static_cast<uint8_t>(p.audio.size()));
    stn.u8(static_cast<uint8_t>(p.pg.size())).u8(static_cast<uint8_t>(p.ig.size()));
    stn.u8(static_cast<uint8_t>(p.secondaryAudio.size())).u8(static_cast<uint8_t>(p.secondaryVideo.size()));
    stn.u8(static_cast<uint8_t>(p.pipPg.size()));
    for (int i = 0; i < 5; ++i)
        stn.u8(fill);
    for (const auto* list : {&p.video, &p.audio, &p.pg, &p.pipPg, &p.ig})
        for (const auto& s : *list)
            stream(stn, s, fill);
    for (const auto& s : p.secondaryAudio) {
        stream(stn, s, fill);
        refs(stn, s.refs1, fill);
    }
    for (const auto& s : p.secondaryVideo) {
        stream(stn, s, fill);
        refs(stn, s.refs1, fill);
        refs(stn, s.refs2, fill);
    }
    const size_t stnLength = stn.size() - 2;
    stn.b[0] = static_cast<uint8_t>(stnLength >> 8);
    stn.b[1] = static_cast<uint8_t>(stnLength);
    b.raw(stn.b);
    const size_t length = b.size() - 2;
    b.b[0] = static_cast<uint8_t>(length >> 8);
    b.b[1] = static_cast<uint8_t>(length);
    return b.b;
}

std::vector<uint8_t> subPathBytes(const SubPathDesc& s, bool dirty)
{
    Bytes b;
    b.u32(0).u8(0).u8(s.type).u16(s.repeat).u8(0).u8(static_cast<uint8_t>(s.items.size()));
    for (const auto& i : s.items) {
        Bytes x;
        const bool multi = i.multiClip || !i.extraClips.empty();
        x.u16(0).str(i.clip, 5).str(i.codec, 4);
        x.u32((dirty ? 0xFFFFFE00u : 0u) | (uint32_t(i.connectionCondition) << 1) | (multi ? 1u : 0u));
        x.u8(i.stc).u32(i.in).u32(i.out).u16(i.syncPlayItem).u32(i.syncPts);
        if (multi) {
            x.u8(static_cast<uint8_t>(i.extraClips.size() + 1)).u8(0);
            for (const auto& c : i.extraClips)
                clipRef(x, c);
        }
        const size_t length = x.size() - 2;
        x.b[0] = static_cast<uint8_t>(length >> 8);
        x.b[1] = static_cast<uint8_t>(length);
        b.raw(x.b);
    }
    b.put32(0, static_cast<uint32_t>(b.size() - 4));
    return b.b;
}

}  // namespace

std::vector<uint8_t> MplsBuilder::bytes() const
{
    Bytes b;
    b.str(m_type, 4).str(m_version, 4).u32(0).u32(0).u32(0);
    for (int i = 0; i < 20; ++i)
        b.u8(m_dirty ? 0x33 : 0);
    b.u32(14).u8(0).u8(m_pbType).u16(m_pbCount).u32(m_uo1).u32(m_uo2).u16(m_flags | (m_dirty ? 0x1FFF : 0));
    const size_t playListStart = b.size();
    b.put32(kPlayListStartAt, static_cast<uint32_t>(playListStart));
    b.u32(0).u16(0).u16(static_cast<uint32_t>(m_items.size())).u16(static_cast<uint32_t>(m_subPaths.size()));
    for (const auto& p : m_items)
        b.raw(playItemBytes(p, m_dirty));
    for (const auto& s : m_subPaths)
        b.raw(subPathBytes(s, m_dirty));
    b.put32(playListStart, static_cast<uint32_t>(b.size() - playListStart - 4));
    const size_t markStart = b.size();
    b.put32(kMarkStartAt, static_cast<uint32_t>(markStart));
    b.u32(static_cast<uint32_t>(2 + 14 * m_marks.size())).u16(static_cast<uint32_t>(m_marks.size()));
    for (const auto& m : m_marks)
        b.u8(0).u8(m.type).u16(m.playItem).u32(m.time).u16(m.entryPid).u32(m.duration);
    if (m_ext) {
        b.put32(kExtStartAt, static_cast<uint32_t>(b.size()));
        b.raw(extensionDataBlock(*m_ext));
    }
    return b.b;
}

}  // namespace mirtal::support
