#include "ig/menu_page.h"

#include "core/text.h"
#include "ig/bitmaps.h"

#include <algorithm>
#include <array>
#include <tuple>

namespace mirtal::ig {

MenuPage::MenuPage(IgMenu& menu, hdmv::Registers& regs, core::Report& report)
    : m_menu(menu), m_regs(regs), m_report(report), m_image(kPageWidth, kPageHeight, options.background)
{
    if (!m_menu.ics.pages.empty())
        m_pageIndex = 0;
    m_clean = options.background;
}

void MenuPage::reset()
{
    m_pageIndex = m_menu.ics.pages.empty() ? -1 : 0;
    m_states.clear();
    m_buttonList.clear();
    m_buttonListSelection = -1;
    m_pending.reset();
    m_decodedPages.clear();
    clearPage();
}

void MenuPage::touch(int x1, int y1, int x2, int y2)
{
    x1 = std::max(x1, 0);
    y1 = std::max(y1, 0);
    x2 = std::min(x2, kPageWidth);
    y2 = std::min(y2, kPageHeight);
    if (x1 >= x2 || y1 >= y2)
        return;
    if (m_dirty.x1 >= m_dirty.x2) {
        m_dirty = {x1, y1, x2, y2};
        return;
    }
    m_dirty = {std::min(m_dirty.x1, x1), std::min(m_dirty.y1, y1), std::max(m_dirty.x2, x2), std::max(m_dirty.y2, y2)};
}

void MenuPage::clearPage()
{
    // Only what was drawn since the page was last all background needs filling again.
    if (m_clean && *m_clean == options.background)
        m_image.fillRect(m_dirty.x1, m_dirty.y1, m_dirty.x2, m_dirty.y2, options.background);
    else
        m_image.fill(options.background);
    m_clean = options.background;
    m_dirty = {};
}

void MenuPage::text(int x, int y, const std::string& digits, Rgb background)
{
    m_image.text(x, y, digits, background);
    touch(x, y, x + RgbImage::kGlyphWidth * static_cast<int>(digits.size()), y + RgbImage::kGlyphHeight);
}

void MenuPage::frame(int x1, int y1, int x2, int y2, Rgb colour)
{
    m_image.frameRect(x1, y1, x2, y2, colour);
    touch(x1, y1, x2, y2);
}

void MenuPage::selectPageIndex(int index)
{
    if (index < 0 || static_cast<size_t>(index) >= m_menu.ics.pages.size())
        return;
    m_pageIndex = index;
    if (onPageSelected)
        onPageSelected(index);
}

const TPage* MenuPage::page() const
{
    return m_pageIndex >= 0 && static_cast<size_t>(m_pageIndex) < m_menu.ics.pages.size()
               ? &m_menu.ics.pages[static_cast<size_t>(m_pageIndex)]
               : nullptr;
}

const TIGbutton* MenuPage::button(uint32_t id) const
{
    return m_pageIndex < 0 ? nullptr : m_menu.button(static_cast<size_t>(m_pageIndex), id);
}

int MenuPage::indexForPageId(uint32_t page) const
{
    const int byId = m_menu.pageIndexOf(page);
    if (byId >= 0)
        return byId;
    return page < m_menu.ics.pages.size() ? static_cast<int>(page) : -1;
}

uint32_t MenuPage::frameDelay() const
{
    const TPage* p = page();
    return p ? frameDelayMs(m_menu.ics.frameRateId, p->animationFrameRateCode) : 0;
}

int MenuPage::bogOf(uint16_t buttonId) const
{
    return buttonId < m_states.size() ? m_states[buttonId].bog : -1;
}

void MenuPage::enableExclusive(uint16_t buttonId)
{
    if (buttonId >= m_states.size())
        return;
    const uint8_t bog = m_states[buttonId].bog;
    for (auto& s : m_states)
        if (s.bog == bog)
            s.enabled = false;
    m_states[buttonId].enabled = true;
}

void MenuPage::disable(uint16_t buttonId)
{
    if (buttonId < m_states.size())
        m_states[buttonId].enabled = false;
}

void MenuPage::selectPage(uint32_t page)
{
    const int index = indexForPageId(page);
    if (index < 0) {
        m_report.log("Page " + std::to_string(page) + " is not in the menu; the page stays as it is.");
        return;
    }
    selectPageIndex(index);
}

void MenuPage::rebuildStates()
{
    m_buttonList.clear();
    m_states.clear();
    const TPage* p = page();
    if (p) {
        size_t count = 0;
        for (const auto& bog : p->bogs)
            count += bog.buttons.size();
        m_states.assign(count, ButtonState{});
        for (size_t g = 0; g < p->bogs.size(); ++g) {
            const TBOG& bog = p->bogs[g];
            for (size_t i = 0; i < bog.buttons.size(); ++i) {
                const uint16_t id = bog.buttons[i].buttonId;
                m_buttonList.push_back(core::hex(id, 4));
                if (id >= count)
                    continue;    // left out of the table (logged by the load)
                m_states[id] = {bog.defaultValidButton != kNone && bog.defaultValidButton == id,
                                static_cast<uint8_t>(g), static_cast<uint8_t>(i)};
            }
        }
    }
    m_buttonListSelection = m_buttonList.empty() ? -1 : 0;
    m_regs.psr[kMarkerPsr] = m_regs.psr[11];
}

void MenuPage::decodeObjects()
{
    const TPage* p = page();
    if (!p || m_menu.objectIndex.empty())
        return;
    // Once a page: the pixel caches stay for the whole load.
    if (m_decodedPages.size() != m_menu.ics.pages.size())
        m_decodedPages.assign(m_menu.ics.pages.size(), false);
    if (m_decodedPages[static_cast<size_t>(m_pageIndex)])
        return;
    m_decodedPages[static_cast<size_t>(m_pageIndex)] = true;
    const uint32_t last = static_cast<uint32_t>(m_menu.objectIndex.size() - 1);
    for (const auto& bog : p->bogs)
        for (const auto& b : bog.buttons)
            for (const auto& [start, end] : {std::pair{b.normalStart, b.normalEnd},
                                             std::pair{b.selectedStart, b.selectedEnd},
                                             std::pair{b.activatedStart, b.activatedEnd}})
                for (uint32_t id = start; id <= end && id <= last && id < kNone; ++id)
                    if (TIGobject* obj = m_menu.object(id); obj && !obj->decoded)
                        (void)decodeObject(m_menu, *obj, m_report);
}

void MenuPage::DrawPage()
{
    if (m_regs.psr[11] != m_regs.psr[kMarkerPsr])
        rebuildStates();
    decodeObjects();
    m_pending = PendingPage{m_regs.psr[10], m_regs.psr[11], m_states};
}

void MenuPage::paintPending()
{
    if (!m_pending)
        return;
    const PendingPage p = std::move(*m_pending);
    m_pending.reset();
    m_report.slog("", 1);
    clearPage();
    for (size_t id = 0; id < p.states.size(); ++id)
        if (p.states[id].enabled)
            drawButtonNow(static_cast<uint16_t>(id));
    if (p.selected < 0xFFFF)
        drawSelectedNow(p.selected);
    m_report.slog("PSR10: " + core::hex(p.selected, 4) + " (" + std::to_string(p.selected) + "), PSR11: " +
                      core::hex(p.pageId, 2) + " (" + std::to_string(p.pageId) + ")",
                  1);
}

std::pair<int, int> MenuPage::objectSize(uint32_t objectId) const
{
    const TIGobject* obj = objectId == kNone ? nullptr : m_menu.object(objectId);
    return obj ? std::pair<int, int>{obj->width, obj->height} : std::pair<int, int>{0, 0};
}

std::pair<int, int> MenuPage::drawObject(uint32_t objectId, int x, int y)
{
    paintPending();
    const TIGobject* obj = objectId == kNone ? nullptr : m_menu.object(objectId);
    const TPage* p = page();
    if (!obj || !obj->decoded || !p)
        return {0, 0};
    // Opaque: an entry's alpha is not applied.
    const TRGBpalettes& pal = id2pal(m_menu, p->paletteId, m_report);
    // Every entry id's colour, black past the palette's end.
    std::array<uint8_t, 256 * 3> rgb{};
    for (size_t v = 0; v < pal.size() && v < 256; ++v) {
        rgb[v * 3] = pal[v].r;
        rgb[v * 3 + 1] = pal[v].g;
        rgb[v * 3 + 2] = pal[v].b;
    }
    const int w = obj->width;
    const int h = obj->height;
    const int x0 = std::max(0, -x), x1 = std::min(w, kPageWidth - x);
    const int held = obj->linesHeld();
    touch(x, y, x + w, y + h);
    for (int j = std::max(0, -y); j < h && y + j < kPageHeight; ++j) {
        uint8_t* dst = m_image.row(y + j) + (x + x0) * 3;
        // Below the lines the data reach, entry 0.
        const uint8_t* src = j < held ? obj->pixels.data() + static_cast<size_t>(j) * w + x0 : nullptr;
        uint8_t* const end = dst + static_cast<size_t>(std::max(0, x1 - x0)) * 3;
        for (; dst < end; dst += 3) {
            const uint8_t* c = rgb.data() + (src ? *src++ : 0) * 3;
            dst[0] = c[0];
            dst[1] = c[1];
            dst[2] = c[2];
        }
    }
    return {w, h};
}

void MenuPage::DrawButton(uint16_t buttonId)
{
    paintPending();
    drawButtonNow(buttonId);
}

void MenuPage::drawButtonNow(uint16_t buttonId)
{
    if (buttonId == kNone)
        return;
    const TIGbutton* b = button(buttonId);
    const TPage* p = page();
    if (!b || !p || b->normalStart == kNone)
        return;
    drawObject(b->normalStart, b->x, b->y);
    const auto [w, h] = objectSize(b->normalStart);
    if (options.showWindowFrame)
        for (size_t i = 0; i < p->inEffects.windowsKept(); ++i) {
            const TWindow& win = p->inEffects.windows[i];
            frame(win.x, win.y, win.x + win.width, win.y + win.height, options.window);
        }
    const bool hasCommands = !b->commands.empty();
    const Rgb textBack = hasCommands ? options.normalButton : options.invalidButton;
    if (options.showButtonId)
        text(b->x + 3, b->y + 3, core::hex(b->buttonId, 4), textBack);
    if (options.showObjectId)
        text(b->x + w - 28, b->y + h - 16, core::hex(b->normalStart, 4), textBack);
    if (options.showButtonFrame)
        frame(b->x, b->y, b->x + w, b->y + h, hasCommands ? options.normalFrame : options.invalidFrame);
}

std::pair<int, int> MenuPage::animate(uint16_t start, uint16_t end, int x, int y)
{
    paintPending();
    // Ids above the highest object id draw nothing: the range stops there, so a hostile range
    // cannot hold the view for thousands of empty frames.
    const uint32_t top = m_menu.objectIndex.empty() ? 0 : static_cast<uint32_t>(m_menu.objectIndex.size() - 1);
    const uint32_t last = std::min<uint32_t>(end, std::max<uint32_t>(top, start));
    const uint32_t delay = frameDelay();
    std::pair<int, int> size{0, 0};
    for (uint32_t id = start; id <= last && id < kNone; ++id) {
        if (const auto drawn = drawObject(id, x, y); drawn.first)
            size = drawn;
        if (onRefresh)
            onRefresh();
        m_report.wait(static_cast<int>(delay));
    }
    return size;
}

void MenuPage::DrawSButton()
{
    paintPending();
    drawSelectedNow(m_regs.psr[10] & 0xFFFF);
}

void MenuPage::drawSelectedNow(uint32_t buttonId)
{
    const TIGbutton* b = button(buttonId & 0xFFFF);
    if (!b || b->selectedStart == kNone)
        return;
    auto [w, h] = animate(b->selectedStart, b->selectedEnd, b->x, b->y);
    if (w == 0)
        std::tie(w, h) = objectSize(b->selectedStart);
    if (options.showButtonId)
        text(b->x + 3, b->y + 3, core::hex(b->buttonId, 4), options.selectedButton);
    if (options.showObjectId)
        text(b->x + w - 28, b->y + h - 16, core::hex(b->selectedEnd, 4), options.selectedButton);
    if (options.showButtonFrame)
        frame(b->x, b->y, b->x + w, b->y + h, options.selectedFrame);
}

void MenuPage::DelButton(uint16_t buttonId)
{
    paintPending();
    if (buttonId >= m_states.size())
        return;
    const uint8_t bog = m_states[buttonId].bog;
    for (const auto& s : m_states)
        if (s.bog == bog && s.enabled)
            return;
    const TIGbutton* b = button(buttonId);
    if (!b || b->normalStart == kNone)
        return;
    const auto [w, h] = objectSize(b->normalStart);
    m_image.fillRect(b->x, b->y, b->x + w, b->y + h, options.background);
    touch(b->x, b->y, b->x + w, b->y + h);
}

const hdmv::CommandList* MenuPage::autoActionCommands(uint32_t page, uint16_t buttonId) const
{
    const int index = indexForPageId(page);
    if (index < 0)
        return nullptr;
    const TIGbutton* b = m_menu.button(static_cast<size_t>(index), buttonId);
    return b && b->autoAction ? &b->commands : nullptr;
}

uint16_t MenuPage::buttonListId() const
{
    if (m_buttonListSelection < 0 || static_cast<size_t>(m_buttonListSelection) >= m_buttonList.size())
        return kNone;
    return static_cast<uint16_t>(core::hexToNumber(m_buttonList[static_cast<size_t>(m_buttonListSelection)]));
}

void MenuPage::selectButtonInList(uint16_t buttonId)
{
    const std::string text = core::hex(buttonId, 4);
    for (size_t i = 0; i < m_buttonList.size(); ++i)
        if (m_buttonList[i] == text) {
            m_buttonListSelection = static_cast<int>(i);
            return;
        }
}

}  // namespace mirtal::ig
