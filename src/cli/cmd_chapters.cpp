// mirtal-cli chapters export|import PATH NAME [--format FORMAT] [--names FILE] [FILE]: the "Save
// chapters" and "Load chapters" buttons of the mark grid. Import replaces the marks and saves
// the PlayList, with its backup first; a file with an error saves nothing.

#include "cli/disc_access.h"
#include "core/files.h"
#include "playlist/chapters.h"
#include "playlist/mpls_io.h"

#include <algorithm>
#include <cstdio>

namespace mirtal::cli {
namespace {

using namespace playlist;

constexpr const char* kUsage =
    "usage: mirtal-cli chapters export|import PATH NAME [--format pts|frame|time|ogm|xml|ffmetadata] "
    "[--names FILE] [FILE] [--backup-mode MODE] [--no-backup]";
// A chapter file holds at most 999 chapters of a few hundred bytes; anything far larger is not one.
constexpr uint64_t kMaxChapterFileBytes = 1u << 20;

int run(const std::vector<std::string>& raw)
{
    std::vector<std::string> valueOptions = kBackupValueOptions;
    valueOptions.push_back("--format");
    valueOptions.push_back("--names");
    const Args args(raw, valueOptions);
    if (!args.ok())
        return usageError(args.error());
    const auto& pos = args.positional();
    if (pos.size() < 3 || pos.size() > 4 || (pos[0] != "export" && pos[0] != "import"))
        return usageError(kUsage);
    const bool isImport = pos[0] == "import";
    // The Options tab starts with "PTS".
    const auto format = chapterFormatFromText(args.value("--format").value_or("pts"));
    if (!format)
        return usageError("--format takes pts, frame, time, ogm, xml or ffmetadata");
    if (isImport && *format == ChapterFormat::FfMetadata)
        return usageError("--format ffmetadata is export only");
    const auto namesFile = args.value("--names");
    if (namesFile && (isImport || !carriesEntryMarksOnly(*format)))
        return usageError("--names goes with chapters export --format ogm, xml or ffmetadata");
    const auto options = backupOptions(args);
    if (!options)
        return kExitUsage;
    int status = 0;
    const auto arg = discFileArg(pos[1], pos[2], ".mpls", "PlayList", status);
    if (!arg)
        return status;
    const fs::path& bdmv = arg->bdmv;
    const std::string& name = arg->name;
    // The file name the dialogs propose, in the current folder, when none is given.
    const fs::path file = pos.size() == 4 ? fs::path(pos[3]) : fs::path(chapterFileName(name, *format));

    StderrReporter sink;
    core::Report report(sink);
    TPLmpls model;
    if (!readPlaylistFile(bdmv, name, report).into(model))
        return kExitFailed;

    if (!isImport) {
        std::vector<std::string> names;
        if (namesFile) {
            std::vector<uint8_t> bytes;
            if (auto r = core::readWholeFile(*namesFile, bytes, kMaxChapterFileBytes); !r.ok) {
                report.erlog("Cannot read " + *namesFile + ": " + r.error);
                return kExitFailed;
            }
            names = readChapterNames(std::string(bytes.begin(), bytes.end()));
        }
        const auto text = exportChapters(model, *format, report, names);
        if (!text)
            return kExitFailed;
        if (auto r = core::writeFileAtomic(file, std::vector<uint8_t>(text->begin(), text->end())); !r.ok) {
            report.erlog("Cannot write " + file.string() + ": " + r.error);
            return kExitFailed;
        }
        const auto written = carriesEntryMarksOnly(*format)
                                 ? std::count_if(model.marks.marks.begin(), model.marks.marks.end(),
                                                 [](const TMarkEntry& m) { return m.markType == 1; })
                                 : static_cast<std::ptrdiff_t>(model.marks.marks.size());
        report.log(std::to_string(written) + " chapter(s) written to " + file.string());
        return statusOf(sink);
    }

    std::vector<uint8_t> bytes;
    if (auto r = core::readWholeFile(file, bytes, kMaxChapterFileBytes); !r.ok) {
        report.erlog("Cannot read " + file.string() + ": " + r.error);
        return kExitFailed;
    }
    const std::string text(bytes.begin(), bytes.end());
    if (!importChapters(model, text, *format, report, file.string())) {
        if (sink.errors() == 0)
            report.erlog("No chapters in " + file.string() + "; " + name + ".mpls is left as it was.");
        return kExitFailed;
    }
    if (!canSavePlaylist(model)) {
        report.erlog(name + ".mpls has no PlayItems; it is not saved.");
        return kExitFailed;
    }
    if (plsave(bdmv, name, model, *options, report) != core::SaveOutcome::Saved)
        return kExitFailed;
    report.log(name + ".mpls saved with " + std::to_string(model.marks.marks.size()) + " mark(s).");
    return statusOf(sink);
}

const Registration reg{
    {"chapters",
     "chapters export|import PATH NAME [--format pts|frame|time|ogm|xml|ffmetadata] [--names FILE] [FILE] "
     "[backup options as for save]",
     &run}};

}  // namespace
}  // namespace mirtal::cli
