#include "hdmv/registers.h"

#include "core/text.h"
#include "hdmv/command_text.h"

namespace mirtal::hdmv {
namespace {

std::string item(std::string_view kind, size_t n, uint32_t value)
{
    return "[b]" + std::string(kind) + std::to_string(n) + "[/b]: " + core::hex(value, 8) + " (" +
           std::to_string(value) + ")";
}

std::string describedLine(size_t n, uint32_t value)
{
    std::string_view description = psrDescription(static_cast<uint32_t>(n));
    if (description == "reserved")
        description = {};
    return item("PSR", n, value) + " - " + std::string(description);
}

// Items of the nonzero registers from..to, `perLine` items a line, the remainder at the end.
void appendPacked(std::vector<std::string>& out, std::string_view kind, const uint32_t* regs, size_t from,
                  size_t to, int perLine)
{
    std::string line;
    int items = 0;
    for (size_t n = from; n < to; ++n) {
        if (regs[n] == 0)
            continue;
        line += item(kind, n, regs[n]) + "   ";
        if (++items == perLine) {
            out.push_back(line);
            line.clear();
            items = 0;
        }
    }
    if (items > 0)
        out.push_back(line);
}

char labelChar(uint32_t byte)
{
    return byte >= 0x20 && byte < 0x7F ? static_cast<char>(byte) : '?';
}

}  // namespace

void Registers::ResetRegs(uint16_t countryCode, int region)
{
    gpr.fill(0);
    psr.fill(0);
    psr[0] = 1;
    psr[1] = 0xFF;
    psr[2] = 0x0FFF0FFF;
    psr[3] = 1;
    psr[4] = 0xFFFF;
    psr[5] = 0xFFFF;
    psr[8] = 0xFFFFFFFF;
    psr[10] = 0xFFFF;
    psr[12] = 0xFF;
    psr[14] = 0xFFFF;
    psr[15] = 0xAA;
    psr[16] = psr[17] = psr[18] = 0x00656E67;    // "eng"
    psr[19] = countryCode;
    psr[20] = 1u << (region >= 0 && region <= 2 ? region : 0);
    psr[29] = 3;
    psr[30] = 0x1F0F8;
    psr[31] = 0x30200;
    psr[43] = 0xFFFF;
    psr[48] = psr[49] = psr[50] = 0xFFFFFFFF;
    psr[61] = 0xFFFF0000;
}

std::vector<std::string> Registers::psrListing() const
{
    std::vector<std::string> out;
    for (size_t n = 0; n <= 20; ++n)
        out.push_back(describedLine(n, psr[n]));
    for (size_t n = 21; n <= 31; ++n)
        if (psr[n] != 0)
            out.push_back(describedLine(n, psr[n]));
    appendPacked(out, "PSR", psr.data(), 32, kPsrCount, 6);
    return out;
}

std::vector<std::string> Registers::gprListing() const
{
    std::vector<std::string> out;
    appendPacked(out, "GPR", gpr.data(), 0, kGprCount, 5);
    return out;
}

uint32_t checkRegisterNumber(RegisterKind kind, int64_t number)
{
    const int64_t top = kind == RegisterKind::PSR ? static_cast<int64_t>(kPsrCount) : static_cast<int64_t>(kGprCount);
    return number >= 0 && number < top ? static_cast<uint32_t>(number) : 0;
}

std::string registerNumberText(RegisterKind kind, int64_t number, bool focused)
{
    const uint32_t n = checkRegisterNumber(kind, number);
    if (focused)
        return std::to_string(n);
    return core::padded(n, kind == RegisterKind::PSR ? 3 : 4);
}

std::string registerValueText(const Registers& regs, RegisterKind kind, int64_t number)
{
    const uint32_t n = checkRegisterNumber(kind, number);
    return core::hex(kind == RegisterKind::PSR ? regs.psr[n] : regs.gpr[n], 8);
}

void writeRegister(Registers& regs, RegisterKind kind, int64_t number, uint32_t value)
{
    const uint32_t n = checkRegisterNumber(kind, number);
    if (kind == RegisterKind::PSR)
        regs.psr[n] = value;
    else
        regs.gpr[n] = value;
}

uint16_t clampCountryCode(int64_t value)
{
    if (value < 0x4141)
        return 0x4141;
    if (value > 0x5A5A)
        return 0x5A5A;
    return static_cast<uint16_t>(value);
}

std::string countryCodeLabel(uint32_t value)
{
    return {labelChar((value >> 8) & 0xFF), labelChar(value & 0xFF)};
}

}  // namespace mirtal::hdmv
