// mirtal-cli sample DIR: writes the demo disc under DIR/BDMV.

#include "cli/cli.h"
#include "support/sample_disc.h"

#include <cstdio>

namespace mirtal::cli {
namespace {

int run(const std::vector<std::string>& raw)
{
    const Args args(raw, {});
    if (!args.ok())
        return usageError(args.error());
    if (args.positional().size() != 1)
        return usageError("usage: mirtal-cli sample DIR");
    try {
        const auto bdmv = support::writeSampleDisc(args.positional()[0]);
        std::fprintf(stderr, "Demo disc written to %s\n", bdmv.string().c_str());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "mirtal-cli: cannot write the demo disc: %s\n", e.what());
        return kExitFailed;
    }
    return kExitOk;
}

const Registration reg{{"sample", "sample DIR                      write the demo disc under DIR/BDMV", &run}};

}  // namespace
}  // namespace mirtal::cli
