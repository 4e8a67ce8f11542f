#pragma once
// The PlayLists and clips of the demo disc: PLAYLIST/00000.mpls to 00004.mpls and their
// CLIPINF files (00001 to 00004, the menu clip 00010 and the PG clip 00011).
#include <filesystem>

namespace mirtal::support {

// Writes into the existing PLAYLIST and CLIPINF folders of bdmvDir.
void addSamplePlaylists(const std::filesystem::path& bdmvDir);

}  // namespace mirtal::support
