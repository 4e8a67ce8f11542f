#pragma once
// Saving a disc file with the backup step before it. The new bytes go to a temporary file in
// the same folder first, so a failure at any point leaves the file on disk as it was.

#include "core/report.h"

#include <cstdint>
#include <filesystem>
#include <vector>

namespace mirtal::core {

enum class BackupMode { OnlyFirst = 0, Overwrite = 1, StopIfExists = 2 };

struct BackupOptions {
    bool createBackup = true;          // "Create backup files"
    BackupMode mode = BackupMode::OnlyFirst;
    bool saveToBackupDir = false;      // "Save to BACKUP dir" (index.bdmv and MovieObject.bdmv only)
};

enum class SaveOutcome {
    Saved,
    BackupFailed,    // "Cannot create backup file." was logged; the file is unchanged
    WriteFailed,     // the file could not be written; it is unchanged
};

// Clears the error flag, logs "Saving " + file name, shows "Saving...", keeps the backup
// (file name + ".backup" beside it) by the mode, and writes the bytes. The caller logs its own
// closing line. A write failure is logged as an error line naming the file.
[[nodiscard]] SaveOutcome saveWithBackup(const std::filesystem::path& file, const std::vector<uint8_t>& bytes,
                                         const BackupOptions& options, Report& report);

}  // namespace mirtal::core
