#pragma once
// The cursor the program text's readers share: one line's text with its column, blanks and
// identifiers as the text form knows them.

#include <algorithm>
#include <cstddef>
#include <string_view>

namespace mirtal::hdmv::detail {

inline bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r';
}

inline bool isIdentStart(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

inline bool isIdentChar(char c)
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
        if (pos < text.size())
            pos = std::min(text.find_first_not_of(" \t\r", pos), text.size());
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


}  // namespace mirtal::hdmv::detail
