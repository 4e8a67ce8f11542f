#pragma once
// What the emulator asks of a shown menu page. The IG view implements it; with none attached,
// or with one that is not active, the button commands only change the registers. Button ids
// outside the button state table (0xFFFF: none) are ignored by every call.

#include "hdmv/command.h"

#include <cstdint>

namespace mirtal::hdmv {

class MenuView {
public:
    virtual ~MenuView() = default;
    // True while the menu page is the page in front (the Menu tab, or a render run).
    [[nodiscard]] virtual bool isActive() const = 0;
    // The BOG index of a button in the button state table; -1 for ids outside the table
    // (0xFFFF: no button), which match no BOG.
    [[nodiscard]] virtual int bogOf(uint16_t buttonId) const = 0;
    // The entry of buttonId gets its enabled flag set, every other entry of its BOG cleared.
    virtual void enableExclusive(uint16_t buttonId) = 0;
    // The entry's enabled flag is cleared.
    virtual void disable(uint16_t buttonId) = 0;
    // The page list selects page (its views refresh).
    virtual void selectPage(uint32_t page) = 0;
    virtual void DrawPage() = 0;
    virtual void DrawButton(uint16_t buttonId) = 0;
    // Draws the selected button (PSR 10) in its selected state.
    virtual void DrawSButton() = 0;
    virtual void DelButton(uint16_t buttonId) = 0;
    // The commands of button buttonId of page page when that button has auto action set;
    // nullptr otherwise.
    [[nodiscard]] virtual const CommandList* autoActionCommands(uint32_t page, uint16_t buttonId) const = 0;
    // The Button list of the run panel selects this id.
    virtual void selectButtonInList(uint16_t buttonId) = 0;
    // Drawing asked for so far is carried out now: the run ends, or pauses on a message.
    virtual void flushDrawing() {}
};

}  // namespace mirtal::hdmv
