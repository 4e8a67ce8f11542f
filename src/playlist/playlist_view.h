#pragma once
// What the PLAYLIST tab shows for a selection: which controls are enabled, which editors are
// visible and which selector items they show. The tab turns these answers into widgets; the
// grid texts come from mpls_text.h. An index outside the model gives the empty answer (editors
// hidden, no selector item, no rows), never a fault.

#include "playlist/mark_edit.h"
#include "playlist/mpls.h"
#include "playlist/mpls_text.h"
#include "playlist/stn_edit.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace mirtal::playlist {

constexpr int kNoItem = -1;    // a selector that shows no item

// The enable rules after a read, and after an edit that adds or removes PlayItems, SubPaths or
// marks.
struct PlayListControls {
    bool save = false;              // at least one PlayItem
    bool subPathInsert = false;     // fewer than 255 SubPaths
    bool subPathDelete = false;     // at least one SubPath
    bool markEditors = false;       // there are marks: the six mark editors, and the first mark is selected
    bool markList = false;          // the mark grid, "+" and "-", Load and Save chapters: the PlayList
                                    // has a PlayListMark section (start address not 0) or marks
};
[[nodiscard]] PlayListControls playListControls(const TPLmpls& mpls);

// A PlayItem row selected: the count grid and the angle grid (sgPIangles, shown only for a
// multi-angle PlayItem).
struct PlayItemSelection {
    Row counts;                     // empty for no such PlayItem
    bool showAngles = false;
    std::vector<Row> angleRows;
};
[[nodiscard]] PlayItemSelection selectPlayItem(const TPLmpls& mpls, size_t item);

// A list (column of the count grid) selected: the stream grid and the "+" and "-" buttons, set
// by the list's limits also when it is empty.
struct StreamListSelection {
    std::vector<Row> rows;
    StreamButtons buttons;
};
[[nodiscard]] StreamListSelection selectStreamList(const TPLmpls& mpls, size_t item, int list);

// A stream row selected: the editors beside the stream grid. The PID and id editors the entry
// type uses are shown (the others hidden); the attribute selectors are those of the list.
struct StreamEditorState {
    bool visible = false;           // false: an empty list (or no such row) hides every editor
    StreamEditors editors = StreamEditors::None;
    int entryTypeItem = kNoItem;
    bool showsMainPid = false;      // entry types 1 and 3
    bool showsSubPathId = false;    // entry types 2 and 3
    bool showsSubclipId = false;    // entry type 2
    bool showsSubPid = false;       // entry type 2
    uint16_t mainPid = 0;
    uint16_t subPid = 0;
    uint8_t subPathId = 0;
    uint8_t subclipId = 0;
    int videoCodingItem = kNoItem;  // StreamEditors::Video
    int videoFormatItem = kNoItem;
    int frameRateItem = kNoItem;
    int audioCodingItem = kNoItem;  // StreamEditors::Audio
    int audioFormatItem = kNoItem;
    int sampleRateItem = kNoItem;
    int languageItem = kNoItem;     // Audio and Language; a code not listed shows no item
    // The selectors' hints; nullopt: the hint keeps its previous text.
    std::optional<std::string> entryTypeHint, videoCodingHint, audioCodingHint, audioFormatHint;
};
[[nodiscard]] StreamEditorState streamEditorState(const TPLmpls& mpls, size_t item, int list, size_t row);

// A SubPath row selected, or the first one after a read. No such SubPath (none left): both
// selectors disabled with no item, the SubPlayItem grid empty.
struct SubPathSelection {
    bool typeEnabled = false;
    int typeItem = kNoItem;
    std::optional<std::string> typeHint;    // nullopt: the hint keeps its previous text
    bool repeatEnabled = false;             // type 2 only
    int repeatItem = kNoItem;               // the repeat word, when it is 0 or 1
    std::vector<Row> subPlayItemRows;
};
[[nodiscard]] SubPathSelection selectSubPath(const TPLmpls& mpls, size_t index);

// A SubPlayItem row selected: the clip-entry grid (sgAngles), shown only when the SubPlayItem
// has clip entries.
struct SubPlayItemSelection {
    bool showClipEntries = false;
    std::vector<Row> clipEntryRows;
};
[[nodiscard]] SubPlayItemSelection selectSubPlayItem(const TPLmpls& mpls, size_t subPath, size_t subPlayItem);

// A mark row selected: the six mark editors; nullopt for no such mark.
struct MarkEditorState {
    int typeItem = kNoItem;         // mark type - 1; other types show no item
    uint16_t playItem = 0;
    MarkTimeParts time;
};
[[nodiscard]] std::optional<MarkEditorState> markEditorState(const TPLmpls& mpls, size_t mark);

// The AppInfoPlayList group after a read or an edit (its controls are always enabled then).
struct AppInfoState {
    int playbackTypeItem = kNoItem;  // playback type - 1; types outside 1-3 show no item
    uint16_t playbackCount = 0;
    uint32_t mask1 = 0;
    uint32_t mask2 = 0;
    std::array<bool, 33> boxes{};    // as uoCheckBoxes gives them
    bool randomAccess = false;
    bool audioMix = false;
    bool bypassMixer = false;
};
[[nodiscard]] AppInfoState appInfoState(const TPLmpls& mpls);

// The clip a double click on a PlayItem, angle, SubPlayItem or clip-entry row names; nullopt
// for no such row. clipSelectorIndex then finds it in the clip selector.
[[nodiscard]] std::optional<std::string> playItemClip(const TPLmpls& mpls, size_t item);
[[nodiscard]] std::optional<std::string> angleClip(const TPLmpls& mpls, size_t item, size_t angle);
[[nodiscard]] std::optional<std::string> subPlayItemClip(const TPLmpls& mpls, size_t subPath, size_t subPlayItem);
[[nodiscard]] std::optional<std::string> clipEntryClip(const TPLmpls& mpls, size_t subPath, size_t subPlayItem,
                                                      size_t entry);

}  // namespace mirtal::playlist
