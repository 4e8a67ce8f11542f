#include "support/clpi_builder.h"

#include "support/bytes.h"

namespace mirtal::support {

ClipStreamDesc clipVideo(uint16_t pid, uint8_t coding, uint8_t format, uint8_t rate, uint8_t aspect)
{
    return {pid, coding, static_cast<uint8_t>(format << 4 | rate), aspect, "", 0, 21};
}

ClipStreamDesc clipAudio(uint16_t pid, const std::string& lang, uint8_t coding, uint8_t format, uint8_t rate)
{
    return {pid, coding, static_cast<uint8_t>(format << 4 | rate), 0, lang, 0, 21};
}

ClipStreamDesc clipGraphics(uint16_t pid, uint8_t coding, const std::string& lang)
{
    return {pid, coding, 0, 0, lang, 0, 21};
}

std::vector<uint8_t> ClpiBuilder::bytes() const
{
    Bytes b;
    b.str("HDMV", 4).str(m_version, 4).u32(0).u32(0).u32(0).u32(0).u32(0).zeros(12);
    // ClipInfo()
    const size_t clipInfo = b.size();
    b.u32(0).u16(0).u8(1).u8(m_appType).u32(m_deltas.empty() ? 0 : 1).u32(m_rate).u32(m_packets).zeros(128);
    b.u16(30).u8(0x80).str("HDMV", 4).zeros(9).zeros(16);
    if (!m_deltas.empty()) {
        b.u8(0).u8(static_cast<uint32_t>(m_deltas.size()));
        for (const auto& [clip, codec] : m_deltas)
            b.u32(1000).str(clip, 5).str(codec, 4).u8(0);
    }
    if (m_appType == 6)
        b.u8(0).u8(1).str("00001", 5).u8(0);
    b.put32(clipInfo, static_cast<uint32_t>(b.size() - clipInfo - 4));
    // SequenceInfo(): one ATC sequence with one STC sequence.
    b.put32(8, static_cast<uint32_t>(b.size()));
    b.u32(20).u8(0).u8(1).u32(0).u8(1).u8(0).u16(0x1001).u32(0).u32(900000).u32(9000000);
    // ProgramInfo()
    const size_t program = b.size();
    b.put32(12, static_cast<uint32_t>(program));
    b.u32(0).u8(0).u8(static_cast<uint32_t>(m_programs.size()));
    for (const auto& streams : m_programs) {
        b.u32(0).u16(0x0100).u8(static_cast<uint32_t>(streams.size())).u8(0);
        for (const auto& s : streams) {
            b.u16(s.pid);
            const size_t start = b.size();
            b.u8(s.infoLength).u8(s.coding);
            const uint8_t t = s.coding;
            if (t == 0x02 || t == 0x1B || t == 0xEA)
                b.u8(s.formatByte).u8(s.aspect << 4).zeros(2).str("USABC2600001", 12).zeros(4);
            else if ((t >= 0x80 && t <= 0x86) || t == 0xA1 || t == 0xA2)
                b.u8(s.formatByte).str(s.language, 3).zeros(12).zeros(4);
            else if (t == 0x90 || t == 0x91)
                b.str(s.language, 3).zeros(1).zeros(12).zeros(4);
            else if (t == 0x92)
                b.u8(s.characterCode).str(s.language, 3).zeros(12).zeros(4);
            while (b.size() < start + 1 + s.infoLength)
                b.u8(0);
        }
    }
    b.put32(program, static_cast<uint32_t>(b.size() - program - 4));
    // CPI() with one EP map entry, ClipMark() empty.
    b.put32(16, static_cast<uint32_t>(b.size()));
    b.u32(16).u16(1).u8(0).u8(1).u16(0x1011).zeros(6).u32(0);
    b.put32(20, static_cast<uint32_t>(b.size()));
    b.u32(0);
    return b.b;
}

}  // namespace mirtal::support
