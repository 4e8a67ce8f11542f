// Run-length decoding speed of full-screen (1920 x 1080) objects: a menu-like picture (runs of
// 1 to 40 pixels, a third of them single pixels) and the worst case of a different entry at every
// pixel. Each picture is decoded several times; the median gives millions of pixels per second.
// The decoded pixels are compared with the picture so that a fast wrong decoder cannot pass.
//
// usage: ig_rle_bench [RUNS]

#include "ig/bitmaps.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;

std::vector<uint8_t> encode(const std::vector<uint8_t>& px)
{
    std::vector<uint8_t> out;
    for (int y = 0; y < kHeight; ++y) {
        int x = 0;
        while (x < kWidth) {
            const uint8_t c = px[static_cast<size_t>(y) * kWidth + x];
            int run = 1;
            while (x + run < kWidth && run < 16383 && px[static_cast<size_t>(y) * kWidth + x + run] == c)
                ++run;
            if (c != 0 && run < 3) {
                out.insert(out.end(), static_cast<size_t>(run), c);
            } else {
                out.push_back(0);
                const uint8_t flag = c == 0 ? 0 : 0x80;
                if (run < 64) {
                    out.push_back(static_cast<uint8_t>(flag | run));
                } else {
                    out.push_back(static_cast<uint8_t>(flag | 0x40 | (run >> 8)));
                    out.push_back(static_cast<uint8_t>(run));
                }
                if (c != 0)
                    out.push_back(c);
            }
            x += run;
        }
        out.push_back(0);
        out.push_back(0);
    }
    return out;
}

std::vector<uint8_t> menuPicture()
{
    std::mt19937 rng(7);
    std::vector<uint8_t> px(static_cast<size_t>(kWidth) * kHeight);
    size_t i = 0;
    while (i < px.size()) {
        const size_t run = rng() % 3 == 0 ? 1 : 1 + rng() % 40;
        const uint8_t c = static_cast<uint8_t>(rng() % 8 == 0 ? 0 : rng() % 256);
        for (size_t k = 0; k < run && i < px.size(); ++k)
            px[i++] = c;
    }
    return px;
}

std::vector<uint8_t> noisePicture()
{
    std::vector<uint8_t> px(static_cast<size_t>(kWidth) * kHeight);
    for (size_t i = 0; i < px.size(); ++i)
        px[i] = static_cast<uint8_t>(1 + (i * 7 + i / kWidth) % 255);
    return px;
}

double measure(const char* name, const std::vector<uint8_t>& px, int runs)
{
    const auto rle = encode(px);
    std::vector<double> mpps;
    for (int r = 0; r < runs; ++r) {
        const auto t0 = std::chrono::steady_clock::now();
        const auto out = mirtal::ig::rledecode(rle, kHeight, kWidth);
        const double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        if (out != px) {
            std::fprintf(stderr, "%s: decoded pixels differ from the picture\n", name);
            std::exit(1);
        }
        mpps.push_back(static_cast<double>(px.size()) / s / 1e6);
    }
    std::sort(mpps.begin(), mpps.end());
    const double median = mpps[mpps.size() / 2];
    std::printf("rledecode %-6s %zu bytes of codes: median %.0f Mpixel/s (%d runs)\n", name, rle.size(), median, runs);
    return median;
}

}  // namespace

int main(int argc, char** argv)
{
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 9;
    const double menu = measure("menu", menuPicture(), runs);
    const double noise = measure("noise", noisePicture(), runs);
    std::printf("target: 200 Mpixel/s or more for a full-screen object: %s\n",
                std::min(menu, noise) >= 200 ? "met" : "NOT met");
    return 0;
}
