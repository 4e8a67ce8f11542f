// mirtal-cli titles PATH [--json]: the titles grid, First Playback and Top Menu.

#include "bdmv/editing.h"
#include "cli/disc_access.h"
#include "cli/json.h"

#include <cstdio>

namespace mirtal::cli {
namespace {

std::string entryLine(const std::string& name, const bdmv::TIndexTitle& e)
{
    const std::string target =
        e.objectType == 1 ? (bdmv::isEntryOn(e) ? std::to_string(e.movieObjectId) : "") : e.bdjObjectName;
    return name + "\t" + bdmv::objectTypeText(e.objectType) + "\t" + bdmv::playbackTypeText(e.playbackType) + "\t" +
           target + "\t" + (bdmv::isEntryOn(e) ? "on" : "off");
}

void entryJson(JsonWriter& j, const bdmv::TIndexTitle& e, bool isTitle)
{
    j.beginObject();
    if (isTitle)
        j.member("title_number", static_cast<int64_t>(e.titleNumber));
    j.member("object_type", static_cast<unsigned>(e.objectType));
    if (isTitle)
        j.member("access_type", static_cast<unsigned>(e.accessType));
    j.member("playback_type", static_cast<unsigned>(e.playbackType));
    if (e.objectType == 1)
        j.member("movie_object_id", static_cast<unsigned>(e.movieObjectId));
    else
        j.member("bdj_object_name", e.bdjObjectName);
    if (!isTitle)
        j.member("on", bdmv::isEntryOn(e));
    j.endObject();
}

int run(const std::vector<std::string>& raw)
{
    const Args args(raw, {});
    if (!args.ok())
        return usageError(args.error());
    if (args.positional().size() != 1)
        return usageError("usage: mirtal-cli titles PATH [--json]");
    StderrReporter sink;
    core::Report report(sink);
    bdmv::Disc disc;
    if (auto status = openForCommand(args.positional()[0], disc, sink, report))
        return *status;
    if (!disc.indexLoaded)
        return kExitFailed;
    const auto& index = disc.index;
    if (args.has("--json")) {
        JsonWriter j;
        j.beginObject();
        j.member("version", fourCharacters(index.version));
        j.member("indexes_start_address", static_cast<uint64_t>(index.indexesStartAddress));
        j.member("extension_data_start_address", static_cast<uint64_t>(index.extensionDataStartAddress));
        j.member("indexes_length", static_cast<uint64_t>(index.indexesLength));
        j.member("content_provider_data", index.contentProviderData);
        j.key("first_playback");
        entryJson(j, index.firstPlayback, false);
        j.key("top_menu");
        entryJson(j, index.topMenu, false);
        j.member("number_of_titles", static_cast<unsigned>(index.titles.size()));
        j.key("titles").beginArray();
        for (const auto& t : index.titles)
            entryJson(j, t, true);
        j.endArray();
        j.member("extension_data", core::ExtDatCap(index.extensionData));
        j.endObject();
        std::printf("%s\n", j.str().c_str());
    } else {
        printGrid(bdmv::titleCaptions(), bdmv::titleRows(index));
        std::printf("%s\n%s\n", entryLine("First Playback", index.firstPlayback).c_str(),
                    entryLine("Top Menu", index.topMenu).c_str());
    }
    std::fflush(stdout);
    return statusOf(sink);
}

const Registration reg{{"titles", "titles PATH [--json]            the titles, First Playback and Top Menu", &run}};

}  // namespace
}  // namespace mirtal::cli
