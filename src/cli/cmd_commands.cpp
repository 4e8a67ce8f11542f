// mirtal-cli commands PATH N [--json]: the command grid of movie object N.

#include "cli/disc_access.h"
#include "cli/json.h"
#include "hdmv/command_text.h"

#include <cstdio>

namespace mirtal::cli {
namespace {

int run(const std::vector<std::string>& raw)
{
    const Args args(raw, {});
    if (!args.ok())
        return usageError(args.error());
    const auto& p = args.positional();
    const auto n = p.size() == 2 ? parseNumber(p[1]) : std::nullopt;
    if (!n || *n < 0)
        return usageError("usage: mirtal-cli commands PATH N [--json]");
    StderrReporter sink;
    core::Report report(sink);
    bdmv::Disc disc;
    if (auto status = openForCommand(p[0], disc, sink, report))
        return *status;
    if (!disc.movieObjectsLoaded)
        return kExitFailed;
    if (static_cast<size_t>(*n) >= disc.movieObjects.objects.size()) {
        std::fprintf(stderr, "mirtal-cli: there is no movie object %lld (the disc has %zu)\n", *n,
                     disc.movieObjects.objects.size());
        return kExitFailed;
    }
    const auto& commands = disc.movieObjects.objects[static_cast<size_t>(*n)].commands;
    if (args.has("--json")) {
        Json j = jsonDocument("commands");
        j["movie_object"] = *n;
        j["captions"] = {{"commands", hdmv::commandGridCaptions()}};
        j["commands"] = commandListJson(commands);
        printJson(j);
    } else {
        printGrid(hdmv::commandGridCaptions(), hdmv::commandGridRows(commands));
    }
    std::fflush(stdout);
    return statusOf(sink);
}

const Registration reg{{"commands", "commands PATH N [--json]        the commands of movie object N", &run}};

}  // namespace
}  // namespace mirtal::cli
