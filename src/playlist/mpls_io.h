#pragma once
// Reading, writing and saving a PlayList.

#include "core/backup_save.h"
#include "core/read_result.h"
#include "core/report.h"
#include "playlist/mpls.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

namespace mirtal::playlist {

// Reads the bytes of name + ".mpls" with the reader's log and status lines. A wrong type or
// version ("Invalid format: ") or a file that ends before its counts, start addresses and
// section lengths say ("Truncated file: ") is an error line and no good read (into() leaves the
// model it is given as it was). Stream entries and attributes end where their stored lengths
// say, so an unknown entry or coding type is skipped whole.
using PlayListRead = core::ReadResult<TPLmpls>;
[[nodiscard]] PlayListRead readPlaylist(std::span<const uint8_t> bytes, const std::string& name, core::Report& report);

// The PlayList name in bdmv/PLAYLIST (folder and file found without regard to case).
[[nodiscard]] std::filesystem::path playlistPath(const std::filesystem::path& bdmv, const std::string& name);
// Reads the file from disc; a file that cannot be read is an error line.
[[nodiscard]] PlayListRead readPlaylistFile(const std::filesystem::path& bdmv, const std::string& name,
                                           core::Report& report);

// The file the model describes. Sections start at their stored start addresses (zeros fill a
// gap), each sized by its stored length. A model whose stored lengths and addresses would make
// a file above kMaxPlaylistFileSize (only a damaged model can) gives no bytes at all.
constexpr uint64_t kMaxPlaylistFileSize = 64u << 20;
// problem (when given) says why nothing was written: a record that holds more than its stored
// length leaves room for, or a start address inside the bytes before it.
[[nodiscard]] std::vector<uint8_t> writePlaylist(const TPLmpls& model, std::string* problem = nullptr);

// plsave: the backup step, then the file; "Ready" afterwards on every path. A model that
// writePlaylist refuses is an error line before the backup step, and nothing is touched.
core::SaveOutcome plsave(const std::filesystem::path& bdmv, const std::string& name, const TPLmpls& model,
                         const core::BackupOptions& options, core::Report& report);

// The status bar after every read and save, on every path: "Ready", the detail panel cleared.
inline void showReady(core::Report& report)
{
    report.slog("Ready", 0);
    report.slog("", 1);
}

// The Save button of the PLAYLIST tab.
[[nodiscard]] inline bool canSavePlaylist(const TPLmpls& model)
{
    return !model.playList.playItems.empty();
}

}  // namespace mirtal::playlist
