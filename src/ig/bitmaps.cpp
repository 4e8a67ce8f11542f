#include "ig/bitmaps.h"

#include "core/text.h"

#include <algorithm>
#include <cstring>

namespace mirtal::ig {

uint32_t YCrCbToRGB(int y, int cr, int cb)
{
    const int32_t yy = (y - 16) * 1164;
    const auto clamp = [](int32_t v) { return static_cast<uint32_t>(v > 255 ? 255 : v < 0 ? 0 : v); };
    const uint32_t r = clamp((yy + (cr - 128) * 1596 + 500) / 1000);
    const uint32_t g = clamp((yy - (cr - 128) * 813 - (cb - 128) * 391 + 500) / 1000);
    const uint32_t b = clamp((yy + (cb - 128) * 2018 + 500) / 1000);
    return r + g * 256 + b * 65536;
}

const TRGBpalettes& id2pal(IgMenu& menu, uint32_t palette, core::Report& report)
{
    static const TRGBpalettes kEmpty;
    if (palette >= menu.palettes.size() || !menu.scratch)
        return kEmpty;
    if (menu.paletteCache.size() < menu.palettes.size())
        menu.paletteCache.resize(menu.palettes.size());
    auto& cached = menu.paletteCache[palette];
    if (cached)
        return *cached;
    const TPalette& p = menu.palettes[palette];
    const auto data = menu.scratch->read(p.scratchPos, std::min<int64_t>(p.dataLength, kMaxPaletteEntries * 5));
    if (p.dataLength > kMaxPaletteEntries * 5)
        report.log("Palette " + core::hex(p.paletteId, 2) + " has more than 256 entries; only the first 256 are read.");
    const size_t entries = data.size() / 5;
    TRGBpalettes out(entries + 1);
    int outside = 0;
    for (size_t i = 0; i < entries; ++i) {
        const uint8_t* e = data.data() + i * 5;
        if (e[0] >= out.size()) {
            ++outside;
            continue;
        }
        const uint32_t rgb = YCrCbToRGB(e[1], e[2], e[3]);
        out[e[0]] = {static_cast<uint8_t>(rgb), static_cast<uint8_t>(rgb >> 8), static_cast<uint8_t>(rgb >> 16), e[4]};
    }
    if (outside)
        report.log("Palette " + core::hex(p.paletteId, 2) + ": " + std::to_string(outside) +
                   " entries have an id not below its " + std::to_string(out.size()) + " slots; they are left out.");
    cached = std::move(out);
    return *cached;
}

Rgb IndexedBitmap::colour(int x, int y) const
{
    const size_t at = static_cast<size_t>(y) * width + x;
    const uint8_t v = at < pixels.size() ? pixels[at] : 0;
    if (v >= palette.size())
        return {};
    return {palette[v].r, palette[v].g, palette[v].b};
}

std::vector<uint8_t> rledecode(std::span<const uint8_t> data, uint16_t height, uint16_t width, core::Report* report)
{
    const size_t length = data.size();
    // Each new line consumes at least one byte, so the lines written stay below the data's length.
    const uint32_t lines = static_cast<uint32_t>(std::min<size_t>(height, length));
    std::vector<uint8_t> pixels(static_cast<size_t>(width) * lines);
    const uint8_t* d = data.data();
    if (report) {
        report->slog("Decoding RLE pixel data...", 0);
        report->slog("", 1);
        report->progress(0, 100);
    }
    size_t k = 0;    // bytes consumed; the window of four bytes runs past the data when k ≥ length
    const auto next = [&]() -> uint8_t { return k < length ? d[k++] : (++k, 0); };
    uint32_t col = 0;
    uint32_t line = 0;
    uint8_t* row = pixels.data();
    while (k < length && line < lines) {
        const uint8_t c = next();
        if (c != 0) {
            // One pixel: the commonest code, kept out of the run handling.
            if (col < width) {
                row[col++] = c;
            } else {
                col = 0;
                ++line;
                row += width;
            }
        } else {
            const uint8_t f = next();
            if (f == 0) {
                col = 0;
                ++line;
                row += width;
                continue;
            }
            uint8_t colour;
            uint32_t run;
            switch (f >> 6) {
            case 0: run = f & 0x3F; colour = 0; break;
            case 1: run = ((f & 0x3Fu) << 8) | next(); colour = 0; break;
            case 2: run = f & 0x3F; colour = next(); break;
            default: run = ((f & 0x3Fu) << 8) | next(); colour = next(); break;
            }
            // A zero length fills the rest of the line.
            const uint32_t to = run == 0 ? width : std::min<uint32_t>(col + run, width);
            if (col < to && colour != 0)
                std::memset(row + col, colour, to - col);
            if (run == 0 || col + run > width) {
                col = 0;
                ++line;
                row += width;
            } else {
                col += run;
            }
        }
        if (report && ((k + 4) & 32767) == 0) {
            report->progress(static_cast<int64_t>((k + 4) * 100 / std::max<size_t>(length, 1)), 100);
            report->slog(std::to_string(k + 4) + "/" + std::to_string(length), 1);
        }
    }
    if (report) {
        report->slog("Ready.", 0);
        report->slog("", 1);
    }
    const uint32_t held = std::min(lines, line + (col > 0 ? 1u : 0u));
    pixels.resize(static_cast<size_t>(width) * held);
    return pixels;
}

bool decodeObject(IgMenu& menu, TIGobject& object, core::Report& report)
{
    if (object.decoded)
        return true;
    if (object.width == 0 || object.height == 0 || object.dataLength == 0 || !menu.scratch)
        return false;
    if (object.width > kMaxObjectSide || object.height > kMaxObjectSide) {
        report.log("Object " + core::hex(object.objectId, 4) + ": " + std::to_string(object.width) + "x" +
                   std::to_string(object.height) + " is larger than 4096x4096; it is not decoded.");
        return false;
    }
    int64_t total = 0;
    for (const auto& f : object.fragments)
        total += f.dataLength;
    if (total > static_cast<int64_t>(kObjectBufferSize)) {
        report.log("Object " + core::hex(object.objectId, 4) + ": " + std::to_string(total) +
                   " bytes of pixel data do not fit the 1,048,576-byte object buffer; it is not decoded.");
        return false;
    }
    std::vector<uint8_t> data;
    data.reserve(static_cast<size_t>(total));
    for (const auto& f : object.fragments)
        menu.scratch->readInto(f.scratchPos, f.dataLength, data);
    object.pixels = rledecode(data, object.height, object.width, &report);
    object.decoded = true;
    return true;
}

std::optional<IndexedBitmap> getobjbmp(IgMenu& menu, uint32_t objectId, uint32_t palette, core::Report& report)
{
    if (objectId == kNone)
        return std::nullopt;
    const TIGobject* obj = menu.object(objectId);
    if (!obj || !obj->decoded)
        return std::nullopt;
    IndexedBitmap bmp;
    bmp.width = obj->width;
    bmp.height = obj->height;
    bmp.pixels = obj->pixels;
    bmp.palette = id2pal(menu, palette, report);
    return bmp;
}

std::optional<RgbImage> ShowButtonPic(IgMenu& menu, uint32_t objectId, uint32_t palette, core::Report& report)
{
    if (objectId == kNone) {
        report.slog("No object assigned", 1);
        return RgbImage(1, 1);
    }
    TIGobject* obj = menu.object(objectId);
    if (!obj || obj->width == 0 || obj->height == 0 || obj->dataLength == 0)
        return std::nullopt;
    if (!decodeObject(menu, *obj, report))
        return std::nullopt;
    const auto bmp = getobjbmp(menu, objectId, palette, report);
    if (!bmp)
        return std::nullopt;
    // Lines the pixel data never reach are not drawn: a header may declare 4096 × 4096 for a few
    // bytes of data, and the preview follows what the stream holds.
    int shown = bmp->height;
    if (obj->linesHeld() < bmp->height) {
        shown = std::max(1, obj->linesHeld());
        report.log("Object " + core::hex(objectId, 4) + ": the pixel data end in line " + std::to_string(shown) +
                   " of " + std::to_string(bmp->height) + "; the preview shows the lines they reach.");
    }
    RgbImage img(bmp->width, shown);
    for (int y = 0; y < shown; ++y)
        for (int x = 0; x < bmp->width; ++x)
            img.set(x, y, bmp->colour(x, y));
    report.slog("Size: " + std::to_string(obj->width) + "x" + std::to_string(obj->height) + ",  Object: " +
                    core::hex(objectId, 4) + ",  Palette: " + core::hex(palette, 2) + ",  RLE pixel data: " +
                    std::to_string(obj->dataLength) + " (" +
                    std::to_string(static_cast<uint32_t>(obj->width) * obj->height) + ")",
                1);
    return img;
}

RgbaImage paletteView(IgMenu& menu, uint32_t palette, Rgb background, core::Report& report)
{
    RgbaImage img;
    img.width = 350;
    img.height = 180;
    img.rgba.resize(350 * 180 * 4);
    const auto put = [&](int x, int y, uint8_t r, uint8_t g, uint8_t b, uint8_t a) {
        uint8_t* p = img.rgba.data() + (static_cast<size_t>(y) * 350 + x) * 4;
        p[0] = r; p[1] = g; p[2] = b; p[3] = a;
    };
    for (int y = 0; y < 180; ++y)
        for (int x = 0; x < 350; ++x)
            put(x, y, background.r, background.g, background.b, 255);
    // A square of size n at (x, y) with its four corner pixels left out.
    const auto square = [&](int x, int y, int n, uint8_t r, uint8_t g, uint8_t b, uint8_t a) {
        for (int j = 0; j < n; ++j)
            for (int i = 0; i < n; ++i)
                if (!((i == 0 || i == n - 1) && (j == 0 || j == n - 1)))
                    put(x + i, y + j, r, g, b, a);
    };
    const TRGBpalettes& pal = id2pal(menu, palette, report);
    for (int slot = 0; slot < 256; ++slot) {
        const TRGBA e = static_cast<size_t>(slot) < pal.size() ? pal[slot] : TRGBA{};
        const int x = 10 * (slot % 16);
        const int y = 10 + 10 * (slot / 16);
        square(10 + x, y, 9, 0, 0, 0, 255);
        square(11 + x, y + 1, 7, e.r, e.g, e.b, 255);
        square(180 + x, y, 9, 0, 0, 0, 255);
        square(181 + x, y + 1, 7, 255, 255, 255, e.a);
    }
    report.slog("Palette: " + core::hex(palette, 2), 1);
    return img;
}

}  // namespace mirtal::ig
