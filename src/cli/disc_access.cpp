#include "cli/disc_access.h"

#include "bdmv/disc_path.h"

namespace mirtal::cli {

std::optional<int> openForCommand(const std::string& path, bdmv::Disc& disc, StderrReporter& sink,
                                  core::Report& report)
{
    const auto bdmv = bdmv::resolveBdmvFolder(path);
    if (!bdmv)
        return usageError("no such file or folder: " + path);
    if (!bdmv::openDisc(disc, *bdmv, report))
        return kExitFailed;
    (void)sink;
    return std::nullopt;
}

std::optional<core::BackupOptions> backupOptions(const Args& args)
{
    core::BackupOptions options;
    if (auto mode = args.value("--backup-mode")) {
        if (*mode == "only-first")
            options.mode = core::BackupMode::OnlyFirst;
        else if (*mode == "overwrite")
            options.mode = core::BackupMode::Overwrite;
        else if (*mode == "stop-if-exists")
            options.mode = core::BackupMode::StopIfExists;
        else {
            usageError("--backup-mode takes only-first, overwrite or stop-if-exists");
            return std::nullopt;
        }
    }
    options.createBackup = !args.has("--no-backup");
    options.saveToBackupDir = args.has("--backup-dir");
    return options;
}

}  // namespace mirtal::cli
