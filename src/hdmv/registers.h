#pragma once
// The register file of the emulator: 4096 GPRs and 128 PSRs, their reset values, the two
// listings of the Status tab and the value logic of the register edit fields.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace mirtal::hdmv {

constexpr size_t kGprCount = 4096;
constexpr size_t kPsrCount = 128;
constexpr uint16_t kDefaultCountryCode = 0x5553;    // "US"

class Registers {
public:
    Registers() { ResetRegs(); }

    // Clears both sets and applies the reset table. region: 0 "A", 1 "B", 2 "C" (PSR 20 = 1 << region;
    // other values are taken as "A").
    void ResetRegs(uint16_t countryCode = kDefaultCountryCode, int region = 0);

    // The PSR listing: PSR 0-20 one a line, nonzero PSR 21-31 one a line, nonzero PSR 32-127 six
    // items a line; each a log line with [b] markup.
    [[nodiscard]] std::vector<std::string> psrListing() const;
    // Nonzero GPRs, five items a line; no lines when every GPR is 0.
    [[nodiscard]] std::vector<std::string> gprListing() const;

    std::array<uint32_t, kGprCount> gpr{};
    std::array<uint32_t, kPsrCount> psr{};
};

enum class RegisterKind { PSR, GPR };

// Number field changed or left: a number within 0-127 (PSR) or 0-4095 (GPR) stays, any other
// becomes 0.
[[nodiscard]] uint32_t checkRegisterNumber(RegisterKind kind, int64_t number);
// The number field's text: plain decimal while it has the focus, else padded to 3 (PSR) or 4 (GPR)
// digits. The number is checked first.
[[nodiscard]] std::string registerNumberText(RegisterKind kind, int64_t number, bool focused);
// The value field's text for the register the (checked) number names: 8 upper-case hex digits.
[[nodiscard]] std::string registerValueText(const Registers& regs, RegisterKind kind, int64_t number);
// Value field left: the register named by the (checked) number gets the value.
void writeRegister(Registers& regs, RegisterKind kind, int64_t number, uint32_t value);

// Country code left: below 0x4141 ("AA") becomes 0x4141, above 0x5A5A ("ZZ") becomes 0x5A5A.
[[nodiscard]] uint16_t clampCountryCode(int64_t value);
// The two-letter label: the high byte then the low byte of the value, as characters (bytes
// outside printable ASCII show as "?").
[[nodiscard]] std::string countryCodeLabel(uint32_t value);

}  // namespace mirtal::hdmv
