#include "core/text.h"

#include <algorithm>
#include <cctype>
#include <clocale>

namespace mirtal::core {

namespace {

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

}  // namespace

uint32_t hexToNumber(std::string_view text)
{
    uint32_t result = 0;
    for (char c : text) {
        const int d = hexDigit(c);
        if (d >= 0)
            result = result * 16 + static_cast<uint32_t>(d);
    }
    return result;
}

uint32_t timeToTicks(std::string_view text)
{
    auto piece = [&](size_t from, size_t len) -> uint32_t {
        if (from >= text.size())
            return 0;
        const int64_t v = textToInteger(text.substr(from, len));
        return v < 0 ? 0 : static_cast<uint32_t>(v);
    };
    return piece(0, 2) * 324000000u + piece(3, 2) * 5400000u + piece(6, 2) * 90000u + piece(9, 3) * 90u;
}

int64_t textToInteger(std::string_view text)
{
    size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    int base = 10;
    if (i < text.size() && text[i] == '$') {
        base = 16;
        ++i;
    } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    uint64_t value = 0;
    for (; i < text.size(); ++i) {
        const int d = hexDigit(text[i]);
        if (d < 0 || d >= base)
            break;
        value = value * static_cast<uint64_t>(base) + static_cast<uint64_t>(d);
        if (value > (uint64_t{1} << 62))
            break;    // far beyond any field; stop before the arithmetic overflows
    }
    const auto v = static_cast<int64_t>(value);
    return negative ? -v : v;
}

std::string padded(int64_t value, int width)
{
    std::string text = std::to_string(value);
    if (static_cast<int>(text.size()) < width)
        text.insert(0, static_cast<size_t>(width) - text.size(), '0');
    return text;
}

std::string_view thousandsSeparatorDefault()
{
    static const std::string separator = [] {
        std::string sep = ",";
        // Capture the user's numeric locale once; keep the program's own "C" locale afterwards.
        const char* old = std::setlocale(LC_NUMERIC, nullptr);
        const std::string saved = old ? old : "C";
        if (std::setlocale(LC_NUMERIC, "")) {
            const std::lconv* lc = std::localeconv();
            if (lc && lc->thousands_sep && *lc->thousands_sep)
                sep = lc->thousands_sep;
            std::setlocale(LC_NUMERIC, saved.c_str());
        }
        return sep;
    }();
    return separator;
}

std::string grouped(int64_t value, std::string_view separator)
{
    const std::string digits = std::to_string(value < 0 ? -static_cast<uint64_t>(value) : static_cast<uint64_t>(value));
    std::string out;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            out.append(separator);
        out.push_back(digits[i]);
    }
    return value < 0 ? "-" + out : out;
}

void appendHex(std::string& out, uint64_t value, int digits)
{
    static const char* kDigits = "0123456789ABCDEF";
    // Filled from the end: at most 16 digits of the value, then the zeros that make up the width.
    char buffer[16];
    size_t n = 0;
    do {
        buffer[sizeof buffer - ++n] = kDigits[value & 0xF];
        value >>= 4;
    } while (value != 0);
    const size_t width = digits > 0 ? static_cast<size_t>(digits) : 0;
    if (width > n)
        out.append(width - n, '0');
    out.append(buffer + sizeof buffer - n, n);
}

std::string hex(uint64_t value, int digits)
{
    std::string out;
    appendHex(out, value, digits);
    return out;
}

void appendDecimal(std::string& out, uint64_t value)
{
    char buffer[20];
    size_t n = 0;
    do {
        buffer[sizeof buffer - ++n] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value != 0);
    out.append(buffer + sizeof buffer - n, n);
}

std::string withoutExtension(std::string_view path)
{
    const size_t slash = path.find_last_of("/\\");
    const size_t dot = path.rfind('.');
    if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash))
        return std::string(path);
    return std::string(path.substr(0, dot));
}

std::string replaceAll(std::string text, std::string_view pattern, std::string_view replacement)
{
    if (pattern.empty())
        return text;
    size_t pos = 0;
    while ((pos = text.find(pattern, pos)) != std::string::npos) {
        text.replace(pos, pattern.size(), replacement);
        pos += replacement.size();
    }
    return text;
}

std::string toUpper(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

bool equalsNoCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::toupper(static_cast<unsigned char>(x)) == std::toupper(static_cast<unsigned char>(y));
           });
}

}  // namespace mirtal::core
