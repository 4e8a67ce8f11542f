#pragma once
// The value logic of the typed number fields: decimal (TIntEdit) and hexadecimal (THexEdit).
// The window's controls only wrap these.

#include <cstdint>
#include <string>
#include <string_view>

namespace mirtal::core {

// A signed 32-bit decimal number as a whole (optional sign, "$" for hexadecimal), sign-extended;
// anything else, or a number outside 32 bits, gives 0.
[[nodiscard]] int64_t intEditValue(std::string_view text);
[[nodiscard]] std::string intEditText(int64_t value);
[[nodiscard]] bool intEditAccepts(char c);

// Hex digits of either case, other characters skipped, 32-bit wrap.
[[nodiscard]] int64_t hexEditValue(std::string_view text);
// Upper-case hexadecimal with at least maxLength digits.
[[nodiscard]] std::string hexEditText(int64_t value, int maxLength);
[[nodiscard]] std::string hexEditInitialText(int maxLength);
[[nodiscard]] bool hexEditAccepts(char c);

}  // namespace mirtal::core
