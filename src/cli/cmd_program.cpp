// mirtal-cli program export PATH [FILE]: the movie objects as program text (standard output
// without FILE). mirtal-cli program import PATH FILE [backup options]: replaces the movie objects
// by the text's and saves MovieObject.bdmv with its backup.

#include "bdmv/editing.h"
#include "bdmv/program.h"
#include "bdmv/save.h"
#include "cli/disc_access.h"
#include "core/files.h"

#include <cstdio>

namespace mirtal::cli {
namespace {

constexpr const char* kUsage =
    "usage: mirtal-cli program export PATH [FILE] | program import PATH FILE [--backup-mode MODE] [--no-backup] "
    "[--backup-dir]";

// Opens the disc for a program command; an exit status when its movie objects cannot be used.
std::optional<int> openObjects(const std::string& path, bdmv::Disc& disc, StderrReporter& sink, core::Report& report)
{
    if (auto status = openForCommand(path, disc, sink, report))
        return status;
    if (!disc.movieObjectsLoaded) {
        std::fprintf(stderr, "mirtal-cli: MovieObject.bdmv did not read; its program cannot be used\n");
        return kExitFailed;
    }
    return std::nullopt;
}

int exportProgram(const Args& args)
{
    if (args.positional().size() < 2 || args.positional().size() > 3)
        return usageError(kUsage);
    StderrReporter sink;
    core::Report report(sink);
    bdmv::Disc disc;
    if (auto status = openObjects(args.positional()[1], disc, sink, report))
        return *status;
    const std::string text = bdmv::exportProgram(disc.movieObjects);
    if (args.positional().size() == 2) {
        std::fwrite(text.data(), 1, text.size(), stdout);
        std::fflush(stdout);
        return statusOf(sink);
    }
    const auto written = core::writeFileAtomic(args.positional()[2], std::vector<uint8_t>(text.begin(), text.end()));
    if (!written.ok) {
        std::fprintf(stderr, "mirtal-cli: cannot write %s: %s\n", args.positional()[2].c_str(), written.error.c_str());
        return kExitFailed;
    }
    return statusOf(sink);
}

int importProgram(const Args& args)
{
    if (args.positional().size() != 3)
        return usageError(kUsage);
    const auto options = backupOptions(args);
    if (!options)
        return kExitUsage;
    const std::string& file = args.positional()[2];
    std::vector<uint8_t> bytes;
    if (const auto read = core::readWholeFile(file, bytes, 64u * 1024 * 1024); !read.ok) {
        std::fprintf(stderr, "mirtal-cli: cannot read %s: %s\n", file.c_str(), read.error.c_str());
        return kExitFailed;
    }
    StderrReporter sink;
    core::Report report(sink);
    bdmv::Disc disc;
    if (auto status = openObjects(args.positional()[1], disc, sink, report))
        return *status;
    const auto program = bdmv::importProgram(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    if (!program.ok()) {
        for (const auto& e : program.errors)
            std::fprintf(stderr, "%s:%s\n", file.c_str(), hdmv::errorText(e).c_str());
        std::fprintf(stderr, "mirtal-cli: %zu errors; MovieObject.bdmv is as it was\n", program.errors.size());
        return kExitFailed;
    }
    if (const auto dangling = bdmv::entriesPastObjects(disc.index, program.objects.size()); !dangling.empty()) {
        std::string names;
        for (const auto& n : dangling)
            names += (names.empty() ? "" : ", ") + n;
        std::fprintf(stderr, "mirtal-cli: the program has %zu movie objects, but %s name one past them; nothing was imported\n",
                     program.objects.size(), names.c_str());
        return kExitFailed;
    }
    bdmv::replaceObjects(disc.movieObjects, program.objects);
    const auto outcome = bdmv::mobjsave(disc, *options, report);
    return outcome == core::SaveOutcome::Saved ? statusOf(sink) : kExitFailed;
}

int run(const std::vector<std::string>& raw)
{
    const Args args(raw, kBackupValueOptions);
    if (!args.ok())
        return usageError(args.error());
    if (args.positional().empty())
        return usageError(kUsage);
    if (args.positional()[0] == "export")
        return exportProgram(args);
    if (args.positional()[0] == "import")
        return importProgram(args);
    return usageError(kUsage);
}

const Registration reg{{"program", "program export PATH [FILE] | import PATH FILE  movie objects as program text", &run}};

}  // namespace
}  // namespace mirtal::cli
