#pragma once
// A PlayList (.mpls) in memory: every field as read, reserved fields where the writer needs them.
// Lengths, counts and start addresses are stored, not measured: the editors keep them in step.

#include "core/extension_data.h"
#include "core/read_result.h"

#include <cstdint>
#include <string>
#include <vector>

namespace mirtal::playlist {

constexpr uint32_t kMpls = 0x4D504C53;        // "MPLS"
using core::kVersion0100;
using core::kVersion0200;

struct TClipRef {
    std::string clipName;    // text[5]
    std::string codecId;     // text[4]
    uint8_t stcId = 0;
    bool operator==(const TClipRef&) const = default;
};

struct Tmulti_clip {
    uint8_t numberOfAngles = 0;
    uint8_t differentAudios = 0;
    uint8_t seamlessAngleChange = 0;
    std::vector<TClipRef> angleClips;    // entry 0 repeats the PlayItem's own clip
    bool operator==(const Tmulti_clip&) const = default;
};

struct TStreamEntry {
    uint8_t entryLength = 9;
    uint8_t entryType = 1;          // 1 PlayItem, 2 SubPath, 3 IM PIP
    uint16_t mainPid = 0;
    uint16_t subPid = 0;
    uint8_t subPathId = 0;
    uint8_t subclipId = 0;
    uint8_t attributesLength = 5;
    uint8_t codingType = 0;
    uint8_t videoFormat = 0;
    uint8_t frameRate = 0;
    uint8_t audioFormat = 0;
    uint8_t sampleRate = 0;
    std::string language;           // text[3]
    uint8_t characterCode = 0;
    bool operator==(const TStreamEntry&) const = default;
};

struct TSecAudio : TStreamEntry {
    uint8_t numberOfPrimaryAudioRefs = 0;
    uint8_t reserved = 0;
    std::vector<uint8_t> primaryAudioRefs;
    bool operator==(const TSecAudio&) const = default;
};

struct TSecVideo : TStreamEntry {
    uint8_t numberOfSecondaryAudioRefs = 0;
    uint8_t reserved = 0;
    std::vector<uint8_t> secondaryAudioRefs;
    uint8_t numberOfPipPgRefs = 0;
    std::vector<uint8_t> pipPgRefs;
    bool operator==(const TSecVideo&) const = default;
};

struct TSTN {
    uint16_t length = 14;
    uint16_t reserved = 0;
    uint8_t primaryVideoCount = 0;
    uint8_t primaryAudioCount = 0;
    uint8_t pgCount = 0;
    uint8_t igCount = 0;
    uint8_t secondaryAudioCount = 0;
    uint8_t secondaryVideoCount = 0;
    uint8_t pipPgCount = 0;
    std::vector<TStreamEntry> primaryVideo;
    std::vector<TStreamEntry> primaryAudio;
    std::vector<TStreamEntry> pg;              // PG streams, then the PiP PG streams
    std::vector<TStreamEntry> ig;
    std::vector<TSecAudio> secondaryAudio;
    std::vector<TSecVideo> secondaryVideo;
    bool operator==(const TSTN&) const = default;
};

struct TPlayItem {
    uint16_t length = 0;
    std::string clipName;
    std::string codecId;
    uint8_t multiAngle = 0;
    uint8_t connectionCondition = 0;
    uint8_t stcId = 0;
    uint32_t inTime45k = 0;     // 45 kHz
    uint32_t outTime45k = 0;
    uint32_t uoMask1 = 0;    // bits 63..32
    uint32_t uoMask2 = 0;    // bits 31..0
    uint8_t randomAccessFlag = 0;
    uint8_t stillMode = 0;
    uint16_t stillTime = 0;
    Tmulti_clip angles;
    TSTN stn;
    bool operator==(const TPlayItem&) const = default;
};

struct TSubPlayItem {
    uint16_t length = 0;
    std::string clipName;
    std::string codecId;
    uint8_t connectionCondition = 0;
    uint8_t multiClip = 0;
    uint8_t stcId = 0;
    uint32_t inTime45k = 0;
    uint32_t outTime45k = 0;
    uint16_t syncPlayItemId = 0;
    uint32_t syncStartPts = 0;
    uint8_t numberOfClipEntries = 0;
    uint8_t reserved = 0;
    std::vector<TClipRef> clipEntries;    // entry 0 repeats the SubPlayItem's own clip
    bool operator==(const TSubPlayItem&) const = default;
};

struct TSubPath {
    uint32_t length = 0;
    uint8_t reserved1 = 0;
    uint8_t subPathType = 0;
    uint16_t repeat = 0;      // the whole word; bit 0 is is_repeat_SubPath
    uint8_t reserved2 = 0;
    uint8_t numberOfSubPlayItems = 0;
    std::vector<TSubPlayItem> subPlayItems;
    bool operator==(const TSubPath&) const = default;
};

struct TPlayList {
    uint32_t length = 10;
    uint16_t reserved = 0;
    uint16_t numberOfPlayItems = 0;
    uint16_t numberOfSubPaths = 0;
    std::vector<TPlayItem> playItems;
    std::vector<TSubPath> subPaths;
    bool operator==(const TPlayList&) const = default;
};

struct TMarkEntry {
    uint8_t reserved = 0;
    uint8_t markType = 1;    // 1 entry mark, 2 link point
    uint16_t playItemRef = 0;
    uint32_t markTime45k = 0;   // 45 kHz
    uint16_t entryPid = 0xFFFF;
    uint32_t duration45k = 0;
    bool operator==(const TMarkEntry&) const = default;
};

struct TPlayListMark {
    uint32_t length = 2;
    uint16_t numberOfMarks = 0;
    std::vector<TMarkEntry> marks;
    bool operator==(const TPlayListMark&) const = default;
};

struct TPLmpls {
    uint32_t typeIndicator = kMpls;
    uint32_t version = kVersion0200;
    uint32_t playListStartAddress = 0;
    uint32_t playListMarkStartAddress = 0;
    uint32_t extensionDataStartAddress = 0;
    std::vector<uint8_t> reserved = std::vector<uint8_t>(20, 0);
    uint32_t appInfoLength = 14;
    uint8_t appInfoReserved = 0;
    uint8_t playbackType = 1;
    uint16_t playbackCount = 0;
    uint32_t uoMask1 = 0;
    uint32_t uoMask2 = 0;
    uint8_t randomAccessFlag = 0;
    uint8_t audioMixFlag = 0;
    uint8_t bypassMixerFlag = 0;
    TPlayList playList;
    TPlayListMark marks;
    core::TExtensionData extensionData;
    bool operator==(const TPLmpls&) const = default;
};

// File sizes of the variable records, as the editors count them.
[[nodiscard]] uint32_t streamSize(const TSecAudio& s);
[[nodiscard]] uint32_t streamSize(const TSecVideo& s);
[[nodiscard]] uint32_t subPathFileSize(const TSubPath& s);

// The stored addresses after a section that grows by delta bytes (negative: shrinks).
// ExtensionData moves with it unless its start address is 0 (absent).
void shiftExtensionData(TPLmpls& mpls, int64_t delta);
// PlayList(): its length, the PlayListMark start address and the ExtensionData start address.
void resizePlayListSection(TPLmpls& mpls, int64_t delta);
// PlayListMark(): its length and the ExtensionData start address.
void resizeMarkSection(TPLmpls& mpls, int64_t delta);

// The ExtensionData dialog's OK: the block is stored and placed after PlayListMark() (start
// address 0 for an empty block).
void commitPlayListExtensionData(TPLmpls& mpls, core::TExtensionData block);

}  // namespace mirtal::playlist
