#pragma once
// index.bdmv: the disc's table of contents (First Playback, Top Menu, the numbered titles).

#include "core/extension_data.h"
#include "core/read_result.h"
#include "core/report.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace mirtal::bdmv {

struct TIndexTitle {
    int32_t titleNumber = 0;        // 1-based; 0xFFFF for First Playback, 0 for Top Menu
    uint8_t objectType = 1;         // 1 HDMV, 2 BD-J
    uint8_t accessType = 0;         // 0 permitted, 2 and 3 prohibited; 1 is kept as read
    uint8_t playbackType = 0;       // 0 movie, 1 interactive; 2 and 3 kept as read
    uint16_t movieObjectId = 0;     // HDMV; 0xFFFF: none (First Playback or Top Menu off)
    std::string bdjObjectName;      // BD-J: at most 5 characters
    bool operator==(const TIndexTitle&) const = default;
};

constexpr uint16_t kNoMovieObject = 0xFFFF;

// First Playback's entry carries the title number 0xFFFF.
inline TIndexTitle firstPlaybackEntry()
{
    TIndexTitle t;
    t.titleNumber = 0xFFFF;
    return t;
}
constexpr uint32_t kIndx = 0x494E4458;    // "INDX"
using core::kVersion0100;
using core::kVersion0200;
constexpr size_t kMaxTitles = 999;

struct TIndexBdmv {
    uint32_t typeIndicator = kIndx;
    uint32_t version = kVersion0200;
    uint32_t indexesStartAddress = 78;
    uint32_t extensionDataStartAddress = 0;     // 0: none
    std::array<uint8_t, 24> reserved{};
    uint32_t appInfoLength = 34;
    uint16_t appInfoFlags = 0;
    std::string contentProviderData;            // at most 32 characters
    uint32_t indexesLength = 0;
    TIndexTitle firstPlayback = firstPlaybackEntry();
    TIndexTitle topMenu{};
    uint16_t numberOfTitles = 0;
    std::vector<TIndexTitle> titles;
    core::TExtensionData extensionData;
    bool operator==(const TIndexBdmv&) const = default;
};

// TooMany: more than 999 titles.
using IndexRead = core::ReadResult<TIndexBdmv>;

// Reads the bytes of index.bdmv, logging as the opening sequence does ("Reading index.bdmv",
// the found line or the error line). Never throws; a short file is an error.
[[nodiscard]] IndexRead readIndex(std::span<const uint8_t> bytes, core::Report& report);
// The file as the model holds it: header, Indexes() at 78, ExtensionData() after the titles.
// Empty, with the reason in problem (when given), when a start address points into the bytes
// written before it.
[[nodiscard]] std::vector<uint8_t> writeIndex(const TIndexBdmv& index, std::string* problem = nullptr);

// The titles grid.
[[nodiscard]] std::array<std::string, 5> titleCaptions();
// indline: the grid row of one title.
[[nodiscard]] std::array<std::string, 5> indline(const TIndexTitle& title);
[[nodiscard]] std::vector<std::array<std::string, 5>> titleRows(const TIndexBdmv& index);

// Cell texts of the title fields.
[[nodiscard]] std::string objectTypeText(uint8_t objectType);      // "HDMV", "BD-J", ""
[[nodiscard]] std::string accessTypeText(uint8_t accessType);      // "Permitted", "Prohibited1", "Prohibited2"
[[nodiscard]] std::string playbackTypeText(uint8_t playbackType);  // "Movie", "Interactive", ""

}  // namespace mirtal::bdmv
