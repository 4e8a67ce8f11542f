#pragma once
// Object bitmaps and palettes: the colour transform, palettes read back from the scratch store,
// the run-length decoder, the object pixel cache, the object preview and the palette view.

#include "core/report.h"
#include "ig/ig.h"
#include "ig/image.h"

#include <cstdint>
#include <span>
#include <vector>

namespace mirtal::ig {

// red + green × 256 + blue × 65,536, each clamped to 0..255.
[[nodiscard]] uint32_t YCrCbToRGB(int y, int cr, int cb);

// At most 256 entries (1,280 bytes) are read from a palette.
constexpr int kMaxPaletteEntries = 256;
// All fragments of one object must fit this buffer to be decoded.
constexpr size_t kObjectBufferSize = 1048576;
// Objects are at most this wide and high (a pixel cache of 16 MiB at most).
constexpr int kMaxObjectSide = 4096;

// The palette at position palette of the palette list, in (entry count + 1) slots; entries whose
// id is not below the slot count are logged once and left out. An empty palette for a position
// that no palette has.
const TRGBpalettes& id2pal(IgMenu& menu, uint32_t palette, core::Report& report);

// An 8-bit bitmap: width × height palette entry ids, row-major, top row first.
struct IndexedBitmap {
    uint16_t width = 0;
    uint16_t height = 0;
    std::vector<uint8_t> pixels;    // the lines held (see TIGobject); lines below are entry 0
    TRGBpalettes palette;
    [[nodiscard]] Rgb colour(int x, int y) const;
};

// Decodes run-length pixel data into entry ids, width per line, for the lines the data reach
// (at most height; a line the data end in is held whole, its rest entry 0). Pixels beyond a line
// and lines beyond the height are not written. Every line costs at least one byte of data, so the
// result never holds more lines than the data have bytes. With a report, shows the decoding state
// and progress as the object preview does.
[[nodiscard]] std::vector<uint8_t> rledecode(std::span<const uint8_t> data, uint16_t height, uint16_t width,
                                             core::Report* report = nullptr);

// Decodes an object into its pixel cache (once per load). False when it cannot be: no such
// object, a zero size, or data larger than the object buffer (logged).
bool decodeObject(IgMenu& menu, TIGobject& object, core::Report& report);

// The object in the palette, from its pixel cache; nullopt for 0xFFFF, an unknown object or an
// empty cache.
[[nodiscard]] std::optional<IndexedBitmap> getobjbmp(IgMenu& menu, uint32_t objectId, uint32_t palette,
                                                     core::Report& report);

// The object preview (ShowButtonPic with the palette view off): decodes into the cache when
// needed; nullopt when nothing is shown. 0xFFFF gives a 1 × 1 image and "No object assigned".
// The status detail line is set as the preview shows it. Lines below those the pixel data
// reach are left out of the image, with a log line.
[[nodiscard]] std::optional<RgbImage> ShowButtonPic(IgMenu& menu, uint32_t objectId, uint32_t palette,
                                                    core::Report& report);

// The palette view: 350 × 180, colour grid at x 10, alpha grid at x 180, on the background.
[[nodiscard]] RgbaImage paletteView(IgMenu& menu, uint32_t palette, Rgb background, core::Report& report);

}  // namespace mirtal::ig
