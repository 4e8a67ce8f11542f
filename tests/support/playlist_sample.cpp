#include "support/playlist_sample.h"

#include "support/clpi_builder.h"
#include "support/disc_builder.h"
#include "support/mpls_builder.h"

namespace mirtal::support {

namespace {

constexpr uint32_t kSecond = 45000;

PlayItemDesc featureItem(const std::string& clip, uint32_t in, uint32_t out)
{
    PlayItemDesc p;
    p.clip = clip;
    p.in = in;
    p.out = out;
    p.randomAccess = false;
    p.video = {videoStream(0x1011)};
    p.audio = {audioStream(0x1100, "eng"), audioStream(0x1101, "fra", 0x80, 3, 1)};
    p.pg = {pgStream(0x1200, "eng"), pgStream(0x1201, "deu")};
    return p;
}

}  // namespace

void addSamplePlaylists(const std::filesystem::path& bdmvDir)
{
    const auto playlist = bdmvDir / "PLAYLIST";
    const auto clipinf = bdmvDir / "CLIPINF";

    // 00000: the intro, one PlayItem, one mark.
    {
        auto item = featureItem("00001", 0, 30 * kSecond);
        item.audio.pop_back();
        writeBytes(playlist / "00000.mpls",
                   MplsBuilder().uoMask(0x80000000, 0).playItem(item).mark({1, 0, 0, 0xFFFF, 0}).bytes());
    }
    // 00001: the main feature: three PlayItems, the second multi-angle, chapter marks and an
    // ExtensionData block.
    {
        auto angles = featureItem("00002", 10 * kSecond, 70 * kSecond);
        angles.extraAngles = {{"00003", "M2TS", 0}};
        angles.angleFlags = 1;
        MplsBuilder b;
        b.playItem(featureItem("00001", 0, 120 * kSecond))
            .playItem(angles)
            .playItem(featureItem("00001", 120 * kSecond, 300 * kSecond))
            .mark({1, 0, 0, 0xFFFF, 0})
            .mark({1, 0, 60 * kSecond, 0xFFFF, 0})
            .mark({1, 1, 10 * kSecond, 0xFFFF, 0})
            .mark({1, 2, 120 * kSecond, 0xFFFF, 0})
            .mark({2, 2, 200 * kSecond, 0xFFFF, 0})
            .extension({{0x1000, 0x0001, {'M', 'i', 'r', 't', 'a', 'l', ' ', 'd', 'e', 'm', 'o', 0}}});
        writeBytes(playlist / "00001.mpls", b.bytes());
    }
    // 00002: a browsable slide show with a primary-audio SubPath (type 2, repeated) of two
    // SubPlayItems, one of them multi-clip.
    {
        auto item = featureItem("00001", 0, 60 * kSecond);
        SubPlayItemDesc a{"00004", "M2TS", 1, 0, 0, 30 * kSecond, 0, 0, false, {}};
        SubPlayItemDesc b{"00004", "M2TS", 1, 0, 30 * kSecond, 60 * kSecond, 0, 30 * kSecond, true,
                          {{"00002", "M2TS", 0}, {"00003", "M2TS", 0}}};
        writeBytes(playlist / "00002.mpls", MplsBuilder()
                                                .playback(2, 3)
                                                .playItem(item)
                                                .subPath({2, 1, {a, b}})
                                                .mark({1, 0, 0, 0xFFFF, 0})
                                                .mark({1, 0, 30 * kSecond, 0xFFFF, 0})
                                                .bytes());
    }
    // 00003: extras with an IG menu SubPath (type 3) on the menu clip.
    {
        auto item = featureItem("00003", 0, 90 * kSecond);
        auto ig = igStream(0x1400, "eng");
        ig.subPathId = 0;
        item.ig = {ig};
        SubPlayItemDesc menu{"00010", "M2TS", 1, 0, 0, 90 * kSecond, 0, 0, false, {}};
        writeBytes(playlist / "00003.mpls", MplsBuilder()
                                                .flagsWord(0x8000)
                                                .playItem(item)
                                                .subPath({3, 0, {menu}})
                                                .mark({1, 0, 0, 0xFFFF, 0})
                                                .mark({1, 0, 45 * kSecond, 0xFFFF, 0})
                                                .mark({1, 0, 80 * kSecond, 0xFFFF, 0})
                                                .bytes());
    }
    // 00004: the top menu: clip 00010 with its IG stream on PID 0x1400.
    {
        PlayItemDesc menu;
        menu.clip = "00010";
        menu.in = 0;
        menu.out = 60 * kSecond;
        menu.stillMode = 1;
        menu.ig = {igStream(0x1400, "eng")};
        menu.ig[0].entryType = 1;
        menu.ig[0].mainPid = 0x1400;
        menu.ig[0].subPid = 0;
        writeBytes(playlist / "00004.mpls", MplsBuilder().playItem(menu).mark({1, 0, 0, 0xFFFF, 0}).bytes());
    }

    const auto featureClip = [] {
        return ClpiBuilder()
            .stream(clipVideo(0x1011))
            .stream(clipAudio(0x1100, "eng"))
            .stream(clipAudio(0x1101, "fra", 0x80, 3, 1))
            .stream(clipGraphics(0x1200, 0x90, "eng"))
            .stream(clipGraphics(0x1201, 0x90, "deu"))
            .stream(clipGraphics(0x1400, 0x91, "eng"));
    };
    writeBytes(clipinf / "00001.clpi", featureClip().bytes());
    writeBytes(clipinf / "00002.clpi", featureClip().bytes());
    writeBytes(clipinf / "00003.clpi", featureClip().stream(clipVideo(0x1B00, 0x1B, 6, 1, 2)).bytes());
    writeBytes(clipinf / "00004.clpi",
               ClpiBuilder().applicationType(4).stream(clipAudio(0x1100, "eng", 0x80, 3, 1)).bytes());
    writeBytes(clipinf / "00010.clpi", ClpiBuilder().applicationType(1).stream(clipGraphics(0x1400, 0x91, "eng")).bytes());
    writeBytes(clipinf / "00011.clpi",
               ClpiBuilder().stream(clipVideo(0x1011)).stream(clipGraphics(0x1200, 0x90, "eng")).bytes());
}

}  // namespace mirtal::support
