// mirtal-cli run PATH N: resets the registers and runs movie object N in the emulator. Its
// messages go to standard output one a line; then the PSR and GPR listings.

#include "cli/disc_access.h"
#include "core/markup.h"
#include "hdmv/emulator.h"
#include "hdmv/runner.h"

#include <cstdio>

namespace mirtal::cli {
namespace {

// The emulator's messages arrive as status texts of panel 1; they are the run's output.
class RunReporter : public StderrReporter {
public:
    void statusText(int panel, std::string_view text) override
    {
        if (panel == 1 && !text.empty())
            std::printf("%.*s\n", static_cast<int>(text.size()), text.data());
    }
};

void printListing(const std::vector<std::string>& lines)
{
    for (const auto& l : lines)
        std::printf("%s\n", core::markupToPlain(l).c_str());
}

int run(const std::vector<std::string>& raw)
{
    const Args args(raw, {"--max-steps", "--country", "--region"});
    if (!args.ok())
        return usageError(args.error());
    const auto& p = args.positional();
    const auto n = p.size() == 2 ? parseNumber(p[1]) : std::nullopt;
    if (!n || *n < 0)
        return usageError("usage: mirtal-cli run PATH N [--trace] [--max-steps K] [--country HEX] [--region A|B|C]");
    uint64_t maxSteps = 10'000'000;
    if (auto k = args.value("--max-steps")) {
        const auto v = parseNumber(*k);
        if (!v || *v <= 0)
            return usageError("--max-steps takes a positive number");
        maxSteps = static_cast<uint64_t>(*v);
    }
    uint16_t country = 0x5553;
    if (auto c = args.value("--country")) {
        const auto v = parseHex(*c);
        if (!v || *v > 0xFFFF)
            return usageError("--country takes a hexadecimal 16-bit value such as 4A50");
        country = static_cast<uint16_t>(*v);
    }
    int region = 0;
    if (auto r = args.value("--region")) {
        if (*r != "A" && *r != "B" && *r != "C")
            return usageError("--region takes A, B or C");
        region = (*r)[0] - 'A';
    }

    RunReporter sink;
    core::Report report(sink);
    bdmv::Disc disc;
    {
        // The opening's own status texts are not emulator messages.
        StderrReporter quiet;
        core::Report openReport(quiet);
        if (auto status = openForCommand(p[0], disc, quiet, openReport))
            return *status;
        if (quiet.errors() > 0 || !disc.movieObjectsLoaded)
            return kExitFailed;
    }
    if (static_cast<size_t>(*n) >= disc.movieObjects.objects.size()) {
        std::fprintf(stderr, "mirtal-cli: there is no movie object %lld (the disc has %zu)\n", *n,
                     disc.movieObjects.objects.size());
        return kExitFailed;
    }
    const auto& commands = disc.movieObjects.objects[static_cast<size_t>(*n)].commands;

    report.setActiDelayMs(0);
    hdmv::Registers regs;
    regs.ResetRegs(country, region);
    hdmv::Emulator emulator(regs, report);
    emulator.maxSteps = maxSteps;
    bool limitReached = false;
    if (args.has("--trace")) {
        // Each step: the trace line of the command about to run, then the command.
        emulator.trace = true;
        emulator.CurrentLine = 0;
        uint64_t steps = 0;
        while (emulator.CurrentLine >= 0 && static_cast<size_t>(emulator.CurrentLine) < commands.size()) {
            if (steps++ >= maxSteps) {
                report.log("Run stopped after " + std::to_string(maxSteps) + " commands: step limit reached");
                limitReached = true;
                break;
            }
            std::printf("%s\n", hdmv::traceStatusLine(commands, emulator.CurrentLine).c_str());
            const auto r = emulator.ExecComm(commands);
            if (!r.runPending)
                break;
        }
    } else {
        const auto r = hdmv::startObject(emulator, commands);
        limitReached = r.exec.stepLimitReached;
    }
    printListing(regs.psrListing());
    printListing(regs.gprListing());
    std::fflush(stdout);
    return limitReached || sink.errors() > 0 ? kExitFailed : kExitOk;
}

const Registration reg{{"run", "run PATH N [--trace] [--max-steps K] [--country HEX] [--region A|B|C]", &run}};

}  // namespace
}  // namespace mirtal::cli
