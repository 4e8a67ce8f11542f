// mirtal-cli clip PATH NAME [--json]: reads one clip information file with the clip reader's log
// lines and prints the ProgramInfo grid and the stream labels of the CLIPINF tab.

#include "cli/cli.h"
#include "cli/json.h"
#include "playlist/clpi.h"

#include <cstdio>

namespace mirtal::cli {
namespace {

Json viewJson(const playlist::ClipInfo& v, const std::string& name, const bdmv::TAVStream& stream)
{
    Json j = jsonDocument("clip");
    j["name"] = name;
    j["stream_file"] = {{"name", stream.name}, {"size", stream.size}};
    j["stream_name_label"] = v.streamNameLabel;
    j["stream_size_label"] = v.streamSizeLabel;
    j["ig_loader_enabled"] = v.igLoaderEnabled;
    j["captions"] = {{"program_info", playlist::programInfoCaptions()}};
    Json streams = Json::array();
    for (size_t i = 0; i < v.streams.size(); ++i) {
        const auto& s = v.streams[i];
        Json e = Json::object();
        e["pid"] = s.pid;
        e["coding_type"] = s.codingType;
        e["video_format"] = s.videoFormat;
        e["frame_rate"] = s.frameRate;
        e["aspect_ratio"] = s.aspectRatio;
        e["audio_format"] = s.audioFormat;
        e["sample_rate"] = s.sampleRate;
        e["character_code"] = s.characterCode;
        e["language"] = s.language;
        e["cells"] = playlist::programInfoRow(s, i);
        streams.push_back(std::move(e));
    }
    j["program_info"] = std::move(streams);
    return j;
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
    const auto read = playlist::readClipInfoFile(bdmv, name, stream, report);
    const auto& view = read.value;
    if (!read.ok())
        return kExitFailed;
    if (args.has("--json")) {
        printJson(viewJson(view, name, stream));
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
