#include "hdmv/command_text.h"

#include "core/text.h"

#include <algorithm>
#include <optional>

namespace mirtal::hdmv {
namespace {

constexpr std::array<std::string_view, 3> kGroups = {"Branch", "Compare", "Set"};

constexpr std::array<std::array<std::string_view, 8>, 3> kSubGroups = {{
    {"GoTo", "Jump", "Play"},
    {"-"},
    {"Set", "SetSystem"},
}};

CommandNameTable makeNameTable()
{
    CommandNameTable t{};
    const auto fill = [&t](int g, int s, std::initializer_list<std::string_view> names) {
        int o = 0;
        for (auto n : names)
            t[g][s][o++] = n;
    };
    fill(0, 0, {"NOP", "GoTo", "Break"});
    fill(0, 1, {"Jump Object", "Jump Title", "Call Object", "Call Title", "Resume"});
    fill(0, 2, {"Play PL", "Play PL_PI", "Play PL_MK", "Terminate PL", "Link PI", "Link MK"});
    fill(1, 0, {"--", "BC", "EQ", "NE", "GE", "GT", "LE", "LT"});
    fill(2, 0, {"---", "Move", "Swap", "Add", "Sub", "Mul", "Div", "Mod", "Rnd", "And", "Or", "Xor", "Bit Set",
                "Bit Clear", "Shift Left", "Shift Right"});
    fill(2, 1, {"---", "SetStream", "SetNVTimer", "SetButtonPage", "EnableButton", "DisableButton",
                "SetSecondaryStream", "PopUpMenu Off", "Still On", "Still Off"});
    return t;
}

constexpr std::array<std::string_view, 45> kPsrDescriptions = {
    "Interactive Graphics Stream Number (b7-b0) {1-32,$ff}",
    "Primary Audio Stream Number (b7-b0) {1-32,$ff}",
    "PG and PiP PG TextST Stream Number (b31: disp_s, b30: PIP_PG_textST_valid, b27-b16: PiP PG TextST, b11-b0: "
    "PG TextST) {0-255,$fff}",
    "Angle Number (b7-b0) {1-9}",
    "Title Number (b15-b0) {1-999,$ffff}",
    "Chapter Number (b15-b0) {1-999,$ffff}",
    "PlayList id (b15-b0) {0-1999}",
    "PlayItem id (b15-b0) {0-998}",
    "Presentation Time in 45kHz {0-$ffffffff}",
    "Navigation Timer (b15-b0) {0-300} sec",
    "Selected Button id (b15-b0) {0-$1fdf,$ffff}",
    "Menu Page id (b7-b0) {0-$fe}",
    "User Style Number (b7-b0) {1-25,$ff}",
    "Parental Level (b7-b0) {0-255} age",
    "Sec. Audio and Sec. Video Stream Number (b31: disp_v, b30: disp_a, b27-b24: sec. video size, b15-b8: "
    "sec.video, b7-b0: sec.audio",
    "Player Capability for Audio (b15-b14: MLP, b13-b12: DD Lossless, b11-b10: DTS-HD ext., b9-b8: DTS-HD core, "
    "b7-b6: DD+ dep., b5-b4: DD+ ind., b3-b0: LPCM)",
    "Language Code for Audio (b23-b0)",
    "Language code for PG and Text subtitle (b23-b0)",
    "Language Code for Menu (b23-b0)",
    "Country Code (b15-b0)",
    "Region Code (b7-b0) {1,2,4}",
    "reserved",
    "reserved",
    "reserved",
    "reserved",
    "reserved",
    "reserved",
    "reserved",
    "reserved",
    "Player Capability for Video (b1: 50Hz and 25Hz, b0: HD sec video)",
    "Player Capability for Text Subtitle",
    "Player Profile / Version number (b19-b16: profile {0,1,3,8}, b15-b0: player version {$0200})",
    "reserved",
    "reserved",
    "reserved",
    "reserved",
    "Back-up Register for PSR4",
    "Back-up Register for PSR5",
    "Back-up Register for PSR6",
    "Back-up Register for PSR7",
    "Back-up Register for PSR8",
    "reserved",
    "Back-up Register for PSR10",
    "Back-up Register for PSR11",
    "Back-up Register for PSR12",
};

std::vector<uint32_t> makeValidOpcodes()
{
    std::vector<uint32_t> v = {
        0x00000000,                                          // NOP
        0x20010000, 0x20810000,                              // GoTo
        0x00020000,                                          // Break
        0x21000000, 0x21800000, 0x21010000, 0x21810000,      // Jump Object, Jump Title
        0x21020000, 0x21820000, 0x21030000, 0x21830000,      // Call Object, Call Title
        0x01040000,                                          // Resume
        0x22000000, 0x22800000,                              // Play PL
        0x42010000, 0x42810000, 0x42410000, 0x42C10000,      // Play PL_PI
        0x42020000, 0x42820000, 0x42420000, 0x42C20000,      // Play PL_MK
        0x02030000,                                          // Terminate PL
        0x22040000, 0x22840000, 0x22050000, 0x22850000,      // Link PI, Link MK
        0x31000004, 0x31800004, 0x31000005, 0x31800005,      // EnableButton, DisableButton
        0x51000006, 0x51800006, 0x51400006, 0x51C00006,      // SetSecondaryStream
        0x11000007, 0x11000008, 0x11000009,                  // PopUpMenu Off, Still On, Still Off
    };
    for (uint32_t n = 1; n <= 7; ++n)
        for (uint32_t base : {0x48000000u, 0x48400000u, 0x48C00000u, 0x08000000u})
            v.push_back(base | (n << 8));
    for (uint32_t nn = 1; nn <= 0xF; ++nn) {
        v.push_back(0x50000000 | nn);
        v.push_back(0x50400000 | nn);
        if (nn <= 5)
            v.push_back(0x10000000 | nn);
    }
    for (uint32_t nn = 1; nn <= 3; ++nn)
        for (uint32_t base : {0x51000000u, 0x51800000u, 0x51400000u, 0x51C00000u})
            v.push_back(base | nn);
    for (uint32_t nn = 1; nn <= 6; ++nn)
        v.push_back(0x11000000 | nn);    // SetSystem options 1-6 with no operands
    std::sort(v.begin(), v.end());
    v.erase(std::unique(v.begin(), v.end()), v.end());
    return v;
}

// P(v, f): the value, in parentheses when its set-flag is clear.
void appendFlagged(std::string& out, uint32_t v, bool f)
{
    if (!f)
        out += '(';
    core::appendDecimal(out, v);
    if (!f)
        out += ')';
}

// R(n, f): a GPR, in parentheses when its set-flag is clear.
void appendFlaggedGpr(std::string& out, uint32_t n, bool f)
{
    out += f ? "GPR" : "(GPR";
    core::appendDecimal(out, n);
    if (!f)
        out += ')';
}

bool bit(uint32_t w, int b)
{
    return (w >> b) & 1;
}

// A code byte as text: printable ASCII as it is, the upper half as Latin-1 in UTF-8, control
// bytes as "?" (they would otherwise put NULs and escapes into grid cells and terminals).
void appendCodeByte(std::string& out, uint32_t byte)
{
    if (byte >= 0x20 && byte < 0x7F) {
        out += static_cast<char>(byte);
    } else if (byte >= 0xA0 && byte <= 0xFF) {
        out += static_cast<char>(0xC0 | (byte >> 6));
        out += static_cast<char>(0x80 | (byte & 0x3F));
    } else {
        out += '?';
    }
}

}  // namespace

std::string_view groupName(uint32_t group)
{
    return group < kGroups.size() ? kGroups[group] : std::string_view{};
}

std::string_view subGroupName(uint32_t group, uint32_t subGroup)
{
    if (group >= kSubGroups.size() || subGroup >= 8)
        return {};
    return kSubGroups[group][subGroup];
}

const CommandNameTable& commandNameTable()
{
    static const CommandNameTable table = makeNameTable();
    return table;
}

std::string_view commandName(uint32_t group, uint32_t subGroup, uint32_t option)
{
    if (group >= 3 || subGroup >= 8 || option >= 32)
        return {};
    return commandNameTable()[group][subGroup][option];
}

std::string_view psrDescription(uint32_t psr)
{
    return psr < kPsrDescriptions.size() ? kPsrDescriptions[psr] : std::string_view{};
}

const std::vector<uint32_t>& validOpcodes()
{
    static const std::vector<uint32_t> list = makeValidOpcodes();
    return list;
}

bool isValidOpcode(uint32_t opcode)
{
    const auto& list = validOpcodes();
    return std::binary_search(list.begin(), list.end(), opcode);
}

namespace {

// The name and operand texts; psr receives the register the PSR remark names (kNoPsr: none).
constexpr uint32_t kNoPsr = 0xFFFFFFFF;

// Two operands packed in one word: the upper in bits 16 on (set-flag bit 31), the lower in bits
// 0 on (set-flag bit 15), each a value or a GPR number.
void appendPair(std::string& out, uint32_t w, uint32_t upperMask, bool upperGpr, uint32_t lowerMask, bool lowerGpr)
{
    const auto one = [&out](uint32_t v, bool f, bool gpr) { gpr ? appendFlaggedGpr(out, v, f) : appendFlagged(out, v, f); };
    one((w >> 16) & upperMask, bit(w, 31), upperGpr);
    out += ", ";
    one(w & lowerMask, bit(w, 15), lowerGpr);
}

// A register operand: a PSR when bit 31 is set (its number returned), else a GPR.
uint32_t appendRegister(std::string& out, uint32_t w)
{
    if (bit(w, 31)) {
        out += "PSR";
        core::appendDecimal(out, w & 0x7F);
        return w & 0x7F;
    }
    out += "GPR";
    core::appendDecimal(out, w & 0xFFF);
    return kNoPsr;
}

// Appended to out.
void appendCommandBody(std::string& out, const TNavCommand& c, uint32_t& psr, bool& op1IsPsr)
{
    const uint32_t o = c.opcode;
    const uint32_t d = c.destination;
    const uint32_t s = c.source;
    const uint32_t count = c.operandCount();
    psr = kNoPsr;
    op1IsPsr = false;

    out += commandName(c.group(), c.subGroup(), c.option());
    if (count >= 1) {
        out += ' ';
        if (c.immediate1()) {
            if (o == 0x51800001 || o == 0x51C00001)
                appendPair(out, d, 0xFF, false, 0xFFF, false);
            else if (o == 0x51800003 || o == 0x51C00003)
                appendFlagged(out, d & 0xFFFF, bit(d, 31));
            else if (o == 0x51800006 || o == 0x51C00006)
                appendPair(out, d, 0xF, false, 0xFF, false);
            else
                core::appendDecimal(out, d);
        } else if (o == 0x51000001 || o == 0x51400001) {
            appendPair(out, d, 0xFFF, true, 0xFFF, true);
        } else if (o == 0x51000003 || o == 0x51400003) {
            appendFlaggedGpr(out, d & 0xFFF, bit(d, 31));
        } else if (o == 0x51000006 || o == 0x51400006) {
            appendPair(out, d, 0xF, false, 0xFFF, true);
        } else {
            psr = appendRegister(out, d);
            op1IsPsr = psr != kNoPsr;
        }
    }

    if (count >= 2) {
        out += ", ";
        if (c.immediate2()) {
            if (o == 0x51400001 || o == 0x51C00001)
                appendPair(out, s, 0xFF, false, 0xFF, false);
            else if (o == 0x51400003 || o == 0x51C00003)
                appendFlagged(out, s & 0xFF, bit(s, 31));
            else if (o == 0x51400006 || o == 0x51C00006)
                appendPair(out, s, 0xFF, false, 0xFFF, false);
            else
                core::appendDecimal(out, s);
        } else if (o == 0x51000001 || o == 0x51800001) {
            appendPair(out, s, 0xFFF, true, 0xFF, true);
            psr = kNoPsr;
        } else if (o == 0x51000003 || o == 0x51800003) {
            appendFlaggedGpr(out, (s >> 16) & 0xFFF, bit(s, 31));
            psr = kNoPsr;
        } else if (o == 0x51000006 || o == 0x51800006) {
            appendPair(out, s, 0xFFF, true, 0xFFF, true);
            psr = kNoPsr;
        } else if (const uint32_t n = appendRegister(out, s); n != kNoPsr) {
            psr = n;
        }
    }
}

}  // namespace

std::string commandText(const TNavCommand& c)
{
    uint32_t psr = kNoPsr;
    bool op1IsPsr = false;
    std::string text;
    text.reserve(48);
    appendCommandBody(text, c, psr, op1IsPsr);
    return text;
}

std::string commandLine(const TNavCommand& c)
{
    const uint32_t d = c.destination;
    const uint32_t s = c.source;
    uint32_t psr = kNoPsr;
    bool op1IsPsr = false;
    std::string line;
    line.reserve(48);
    appendCommandBody(line, c, psr, op1IsPsr);
    if (psr != kNoPsr) {
        const uint32_t n = psr;
        line.reserve(line.size() + 32 + psrDescription(n).size());
        line += "       ;PSR";
        core::appendDecimal(line, n);
        line += ": ";
        line += psrDescription(n);
        if (n >= 16 && n <= 19) {
            const uint32_t w = op1IsPsr ? s : d;
            line += "  [";
            if (((w >> 16) & 0xFF) != 0)
                appendCodeByte(line, (w >> 16) & 0xFF);
            appendCodeByte(line, (w >> 8) & 0xFF);
            appendCodeByte(line, w & 0xFF);
            line += ']';
        }
    }
    return line;
}

CommandGridRow comm2str(const TNavCommand& command, size_t index)
{
    CommandGridRow row;
    row.cells[0] = core::padded(static_cast<int64_t>(index), 4);
    row.cells[1] = core::hex(command.opcode, 8);
    row.cells[2] = core::hex(command.destination, 8);
    row.cells[3] = core::hex(command.source, 8);
    row.cells[4] = commandLine(command);
    row.valid = isValidOpcode(command.opcode);
    return row;
}

const CommandCells& commandGridCaptions()
{
    static const CommandCells captions = {"No.", "Opcode", "Destinat.", "Source", "Command line"};
    return captions;
}

std::vector<CommandCells> commandGridRows(const CommandList& commands)
{
    std::vector<CommandCells> rows;
    rows.reserve(commands.size());
    for (size_t i = 0; i < commands.size(); ++i)
        rows.push_back(comm2str(commands[i], i).cells);
    return rows;
}

std::string_view validityLabel(bool valid)
{
    return valid ? "  Valid" : "Invalid";
}

}  // namespace mirtal::hdmv
