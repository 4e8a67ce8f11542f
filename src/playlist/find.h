#pragma once
// The Find tool: which movie-object commands play a PlayList, and which PlayLists play a clip.
// The answer goes to the log.

#include "bdmv/movie_object.h"
#include "core/report.h"
#include "playlist/mpls.h"

#include <filesystem>
#include <string>
#include <vector>

namespace mirtal::playlist {

// Commands that play the PlayList `name` (read as a decimal number) through an immediate
// operand: "Object 0003, Command line 0012". Logs an empty line, the header and the hits.
std::vector<std::string> findPlayList(const bdmv::TMovieObjectFile& objects, const std::string& name,
                                      core::Report& report);

// The hit lines of one PlayList for a clip, exact whole-name comparison:
//   "00001.mpls , PlayItem 002"                          a PlayItem
//   "00001.mpls , PlayItem 002, Angle 2"                 angle clip 1, 2, ... (number as in the angle grid)
//   "00001.mpls , SubPath 000, SubPlayItem 001"          a SubPlayItem
//   "00001.mpls , SubPath 000, SubPlayItem 001, Clip entry 2"   a further clip entry
// Angle clip 0 and clip entry 0 repeat their item's own clip and give no line of their own.
[[nodiscard]] std::vector<std::string> clipHits(const TPLmpls& mpls, const std::string& playListName,
                                                const std::string& clip);

// Reads every PlayList of the list in turn into a scratch model (with the reader's log lines,
// going on whatever a read reports) and collects the places that use clip. The loaded PlayList
// of the caller is not touched, so its unsaved edits stay. Logs an empty line, the header and
// the hits.
std::vector<std::string> findClip(const std::filesystem::path& bdmv, const std::vector<std::string>& playlists,
                                  const std::string& clip, core::Report& report);

}  // namespace mirtal::playlist
