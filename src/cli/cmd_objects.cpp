// mirtal-cli objects PATH [--json]: the movie-objects grid.

#include "cli/disc_access.h"
#include "cli/json.h"

#include <cstdio>

namespace mirtal::cli {
namespace {

int run(const std::vector<std::string>& raw)
{
    const Args args(raw, {});
    if (!args.ok())
        return usageError(args.error());
    if (args.positional().size() != 1)
        return usageError("usage: mirtal-cli objects PATH [--json]");
    StderrReporter sink;
    core::Report report(sink);
    bdmv::Disc disc;
    if (auto status = openForCommand(args.positional()[0], disc, sink, report))
        return *status;
    if (!disc.movieObjectsLoaded)
        return kExitFailed;
    const auto& file = disc.movieObjects;
    if (args.has("--json")) {
        Json j = jsonDocument("objects");
        j["file_version"] = fourCharacters(file.version);
        j["extension_data_start_address"] = file.extensionDataStartAddress;
        j["movie_objects_length"] = file.movieObjectsLength;
        j["captions"] = {{"movie_objects", bdmv::objectCaptions()}};
        j["number_of_movie_objects"] = file.objects.size();
        Json objects = Json::array();
        for (size_t i = 0; i < file.objects.size(); ++i) {
            const auto& o = file.objects[i];
            Json object = Json::object();
            object["movie_object"] = i;
            object["resume"] = o.resume;
            object["menu_call"] = o.menuCall;
            object["title_search"] = o.titleSearch;
            object["number_of_commands"] = o.commands.size();
            object["cells"] = bdmv::objline(o, i);
            Json commands = Json::array();
            for (size_t c = 0; c < o.commands.size(); ++c)
                commands.push_back(commandJson(o.commands[c], c, false));
            object["commands"] = std::move(commands);
            objects.push_back(std::move(object));
        }
        j["movie_objects"] = std::move(objects);
        j["extension_data"] = extensionDataJson(file.extensionData);
        printJson(j);
    } else {
        printGrid(bdmv::objectCaptions(), bdmv::objectRows(file));
    }
    std::fflush(stdout);
    return statusOf(sink);
}

const Registration reg{{"objects", "objects PATH [--json]           the movie objects", &run}};

}  // namespace
}  // namespace mirtal::cli
