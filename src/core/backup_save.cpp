#include "core/backup_save.h"

#include "core/files.h"

namespace mirtal::core {

namespace {

namespace fs = std::filesystem;

// Moves the current file to its backup name by the mode; false when the backup cannot be made.
// moved tells whether the file now stands under the backup name.
bool keepBackup(const fs::path& file, const fs::path& backup, BackupMode mode, bool& moved)
{
    std::error_code ec;
    moved = false;
    const bool backupExists = fs::exists(backup, ec);
    switch (mode) {
    case BackupMode::OnlyFirst:
        if (backupExists)
            return true;    // the first backup ever made stays
        break;
    case BackupMode::Overwrite:
        // The rename below replaces the old backup in one step: it stays until the new one is
        // in place, also when the file cannot be moved.
        break;
    case BackupMode::StopIfExists:
        // rename would replace an existing backup here, so look first
        if (backupExists)
            return false;
        break;
    }
    if (!fs::exists(file, ec))
        return false;
    fs::rename(file, backup, ec);
    moved = !ec;
    return moved;
}

}  // namespace

SaveOutcome saveWithBackup(const fs::path& file, const std::vector<uint8_t>& bytes, const BackupOptions& options,
                           Report& report)
{
    report.clearError();
    report.log("Saving " + file.filename().string());
    report.slog("Saving...", 0);

    // Write the new bytes first: if that fails nothing on disk has been touched.
    fs::path temp;
    if (auto r = writeTempBeside(file, bytes, temp); !r.ok) {
        report.erlog(r.error);
        return SaveOutcome::WriteFailed;
    }

    fs::path backup = file;
    backup += ".backup";
    bool moved = false;
    std::error_code ec;
    if (options.createBackup && !keepBackup(file, backup, options.mode, moved)) {
        fs::remove(temp, ec);
        report.erlog("Cannot create backup file.");
        return SaveOutcome::BackupFailed;
    }

    fs::rename(temp, file, ec);
    if (ec) {
        const std::string reason = ec.message();
        if (moved)
            fs::rename(backup, file, ec);    // put the old file back where it was
        fs::remove(temp, ec);
        report.erlog("Cannot write file " + file.string() + ": " + reason);
        return SaveOutcome::WriteFailed;
    }
    return SaveOutcome::Saved;
}

}  // namespace mirtal::core
