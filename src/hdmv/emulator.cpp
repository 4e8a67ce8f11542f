#include "hdmv/emulator.h"

#include <algorithm>
#include <limits>
#include <optional>
#include <string>

namespace mirtal::hdmv {
namespace {

// The opcode words whose register operands are packed GPR fields, by operand.
enum class Packed { None, SetStream, SetButtonPage, SetSecondaryStream };

Packed packedOperand1(uint32_t o)
{
    switch (o) {
    case 0x51000001: case 0x51400001: return Packed::SetStream;
    case 0x51000003: case 0x51400003: return Packed::SetButtonPage;
    case 0x51000006: case 0x51400006: return Packed::SetSecondaryStream;
    default: return Packed::None;
    }
}

Packed packedOperand2(uint32_t o)
{
    switch (o) {
    case 0x51000001: case 0x51800001: return Packed::SetStream;
    case 0x51000003: case 0x51800003: return Packed::SetButtonPage;
    case 0x51000006: case 0x51800006: return Packed::SetSecondaryStream;
    default: return Packed::None;
    }
}

std::string dec(uint32_t v)
{
    return std::to_string(v);
}

// How often an untraced run polls the cancel flag, in commands.
constexpr uint64_t kCancelPollInterval = 4096;

}  // namespace

namespace {

uint32_t operandValue(const Registers& regs, uint32_t w, bool immediate, Packed packed)
{
    if (immediate)
        return w;
    const auto gprAt = [&regs](uint32_t n) { return regs.gpr[n & 0xFFF]; };
    switch (packed) {
    case Packed::SetStream:
        return (w & 0x8000C000) + ((gprAt(w >> 16) & 0xFF) << 16) + (gprAt(w) & 0xFFF);
    case Packed::SetButtonPage:
        return (w & 0x80000000) + (gprAt(w) & 0xFFFF);
    case Packed::SetSecondaryStream:
        return (w & 0xC0800000) + (((w >> 16) & 0xF) << 16) + (gprAt(w) & 0xFF);
    case Packed::None:
        break;
    }
    return (w >> 31) ? regs.psr[w & 0x7F] : regs.gpr[w & 0xFFF];
}

void storeOperand(Registers& regs, uint32_t w, uint32_t value)
{
    if (w >> 31)
        regs.psr[w & 0x7F] = value;
    else
        regs.gpr[w & 0xFFF] = value;
}

}  // namespace

uint32_t Emulator::getop1(const TNavCommand& c) const
{
    if (c.operandCount() == 0)
        return 0;
    return operandValue(*m_regs, c.destination, c.immediate1(), packedOperand1(c.opcode));
}

uint32_t Emulator::getop2(const TNavCommand& c) const
{
    if (c.operandCount() == 0)
        return 0;
    return operandValue(*m_regs, c.source, c.immediate2(), packedOperand2(c.opcode));
}

void Emulator::setdst(const TNavCommand& c, uint32_t value)
{
    if (c.operandCount() != 0 && !c.immediate1())
        storeOperand(*m_regs, c.destination, value);
}

void Emulator::setsrc(const TNavCommand& c, uint32_t value)
{
    if (c.operandCount() != 0 && !c.immediate2())
        storeOperand(*m_regs, c.source, value);
}

ExecResult Emulator::ExecComm(const CommandList& commands)
{
    ExecResult result;
    result.program = commands;    // a SetButtonPage with an auto-action button replaces it
    CommandList& list = result.program;
    auto& psr = m_regs->psr;
    const auto length = [&list]() -> int64_t {
        return static_cast<int64_t>(std::min<size_t>(list.size(), std::numeric_limits<int32_t>::max()));
    };

    bool lastCompare = false;
    std::optional<uint16_t> rememberedButton;
    // The position as a wide number, so that the steps past the end never overflow.
    int64_t line = CurrentLine;
    bool messageShown = false;
    const auto message = [this, &messageShown](const std::string& text) {
        if (menuActive())
            m_view->flushDrawing();    // the page is on show while the message waits
        m_report->slogw(text, 1);
        messageShown = true;
    };
    if (!trace)
        m_report->clearCancel();    // a flag left from an earlier operation must not stop this run

    if (line >= 0 && line < length()) {
        for (;;) {
            if (maxSteps != 0 && result.executed >= maxSteps) {
                result.stepLimitReached = true;
                m_report->log("Run stopped after " + std::to_string(result.executed) +
                              " commands: step limit reached");
                break;
            }
            const bool pollDue = messageShown || (result.executed != 0 && result.executed % kCancelPollInterval == 0);
            messageShown = false;
            if (!trace && pollDue && m_report->cancelled()) {
                result.cancelled = true;
                m_report->log("Run cancelled after " + std::to_string(result.executed) + " commands");
                break;
            }
            const TNavCommand c = list[static_cast<size_t>(line)];
            const uint32_t o = c.opcode;
            const uint32_t x = getop1(c);
            const uint32_t y = getop2(c);
            ++result.executed;
            bool advance = true;

            switch (o) {
            case 0x01040000: message("Resume"); break;
            case 0x02030000: message("Terminate PL"); break;
            case 0x11000007: message("Pop up Menu Off"); break;
            case 0x11000008: message("Still On"); break;
            case 0x11000009: message("Still Off"); break;
            case 0x20000000: advance = false; break;
            case 0x20010000:
            case 0x20810000:
                // The next line is X, read as a signed 32-bit line number.
                line = static_cast<int64_t>(static_cast<int32_t>(x)) - 1;
                break;
            case 0x21000000: case 0x21800000: message("Jump Object " + dec(x)); break;
            case 0x21010000: case 0x21810000:
                psr[4] = x;
                message("Jump Title " + dec(x));
                break;
            case 0x21020000: case 0x21820000: message("Call Object " + dec(x)); break;
            case 0x21030000: case 0x21830000:
                psr[4] = x;
                message("Call Title " + dec(x));
                break;
            case 0x22000000: case 0x22800000:
                message("Play PL " + dec(x));
                psr[6] = x;
                break;
            case 0x42010000: case 0x42410000: case 0x42810000: case 0x42C10000:
                psr[6] = x;
                psr[7] = y;
                message("Play PLatPI " + dec(x) + ", " + dec(y));
                break;
            case 0x42020000: case 0x42420000: case 0x42820000: case 0x42C20000:
                psr[6] = x;
                psr[5] = y;
                message("Play PLatMK " + dec(x) + ", " + dec(y));
                break;
            case 0x22040000: case 0x22840000:
                message("Link PI " + dec(x));
                psr[7] = x;
                break;
            case 0x22050000: case 0x22850000:
                message("Link MK " + dec(x));
                psr[5] = x + 1;
                break;
            case 0x31000004: case 0x31800004:
                if (menuActive()) {
                    const uint16_t n = static_cast<uint16_t>(x & 0xFFFF);
                    const int bog = m_view->bogOf(n);
                    if (bog >= 0 && m_view->bogOf(static_cast<uint16_t>(psr[10] & 0xFFFF)) == bog) {
                        psr[10] = 0xFFFF;
                        rememberedButton = n;
                    }
                    if (bog >= 0)
                        m_view->enableExclusive(n);
                    m_view->DrawButton(n);
                }
                break;
            case 0x31000005: case 0x31800005:
                if (menuActive()) {
                    const uint16_t n = static_cast<uint16_t>(x & 0xFFFF);
                    if (m_view->bogOf(n) >= 0)
                        m_view->disable(n);
                    m_view->DelButton(n);
                }
                break;
            case 0x51000001: case 0x51400001: case 0x51800001: case 0x51C00001:
                if (x >> 31)
                    psr[1] = (x >> 16) & 0xFF;
                if ((x >> 15) & 1)
                    psr[2] = (psr[2] & 0x0FFF0000) + (x & 0xFFF) + (((x >> 14) & 1) << 31);
                if (y >> 31)
                    psr[0] = (y >> 16) & 0xFF;
                if ((y >> 15) & 1)
                    psr[3] = y & 0xFF;
                break;
            case 0x51000003: case 0x51400003: case 0x51800003: case 0x51C00003: {
                const uint16_t old = static_cast<uint16_t>(psr[10] & 0xFFFF);
                const bool setButton = (c.destination >> 31) != 0;
                const bool setPage = (c.source >> 31) != 0;
                if (setButton)
                    psr[10] = x & 0xFFFF;
                if (setPage)
                    psr[11] = y & 0xFF;
                const uint32_t page = psr[11] & 0xFFFF;
                const uint16_t button = static_cast<uint16_t>(psr[10] & 0xFFFF);
                if (!menuActive()) {
                    line = length();
                    break;
                }
                if (m_view->bogOf(button) >= 0)
                    m_view->enableExclusive(button);
                if (setPage) {
                    m_view->selectPage(page);
                    m_view->DrawPage();
                }
                if (setButton && !setPage) {
                    m_view->DrawButton(old);
                    m_view->DrawSButton();
                }
                if (const CommandList* next = m_view->autoActionCommands(page, button)) {
                    list = *next;
                    result.continuedWithButton = true;
                    result.continuedButton = button;
                    m_view->selectButtonInList(button);
                    line = -1;
                } else {
                    line = length();
                }
                break;
            }
            default:
                if (o >= 0x48000100 && o <= 0x48C00700) {
                    bool condition = lastCompare;
                    switch ((o >> 8) & 7) {
                    case 1: condition = (x & y) != 0; break;
                    case 2: condition = x == y; break;
                    case 3: condition = x != y; break;
                    case 4: condition = x >= y; break;
                    case 5: condition = x > y; break;
                    case 6: condition = x <= y; break;
                    case 7: condition = x < y; break;
                    default: break;
                    }
                    lastCompare = condition;
                    if (!condition)
                        ++line;
                } else if ((o & 0xFF3FFFF0) == 0x50000000 && (o & 0xF) != 0) {
                    uint32_t r = 0;
                    switch (o & 0xF) {
                    case 1: r = y; break;
                    case 2: r = y; break;
                    case 3: r = x + y; break;
                    case 4: r = x - y; break;
                    case 5: r = x * y; break;
                    case 6: r = y == 0 ? 0xFFFFFFFF : x / y; break;
                    case 7: r = y == 0 ? 0xFFFFFFFF : x % y; break;
                    case 8:
                        m_seed = m_seed * 0x08088405u + 1;
                        r = static_cast<uint32_t>((static_cast<uint64_t>(m_seed) * y) >> 32);
                        break;
                    case 9: r = x & y; break;
                    case 10: r = x | y; break;
                    case 11: r = x ^ y; break;
                    case 12: r = x | (1u << (y % 32)); break;
                    case 13: r = x & ~(1u << (y % 32)); break;
                    case 14: r = x << (y % 32); break;
                    case 15: r = x >> (y % 32); break;
                    default: break;
                    }
                    setdst(c, r);
                    if ((o & 0xF) == 2)
                        setsrc(c, x);
                }
                break;
            }

            if (!advance)
                break;
            ++line;
            if (line < 0 || line >= length() || trace)
                break;
        }
    }

    if (rememberedButton && psr[10] == 0xFFFF) {
        psr[10] = *rememberedButton;
        if (menuActive())
            m_view->DrawSButton();
    }
    if (line < 0)
        line = 0;
    CurrentLine = static_cast<int32_t>(std::min<int64_t>(line, std::numeric_limits<int32_t>::max()));
    RunPending = !result.stepLimitReached && !result.cancelled && CurrentLine < length();
    result.runPending = RunPending;
    if (menuActive())
        m_view->flushDrawing();
    if (RunPending && trace && onTraceDisplay)
        onTraceDisplay(list, CurrentLine);
    return result;
}

}  // namespace mirtal::hdmv
