#pragma once
// The names the PlayList and clip views show: stream attributes, languages, SubPath types,
// application types, selector items and their hints; and the 45 kHz time texts.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mirtal::playlist {

// The 320 stream attribute names: video formats (0-15), frame rates (16 + value), audio formats
// (32 + value), sample rates (48 + value), coding types (64 + coding type). Unset: "".
[[nodiscard]] const std::array<std::string, 320>& streamAttributeNames();
[[nodiscard]] const std::string& videoFormatName(uint8_t value);
[[nodiscard]] const std::string& frameRateName(uint8_t value);
[[nodiscard]] const std::string& audioFormatName(uint8_t value);
[[nodiscard]] const std::string& sampleRateName(uint8_t value);
[[nodiscard]] const std::string& codingTypeName(uint8_t codingType);

[[nodiscard]] bool isVideoCoding(uint8_t codingType);
[[nodiscard]] bool isAudioCoding(uint8_t codingType);

// The 431 language codes in selector order ("eng" first and again in its place).
[[nodiscard]] const std::vector<std::string>& languageCodes();
// The selector item of a code: exact comparison, first match; nullopt when not listed.
[[nodiscard]] std::optional<size_t> languageIndex(std::string_view code);

// "PlayItem", "SubPath", "IM PIP"; "" for 0 and unknown types.
[[nodiscard]] std::string entryTypeName(uint8_t entryType);
// "-", "-", "p. Audio", "IG menu", "Text sub", "OoM Sync", "OoM Async", "IM Sync"; types above
// 7 show their number.
[[nodiscard]] std::string subPathTypeName(uint8_t type);
[[nodiscard]] std::string subPathTypeHint(uint8_t type);
// The clip's application type; types above 7 show "res.".
[[nodiscard]] std::string applicationTypeName(uint8_t type);
// "Sequential", "Random", "Shuffle"; others show their number.
[[nodiscard]] std::string playbackTypeName(uint8_t type);
// "" (0), "entry-mark", "link point"; others show their number.
[[nodiscard]] std::string markTypeName(uint8_t type);

// Selector items.
[[nodiscard]] const std::vector<std::string>& entryTypeItems();     // "---", "PlayItem", ...
[[nodiscard]] const std::vector<std::string>& videoCodingItems();   // "MPEG-2", "AVC", "VC1"
[[nodiscard]] const std::vector<std::string>& audioCodingItems();   // "LPCM" ... "DTS-HD"
[[nodiscard]] std::vector<std::string> videoFormatItems();          // attribute names 0-7
[[nodiscard]] std::vector<std::string> frameRateItems();            // 16-23
[[nodiscard]] std::vector<std::string> audioFormatItems();          // 32-44
[[nodiscard]] std::vector<std::string> sampleRateItems();           // 48-62
[[nodiscard]] const std::vector<std::string>& subPathTypeItems();   // types 0-7

// Selector item <-> coding type.
[[nodiscard]] uint8_t videoCodingType(size_t item);
[[nodiscard]] std::optional<size_t> videoCodingItem(uint8_t codingType);
[[nodiscard]] uint8_t audioCodingType(size_t item);
// nullopt for a coding type that is not audio.
[[nodiscard]] std::optional<size_t> audioCodingItem(uint8_t codingType);

// Hints for a selector's current item; nullopt: the hint keeps its previous text.
[[nodiscard]] std::optional<std::string> audioCodingHint(size_t item);
[[nodiscard]] std::optional<std::string> audioFormatHint(size_t item);
[[nodiscard]] std::optional<std::string> entryTypeHint(size_t item);
[[nodiscard]] std::optional<std::string> videoCodingHint(size_t item);

// 45 kHz ticks as "hh:mm:ss.zzz" (hours not wrapped), and back by fixed character positions.
[[nodiscard]] std::string timeText45k(uint32_t ticks);
void appendTimeText45k(std::string& out, uint32_t ticks);
[[nodiscard]] uint32_t ticksFromTimeText45k(std::string_view text);
// A sync start PTS as a time of day "hh:mm:ss,zzz" (hours wrap at 24).
[[nodiscard]] std::string timeOfDayText45k(uint32_t ticks);

}  // namespace mirtal::playlist
