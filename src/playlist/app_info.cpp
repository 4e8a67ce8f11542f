#include "playlist/app_info.h"

#include "core/number_fields.h"

namespace mirtal::playlist {

const std::vector<std::string>& playbackTypeItems()
{
    static const std::vector<std::string> items{"Sequential", "Random", "Shuffle"};
    return items;
}

std::optional<size_t> playbackTypeItem(const TPLmpls& m)
{
    if (m.playbackType < 1 || m.playbackType > 3)
        return std::nullopt;
    return size_t{m.playbackType} - 1;
}

bool setPlaybackType(TPLmpls& m, size_t item)
{
    if (item > 2)
        return false;
    m.playbackType = static_cast<uint8_t>(item + 1);
    return true;
}

void setPlaybackCount(TPLmpls& m, int64_t value)
{
    m.playbackCount = static_cast<uint16_t>(value);
}

const std::array<std::string, 32>& uoHints()
{
    static const std::array<std::string, 32> hints{
        "UO0: Secondary audio stream number change",
        "UO1:Secondary audio enable disable",
        "UO2: Secondary video stream number change",
        "UO3: Secondary video enable disable",
        "UO4: PG Text ST stream number change",
        "UO5: PG Text ST enable disable",
        "UO6: Popup off",
        "UO7: Popup on",
        "UO8:Angle number change",
        "UO9: Reserved",
        "UO10: Primary audio stream number change",
        "UO11: Select button and activate",
        "UO12: Activate button",
        "UO13: Select button",
        "UO14: Move right selected button",
        "UO15: Move left selected button",
        "UO16: Move down selected button",
        "UO17: Move up selected button",
        "UO18: Resume",
        "UO19: Backward play",
        "UO20: Forward play",
        "UO21: Still off",
        "UO22: Reserved for pause off",
        "UO23: Pause on",
        "UO24: Stop",
        "UO25: Reserved for play FirstPlay",
        "Skip back to previous point ",
        "UO27: Skip to next point",
        "UO28: Time search",
        "UO29: Chapter search",
        "UO30: Reserved for title search",
        "UO31: reserved for menu call",
    };
    return hints;
}

const std::string& pipPgUoHint()
{
    static const std::string hint = "UO230: PiP PG textST stream number change ";
    return hint;
}

std::optional<int> uoBitOfBoxName(std::string_view name)
{
    if (name.substr(0, 4) != "cbUO" || name.size() < 5 || name.size() > 6)
        return std::nullopt;
    int bit = 0;
    for (char c : name.substr(4)) {
        if (c < '0' || c > '9')
            return std::nullopt;
        bit = bit * 10 + (c - '0');
    }
    return bit < 32 ? std::optional<int>(bit) : std::nullopt;
}

void setUoBit(TPLmpls& m, int bit, bool checked)
{
    if (bit < 0 || bit > 31)
        return;
    const uint32_t b = uint32_t{1} << bit;
    m.uoMask1 = checked ? (m.uoMask1 | b) : (m.uoMask1 & ~b);
}

void setPipPgUo(TPLmpls& m, bool checked)
{
    m.uoMask2 = checked ? (m.uoMask2 | kPipPgUoBit) : (m.uoMask2 & ~kPipPgUoBit);
}

void setUoMaskWord(TPLmpls& m, int word, std::string_view hexText)
{
    const auto v = static_cast<uint32_t>(core::hexEditValue(hexText));
    (word == 1 ? m.uoMask1 : m.uoMask2) = v;
}

std::array<bool, 33> uoCheckBoxes(uint32_t word1, uint32_t word2)
{
    std::array<bool, 33> boxes{};
    for (int n = 0; n < 32; ++n)
        boxes[n] = (word1 >> n) & 1;
    boxes[kPipPgBox] = (word2 & kPipPgUoBit) != 0;
    return boxes;
}

void setAppInfoFlag(TPLmpls& m, AppInfoFlag flag, bool checked)
{
    const uint8_t v = checked ? 1 : 0;
    switch (flag) {
    case AppInfoFlag::RandomAccess: m.randomAccessFlag = v; break;
    case AppInfoFlag::AudioMix: m.audioMixFlag = v; break;
    case AppInfoFlag::BypassMixer: m.bypassMixerFlag = v; break;
    }
}

std::string appInfoFlagText(AppInfoFlag flag)
{
    switch (flag) {
    case AppInfoFlag::RandomAccess: return "random access";
    case AppInfoFlag::AudioMix: return "audio mix";
    default: return "bypass mixer";
    }
}

std::string appInfoFlagHint(AppInfoFlag flag)
{
    switch (flag) {
    case AppInfoFlag::RandomAccess: return "PlayList_random_access_flag";
    case AppInfoFlag::AudioMix: return "audio_mix_app_flag";
    default: return "lossless_may_bypass_mixer_flag";
    }
}

}  // namespace mirtal::playlist
