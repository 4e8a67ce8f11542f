#pragma once
// Editing titles, First Playback, Top Menu and movie objects in place. Every insertion and
// deletion keeps the stored lengths and the following start addresses in step, so the writers can
// write what the model holds. References to titles and objects are never renumbered.

#include "bdmv/index_bdmv.h"
#include "bdmv/movie_object.h"

#include <cstddef>
#include <optional>
#include <string>

namespace mirtal::bdmv {

// Inserts a new title (HDMV, permitted, movie, object 0) after the title lastSelected (at 0
// when there is none) and returns its position; nullopt at the 999-title limit.
[[nodiscard]] std::optional<size_t> insertTitle(TIndexBdmv& index, std::optional<size_t> lastSelected);
// Deletes titles first..last (clamped to the titles held) and returns the title to select
// afterwards (the one before the block, or the first); nullopt when none remain or none were held.
std::optional<size_t> deleteTitles(TIndexBdmv& index, size_t first, size_t last);

// The title editors. List indexes are those of the window's lists: object type "HDMV", "BD-J";
// access "Permitted", "Prohibited1", "Prohibited2"; playback "Movie", "Interactive".
// Titles outside the array are ignored.
void setTitleObjectType(TIndexBdmv& index, size_t title, int listIndex);
void setTitleAccessType(TIndexBdmv& index, size_t title, int listIndex);
void setTitlePlaybackType(TIndexBdmv& index, size_t title, int listIndex);
void setTitleObjectId(TIndexBdmv& index, size_t title, uint16_t movieObjectId);
void setTitleBdjName(TIndexBdmv& index, size_t title, const std::string& name);
// The access list position of a stored access type (0 and 1 show as "Permitted").
[[nodiscard]] int accessListIndex(uint8_t accessType);

// First Playback and Top Menu: on stores the object list's id, off stores 0xFFFF.
void setEntryOn(TIndexTitle& entry, bool on, uint16_t objectListId);
void setEntryObjectType(TIndexTitle& entry, int listIndex);
void setEntryPlaybackType(TIndexTitle& entry, int listIndex);
void setEntryObjectId(TIndexTitle& entry, uint16_t movieObjectId);
void setEntryBdjName(TIndexTitle& entry, const std::string& name);
[[nodiscard]] inline bool isEntryOn(const TIndexTitle& entry)
{
    return entry.objectType != 1 || entry.movieObjectId != kNoMovieObject;
}

// Inserts an object with no commands after lastSelected (at 0 when none) and returns its position.
[[nodiscard]] std::optional<size_t> insertObject(TMovieObjectFile& file, std::optional<size_t> lastSelected);
// Deletes objects first..last with their commands; returns the object to select afterwards.
std::optional<size_t> deleteObjects(TMovieObjectFile& file, size_t first, size_t last);
// All movie objects replaced (a program imported): the stored length and the ExtensionData start
// address move by the difference in size.
void replaceObjects(TMovieObjectFile& file, std::vector<Tmobjects> objects);
// The three flag lists: 0 or 1 each ("discard"/"suspend", "enable"/"disable").
void setObjectFlags(TMovieObjectFile& file, size_t object, int resume, int menuCall, int titleSearch);

// Command lines of one movie object: the line editing keeps GoTo targets and adds or removes
// 12 bytes per line in the stored length (and a non-zero ExtensionData start address).
// Returns the new line's index; nullopt when the object is missing or has 9999 commands or more.
[[nodiscard]] std::optional<size_t> insertCommandLine(TMovieObjectFile& file, size_t object,
                                                      std::optional<size_t> lastSelected);
// Pasted lines go after lastSelected (at 0 when none) with the GoTo upkeep of an insertion;
// returns the first new line; nullopt when the object is missing or would exceed 9999 lines.
std::optional<size_t> insertCommandLines(TMovieObjectFile& file, size_t object, std::optional<size_t> lastSelected,
                                         const hdmv::CommandList& lines);
// Removes lines first..last; returns the line to select afterwards (nullopt when none remain).
std::optional<size_t> deleteCommandLines(TMovieObjectFile& file, size_t object, size_t first, size_t last);

// The ExtensionData dialog's OK: the block is stored and the start address set where the file
// puts it (0 for an empty block).
void commitIndexExtensionData(TIndexBdmv& index, core::TExtensionData block);
void commitMovieObjectExtensionData(TMovieObjectFile& file, core::TExtensionData block);
// The movie-object caption: "no ExtensionData()" for an empty block.
[[nodiscard]] std::string movieObjectExtensionCaption(const TMovieObjectFile& file);

}  // namespace mirtal::bdmv
