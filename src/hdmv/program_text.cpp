#include "hdmv/program_text.h"

#include "core/text.h"
#include "hdmv/command_text.h"

#include <algorithm>
#include <map>
#include <set>

namespace mirtal::hdmv {
namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r';
}

bool isIdentStart(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

bool isIdentChar(char c)
{
    return isIdentStart(c) || (c >= '0' && c <= '9');
}

// A cursor over one line's text with its column.
struct Cursor {
    std::string_view text;
    size_t pos = 0;
    size_t column0 = 1;    // the column of text[0]

    [[nodiscard]] size_t column() const { return column0 + pos; }
    [[nodiscard]] bool atEnd() const { return pos >= text.size(); }
    [[nodiscard]] char peek() const { return atEnd() ? '\0' : text[pos]; }
    void skipBlanks()
    {
        while (!atEnd() && isBlank(text[pos]))
            ++pos;
    }
    bool take(char c)
    {
        if (peek() != c)
            return false;
        ++pos;
        return true;
    }
    bool takeWord(std::string_view w)
    {
        if (text.substr(pos, w.size()) != w)
            return false;
        pos += w.size();
        return true;
    }
    std::string_view identifier()
    {
        const size_t from = pos;
        if (!isIdentStart(peek()))
            return {};
        while (!atEnd() && isIdentChar(text[pos]))
            ++pos;
        return text.substr(from, pos - from);
    }
};

// A number: decimal, or hexadecimal after "0x"; nullopt when none stands there or it does not fit
// 32 bits (the cursor stays).
std::optional<uint64_t> number(Cursor& in)
{
    const size_t from = in.pos;
    uint64_t v = 0;
    int digits = 0;
    const bool hex = in.text.substr(in.pos, 2) == "0x" || in.text.substr(in.pos, 2) == "0X";
    if (hex)
        in.pos += 2;
    while (!in.atEnd()) {
        const char c = in.text[in.pos];
        int d = -1;
        if (c >= '0' && c <= '9')
            d = c - '0';
        else if (hex && c >= 'a' && c <= 'f')
            d = c - 'a' + 10;
        else if (hex && c >= 'A' && c <= 'F')
            d = c - 'A' + 10;
        if (d < 0)
            break;
        v = v * (hex ? 16 : 10) + static_cast<uint64_t>(d);
        if (v > 0xFFFFFFFFull) {
            in.pos = from;
            return std::nullopt;
        }
        ++digits;
        ++in.pos;
    }
    if (digits == 0 || isIdentChar(in.peek())) {
        in.pos = from;
        return std::nullopt;
    }
    return v;
}

// One operand token as the grid writes it.
struct Token {
    enum class Kind { Number, Gpr, Psr, Label } kind = Kind::Number;
    uint64_t value = 0;
    bool flagged = true;    // false: in parentheses (its set-flag is clear)
    std::string label;
    size_t column = 0;
};

// What an operand slot of a command takes.
struct Slot {
    enum class Kind { Value, Gpr, Register } kind = Kind::Value;
    int shift = 0;
    uint32_t mask = 0xFFFFFFFF;
    int flagBit = -1;    // the set-flag: parentheses clear it; -1: no parentheses allowed
};

// The slots of operand 1 (destination) and operand 2 (source) of an opcode.
std::vector<Slot> destinationSlots(uint32_t o)
{
    using K = Slot::Kind;
    if ((o >> 29) < 1)
        return {};
    if ((o >> 23) & 1) {
        if (o == 0x51800001 || o == 0x51C00001)
            return {{K::Value, 16, 0xFF, 31}, {K::Value, 0, 0xFFF, 15}};
        if (o == 0x51800003 || o == 0x51C00003)
            return {{K::Value, 0, 0xFFFF, 31}};
        if (o == 0x51800006 || o == 0x51C00006)
            return {{K::Value, 16, 0xF, 31}, {K::Value, 0, 0xFF, 15}};
        return {{K::Value, 0, 0xFFFFFFFF, -1}};
    }
    if (o == 0x51000001 || o == 0x51400001)
        return {{K::Gpr, 16, 0xFFF, 31}, {K::Gpr, 0, 0xFFF, 15}};
    if (o == 0x51000003 || o == 0x51400003)
        return {{K::Gpr, 0, 0xFFF, 31}};
    if (o == 0x51000006 || o == 0x51400006)
        return {{K::Value, 16, 0xF, 31}, {K::Gpr, 0, 0xFFF, 15}};
    return {{K::Register, 0, 0, -1}};
}

std::vector<Slot> sourceSlots(uint32_t o)
{
    using K = Slot::Kind;
    if ((o >> 29) < 2)
        return {};
    if ((o >> 22) & 1) {
        if (o == 0x51400001 || o == 0x51C00001)
            return {{K::Value, 16, 0xFF, 31}, {K::Value, 0, 0xFF, 15}};
        if (o == 0x51400003 || o == 0x51C00003)
            return {{K::Value, 0, 0xFF, 31}};
        if (o == 0x51400006 || o == 0x51C00006)
            return {{K::Value, 16, 0xFF, 31}, {K::Value, 0, 0xFFF, 15}};
        return {{K::Value, 0, 0xFFFFFFFF, -1}};
    }
    if (o == 0x51000001 || o == 0x51800001)
        return {{K::Gpr, 16, 0xFFF, 31}, {K::Gpr, 0, 0xFF, 15}};
    if (o == 0x51000003 || o == 0x51800003)
        return {{K::Gpr, 16, 0xFFF, 31}};
    if (o == 0x51000006 || o == 0x51800006)
        return {{K::Gpr, 16, 0xFFF, 31}, {K::Gpr, 0, 0xFFF, 15}};
    return {{K::Register, 0, 0, -1}};
}

// A failed fit: how far it got (the best one's message is reported) and why.
struct Misfit {
    int score = -1;
    size_t column = 0;
    std::string message;
};

// Puts one token into its slot of word w; false with the reason when it does not go there
// (outOfRange: it is of the slot's kind, but too large).
bool place(const Slot& slot, const Token& t, bool allowLabel, uint32_t& w, std::string& why, bool& outOfRange)
{
    outOfRange = false;
    using K = Slot::Kind;
    if (!t.flagged && slot.flagBit < 0) {
        why = "no parentheses here";
        return false;
    }
    switch (slot.kind) {
    case K::Value:
        if (t.kind == Token::Kind::Label && allowLabel)
            break;
        if (t.kind != Token::Kind::Number) {
            why = "expected a number";
            return false;
        }
        if (t.value > slot.mask) {
            why = "the value is above " + std::to_string(slot.mask);
            outOfRange = true;
            return false;
        }
        w |= static_cast<uint32_t>(t.value) << slot.shift;
        break;
    case K::Gpr:
        if (t.kind != Token::Kind::Gpr) {
            why = "expected a GPR";
            return false;
        }
        if (t.value > slot.mask) {
            why = "the GPR number is above " + std::to_string(slot.mask);
            outOfRange = true;
            return false;
        }
        w |= static_cast<uint32_t>(t.value) << slot.shift;
        break;
    case K::Register:
        if (t.kind == Token::Kind::Gpr) {
            if (t.value > 0xFFF) {
                why = "the GPR number is above 4095";
                outOfRange = true;
            return false;
            }
            w |= static_cast<uint32_t>(t.value);
        } else if (t.kind == Token::Kind::Psr) {
            if (t.value > 0x7F) {
                why = "the PSR number is above 127";
                outOfRange = true;
            return false;
            }
            w |= 0x80000000u | static_cast<uint32_t>(t.value);
        } else {
            why = "expected a GPR or a PSR";
            return false;
        }
        break;
    }
    if (slot.flagBit >= 0 && t.flagged)
        w |= 1u << slot.flagBit;
    return true;
}

// The words of opcode o from the operand tokens, or why not.
std::optional<TNavCommand> fit(uint32_t o, const std::vector<Token>& tokens, size_t endColumn, Misfit& misfit)
{
    const auto d = destinationSlots(o);
    const auto s = sourceSlots(o);
    TNavCommand c{o, 0, 0};
    size_t i = 0;
    int score = 0;
    const auto fail = [&](size_t column, std::string message) {
        if (score > misfit.score)
            misfit = {score, column, std::move(message)};
        return std::nullopt;
    };
    for (const auto* slots : {&d, &s}) {
        const bool destination = slots == &d;
        for (const Slot& slot : *slots) {
            if (i >= tokens.size())
                return fail(endColumn, "expected " + std::to_string(d.size() + s.size()) + " operands");
            std::string why;
            bool outOfRange = false;
            if (!place(slot, tokens[i], destination && o == kGoToImmediate, destination ? c.destination : c.source,
                       why, outOfRange)) {
                // A token of the right kind that is too large says more than a kind that differs.
                score += outOfRange ? 1 : 0;
                return fail(tokens[i].column, why);
            }
            ++i;
            score += 2;
        }
    }
    if (i < tokens.size())
        return fail(tokens[i].column, "no more operands expected");
    return c;
}

// Every distinct command name with the valid opcodes that carry it, longest name first.
const std::vector<std::pair<std::string, std::vector<uint32_t>>>& namedOpcodes()
{
    static const auto table = [] {
        std::map<std::string, std::vector<uint32_t>> byName;
        for (uint32_t o : validOpcodes()) {
            const TNavCommand c{o, 0, 0};
            byName[std::string(commandName(c.group(), c.subGroup(), c.option()))].push_back(o);
        }
        std::vector<std::pair<std::string, std::vector<uint32_t>>> v(byName.begin(), byName.end());
        std::stable_sort(v.begin(), v.end(), [](const auto& a, const auto& b) { return a.first.size() > b.first.size(); });
        return v;
    }();
    return table;
}

bool hexWord(Cursor& in, uint32_t& w)
{
    const size_t from = in.pos;
    uint32_t v = 0;
    for (int i = 0; i < 8; ++i) {
        const char c = in.peek();
        int d = -1;
        if (c >= '0' && c <= '9') d = c - '0';
        else if (c >= 'a' && c <= 'f') d = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F') d = c - 'A' + 10;
        if (d < 0) {
            in.pos = from;
            return false;
        }
        v = v * 16 + static_cast<uint32_t>(d);
        ++in.pos;
    }
    if (isIdentChar(in.peek())) {
        in.pos = from;
        return false;
    }
    w = v;
    return true;
}

std::string hex8(uint32_t v)
{
    return core::hex(v, 8);
}

}  // namespace

std::string errorText(const ProgramError& e)
{
    return std::to_string(e.line) + ":" + std::to_string(e.column) + ": " + e.message;
}

std::optional<AssembledCommand> assembleCommand(std::string_view text, size_t column, ProgramError& error)
{
    Cursor in{text, 0, column};
    const auto failAt = [&](size_t col, std::string message) -> std::optional<AssembledCommand> {
        error.column = col;
        error.message = std::move(message);
        return std::nullopt;
    };
    in.skipBlanks();
    AssembledCommand out;
    // raw OPCODE DESTINATION SOURCE
    if (in.text.substr(in.pos, 3) == "raw" && (in.pos + 3 >= in.text.size() || isBlank(in.text[in.pos + 3]))) {
        in.pos += 3;
        uint32_t* words[] = {&out.command.opcode, &out.command.destination, &out.command.source};
        for (uint32_t* w : words) {
            in.skipBlanks();
            if (!hexWord(in, *w))
                return failAt(in.column(), "expected an 8-digit hexadecimal word");
        }
        in.skipBlanks();
        if (!in.atEnd())
            return failAt(in.column(), "nothing more expected after the three words");
        return out;
    }

    const size_t nameColumn = in.column();
    const std::vector<uint32_t>* candidates = nullptr;
    for (const auto& [name, opcodes] : namedOpcodes()) {
        if (name.empty() || in.text.substr(in.pos, name.size()) != name)
            continue;
        const size_t after = in.pos + name.size();
        if (after < in.text.size() && !isBlank(in.text[after]))
            continue;
        in.pos = after;
        candidates = &opcodes;
        break;
    }
    if (!candidates)
        return failAt(nameColumn, "unknown command");

    // The operand tokens, separated by commas, then the hidden-bit notes.
    std::vector<Token> tokens;
    uint32_t hiddenD = 0, hiddenS = 0;
    in.skipBlanks();
    bool expectOperand = !in.atEnd() && in.peek() != '[';
    while (expectOperand) {
        in.skipBlanks();
        Token t;
        t.column = in.column();
        if (in.take('(')) {
            t.flagged = false;
            in.skipBlanks();
        }
        const size_t at = in.pos;
        if (in.takeWord("GPR") && number(in)) {
            in.pos = at + 3;
            t.kind = Token::Kind::Gpr;
            t.value = *number(in);
        } else if ((in.pos = at, in.takeWord("PSR")) && number(in)) {
            in.pos = at + 3;
            t.kind = Token::Kind::Psr;
            t.value = *number(in);
        } else if (in.pos = at; const auto v = number(in)) {
            t.value = *v;
        } else if (const auto name = in.identifier(); !name.empty()) {
            t.kind = Token::Kind::Label;
            t.label = std::string(name);
        } else {
            return failAt(in.column(), "expected an operand (a number, GPRn, PSRn or a label)");
        }
        if (!t.flagged) {
            in.skipBlanks();
            if (!in.take(')'))
                return failAt(in.column(), "expected \")\"");
        }
        tokens.push_back(t);
        in.skipBlanks();
        expectOperand = in.take(',');
    }
    while (in.peek() == '[') {
        const size_t noteColumn = in.column();
        in.take('[');
        uint32_t* target = in.take('d') ? &hiddenD : in.take('s') ? &hiddenS : nullptr;
        if (!target || !in.takeWord("|=") || !(in.takeWord("0x") || in.takeWord("0X")))
            return failAt(noteColumn, "expected [d|=0xHHHHHHHH] or [s|=0xHHHHHHHH]");
        uint32_t w = 0;
        if (!hexWord(in, w) || !in.take(']'))
            return failAt(noteColumn, "expected [d|=0xHHHHHHHH] or [s|=0xHHHHHHHH]");
        *target |= w;
        in.skipBlanks();
    }
    if (!in.atEnd())
        return failAt(in.column(), "expected \",\" or the end of the line");

    Misfit misfit;
    for (uint32_t o : *candidates) {
        if (auto c = fit(o, tokens, in.column(), misfit)) {
            out.command = *c;
            out.command.destination |= hiddenD;
            out.command.source |= hiddenS;
            if (o == kGoToImmediate && !tokens.empty() && tokens[0].kind == Token::Kind::Label) {
                out.gotoLabel = tokens[0].label;
                out.labelColumn = tokens[0].column;
            }
            return out;
        }
    }
    return failAt(misfit.column ? misfit.column : nameColumn, misfit.message.empty() ? "bad operands" : misfit.message);
}

std::string commandSourceText(const TNavCommand& c, const std::string& gotoLabel)
{
    const std::string raw = "raw " + hex8(c.opcode) + " " + hex8(c.destination) + " " + hex8(c.source);
    if (!isValidOpcode(c.opcode))
        return raw;
    const bool byLabel = !gotoLabel.empty() && c.opcode == kGoToImmediate;
    std::string text = byLabel ? "GoTo " + gotoLabel : commandText(c);
    ProgramError error;
    auto a = assembleCommand(text, 1, error);
    if (!a || a->command.opcode != c.opcode)
        return raw;
    if (byLabel)
        a->command.destination = c.destination;
    // What the text shows is a part of the words; the rest goes into the notes.
    if ((a->command.destination & ~c.destination) != 0 || (a->command.source & ~c.source) != 0)
        return raw;
    const uint32_t hiddenD = c.destination ^ a->command.destination;
    const uint32_t hiddenS = c.source ^ a->command.source;
    if (hiddenD)
        text += " [d|=0x" + hex8(hiddenD) + "]";
    if (hiddenS)
        text += " [s|=0x" + hex8(hiddenS) + "]";
    a = assembleCommand(text, 1, error);
    if (!a || (!byLabel && !(a->command == c)))
        return raw;
    return text;
}

std::vector<ProgramSection> parseProgram(std::string_view text, std::string_view headerWord,
                                         std::vector<ProgramError>& errors)
{
    std::vector<ProgramSection> sections(1);
    struct Reference {
        size_t command;
        std::string label;
        size_t line, column;
    };
    std::map<std::string, size_t> labels;
    std::map<std::string, size_t> labelLines;
    std::vector<Reference> references;
    const auto closeSection = [&] {
        auto& commands = sections.back().commands;
        for (const auto& r : references) {
            const auto it = labels.find(r.label);
            if (it == labels.end())
                errors.push_back({r.line, r.column, "label \"" + r.label + "\" is not defined"});
            else {
                commands[r.command].destination = static_cast<uint32_t>(it->second);
                sections.back().labelled.push_back(r.command);
            }
        }
        labels.clear();
        labelLines.clear();
        references.clear();
    };

    size_t lineNo = 0;
    size_t start = 0;
    // A byte-order mark at the start is not part of the first line.
    if (text.substr(0, 3) == "\xEF\xBB\xBF")
        start = 3;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        ++lineNo;
        std::string_view line = text.substr(start, end - start);
        start = end + 1;
        if (const size_t semicolon = line.find(';'); semicolon != std::string_view::npos)
            line = line.substr(0, semicolon);
        Cursor in{line, 0, 1};
        in.skipBlanks();
        if (in.atEnd()) {
            if (end == text.size())
                break;
            continue;
        }
        // A header line starts the next section.
        if (!headerWord.empty() && in.text.substr(in.pos, headerWord.size()) == headerWord &&
            (in.pos + headerWord.size() >= line.size() || isBlank(line[in.pos + headerWord.size()]))) {
            closeSection();
            ProgramSection s;
            s.line = lineNo;
            in.pos += headerWord.size();
            in.skipBlanks();
            s.headerColumn = in.column();
            s.header = std::string(line.substr(in.pos));
            while (!s.header.empty() && isBlank(s.header.back()))
                s.header.pop_back();
            sections.push_back(std::move(s));
            continue;
        }
        // A label, alone or before a command.
        const size_t at = in.pos;
        const size_t labelColumn = in.column();
        const std::string_view name = in.identifier();
        if (!name.empty() && in.peek() == ':') {
            in.take(':');
            const std::string key(name);
            if (labels.count(key))
                errors.push_back({lineNo, labelColumn,
                                  "label \"" + key + "\" is defined twice (first on line " +
                                      std::to_string(labelLines[key]) + ")"});
            labels[key] = sections.back().commands.size();
            labelLines[key] = lineNo;
            in.skipBlanks();
            if (in.atEnd())
                continue;
        } else {
            in.pos = at;
        }
        ProgramError error;
        auto c = assembleCommand(line.substr(in.pos), in.column(), error);
        if (!c) {
            error.line = lineNo;
            errors.push_back(error);
            continue;
        }
        if (!c->gotoLabel.empty())
            references.push_back({sections.back().commands.size(), c->gotoLabel, lineNo, c->labelColumn});
        sections.back().commands.push_back(c->command);
        if (end == text.size())
            break;
    }
    closeSection();
    return sections;
}

namespace {

// The lines of a list with labels at the targets of the GoTos that `byLabel` names.
std::vector<std::string> textLines(const CommandList& commands, const std::string& indent,
                                   const std::vector<bool>& byLabel)
{
    std::set<uint32_t> targets;
    for (size_t i = 0; i < commands.size(); ++i)
        if (byLabel[i])
            targets.insert(commands[i].destination);
    const auto label = [](uint32_t line) { return "L" + std::to_string(line); };
    std::vector<std::string> lines;
    for (size_t i = 0; i <= commands.size(); ++i) {
        if (targets.count(static_cast<uint32_t>(i)))
            lines.push_back(label(static_cast<uint32_t>(i)) + ":");
        if (i == commands.size())
            break;
        const auto& c = commands[i];
        lines.push_back(indent + commandSourceText(c, byLabel[i] ? label(c.destination) : std::string()));
    }
    return lines;
}

}  // namespace

std::vector<std::string> commandListText(const CommandList& commands, const std::string& indent)
{
    std::vector<bool> byLabel(commands.size());
    for (size_t i = 0; i < commands.size(); ++i)
        byLabel[i] = commands[i].opcode == kGoToImmediate && commands[i].destination <= commands.size();
    return textLines(commands, indent, byLabel);
}

std::string copyText(const CommandList& commands, size_t first, size_t last)
{
    if (commands.empty() || first > last || first >= commands.size())
        return {};
    last = std::min(last, commands.size() - 1);
    CommandList block(commands.begin() + static_cast<std::ptrdiff_t>(first),
                      commands.begin() + static_cast<std::ptrdiff_t>(last + 1));
    std::vector<bool> byLabel(block.size());
    for (size_t i = 0; i < block.size(); ++i)
        if (block[i].opcode == kGoToImmediate && block[i].destination >= first && block[i].destination <= last + 1) {
            block[i].destination -= static_cast<uint32_t>(first);
            byLabel[i] = true;
        }
    std::string out;
    for (const auto& line : textLines(block, "", byLabel))
        out += line + "\n";
    return out;
}

std::optional<CommandList> pasteText(std::string_view text, size_t at, std::vector<ProgramError>& errors)
{
    auto sections = parseProgram(text, {}, errors);
    if (!errors.empty())
        return std::nullopt;
    if (sections.front().commands.empty()) {
        errors.push_back({1, 1, "no command to paste"});
        return std::nullopt;
    }
    CommandList& pasted = sections.front().commands;
    for (size_t i : sections.front().labelled)
        pasted[i].destination += static_cast<uint32_t>(at);
    return pasted;
}

}  // namespace mirtal::hdmv
