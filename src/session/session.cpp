#include "session/session.h"

#include "playlist/mpls_io.h"

#include <algorithm>

namespace mirtal::session {

bool Session::openDisc(const std::filesystem::path& bdmv)
{
    playList = LoadedPlayList{};
    clip = LoadedClip{};
    menu = ig::IgMenu{};
    return bdmv::openDisc(disc, bdmv, report);
}

bool Session::readPlayList(const std::string& name)
{
    playlist::TPLmpls model;
    if (!playlist::readPlaylistFile(disc.bdmv, name, model, report))
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

playlist::ClipInfo Session::readClip(const std::string& name)
{
    auto view = playlist::readClipInfoFile(disc.bdmv, name, streamOf(name), report);
    if (view.ok) {
        clip.name = name;
        clip.info = view;
        clip.loaded = true;
    }
    return view;
}

}  // namespace mirtal::session
