#pragma once
// Driving the shown page like a remote control: the four directions, Select, the activated-state
// animation, the mouse hit tests, and Start on the Menu tab (the auto-action default buttons).
// Commands run in the emulator, which draws through the page as its menu view.

#include "hdmv/emulator.h"
#include "ig/menu_page.h"

#include <cstdint>
#include <optional>
#include <string>

namespace mirtal::ig {

enum class Direction { Up, Down, Left, Right };

// Moves PSR 10 to the neighbour in that direction (nothing when the neighbour is the button
// itself or nothing is selected); runs an auto-action neighbour's commands at once.
void navigate(MenuPage& page, hdmv::Emulator& emulator, Direction direction);
// Activates the selected button: ActiButt, then its commands.
void selectButton(MenuPage& page, hdmv::Emulator& emulator);
// The activated-state animation of button id, which becomes the selected button.
void ActiButt(MenuPage& page, uint16_t buttonId);
// A click at page pixel (x, y): the selected button, then its upper, lower, right and left
// neighbours are tested, each against PSR 10 as it is by then.
void mouseDown(MenuPage& page, hdmv::Emulator& emulator, int x, int y);
// Start on the Menu tab: continues a pending trace with the Button list's button, or redraws
// the page and runs the auto-action default valid buttons of its BOGs in order.
void startMenu(MenuPage& page, hdmv::Emulator& emulator);

// "up", "down", "left", "right", "select" (any case); nullopt for other words.
struct NavKey {
    bool select = false;
    Direction direction = Direction::Up;
};
[[nodiscard]] std::optional<NavKey> parseNavKey(const std::string& word);

}  // namespace mirtal::ig
