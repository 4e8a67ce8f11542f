// mirtal-cli open PATH: the folder opening sequence with its log lines.

#include "cli/disc_access.h"

namespace mirtal::cli {
namespace {

int run(const std::vector<std::string>& raw)
{
    const Args args(raw, {});
    if (!args.ok())
        return usageError(args.error());
    if (args.positional().size() != 1)
        return usageError("usage: mirtal-cli open PATH");
    StderrReporter sink;
    core::Report report(sink);
    bdmv::Disc disc;
    if (auto status = openForCommand(args.positional()[0], disc, sink, report))
        return *status;
    return statusOf(sink);
}

const Registration reg{{"open", "open PATH                       check and read a BDMV folder", &run}};

}  // namespace
}  // namespace mirtal::cli
