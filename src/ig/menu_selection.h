#pragma once
// What the Menu tab's selections show and play: where a button sits among its page's BOGs, the
// object range a button grid column animates in the object preview, and whether a count field
// of the page header opens its effects sub-tab. The window and the tests call these.

#include "core/report.h"
#include "ig/ig.h"

#include <cstdint>
#include <functional>
#include <optional>

namespace mirtal::ig {

// The BOG (position in the page) and the position within it of a button.
struct ButtonPlace {
    size_t bog = 0;
    size_t index = 0;
};
// The first button of the page with this id, BOG after BOG; nullopt when none has it.
[[nodiscard]] std::optional<ButtonPlace> findButton(const TPage& page, uint32_t buttonId);

// The animation of one state of a button in the object preview.
struct PreviewAnimation {
    uint16_t start = kNone;
    uint16_t end = kNone;
    bool repeat = false;          // played pass after pass until Cancel
    uint16_t shownAfter = kNone;  // what the preview shows when it ends: the clicked column's object
};
// Columns 9-10 (normal) and 13-14 (selected) repeat when the state's repeat flag (bit 7 of its
// flags byte) is set; 17-18 (activated) play once. nullopt for every other column.
[[nodiscard]] std::optional<PreviewAnimation> previewAnimation(const TIGbutton& button, int column);

// Plays the animation: show(id) for each object of the range with one frame delay after it,
// once or until the report is cancelled (looked at after every frame), then show(shownAfter).
// Ids above the menu's highest object id are not played, so a hostile range ends where the
// objects end.
void playPreview(const IgMenu& menu, const PreviewAnimation& animation, uint32_t frameDelayMs, core::Report& report,
                 const std::function<void(uint16_t objectId)>& show);

// A click on a count field of the in or out effects switches to that sub-tab when the sequence
// has any window or effect.
[[nodiscard]] inline bool effectsTabOpens(const Teffectseq& effects)
{
    return effects.numberOfWindows + effects.numberOfEffects != 0;
}

}  // namespace mirtal::ig
