#include "ig/navigation.h"

#include "core/text.h"
#include "hdmv/runner.h"

namespace mirtal::ig {
namespace {

uint16_t neighbour(const TIGbutton& b, Direction d)
{
    switch (d) {
    case Direction::Up: return b.upper;
    case Direction::Down: return b.lower;
    case Direction::Left: return b.left;
    case Direction::Right: return b.right;
    }
    return b.buttonId;
}

// A button's commands from the top (or a positioned trace), as the select action runs them.
void runButton(MenuPage& page, hdmv::Emulator& emulator, const TIGbutton& b)
{
    page.selectButtonInList(b.buttonId);
    const hdmv::CommandList commands = b.commands;    // the run may change the page it came from
    (void)hdmv::startButton(emulator, commands);
}

bool hits(MenuPage& page, uint32_t id, int x, int y)
{
    const TIGbutton* b = page.button(id);
    if (!b || b->selectedStart == kNone)
        return false;
    const auto [w, h] = page.objectSize(b->selectedStart);
    return b->x <= x && x <= b->x + w && b->y <= y && y <= b->y + h;
}

}  // namespace

void navigate(MenuPage& page, hdmv::Emulator& emulator, Direction direction)
{
    const uint32_t c = page.registers().psr[10] & 0xFFFF;
    const TIGbutton* b = page.button(c);
    if (c == kNone || !b)
        return;
    const uint16_t n = neighbour(*b, direction);
    if (n == c)
        return;
    page.DrawButton(static_cast<uint16_t>(c));
    page.registers().psr[10] = n;
    page.DrawSButton();
    if (const TIGbutton* next = page.button(n); next && next->autoAction)
        runButton(page, emulator, *next);
}

void ActiButt(MenuPage& page, uint16_t buttonId)
{
    auto& psr = page.registers().psr;
    psr[10] = buttonId;
    if (const TIGbutton* b = page.button(buttonId);
        b && b->activatedStart != kNone && b->activatedEnd >= b->activatedStart)
        page.animate(b->activatedStart, b->activatedEnd, b->x, b->y);
    page.report().slog("PSR10: " + core::hex(psr[10], 4) + ", PSR11: " + core::hex(psr[11], 2), 1);
}

void selectButton(MenuPage& page, hdmv::Emulator& emulator)
{
    const uint32_t c = page.registers().psr[10] & 0xFFFF;
    const TIGbutton* b = page.button(c);
    if (c == kNone || !b)
        return;
    const TIGbutton button = *b;
    ActiButt(page, button.buttonId);
    runButton(page, emulator, button);
}

void mouseDown(MenuPage& page, hdmv::Emulator& emulator, int x, int y)
{
    page.report().slog(std::to_string(x) + ", " + std::to_string(y), 1);
    const auto selected = [&]() { return page.registers().psr[10] & 0xFFFF; };
    const auto neighbourOfSelected = [&](Direction d) -> uint32_t {
        const TIGbutton* b = page.button(selected());
        return b ? neighbour(*b, d) : kNone;
    };
    if (hits(page, selected(), x, y))
        selectButton(page, emulator);
    if (hits(page, neighbourOfSelected(Direction::Up), x, y))
        navigate(page, emulator, Direction::Up);
    if (hits(page, neighbourOfSelected(Direction::Down), x, y))
        navigate(page, emulator, Direction::Down);
    if (hits(page, neighbourOfSelected(Direction::Right), x, y))
        navigate(page, emulator, Direction::Right);
    if (hits(page, neighbourOfSelected(Direction::Left), x, y))
        navigate(page, emulator, Direction::Left);
}

void startMenu(MenuPage& page, hdmv::Emulator& emulator)
{
    if (emulator.trace && emulator.RunPending) {
        if (const TIGbutton* b = page.button(page.buttonListId())) {
            const hdmv::CommandList commands = b->commands;
            (void)emulator.ExecComm(commands);
        }
        return;
    }
    emulator.CurrentLine = 0;
    page.DrawPage();
    const TPage* p = page.page();
    if (!p)
        return;
    const std::vector<TBOG> bogs = p->bogs;    // a run may switch the page
    for (const auto& bog : bogs) {
        if (bog.defaultValidButton == kNone)
            continue;
        for (const auto& b : bog.buttons)
            if (b.buttonId == bog.defaultValidButton) {
                if (b.autoAction)
                    runButton(page, emulator, b);
                break;
            }
    }
}

std::optional<NavKey> parseNavKey(const std::string& word)
{
    const std::string w = core::toUpper(word);
    if (w == "UP") return NavKey{false, Direction::Up};
    if (w == "DOWN") return NavKey{false, Direction::Down};
    if (w == "LEFT") return NavKey{false, Direction::Left};
    if (w == "RIGHT") return NavKey{false, Direction::Right};
    if (w == "SELECT") return NavKey{true, Direction::Up};
    return std::nullopt;
}

}  // namespace mirtal::ig
