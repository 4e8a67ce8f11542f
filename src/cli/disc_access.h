#pragma once
// Opening the disc a subcommand names, with the opening's log lines on standard error.

#include "bdmv/disc.h"
#include "cli/cli.h"
#include "core/backup_save.h"

#include <optional>
#include <string>

namespace mirtal::cli {

// Resolves PATH and runs the opening sequence. Returns an exit status when the disc cannot be
// used (usage error for a missing path, 1 for a failed check), nullopt when it is open.
std::optional<int> openForCommand(const std::string& path, bdmv::Disc& disc, StderrReporter& sink,
                                  core::Report& report);

// --backup-mode only-first|overwrite|stop-if-exists, --no-backup, --backup-dir. nullopt and a
// usage message when the mode is not one of those.
std::optional<core::BackupOptions> backupOptions(const Args& args);
inline const std::vector<std::string> kBackupValueOptions{"--backup-mode"};

// A type indicator or version read as a number, as its four characters ("0200").
inline std::string fourCharacters(uint32_t v)
{
    return {static_cast<char>(v >> 24), static_cast<char>(v >> 16), static_cast<char>(v >> 8), static_cast<char>(v)};
}

// The exit status of an operation by what its reporter saw.
inline int statusOf(const StderrReporter& sink)
{
    return sink.errors() > 0 ? kExitFailed : kExitOk;
}

}  // namespace mirtal::cli
