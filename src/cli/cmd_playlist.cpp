// mirtal-cli playlist PATH NAME [--json]: reads one PlayList with the reader's log lines and
// prints the grids of the PLAYLIST tab, each under a "[Section]" line, or the model as JSON.

#include "cli/disc_access.h"
#include "cli/json.h"
#include "core/text.h"
#include "playlist/mpls_io.h"
#include "playlist/mpls_text.h"

#include <cstdio>
#include <map>

namespace mirtal::cli {
namespace {

using namespace playlist;

void section(const std::string& header)
{
    std::printf("[%s]\n", header.c_str());
}

void printGrids(const TPLmpls& m)
{
    section("PlayItems");
    printGrid(playItemCaptions(), playItemRows(m));
    const auto& items = m.playList.playItems;
    for (size_t i = 0; i < items.size(); ++i) {
        const std::string n = std::to_string(i);
        section("STN " + n);
        printGrid(stnCaptions(), {stnCountRow(items[i].stn)});
        for (int list = 0; list < kListCount; ++list)
            if (!streamList(items[i].stn, list).empty()) {
                section("Streams " + n + " " + std::to_string(list));
                printGrid(streamCaptions(), streamRows(items[i].stn, list));
            }
        if (items[i].multiAngle == 1) {
            section("Angles " + n);
            printGrid(angleCaptions(), angleRows(items[i]));
        }
    }
    section("SubPaths");
    printGrid(subPathCaptions(), subPathRows(m));
    const auto& subPaths = m.playList.subPaths;
    for (size_t j = 0; j < subPaths.size(); ++j) {
        if (subPaths[j].subPlayItems.empty())
            continue;
        section("SubPlayItems " + std::to_string(j));
        printGrid(subPlayItemCaptions(), subPlayItemRows(subPaths[j]));
        for (size_t k = 0; k < subPaths[j].subPlayItems.size(); ++k) {
            const auto& s = subPaths[j].subPlayItems[k];
            if (s.numberOfClipEntries == 0)
                continue;
            section("ClipEntries " + std::to_string(j) + " " + std::to_string(k));
            printGrid(clipEntryCaptions(), clipEntryRows(s));
        }
    }
    section("Marks");
    printGrid(markCaptions(), markRows(m));
    section("AppInfo");
    printGrid(appInfoCaptions(), {appInfoRow(m)});
    section("ExtensionData");
    std::printf("%s\n", core::ExtDatCap(m.extensionData).c_str());
}

std::string hexBytes(const std::vector<uint8_t>& bytes)
{
    std::string out;
    out.reserve(bytes.size() * 2);
    for (uint8_t b : bytes)
        out += core::hex(b, 2);
    return out;
}

Json clipRefJson(const TClipRef& c)
{
    return {{"clip_name", c.clipName}, {"codec_id", c.codecId}, {"stc_id", c.stcId}};
}

// The stream grid rows of one STN table by the entry they show (PG and PiP PG are two lists of
// one vector there).
using StreamCells = std::map<const TStreamEntry*, Row>;

StreamCells streamCells(const TSTN& s)
{
    StreamCells cells;
    for (int list = 0; list < kListCount; ++list) {
        const auto entries = streamList(s, list);
        for (size_t i = 0; i < entries.size(); ++i)
            cells.emplace(entries[i], streamRow(*entries[i], list, i));
    }
    return cells;
}

Json streamJson(const TStreamEntry& e, const StreamCells& cells)
{
    Json j = Json::object();
    j["entry_length"] = e.entryLength;
    j["entry_type"] = e.entryType;
    j["main_pid"] = e.mainPid;
    j["sub_pid"] = e.subPid;
    j["sub_path_id"] = e.subPathId;
    j["subclip_id"] = e.subclipId;
    j["attributes_length"] = e.attributesLength;
    j["coding_type"] = e.codingType;
    j["video_format"] = e.videoFormat;
    j["frame_rate"] = e.frameRate;
    j["audio_format"] = e.audioFormat;
    j["sample_rate"] = e.sampleRate;
    j["language"] = e.language;
    j["character_code"] = e.characterCode;
    if (const auto row = cells.find(&e); row != cells.end())
        j["cells"] = row->second;
    return j;
}

template <typename T>
Json streamArray(const std::vector<T>& list, const StreamCells& cells)
{
    Json out = Json::array();
    for (const auto& e : list) {
        Json j = streamJson(e, cells);
        if constexpr (std::is_same_v<T, TSecAudio>) {
            j["number_of_primary_audio_refs"] = e.numberOfPrimaryAudioRefs;
            j["reserved"] = e.reserved;
            j["primary_audio_refs"] = e.primaryAudioRefs;
        } else if constexpr (std::is_same_v<T, TSecVideo>) {
            j["number_of_secondary_audio_refs"] = e.numberOfSecondaryAudioRefs;
            j["reserved"] = e.reserved;
            j["secondary_audio_refs"] = e.secondaryAudioRefs;
            j["number_of_pip_pg_refs"] = e.numberOfPipPgRefs;
            j["pip_pg_refs"] = e.pipPgRefs;
        }
        out.push_back(std::move(j));
    }
    return out;
}

Json stnJson(const TSTN& s)
{
    Json j = Json::object();
    j["length"] = s.length;
    j["reserved"] = s.reserved;
    j["primary_video_count"] = s.primaryVideoCount;
    j["primary_audio_count"] = s.primaryAudioCount;
    j["pg_count"] = s.pgCount;
    j["ig_count"] = s.igCount;
    j["secondary_audio_count"] = s.secondaryAudioCount;
    j["secondary_video_count"] = s.secondaryVideoCount;
    j["pip_pg_count"] = s.pipPgCount;
    j["cells"] = stnCountRow(s);
    const auto cells = streamCells(s);
    j["primary_video"] = streamArray(s.primaryVideo, cells);
    j["primary_audio"] = streamArray(s.primaryAudio, cells);
    j["pg"] = streamArray(s.pg, cells);
    j["ig"] = streamArray(s.ig, cells);
    j["secondary_audio"] = streamArray(s.secondaryAudio, cells);
    j["secondary_video"] = streamArray(s.secondaryVideo, cells);
    return j;
}

Json playItemJson(const TPlayItem& p, size_t i)
{
    Json j = Json::object();
    j["length"] = p.length;
    j["clip_name"] = p.clipName;
    j["codec_id"] = p.codecId;
    j["multi_angle"] = p.multiAngle;
    j["connection_condition"] = p.connectionCondition;
    j["stc_id"] = p.stcId;
    j["in_time_45k"] = p.inTime45k;
    j["out_time_45k"] = p.outTime45k;
    j["uo_mask_1"] = p.uoMask1;
    j["uo_mask_2"] = p.uoMask2;
    j["random_access_flag"] = p.randomAccessFlag;
    j["still_mode"] = p.stillMode;
    j["still_time"] = p.stillTime;
    j["cells"] = playItemRow(p, i);
    Json angles = Json::object();
    angles["number_of_angles"] = p.angles.numberOfAngles;
    angles["different_audios"] = p.angles.differentAudios;
    angles["seamless_angle_change"] = p.angles.seamlessAngleChange;
    const auto rows = angleRows(p);
    Json clips = Json::array();
    for (size_t k = 0; k < p.angles.angleClips.size(); ++k) {
        Json c = clipRefJson(p.angles.angleClips[k]);
        if (k < rows.size())
            c["cells"] = rows[k];
        clips.push_back(std::move(c));
    }
    angles["angle_clips"] = std::move(clips);
    j["angles"] = std::move(angles);
    j["stn"] = stnJson(p.stn);
    return j;
}

Json subPlayItemJson(const TSubPlayItem& s, size_t k)
{
    Json j = Json::object();
    j["length"] = s.length;
    j["clip_name"] = s.clipName;
    j["codec_id"] = s.codecId;
    j["connection_condition"] = s.connectionCondition;
    j["multi_clip"] = s.multiClip;
    j["stc_id"] = s.stcId;
    j["in_time_45k"] = s.inTime45k;
    j["out_time_45k"] = s.outTime45k;
    j["sync_play_item_id"] = s.syncPlayItemId;
    j["sync_start_pts"] = s.syncStartPts;
    j["number_of_clip_entries"] = s.numberOfClipEntries;
    j["reserved"] = s.reserved;
    j["cells"] = subPlayItemRow(s, k);
    const auto rows = clipEntryRows(s);
    Json entries = Json::array();
    for (size_t e = 0; e < s.clipEntries.size(); ++e) {
        Json c = clipRefJson(s.clipEntries[e]);
        if (e < rows.size())
            c["cells"] = rows[e];
        entries.push_back(std::move(c));
    }
    j["clip_entries"] = std::move(entries);
    return j;
}

Json subPathJson(const TSubPath& p, size_t i)
{
    Json j = Json::object();
    j["length"] = p.length;
    j["reserved1"] = p.reserved1;
    j["sub_path_type"] = p.subPathType;
    j["repeat"] = p.repeat;
    j["reserved2"] = p.reserved2;
    j["number_of_sub_play_items"] = p.numberOfSubPlayItems;
    j["cells"] = subPathRow(p, i);
    Json items = Json::array();
    for (size_t k = 0; k < p.subPlayItems.size(); ++k)
        items.push_back(subPlayItemJson(p.subPlayItems[k], k));
    j["sub_play_items"] = std::move(items);
    return j;
}

Json modelJson(const TPLmpls& m, const std::string& name)
{
    Json j = jsonDocument("playlist");
    j["name"] = name;
    j["type_indicator"] = fourCharacters(m.typeIndicator);
    j["file_version"] = fourCharacters(m.version);
    j["playlist_start_address"] = m.playListStartAddress;
    j["playlist_mark_start_address"] = m.playListMarkStartAddress;
    j["extension_data_start_address"] = m.extensionDataStartAddress;
    j["reserved"] = hexBytes(m.reserved);
    j["captions"] = {{"play_items", playItemCaptions()},   {"stn", stnCaptions()},
                     {"streams", streamCaptions()},        {"angle_clips", angleCaptions()},
                     {"sub_paths", subPathCaptions()},     {"sub_play_items", subPlayItemCaptions()},
                     {"clip_entries", clipEntryCaptions()}, {"marks", markCaptions()},
                     {"app_info", appInfoCaptions()}};
    Json app = Json::object();
    app["length"] = m.appInfoLength;
    app["reserved"] = m.appInfoReserved;
    app["playback_type"] = m.playbackType;
    app["playback_type_name"] = playbackTypeName(m.playbackType);
    app["playback_count"] = m.playbackCount;
    app["uo_mask_1"] = m.uoMask1;
    app["uo_mask_2"] = m.uoMask2;
    app["random_access_flag"] = m.randomAccessFlag;
    app["audio_mix_flag"] = m.audioMixFlag;
    app["bypass_mixer_flag"] = m.bypassMixerFlag;
    app["cells"] = appInfoRow(m);
    j["app_info"] = std::move(app);
    const auto& pl = m.playList;
    Json playList = Json::object();
    playList["length"] = pl.length;
    playList["reserved"] = pl.reserved;
    playList["number_of_play_items"] = pl.numberOfPlayItems;
    playList["number_of_sub_paths"] = pl.numberOfSubPaths;
    Json items = Json::array();
    for (size_t i = 0; i < pl.playItems.size(); ++i)
        items.push_back(playItemJson(pl.playItems[i], i));
    playList["play_items"] = std::move(items);
    Json subPaths = Json::array();
    for (size_t i = 0; i < pl.subPaths.size(); ++i)
        subPaths.push_back(subPathJson(pl.subPaths[i], i));
    playList["sub_paths"] = std::move(subPaths);
    j["playlist"] = std::move(playList);
    Json marks = Json::array();
    for (size_t i = 0; i < m.marks.marks.size(); ++i) {
        const auto& e = m.marks.marks[i];
        marks.push_back({{"reserved", e.reserved},
                         {"mark_type", e.markType},
                         {"play_item_ref", e.playItemRef},
                         {"mark_time_45k", e.markTime45k},
                         {"entry_pid", e.entryPid},
                         {"duration_45k", e.duration45k},
                         {"cells", markRow(e, i)}});
    }
    j["marks"] = {{"length", m.marks.length}, {"number_of_marks", m.marks.numberOfMarks}, {"marks", std::move(marks)}};
    j["extension_data"] = extensionDataJson(m.extensionData);
    return j;
}

int run(const std::vector<std::string>& raw)
{
    const Args args(raw, {});
    if (!args.ok())
        return usageError(args.error());
    if (args.positional().size() != 2)
        return usageError("usage: mirtal-cli playlist PATH NAME [--json]");
    int status = 0;
    const auto arg = discFileArg(args.positional()[0], args.positional()[1], ".mpls", "PlayList", status);
    if (!arg)
        return status;
    const fs::path& bdmv = arg->bdmv;
    const std::string& name = arg->name;
    StderrReporter sink;
    core::Report report(sink);
    TPLmpls model;
    if (!readPlaylistFile(bdmv, name, report).into(model))
        return kExitFailed;
    if (args.has("--json"))
        printJson(modelJson(model, name));
    else
        printGrids(model);
    std::fflush(stdout);
    return statusOf(sink);
}

const Registration reg{{"playlist", "playlist PATH NAME [--json]     the grids of one PlayList (PLAYLIST tab)", &run}};

}  // namespace
}  // namespace mirtal::cli
