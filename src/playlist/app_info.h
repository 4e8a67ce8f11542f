#pragma once
// AppInfoPlayList editing: playback type and count, the 64-bit user-operation mask with its
// check boxes, and the three flags. No edit changes a length.

#include "playlist/mpls.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mirtal::playlist {

[[nodiscard]] const std::vector<std::string>& playbackTypeItems();    // "Sequential", "Random", "Shuffle"
// The selector item for the stored type; nullopt for a type outside 1-3.
[[nodiscard]] std::optional<size_t> playbackTypeItem(const TPLmpls& mpls);
bool setPlaybackType(TPLmpls& mpls, size_t item);
void setPlaybackCount(TPLmpls& mpls, int64_t value);

// Hints of the first word's check boxes by bit number, and of the PiP PG box (second word bit 30).
[[nodiscard]] const std::array<std::string, 32>& uoHints();
[[nodiscard]] const std::string& pipPgUoHint();
constexpr uint32_t kPipPgUoBit = 0x40000000;
constexpr size_t kPipPgBox = 32;    // the 33rd box of uoCheckBoxes

// The bit of a first-word box from its name ("cbUO12" gives 12); nullopt for other names.
[[nodiscard]] std::optional<int> uoBitOfBoxName(std::string_view name);
// A click on box n (0-31) of the first word, or on the PiP PG box.
void setUoBit(TPLmpls& mpls, int bit, bool checked);
void setPipPgUo(TPLmpls& mpls, bool checked);
// A typed mask word (1 or 2), hexadecimal.
void setUoMaskWord(TPLmpls& mpls, int word, std::string_view hexText);
// The 33 check boxes as the two words set them: 0-31 by the first word's bits, 32 the PiP PG bit.
[[nodiscard]] std::array<bool, 33> uoCheckBoxes(uint32_t word1, uint32_t word2);

enum class AppInfoFlag { RandomAccess, AudioMix, BypassMixer };
void setAppInfoFlag(TPLmpls& mpls, AppInfoFlag flag, bool checked);
// "random access", "audio mix", "bypass mixer" and their hints.
[[nodiscard]] std::string appInfoFlagText(AppInfoFlag flag);
[[nodiscard]] std::string appInfoFlagHint(AppInfoFlag flag);

}  // namespace mirtal::playlist
