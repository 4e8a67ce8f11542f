#pragma once
// Builds transport streams in code: PES packets with PTS and DTS, split into 192-byte source
// packets (4-byte header, 188-byte transport packet) with adaptation fields and stuffing, null
// packets. Written with raw bytes, independent of the readers under test.

#include <cstdint>
#include <optional>
#include <vector>

namespace mirtal::support {

// A PES packet: start code, stream id, length (0 when unbounded), flags, header data (PTS and DTS
// when given, then stuffing bytes 0xFF), payload.
std::vector<uint8_t> pesPacket(uint8_t streamId, const std::vector<uint8_t>& payload, std::optional<uint64_t> pts,
                               std::optional<uint64_t> dts = std::nullopt, bool unbounded = false,
                               int headerStuffing = 0);

class TsBuilder {
public:
    // Splits bytes (a PES packet, or any payload) over packets on pid. The first packet has the
    // payload_unit_start_indicator; the last is filled with adaptation-field stuffing.
    // firstAdaptation: bytes of adaptation field (after its length byte) in the first packet.
    TsBuilder& pes(uint16_t pid, const std::vector<uint8_t>& pesBytes, int firstAdaptation = 0);
    // One packet with an exact payload (at most 184 bytes; the rest is stuffing).
    TsBuilder& packet(uint16_t pid, const std::vector<uint8_t>& payload, bool unitStart, bool hasPayload = true);
    TsBuilder& nullPacket(int count = 1);
    // Raw bytes appended as they are (damage, a partial packet).
    TsBuilder& raw(const std::vector<uint8_t>& bytes);
    [[nodiscard]] const std::vector<uint8_t>& bytes() const { return m_bytes; }
    [[nodiscard]] size_t packets() const { return m_bytes.size() / 192; }

private:
    std::vector<uint8_t> m_bytes;
    uint32_t m_arrival = 0;
    uint8_t m_continuity[0x2000] = {};
};

}  // namespace mirtal::support
