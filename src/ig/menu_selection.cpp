#include "ig/menu_selection.h"

#include <algorithm>

namespace mirtal::ig {

std::optional<ButtonPlace> findButton(const TPage& page, uint32_t buttonId)
{
    for (size_t g = 0; g < page.bogs.size(); ++g)
        for (size_t i = 0; i < page.bogs[g].buttons.size(); ++i)
            if (page.bogs[g].buttons[i].buttonId == buttonId)
                return ButtonPlace{g, i};
    return std::nullopt;
}

std::optional<PreviewAnimation> previewAnimation(const TIGbutton& b, int column)
{
    PreviewAnimation a;
    switch (column) {
    case 9: case 10:
        a = {b.normalStart, b.normalEnd, (b.normalFlags & 0x80) != 0, column == 9 ? b.normalStart : b.normalEnd};
        break;
    case 13: case 14:
        a = {b.selectedStart, b.selectedEnd, (b.selectedFlags & 0x80) != 0,
             column == 13 ? b.selectedStart : b.selectedEnd};
        break;
    case 17: case 18:
        a = {b.activatedStart, b.activatedEnd, false, column == 17 ? b.activatedStart : b.activatedEnd};
        break;
    default:
        return std::nullopt;
    }
    return a;
}

void playPreview(const IgMenu& menu, const PreviewAnimation& animation, uint32_t frameDelayMs, core::Report& report,
                 const std::function<void(uint16_t objectId)>& show)
{
    const uint32_t top = menu.objectIndex.empty() ? 0 : static_cast<uint32_t>(menu.objectIndex.size() - 1);
    const uint32_t last = std::min<uint32_t>({animation.end, top, kNone - 1});
    const bool frames = animation.start != kNone && animation.start <= last;
    bool cancelled = false;
    do {
        for (uint32_t id = animation.start; frames && id <= last && !cancelled; ++id) {
            show(static_cast<uint16_t>(id));
            report.wait(static_cast<int>(frameDelayMs));
            cancelled = report.cancelled();
        }
    } while (frames && animation.repeat && !cancelled);
    show(animation.shownAfter);
}

}  // namespace mirtal::ig
