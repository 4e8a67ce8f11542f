// mirtal-cli playlist PATH NAME [--json]: reads one PlayList with the reader's log lines and
// prints the grids of the PLAYLIST tab, each under a "[Section]" line, or the model as JSON.

#include "cli/disc_access.h"
#include "cli/json.h"
#include "core/text.h"
#include "playlist/mpls_io.h"
#include "playlist/mpls_text.h"

#include <cstdio>

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

void byteArray(JsonWriter& j, std::string_view name, const std::vector<uint8_t>& bytes)
{
    j.key(name).beginArray();
    for (uint8_t b : bytes)
        j.value(unsigned{b});
    j.endArray();
}

void clipRefJson(JsonWriter& j, const TClipRef& c)
{
    j.beginObject().member("clip_name", c.clipName).member("codec_id", c.codecId).member("stc_id", c.stcId);
    j.endObject();
}

void streamFields(JsonWriter& j, const TStreamEntry& e)
{
    j.member("entry_length", e.entryLength)
        .member("entry_type", e.entryType)
        .member("main_pid", e.mainPid)
        .member("sub_pid", e.subPid)
        .member("sub_path_id", e.subPathId)
        .member("subclip_id", e.subclipId)
        .member("attributes_length", e.attributesLength)
        .member("coding_type", e.codingType)
        .member("video_format", e.videoFormat)
        .member("frame_rate", e.frameRate)
        .member("audio_format", e.audioFormat)
        .member("sample_rate", e.sampleRate)
        .member("language", e.language)
        .member("character_code", e.characterCode);
}

template <typename T>
void streamArray(JsonWriter& j, std::string_view name, const std::vector<T>& list)
{
    j.key(name).beginArray();
    for (const auto& e : list) {
        j.beginObject();
        streamFields(j, e);
        if constexpr (std::is_same_v<T, TSecAudio>) {
            j.member("number_of_primary_audio_refs", e.numberOfPrimaryAudioRefs).member("reserved", e.reserved);
            byteArray(j, "primary_audio_refs", e.primaryAudioRefs);
        } else if constexpr (std::is_same_v<T, TSecVideo>) {
            j.member("number_of_secondary_audio_refs", e.numberOfSecondaryAudioRefs).member("reserved", e.reserved);
            byteArray(j, "secondary_audio_refs", e.secondaryAudioRefs);
            j.member("number_of_pip_pg_refs", e.numberOfPipPgRefs);
            byteArray(j, "pip_pg_refs", e.pipPgRefs);
        }
        j.endObject();
    }
    j.endArray();
}

void stnJson(JsonWriter& j, const TSTN& s)
{
    j.beginObject()
        .member("length", s.length)
        .member("reserved", s.reserved)
        .member("primary_video_count", s.primaryVideoCount)
        .member("primary_audio_count", s.primaryAudioCount)
        .member("pg_count", s.pgCount)
        .member("ig_count", s.igCount)
        .member("secondary_audio_count", s.secondaryAudioCount)
        .member("secondary_video_count", s.secondaryVideoCount)
        .member("pip_pg_count", s.pipPgCount);
    streamArray(j, "primary_video", s.primaryVideo);
    streamArray(j, "primary_audio", s.primaryAudio);
    streamArray(j, "pg", s.pg);
    streamArray(j, "ig", s.ig);
    streamArray(j, "secondary_audio", s.secondaryAudio);
    streamArray(j, "secondary_video", s.secondaryVideo);
    j.endObject();
}

void playItemJson(JsonWriter& j, const TPlayItem& p)
{
    j.beginObject()
        .member("length", p.length)
        .member("clip_name", p.clipName)
        .member("codec_id", p.codecId)
        .member("multi_angle", p.multiAngle)
        .member("connection_condition", p.connectionCondition)
        .member("stc_id", p.stcId)
        .member("in_time_45k", p.inTime45k)
        .member("out_time_45k", p.outTime45k)
        .member("uo_mask_1", p.uoMask1)
        .member("uo_mask_2", p.uoMask2)
        .member("random_access_flag", p.randomAccessFlag)
        .member("still_mode", p.stillMode)
        .member("still_time", p.stillTime);
    j.key("angles")
        .beginObject()
        .member("number_of_angles", p.angles.numberOfAngles)
        .member("different_audios", p.angles.differentAudios)
        .member("seamless_angle_change", p.angles.seamlessAngleChange);
    j.key("angle_clips").beginArray();
    for (const auto& c : p.angles.angleClips)
        clipRefJson(j, c);
    j.endArray().endObject();
    j.key("stn");
    stnJson(j, p.stn);
    j.endObject();
}

void subPathJson(JsonWriter& j, const TSubPath& p)
{
    j.beginObject()
        .member("length", p.length)
        .member("reserved1", p.reserved1)
        .member("sub_path_type", p.subPathType)
        .member("repeat", p.repeat)
        .member("reserved2", p.reserved2)
        .member("number_of_sub_play_items", p.numberOfSubPlayItems);
    j.key("sub_play_items").beginArray();
    for (const auto& s : p.subPlayItems) {
        j.beginObject()
            .member("length", s.length)
            .member("clip_name", s.clipName)
            .member("codec_id", s.codecId)
            .member("connection_condition", s.connectionCondition)
            .member("multi_clip", s.multiClip)
            .member("stc_id", s.stcId)
            .member("in_time_45k", s.inTime45k)
            .member("out_time_45k", s.outTime45k)
            .member("sync_play_item_id", s.syncPlayItemId)
            .member("sync_start_pts", s.syncStartPts)
            .member("number_of_clip_entries", s.numberOfClipEntries)
            .member("reserved", s.reserved);
        j.key("clip_entries").beginArray();
        for (const auto& c : s.clipEntries)
            clipRefJson(j, c);
        j.endArray().endObject();
    }
    j.endArray().endObject();
}

void extensionDataJson(JsonWriter& j, const core::TExtensionData& x)
{
    j.beginObject()
        .member("caption", core::ExtDatCap(x))
        .member("length", x.length)
        .member("data_block_start_address", x.dataBlockStartAddress)
        .member("number_of_entries", x.numberOfEntries);
    j.key("entries").beginArray();
    for (const auto& e : x.entries)
        j.beginObject()
            .member("id1", e.id1)
            .member("id2", e.id2)
            .member("start_address", e.startAddress)
            .member("length", e.length)
            .endObject();
    j.endArray();
    j.member("data", hexBytes(x.data)).endObject();
}

std::string modelJson(const TPLmpls& m, const std::string& name)
{
    JsonWriter j;
    j.beginObject()
        .member("name", name)
        .member("type_indicator", fourCharacters(m.typeIndicator))
        .member("version", fourCharacters(m.version))
        .member("playlist_start_address", m.playListStartAddress)
        .member("playlist_mark_start_address", m.playListMarkStartAddress)
        .member("extension_data_start_address", m.extensionDataStartAddress)
        .member("reserved", hexBytes(m.reserved));
    j.key("app_info")
        .beginObject()
        .member("length", m.appInfoLength)
        .member("reserved", m.appInfoReserved)
        .member("playback_type", m.playbackType)
        .member("playback_type_name", playbackTypeName(m.playbackType))
        .member("playback_count", m.playbackCount)
        .member("uo_mask_1", m.uoMask1)
        .member("uo_mask_2", m.uoMask2)
        .member("random_access_flag", m.randomAccessFlag)
        .member("audio_mix_flag", m.audioMixFlag)
        .member("bypass_mixer_flag", m.bypassMixerFlag)
        .endObject();
    const auto& pl = m.playList;
    j.key("playlist")
        .beginObject()
        .member("length", pl.length)
        .member("reserved", pl.reserved)
        .member("number_of_play_items", pl.numberOfPlayItems)
        .member("number_of_sub_paths", pl.numberOfSubPaths);
    j.key("play_items").beginArray();
    for (const auto& p : pl.playItems)
        playItemJson(j, p);
    j.endArray();
    j.key("sub_paths").beginArray();
    for (const auto& p : pl.subPaths)
        subPathJson(j, p);
    j.endArray().endObject();
    j.key("marks").beginObject().member("length", m.marks.length).member("number_of_marks", m.marks.numberOfMarks);
    j.key("marks").beginArray();
    for (const auto& e : m.marks.marks)
        j.beginObject()
            .member("reserved", e.reserved)
            .member("mark_type", e.markType)
            .member("play_item_ref", e.playItemRef)
            .member("mark_time_45k", e.markTime45k)
            .member("entry_pid", e.entryPid)
            .member("duration_45k", e.duration45k)
            .endObject();
    j.endArray().endObject();
    j.key("extension_data");
    extensionDataJson(j, m.extensionData);
    j.endObject();
    return j.str();
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
    if (!readPlaylistFile(bdmv, name, model, report))
        return kExitFailed;
    if (args.has("--json"))
        std::printf("%s\n", modelJson(model, name).c_str());
    else
        printGrids(model);
    std::fflush(stdout);
    return statusOf(sink);
}

const Registration reg{{"playlist", "playlist PATH NAME [--json]     the grids of one PlayList (PLAYLIST tab)", &run}};

}  // namespace
}  // namespace mirtal::cli
