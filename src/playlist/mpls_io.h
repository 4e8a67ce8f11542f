#pragma once
// Reading, writing and saving a PlayList.

#include "core/backup_save.h"
#include "core/report.h"
#include "playlist/mpls.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

namespace mirtal::playlist {

// Reads the bytes of name + ".mpls" with the reader's log and status lines. On success the
// model is replaced and true returned. A wrong type or version ("Invalid format: ") or a file
// that ends before its counts and addresses say ("Truncated file: ") is an error line and leaves
// the model as it was.
bool readPlaylist(std::span<const uint8_t> bytes, const std::string& name, TPLmpls& model, core::Report& report);

// The PlayList name in bdmv/PLAYLIST (folder and file found without regard to case).
[[nodiscard]] std::filesystem::path playlistPath(const std::filesystem::path& bdmv, const std::string& name);
// Reads the file from disc; a file that cannot be read is an error line.
bool readPlaylistFile(const std::filesystem::path& bdmv, const std::string& name, TPLmpls& model,
                      core::Report& report);

// The file the model describes. Sections start at their stored start addresses (zeros fill a
// gap), each sized by its stored length.
[[nodiscard]] std::vector<uint8_t> writePlaylist(const TPLmpls& model);

// plsave: the backup step, then the file; "Ready" afterwards on every path.
core::SaveOutcome plsave(const std::filesystem::path& bdmv, const std::string& name, const TPLmpls& model,
                         const core::BackupOptions& options, core::Report& report);

// The Save button of the PLAYLIST tab.
[[nodiscard]] inline bool canSavePlaylist(const TPLmpls& model)
{
    return !model.playList.playItems.empty();
}

}  // namespace mirtal::playlist
