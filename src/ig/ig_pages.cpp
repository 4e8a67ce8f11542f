// Page parsing from the first composition, and the look-ups over the loaded model.
#include "core/field_reader.h"
#include "core/text.h"
#include "ig/ig_load.h"

#include <algorithm>

namespace mirtal::ig {
namespace {

void readEffects(core::FieldReader& in, Teffectseq& seq, const std::string& where, core::Report& report)
{
    seq.numberOfWindows = in.readbyte();
    if (seq.numberOfWindows > 2)
        report.log(where + " declares " + std::to_string(seq.numberOfWindows) +
                   " windows; only the first two are kept.");
    for (unsigned i = 0; i < seq.numberOfWindows; ++i) {
        TWindow w;
        w.id = in.readbyte();
        w.x = in.readword();
        w.y = in.readword();
        w.width = in.readword();
        w.height = in.readword();
        if (i < 2)
            seq.windows[i] = w;
    }
    seq.numberOfEffects = in.readbyte();
    for (unsigned e = 0; e < seq.numberOfEffects && !in.overrun(); ++e) {
        Teffect effect;
        effect.duration = in.read3byte();
        effect.paletteId = in.readbyte();
        effect.numberOfObjects = in.readbyte();
        for (unsigned o = 0; o < effect.numberOfObjects && !in.overrun(); ++o) {
            TCompositionObject co;
            co.objectId = in.readword();
            co.windowId = in.readbyte();
            co.flags = in.readbyte();
            co.x = in.readword();
            co.y = in.readword();
            if (co.isCropped()) {
                co.cropX = in.readword();
                co.cropY = in.readword();
                co.cropWidth = in.readword();
                co.cropHeight = in.readword();
            }
            effect.objects.push_back(co);
        }
        seq.effects.push_back(std::move(effect));
    }
}

TIGbutton readButton(core::FieldReader& in)
{
    TIGbutton b;
    b.buttonId = in.readword();
    b.numericSelectValue = in.readword();
    b.autoAction = in.readbyte() >> 7;
    b.x = in.readword();
    b.y = in.readword();
    b.upper = in.readword();
    b.lower = in.readword();
    b.left = in.readword();
    b.right = in.readword();
    b.normalStart = in.readword();
    b.normalEnd = in.readword();
    b.normalFlags = in.readbyte();
    b.selectedSound = in.readbyte();
    b.selectedStart = in.readword();
    b.selectedEnd = in.readword();
    b.selectedFlags = in.readbyte();
    b.activatedSound = in.readbyte();
    b.activatedStart = in.readword();
    b.activatedEnd = in.readword();
    b.numberOfCommands = in.readword();
    // Bound the list by what the composition can still hold.
    b.commands.reserve(in.fitting(b.numberOfCommands, 12));
    for (unsigned i = 0; i < b.numberOfCommands && !in.overrun(); ++i) {
        hdmv::TNavCommand c;
        c.opcode = in.readlword();
        c.destination = in.readlword();
        c.source = in.readlword();
        b.commands.push_back(c);
    }
    return b;
}

}  // namespace

void parsePages(IgMenu& menu, core::Report& report)
{
    TIGSc& c = menu.ics;
    // The first composition: its fragments up to the one that ends the sequence.
    std::vector<uint8_t> data;
    for (const auto& f : c.fragments) {
        menu.scratch->readInto(f.scratchPos, f.dataLength, data);
        if (f.sequenceFlags & 1)
            break;
    }
    if (c.fragments.empty()) {
        report.erlog("No interactive composition in " + menu.streamName + ": there are no pages to show.");
        c.pages.clear();
        c.pageButtons.clear();
    }
    core::FieldReader in(data);
    const size_t count = c.pages.size();
    for (size_t i = 0; i < count; ++i) {
        report.progress(80 + static_cast<int64_t>(i + 1) * 20 / static_cast<int64_t>(count), 100);
        (void)report.cancelled();    // lets a window process its events
        TPage& p = c.pages[i];
        const std::string where = "Page " + std::to_string(i);
        p.pageId = in.readbyte();
        p.pageVersion = in.readbyte();
        p.uoMask1 = in.readlword();
        p.uoMask2 = in.readlword();
        readEffects(in, p.inEffects, where + " (in effects)", report);
        readEffects(in, p.outEffects, where + " (out effects)", report);
        p.animationFrameRateCode = in.readbyte();
        p.defaultSelectedButton = in.readword();
        p.defaultActivatedButton = in.readword();
        p.paletteId = in.readbyte();
        p.numberOfBOGs = in.readbyte();
        size_t buttons = 0;
        for (unsigned g = 0; g < p.numberOfBOGs && !in.overrun(); ++g) {
            TBOG bog;
            bog.defaultValidButton = in.readword();
            bog.numberOfButtons = in.readbyte();
            for (unsigned b = 0; b < bog.numberOfButtons && !in.overrun(); ++b)
                bog.buttons.push_back(readButton(in));
            buttons += bog.buttons.size();
            p.bogs.push_back(std::move(bog));
        }
        if (in.overrun()) {
            report.erlog("The interactive composition of " + menu.streamName + " ends inside page " +
                         std::to_string(i) + " (" + std::to_string(data.size()) + " bytes).");
            c.pages.resize(i);
            c.pageButtons.resize(i);
            break;
        }
        auto& table = c.pageButtons[i].byId;
        table.assign(buttons, std::nullopt);
        for (const auto& bog : p.bogs)
            for (const auto& b : bog.buttons) {
                if (b.buttonId < buttons)
                    table[b.buttonId] = b;
                else
                    report.log(where + ": button id " + core::hex(b.buttonId, 4) + " is not below the page's " +
                               std::to_string(buttons) + " buttons; it is left out of the button table.");
            }
    }

    const size_t objects = menu.objects.size();
    menu.objectIndex.assign(objects, kNone);
    for (size_t k = 0; k < objects; ++k) {
        const uint16_t id = menu.objects[k].objectId;
        if (id < objects)
            menu.objectIndex[id] = static_cast<uint16_t>(k);
        else
            report.log("Object id " + core::hex(id, 4) + " is not below the object count " + std::to_string(objects) +
                       "; it is left out of the object table.");
    }
    menu.paletteCache.assign(menu.palettes.size(), std::nullopt);
    if (!c.fragments.empty() && frameDelayMs(c.frameRateId, 1) == 0)
        report.log("Frame rate id " + std::to_string(c.frameRateId) +
                   " has no frame duration: animations run without a frame delay.");
}

TIGobject* IgMenu::object(uint32_t objectId)
{
    if (objectId >= objectIndex.size() || objectIndex[objectId] >= objects.size())
        return nullptr;
    return &objects[objectIndex[objectId]];
}

const TIGobject* IgMenu::object(uint32_t objectId) const
{
    return const_cast<IgMenu*>(this)->object(objectId);
}

const TIGbutton* IgMenu::button(size_t pageIndex, uint32_t buttonId) const
{
    return pageIndex < ics.pageButtons.size() ? ics.pageButtons[pageIndex].find(buttonId) : nullptr;
}

int IgMenu::pageIndexOf(uint32_t pageId) const
{
    for (size_t i = 0; i < ics.pages.size(); ++i)
        if (ics.pages[i].pageId == pageId)
            return static_cast<int>(i);
    return -1;
}

std::string frameRateName(uint8_t id)
{
    switch (id) {
    case 1: return "23.976";
    case 2: return "24";
    case 3: return "25";
    case 4: return "29.97";
    case 6: return "50";
    case 7: return "59.94";
    default: return "reserved";
    }
}

uint32_t frameDelayMs(uint8_t frameRateId, uint8_t frameRateCode)
{
    uint64_t d = 0, n = 1;
    switch (frameRateId) {
    case 1: d = 1001; n = 24000; break;
    case 2: d = 1000; n = 24000; break;
    case 3: d = 1000; n = 25000; break;
    case 4: d = 1001; n = 30000; break;
    case 6: d = 1000; n = 50000; break;
    case 7: d = 1001; n = 60000; break;
    default: return 0;    // no frame duration for the reserved ids: no delay
    }
    return static_cast<uint32_t>(uint64_t{frameRateCode} * 1000 * d / n);
}

}  // namespace mirtal::ig
