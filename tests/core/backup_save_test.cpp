#include "core/backup_save.h"
#include "core/files.h"
#include "support/recording_reporter.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace mirtal::core;
namespace fs = std::filesystem;

namespace {

class BackupSaveTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir = fs::temp_directory_path() / ("mirtal-save-" + std::to_string(::getpid()) + "-" +
                                           ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
        file = dir / "index.bdmv";
        put(file, "v0");
    }
    void TearDown() override
    {
        std::error_code ec;
        fs::permissions(dir, fs::perms::owner_all, ec);
        fs::remove_all(dir);
    }
    static void put(const fs::path& p, const std::string& s) { std::ofstream(p, std::ios::binary) << s; }
    static std::string get(const fs::path& p)
    {
        std::vector<uint8_t> b;
        if (!readWholeFile(p, b).ok)
            return "<missing>";
        return std::string(b.begin(), b.end());
    }
    SaveOutcome save(const std::string& text, BackupOptions options)
    {
        return saveWithBackup(file, std::vector<uint8_t>(text.begin(), text.end()), options, report);
    }
    fs::path backup() const { return fs::path(file.string() + ".backup"); }
    size_t filesInDir() const { return static_cast<size_t>(std::distance(fs::directory_iterator(dir), fs::directory_iterator())); }

    fs::path dir, file;
    mirtal::support::RecordingReporter rec;
    Report report{rec};
};

}  // namespace

TEST_F(BackupSaveTest, OnlyFirstKeepsTheFirstBackupEverMade)
{
    for (const char* v : {"v1", "v2", "v3"})
        EXPECT_EQ(save(v, {true, BackupMode::OnlyFirst, false}), SaveOutcome::Saved);
    EXPECT_EQ(get(file), "v3");
    EXPECT_EQ(get(backup()), "v0");
    EXPECT_EQ(rec.lines.front(), "Saving index.bdmv");
    EXPECT_EQ(filesInDir(), 2u);    // no temporary file is left behind
}

TEST_F(BackupSaveTest, OverwriteKeepsThePreviousVersion)
{
    EXPECT_EQ(save("v1", {true, BackupMode::Overwrite, false}), SaveOutcome::Saved);
    EXPECT_EQ(save("v2", {true, BackupMode::Overwrite, false}), SaveOutcome::Saved);
    EXPECT_EQ(get(backup()), "v1");
    EXPECT_EQ(get(file), "v2");
}

TEST_F(BackupSaveTest, OverwriteKeepsTheOldBackupWhenTheFileCannotBeMoved)
{
    EXPECT_EQ(save("v1", {true, BackupMode::Overwrite, false}), SaveOutcome::Saved);
    // An immutable file cannot be renamed, not even by root.
    const std::string name = file.string();
    if (std::system(("chattr +i '" + name + "' 2>/dev/null").c_str()) != 0)
        GTEST_SKIP() << "chattr +i is not available on " << dir << "; the rename cannot be made to fail";
    const auto outcome = save("v2", {true, BackupMode::Overwrite, false});
    (void)std::system(("chattr -i '" + name + "'").c_str());
    EXPECT_EQ(outcome, SaveOutcome::BackupFailed);
    EXPECT_EQ(get(backup()), "v0");
    EXPECT_EQ(get(file), "v1");
    EXPECT_EQ(filesInDir(), 2u);
}

TEST_F(BackupSaveTest, StopIfExistsRefusesAndLeavesBothFiles)
{
    put(backup(), "old");
    EXPECT_EQ(save("v1", {true, BackupMode::StopIfExists, false}), SaveOutcome::BackupFailed);
    EXPECT_TRUE(rec.hasLine("[re]Cannot create backup file.[/re]"));
    EXPECT_TRUE(report.errorFlag());
    EXPECT_EQ(get(file), "v0");
    EXPECT_EQ(get(backup()), "old");
    EXPECT_EQ(filesInDir(), 2u);

    fs::remove(backup());
    EXPECT_EQ(save("v1", {true, BackupMode::StopIfExists, false}), SaveOutcome::Saved);
    EXPECT_FALSE(report.errorFlag());    // each save starts with a clear flag
    EXPECT_EQ(get(backup()), "v0");
}

TEST_F(BackupSaveTest, WithoutBackupsOnlyTheFileChanges)
{
    EXPECT_EQ(save("v1", {false, BackupMode::StopIfExists, false}), SaveOutcome::Saved);
    EXPECT_EQ(get(file), "v1");
    EXPECT_FALSE(fs::exists(backup()));
}

TEST_F(BackupSaveTest, AWriteThatFailsPartWayLeavesTheFileAsItWas)
{
    // A file-size limit makes the write fail after its first bytes, as a full disk does.
    struct rlimit old {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = old;
    small.rlim_cur = 4096;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const std::string big(100000, 'x');
    const auto outcome = save(big, {true, BackupMode::Overwrite, false});
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_EQ(outcome, SaveOutcome::WriteFailed);
    EXPECT_TRUE(report.errorFlag());
    EXPECT_EQ(get(file), "v0");
    EXPECT_FALSE(fs::exists(backup()));
    EXPECT_EQ(filesInDir(), 1u);    // the partial temporary file is gone
}

TEST_F(BackupSaveTest, AFileThatCannotBeCreatedLeavesEverythingAsItWas)
{
    // A name at the length limit leaves no room for the temporary name beside it.
    file = dir / std::string(250, 'n');
    put(file, "v0");
    EXPECT_EQ(save("v1", {true, BackupMode::OnlyFirst, false}), SaveOutcome::WriteFailed);
    EXPECT_EQ(get(file), "v0");
    EXPECT_EQ(filesInDir(), 2u);    // index.bdmv and the long one
}

TEST(Files, FindsDiscEntriesWithoutRegardToCase)
{
    const fs::path dir = fs::temp_directory_path() / ("mirtal-case-" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir / "playlist");
    std::ofstream(dir / "playlist" / "00001.MPLS") << "x";
    std::ofstream(dir / "playlist" / "00000.mpls") << "x";
    std::ofstream(dir / "playlist" / "notes.txt") << "x";
    fs::create_directories(dir / "playlist" / "dir.mpls");
    const auto found = findNoCase(dir, "PLAYLIST");
    ASSERT_TRUE(found);
    EXPECT_EQ(found->filename(), "playlist");
    EXPECT_EQ(listFilesNoCase(*found, ".mpls"), (std::vector<std::string>{"00000.mpls", "00001.MPLS"}));
    EXPECT_FALSE(findNoCase(dir, "CLIPINF"));
    // the quick spellings and the folder walk find the same files
    std::ofstream(*found / "00002.Mpls") << "x";
    EXPECT_EQ(findNoCase(*found, "00001.mpls")->filename(), "00001.MPLS");
    EXPECT_EQ(findNoCase(*found, "00000.MPLS")->filename(), "00000.mpls");
    EXPECT_EQ(findNoCase(*found, "NOTES.txt")->filename(), "notes.txt");
    EXPECT_EQ(findNoCase(*found, "00002.mpls")->filename(), "00002.Mpls");
    EXPECT_FALSE(findNoCase(*found, "00003.mpls"));
    EXPECT_EQ(volumeLabel(dir), "");    // not a mount point
    fs::remove_all(dir);
}
