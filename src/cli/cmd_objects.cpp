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
        JsonWriter j;
        j.beginObject();
        j.member("version", fourCharacters(file.version));
        j.member("extension_data_start_address", static_cast<uint64_t>(file.extensionDataStartAddress));
        j.member("movie_objects_length", static_cast<uint64_t>(file.movieObjectsLength));
        j.member("number_of_movie_objects", static_cast<unsigned>(file.objects.size()));
        j.key("movie_objects").beginArray();
        for (const auto& o : file.objects) {
            j.beginObject();
            j.member("resume", static_cast<unsigned>(o.resume));
            j.member("menu_call", static_cast<unsigned>(o.menuCall));
            j.member("title_search", static_cast<unsigned>(o.titleSearch));
            j.member("number_of_commands", static_cast<unsigned>(o.commands.size()));
            j.key("commands").beginArray();
            for (const auto& c : o.commands) {
                j.beginObject();
                j.member("opcode", static_cast<uint64_t>(c.opcode));
                j.member("destination", static_cast<uint64_t>(c.destination));
                j.member("source", static_cast<uint64_t>(c.source));
                j.endObject();
            }
            j.endArray();
            j.endObject();
        }
        j.endArray();
        j.member("extension_data", core::ExtDatCap(file.extensionData));
        j.endObject();
        std::printf("%s\n", j.str().c_str());
    } else {
        printGrid(bdmv::objectCaptions(), bdmv::objectRows(file));
    }
    std::fflush(stdout);
    return statusOf(sink);
}

const Registration reg{{"objects", "objects PATH [--json]           the movie objects", &run}};

}  // namespace
}  // namespace mirtal::cli
