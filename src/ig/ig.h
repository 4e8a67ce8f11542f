#pragma once
// The loaded Interactive Graphics composition: pages, button overlap groups, buttons, effects,
// objects and palettes. Ids are used as array positions; 0xFFFF means no button or no object.
// Palette entries and object run-length data stay in the scratch store; only their positions are
// kept here.

#include "hdmv/command.h"
#include "ig/scratch.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace mirtal::ig {

constexpr uint16_t kNone = 0xFFFF;

// One segment's share of a composition or an object.
struct TFragment {
    uint8_t version = 0;          // objects only
    uint8_t sequenceFlags = 0;    // 2 first_in_sequence, 1 last_in_sequence
    int64_t scratchPos = 0;
    int64_t dataLength = 0;
};

struct TCompositionObject {
    uint16_t objectId = 0;
    uint8_t windowId = 0;
    uint8_t flags = 0;    // bit 7 cropped, bit 6 forced-on
    uint16_t x = 0;
    uint16_t y = 0;
    uint16_t cropX = 0;    // the crop fields are 0 unless bit 7 is set
    uint16_t cropY = 0;
    uint16_t cropWidth = 0;
    uint16_t cropHeight = 0;
    [[nodiscard]] bool isCropped() const { return flags & 0x80; }
    [[nodiscard]] bool isForced() const { return flags & 0x40; }
};

struct Teffect {
    uint32_t duration = 0;    // 90 kHz ticks (24 bits stored)
    uint8_t paletteId = 0;
    uint8_t numberOfObjects = 0;
    std::vector<TCompositionObject> objects;
};

struct TWindow {
    uint8_t id = 0;
    uint16_t x = 0;
    uint16_t y = 0;
    uint16_t width = 0;
    uint16_t height = 0;
};

struct Teffectseq {
    uint8_t numberOfWindows = 0;    // as stored; only the first two fit the slots
    std::array<TWindow, 2> windows{};
    uint8_t numberOfEffects = 0;
    std::vector<Teffect> effects;
    [[nodiscard]] size_t windowsKept() const { return numberOfWindows < 2 ? numberOfWindows : 2; }
};

struct TIGbutton {
    uint16_t buttonId = 0;
    uint16_t numericSelectValue = 0;
    uint8_t autoAction = 0;    // 0 or 1
    uint16_t x = 0;
    uint16_t y = 0;
    uint16_t upper = 0;
    uint16_t lower = 0;
    uint16_t left = 0;
    uint16_t right = 0;
    uint16_t normalStart = 0;
    uint16_t normalEnd = 0;
    uint8_t normalFlags = 0;    // bit 7 repeat, bit 6 complete
    uint8_t selectedSound = 0;
    uint16_t selectedStart = 0;
    uint16_t selectedEnd = 0;
    uint8_t selectedFlags = 0;
    uint8_t activatedSound = 0;
    uint16_t activatedStart = 0;
    uint16_t activatedEnd = 0;
    uint16_t numberOfCommands = 0;
    hdmv::CommandList commands;
};

struct TBOG {
    uint16_t defaultValidButton = 0;
    uint8_t numberOfButtons = 0;
    std::vector<TIGbutton> buttons;
};

struct TPage {
    uint8_t pageId = 0;
    uint8_t pageVersion = 0;
    uint32_t uoMask1 = 0;    // bits 63..32 of UO_mask_table
    uint32_t uoMask2 = 0;    // bits 31..0
    Teffectseq inEffects;
    Teffectseq outEffects;
    uint8_t animationFrameRateCode = 0;
    uint16_t defaultSelectedButton = 0;
    uint16_t defaultActivatedButton = 0;
    uint8_t paletteId = 0;
    uint8_t numberOfBOGs = 0;
    std::vector<TBOG> bogs;
};

// The buttons of one page indexed by button id. An id that no button of the page has (possible
// only when some id is not below the button count) stays without a button.
struct TPageButton {
    std::vector<std::optional<TIGbutton>> byId;
    [[nodiscard]] const TIGbutton* find(uint32_t id) const
    {
        return id < byId.size() && byId[id] ? &*byId[id] : nullptr;
    }
};

struct TIGSc {
    uint16_t videoWidth = 0;
    uint16_t videoHeight = 0;
    uint8_t frameRateId = 0;
    uint16_t compositionNumber = 0;
    uint8_t compositionState = 0;
    uint32_t compositionDataLength = 0;
    uint8_t modelFlags = 0;    // bit 7 stream_model, bit 6 user_interface_model
    uint32_t userTimeOut = 0;    // 90 kHz ticks
    uint8_t numberOfPages = 0;
    std::vector<TPage> pages;
    std::vector<TPageButton> pageButtons;    // same index as pages
    std::vector<TFragment> fragments;        // one per ICS segment
};

struct TIGobject {
    uint16_t objectId = 0;
    uint32_t dataLength = 0;    // from the first fragment
    uint16_t width = 0;
    uint16_t height = 0;
    std::vector<TFragment> fragments;
    // Palette entry ids of the lines the pixel data reach, width per line, once decoded; the
    // lines below them are entry 0 and not held, so that memory follows the data the stream
    // holds rather than the size a header declares.
    std::vector<uint8_t> pixels;
    bool decoded = false;
    [[nodiscard]] int linesHeld() const { return width ? static_cast<int>(pixels.size() / width) : 0; }
};

struct TPalette {
    uint16_t paletteId = 0;
    uint8_t version = 0;
    int64_t scratchPos = 0;
    uint16_t dataLength = 0;
};

// Red, green, blue and alpha per palette entry id.
struct TRGBA {
    uint8_t r = 0, g = 0, b = 0, a = 0;
    bool operator==(const TRGBA&) const = default;
};
using TRGBpalettes = std::vector<TRGBA>;

// Everything one load produces; the next load replaces it whole.
struct IgMenu {
    std::string streamName;
    TIGSc ics;
    std::vector<TIGobject> objects;
    std::vector<TPalette> palettes;
    // entry [object id] = index in objects; kNone where no object has that id
    std::vector<uint16_t> objectIndex;
    std::shared_ptr<Scratch> scratch;
    // id2pal results, built on first use (the palettes never change after the load)
    std::vector<std::optional<TRGBpalettes>> paletteCache;
    bool loaded = false;

    // The object with this id, or nullptr (0xFFFF, an id outside the table).
    [[nodiscard]] TIGobject* object(uint32_t objectId);
    [[nodiscard]] const TIGobject* object(uint32_t objectId) const;
    // The page-button entry of page position pageIndex, or nullptr.
    [[nodiscard]] const TIGbutton* button(size_t pageIndex, uint32_t buttonId) const;
    // The position of the page whose id is pageId; -1 when no page has it.
    [[nodiscard]] int pageIndexOf(uint32_t pageId) const;
};

// "23.976", "24", ... or "reserved".
[[nodiscard]] std::string frameRateName(uint8_t id);
// One animation frame in milliseconds for an animation frame rate code; 0 for frame rate ids
// without a frame duration and for code 0.
[[nodiscard]] uint32_t frameDelayMs(uint8_t frameRateId, uint8_t frameRateCode);

}  // namespace mirtal::ig
