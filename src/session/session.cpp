#include "session/session.h"

#include "bdmv/disc_path.h"
#include "playlist/mpls_io.h"
#include "ig/ts_reader.h"

#include <algorithm>

namespace mirtal::session {

bool Session::openDisc(const std::filesystem::path& bdmv)
{
    playList = LoadedPlayList{};
    clip = LoadedClip{};
    menu = ig::IgMenu{};
    menuPage.reset();
    return bdmv::openDisc(disc, bdmv, report);
}

bool Session::readPlayList(const std::string& name)
{
    playlist::TPLmpls model;
    if (!playlist::readPlaylistFile(disc.bdmv, name, report).into(model))
        return false;
    playList.name = name;
    playList.model = std::move(model);
    playList.loaded = true;
    playList.edited = false;
    return true;
}

core::SaveOutcome Session::savePlayList(const core::BackupOptions& options)
{
    const auto outcome = playlist::plsave(disc.bdmv, playList.name, playList.model, options, report);
    if (outcome == core::SaveOutcome::Saved)
        playList.edited = false;
    return outcome;
}

std::optional<bdmv::TAVStream> Session::streamOf(const std::string& name) const
{
    const auto it = std::find(disc.clips.begin(), disc.clips.end(), name);
    if (it == disc.clips.end())
        return std::nullopt;
    const auto i = static_cast<size_t>(it - disc.clips.begin());
    if (i >= disc.streams.size())
        return bdmv::TAVStream{};
    return disc.streams[i];
}

playlist::ClipInfoRead Session::readClip(const std::string& name)
{
    auto read = playlist::readClipInfoFile(disc.bdmv, name, streamOf(name), report);
    if (read.ok()) {
        clip.name = name;
        clip.info = read.value;
        clip.loaded = true;
    }
    return read;
}

core::ReadStatus Session::loadMenu(const std::string& name, uint16_t pid)
{
    const auto stream = streamOf(name);
    const std::string fileName = stream && !stream->name.empty() ? stream->name : name + ".m2ts";
    const int64_t recordedSize = stream ? stream->size : 0;
    ig::LoadResult result;
    if (pid < 0x1400 || pid > 0x14FF || recordedSize <= 0) {
        // "Not an IGS", said by the loader, without opening anything.
        ig::MemorySource none({});
        result = ig::loadIG(none, pid, recordedSize, fileName, report);
    } else {
        ig::FileSource source(bdmv::discEntry(disc.bdmv, "STREAM", fileName));
        if (!source.ok()) {
            report.erlog("Cannot open " + fileName + ": " + source.error());
            result.status = core::ReadStatus::FileError;
        } else {
            result = ig::loadIG(source, pid, recordedSize, fileName, report);
        }
    }
    if (result.status == core::ReadStatus::Cancelled)
        return result.status;
    menu = result.ok() ? std::move(result.value) : ig::IgMenu{};
    menuPage.reset();
    return result.status;
}

}  // namespace mirtal::session
