#pragma once
// SubPath and SubPlayItem editing. Insertions and deletions keep the PlayList's stored lengths
// and start addresses in step; the field edits change no length.

#include "playlist/mpls.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mirtal::playlist {

constexpr size_t kMaxSubPaths = 255;

// Inserts an IG-menu SubPath with one SubPlayItem on the first PlayItem's clip after SubPath
// `selected` (position 0 when there are none); nullopt when 255 SubPaths exist.
[[nodiscard]] std::optional<size_t> insertSubPath(TPLmpls& mpls, size_t selected);
struct SubPathDeletion {
    bool deleted = false;
    std::optional<size_t> selection;    // nullopt: no SubPath is left
};
[[nodiscard]] SubPathDeletion deleteSubPath(TPLmpls& mpls, size_t index);

// The type selector: type = item; any type but 2 sets the repeat word to 0. Returns whether the
// repeat selector is enabled afterwards (type 2).
bool setSubPathType(TPLmpls& mpls, size_t index, uint8_t type);
// The repeat selector: repeat word = item (0 "No", 1 "Yes").
bool setSubPathRepeat(TPLmpls& mpls, size_t index, uint16_t item);
[[nodiscard]] bool repeatSelectorEnabled(const TSubPath& subPath);
[[nodiscard]] inline const std::vector<std::string>& repeatItems()
{
    static const std::vector<std::string> items{"No", "Yes"};
    return items;
}

// SubPlayItem cell edits: column 1 the clip name (at most 5 characters), column 3 the
// connection condition (leading decimal number), columns 6 and 7 IN and OUT time (time text).
// Other columns take no edit; false then or when there is no such SubPlayItem.
bool editSubPlayItemCell(TPLmpls& mpls, size_t subPath, size_t subPlayItem, int column, std::string_view text);

// A double click on a row names a clip: its position in the clip selector (exact text, first
// match), nullopt when the selector does not have it.
[[nodiscard]] std::optional<size_t> clipSelectorIndex(const std::vector<std::string>& clips, const std::string& name);

}  // namespace mirtal::playlist
