#pragma once
// Builds .mpls files in code with raw big-endian bytes, every length and address measured.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "support/disc_builder.h"

namespace mirtal::support {

struct ClipRefDesc {
    std::string clip;
    std::string codec = "M2TS";
    uint8_t stc = 0;
};

struct StreamDesc {
    uint8_t entryType = 1;
    uint16_t mainPid = 0;
    uint8_t subPathId = 0;
    uint8_t subclipId = 0;
    uint16_t subPid = 0;
    uint8_t coding = 0x1B;
    uint8_t formatByte = 0x61;    // video format × 16 + frame rate, or audio format × 16 + sample rate
    std::string language = "eng";
    uint8_t characterCode = 0;
    std::vector<uint8_t> refs1;   // secondary audio: primary-audio refs; secondary video: secondary-audio refs
    std::vector<uint8_t> refs2;   // secondary video: PiP PG refs
    uint8_t entryLength = 9;      // as stored; the entry is written in entryLength + 1 bytes
    uint8_t attributesLength = 5;
};

StreamDesc videoStream(uint16_t pid, uint8_t coding = 0x1B, uint8_t format = 6, uint8_t rate = 1);
StreamDesc audioStream(uint16_t pid, const std::string& lang, uint8_t coding = 0x81, uint8_t format = 6,
                       uint8_t rate = 1);
StreamDesc pgStream(uint16_t pid, const std::string& lang);
StreamDesc igStream(uint16_t pid, const std::string& lang);

struct PlayItemDesc {
    std::string clip = "00001";
    std::string codec = "M2TS";
    uint8_t connectionCondition = 1;
    uint8_t stc = 0;
    uint32_t in = 0;
    uint32_t out = 45000;
    uint32_t uo1 = 0;
    uint32_t uo2 = 0;
    bool randomAccess = false;
    uint8_t stillMode = 0;
    uint16_t stillTime = 0;
    bool multiAngle = false;
    std::vector<ClipRefDesc> extraAngles;    // angles 1, 2, ... (angle 0 is the PlayItem's clip)
    uint8_t angleFlags = 0;                  // bit 1 different audios, bit 0 seamless
    std::vector<StreamDesc> video, audio, pg, pipPg, ig, secondaryAudio, secondaryVideo;
};

struct SubPlayItemDesc {
    std::string clip = "00002";
    std::string codec = "M2TS";
    uint8_t connectionCondition = 1;
    uint8_t stc = 0;
    uint32_t in = 0;
    uint32_t out = 45000;
    uint16_t syncPlayItem = 0;
    uint32_t syncPts = 0;
    bool multiClip = false;
    std::vector<ClipRefDesc> extraClips;    // clip entries 1, 2, ...
};

struct SubPathDesc {
    uint8_t type = 3;
    uint16_t repeat = 0;
    std::vector<SubPlayItemDesc> items;
};

struct MarkDesc {
    uint8_t type = 1;
    uint16_t playItem = 0;
    uint32_t time = 0;
    uint16_t entryPid = 0xFFFF;
    uint32_t duration = 0;
};

class MplsBuilder {
public:
    MplsBuilder& version(std::string v) { m_version = std::move(v); return *this; }
    MplsBuilder& typeIndicator(std::string t) { m_type = std::move(t); return *this; }
    MplsBuilder& playback(uint8_t type, uint16_t count) { m_pbType = type; m_pbCount = count; return *this; }
    MplsBuilder& uoMask(uint32_t w1, uint32_t w2) { m_uo1 = w1; m_uo2 = w2; return *this; }
    MplsBuilder& flagsWord(uint16_t f) { m_flags = f; return *this; }
    MplsBuilder& playItem(PlayItemDesc p) { m_items.push_back(std::move(p)); return *this; }
    MplsBuilder& subPath(SubPathDesc s) { m_subPaths.push_back(std::move(s)); return *this; }
    MplsBuilder& mark(MarkDesc m) { m_marks.push_back(m); return *this; }
    MplsBuilder& extension(std::vector<ExtEntryDesc> e) { m_ext = std::move(e); return *this; }
    // Set reserved bytes to non-zero values (the writer gives them back as zero).
    MplsBuilder& dirtyReserved(bool d = true) { m_dirty = d; return *this; }
    [[nodiscard]] std::vector<uint8_t> bytes() const;

    // Offsets of the header fields, for tests that corrupt them.
    static constexpr size_t kPlayListStartAt = 8;
    static constexpr size_t kMarkStartAt = 12;
    static constexpr size_t kExtStartAt = 16;

private:
    std::string m_type = "MPLS";
    std::string m_version = "0200";
    uint8_t m_pbType = 1;
    uint16_t m_pbCount = 0;
    uint32_t m_uo1 = 0, m_uo2 = 0;
    uint16_t m_flags = 0;
    std::vector<PlayItemDesc> m_items;
    std::vector<SubPathDesc> m_subPaths;
    std::vector<MarkDesc> m_marks;
    std::optional<std::vector<ExtEntryDesc>> m_ext;
    bool m_dirty = false;
};

}  // namespace mirtal::support
