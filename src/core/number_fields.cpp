#include "core/number_fields.h"

#include "core/text.h"

namespace mirtal::core {

int64_t intEditValue(std::string_view text)
{
    size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    const bool isHex = i < text.size() && text[i] == '$';
    if (isHex)
        ++i;
    if (i >= text.size())
        return 0;
    uint64_t value = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        int d = -1;
        if (c >= '0' && c <= '9')
            d = c - '0';
        else if (isHex && c >= 'a' && c <= 'f')
            d = c - 'a' + 10;
        else if (isHex && c >= 'A' && c <= 'F')
            d = c - 'A' + 10;
        if (d < 0)
            return 0;
        value = value * (isHex ? 16 : 10) + static_cast<uint64_t>(d);
        if (value > 0xFFFFFFFFull)
            return 0;
    }
    if (isHex) {
        // A hexadecimal text is the 32-bit pattern, sign-extended.
        const auto v = static_cast<int64_t>(static_cast<int32_t>(static_cast<uint32_t>(value)));
        return negative ? -v : v;
    }
    const int64_t v = negative ? -static_cast<int64_t>(value) : static_cast<int64_t>(value);
    if (v < INT32_MIN || v > INT32_MAX)
        return 0;
    return v;
}

std::string intEditText(int64_t value)
{
    return std::to_string(value);
}

bool intEditAccepts(char c)
{
    return c == '\b' || c == '\r' || c == '\n' || c == '+' || c == '-' || (c >= '0' && c <= '9');
}

int64_t hexEditValue(std::string_view text)
{
    return hexToNumber(text);
}

std::string hexEditText(int64_t value, int maxLength)
{
    return hex(static_cast<uint64_t>(value) & 0xFFFFFFFFu, maxLength);
}

std::string hexEditInitialText(int maxLength)
{
    return std::string(static_cast<size_t>(maxLength > 0 ? maxLength : 0), '0');
}

bool hexEditAccepts(char c)
{
    return c == '\b' || c == '\r' || c == '\n' || (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') ||
           (c >= 'A' && c <= 'F');
}

}  // namespace mirtal::core
