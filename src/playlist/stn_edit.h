#pragma once
// Stream table editing: the seven lists of a PlayItem's STN_table, addressed by the column of
// the count grid (0 "Vi", 1 "Au", 2 "PG", 3 "IG", 4 "sV", 5 "sA", 6 "PIP"). Insertions and
// deletions keep the PlayList's stored lengths and start addresses in step.

#include "playlist/mpls.h"

#include <optional>
#include <string_view>

namespace mirtal::playlist {

constexpr int kListVideo = 0, kListAudio = 1, kListPg = 2, kListIg = 3, kListSecondaryVideo = 4,
              kListSecondaryAudio = 5, kListPipPg = 6, kListCount = 7;

// The count shown for a list, and the stream in row r (0-based) of it; nullptr outside the list.
[[nodiscard]] size_t streamListCount(const TSTN& stn, int list);
[[nodiscard]] const TStreamEntry* streamAt(const TSTN& stn, int list, size_t row);
[[nodiscard]] TStreamEntry* streamAt(TSTN& stn, int list, size_t row);

struct StreamButtons {
    bool insert = false;
    bool remove = false;
};
// The "+" and "-" buttons for a list, by its limits (an empty list too).
[[nodiscard]] StreamButtons streamButtons(const TSTN& stn, int list);

// Inserts a new stream after row `selected` (position 0 in an empty list) of list 1, 2 or 3;
// returns its row, nullopt when refused (other lists, a full list, no such PlayItem).
[[nodiscard]] std::optional<size_t> insertStream(TPLmpls& mpls, size_t item, int list, size_t selected);
// Deletes row `row` of list 1 to 6 (never the last primary audio stream); returns the row to
// select next (nullopt when the list is now empty or the request was refused).
struct StreamDeletion {
    bool deleted = false;
    std::optional<size_t> selection;
};
[[nodiscard]] StreamDeletion deleteStream(TPLmpls& mpls, size_t item, int list, size_t row);

// Field edits of one stream; false when the list does not take the edit or there is no such
// stream. None changes a length.
bool setEntryType(TPLmpls& mpls, size_t item, int list, size_t row, size_t selectorItem);
bool setMainPid(TPLmpls& mpls, size_t item, int list, size_t row, std::string_view hexText);
bool setSubPid(TPLmpls& mpls, size_t item, int list, size_t row, std::string_view hexText);
bool setSubPathId(TPLmpls& mpls, size_t item, int list, size_t row, std::string_view decimalText);
bool setSubclipId(TPLmpls& mpls, size_t item, int list, size_t row, std::string_view decimalText);
bool setVideoCoding(TPLmpls& mpls, size_t item, int list, size_t row, size_t selectorItem);
bool setVideoFormat(TPLmpls& mpls, size_t item, int list, size_t row, size_t selectorItem);
bool setFrameRate(TPLmpls& mpls, size_t item, int list, size_t row, size_t selectorItem);
bool setAudioCoding(TPLmpls& mpls, size_t item, int list, size_t row, size_t selectorItem);
bool setAudioFormat(TPLmpls& mpls, size_t item, int list, size_t row, size_t selectorItem);
bool setSampleRate(TPLmpls& mpls, size_t item, int list, size_t row, size_t selectorItem);
bool setLanguage(TPLmpls& mpls, size_t item, int list, size_t row, std::string_view code);

// What the editors beside the stream grid show for a stream.
enum class StreamEditors { Video, Audio, Language, None };
[[nodiscard]] StreamEditors streamEditorsOf(int list);

}  // namespace mirtal::playlist
