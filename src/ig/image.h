#pragma once
// The drawing surface of the menu views: a 24-bit RGB image (the 1920 × 1080 page, object
// previews) and an RGBA image (the palette view), with the few operations the views need and a
// small built-in font for the hexadecimal id texts.

#include <cstdint>
#include <string_view>
#include <vector>

namespace mirtal::ig {

struct Rgb {
    uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb&) const = default;
};

namespace colours {
constexpr Rgb kNavy{0, 0, 128};
constexpr Rgb kYellow{255, 255, 0};
constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kGray{128, 128, 128};
constexpr Rgb kLime{0, 255, 0};
constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kSilver{192, 192, 192};
constexpr Rgb kBlack{0, 0, 0};
}  // namespace colours

class RgbImage {
public:
    RgbImage() = default;
    RgbImage(int width, int height, Rgb fill = {});
    [[nodiscard]] int width() const { return m_width; }
    [[nodiscard]] int height() const { return m_height; }
    [[nodiscard]] Rgb at(int x, int y) const;
    void set(int x, int y, Rgb c);
    void fill(Rgb c);
    // The pixels x1..x2−1, y1..y2−1, clipped to the image.
    void fillRect(int x1, int y1, int x2, int y2, Rgb c);
    // A one-pixel outline of the rectangle x1..x2−1, y1..y2−1.
    void frameRect(int x1, int y1, int x2, int y2, Rgb c);
    // Hexadecimal digits (other characters show as blanks) in black on a background box of
    // kGlyphWidth per character × kGlyphHeight, with its top left corner at (x, y).
    void text(int x, int y, std::string_view digits, Rgb background);
    [[nodiscard]] const std::vector<uint8_t>& bytes() const { return m_rgb; }
    [[nodiscard]] uint8_t* row(int y) { return m_rgb.data() + static_cast<size_t>(y) * m_width * 3; }
    bool operator==(const RgbImage&) const = default;

    static constexpr int kGlyphWidth = 7;
    static constexpr int kGlyphHeight = 13;

private:
    int m_width = 0;
    int m_height = 0;
    std::vector<uint8_t> m_rgb;
};

// The 5 × 7 pattern of a hexadecimal digit, one byte per row, bit 4 leftmost; all zero for a
// character that is not a digit.
[[nodiscard]] const uint8_t* glyphRows(char c);

struct RgbaImage {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgba;    // 4 bytes a pixel
};

}  // namespace mirtal::ig
