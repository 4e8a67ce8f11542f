#pragma once
// The movie objects of MovieObject.bdmv as one program text: "object N" lines with their flags
// (resume=, menu=, search=, in the words of the movie-objects grid), each followed by its
// commands in the text of hdmv/program_text.h. Export and import give back the same file.

#include "bdmv/index_bdmv.h"
#include "bdmv/movie_object.h"
#include "hdmv/program_text.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mirtal::bdmv {

[[nodiscard]] std::string exportProgram(const TMovieObjectFile& file);

// The movie objects of a program text; any error leaves objects empty and says where.
struct ImportedProgram {
    std::vector<Tmobjects> objects;
    std::vector<hdmv::ProgramError> errors;
    [[nodiscard]] bool ok() const { return errors.empty(); }
};
[[nodiscard]] ImportedProgram importProgram(std::string_view text);

// Ctrl+V in the command grid: the clipboard's lines go after lastSelected (at 0 when none), a
// GoTo by label landing on its line there. Returns the first new line; nullopt with the errors
// (none when the object is missing or full) when nothing was inserted.
std::optional<size_t> pasteCommandText(TMovieObjectFile& file, size_t object, std::optional<size_t> lastSelected,
                                       std::string_view text, std::vector<hdmv::ProgramError>& errors);

// The titles, First Playback and Top Menu that name an HDMV movie object at or past
// objectCount ("Title 3", "First Playback", "Top Menu").
[[nodiscard]] std::vector<std::string> entriesPastObjects(const TIndexBdmv& index, size_t objectCount);

}  // namespace mirtal::bdmv
