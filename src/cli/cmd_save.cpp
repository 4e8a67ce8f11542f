// mirtal-cli save PATH: reads the disc and writes index.bdmv, then MovieObject.bdmv, as the
// Save button of the BDMV tab does.

#include "bdmv/save.h"
#include "cli/disc_access.h"

namespace mirtal::cli {
namespace {

int run(const std::vector<std::string>& raw)
{
    const Args args(raw, kBackupValueOptions);
    if (!args.ok())
        return usageError(args.error());
    if (args.positional().size() != 1)
        return usageError("usage: mirtal-cli save PATH [--backup-mode MODE] [--no-backup] [--backup-dir]");
    const auto options = backupOptions(args);
    if (!options)
        return kExitUsage;
    StderrReporter sink;
    core::Report report(sink);
    bdmv::Disc disc;
    if (auto status = openForCommand(args.positional()[0], disc, sink, report))
        return *status;
    const bool saved = bdmv::saveBdmv(disc, *options, report);
    return saved ? statusOf(sink) : kExitFailed;
}

const Registration reg{{"save", "save PATH [--backup-mode only-first|overwrite|stop-if-exists] [--no-backup] [--backup-dir]",
                        &run}};

}  // namespace
}  // namespace mirtal::cli
