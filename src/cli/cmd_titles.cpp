// mirtal-cli titles PATH [--json]: the titles grid, First Playback and Top Menu.

#include "bdmv/editing.h"
#include "cli/disc_access.h"
#include "cli/json.h"

#include <array>
#include <cstdio>

namespace mirtal::cli {
namespace {

// The line of First Playback or Top Menu: name, object type, playback type, movie object, on/off.
std::array<std::string, 5> entryCells(const std::string& name, const bdmv::TIndexTitle& e)
{
    const std::string target =
        e.objectType == 1 ? (bdmv::isEntryOn(e) ? std::to_string(e.movieObjectId) : "") : e.bdjObjectName;
    return {name, bdmv::objectTypeText(e.objectType), bdmv::playbackTypeText(e.playbackType), target,
            bdmv::isEntryOn(e) ? "on" : "off"};
}

// First Playback and Top Menu have no title number or access type; their line's cells are the
// line the text output prints.
Json entryJson(const bdmv::TIndexTitle& e, bool isTitle, const std::string& name)
{
    Json j = Json::object();
    if (isTitle)
        j["title_number"] = e.titleNumber;
    j["object_type"] = e.objectType;
    if (isTitle)
        j["access_type"] = e.accessType;
    j["playback_type"] = e.playbackType;
    if (e.objectType == 1)
        j["movie_object_id"] = e.movieObjectId;
    else
        j["bdj_object_name"] = e.bdjObjectName;
    if (!isTitle)
        j["on"] = bdmv::isEntryOn(e);
    j["cells"] = isTitle ? Json(bdmv::indline(e)) : Json(entryCells(name, e));
    return j;
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
        Json j = jsonDocument("titles");
        j["file_version"] = fourCharacters(index.version);
        j["indexes_start_address"] = index.indexesStartAddress;
        j["extension_data_start_address"] = index.extensionDataStartAddress;
        j["indexes_length"] = index.indexesLength;
        j["content_provider_data"] = index.contentProviderData;
        j["captions"] = {{"titles", bdmv::titleCaptions()}};
        j["first_playback"] = entryJson(index.firstPlayback, false, "First Playback");
        j["top_menu"] = entryJson(index.topMenu, false, "Top Menu");
        j["number_of_titles"] = index.titles.size();
        Json titles = Json::array();
        for (const auto& t : index.titles)
            titles.push_back(entryJson(t, true, ""));
        j["titles"] = std::move(titles);
        j["extension_data"] = extensionDataJson(index.extensionData);
        printJson(j);
    } else {
        printGrid(bdmv::titleCaptions(), bdmv::titleRows(index));
        for (const auto& cells : {entryCells("First Playback", index.firstPlayback), entryCells("Top Menu", index.topMenu)})
            std::printf("%s\t%s\t%s\t%s\t%s\n", cells[0].c_str(), cells[1].c_str(), cells[2].c_str(), cells[3].c_str(),
                        cells[4].c_str());
    }
    std::fflush(stdout);
    return statusOf(sink);
}

const Registration reg{{"titles", "titles PATH [--json]            the titles, First Playback and Top Menu", &run}};

}  // namespace
}  // namespace mirtal::cli
