#include "bdmv/save.h"

#include "bdmv/disc_path.h"
#include "core/files.h"

namespace mirtal::bdmv {

namespace {

core::SaveOutcome saveOne(const Disc& disc, const std::string& name, const std::vector<uint8_t>& bytes,
                          const std::string& problem, const core::BackupOptions& options, core::Report& report)
{
    if (!problem.empty()) {
        // Refused before the backup step: nothing on disk changes.
        report.erlog("Cannot save " + name + ": " + problem + "; nothing was written.");
        return core::SaveOutcome::WriteFailed;
    }
    const fs::path file = discEntry(disc.bdmv, name);
    const auto outcome = core::saveWithBackup(file, bytes, options, report);
    if (outcome != core::SaveOutcome::Saved)
        return outcome;
    report.log(file.filename().string() + " saved.");
    report.slog("Ready.", 0);
    report.slog("", 1);
    if (options.saveToBackupDir) {
        const fs::path copy = discEntry(disc.bdmv, "BACKUP") / file.filename();
        if (auto r = core::writeFileAtomic(copy, bytes); !r.ok)
            report.log("[re]" + r.error + "[/re]");    // the saved file stands; only the copy is missing
    }
    return outcome;
}

}  // namespace

core::SaveOutcome indexsave(const Disc& disc, const core::BackupOptions& options, core::Report& report)
{
    if (!disc.indexLoaded) {
        report.erlog("index.bdmv was not read; not saved.");
        return core::SaveOutcome::WriteFailed;
    }
    std::string problem;
    const auto bytes = writeIndex(disc.index, &problem);
    return saveOne(disc, "index.bdmv", bytes, problem, options, report);
}

core::SaveOutcome mobjsave(const Disc& disc, const core::BackupOptions& options, core::Report& report)
{
    if (!disc.movieObjectsLoaded) {
        report.erlog("MovieObject.bdmv was not read; not saved.");
        return core::SaveOutcome::WriteFailed;
    }
    std::string problem;
    const auto bytes = writeMovieObjects(disc.movieObjects, &problem);
    return saveOne(disc, "MovieObject.bdmv", bytes, problem, options, report);
}

bool saveBdmv(const Disc& disc, const core::BackupOptions& options, core::Report& report)
{
    const auto first = indexsave(disc, options, report);
    if (first == core::SaveOutcome::WriteFailed && disc.indexLoaded)
        return false;
    const auto second = mobjsave(disc, options, report);
    return first == core::SaveOutcome::Saved && second == core::SaveOutcome::Saved;
}

}  // namespace mirtal::bdmv
