#include "playlist/find.h"
#include "playlist/mpls_io.h"

#include "core/text.h"

namespace mirtal::playlist {

namespace {

bool playsPlayListImmediately(uint32_t opcode)
{
    switch (opcode) {
    case 0x22800000:    // Play PL
    case 0x42810000:    // Play PL_PI
    case 0x42C10000:
    case 0x42820000:    // Play PL_MK
    case 0x42C20000: return true;
    default: return false;
    }
}

}  // namespace

std::vector<std::string> findPlayList(const bdmv::TMovieObjectFile& objects, const std::string& name,
                                      core::Report& report)
{
    const auto p = static_cast<uint32_t>(core::textToInteger(name));
    std::vector<std::string> hits;
    for (size_t i = 0; i < objects.objects.size(); ++i) {
        const auto& commands = objects.objects[i].commands;
        for (size_t j = 0; j < commands.size(); ++j)
            if (playsPlayListImmediately(commands[j].opcode) && commands[j].destination == p)
                hits.push_back("Object " + core::padded(static_cast<int64_t>(i), 4) + ", Command line " +
                               core::padded(static_cast<int64_t>(j), 4));
    }
    report.log("");
    report.log("PlayList [b]" + name + "[/b] found in:");
    for (const auto& h : hits)
        report.log(h);
    return hits;
}

std::vector<std::string> clipHits(const TPLmpls& m, const std::string& playListName, const std::string& clip)
{
    std::vector<std::string> hits;
    const auto& items = m.playList.playItems;
    for (size_t b = 0; b < items.size(); ++b)
        if (items[b].clipName == clip)
            hits.push_back(playListName + ".mpls , PlayItem " + core::padded(static_cast<int64_t>(b), 3));
    const auto& subPaths = m.playList.subPaths;
    for (size_t j = 0; j < subPaths.size(); ++j)
        for (size_t k = 0; k < subPaths[j].subPlayItems.size(); ++k)
            if (subPaths[j].subPlayItems[k].clipName == clip)
                hits.push_back(playListName + ".mpls , SubPath " + core::padded(static_cast<int64_t>(j), 3) +
                               ", SubPlayItem " + core::padded(static_cast<int64_t>(k), 3));
    return hits;
}

std::vector<std::string> findClip(const std::filesystem::path& bdmv, const std::vector<std::string>& playlists,
                                  const std::string& clip, core::Report& report,
                                  const std::optional<std::string>& current, TPLmpls* model)
{
    std::vector<std::string> hits;
    for (const auto& name : playlists) {
        TPLmpls m;
        if (!readPlaylistFile(bdmv, name, m, report))
            continue;
        for (auto& h : clipHits(m, name, clip))
            hits.push_back(std::move(h));
    }
    if (current && model)
        (void)readPlaylistFile(bdmv, *current, *model, report);
    report.log("");
    report.log("[b]" + clip + ".m2ts[/b] found in:");
    for (const auto& h : hits)
        report.log(h);
    return hits;
}

}  // namespace mirtal::playlist
