#include "support/ts_builder.h"

#include <algorithm>

namespace mirtal::support {
namespace {

void timeStamp(std::vector<uint8_t>& out, uint8_t prefix, uint64_t t)
{
    out.push_back(static_cast<uint8_t>((prefix << 4) | ((t >> 29) & 0x0E) | 1));
    out.push_back(static_cast<uint8_t>(t >> 22));
    out.push_back(static_cast<uint8_t>(((t >> 14) & 0xFE) | 1));
    out.push_back(static_cast<uint8_t>(t >> 7));
    out.push_back(static_cast<uint8_t>(((t << 1) & 0xFE) | 1));
}

}  // namespace

std::vector<uint8_t> pesPacket(uint8_t streamId, const std::vector<uint8_t>& payload, std::optional<uint64_t> pts,
                               std::optional<uint64_t> dts, bool unbounded, int headerStuffing)
{
    std::vector<uint8_t> header;
    if (pts)
        timeStamp(header, dts ? 3 : 2, *pts);
    if (pts && dts)
        timeStamp(header, 1, *dts);
    header.insert(header.end(), static_cast<size_t>(headerStuffing), 0xFF);
    std::vector<uint8_t> out;
    out.reserve(9 + header.size() + payload.size());
    for (uint8_t b : {uint8_t{0}, uint8_t{0}, uint8_t{1}, streamId, uint8_t{0}, uint8_t{0}, uint8_t{0x80},
                      static_cast<uint8_t>(pts ? (dts ? 0xC0 : 0x80) : 0), static_cast<uint8_t>(header.size())})
        out.push_back(b);
    out.insert(out.end(), header.begin(), header.end());
    out.insert(out.end(), payload.begin(), payload.end());
    const size_t length = unbounded ? 0 : out.size() - 6;
    out[4] = static_cast<uint8_t>(length >> 8);
    out[5] = static_cast<uint8_t>(length);
    return out;
}

TsBuilder& TsBuilder::packet(uint16_t pid, const std::vector<uint8_t>& payload, bool unitStart, bool hasPayload)
{
    const size_t n = hasPayload ? std::min<size_t>(payload.size(), 184) : 0;
    m_arrival += 1000;
    m_bytes.push_back(static_cast<uint8_t>((m_arrival >> 24) & 0x3F));
    m_bytes.push_back(static_cast<uint8_t>(m_arrival >> 16));
    m_bytes.push_back(static_cast<uint8_t>(m_arrival >> 8));
    m_bytes.push_back(static_cast<uint8_t>(m_arrival));
    m_bytes.push_back(0x47);
    m_bytes.push_back(static_cast<uint8_t>((unitStart ? 0x40 : 0) | ((pid >> 8) & 0x1F)));
    m_bytes.push_back(static_cast<uint8_t>(pid));
    const bool adaptation = n < 184;
    uint8_t& cc = m_continuity[pid & 0x1FFF];
    m_bytes.push_back(static_cast<uint8_t>((adaptation ? 0x20 : 0) | (hasPayload ? 0x10 : 0) | (cc & 0x0F)));
    if (hasPayload)
        ++cc;
    if (adaptation) {
        const size_t afLength = 183 - n;
        m_bytes.push_back(static_cast<uint8_t>(afLength));
        if (afLength > 0) {
            m_bytes.push_back(0x00);    // no flags
            m_bytes.insert(m_bytes.end(), afLength - 1, 0xFF);
        }
    }
    m_bytes.insert(m_bytes.end(), payload.begin(), payload.begin() + static_cast<std::ptrdiff_t>(n));
    return *this;
}

TsBuilder& TsBuilder::pes(uint16_t pid, const std::vector<uint8_t>& pesBytes, int firstAdaptation)
{
    size_t at = 0;
    bool first = true;
    while (at < pesBytes.size() || first) {
        size_t room = 184;
        if (first && firstAdaptation > 0)
            room = 183 - static_cast<size_t>(firstAdaptation);
        const size_t n = std::min(room, pesBytes.size() - at);
        packet(pid, std::vector<uint8_t>(pesBytes.begin() + static_cast<std::ptrdiff_t>(at),
                                         pesBytes.begin() + static_cast<std::ptrdiff_t>(at + n)),
               first);
        at += n;
        first = false;
    }
    return *this;
}

TsBuilder& TsBuilder::nullPacket(int count)
{
    for (int i = 0; i < count; ++i)
        packet(0x1FFF, std::vector<uint8_t>(184, 0xFF), false);
    return *this;
}

TsBuilder& TsBuilder::raw(const std::vector<uint8_t>& bytes)
{
    m_bytes.insert(m_bytes.end(), bytes.begin(), bytes.end());
    return *this;
}

}  // namespace mirtal::support
