// mirtal-cli extract PATH CLIP --pid HEX [--pes] [--no-sup] [--out DIR] [--json]: saves one PID
// of a clip's stream file as an elementary stream, a PES stream or a SUP file, and prints the
// file's name (with --json, what was saved). Ctrl+C cancels as the Cancel button does: the file
// then ends with whole PES packets.

#include "bdmv/disc_path.h"
#include "cli/cli.h"
#include "cli/disc_access.h"
#include "cli/json.h"
#include "core/text.h"
#include "ig/extract.h"
#if __has_include("playlist/clpi.h")
#include "playlist/clpi.h"
#define MIRTAL_HAVE_CLPI 1
#endif

#include <csignal>
#include <cstdio>

namespace mirtal::cli {
namespace {

volatile std::sig_atomic_t g_interrupted = 0;

void onInterrupt(int)
{
    g_interrupted = 1;
}

class ExtractReporter final : public StderrReporter {
public:
    bool cancelRequested() override { return g_interrupted != 0; }
};

int run(const std::vector<std::string>& raw)
{
    const Args args(raw, {"--pid", "--out"});
    if (!args.ok())
        return usageError(args.error());
    const auto pidText = args.value("--pid");
    if (args.positional().size() != 2 || !pidText)
        return usageError("usage: mirtal-cli extract PATH CLIP --pid HEX [--pes] [--no-sup] [--out DIR] [--json]");
    const auto pid = parseHex(*pidText);
    if (!pid || *pid > 0x1FFF)
        return usageError("--pid takes a hexadecimal PID");
    int status = 0;
    const auto arg = discFileArg(args.positional()[0], args.positional()[1], ".m2ts", "clip", status);
    if (!arg)
        return status;
    const fs::path& bdmv = arg->bdmv;
    const std::string& clip = arg->name;
    const std::filesystem::path outDir = args.value("--out").value_or(".");

    ExtractReporter sink;
    core::Report report(sink);
    // The row of the ProgramInfo grid: PID, stream type, details; the kind by the stream type.
    std::array<std::string, 3> cells{core::hex(*pid, 4), "", ""};
    ig::StreamKind kind = ig::kindOfPid(static_cast<uint16_t>(*pid));
#ifdef MIRTAL_HAVE_CLPI
    {
        core::NullReporter quiet;
        core::Report silent(quiet);
        const auto info = playlist::readClipInfoFile(bdmv, clip, std::nullopt, silent).value;
        if (const auto row = playlist::programRowOfPid(info, static_cast<uint16_t>(*pid))) {
            const auto& stream = info.streams[*row];
            const auto r = playlist::programInfoRow(stream, *row);
            cells = {r[1], r[2], r[3]};
            if (stream.codingType == 0x90)
                kind = ig::StreamKind::PresentationGraphics;
            else if (stream.codingType == 0x91)
                kind = ig::StreamKind::InteractiveGraphics;
            else if (kind == ig::StreamKind::PresentationGraphics || kind == ig::StreamKind::InteractiveGraphics)
                kind = ig::StreamKind::None;
        }
    }
#endif
    const auto mode = ig::extractMode(kind, args.has("--pes"), !args.has("--no-sup"));
    const auto output = outDir / ig::extractFileName(clip, cells, kind, mode);
    ig::FileSource source(bdmv::discEntry(bdmv, "STREAM", clip + ".m2ts"));
    if (!source.ok()) {
        report.erlog("Cannot open " + clip + ".m2ts: " + source.error());
        return kExitFailed;
    }
    g_interrupted = 0;
    auto previous = std::signal(SIGINT, onInterrupt);
    const auto result = ig::extractPid(source, static_cast<uint16_t>(*pid), mode, output, report);
    std::signal(SIGINT, previous);
    if (!result.ok)
        return kExitFailed;
    if (args.has("--json")) {
        static constexpr const char* kModes[] = {"elementary", "pes", "sup"};
        Json j = jsonDocument("extract");
        j["clip"] = clip;
        j["pid"] = *pid;
        j["mode"] = kModes[static_cast<int>(mode)];
        j["output"] = output.string();
        j["packets_read"] = result.packetsRead;
        j["packets_on_pid"] = result.packetsOnPid;
        j["bytes_written"] = result.bytesWritten;
        j["cancelled"] = result.cancelled;
        printJson(j);
    } else {
        std::printf("%s\n", output.string().c_str());
    }
    std::fflush(stdout);
    return result.cancelled ? kExitFailed : statusOf(sink);
}

const Registration reg{{"extract", "extract PATH CLIP --pid HEX [--pes] [--no-sup] [--out DIR] [--json]  save one PID", &run}};

}  // namespace
}  // namespace mirtal::cli
