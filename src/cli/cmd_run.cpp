// mirtal-cli run PATH N [--json]: resets the registers and runs movie object N in the emulator.
// Its messages go to standard output one a line; then the PSR and GPR listings.

#include "cli/disc_access.h"
#include "cli/json.h"
#include "core/markup.h"
#include "hdmv/emulator.h"
#include "hdmv/runner.h"

#include <cstdio>
#include <optional>

namespace mirtal::cli {
namespace {

std::vector<std::string> plainLines(const std::vector<std::string>& lines)
{
    std::vector<std::string> out;
    out.reserve(lines.size());
    for (const auto& l : lines)
        out.push_back(core::markupToPlain(l));
    return out;
}

void printLines(const std::vector<std::string>& lines)
{
    for (const auto& l : lines)
        std::printf("%s\n", l.c_str());
}

// The registers the listings show: PSR 0-20 always, the others and the GPRs when not 0.
Json registersJson(const uint32_t* regs, size_t count, size_t alwaysShown)
{
    Json out = Json::array();
    for (size_t n = 0; n < count; ++n)
        if (n < alwaysShown || regs[n] != 0)
            out.push_back({{"number", n}, {"value", regs[n]}});
    return out;
}

int run(const std::vector<std::string>& raw)
{
    const Args args(raw, {"--max-steps", "--country", "--region"});
    if (!args.ok())
        return usageError(args.error());
    const auto& p = args.positional();
    const auto n = p.size() == 2 ? parseNumber(p[1]) : std::nullopt;
    if (!n || *n < 0)
        return usageError("usage: mirtal-cli run PATH N [--trace] [--max-steps K] [--country HEX] [--region A|B|C] [--json]");
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

    const bool json = args.has("--json");
    const bool trace = args.has("--trace");
    // The emulator's messages arrive as status texts of panel 1; they are the run's output. In a
    // --json document they are the "messages" array, or with --trace the messages of each step.
    AnswerReporter sink;
    sink.answering = true;
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

    std::optional<JsonArrayStream> stream;
    std::vector<std::string> stepMessages;
    if (json) {
        Json head = jsonDocument("run");
        head["movie_object"] = *n;
        head["country_code"] = country;
        head["region"] = std::string(1, static_cast<char>('A' + region));
        head["max_steps"] = maxSteps;
        head["trace"] = trace;
        stream.emplace(head, trace ? "steps" : "messages");
        if (trace)
            sink.onLine = [&](std::string_view line) { stepMessages.emplace_back(line); };
        else
            sink.onLine = [&](std::string_view line) { stream->push(Json(std::string(line))); };
    }

    report.setActiDelayMs(0);
    hdmv::Registers regs;
    regs.ResetRegs(country, region);
    hdmv::Emulator emulator(regs, report);
    emulator.maxSteps = maxSteps;
    bool limitReached = false;
    if (trace) {
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
            const auto line = static_cast<size_t>(emulator.CurrentLine);
            const std::string traceLine = hdmv::traceStatusLine(commands, emulator.CurrentLine);
            if (!json)
                std::printf("%s\n", traceLine.c_str());
            const auto r = emulator.ExecComm(commands);
            if (json) {
                Json step = Json::object();
                step["line"] = line;
                step.update(commandJson(commands[line], line, false));
                step["text"] = traceLine;
                step["messages"] = std::move(stepMessages);
                stepMessages.clear();
                stream->push(step);
            }
            if (!r.runPending)
                break;
        }
    } else {
        const auto r = hdmv::startObject(emulator, commands);
        limitReached = r.exec.stepLimitReached;
    }
    const auto psrLines = plainLines(regs.psrListing());
    const auto gprLines = plainLines(regs.gprListing());
    if (json) {
        Json tail = Json::object();
        tail["step_limit_reached"] = limitReached;
        tail["psr"] = registersJson(regs.psr.data(), regs.psr.size(), 21);
        tail["gpr"] = registersJson(regs.gpr.data(), regs.gpr.size(), 0);
        tail["psr_listing"] = psrLines;
        tail["gpr_listing"] = gprLines;
        stream->finish(tail);
    } else {
        printLines(psrLines);
        printLines(gprLines);
    }
    std::fflush(stdout);
    return limitReached || sink.errors() > 0 ? kExitFailed : kExitOk;
}

const Registration reg{{"run", "run PATH N [--trace] [--max-steps K] [--country HEX] [--region A|B|C] [--json]", &run}};

}  // namespace
}  // namespace mirtal::cli
