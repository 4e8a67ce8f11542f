#include "bdmv/disc.h"
#include "bdmv/disc_path.h"
#include "bdmv/save.h"
#include "core/files.h"
#include "support/disc_builder.h"
#include "support/recording_reporter.h"

#include <gtest/gtest.h>

#include <fstream>

using namespace mirtal;
using namespace mirtal::bdmv;
using support::DiscBuilder;
namespace fs = std::filesystem;

namespace {

DiscBuilder smallDisc()
{
    DiscBuilder b;
    b.firstPlayback({1, 0, 0, 0, {}}).topMenu({1, 0, 0, 1, {}}).title({1, 0, 0, 1, {}}).title({1, 0, 0, 0, {}});
    b.object({false, false, false, {{0x22800000, 1, 0}}}).object({false, false, false, {{0x21810000, 1, 0}}});
    return b;
}

std::vector<uint8_t> fileBytes(const fs::path& p)
{
    std::vector<uint8_t> b;
    EXPECT_TRUE(core::readWholeFile(p, b).ok) << p;
    return b;
}

}  // namespace

TEST(OpenDisc, LogsEveryCheckAndReadsTheDatabase)
{
    support::TempDir tmp("open");
    const auto bdmv = smallDisc().writeTo(tmp.path() / "Disc1");
    support::writeBytes(bdmv / "PLAYLIST" / "00001.mpls", {0});
    support::writeBytes(bdmv / "PLAYLIST" / "00000.MPLS", {0});
    for (const char* clip : {"00001", "00002", "00003"})
        support::writeBytes(bdmv / "CLIPINF" / (std::string(clip) + ".clpi"), {0});
    support::writeBytes(bdmv / "STREAM" / "00001.m2ts", std::vector<uint8_t>(192, 0x47));
    support::writeBytes(bdmv / "STREAM" / "00003.M2TS", std::vector<uint8_t>(384, 0x47));

    support::RecordingReporter rec;
    core::Report report(rec);
    Disc disc;
    ASSERT_TRUE(openDisc(disc, bdmv, report));
    EXPECT_TRUE(disc.indexLoaded);
    EXPECT_TRUE(disc.movieObjectsLoaded);
    EXPECT_TRUE(disc.canSave());
    EXPECT_EQ(disc.playlists, (std::vector<std::string>{"00000", "00001"}));
    EXPECT_EQ(disc.clips.size(), 3u);
    EXPECT_EQ(disc.streams[0], (TAVStream{"00001.m2ts", 192}));
    EXPECT_EQ(disc.streams[1], (TAVStream{}));
    EXPECT_EQ(disc.streams[2], (TAVStream{"00003.M2TS", 384}));
    EXPECT_EQ(disc.windowTitle, "Mirtal v0.21b4 [Disc1]");

    const std::vector<std::string> expected{
        "Checking required files and directories...",
        "[bl]PLAYLIST[/bl] folder: [b]OK[/b]",
        "[bl]CLIPINF[/bl] folder: [b]OK[/b]",
        "[bl]BACKUP[/bl] folder: [b]OK[/b]",
        "index.bdmv: [b]OK[/b]",
        "MovieObject.bdmv: [b]OK[/b]",
        "Reading MovieObject.bdmv",
        "  Found [b]2[/b] objects, 0 extended entry.",
        "Reading playlists",
        "  Found [b]2[/b] playlists.",
        "Reading clipinfos",
        "  Found [b]3[/b] clipinfos.",
        "Reading index.bdmv",
        "  Found [b]2[/b] titles, 0 extended entry.",
        "[bl]STREAM[/bl] folder: [b]OK[/b]",
        "  Stream 00002.m2ts [re]missing[/re]",
        "  Found [b]2[/b] AV streams, [re]missing[/re] [b]1[/b]",
        "[bl]AUXDATA[/bl] folder: [re]missing[/re]",
        "[bl]META[/bl] folder: [re]missing[/re]",
        "[bl]BDJO[/bl] folder: [re]missing[/re]",
        "[bl]JAR[/bl] folder: [re]missing[/re]",
        "",
    };
    EXPECT_EQ(rec.lines, expected);
    EXPECT_EQ(rec.panels[0], "Ready");
}

TEST(OpenDisc, WithoutABackupFolderTheCheckFails)
{
    support::TempDir tmp("nobackup");
    const auto bdmv = smallDisc().writeTo(tmp.path(), false);
    support::RecordingReporter rec;
    core::Report report(rec);
    Disc disc;
    EXPECT_FALSE(openDisc(disc, bdmv, report));
    EXPECT_TRUE(rec.hasLine("[bl]BACKUP[/bl] folder: [re]missing[/re]"));
    EXPECT_EQ(rec.lines.back(), "[b]Check failed.[/b]");
    EXPECT_FALSE(disc.canSave());
    EXPECT_TRUE(disc.movieObjects.objects.empty());
}

TEST(OpenDisc, FindsFoldersAndFilesWithoutRegardToCase)
{
    support::TempDir tmp("case");
    const fs::path bdmv = tmp.path() / "bdmv";
    for (const char* d : {"playlist", "clipinf", "backup", "bdjo"})
        fs::create_directories(bdmv / d);
    support::writeBytes(bdmv / "INDEX.BDMV", smallDisc().indexBytes());
    support::writeBytes(bdmv / "movieobject.bdmv", smallDisc().movieObjectBytes());
    support::writeBytes(bdmv / "bdjo" / "00001.bdjo", {0});
    support::RecordingReporter rec;
    core::Report report(rec);
    Disc disc;
    ASSERT_TRUE(openDisc(disc, bdmv, report));
    EXPECT_TRUE(disc.indexLoaded);
    EXPECT_EQ(disc.bdjObjects, (std::vector<std::string>{"00001"}));
    EXPECT_EQ(resolveBdmvFolder(tmp.path().string()), bdmv);
}

TEST(DiscPath, RootBdmvFolderOrAFileInside)
{
    support::TempDir tmp("path");
    const auto bdmv = smallDisc().writeTo(tmp.path() / "Movie");
    EXPECT_EQ(resolveBdmvFolder((tmp.path() / "Movie").string()), bdmv);
    EXPECT_EQ(resolveBdmvFolder(bdmv.string()), bdmv);
    EXPECT_EQ(resolveBdmvFolder(bdmv.string() + "/"), bdmv);
    EXPECT_EQ(resolveBdmvFolder((bdmv / "index.bdmv").string()), bdmv);
    EXPECT_EQ(resolveBdmvFolder((tmp.path() / "nowhere").string()), std::nullopt);

    EXPECT_EQ(chosenFolderToBdmv("/d/Disc"), fs::path("/d/Disc/BDMV"));
    EXPECT_EQ(chosenFolderToBdmv("/d/Disc/BDMV/"), fs::path("/d/Disc/BDMV"));
    EXPECT_EQ(chosenFolderToBdmv("/d/Disc/bdmv"), fs::path("/d/Disc/bdmv/BDMV"));
    EXPECT_EQ(disclabel("/d/Movies/Disc1/BDMV"), "Disc1");
}

TEST(SaveBdmv, WritesBothFilesWithBackupsAndTheBackupFolderCopy)
{
    support::TempDir tmp("save");
    const auto bdmv = smallDisc().writeTo(tmp.path());
    const auto oldIndex = fileBytes(bdmv / "index.bdmv");
    support::RecordingReporter rec;
    core::Report report(rec);
    Disc disc;
    ASSERT_TRUE(openDisc(disc, bdmv, report));
    disc.index.titles[0].movieObjectId = 0;
    ASSERT_TRUE(saveBdmv(disc, {true, core::BackupMode::OnlyFirst, true}, report));
    EXPECT_EQ(fileBytes(bdmv / "index.bdmv.backup"), oldIndex);
    EXPECT_EQ(fileBytes(bdmv / "index.bdmv"), writeIndex(disc.index));
    EXPECT_EQ(fileBytes(bdmv / "BACKUP" / "index.bdmv"), writeIndex(disc.index));
    EXPECT_EQ(fileBytes(bdmv / "BACKUP" / "MovieObject.bdmv"), fileBytes(bdmv / "MovieObject.bdmv"));
    EXPECT_TRUE(rec.hasLine("index.bdmv saved."));
    EXPECT_TRUE(rec.hasLine("MovieObject.bdmv saved."));
    EXPECT_EQ(rec.panels[0], "Ready.");
}

TEST(SaveBdmv, StopIfExistsStopsEachFileOnce)
{
    support::TempDir tmp("stop");
    const auto bdmv = smallDisc().writeTo(tmp.path());
    support::writeBytes(bdmv / "index.bdmv.backup", {1});
    support::writeBytes(bdmv / "MovieObject.bdmv.backup", {2});
    const auto index = fileBytes(bdmv / "index.bdmv");
    const auto mobj = fileBytes(bdmv / "MovieObject.bdmv");
    support::RecordingReporter rec;
    core::Report report(rec);
    Disc disc;
    ASSERT_TRUE(openDisc(disc, bdmv, report));
    rec.lines.clear();
    EXPECT_FALSE(saveBdmv(disc, {true, core::BackupMode::StopIfExists, false}, report));
    int errors = 0;
    for (const auto& l : rec.lines)
        errors += l == "[re]Cannot create backup file.[/re]";
    EXPECT_EQ(errors, 2);
    EXPECT_EQ(fileBytes(bdmv / "index.bdmv"), index);
    EXPECT_EQ(fileBytes(bdmv / "MovieObject.bdmv"), mobj);
}

TEST(SaveBdmv, AFileThatDidNotReadIsNeverWritten)
{
    support::TempDir tmp("noread");
    const auto bdmv = smallDisc().writeTo(tmp.path());
    std::vector<uint8_t> broken(40, 0x55);
    support::writeBytes(bdmv / "MovieObject.bdmv", broken);
    support::RecordingReporter rec;
    core::Report report(rec);
    Disc disc;
    ASSERT_TRUE(openDisc(disc, bdmv, report));
    EXPECT_FALSE(disc.movieObjectsLoaded);
    EXPECT_TRUE(disc.indexLoaded);
    EXPECT_FALSE(saveBdmv(disc, {false, core::BackupMode::OnlyFirst, false}, report));
    EXPECT_EQ(fileBytes(bdmv / "MovieObject.bdmv"), broken);
    EXPECT_TRUE(rec.hasLine("index.bdmv saved."));
}
