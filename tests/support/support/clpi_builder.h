#pragma once
// Builds .clpi files in code with raw big-endian bytes.

#include <cstdint>
#include <string>
#include <vector>

namespace mirtal::support {

struct ClipStreamDesc {
    uint16_t pid = 0x1011;
    uint8_t coding = 0x1B;
    uint8_t formatByte = 0x61;    // video format × 16 + rate, or audio format × 16 + sample rate
    uint8_t aspect = 3;           // video: aspect ratio (bits 7..4 of the second byte)
    std::string language = "eng";
    uint8_t characterCode = 0;
    uint8_t infoLength = 21;      // StreamCodingInfo() length as stored
};

class ClpiBuilder {
public:
    ClpiBuilder& version(std::string v) { m_version = std::move(v); return *this; }
    ClpiBuilder& applicationType(uint8_t t) { m_appType = t; return *this; }
    ClpiBuilder& rate(uint32_t r) { m_rate = r; return *this; }
    ClpiBuilder& packets(uint32_t p) { m_packets = p; return *this; }
    ClpiBuilder& atcDelta(std::string following, std::string codec)
    {
        m_deltas.push_back({std::move(following), std::move(codec)});
        return *this;
    }
    ClpiBuilder& stream(ClipStreamDesc s) { m_programs.back().push_back(s); return *this; }
    // Starts a further program sequence; later streams go into it.
    ClpiBuilder& nextProgramSequence() { m_programs.emplace_back(); return *this; }
    [[nodiscard]] std::vector<uint8_t> bytes() const;

private:
    std::string m_version = "0200";
    uint8_t m_appType = 1;
    uint32_t m_rate = 6000000;
    uint32_t m_packets = 1000;
    std::vector<std::pair<std::string, std::string>> m_deltas;
    std::vector<std::vector<ClipStreamDesc>> m_programs{{}};
};

ClipStreamDesc clipVideo(uint16_t pid, uint8_t coding = 0x1B, uint8_t format = 6, uint8_t rate = 1, uint8_t aspect = 3);
ClipStreamDesc clipAudio(uint16_t pid, const std::string& lang, uint8_t coding = 0x81, uint8_t format = 6,
                         uint8_t rate = 1);
ClipStreamDesc clipGraphics(uint16_t pid, uint8_t coding, const std::string& lang);    // 0x90 PG, 0x91 IG

}  // namespace mirtal::support
