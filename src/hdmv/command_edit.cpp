#include "hdmv/command_edit.h"

#include "core/number_fields.h"
#include "core/text.h"
#include "hdmv/command_text.h"

#include <algorithm>

namespace mirtal::hdmv {
namespace {

constexpr uint32_t kIFlag1 = 0x00800000;
constexpr uint32_t kIFlag2 = 0x00400000;

bool operand1Checked(uint32_t o)
{
    return ((o >> 29) & 3) != 0;
}

bool operand2Checked(uint32_t o)
{
    return ((o >> 30) & 1) != 0;
}

void setOperandCount(TNavCommand& c, bool op1, bool op2)
{
    const uint32_t count = (op1 ? 1u : 0u) + (op2 ? 1u : 0u);
    c.opcode = (c.opcode & 0x1FFFFFFF) + (count << 29);
}

// Operand type and number as the editor shows them; a PSR below 41 also gives the grid's hint.
OperandFill fillOperand(bool enabled, bool immediate, uint32_t word, std::string& hint)
{
    OperandFill f;
    f.enabled = enabled;
    f.word = word;
    f.number = word;
    if (immediate) {
        f.type = OperandType::Imm;
    } else if (word >> 31) {
        f.type = OperandType::PSR;
        f.number = word & 0x7F;
        if (f.number < 41)
            hint = "PSR" + std::to_string(f.number) + ": " + std::string(psrDescription(f.number));
    } else {
        f.type = OperandType::GPR;
        f.number = word & 0xFFF;
    }
    f.numberText = core::intEditText(static_cast<int32_t>(f.number));
    return f;
}

uint32_t operandWord(int64_t number, OperandType shownType)
{
    const auto w = static_cast<uint32_t>(static_cast<uint64_t>(number));
    return shownType == OperandType::PSR ? w + 0x80000000u : w;
}

void mergeLines(std::vector<size_t>& into, const std::vector<size_t>& more)
{
    into.insert(into.end(), more.begin(), more.end());
    std::sort(into.begin(), into.end());
    into.erase(std::unique(into.begin(), into.end()), into.end());
}

}  // namespace

std::string_view operandTypeText(OperandType type)
{
    switch (type) {
    case OperandType::GPR: return "GPR";
    case OperandType::PSR: return "PSR";
    case OperandType::Imm: return "Imm";
    }
    return {};
}

std::optional<OperandType> operandTypeFromText(std::string_view text)
{
    for (auto t : {OperandType::GPR, OperandType::PSR, OperandType::Imm})
        if (operandTypeText(t) == text)
            return t;
    return std::nullopt;
}

CommandEditorFill editorFill(const TNavCommand& c)
{
    CommandEditorFill f;
    const uint32_t o = c.opcode;
    const uint32_t group = c.group();
    f.group = group < 3 ? static_cast<int>(group) : -1;
    for (uint32_t s = 0; s < 8 && !subGroupName(group, s).empty(); ++s)
        f.subGroups.emplace_back(subGroupName(group, s));
    for (uint32_t n = 0; n < 32 && !commandName(group, c.subGroup(), n).empty(); ++n)
        f.options.emplace_back(commandName(group, c.subGroup(), n));
    f.subGroup = c.subGroup() < f.subGroups.size() ? static_cast<int>(c.subGroup()) : -1;
    f.option = c.option() < f.options.size() ? static_cast<int>(c.option()) : -1;
    f.opcode = o;
    f.hint = "Navigation commands";
    const bool packedImm = o == 0x51400001 || o == 0x51400006;
    f.op1 = fillOperand(operand1Checked(o), c.immediate1() || packedImm, c.destination, f.hint);
    f.op2 = fillOperand(operand2Checked(o), c.immediate2() || packedImm, c.source, f.hint);
    f.valid = isValidOpcode(o);
    return f;
}

void setGroup(TNavCommand& c, uint32_t group)
{
    // The operand count and the I-flags stay; a new group starts at its first sub-group and option.
    c.opcode = ((group & 3) << 27) + (c.opcode & 0xE0C00000);
}

void setSubGroup(TNavCommand& c, uint32_t subGroup)
{
    c.opcode = ((subGroup & 7) << 24) + (c.opcode & 0xF8C00000);
}

void setOption(TNavCommand& c, uint32_t option)
{
    uint32_t field = 0;
    switch (c.group()) {
    case 0: field = (option & 0xF) << 16; break;
    case 1: field = (option & 0xF) << 8; break;
    case 2: field = option & 0x1F; break;
    default: break;
    }
    c.opcode = (c.opcode & 0xFFF00000) + field;
}

void setOperand1Present(TNavCommand& c, bool checked)
{
    setOperandCount(c, checked, checked && operand2Checked(c.opcode));
}

void setOperand2Present(TNavCommand& c, bool checked)
{
    setOperandCount(c, checked || operand1Checked(c.opcode), checked);
}

void setOperand1Type(TNavCommand& c, OperandType type)
{
    c.opcode &= ~kIFlag1;
    if (type == OperandType::Imm)
        c.opcode |= kIFlag1;
    else if (type == OperandType::GPR)
        c.destination &= 0x7FFFFFFF;
    else
        c.destination |= 0x80000000;
}

void setOperand2Type(TNavCommand& c, OperandType type)
{
    c.opcode &= ~kIFlag2;
    if (type == OperandType::Imm)
        c.opcode |= kIFlag2;
    else if (type == OperandType::GPR)
        c.source &= 0x7FFFFFFF;
    else
        c.source |= 0x80000000;
}

void setOperand1Number(TNavCommand& c, int64_t number, OperandType shownType)
{
    c.destination = operandWord(number, shownType);
}

void setOperand2Number(TNavCommand& c, int64_t number, OperandType shownType)
{
    c.source = operandWord(number, shownType);
}

bool setOpcodeWord(TNavCommand& c, uint32_t value)
{
    c.opcode = value;
    if (value == 0) {
        c.destination = 0;
        c.source = 0;
    }
    return !isValidOpcode(c.opcode);
}

void setDestinationWord(TNavCommand& c, uint32_t value)
{
    c.destination = value;
}

void setSourceWord(TNavCommand& c, uint32_t value)
{
    c.source = value;
}

std::vector<size_t> updategotos(CommandList& commands, int64_t after, int64_t delta)
{
    std::vector<size_t> changed;
    for (size_t i = 0; i < commands.size(); ++i) {
        TNavCommand& c = commands[i];
        if (c.opcode != 0x20810000 || after >= static_cast<int64_t>(c.destination))
            continue;
        c.destination = static_cast<uint32_t>(static_cast<uint64_t>(c.destination) + static_cast<uint64_t>(delta));
        changed.push_back(i);
    }
    return changed;
}

LineEdit insertLine(CommandList& commands, size_t lastSelected)
{
    LineEdit edit;
    if (commands.size() >= kMaxCommandLines)
        return edit;
    const size_t at = commands.empty() ? 0 : std::min(lastSelected, commands.size() - 1) + 1;
    commands.insert(commands.begin() + static_cast<std::ptrdiff_t>(at), TNavCommand{});
    edit.linesInserted = 1;
    for (size_t i = at; i < commands.size(); ++i)
        edit.changedLines.push_back(i);
    mergeLines(edit.changedLines, updategotos(commands, static_cast<int64_t>(at) - 1, 1));
    edit.selectLine = at;
    return edit;
}

LineEdit insertLines(CommandList& commands, size_t lastSelected, const CommandList& lines)
{
    LineEdit edit;
    if (lines.empty() || commands.size() + lines.size() > kMaxCommandLines)
        return edit;
    const size_t at = commands.empty() ? 0 : std::min(lastSelected, commands.size() - 1) + 1;
    // The list's own GoTos first, so that the inserted lines keep the targets they came with.
    edit.changedLines = updategotos(commands, static_cast<int64_t>(at) - 1, static_cast<int64_t>(lines.size()));
    commands.insert(commands.begin() + static_cast<std::ptrdiff_t>(at), lines.begin(), lines.end());
    edit.linesInserted = lines.size();
    for (size_t& line : edit.changedLines)
        if (line >= at)
            line += lines.size();
    std::vector<size_t> moved;
    for (size_t i = at; i < commands.size(); ++i)
        moved.push_back(i);
    mergeLines(edit.changedLines, moved);
    edit.selectLine = at;
    return edit;
}

LineEdit deleteLines(CommandList& commands, size_t first, size_t last)
{
    LineEdit edit;
    if (last < first)
        std::swap(first, last);
    if (commands.empty() || first >= commands.size())
        return edit;
    last = std::min(last, commands.size() - 1);
    const size_t n = last - first + 1;
    commands.erase(commands.begin() + static_cast<std::ptrdiff_t>(first),
                   commands.begin() + static_cast<std::ptrdiff_t>(last + 1));
    edit.linesRemoved = n;
    for (size_t i = first; i < commands.size(); ++i)
        edit.changedLines.push_back(i);
    mergeLines(edit.changedLines,
               updategotos(commands, static_cast<int64_t>(first) - 1, -static_cast<int64_t>(n)));
    edit.selectLine = first > 0 ? first - 1 : 0;
    edit.nowEmpty = commands.empty();
    return edit;
}

std::optional<size_t> makeNop(CommandList& commands, size_t line)
{
    if (line >= commands.size())
        return std::nullopt;
    commands[line] = TNavCommand{};
    return line + 1 < commands.size() ? line + 1 : line;
}

GridSelection selectAllLines(const CommandList& commands)
{
    GridSelection s;
    s.bottom = static_cast<int>(std::max<size_t>(commands.size(), 1));
    return s;
}

std::optional<KeyValidity> keyValidity(const CommandList& commands, size_t line, GridKey key)
{
    if (line >= commands.size())
        return std::nullopt;
    KeyValidity k;
    k.line = line;
    if (key == GridKey::Down && line + 1 < commands.size())
        k.line = line + 1;
    else if (key == GridKey::Up && line > 0)
        k.line = line - 1;
    k.valid = isValidOpcode(commands[k.line].opcode);
    k.tone = !k.valid;
    return k;
}

FollowTarget followTarget(const CommandList& commands, size_t line)
{
    FollowTarget t;
    if (line >= commands.size())
        return t;
    const TNavCommand& c = commands[line];
    const auto playList = [&t](uint32_t number) {
        t.kind = FollowTarget::Kind::PlayList;
        t.playList = number;
        t.playListName = core::padded(number, 5);
    };
    switch (c.opcode) {
    case 0x20810000:
        t.kind = FollowTarget::Kind::GoToLine;
        t.line = c.destination;
        t.lineInList = c.destination < commands.size();
        break;
    case 0x21810000:
    case 0x21830000:
        t.kind = FollowTarget::Kind::Title;
        t.title = c.destination;
        t.selectTitle = c.destination > 0 && c.destination < 1000;
        break;
    case 0x22000000:
        // The PlayList number is in a register: follow it when the line before moved a value there.
        if (line > 0 && commands[line - 1].opcode == 0x50400001 && commands[line - 1].destination == c.destination)
            playList(commands[line - 1].source);
        break;
    case 0x22800000:
    case 0x42810000:
    case 0x42820000:
    case 0x42C20000:
        playList(c.destination);
        break;
    case 0x42C10000:
        playList(c.destination);
        t.playItem = c.source;
        break;
    case 0x51400003:
    case 0x51800003:
    case 0x51C00003:
        if ((c.source >> 31) && c.immediate2())
            t.page = c.source & 0xFF;
        if ((c.destination >> 31) && c.immediate1())
            t.button = static_cast<uint16_t>(c.destination & 0xFFFF);
        if (t.page || t.button)
            t.kind = FollowTarget::Kind::ButtonPage;
        break;
    default:
        break;
    }
    return t;
}

}  // namespace mirtal::hdmv
