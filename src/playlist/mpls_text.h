#pragma once
// The grids of the PLAYLIST tab: captions and rows, as the window and mirtal-cli show them.

#include "playlist/mpls.h"
#include "playlist/stn_edit.h"
#include "playlist/vocabulary.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace mirtal::playlist {

using Row = std::vector<std::string>;

// sgPLitem
[[nodiscard]] Row playItemCaptions();
[[nodiscard]] Row playItemRow(const TPlayItem& item, size_t i);
[[nodiscard]] std::vector<Row> playItemRows(const TPLmpls& m);

// sgSTN: one caption per list ("Vi" .. "PIP") and one data row of counts.
[[nodiscard]] Row stnCaptions();
[[nodiscard]] Row stnCountRow(const TSTN& stn);

// The streams of list 0-6 of a PlayItem's table (list 6: the PiP PG part of the PG list).
[[nodiscard]] std::vector<const TStreamEntry*> streamList(const TSTN& stn, int list);
// sgStreamEntry
[[nodiscard]] Row streamCaptions();
[[nodiscard]] Row streamRow(const TStreamEntry& e, int list, size_t i);
[[nodiscard]] std::vector<Row> streamRows(const TSTN& stn, int list);

// sgPIangles and the clip-entry grid sgAngles.
[[nodiscard]] Row angleCaptions();
[[nodiscard]] std::vector<Row> angleRows(const TPlayItem& item);
[[nodiscard]] Row clipEntryCaptions();
[[nodiscard]] std::vector<Row> clipEntryRows(const TSubPlayItem& item);

// sgSubPath and sgSubPlayItem
[[nodiscard]] Row subPathCaptions();
[[nodiscard]] Row subPathRow(const TSubPath& p, size_t i);
[[nodiscard]] std::vector<Row> subPathRows(const TPLmpls& m);
[[nodiscard]] Row subPlayItemCaptions();
[[nodiscard]] Row subPlayItemRow(const TSubPlayItem& s, size_t i);
[[nodiscard]] std::vector<Row> subPlayItemRows(const TSubPath& p);

// sgPlayListMark
[[nodiscard]] Row markCaptions();
[[nodiscard]] Row markRow(const TMarkEntry& e, size_t i);
[[nodiscard]] std::vector<Row> markRows(const TPLmpls& m);

// The AppInfoPlayList group as one grid row: playback type name, count, the mask words, flags.
[[nodiscard]] Row appInfoCaptions();
[[nodiscard]] Row appInfoRow(const TPLmpls& m);

}  // namespace mirtal::playlist
