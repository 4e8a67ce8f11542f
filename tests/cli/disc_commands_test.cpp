// mirtal-cli over the demo disc and over broken discs: output texts and exit statuses.
#include "cli_run.h"
#include "support/disc_builder.h"
#include "support/sample_disc.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sys/wait.h>

namespace fs = std::filesystem;
using mirtal::support::TempDir;

namespace {

class DemoDisc : public ::testing::Test {
protected:
    void SetUp() override
    {
        const auto r = runCli("sample " + dir.path().string());
        ASSERT_EQ(r.status, 0) << r.err;
    }
    TempDir dir{"cli"};
};

std::string firstLine(const std::string& s)
{
    return s.substr(0, s.find('\n'));
}

}  // namespace

TEST_F(DemoDisc, OpensWithoutAnErrorLine)
{
    const auto r = runCli("open " + dir.path().string());
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.err.find("Checking required files and directories...\n"), std::string::npos);
    EXPECT_NE(r.err.find("  Found 5 objects, 1 extended entry.\n"), std::string::npos);
    EXPECT_NE(r.err.find("  Found 3 titles, 0 extended entry.\n"), std::string::npos);
    EXPECT_EQ(r.err.find("[b]"), std::string::npos);    // markup removed
    EXPECT_TRUE(r.out.empty());
    // The BDMV folder and a file inside it name the same disc.
    EXPECT_EQ(runCli("open " + (dir.path() / "BDMV").string()).status, 0);
    EXPECT_EQ(runCli("open " + (dir.path() / "BDMV" / "index.bdmv").string()).status, 0);
}

TEST_F(DemoDisc, ListsTitlesAndObjectsAsTheGridsShowThem)
{
    const auto t = runCli("titles " + dir.path().string());
    ASSERT_EQ(t.status, 0) << t.err;
    EXPECT_EQ(t.out,
              "No.\tobject t.\ttitle search\tplayback t.\tOID/file\n"
              "001\tHDMV\tPermitted\tMovie\t2\n"
              "002\tHDMV\tProhibited1\tMovie\t3\n"
              "003\tHDMV\tPermitted\tInteractive\t4\n"
              "First Playback\tHDMV\tInteractive\t0\ton\n"
              "Top Menu\tHDMV\tMovie\t1\ton\n");
    const auto o = runCli("objects " + dir.path().string());
    ASSERT_EQ(o.status, 0);
    EXPECT_EQ(firstLine(o.out), "No.\tresume\tmenu call\ttitle search\tcommands");
    EXPECT_NE(o.out.find("\n002\tsuspend\tenable\tenable\t6\n"), std::string::npos);
    const auto j = runCli("objects " + dir.path().string() + " --json");
    EXPECT_EQ(j.out.rfind("{\"version\":\"0200\"", 0), 0u);
}

TEST_F(DemoDisc, ExtensionDataExportAndImportRoundTrip)
{
    const fs::path exd = dir.path() / "mobj.exd";
    ASSERT_EQ(runCli("exd export " + dir.path().string() + " mobj " + exd.string()).status, 0);
    EXPECT_EQ(fs::file_size(exd), 12u + 12u + 8u);
    EXPECT_EQ(runCli("exd export " + dir.path().string() + " index " + exd.string() + ".none").status, 1);

    const auto before = fs::file_size(dir.path() / "BDMV" / "index.bdmv");
    const auto r = runCli("exd import " + dir.path().string() + " index " + exd.string());
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(fs::file_size(dir.path() / "BDMV" / "index.bdmv"), before + 32);
    EXPECT_TRUE(fs::exists(dir.path() / "BDMV" / "index.bdmv.backup"));
    const auto open = runCli("open " + dir.path().string());
    EXPECT_NE(open.err.find("  Found 3 titles, 1 extended entry."), std::string::npos);
}

TEST_F(DemoDisc, SaveKeepsBackupsByMode)
{
    const std::string path = dir.path().string();
    ASSERT_EQ(runCli("save " + path).status, 0);
    EXPECT_TRUE(fs::exists(dir.path() / "BDMV" / "MovieObject.bdmv.backup"));
    const auto r = runCli("save " + path + " --backup-mode stop-if-exists");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("Cannot create backup file."), std::string::npos);
    EXPECT_EQ(runCli("save " + path + " --no-backup --backup-dir").status, 0);
    EXPECT_TRUE(fs::exists(dir.path() / "BDMV" / "BACKUP" / "index.bdmv"));
    EXPECT_EQ(runCli("save " + path + " --backup-mode sometimes").status, 2);
}

TEST(CliUsage, ErrorsAndFailedChecks)
{
    EXPECT_EQ(runCli("").status, 2);
    EXPECT_EQ(runCli("frobnicate").status, 2);
    EXPECT_EQ(runCli("open").status, 2);
    EXPECT_EQ(runCli("open /nonexistent/disc").status, 2);
    EXPECT_EQ(runCli("help").status, 0);

    TempDir dir("cli-broken");
    mirtal::support::DiscBuilder{}.title({}).writeTo(dir.path(), false);
    const auto r = runCli("open " + dir.path().string());
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("Check failed."), std::string::npos);

    fs::create_directories(dir.path() / "BDMV" / "BACKUP");
    std::ofstream(dir.path() / "BDMV" / "index.bdmv", std::ios::trunc) << "INDX0200";
    const auto t = runCli("titles " + dir.path().string());
    EXPECT_EQ(t.status, 1);
    EXPECT_NE(t.err.find("index.bdmv format error at $"), std::string::npos);
}

TEST_F(DemoDisc, ProgramImportSavesWithBackupAndRefusesErrorsAndDanglingTitles)
{
    const std::string path = dir.path().string();
    const fs::path mobj = dir.path() / "BDMV" / "MovieObject.bdmv";
    const auto bytesOf = [](const fs::path& p) {
        std::ifstream in(p, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    const std::string original = bytesOf(mobj);
    const auto exported = runCli("program export " + path);
    ASSERT_EQ(exported.status, 0) << exported.err;
    const auto write = [&](const std::string& name, const std::string& text) {
        std::ofstream(dir.path() / name) << text;
        return (dir.path() / name).string();
    };

    // An error: the line and column, and the file stays as it was.
    std::string broken = exported.out;
    broken.insert(broken.find("    Add GPR0, 2"), "    Add GPR0, GPR5000\n");
    auto r = runCli("program import " + path + " " + write("broken.txt", broken));
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("broken.txt:5:15: the GPR number is above 4095"), std::string::npos) << r.err;
    EXPECT_EQ(bytesOf(mobj), original);

    // Two objects left while the titles name objects 2 to 4: refused, naming them.
    r = runCli("program import " + path + " " + write("short.txt", "object 0\n  NOP\nobject 1\n"));
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("Title 1 (object 2), Title 2 (object 3), Title 3 (object 4)"), std::string::npos) << r.err;
    EXPECT_EQ(bytesOf(mobj), original);

    // The export imported again: the same bytes, with the backup of the old file.
    r = runCli("program import " + path + " " + write("same.txt", exported.out));
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(bytesOf(mobj), original);
    EXPECT_TRUE(fs::exists(dir.path() / "BDMV" / "MovieObject.bdmv.backup"));
}

TEST_F(DemoDisc, HostileFilesAndTheFileSizeLimitLeaveTheDiscAsItWas)
{
    const fs::path bdmv = dir.path() / "BDMV";
    const auto bytesOf = [](const fs::path& p) {
        std::ifstream in(p, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    const std::string index = bytesOf(bdmv / "index.bdmv");

    // An .exd of 12 bytes that declares 255 entries is not imported.
    {
        std::ofstream exd(dir.path() / "short.exd", std::ios::binary);
        const unsigned char bytes[12] = {0, 0, 0, 0x40, 0, 0, 0, 0, 0, 0, 0, 0xFF};
        exd.write(reinterpret_cast<const char*>(bytes), sizeof bytes);
    }
    auto r = runCli("exd import " + dir.path().string() + " index " + (dir.path() / "short.exd").string());
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("declares more than the file holds (255 entries in 12 bytes); nothing was imported"),
              std::string::npos)
        << r.err;
    EXPECT_EQ(bytesOf(bdmv / "index.bdmv"), index);

    // A save cut off by the file-size limit fails with an error line and leaves no temporary file.
    const std::string command = "ulimit -f 0; " + std::string(MIRTAL_CLI) + " save " + dir.path().string() +
                                " --no-backup >/dev/null 2>&1";
    const int status = std::system(command.c_str());
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << status;
    for (const auto& entry : fs::directory_iterator(bdmv))
        EXPECT_EQ(entry.path().filename().string().find("tmp"), std::string::npos) << entry.path();
    EXPECT_EQ(bytesOf(bdmv / "index.bdmv"), index);

    // A MovieObject.bdmv that declares 65,535 objects in 50 bytes says how little it holds.
    {
        std::ofstream mobj(bdmv / "MovieObject.bdmv", std::ios::binary | std::ios::trunc);
        std::string head = "MOBJ0200";
        head.append(32, '\0');
        head += std::string("\0\0\0\x04\0\0\0\0\xFF\xFF", 10);
        mobj << head;
    }
    r = runCli("open " + dir.path().string());
    EXPECT_NE(r.err.find("MovieObject.bdmv ends early: it holds 0 of the 65535 movie objects it declares"),
              std::string::npos)
        << r.err;
}
