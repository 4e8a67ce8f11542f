// The ProgramInfo grid of the CLIPINF tab, made from the streams the clip reader keeps.

#include "core/text.h"
#include "playlist/clpi.h"
#include "playlist/vocabulary.h"

namespace mirtal::playlist {

namespace {

std::string details(const ProgramStream& s)
{
    if (isVideoCoding(s.codingType))
        return videoFormatName(s.videoFormat) + ", " + frameRateName(s.frameRate) + ", " +
               (s.aspectRatio == 2 ? "4:3" : "16:9");
    if (isAudioCoding(s.codingType))
        return audioFormatName(s.audioFormat) + ", " + sampleRateName(s.sampleRate) + ", " + s.language;
    if (s.codingType == 0x90 || s.codingType == 0x91)
        return s.language;
    if (s.codingType == 0x92)
        return std::to_string(s.characterCode) + ", " + s.language;
    return "";
}

}  // namespace

ProgramInfoRow programInfoCaptions()
{
    return {"", "PID", "Stream type", "Details"};
}

ProgramInfoRow programInfoRow(const ProgramStream& s, size_t i)
{
    return {std::to_string(i + 1), core::hex(s.pid, 4), codingTypeName(s.codingType), details(s)};
}

std::vector<ProgramInfoRow> programInfoRows(const ClipInfo& clip)
{
    std::vector<ProgramInfoRow> rows;
    rows.reserve(clip.streams.size());
    for (size_t i = 0; i < clip.streams.size(); ++i)
        rows.push_back(programInfoRow(clip.streams[i], i));
    return rows;
}

std::optional<size_t> programRowOfPid(const ClipInfo& clip, uint16_t pid)
{
    for (size_t i = 0; i < clip.streams.size(); ++i)
        if (clip.streams[i].pid == pid)
            return i;
    return std::nullopt;
}

bool igLoaderEnabledForPid(uint16_t pid, int64_t streamSize)
{
    return streamSize > 0 && (pid >> 8) == 0x14;
}

bool igLoaderEnabledForRow(const std::string& pidText, int64_t streamSize)
{
    return streamSize > 0 && (core::hexToNumber(pidText) >> 8) == 0x14;
}

ProgramRowAction programStreamDoubleClick(uint16_t pid, int64_t streamSize)
{
    if (pid == 0x1400)
        return ProgramRowAction::LoadMenu;
    return streamSize > 0 ? ProgramRowAction::OpenStream : ProgramRowAction::None;
}

ProgramRowAction programRowDoubleClick(const std::string& pidText, int64_t streamSize)
{
    if (pidText == "1400")
        return ProgramRowAction::LoadMenu;
    return streamSize > 0 ? ProgramRowAction::OpenStream : ProgramRowAction::None;
}

}  // namespace mirtal::playlist
