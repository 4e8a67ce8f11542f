// mirtal-cli clip PATH NAME [--json]: reads one clip information file with the clip reader's log
// lines and prints the ProgramInfo grid and the stream labels of the CLIPINF tab.

#include "cli/cli.h"
#include "cli/json.h"
#include "playlist/clpi.h"

#include <cstdio>

namespace mirtal::cli {
namespace {

std::string viewJson(const playlist::ClipInfo& v, const std::string& name, const bdmv::TAVStream& stream)
{
    JsonWriter j;
    j.beginObject().member("name", name);
    j.key("stream_file").beginObject().member("name", stream.name).member("size", stream.size).endObject();
    j.member("stream_name_label", v.streamNameLabel)
        .member("stream_size_label", v.streamSizeLabel)
        .member("ig_loader_enabled", v.igLoaderEnabled);
    j.key("program_info").beginArray();
    for (size_t i = 0; i < v.streams.size(); ++i) {
        const auto r = playlist::programInfoRow(v.streams[i], i);
        j.beginObject().member("row", r[0]).member("pid_text", r[1]).member("pid", v.streams[i].pid);
        j.member("stream_type", r[2]).member("details", r[3]).endObject();
    }
    j.endArray().endObject();
    return j.str();
}

int run(const std::vector<std::string>& raw)
{
    const Args args(raw, {});
    if (!args.ok())
        return usageError(args.error());
    if (args.positional().size() != 2)
        return usageError("usage: mirtal-cli clip PATH NAME [--json]");
    int status = 0;
    const auto arg = discFileArg(args.positional()[0], args.positional()[1], ".clpi", "clip", status);
    if (!arg)
        return status;
    const fs::path& bdmv = arg->bdmv;
    const std::string& name = arg->name;
    StderrReporter sink;
    core::Report report(sink);
    // Every clip of an opened disc has its entry in the stream file list (empty when missing).
    const auto stream = playlist::streamFileOf(bdmv, name);
    const auto view = playlist::readClipInfoFile(bdmv, name, stream, report);
    if (!view.ok)
        return kExitFailed;
    if (args.has("--json")) {
        std::printf("%s\n", viewJson(view, name, stream).c_str());
    } else {
        std::printf("[ProgramInfo]\n");
        printGrid(playlist::programInfoCaptions(), playlist::programInfoRows(view));
        std::printf("[Stream]\n%s\t%s\n", view.streamNameLabel.c_str(), view.streamSizeLabel.c_str());
    }
    std::fflush(stdout);
    return sink.errors() > 0 ? kExitFailed : kExitOk;
}

const Registration reg{{"clip", "clip PATH NAME [--json]         the ProgramInfo grid and stream of one clip (CLIPINF tab)",
                        &run}};

}  // namespace
}  // namespace mirtal::cli
