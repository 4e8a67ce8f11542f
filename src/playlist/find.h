#pragma once
// The Find tool: which movie-object commands play a PlayList, and which PlayLists play a clip.
// The answer goes to the log.

#include "bdmv/movie_object.h"
#include "core/report.h"
#include "playlist/mpls.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace mirtal::playlist {

// Commands that play the PlayList `name` (read as a decimal number) through an immediate
// operand: "Object 0003, Command line 0012". Logs an empty line, the header and the hits.
std::vector<std::string> findPlayList(const bdmv::TMovieObjectFile& objects, const std::string& name,
                                      core::Report& report);

// The hit lines of one PlayList for a clip: its PlayItems and SubPlayItems that name it.
[[nodiscard]] std::vector<std::string> clipHits(const TPLmpls& mpls, const std::string& playListName,
                                                const std::string& clip);

// Reads every PlayList of the list in turn (with the reader's log lines, going on whatever a
// read reports) and collects the places that use clip; then reads `current` again into
// `model` when one is given. Logs an empty line, the header and the hits.
std::vector<std::string> findClip(const std::filesystem::path& bdmv, const std::vector<std::string>& playlists,
                                  const std::string& clip, core::Report& report,
                                  const std::optional<std::string>& current = std::nullopt,
                                  TPLmpls* model = nullptr);

}  // namespace mirtal::playlist
