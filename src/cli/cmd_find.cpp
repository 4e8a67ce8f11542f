// mirtal-cli find playlist|clip PATH NAME: the Find button of the PLAYLIST and CLIPINF tabs.
// The answer (an empty line, the header and the hit lines) goes to standard output; the opening's
// and the PlayList reads' log lines go to standard error.

#include "cli/disc_access.h"
#include "core/markup.h"
#include "core/text.h"
#include "playlist/find.h"

#include <algorithm>
#include <cstdio>

namespace mirtal::cli {
namespace {

// Keeps the log lines (markup removed) so that the answer can be told from the reads before it;
// counts the error displays.
class LineCollector : public core::Reporter {
public:
    void logLine(std::string_view markup) override { lines.push_back(core::markupToPlain(markup)); }
    void errorDisplay(std::string_view) override { ++errors; }
    std::vector<std::string> lines;
    int errors = 0;
};

// The last `answerLines` lines to standard output, the ones before them to standard error.
void printSplit(const std::vector<std::string>& lines, size_t answerLines)
{
    const size_t split = lines.size() - std::min(answerLines, lines.size());
    std::string err, out;
    for (size_t i = 0; i < lines.size(); ++i)
        (i < split ? err : out) += lines[i] + '\n';
    std::fwrite(err.data(), 1, err.size(), stderr);
    std::fwrite(out.data(), 1, out.size(), stdout);
    std::fflush(stdout);
}

bool listed(const std::vector<std::string>& names, const std::string& name)
{
    return std::any_of(names.begin(), names.end(), [&](const std::string& n) { return core::equalsNoCase(n, name); });
}

int run(const std::vector<std::string>& raw)
{
    const Args args(raw, {});
    if (!args.ok())
        return usageError(args.error());
    const auto& pos = args.positional();
    if (pos.size() != 3 || (pos[0] != "playlist" && pos[0] != "clip"))
        return usageError("usage: mirtal-cli find playlist|clip PATH NAME");
    const bool forClip = pos[0] == "clip";
    int status = 0;
    const auto arg = discFileArg(pos[1], pos[2], forClip ? ".clpi" : ".mpls", forClip ? "clip" : "PlayList", status);
    if (!arg)
        return status;
    const std::string& name = arg->name;

    StderrReporter sink;
    core::Report report(sink);
    bdmv::Disc disc;
    if (auto failed = openForCommand(arg->bdmv.string(), disc, sink, report))
        return *failed;
    // The Find button searches for what the tab's selector holds: a PlayList or clip of the disc.
    const auto& names = forClip ? disc.clips : disc.playlists;
    if (!listed(names, name)) {
        report.erlog(std::string(forClip ? "No clip " : "No PlayList ") + name +
                     (forClip ? " in CLIPINF." : " in PLAYLIST."));
        return kExitFailed;
    }

    LineCollector lines;
    core::Report findReport(lines);
    const auto hits = forClip ? playlist::findClip(disc.bdmv, disc.playlists, name, findReport)
                              : playlist::findPlayList(disc.movieObjects, name, findReport);
    printSplit(lines.lines, 2 + hits.size());
    return sink.errors() + lines.errors > 0 ? kExitFailed : kExitOk;
}

const Registration reg{{"find", "find playlist|clip PATH NAME    the Find tool: who plays a PlayList or a clip", &run}};

}  // namespace
}  // namespace mirtal::cli
