#pragma once
// Small pure conversions shared by the readers, the grids, the log and the chapter files.

#include <cstdint>
#include <string>
#include <string_view>

namespace mirtal::core {

// Hex digits of either case; every other character is skipped; more than 8 digits wrap.
[[nodiscard]] uint32_t hexToNumber(std::string_view text);
// "hh:mm:ss,zzz" by fixed positions, in 90 kHz ticks; a missing or bad piece counts 0.
[[nodiscard]] uint32_t timeToTicks(std::string_view text);
// The leading number: blanks, an optional sign, "$" or "0x" for hexadecimal, digits up to the
// first other character. No digits give 0.
[[nodiscard]] int64_t textToInteger(std::string_view text);
// Decimal, left-padded with "0" to width (in front of a sign).
[[nodiscard]] std::string padded(int64_t value, int width);
// The locale's thousands separator, captured once from the user's locale ("," when it has none).
std::string_view thousandsSeparatorDefault();
// Decimal with a thousands separator before every third digit from the right.
[[nodiscard]] std::string grouped(int64_t value, std::string_view separator = thousandsSeparatorDefault());
// Upper-case hexadecimal with at least `digits` digits.
[[nodiscard]] std::string hex(uint64_t value, int digits);
// The same texts appended to `out` (no temporary string: the texts of long listings are built so).
void appendHex(std::string& out, uint64_t value, int digits);
void appendDecimal(std::string& out, uint64_t value);
// The path without its last extension (from the last "." of the file name on).
[[nodiscard]] std::string withoutExtension(std::string_view path);
[[nodiscard]] std::string replaceAll(std::string text, std::string_view pattern, std::string_view replacement);
[[nodiscard]] std::string toUpper(std::string text);
[[nodiscard]] bool equalsNoCase(std::string_view a, std::string_view b);

[[nodiscard]] constexpr uint16_t swapWord(uint32_t v)
{
    return static_cast<uint16_t>(((v & 0xFF) << 8) | ((v >> 8) & 0xFF));
}
[[nodiscard]] constexpr uint32_t swapLong(uint32_t v)
{
    return (static_cast<uint32_t>(swapWord(v & 0xFFFF)) << 16) | swapWord(v >> 16);
}

template <typename T>
[[nodiscard]] constexpr T choose(bool flag, T ifTrue, T ifFalse)
{
    return flag ? ifTrue : ifFalse;
}

}  // namespace mirtal::core
