#pragma once
// The command editor on the BDMV tab as functions the window only calls: filling the editor from
// a command, writing each field back, inserting and deleting lines with the GoTo upkeep, the grid
// keys and the double-click follow.

#include "hdmv/command.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace mirtal::hdmv {

enum class OperandType { GPR, PSR, Imm };
[[nodiscard]] std::string_view operandTypeText(OperandType type);    // "GPR", "PSR", "Imm"
// "GPR", "PSR" or "Imm"; nullopt for any other text.
[[nodiscard]] std::optional<OperandType> operandTypeFromText(std::string_view text);

struct OperandFill {
    bool enabled = false;     // type list, number field, hex field enabled; the present box checked
    OperandType type = OperandType::GPR;
    uint32_t number = 0;      // ieOp1/ieOp2: register number, or the whole word for "Imm"
    std::string numberText;   // as the decimal field shows it (a signed 32-bit value)
    uint32_t word = 0;        // heDEH/heSOH
};

// What the editor controls show for a command.
struct CommandEditorFill {
    int group = -1;                       // cbCmdGrp selection; -1 for group 3
    std::vector<std::string> subGroups;   // cbCmdSGrp items, up to the first empty name
    int subGroup = -1;                    // its selection; -1 when beyond the items
    std::vector<std::string> options;     // cbCmd items, up to the first empty name
    int option = -1;                      // its selection; -1 when beyond the items
    uint32_t opcode = 0;                  // heOCH
    OperandFill op1, op2;
    std::string hint;                     // the command grid's hint
    bool valid = false;                   // lValid
};
[[nodiscard]] CommandEditorFill editorFill(const TNavCommand& command);

// Field writes; each changes the command in place. The window re-renders the row afterwards and,
// except for the type lists, fills the editor again.
void setGroup(TNavCommand& command, uint32_t group);          // sub-group and option reset to 0
void setSubGroup(TNavCommand& command, uint32_t subGroup);    // option reset to 0
void setOption(TNavCommand& command, uint32_t option);        // by the command's group
// The operand-present boxes: unchecking operand 1 also unchecks operand 2, checking operand 2
// also checks operand 1; the operand count becomes the number of checked boxes.
void setOperand1Present(TNavCommand& command, bool checked);
void setOperand2Present(TNavCommand& command, bool checked);
// Type lists: the I-flag is cleared, "Imm" sets it; "GPR"/"PSR" set bit 31 of the operand word.
void setOperand1Type(TNavCommand& command, OperandType type);
void setOperand2Type(TNavCommand& command, OperandType type);
// Number fields (left): the word := number modulo 2^32; with type "PSR" plus 0x80000000.
void setOperand1Number(TNavCommand& command, int64_t number, OperandType shownType);
void setOperand2Number(TNavCommand& command, int64_t number, OperandType shownType);
// heOCH left: opcode := value; 0 also clears both operands. Returns true when the command is now
// invalid: the 2000 Hz tone sounds for 30 ms.
[[nodiscard]] bool setOpcodeWord(TNavCommand& command, uint32_t value);
void setDestinationWord(TNavCommand& command, uint32_t value);
void setSourceWord(TNavCommand& command, uint32_t value);

// Programs hold at most this many lines: an insertion into a longer one does nothing.
constexpr size_t kMaxCommandLines = 9999;

// What an insertion or deletion changed: the lines to re-render (command indices, ascending,
// each once) and the line to select afterwards.
struct LineEdit {
    size_t linesInserted = 0;
    size_t linesRemoved = 0;
    std::vector<size_t> changedLines;
    size_t selectLine = 0;
    bool nowEmpty = false;    // no command remains: the grid is reset and disabled
};

// updategotos: every immediate GoTo (20810000) whose target is above `after` (signed against
// unsigned) gets target + delta modulo 2^32. Returns the lines changed.
std::vector<size_t> updategotos(CommandList& commands, int64_t after, int64_t delta);

// Insert line: a NOP after the last selected line (clamped to the list; any value for an empty
// list gives line 0). Nothing (linesInserted 0) when the list already has 9999 lines or more.
LineEdit insertLine(CommandList& commands, size_t lastSelected);
// Inserts lines after the last selected line (at 0 for an empty list), the GoTo targets below
// them moved down; nothing when the list would exceed 9999 lines.
LineEdit insertLines(CommandList& commands, size_t lastSelected, const CommandList& lines);
// Delete lines first..last (clamped to the list; nothing when it is empty or first is beyond it).
LineEdit deleteLines(CommandList& commands, size_t first, size_t last);
// Shift+N: the line becomes a NOP. Returns the line to select next (the following one when there
// is one); nullopt when the line is outside the list.
std::optional<size_t> makeNop(CommandList& commands, size_t line);

// A grid selection in grid coordinates (row r shows command r - 1; columns 1-4).
struct GridSelection {
    int left = 1, top = 1, right = 4, bottom = 1;
};
// Ctrl+A: rows 1 … count, columns 1-4.
[[nodiscard]] GridSelection selectAllLines(const CommandList& commands);

enum class GridKey { Down, Up, Other };
// The validity label after a key in the command grid on line `line`: the line whose validity it
// shows (the row below / above when there is one), its validity, and whether the 30 ms tone sounds.
struct KeyValidity {
    size_t line = 0;
    bool valid = true;
    bool tone = false;
};
[[nodiscard]] std::optional<KeyValidity> keyValidity(const CommandList& commands, size_t line, GridKey key);

// Double-click on a command line: what it names.
struct FollowTarget {
    enum class Kind { None, GoToLine, Title, PlayList, ButtonPage };
    Kind kind = Kind::None;
    uint32_t line = 0;              // GoToLine: the target line (grid row line + 1)
    bool lineInList = false;        //   whether that line exists (other lines are ignored)
    uint32_t title = 0;             // Title: shown on the BDMV tab
    bool selectTitle = false;       //   0 < title < 1000: the title grid selects it
    uint32_t playList = 0;          // PlayList: the list entry to select and read
    std::string playListName;       //   5 digits, left-padded with "0"
    std::optional<uint32_t> playItem;    // Play PL_PI with immediate operands: the PlayItem row - 1
    std::optional<uint32_t> page;        // ButtonPage: page to select (source and 0xFF)
    std::optional<uint16_t> button;      // ButtonPage: button id to show (destination and 0xFFFF)
};
[[nodiscard]] FollowTarget followTarget(const CommandList& commands, size_t line);

}  // namespace mirtal::hdmv
