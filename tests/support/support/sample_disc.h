#pragma once
// The demo disc that `mirtal-cli sample` writes and the tests open.

#include "support/disc_builder.h"

#include <filesystem>

namespace mirtal::support {

// The database of the demo disc: First Playback, Top Menu, three titles and five programs that
// use GoTo, compares, Set operations, Jump Title and Play PL.
DiscBuilder sampleDatabase();
// Writes dir/BDMV with the database, the PlayLists, clips and streams the library can make.
// Returns the BDMV folder.
std::filesystem::path writeSampleDisc(const std::filesystem::path& dir);

}  // namespace mirtal::support
