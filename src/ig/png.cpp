#include "ig/png.h"

#include "core/files.h"

#include <zlib.h>

namespace mirtal::ig {
namespace {

void put32(std::vector<uint8_t>& out, uint32_t v)
{
    out.push_back(static_cast<uint8_t>(v >> 24));
    out.push_back(static_cast<uint8_t>(v >> 16));
    out.push_back(static_cast<uint8_t>(v >> 8));
    out.push_back(static_cast<uint8_t>(v));
}

void chunk(std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& data)
{
    put32(out, static_cast<uint32_t>(data.size()));
    const size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    const uLong crc = crc32(0, out.data() + start, static_cast<uInt>(out.size() - start));
    put32(out, static_cast<uint32_t>(crc));
}

std::vector<uint8_t> encode(int width, int height, int channels, const uint8_t* pixels)
{
    std::vector<uint8_t> raw;
    const size_t stride = static_cast<size_t>(width) * channels;
    raw.reserve((stride + 1) * height);
    for (int y = 0; y < height; ++y) {
        raw.push_back(0);    // filter: none
        raw.insert(raw.end(), pixels + y * stride, pixels + (y + 1) * stride);
    }
    uLongf packedSize = compressBound(static_cast<uLong>(raw.size()));
    std::vector<uint8_t> packed(packedSize);
    compress2(packed.data(), &packedSize, raw.data(), static_cast<uLong>(raw.size()), 6);
    packed.resize(packedSize);

    std::vector<uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<uint8_t> ihdr;
    put32(ihdr, static_cast<uint32_t>(width));
    put32(ihdr, static_cast<uint32_t>(height));
    ihdr.push_back(8);                           // bit depth
    ihdr.push_back(channels == 4 ? 6 : 2);       // RGBA or RGB
    ihdr.push_back(0);
    ihdr.push_back(0);
    ihdr.push_back(0);
    chunk(out, "IHDR", ihdr);
    chunk(out, "IDAT", packed);
    chunk(out, "IEND", {});
    return out;
}

}  // namespace

std::vector<uint8_t> encodePng(const RgbImage& image)
{
    return encode(image.width(), image.height(), 3, image.bytes().data());
}

std::vector<uint8_t> encodePng(const RgbaImage& image)
{
    return encode(image.width, image.height, 4, image.rgba.data());
}

bool writePng(const std::filesystem::path& file, const std::vector<uint8_t>& png, std::string& error)
{
    const auto r = core::writeFileAtomic(file, png);
    error = r.error;
    return r.ok;
}

}  // namespace mirtal::ig
