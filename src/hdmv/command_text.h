#pragma once
// The vocabularies of the navigation commands, the valid-opcode test and the command grid's
// row texts (comm2str). Rendering never fails: any word pattern gives a row.

#include "hdmv/command.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace mirtal::hdmv {

// "Branch", "Compare", "Set"; empty for group 3 and above.
[[nodiscard]] std::string_view groupName(uint32_t group);
// Sub-group names: group 0 "GoTo", "Jump", "Play"; group 1 "-"; group 2 "Set", "SetSystem".
// Empty for unlisted combinations.
[[nodiscard]] std::string_view subGroupName(uint32_t group, uint32_t subGroup);
// The command-name table [group 0-2][sub-group 0-7][option 0-31]; empty outside it.
[[nodiscard]] std::string_view commandName(uint32_t group, uint32_t subGroup, uint32_t option);
// The whole table, as the editor's lists read it.
using CommandNameTable = std::array<std::array<std::array<std::string_view, 32>, 8>, 3>;
[[nodiscard]] const CommandNameTable& commandNameTable();
// PSR descriptions 0-44 ("reserved" where the register has no use); empty above 44.
[[nodiscard]] std::string_view psrDescription(uint32_t psr);

// Membership of the whole opcode word in the valid-opcode list; the operands are not inspected.
[[nodiscard]] bool isValidOpcode(uint32_t opcode);
// The distinct valid opcode words, ascending.
[[nodiscard]] const std::vector<uint32_t>& validOpcodes();

// The command's name and operand texts: column 4 without its PSR remark.
[[nodiscard]] std::string commandText(const TNavCommand& command);
// Column 4 of a command row: name + operand texts + PSR comment + language/country code.
[[nodiscard]] std::string commandLine(const TNavCommand& command);

// One row of a command grid: "0000", opcode, destination, source (8 upper-case hex digits),
// command line; and the command's validity.
struct CommandGridRow {
    std::array<std::string, 5> cells;
    bool valid = false;
};
using CommandCells = std::array<std::string, 5>;

// comm2str: the row of command `command` shown as line `index` (grid row index + 1).
[[nodiscard]] CommandGridRow comm2str(const TNavCommand& command, size_t index);
// "No.", "Opcode", "Destinat.", "Source", "Command line".
[[nodiscard]] const CommandCells& commandGridCaptions();
// The cells of every command of a list, in order.
[[nodiscard]] std::vector<CommandCells> commandGridRows(const CommandList& commands);

// The validity label beside the movie-object command grid: "  Valid" (shown greyed) or "Invalid".
[[nodiscard]] std::string_view validityLabel(bool valid);
// The tone of an invalid command: 2000 Hz, 40 ms when a row is rendered while the Menu tab is in
// front, 30 ms after an edit or a key in the command grid.
constexpr int kInvalidToneHz = 2000;
constexpr int kRenderToneMs = 40;
constexpr int kEditToneMs = 30;
// True when rendering a row sounds the tone: the command is invalid and the Menu tab is active.
[[nodiscard]] constexpr bool renderToneDue(bool valid, bool menuTabActive) { return !valid && menuTabActive; }

}  // namespace mirtal::hdmv
