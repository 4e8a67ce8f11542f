#include "ig/image.h"

#include <cstring>

#include <algorithm>
#include <cctype>

namespace mirtal::ig {
namespace {

// 0-9, A-F; rows top to bottom, bit 4 the leftmost of five columns.
constexpr uint8_t kGlyphs[16][7] = {
    {0x0E, 0x11, 0x13, 0x15, 0x19, 0x11, 0x0E},    // 0
    {0x04, 0x0C, 0x04, 0x04, 0x04, 0x04, 0x0E},    // 1
    {0x0E, 0x11, 0x01, 0x02, 0x04, 0x08, 0x1F},    // 2
    {0x1F, 0x02, 0x04, 0x02, 0x01, 0x11, 0x0E},    // 3
    {0x02, 0x06, 0x0A, 0x12, 0x1F, 0x02, 0x02},    // 4
    {0x1F, 0x10, 0x1E, 0x01, 0x01, 0x11, 0x0E},    // 5
    {0x06, 0x08, 0x10, 0x1E, 0x11, 0x11, 0x0E},    // 6
    {0x1F, 0x01, 0x02, 0x04, 0x08, 0x08, 0x08},    // 7
    {0x0E, 0x11, 0x11, 0x0E, 0x11, 0x11, 0x0E},    // 8
    {0x0E, 0x11, 0x11, 0x0F, 0x01, 0x02, 0x0C},    // 9
    {0x0E, 0x11, 0x11, 0x1F, 0x11, 0x11, 0x11},    // A
    {0x1E, 0x11, 0x11, 0x1E, 0x11, 0x11, 0x1E},    // B
    {0x0E, 0x11, 0x10, 0x10, 0x10, 0x11, 0x0E},    // C
    {0x1C, 0x12, 0x11, 0x11, 0x11, 0x12, 0x1C},    // D
    {0x1F, 0x10, 0x10, 0x1E, 0x10, 0x10, 0x1F},    // E
    {0x1F, 0x10, 0x10, 0x1E, 0x10, 0x10, 0x10},    // F
};
constexpr uint8_t kBlank[7] = {};

}  // namespace

const uint8_t* glyphRows(char c)
{
    const int u = std::toupper(static_cast<unsigned char>(c));
    if (u >= '0' && u <= '9')
        return kGlyphs[u - '0'];
    if (u >= 'A' && u <= 'F')
        return kGlyphs[10 + u - 'A'];
    return kBlank;
}

RgbImage::RgbImage(int width, int height, Rgb fill)
    : m_width(std::max(width, 0)), m_height(std::max(height, 0)),
      m_rgb(static_cast<size_t>(m_width) * m_height * 3)
{
    this->fill(fill);
}

Rgb RgbImage::at(int x, int y) const
{
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
        return {};
    const size_t i = (static_cast<size_t>(y) * m_width + x) * 3;
    return {m_rgb[i], m_rgb[i + 1], m_rgb[i + 2]};
}

void RgbImage::set(int x, int y, Rgb c)
{
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
        return;
    const size_t i = (static_cast<size_t>(y) * m_width + x) * 3;
    m_rgb[i] = c.r;
    m_rgb[i + 1] = c.g;
    m_rgb[i + 2] = c.b;
}

void RgbImage::fill(Rgb c)
{
    fillRect(0, 0, m_width, m_height, c);
}

void RgbImage::fillRect(int x1, int y1, int x2, int y2, Rgb c)
{
    x1 = std::max(x1, 0);
    y1 = std::max(y1, 0);
    x2 = std::min(x2, m_width);
    y2 = std::min(y2, m_height);
    if (x1 >= x2 || y1 >= y2)
        return;
    // The first row pixel by pixel, the others copied from it.
    uint8_t* first = row(y1) + x1 * 3;
    for (int x = x1; x < x2; ++x) {
        uint8_t* p = first + (x - x1) * 3;
        p[0] = c.r;
        p[1] = c.g;
        p[2] = c.b;
    }
    const size_t bytes = static_cast<size_t>(x2 - x1) * 3;
    for (int y = y1 + 1; y < y2; ++y)
        std::memcpy(row(y) + x1 * 3, first, bytes);
}

void RgbImage::frameRect(int x1, int y1, int x2, int y2, Rgb c)
{
    if (x2 <= x1 || y2 <= y1)
        return;
    fillRect(x1, y1, x2, y1 + 1, c);
    fillRect(x1, y2 - 1, x2, y2, c);
    fillRect(x1, y1, x1 + 1, y2, c);
    fillRect(x2 - 1, y1, x2, y2, c);
}

void RgbImage::text(int x, int y, std::string_view digits, Rgb background)
{
    fillRect(x, y, x + kGlyphWidth * static_cast<int>(digits.size()), y + kGlyphHeight, background);
    for (size_t i = 0; i < digits.size(); ++i) {
        const uint8_t* rows = glyphRows(digits[i]);
        const int gx = x + static_cast<int>(i) * kGlyphWidth + 1;
        for (int r = 0; r < 7; ++r)
            for (int col = 0; col < 5; ++col)
                if (rows[r] & (0x10 >> col))
                    set(gx + col, y + 3 + r, colours::kBlack);
    }
}

}  // namespace mirtal::ig
