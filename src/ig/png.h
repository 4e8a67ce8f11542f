#pragma once
// PNG files of the menu images (8-bit RGB or RGBA, zlib-compressed).

#include "ig/image.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace mirtal::ig {

[[nodiscard]] std::vector<uint8_t> encodePng(const RgbImage& image);
[[nodiscard]] std::vector<uint8_t> encodePng(const RgbaImage& image);
// Writes through a temporary file; false with the reason in error on failure.
bool writePng(const std::filesystem::path& file, const std::vector<uint8_t>& png, std::string& error);

}  // namespace mirtal::ig
