#include "bdmv/disc.h"

#include "bdmv/disc_path.h"
#include "core/files.h"
#include "core/text.h"

namespace mirtal::bdmv {

namespace {

struct Checker {
    const fs::path& bdmv;
    core::Report& report;
    bool result = true;

    void dir(const std::string& name)
    {
        std::error_code ec;
        if (fs::is_directory(discEntry(bdmv, name), ec)) {
            report.log("[bl]" + name + "[/bl] folder: [b]OK[/b]");
        } else {
            report.log("[bl]" + name + "[/bl] folder: [re]missing[/re]");
            result = false;
        }
    }
    void file(const std::string& name)
    {
        std::error_code ec;
        if (fs::is_regular_file(discEntry(bdmv, name), ec)) {
            report.log(name + ": [b]OK[/b]");
        } else {
            report.log(name + ": [re]missing[/re]");
            result = false;
        }
    }
};

std::vector<std::string> listNames(const fs::path& dir, const std::string& ext, core::Report& report)
{
    std::vector<std::string> names;
    for (const auto& file : core::listFilesNoCase(dir, ext)) {
        names.push_back(core::withoutExtension(file));
        report.slog("Checking " + file, 1);
    }
    return names;
}

// A file that cannot be read ends its part of the opening with an error line naming it.
bool readFile(const fs::path& path, std::vector<uint8_t>& bytes, core::Report& report)
{
    if (auto r = core::readWholeFile(path, bytes); !r.ok) {
        report.erlog(r.error);
        return false;
    }
    return true;
}

void readAll(Disc& disc, core::Report& report)
{
    std::vector<uint8_t> bytes;
    if (readFile(discEntry(disc.bdmv, "MovieObject.bdmv"), bytes, report)) {
        auto m = readMovieObjects(bytes, report);
        disc.movieObjects = std::move(m.value);
        disc.movieObjectsLoaded = m.ok();
        if (!m.ok())
            disc.movieObjects.objects.clear();
    }

    report.log("Reading playlists");
    report.slog("Reading...", 0);
    disc.playlists = listNames(discEntry(disc.bdmv, "PLAYLIST"), ".mpls", report);
    report.log("  Found [b]" + std::to_string(disc.playlists.size()) + "[/b] playlists.");

    report.log("Reading clipinfos");
    report.slog("Reading...", 0);
    disc.clips = listNames(discEntry(disc.bdmv, "CLIPINF"), ".clpi", report);
    report.log("  Found [b]" + std::to_string(disc.clips.size()) + "[/b] clipinfos.");

    disc.bdjObjects.clear();
    std::error_code ec;
    if (const fs::path bdjo = discEntry(disc.bdmv, "BDJO"); fs::is_directory(bdjo, ec))
        disc.bdjObjects = listNames(bdjo, "", report);

    if (readFile(discEntry(disc.bdmv, "index.bdmv"), bytes, report)) {
        auto r = readIndex(bytes, report);
        disc.index = std::move(r.value);
        disc.indexLoaded = r.ok();
    }
}

void checkStreams(Disc& disc, core::Report& report)
{
    const fs::path streamDir = discEntry(disc.bdmv, "STREAM");
    size_t found = 0;
    disc.streams.assign(disc.clips.size(), TAVStream{});
    for (size_t i = 0; i < disc.clips.size(); ++i) {
        const std::string name = disc.clips[i] + ".m2ts";
        std::error_code ec;
        auto path = core::findNoCase(streamDir, name);
        if (path && fs::is_regular_file(*path, ec)) {
            const auto size = fs::file_size(*path, ec);
            disc.streams[i] = TAVStream{path->filename().string(), ec ? 0 : static_cast<int64_t>(size)};
            ++found;
        } else {
            report.log("  Stream " + name + " [re]missing[/re]");
        }
    }
    std::string line = "  Found [b]" + std::to_string(found) + "[/b] AV streams";
    if (found < disc.clips.size())
        line += ", [re]missing[/re] [b]" + std::to_string(disc.clips.size() - found) + "[/b]";
    report.log(line);
}

}  // namespace

bool openDisc(Disc& disc, const fs::path& bdmvFolder, core::Report& report)
{
    disc = Disc{};
    disc.bdmv = bdmvFolder;
    report.log("Checking required files and directories...");
    Checker check{disc.bdmv, report};
    check.dir("PLAYLIST");
    check.dir("CLIPINF");
    check.dir("BACKUP");
    check.file("index.bdmv");
    check.file("MovieObject.bdmv");
    if (!check.result) {
        report.log("[b]Check failed.[/b]");
        return false;
    }
    disc.checksPassed = true;
    report.slog("", 1);
    readAll(disc, report);
    disc.windowTitle = windowTitleFor(disc.bdmv);

    Checker info{disc.bdmv, report};
    info.dir("STREAM");
    checkStreams(disc, report);
    for (const char* name : {"AUXDATA", "META", "BDJO", "JAR"})
        info.dir(name);
    report.log("");
    report.slog("Ready", 0);
    return true;
}

std::string disclabel(const fs::path& bdmvFolder)
{
    fs::path p = bdmvFolder.lexically_normal();
    if (!p.has_filename())
        p = p.parent_path();
    const fs::path disc = p.parent_path();
    if (!disc.empty()) {
        if (std::string label = core::volumeLabel(disc); !label.empty())
            return label;
    }
    return disc.filename().string();
}

std::string windowTitleFor(const fs::path& bdmvFolder)
{
    return std::string("Mirtal v") + kVersionText + " [" + disclabel(bdmvFolder) + "]";
}

fs::path chosenFolderToBdmv(const fs::path& chosen)
{
    fs::path p = chosen.lexically_normal();
    if (!p.has_filename())
        p = p.parent_path();
    if (p.filename() == "BDMV")
        return p;
    return p / "BDMV";
}

}  // namespace mirtal::bdmv
