#pragma once
// An opened BDMV folder: the disc database and the lists the other tabs read from.

#include "bdmv/index_bdmv.h"
#include "bdmv/movie_object.h"
#include "core/report.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace mirtal::bdmv {

namespace fs = std::filesystem;

inline constexpr const char* kVersionText = "0.21b4";

// The stream file of one clip: its name as found and its size; empty and 0 when missing.
struct TAVStream {
    std::string name;
    int64_t size = 0;
    bool operator==(const TAVStream&) const = default;
};

struct Disc {
    fs::path bdmv;                          // the BDMV folder
    bool checksPassed = false;              // the required folders and files are there
    TIndexBdmv index;
    bool indexLoaded = false;               // index.bdmv read without an error
    TMovieObjectFile movieObjects;
    bool movieObjectsLoaded = false;        // MovieObject.bdmv passed its format check
    std::vector<std::string> playlists;     // PLAYLIST/*.mpls without extension
    std::vector<std::string> clips;         // CLIPINF/*.clpi without extension
    std::vector<std::string> bdjObjects;    // BDJO/* without extension
    std::vector<TAVStream> streams;         // one per clip, same index
    std::string windowTitle;                // "Mirtal v0.21b4 [label]"

    // The Save button of the BDMV tab.
    [[nodiscard]] bool canSave() const { return indexLoaded; }
};

// The whole opening sequence: checks, MovieObject.bdmv, the lists, index.bdmv, the stream look-up
// and the informational checks, each reported in the log. Replaces the disc wholesale; returns
// false when a required check failed ("Check failed.") and nothing was read.
bool openDisc(Disc& disc, const fs::path& bdmvFolder, core::Report& report);

// The disc's name for the window title: the folder holding the BDMV folder, or the volume label
// when the BDMV folder sits at the root of a mounted filesystem.
[[nodiscard]] std::string disclabel(const fs::path& bdmvFolder);
[[nodiscard]] std::string windowTitleFor(const fs::path& bdmvFolder);

// The folder-dialog rule: a chosen folder gets "BDMV" appended unless it is named exactly so.
[[nodiscard]] fs::path chosenFolderToBdmv(const fs::path& chosen);

}  // namespace mirtal::bdmv
