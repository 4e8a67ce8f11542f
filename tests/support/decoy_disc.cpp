#include "support/decoy_disc.h"

#include "support/disc_builder.h"
#include "support/mpls_builder.h"

#include <string>

namespace mirtal::support {

namespace {

constexpr uint32_t kSecond = 45000;

PlayItemDesc item(const std::string& clip, uint32_t in, uint32_t out)
{
    PlayItemDesc p;
    p.clip = clip;
    p.in = in;
    p.out = out;
    p.video = {videoStream(0x1011)};
    p.audio = {audioStream(0x1100, "eng")};
    return p;
}

MplsBuilder feature()
{
    auto first = item("00100", 0, 3000 * kSecond);
    first.audio = {audioStream(0x1100, "eng"), audioStream(0x1101, "fra"), audioStream(0x1102, "deu")};
    first.pg = {pgStream(0x1200, "eng"), pgStream(0x1201, "jpn")};
    first.ig = {igStream(0x1400, "eng")};
    auto second = item("00101", 0, 2400 * kSecond + 123 * 45);
    second.extraAngles = {{"00201"}, {"00202"}};
    MplsBuilder b;
    b.playItem(first).playItem(second).playItem(item("00102", 90'000, 90'000 + 1800 * kSecond));
    for (uint32_t c = 0; c < 20; ++c)
        b.mark({1, static_cast<uint16_t>(c / 8), (c % 8) * 300 * kSecond, 0xFFFF, 0});
    b.mark({2, 2, 60 * kSecond, 0xFFFF, 0});
    return b;
}

}  // namespace

std::filesystem::path writeDecoyDisc(const std::filesystem::path& dir)
{
    DiscBuilder d;
    d.firstPlayback({1, 0, 1, 0, {}});
    d.topMenu({1, 0, 1, 1, {}});
    d.title({1, 0, 0, 2, {}});
    d.title({1, 0, 0, 3, {}});
    d.title({2, 0, 0, 0, "00000"});
    // 0, First Playback: the warning, a called object, the logo after its Resume, title 1.
    d.object({false, true, true,
              {{0x22800000, 1, 0},             // Play PL 1
               {0x21820000, 5, 0},             // Call Object 5
               {0x22800000, 6, 0},             // Play PL 6
               {0x21810000, 1, 0},             // Jump Title 1
               {0x22800000, 7, 0}}});          // Play PL 7 (never reached)
    // 1, Top Menu: the menu PlayList, looped.
    d.object({false, true, false, {{0x22800000, 4, 0}, {0x20810000, 0, 0}}});    // Play PL 4; GoTo 0
    // 2, Title 1: the feature through a register; the duplicate is named but skipped.
    d.object({true, false, false,
              {{0x50400001, 0, 800},           // Move GPR0, 800
               {0x48400200, 0, 801},           // EQ GPR0, 801
               {0x22800000, 801, 0},           // Play PL 801
               {0x22000000, 0, 0}}});          // Play PL GPR0
    // 3, Title 2: the extras, in another object.
    d.object({false, false, false, {{0x21800000, 4, 0}}});                        // Jump Object 4
    d.object({false, false, false, {{0x42C20000, 2, 0}}});                        // Play PL_MK 2, 0
    // 5: called from First Playback.
    d.object({false, false, false,
              {{0x50400001, 1, 3}, {0x22000000, 1, 0}, {0x01040000, 0, 0}}});    // Move GPR1, 3; Play PL GPR1; Resume
    const auto bdmv = d.writeTo(dir);

    const auto playlist = bdmv / "PLAYLIST";
    for (const char* name : {"00001", "00002", "00003", "00004", "00006"})
        writeBytes(playlist / (std::string(name) + ".mpls"),
                   MplsBuilder().playItem(item("00" + std::string(name + 2), 0, 20 * kSecond)).bytes());
    writeBytes(playlist / "00800.mpls", feature().bytes());
    writeBytes(playlist / "00801.mpls", feature().bytes());
    writeBytes(playlist / "00900.mpls", feature().bytes());
    writeBytes(playlist / "00802.mpls", MplsBuilder()
                                            .playItem(item("00100", 0, 3000 * kSecond))
                                            .playItem(item("00101", 45, 2400 * kSecond + 123 * 45))
                                            .playItem(item("00102", 90'000, 90'000 + 1800 * kSecond))
                                            .bytes());
    for (int n = 10; n < 40; ++n)
        writeBytes(playlist / ("000" + std::to_string(n) + ".mpls"),
                   MplsBuilder().playItem(item("00" + std::to_string(300 + n), 0, kSecond / 2)).bytes());
    return bdmv;
}

}  // namespace mirtal::support
