// mirtal-cli exd export|import PATH index|mobj FILE: the ExtensionData dialog's Save and Load
// buttons; an import is committed as OK does and the file saved with its backup.

#include "bdmv/editing.h"
#include "bdmv/save.h"
#include "cli/disc_access.h"
#include "core/files.h"

namespace mirtal::cli {
namespace {

int run(const std::vector<std::string>& raw)
{
    const Args args(raw, kBackupValueOptions);
    if (!args.ok())
        return usageError(args.error());
    const auto& p = args.positional();
    if (p.size() != 4 || (p[0] != "export" && p[0] != "import") || (p[2] != "index" && p[2] != "mobj"))
        return usageError("usage: mirtal-cli exd export|import PATH index|mobj FILE");
    const auto options = backupOptions(args);
    if (!options)
        return kExitUsage;
    StderrReporter sink;
    core::Report report(sink);
    bdmv::Disc disc;
    if (auto status = openForCommand(p[1], disc, sink, report))
        return *status;
    const bool isIndex = p[2] == "index";
    if (isIndex ? !disc.indexLoaded : !disc.movieObjectsLoaded)
        return kExitFailed;

    if (p[0] == "export") {
        const auto& block = isIndex ? disc.index.extensionData : disc.movieObjects.extensionData;
        if (block.empty()) {
            report.erlog(std::string(isIndex ? "index.bdmv" : "MovieObject.bdmv") + " has no ExtensionData() to save.");
            return kExitFailed;
        }
        if (auto r = core::writeFileAtomic(p[3], core::exdFileBytes(block)); !r.ok) {
            report.erlog(r.error);
            return kExitFailed;
        }
        report.log(p[3] + " saved.");
        return statusOf(sink);
    }

    std::vector<uint8_t> bytes;
    if (auto r = core::readWholeFile(p[3], bytes); !r.ok) {
        report.erlog(r.error);
        return kExitFailed;
    }
    auto read = core::readExdFile(bytes);
    auto& block = read.value;
    // The command saves at once: a block that declares more than the file holds is not taken.
    if (read.endedEarly) {
        report.erlog(p[3] + ": the ExtensionData() block declares more than the file holds (" +
                     std::to_string(block.numberOfEntries) + " entries in " + std::to_string(bytes.size()) +
                     " bytes); nothing was imported.");
        return kExitFailed;
    }
    core::SaveOutcome outcome;
    if (isIndex) {
        bdmv::commitIndexExtensionData(disc.index, std::move(block));
        report.log("ExtensionData(): " + core::ExtDatCap(disc.index.extensionData));
        outcome = bdmv::indexsave(disc, *options, report);
    } else {
        bdmv::commitMovieObjectExtensionData(disc.movieObjects, std::move(block));
        report.log("ExtensionData(): " + bdmv::movieObjectExtensionCaption(disc.movieObjects));
        outcome = bdmv::mobjsave(disc, *options, report);
    }
    return outcome == core::SaveOutcome::Saved ? statusOf(sink) : kExitFailed;
}

const Registration reg{{"exd", "exd export|import PATH index|mobj FILE   exchange an ExtensionData() block", &run}};

}  // namespace
}  // namespace mirtal::cli
