#include "ig/ig_text.h"

#include "core/text.h"
#include "ig/ts_reader.h"

namespace mirtal::ig {

using core::hex;

std::string igsInfoCaption(const TIGSc& ics)
{
    return std::to_string(ics.videoWidth) + "x" + std::to_string(ics.videoHeight) + " @ " +
           frameRateName(ics.frameRateId) + ", " + std::to_string(ics.numberOfPages) + " page" +
           (ics.numberOfPages > 1 ? "s" : "");
}

std::string userTimeOutText(const TIGSc& ics)
{
    return longTime(ics.userTimeOut / 90000.0);
}

std::vector<std::string> objectListItems(const IgMenu& menu)
{
    std::vector<std::string> out;
    for (const auto& o : menu.objects)
        out.push_back(hex(o.objectId, 4));
    return out;
}

std::vector<std::string> paletteListItems(const IgMenu& menu)
{
    std::vector<std::string> out;
    for (const auto& p : menu.palettes)
        out.push_back(hex(p.paletteId, 2));
    return out;
}

std::string objectListHint(const IgMenu& menu)
{
    return std::to_string(menu.objects.size()) + " objects";
}

std::string paletteListHint(const IgMenu& menu)
{
    return std::to_string(menu.palettes.size()) + " palettes";
}

std::vector<std::string> pageListItems(const IgMenu& menu)
{
    std::vector<std::string> out;
    for (const auto& p : menu.ics.pages)
        out.push_back(std::to_string(p.pageId));
    return out;
}

std::vector<std::pair<std::string, std::string>> pageHeaderFields(const TPage& p)
{
    return {
        {"Page ID", std::to_string(p.pageId)},
        {"User Operation Mask 1", hex(p.uoMask1, 8)},
        {"User Operation Mask 2", hex(p.uoMask2, 8)},
        {"Animation Frame Rate Code (divider)", std::to_string(p.animationFrameRateCode)},
        {"Default Selected Button", hex(p.defaultSelectedButton, 4)},
        {"Default Activated Button", hex(p.defaultActivatedButton, 4)},
        {"Palette", hex(p.paletteId, 2)},
        {"Number of In effects windows", std::to_string(p.inEffects.numberOfWindows)},
        {"Number of In effects effects", std::to_string(p.inEffects.numberOfEffects)},
        {"Number of Out effects windows", std::to_string(p.outEffects.numberOfWindows)},
        {"Number of Out effects effects", std::to_string(p.outEffects.numberOfEffects)},
        {"Number of Button Overlap Groups", std::to_string(p.numberOfBOGs)},
    };
}

std::array<Row, 3> bogGrid(const TPage& page)
{
    std::array<Row, 3> g{Row{" id"}, Row{" default valid button"}, Row{" number of buttons"}};
    for (size_t i = 0; i < page.bogs.size(); ++i) {
        g[0].push_back(std::to_string(i));
        g[1].push_back(hex(page.bogs[i].defaultValidButton, 4));
        g[2].push_back(std::to_string(page.bogs[i].numberOfButtons));
    }
    if (page.bogs.empty())
        for (auto& r : g)
            r.emplace_back();
    return g;
}

const Row& buttonGridCaptions()
{
    static const Row k{"id",      "value",   "a.act.",   "X",       "Y",       "upper",   "lower",
                       "left",    "right",   "n.start",  "n.end",   "n.repeat", "s.sound", "s.start",
                       "s.end",   "s.repeat", "a.sound", "a.start", "a.end",   "comm."};
    return k;
}

Row buttonGridRow(const TIGbutton& b)
{
    return {hex(b.buttonId, 4),       hex(b.numericSelectValue, 4), b.autoAction ? "Yes" : "No",
            std::to_string(b.x),      std::to_string(b.y),          hex(b.upper, 4),
            hex(b.lower, 4),          hex(b.left, 4),               hex(b.right, 4),
            hex(b.normalStart, 4),    hex(b.normalEnd, 4),          hex(b.normalFlags, 4),
            hex(b.selectedSound, 4),  hex(b.selectedStart, 4),      hex(b.selectedEnd, 4),
            hex(b.selectedFlags, 4),  hex(b.activatedSound, 4),     hex(b.activatedStart, 4),
            hex(b.activatedEnd, 4),   std::to_string(b.numberOfCommands)};
}

std::vector<Row> buttonGridRows(const TBOG& bog)
{
    std::vector<Row> out;
    for (const auto& b : bog.buttons)
        out.push_back(buttonGridRow(b));
    return out;
}

const Row& windowGridCaptions()
{
    static const Row k{"id", "X", "Y", "width", "height"};
    return k;
}

std::vector<Row> windowGridRows(const Teffectseq& e)
{
    std::vector<Row> out;
    for (size_t i = 0; i < e.windowsKept(); ++i) {
        const TWindow& w = e.windows[i];
        out.push_back({std::to_string(w.id), std::to_string(w.x), std::to_string(w.y), std::to_string(w.width),
                       std::to_string(w.height)});
    }
    return out;
}

const Row& effectGridCaptions()
{
    static const Row k{"", "duration", "palette", "comp.obj"};
    return k;
}

std::vector<Row> effectGridRows(const Teffectseq& e, bool numbered)
{
    std::vector<Row> out;
    for (size_t i = 0; i < e.effects.size(); ++i) {
        const Teffect& f = e.effects[i];
        out.push_back({numbered ? std::to_string(i + 1) : "", longTime(f.duration / 90000.0), hex(f.paletteId, 2),
                       std::to_string(f.numberOfObjects)});
    }
    return out;
}

const Row& compositionObjectGridCaptions()
{
    static const Row k{"", "object", "window", "cropped", "forced", "crop x", "crop y", "c. width", "c. height"};
    return k;
}

std::vector<Row> compositionObjectGridRows(const Teffect& effect, bool numbered)
{
    std::vector<Row> out;
    for (size_t i = 0; i < effect.objects.size(); ++i) {
        const TCompositionObject& o = effect.objects[i];
        const auto crop = [&](uint16_t v) { return o.isCropped() ? std::to_string(v) : std::string("----"); };
        out.push_back({numbered ? std::to_string(i + 1) : "", hex(o.objectId, 4), hex(o.windowId, 2),
                       o.isCropped() ? "true" : "false", o.isForced() ? "true" : "false", crop(o.cropX),
                       crop(o.cropY), crop(o.cropWidth), crop(o.cropHeight)});
    }
    return out;
}

uint16_t objectOfButtonColumn(const TIGbutton& b, int column)
{
    switch (column) {
    case 9: return b.normalStart;
    case 10: return b.normalEnd;
    case 13: return b.selectedStart;
    case 14: return b.selectedEnd;
    case 17: return b.activatedStart;
    case 18: return b.activatedEnd;
    default: return kNone;
    }
}

}  // namespace mirtal::ig
