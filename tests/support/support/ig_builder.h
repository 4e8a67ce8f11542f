#pragma once
// Builds IG (and PG) segment streams in code: run-length pixel data, PDS, ODS and ICS segments
// (ODS and ICS split over several segments when asked), END, and their transport stream.

#include "support/ts_builder.h"

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace mirtal::support {

using ByteVec = std::vector<uint8_t>;

// Run-length codes for width × height palette entry ids, each line ended by 00 00.
ByteVec rleEncode(const ByteVec& pixels, int width, int height);
// type, 16-bit length, body.
ByteVec segment(uint8_t type, const ByteVec& body);

struct PaletteEntry {
    uint8_t id, y, cr, cb, t;
};
ByteVec pdsSegment(uint8_t paletteId, uint8_t version, const std::vector<PaletteEntry>& entries);
// The object as ODS segments; the run-length data is split into pieces of at most maxPiece bytes.
std::vector<ByteVec> odsSegments(uint16_t objectId, uint8_t version, uint16_t width, uint16_t height,
                                 const ByteVec& rle, size_t maxPiece = 65000);
ByteVec endSegment();

struct WindowLayout {
    uint8_t id = 0;
    uint16_t x = 0, y = 0, width = 0, height = 0;
};
struct CompObjectLayout {
    uint16_t objectId = 0;
    uint8_t windowId = 0;
    uint8_t flags = 0;
    uint16_t x = 0, y = 0;
    std::array<uint16_t, 4> crop{};
};
struct EffectLayout {
    uint32_t duration = 0;
    uint8_t paletteId = 0;
    std::vector<CompObjectLayout> objects;
};
struct EffectsLayout {
    std::vector<WindowLayout> windows;
    std::vector<EffectLayout> effects;
};
struct ButtonLayout {
    uint16_t id = 0;
    uint16_t numericValue = 0;
    bool autoAction = false;
    uint16_t x = 0, y = 0;
    uint16_t upper = 0, lower = 0, left = 0, right = 0;    // the button's own id: no neighbour
    uint16_t normalStart = 0xFFFF, normalEnd = 0xFFFF;
    uint8_t normalFlags = 0;
    uint8_t selectedSound = 0xFF;
    uint16_t selectedStart = 0xFFFF, selectedEnd = 0xFFFF;
    uint8_t selectedFlags = 0;
    uint8_t activatedSound = 0xFF;
    uint16_t activatedStart = 0xFFFF, activatedEnd = 0xFFFF;
    std::vector<std::array<uint32_t, 3>> commands;
};
struct BogLayout {
    uint16_t defaultValid = 0xFFFF;
    std::vector<ButtonLayout> buttons;
};
struct PageLayout {
    uint8_t id = 0;
    uint8_t version = 0;
    uint32_t uo1 = 0, uo2 = 0;
    EffectsLayout in, out;
    uint8_t frameRateCode = 0;
    uint16_t defaultSelected = 0xFFFF, defaultActivated = 0xFFFF;
    uint8_t paletteId = 0;
    std::vector<BogLayout> bogs;
};
struct IcsLayout {
    uint16_t width = 1920, height = 1080;
    uint8_t frameRateId = 1;
    uint16_t compositionNumber = 0;
    uint8_t compositionState = 2;    // epoch start
    bool streamModel = true;         // true: no time-out PTS fields
    uint8_t uiModel = 0;
    uint32_t userTimeOut = 0;
    std::vector<PageLayout> pages;
};

// The interactive_composition() bytes: from the model flags on.
ByteVec interactiveComposition(const IcsLayout& layout);
// An ICS body (after the segment header) from a whole interactive_composition() as a disc holds it.
ByteVec icsBody(const IcsLayout& layout, const ByteVec& composition);
// The ICS as segments, the composition split into pieces of at most maxPiece bytes.
std::vector<ByteVec> icsSegments(const IcsLayout& layout, size_t maxPiece = 65000);
std::vector<ByteVec> icsSegments(const IcsLayout& layout, const ByteVec& composition, size_t maxPiece = 65000);

// Every segment in its own PES packet (stream id 0xBF for IG is header-less; 0xBD carries a PTS
// and DTS), on pid; a video PID with a PTS packet first when videoPid is given, null packets
// between.
struct StreamOptions {
    uint16_t pid = 0x1400;
    std::optional<uint16_t> videoPid;
    uint64_t videoPts = 900000;
    uint64_t firstPts = 945000;
    int nullsBetween = 1;
};
ByteVec segmentsToTs(const std::vector<ByteVec>& segments, const StreamOptions& options = {});

}  // namespace mirtal::support
