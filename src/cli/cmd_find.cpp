// mirtal-cli find playlist|clip PATH NAME [--json]: the Find button of the PLAYLIST and CLIPINF
// tabs. The answer (an empty line, the header and the hit lines) goes to standard output; the
// opening's and the PlayList reads' log lines go to standard error.

#include "cli/disc_access.h"
#include "cli/json.h"
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

// A hit line's places as numbers: "Object 0003, Command line 0012" gives movie_object 3 and
// command_line 12, "00001.mpls , PlayItem 002, Angle 2" playlist "00001", play_item 2 and angle 2.
Json hitJson(const std::string& hit)
{
    Json j = Json::object();
    j["text"] = hit;
    for (size_t from = 0; from < hit.size();) {
        const size_t comma = std::min(hit.find(',', from), hit.size());
        std::string part = hit.substr(from, comma - from);
        from = comma + 1;
        part.erase(0, part.find_first_not_of(' '));
        part.erase(part.find_last_not_of(' ') + 1);
        if (part.size() > 5 && core::equalsNoCase(part.substr(part.size() - 5), ".mpls")) {
            j["playlist"] = part.substr(0, part.size() - 5);
            continue;
        }
        const size_t space = part.rfind(' ');
        const auto number = space == std::string::npos ? std::nullopt : parseNumber(part.substr(space + 1));
        if (!number)
            continue;
        static const std::pair<const char*, const char*> kKeys[] = {
            {"Object", "movie_object"}, {"Command line", "command_line"}, {"PlayItem", "play_item"},
            {"Angle", "angle"},         {"SubPath", "sub_path"},          {"SubPlayItem", "sub_play_item"},
            {"Clip entry", "clip_entry"}};
        const std::string label = part.substr(0, space);
        for (const auto& [text, key] : kKeys)
            if (label == text)
                j[key] = *number;
    }
    return j;
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
        return usageError("usage: mirtal-cli find playlist|clip PATH NAME [--json]");
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
    if (args.has("--json")) {
        // The reads' log lines stay on standard error; the answer is the document.
        const size_t answer = std::min(lines.lines.size(), 2 + hits.size());
        printSplit(std::vector<std::string>(lines.lines.begin(), lines.lines.end() - static_cast<std::ptrdiff_t>(answer)), 0);
        Json j = jsonDocument("find");
        j["kind"] = forClip ? "clip" : "playlist";
        j["name"] = name;
        j["header"] = answer >= 2 + hits.size() ? lines.lines[lines.lines.size() - hits.size() - 1] : "";
        Json list = Json::array();
        for (const auto& h : hits)
            list.push_back(hitJson(h));
        j["hits"] = std::move(list);
        printJson(j);
    } else {
        printSplit(lines.lines, 2 + hits.size());
    }
    return sink.errors() + lines.errors > 0 ? kExitFailed : kExitOk;
}

const Registration reg{{"find", "find playlist|clip PATH NAME [--json]  the Find tool: who plays a PlayList or a clip", &run}};

}  // namespace
}  // namespace mirtal::cli
