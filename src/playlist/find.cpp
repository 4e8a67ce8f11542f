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
    const std::string file = playListName + ".mpls , ";
    const auto three = [](size_t n) { return core::padded(static_cast<int64_t>(n), 3); };
    const auto& items = m.playList.playItems;
    for (size_t b = 0; b < items.size(); ++b) {
        if (items[b].clipName == clip)
            hits.push_back(file + "PlayItem " + three(b));
        const auto& angles = items[b].angles.angleClips;
        for (size_t k = 1; k < angles.size(); ++k)
            if (angles[k].clipName == clip)
                hits.push_back(file + "PlayItem " + three(b) + ", Angle " + std::to_string(k + 1));
    }
    const auto& subPaths = m.playList.subPaths;
    for (size_t j = 0; j < subPaths.size(); ++j)
        for (size_t k = 0; k < subPaths[j].subPlayItems.size(); ++k) {
            const auto& s = subPaths[j].subPlayItems[k];
            const std::string place = file + "SubPath " + three(j) + ", SubPlayItem " + three(k);
            if (s.clipName == clip)
                hits.push_back(place);
            for (size_t e = 1; e < s.clipEntries.size(); ++e)
                if (s.clipEntries[e].clipName == clip)
                    hits.push_back(place + ", Clip entry " + std::to_string(e + 1));
        }
    return hits;
}

std::vector<std::string> findClip(const std::filesystem::path& bdmv, const std::vector<std::string>& playlists,
                                  const std::string& clip, core::Report& report)
{
    std::vector<std::string> hits;
    for (const auto& name : playlists) {
        TPLmpls m;
        if (!readPlaylistFile(bdmv, name, report).into(m))
            continue;
        for (auto& h : clipHits(m, name, clip))
            hits.push_back(std::move(h));
    }
    report.log("");
    report.log("[b]" + clip + ".m2ts[/b] found in:");
    for (const auto& h : hits)
        report.log(h);
    return hits;
}

}  // namespace mirtal::playlist
