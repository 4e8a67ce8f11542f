// mirtal-cli playlists PATH [--json] [--max-steps K]: the disc overview, one row per PlayList with
// who plays it, as the window's overview grid shows it.

#include "cli/disc_access.h"
#include "cli/json.h"
#include "core/text.h"
#include "playlist/overview.h"

#include <cstdio>

namespace mirtal::cli {
namespace {

Json playedByJson(const playlist::PlayedBy& by)
{
    Json j = Json::object();
    j["kind"] = playlist::playedByKindName(by.kind);
    const bool numbered = by.kind == playlist::PlayedBy::Kind::Title || by.kind == playlist::PlayedBy::Kind::Object;
    j["number"] = numbered ? Json(by.number) : Json(nullptr);
    j["text"] = playlist::playedByText(by);
    return j;
}

Json summaryJson(const playlist::PlayListSummary& s)
{
    Json j = Json::object();
    j["name"] = s.name;
    j["readable"] = s.readable;
    j["duration_45k"] = s.duration45k;
    j["duration"] = playlist::durationText45k(s.duration45k);
    j["items"] = s.items;
    j["clips"] = s.clips;
    j["angles"] = s.angles;
    j["chapters"] = s.chapters;
    Json streams = Json::object();
    for (size_t k = 0; k < playlist::kStreamKindCount; ++k)
        streams[playlist::streamKindKey(static_cast<playlist::StreamKind>(k))] = {
            {"count", s.streams[k].count}, {"languages", s.streams[k].languages}};
    j["streams"] = std::move(streams);
    Json players = Json::array();
    for (const auto& by : s.playedBy)
        players.push_back(playedByJson(by));
    j["played_by"] = std::move(players);
    j["duplicate_of"] = s.duplicateOf ? Json(*s.duplicateOf) : Json(nullptr);
    j["unplayed"] = s.unplayed;
    j["cells"] = playlist::overviewRow(s);
    return j;
}

Json walkJson(const playlist::EntryWalk& w)
{
    Json j = playedByJson(w.entry);
    j["movie_object"] = w.movieObjectId;
    Json names = Json::array();
    for (const uint32_t n : w.playLists)
        names.push_back(core::padded(n, 5));
    j["playlists"] = std::move(names);
    j["executed"] = w.executed;
    j["step_limit_reached"] = w.stepLimitReached;
    j["jumped_to_title"] = w.jumpedToTitle ? Json(*w.jumpedToTitle) : Json(nullptr);
    return j;
}

int run(const std::vector<std::string>& raw)
{
    const Args args(raw, {"--max-steps"});
    if (!args.ok())
        return usageError(args.error());
    if (args.positional().size() != 1)
        return usageError("usage: mirtal-cli playlists PATH [--json] [--max-steps K]");
    uint64_t maxSteps = playlist::kWalkStepLimit;
    if (auto k = args.value("--max-steps")) {
        const auto v = parseNumber(*k);
        if (!v || *v <= 0)
            return usageError("--max-steps takes a positive number");
        maxSteps = static_cast<uint64_t>(*v);
    }
    StderrReporter sink;
    core::Report report(sink);
    bdmv::Disc disc;
    if (auto status = openForCommand(args.positional()[0], disc, sink, report))
        return *status;

    const auto overview = playlist::discOverview(disc, report, maxSteps);
    for (const auto& note : playlist::walkNotes(overview))
        report.log(note);
    if (args.has("--json")) {
        Json document = jsonDocument("playlists");
        document["captions"] = {{"playlists", playlist::overviewCaptions()}};
        Json list = Json::array();
        for (const auto& s : overview.playLists)
            list.push_back(summaryJson(s));
        document["playlists"] = std::move(list);
        Json entries = Json::array();
        for (const auto& w : overview.walks)
            entries.push_back(walkJson(w));
        document["entries"] = std::move(entries);
        printJson(document);
    } else {
        printGrid(playlist::overviewCaptions(), playlist::overviewRows(overview));
        std::fflush(stdout);
    }
    return statusOf(sink);
}

const Registration reg{{"playlists", "playlists PATH [--json] [--max-steps K]  the disc overview: every PlayList and who plays it",
                        &run}};

}  // namespace
}  // namespace mirtal::cli
