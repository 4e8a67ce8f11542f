#pragma once
// PlayListMark editing; the chapter files are in chapters.h. Insertions and deletions keep the
// stored mark length and the ExtensionData start address in step.

#include "core/report.h"
#include "playlist/chapters.h"
#include "playlist/mpls.h"

#include <optional>
#include <string>
#include <string_view>

namespace mirtal::playlist {

constexpr size_t kMaxMarks = 999;

// A new entry mark after row `lastSelected` (position 0 in an empty list); nullopt at 999 marks.
[[nodiscard]] std::optional<size_t> insertMark(TPLmpls& mpls, size_t lastSelected);
struct MarkDeletion {
    size_t removed = 0;
    std::optional<size_t> selection;    // nullopt: no mark is left
};
// Removes the block of rows first..last (clamped to the list).
[[nodiscard]] MarkDeletion deleteMarks(TPLmpls& mpls, size_t first, size_t last);

// The type selector ("entry-mark", "link point"): mark type = item + 1.
bool setMarkType(TPLmpls& mpls, size_t index, size_t item);
bool setMarkPlayItem(TPLmpls& mpls, size_t index, uint16_t playItem);

struct MarkTimeParts {
    int64_t hour = 0;
    int64_t minute = 0;
    int64_t second = 0;
    int64_t millisecond = 0;
    bool operator==(const MarkTimeParts&) const = default;
};
// What the four time editors show for a mark time (hours not wrapped).
[[nodiscard]] MarkTimeParts markTimeParts(uint32_t markTime45k);
// The editors' ranges: hour 0-25, minute and second 0-59, millisecond from 0.
[[nodiscard]] MarkTimeParts clampMarkTimeParts(MarkTimeParts parts);
// Clamps the parts, stores the mark time they give and returns the parts as clamped.
std::optional<MarkTimeParts> setMarkTime(TPLmpls& mpls, size_t index, MarkTimeParts parts);
[[nodiscard]] const std::vector<std::string>& markTypeItems();

}  // namespace mirtal::playlist
