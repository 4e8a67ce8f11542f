#pragma once
// Navigation programs as text, for export, import and the clipboard: one command a line in the
// command grid's text (without its PSR remark), labels for GoTo targets, comments after ";", and
// "raw OPCODE DESTINATION SOURCE" for a command that no text gives back exactly. Bits that the
// grid's text does not show ride along as "[d|=0x…]" and "[s|=0x…]", or'ed into the destination
// and source words, so that every command of a real program reads back to the same three words.

#include "hdmv/command.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mirtal::hdmv {

constexpr uint32_t kGoToImmediate = 0x20810000;

// Where a text went wrong: line and column from 1, and what was expected there.
struct ProgramError {
    size_t line = 0;
    size_t column = 0;
    std::string message;
};
// "LINE:COLUMN: message".
[[nodiscard]] std::string errorText(const ProgramError& error);

// The text of one command. gotoLabel: for an immediate GoTo, the label that stands at its target
// (the text names it instead of the line number).
[[nodiscard]] std::string commandSourceText(const TNavCommand& command, const std::string& gotoLabel = {});

// One command from its text. column: the column of text[0] in its line. An immediate GoTo may
// name a label: it comes back in gotoLabel with its column, for the caller to resolve.
struct AssembledCommand {
    TNavCommand command;
    std::string gotoLabel;
    size_t labelColumn = 0;
};
[[nodiscard]] std::optional<AssembledCommand> assembleCommand(std::string_view text, size_t column,
                                                              ProgramError& error);

// A program text cut into its sections: the commands before the first header line, then one
// section per header line (a line whose first word is `headerWord`, its text after that word
// kept for the caller). GoTo labels are resolved within their section; a label may stand after
// the section's last command.
struct ProgramSection {
    size_t line = 0;    // the header's line; 0 for the commands before any header
    std::string_view header;    // a part of the text parsed, without trailing blanks
    size_t headerColumn = 0;
    CommandList commands;
    std::vector<size_t> labelled;    // the commands whose GoTo target came from a label
};
[[nodiscard]] std::vector<ProgramSection> parseProgram(std::string_view text, std::string_view headerWord,
                                                       std::vector<ProgramError>& errors);

// The lines of a command list, each indented by `indent` and ended by "\n", appended to `out`: a
// label ("L" + line) at each line an immediate GoTo of the list jumps to, and such GoTos by label.
void appendCommandListText(std::string& out, const CommandList& commands, std::string_view indent);

// The clipboard's text of lines first..last of a list: a GoTo into the block goes by label, any
// other by its line number.
[[nodiscard]] std::string copyText(const CommandList& commands, size_t first, size_t last);
// The clipboard's lines as commands to insert at line `at` of a list: a GoTo by label lands on
// its line there, a GoTo by number stays as written. nullopt (and the errors) when any line has
// an error or there is no command.
[[nodiscard]] std::optional<CommandList> pasteText(std::string_view text, size_t at, std::vector<ProgramError>& errors);

}  // namespace mirtal::hdmv
