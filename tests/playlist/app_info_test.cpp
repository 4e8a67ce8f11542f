#include "playlist_fixture.h"
#include "playlist/app_info.h"
#include "core/text.h"
#include "playlist/mpls_text.h"

using namespace mirtal;
using namespace mirtal::playlist;
using namespace mirtal::support;
using mirtal::playlist::test::readBuilt;
using mirtal::playlist::test::simpleItem;

namespace {

std::vector<size_t> checked(const std::array<bool, 33>& boxes)
{
    std::vector<size_t> on;
    for (size_t i = 0; i < boxes.size(); ++i)
        if (boxes[i])
            on.push_back(i);
    return on;
}

}  // namespace

TEST(UoMask, TypedWordsSetTheBoxesAndBoxesSetTheWords)
{
    TPLmpls m;
    setUoMaskWord(m, 1, "80000000");
    EXPECT_EQ(m.uoMask1, 0x80000000u);
    EXPECT_EQ(checked(uoCheckBoxes(m.uoMask1, m.uoMask2)), (std::vector<size_t>{31}));
    EXPECT_EQ(uoHints()[31], "UO31: reserved for menu call");

    m.uoMask1 = 0;
    setUoBit(m, 0, true);
    EXPECT_EQ(core::hex(m.uoMask1, 8), "00000001");
    EXPECT_EQ(uoHints()[0], "UO0: Secondary audio stream number change");
    setUoBit(m, 26, true);
    setUoBit(m, 0, false);
    EXPECT_EQ(m.uoMask1, 0x04000000u);
    EXPECT_EQ(uoHints()[26], "Skip back to previous point ");
    setUoBit(m, 32, true);    // no such box
    EXPECT_EQ(m.uoMask1, 0x04000000u);

    setUoMaskWord(m, 2, "40000000");
    EXPECT_EQ(checked(uoCheckBoxes(0, m.uoMask2)), (std::vector<size_t>{kPipPgBox}));
    setUoMaskWord(m, 2, "00000001");
    EXPECT_TRUE(checked(uoCheckBoxes(0, m.uoMask2)).empty());
    EXPECT_EQ(m.uoMask2, 1u);
    setPipPgUo(m, true);
    EXPECT_EQ(m.uoMask2, 0x40000001u);
    setPipPgUo(m, false);
    EXPECT_EQ(m.uoMask2, 1u);
    EXPECT_EQ(pipPgUoHint(), "UO230: PiP PG textST stream number change ");

    EXPECT_EQ(uoBitOfBoxName("cbUO12"), 12);
    EXPECT_EQ(uoBitOfBoxName("cbUO0"), 0);
    EXPECT_EQ(uoBitOfBoxName("cbUO2_30"), std::nullopt);
    EXPECT_EQ(uoBitOfBoxName("cbUO32"), std::nullopt);
    EXPECT_EQ(uoBitOfBoxName("cbAIpbt"), std::nullopt);
}

TEST(UoMask, ASecondWordWithoutABoxIsStoredAndWritten)
{
    auto m = readBuilt(MplsBuilder().playItem(simpleItem("00001", 0, 9)).bytes());
    setUoMaskWord(m, 2, "00000001");
    setUoMaskWord(m, 1, "1234abcd");
    const auto out = writePlaylist(m);
    EXPECT_EQ(std::vector<uint8_t>(out.begin() + 48, out.begin() + 56),
              (std::vector<uint8_t>{0x12, 0x34, 0xAB, 0xCD, 0, 0, 0, 1}));
    EXPECT_EQ(readBuilt(out), m);
}

TEST(AppInfo, PlaybackTypeCountAndFlags)
{
    auto m = readBuilt(MplsBuilder().playback(1, 0).playItem(simpleItem("00001", 0, 9)).bytes());
    EXPECT_EQ(playbackTypeItem(m), 0u);
    EXPECT_EQ(playbackTypeItems()[*playbackTypeItem(m)], "Sequential");
    EXPECT_TRUE(setPlaybackType(m, 2));
    EXPECT_EQ(m.playbackType, 3);
    EXPECT_FALSE(setPlaybackType(m, 3));
    EXPECT_EQ(appInfoRow(m)[0], "Shuffle");
    m.playbackType = 9;
    EXPECT_EQ(playbackTypeItem(m), std::nullopt);
    EXPECT_EQ(appInfoRow(m)[0], "9");
    setPlaybackCount(m, 42);
    EXPECT_EQ(m.playbackCount, 42);

    setAppInfoFlag(m, AppInfoFlag::AudioMix, true);
    setAppInfoFlag(m, AppInfoFlag::BypassMixer, true);
    setAppInfoFlag(m, AppInfoFlag::BypassMixer, false);
    EXPECT_EQ(m.audioMixFlag, 1);
    EXPECT_EQ(m.bypassMixerFlag, 0);
    EXPECT_EQ(m.randomAccessFlag, 0);
    const auto out = writePlaylist(m);
    EXPECT_EQ(out[56], 0x40);
    EXPECT_EQ(out[57], 0x00);
    EXPECT_EQ(out.size(), writePlaylist(readBuilt(MplsBuilder().playItem(simpleItem("00001", 0, 9)).bytes())).size());
    EXPECT_EQ(appInfoFlagText(AppInfoFlag::BypassMixer), "bypass mixer");
    EXPECT_EQ(appInfoFlagHint(AppInfoFlag::AudioMix), "audio_mix_app_flag");
}
