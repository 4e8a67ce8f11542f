// mirtal-cli save-playlist PATH NAME: reads one PlayList and writes it back, as the Save button of
// the PLAYLIST tab does, with the backup step first. A PlayList that did not read is never written.

#include "cli/disc_access.h"
#include "playlist/mpls_io.h"

#include <cstdio>

namespace mirtal::cli {
namespace {

int run(const std::vector<std::string>& raw)
{
    const Args args(raw, kBackupValueOptions);
    if (!args.ok())
        return usageError(args.error());
    if (args.positional().size() != 2)
        return usageError("usage: mirtal-cli save-playlist PATH NAME [--backup-mode MODE] [--no-backup]");
    const auto options = backupOptions(args);
    if (!options)
        return kExitUsage;
    int status = 0;
    const auto arg = discFileArg(args.positional()[0], args.positional()[1], ".mpls", "PlayList", status);
    if (!arg)
        return status;
    const fs::path& bdmv = arg->bdmv;
    const std::string& name = arg->name;
    StderrReporter sink;
    core::Report report(sink);
    playlist::TPLmpls model;
    if (!playlist::readPlaylistFile(bdmv, name, report).into(model) || sink.errors() > 0)
        return kExitFailed;
    // The Save button is enabled only for a PlayList with at least one PlayItem.
    if (!playlist::canSavePlaylist(model)) {
        report.erlog(name + ".mpls has no PlayItems; it is not saved.");
        return kExitFailed;
    }
    if (playlist::plsave(bdmv, name, model, *options, report) != core::SaveOutcome::Saved)
        return kExitFailed;
    report.log(name + ".mpls saved.");
    return statusOf(sink);
}

const Registration reg{{"save-playlist",
                        "save-playlist PATH NAME [--backup-mode only-first|overwrite|stop-if-exists] [--no-backup]",
                        &run}};

}  // namespace
}  // namespace mirtal::cli
