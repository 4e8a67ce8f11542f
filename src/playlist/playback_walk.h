#pragma once
// Which PlayLists the disc's entries play: the movie object of First Playback, the Top Menu and
// each HDMV title, run in the emulator from reset registers without a menu, one command at a
// time, following Jump Object, Call Object and Resume, until the program ends, jumps to a title
// or the step limit stops it.

#include "bdmv/index_bdmv.h"
#include "bdmv/movie_object.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace mirtal::playlist {

// One player of a PlayList: an entry of index.bdmv whose run reaches a Play PL for it, or a
// movie object that names it in an immediate operand (as Find counts them).
struct PlayedBy {
    enum class Kind { FirstPlayback, TopMenu, Title, Object };
    Kind kind = Kind::Title;
    uint32_t number = 0;    // the title number (Title) or the movie object id (Object)
    bool operator==(const PlayedBy&) const = default;
    auto operator<=>(const PlayedBy&) const = default;
};

// "First Playback", "Top Menu", "Title 1", "Object 0003" (the object as Find names it).
[[nodiscard]] std::string playedByText(const PlayedBy& by);
// "first_playback", "top_menu", "title", "object".
[[nodiscard]] std::string playedByKindName(PlayedBy::Kind kind);

// Enough for set-up loops over the registers; a program that plays in a loop forever ends here.
constexpr uint64_t kWalkStepLimit = 10'000;

struct EntryWalk {
    PlayedBy entry;
    uint16_t movieObjectId = 0;
    std::vector<uint32_t> playLists;        // the PlayList numbers played, in order of first play
    uint64_t executed = 0;                  // commands carried out
    bool stepLimitReached = false;
    std::optional<uint32_t> jumpedToTitle;  // the run ended with a Jump Title or Call Title
};

// Runs one movie object from reset registers (the default country and region). An object id
// past the last object, or a jump to one, ends the run; any command words are accepted.
[[nodiscard]] EntryWalk walkMovieObject(const bdmv::TMovieObjectFile& objects, uint16_t movieObjectId,
                                        uint64_t maxSteps = kWalkStepLimit);

// The walks of First Playback, the Top Menu and the titles in that order; entries that are off
// or BD-J objects have no walk.
[[nodiscard]] std::vector<EntryWalk> walkEntries(const bdmv::TIndexBdmv& index, const bdmv::TMovieObjectFile& objects,
                                                 uint64_t maxSteps = kWalkStepLimit);

}  // namespace mirtal::playlist
