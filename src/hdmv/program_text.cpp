#include "hdmv/program_text.h"

#include "core/text.h"
#include "hdmv/command_text.h"
#include "hdmv/text_cursor.h"

#include <algorithm>
#include <array>
#include <map>

namespace mirtal::hdmv {
namespace {

using detail::Cursor;
using detail::isBlank;
using detail::isIdentChar;
using detail::isIdentStart;

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
    std::string_view label;
    size_t column = 0;
};

// The operand tokens of a line. A command takes at most four; the fifth is kept for where the
// "no more operands" error points, the rest are only counted.
struct Tokens {
    std::array<Token, 5> first;
    size_t count = 0;
    void add(const Token& t)
    {
        if (count < first.size())
            first[count] = t;
        ++count;
    }
};

// What an operand slot of a command takes.
struct Slot {
    enum class Kind { Value, Gpr, Register } kind = Kind::Value;
    int shift = 0;
    uint32_t mask = 0xFFFFFFFF;
    int flagBit = -1;    // the set-flag: parentheses clear it; -1: no parentheses allowed
};

// The slots of one operand of an opcode: none, one or two.
struct Slots {
    std::array<Slot, 2> at{};
    size_t count = 0;
    Slots() = default;
    Slots(std::initializer_list<Slot> list) : count(list.size())
    {
        std::copy(list.begin(), list.end(), at.begin());
    }
    [[nodiscard]] const Slot* begin() const { return at.data(); }
    [[nodiscard]] const Slot* end() const { return at.data() + count; }
};

// The slots of operand 1 (destination) and operand 2 (source) of an opcode.
Slots destinationSlots(uint32_t o)
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

Slots sourceSlots(uint32_t o)
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

// Why a token does not go into a slot; the text is made only for the one reported.
enum class Why { NoParentheses, ExpectedNumber, ValueAbove, ExpectedGpr, GprAbove, ExpectedRegister, PsrAbove,
                 OperandCount, NoMoreOperands };

// A failed fit: how far it got (the best one's message is reported) and why.
struct Misfit {
    int score = -1;
    size_t column = 0;
    Why why = Why::NoMoreOperands;
    uint64_t limit = 0;    // the bound above, or the operand count expected

    [[nodiscard]] std::string message() const
    {
        switch (why) {
        case Why::NoParentheses: return "no parentheses here";
        case Why::ExpectedNumber: return "expected a number";
        case Why::ValueAbove: return "the value is above " + std::to_string(limit);
        case Why::ExpectedGpr: return "expected a GPR";
        case Why::GprAbove: return "the GPR number is above " + std::to_string(limit);
        case Why::ExpectedRegister: return "expected a GPR or a PSR";
        case Why::PsrAbove: return "the PSR number is above " + std::to_string(limit);
        case Why::OperandCount: return "expected " + std::to_string(limit) + " operands";
        case Why::NoMoreOperands: return "no more operands expected";
        }
        return {};
    }
};

// Puts one token into its slot of word w; the reason when it does not go there (with the bound
// a token of the slot's kind was too large for).
std::optional<Why> place(const Slot& slot, const Token& t, bool allowLabel, uint32_t& w, uint64_t& limit)
{
    using K = Slot::Kind;
    if (!t.flagged && slot.flagBit < 0)
        return Why::NoParentheses;
    switch (slot.kind) {
    case K::Value:
        if (t.kind == Token::Kind::Label && allowLabel)
            break;
        if (t.kind != Token::Kind::Number)
            return Why::ExpectedNumber;
        if (t.value > slot.mask) {
            limit = slot.mask;
            return Why::ValueAbove;
        }
        w |= static_cast<uint32_t>(t.value) << slot.shift;
        break;
    case K::Gpr:
        if (t.kind != Token::Kind::Gpr)
            return Why::ExpectedGpr;
        if (t.value > slot.mask) {
            limit = slot.mask;
            return Why::GprAbove;
        }
        w |= static_cast<uint32_t>(t.value) << slot.shift;
        break;
    case K::Register:
        if (t.kind == Token::Kind::Gpr) {
            if (t.value > 0xFFF) {
                limit = 0xFFF;
                return Why::GprAbove;
            }
            w |= static_cast<uint32_t>(t.value);
        } else if (t.kind == Token::Kind::Psr) {
            if (t.value > 0x7F) {
                limit = 0x7F;
                return Why::PsrAbove;
            }
            w |= 0x80000000u | static_cast<uint32_t>(t.value);
        } else {
            return Why::ExpectedRegister;
        }
        break;
    }
    if (slot.flagBit >= 0 && t.flagged)
        w |= 1u << slot.flagBit;
    return std::nullopt;
}

// The words of opcode o from the operand tokens, or why not.
std::optional<TNavCommand> fit(uint32_t o, const Tokens& tokens, size_t endColumn, Misfit& misfit)
{
    const Slots d = destinationSlots(o);
    const Slots s = sourceSlots(o);
    TNavCommand c{o, 0, 0};
    size_t i = 0;
    int score = 0;
    const auto fail = [&](size_t column, Why why, uint64_t limit) {
        if (score > misfit.score)
            misfit = {score, column, why, limit};
        return std::nullopt;
    };
    for (const Slots* slots : {&d, &s}) {
        const bool destination = slots == &d;
        for (const Slot& slot : *slots) {
            if (i >= tokens.count)
                return fail(endColumn, Why::OperandCount, d.count + s.count);
            uint64_t limit = 0;
            if (const auto why = place(slot, tokens.first[i], destination && o == kGoToImmediate,
                                       destination ? c.destination : c.source, limit)) {
                // A token of the right kind that is too large says more than a kind that differs.
                const bool outOfRange = *why == Why::ValueAbove || *why == Why::GprAbove || *why == Why::PsrAbove;
                score += outOfRange ? 1 : 0;
                return fail(tokens.first[i].column, *why, limit);
            }
            ++i;
            score += 2;
        }
    }
    if (i < tokens.count)
        return fail(tokens.first[i].column, Why::NoMoreOperands, 0);
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
    // The names by their first character, longest first within each.
    static const auto byFirst = [] {
        std::array<std::vector<size_t>, 256> b;
        const auto& names = namedOpcodes();
        for (size_t i = 0; i < names.size(); ++i)
            if (!names[i].first.empty())
                b[static_cast<uint8_t>(names[i].first[0])].push_back(i);
        return b;
    }();
    const auto& bucket = in.atEnd() ? byFirst[0] : byFirst[static_cast<uint8_t>(in.peek())];
    for (const size_t i : bucket) {
        const auto& [name, opcodes] = namedOpcodes()[i];
        if (in.text.substr(in.pos, name.size()) != name)
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
    Tokens tokens;
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
            t.label = name;
        } else {
            return failAt(in.column(), "expected an operand (a number, GPRn, PSRn or a label)");
        }
        if (!t.flagged) {
            in.skipBlanks();
            if (!in.take(')'))
                return failAt(in.column(), "expected \")\"");
        }
        tokens.add(t);
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
            if (o == kGoToImmediate && tokens.count > 0 && tokens.first[0].kind == Token::Kind::Label) {
                out.gotoLabel = std::string(tokens.first[0].label);
                out.labelColumn = tokens.first[0].column;
            }
            return out;
        }
    }
    if (misfit.score < 0)
        return failAt(nameColumn, "bad operands");
    return failAt(misfit.column ? misfit.column : nameColumn, misfit.message());
}

std::string commandSourceText(const TNavCommand& c, const std::string& gotoLabel)
{
    const auto raw = [&c] {
        std::string text;
        text.reserve(32);
        text += "raw ";
        core::appendHex(text, c.opcode, 8);
        text += ' ';
        core::appendHex(text, c.destination, 8);
        text += ' ';
        core::appendHex(text, c.source, 8);
        return text;
    };
    if (!isValidOpcode(c.opcode))
        return raw();
    const bool byLabel = !gotoLabel.empty() && c.opcode == kGoToImmediate;
    std::string text = byLabel ? "GoTo " + gotoLabel : commandText(c);
    ProgramError error;
    auto a = assembleCommand(text, 1, error);
    if (!a || a->command.opcode != c.opcode)
        return raw();
    if (byLabel)
        a->command.destination = c.destination;
    // What the text shows is a part of the words; the rest goes into the notes.
    if ((a->command.destination & ~c.destination) != 0 || (a->command.source & ~c.source) != 0)
        return raw();
    const uint32_t hiddenD = c.destination ^ a->command.destination;
    const uint32_t hiddenS = c.source ^ a->command.source;
    if (!hiddenD && !hiddenS)
        return text;    // the words it assembles to are the command's
    if (hiddenD) {
        text += " [d|=0x";
        core::appendHex(text, hiddenD, 8);
        text += ']';
    }
    if (hiddenS) {
        text += " [s|=0x";
        core::appendHex(text, hiddenS, 8);
        text += ']';
    }
    a = assembleCommand(text, 1, error);
    if (!a || (!byLabel && !(a->command == c)))
        return raw();
    return text;
}

}  // namespace mirtal::hdmv
