#pragma once
// The disc overview: one row per PlayList with its length, clips, angles, chapters and streams,
// who plays it (the entries' runs in the emulator and the movie objects that name it), and marks
// for the PlayLists that repeat another's clip chain and times or that nothing plays. It tells
// the film from the decoys; mirtal-cli playlists and the window's overview print its rows.

#include "bdmv/disc.h"
#include "core/report.h"
#include "playlist/mpls.h"
#include "playlist/mpls_text.h"
#include "playlist/playback_walk.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace mirtal::playlist {

// The stream kinds of an STN table, in the order the overview shows them.
enum class StreamKind { Video, Audio, Pg, PipPg, Ig, SecondaryAudio, SecondaryVideo };
constexpr size_t kStreamKindCount = 7;
// "video", "audio", "pg", "pip_pg", "ig", "secondary_audio", "secondary_video".
[[nodiscard]] std::string streamKindKey(StreamKind kind);

struct StreamSummary {
    size_t count = 0;
    std::vector<std::string> languages;    // each stream's code in table order; none for video
    bool operator==(const StreamSummary&) const = default;
};

struct PlayListSummary {
    std::string name;                      // "00001"
    bool readable = false;                 // false: the reader refused the file (its error line was logged)
    uint64_t duration45k = 0;              // the sum of OUT - IN over the PlayItems (0 for OUT before IN)
    size_t items = 0;
    std::vector<std::string> clips;        // the PlayItems' clip names in order
    uint32_t angles = 1;                   // the most angles of any PlayItem
    size_t chapters = 0;                   // entry marks
    std::array<StreamSummary, kStreamKindCount> streams{};    // the first PlayItem's STN table
    std::vector<PlayedBy> playedBy;        // entries first (in index order), then objects by id
    std::optional<std::string> duplicateOf;
    bool unplayed = false;                 // nothing plays it
};

// The fields of one read PlayList; players and marks are the disc's business.
[[nodiscard]] PlayListSummary summarizePlayList(const TPLmpls& mpls, const std::string& name);

struct DiscOverview {
    std::vector<PlayListSummary> playLists;    // in the order of the disc's PlayList list
    std::vector<EntryWalk> walks;
};

// Reads every PlayList of the disc once (an unreadable one is an error line and a row of its
// own), runs the entries (walkEntries, with maxSteps each) and marks the duplicates: the same clip
// chain with the same IN and OUT times, named after the lowest name with that chain.
[[nodiscard]] DiscOverview discOverview(const bdmv::Disc& disc, core::Report& report,
                                        uint64_t maxSteps = kWalkStepLimit);
// A step-limit note per entry whose run was stopped there: "Title 3: run stopped after 10000
// commands (step limit)".
[[nodiscard]] std::vector<std::string> walkNotes(const DiscOverview& overview);

// 45 kHz ticks as "H:MM:SS.mmm", hours not padded (1:23:45.678, 0:00:05.000).
[[nodiscard]] std::string durationText45k(uint64_t ticks);
// "1 video, 3 audio (eng fra deu), 2 PG (eng jpn), 1 IG (eng)"; kinds without streams are left out.
[[nodiscard]] std::string streamsText(const std::array<StreamSummary, kStreamKindCount>& streams);
// "Duplicate of 00001", "Unplayed", "Unreadable", joined by ", ".
[[nodiscard]] std::string marksText(const PlayListSummary& summary);

// The overview grid (sgOverview): PlayList, Duration, Items, Clips, Angles, Chapters, Streams,
// Played by, Marks.
[[nodiscard]] Row overviewCaptions();
[[nodiscard]] Row overviewRow(const PlayListSummary& summary);
[[nodiscard]] std::vector<Row> overviewRows(const DiscOverview& overview);

}  // namespace mirtal::playlist
