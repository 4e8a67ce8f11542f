// Writes a benchmark disc: DIR/BDMV with a database whose movie objects play the PlayLists,
// PLAYLIST/00000.mpls .. with the requested number of PlayLists, CLIPINF/00000.clpi .. with the
// requested number of clips, and an empty STREAM/xxxxx.m2ts beside each clip. The PlayLists are
// drawn from a fixed seed: most have 1 to 8 PlayItems, one in ten 20 to 200 (a seamless-branching
// feature), each with video, 1 to 8 audio and 0 to 16 PG streams, chapter marks, and now and then
// a second angle, an IG menu SubPath or a multi-clip SubPlayItem. --upper spells the file names
// in capitals (00001.MPLS), as a disc copied from another system may.
//
// usage: bench_playlist_gen DIR [--playlists 2000] [--clips 2000] [--upper]

#include "support/clpi_builder.h"
#include "support/disc_builder.h"
#include "support/mpls_builder.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>

namespace {

namespace fs = std::filesystem;
using namespace mirtal::support;

constexpr uint32_t kSecond = 45000;

std::string fiveDigits(int n)
{
    char buf[8];
    std::snprintf(buf, sizeof buf, "%05d", n % 100000);
    return buf;
}

const char* const kLanguages[] = {"eng", "fra", "deu", "spa", "ita", "jpn", "nld", "swe", "dan", "fin",
                                  "nor", "por", "pol", "ces", "hun", "rus"};

class Generator {
public:
    Generator(int clips) : m_clips(clips) {}

    std::vector<uint8_t> playlist()
    {
        const int items = pick(10) == 0 ? 20 + pick(181) : 1 + pick(8);
        MplsBuilder b;
        uint32_t total = 0;
        for (int i = 0; i < items; ++i) {
            const auto p = playItem();
            total += p.out - p.in;
            b.playItem(p);
        }
        if (pick(5) == 0) {
            SubPlayItemDesc menu;
            menu.clip = clip();
            menu.out = total;
            if (pick(4) == 0) {
                menu.multiClip = true;
                menu.extraClips = {{clip()}, {clip()}};
            }
            b.subPath({3, 0, {menu}});
        }
        const int marks = 1 + pick(60);
        for (int m = 0; m < marks; ++m)
            b.mark({1, static_cast<uint16_t>(pick(items)), static_cast<uint32_t>(pick(600)) * kSecond, 0xFFFF, 0});
        return b.bytes();
    }

    std::vector<uint8_t> clipInfo()
    {
        ClpiBuilder c;
        c.stream(clipVideo(0x1011));
        const int audio = 1 + pick(8);
        for (int a = 0; a < audio; ++a)
            c.stream(clipAudio(static_cast<uint16_t>(0x1100 + a), kLanguages[a], 0x81));
        const int pg = pick(17);
        for (int g = 0; g < pg; ++g)
            c.stream(clipGraphics(static_cast<uint16_t>(0x1200 + g), 0x90, kLanguages[g]));
        c.stream(clipGraphics(0x1400, 0x91, "eng"));
        return c.bytes();
    }

private:
    int pick(int n) { return static_cast<int>(m_rng() % static_cast<uint32_t>(n)); }
    std::string clip() { return fiveDigits(pick(m_clips)); }

    PlayItemDesc playItem()
    {
        PlayItemDesc p;
        p.clip = clip();
        p.in = static_cast<uint32_t>(pick(100)) * kSecond;
        p.out = p.in + static_cast<uint32_t>(10 + pick(3000)) * kSecond;
        p.video = {videoStream(0x1011)};
        const int audio = 1 + pick(8);
        for (int a = 0; a < audio; ++a)
            p.audio.push_back(audioStream(static_cast<uint16_t>(0x1100 + a), kLanguages[a]));
        const int pg = pick(17);
        for (int g = 0; g < pg; ++g)
            p.pg.push_back(pgStream(static_cast<uint16_t>(0x1200 + g), kLanguages[g]));
        if (pick(20) == 0) {
            p.multiAngle = true;
            p.extraAngles = {{clip()}};
        }
        return p;
    }

    int m_clips;
    std::mt19937 m_rng{20261208};
};

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_playlist_gen DIR [--playlists N] [--clips N] [--upper]\n");
        return 2;
    }
    int playlists = 2000, clips = 2000;
    bool upper = false;
    for (int i = 2; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--playlists") && i + 1 < argc)
            playlists = std::atoi(argv[++i]);
        else if (!std::strcmp(argv[i], "--clips") && i + 1 < argc)
            clips = std::atoi(argv[++i]);
        else if (!std::strcmp(argv[i], "--upper"))
            upper = true;
        else {
            std::fprintf(stderr, "bench_playlist_gen: unknown argument %s\n", argv[i]);
            return 2;
        }
    }
    if (playlists < 1 || clips < 1 || playlists > 100000 || clips > 100000) {
        std::fprintf(stderr, "bench_playlist_gen: between 1 and 100000 PlayLists and clips\n");
        return 2;
    }

    // Movie objects that play the PlayLists with immediate operands, twenty commands each.
    DiscBuilder db;
    db.title({1, 0, 0, 0, {}});
    for (int o = 0; o * 20 < playlists; ++o) {
        ObjectDesc obj;
        for (int k = 0; k < 20 && o * 20 + k < playlists; ++k)
            obj.commands.push_back({0x22800000, static_cast<uint32_t>(o * 20 + k), 0});
        db.object(obj);
    }
    const fs::path bdmv = db.writeTo(argv[1]);

    Generator gen(clips);
    const char* mpls = upper ? ".MPLS" : ".mpls";
    const char* clpi = upper ? ".CLPI" : ".clpi";
    const char* m2ts = upper ? ".M2TS" : ".m2ts";
    uint64_t bytes = 0;
    for (int i = 0; i < playlists; ++i) {
        const auto b = gen.playlist();
        bytes += b.size();
        writeBytes(bdmv / "PLAYLIST" / (fiveDigits(i) + mpls), b);
    }
    for (int i = 0; i < clips; ++i) {
        const auto b = gen.clipInfo();
        bytes += b.size();
        writeBytes(bdmv / "CLIPINF" / (fiveDigits(i) + clpi), b);
        writeBytes(bdmv / "STREAM" / (fiveDigits(i) + m2ts), {});
    }
    std::printf("%s: %d PlayLists, %d clips, %llu bytes\n", bdmv.string().c_str(), playlists, clips,
                static_cast<unsigned long long>(bytes));
    return 0;
}
