// mirtal-cli over the demo disc and over broken discs: output texts and exit statuses.
#include "cli_run.h"
#include "support/disc_builder.h"
#include "support/sample_disc.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
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
}

TEST_F(DemoDisc, JsonDocumentsHoldTheFieldsAndTheGridsCells)
{
    const std::string path = dir.path().string();
    const auto titlesText = runCli("titles " + path).out;
    auto j = jsonOf(runCli("titles " + path + " --json"), "titles");
    EXPECT_EQ(j["file_version"], "0200");
    EXPECT_EQ(j["titles"][1]["movie_object_id"], 3);
    EXPECT_EQ(j["titles"][1]["access_type"], 2);
    EXPECT_EQ(gridText(j["captions"]["titles"], j["titles"]), titlesText.substr(0, titlesText.find("First Playback")));
    EXPECT_EQ(j["top_menu"]["cells"], Json::parse(R"(["Top Menu", "HDMV", "Movie", "1", "on"])"));
    EXPECT_EQ(j["extension_data"]["caption"], "None");

    j = jsonOf(runCli("objects " + path + " --json"), "objects");
    EXPECT_EQ(gridText(j["captions"]["movie_objects"], j["movie_objects"]), runCli("objects " + path).out);
    EXPECT_EQ(j["movie_objects"][2]["resume"], 1);
    EXPECT_EQ(j["extension_data"]["entries"][0]["length"], 8);

    j = jsonOf(runCli("commands " + path + " 0 --json"), "commands");
    EXPECT_EQ(gridText(j["captions"]["commands"], j["commands"]), runCli("commands " + path + " 0").out);
    EXPECT_EQ(j["commands"][3]["opcode"], 0x20810000u);
    EXPECT_EQ(j["commands"][3]["destination"], 5);
    EXPECT_EQ(j["commands"][3]["command_line"], "GoTo 5");

    j = jsonOf(runCli("decode 50800001 00000001 00000000 --json"), "decode");
    EXPECT_EQ(j["opcode"], 0x50800001u);
    EXPECT_EQ(j["command_line"], "Move 1, GPR0");
    EXPECT_EQ(j["valid"], false);

    // A traced run: each step with the messages its command gave; the registers by number.
    j = jsonOf(runCli("run " + path + " 0 --trace --json"), "run");
    std::vector<int> lines;
    for (const auto& step : j["steps"])
        lines.push_back(step["line"]);
    EXPECT_EQ(lines, (std::vector<int>{0, 1, 2, 3, 5, 6}));
    EXPECT_EQ(j["steps"][4]["messages"], Json::parse(R"(["Play PL 0"])"));
    EXPECT_EQ(j["steps"][3]["text"], "Line 0003 : 20810000 00000005 00000000 : GoTo 5");
    EXPECT_EQ(j["gpr"], Json::parse(R"([{"number": 0, "value": 3}])"));
    EXPECT_EQ(j["psr"][19]["value"], 0x5553);
    EXPECT_EQ(j["messages"], nullptr);
    j = jsonOf(runCli("run " + path + " 0 --json"), "run");
    EXPECT_EQ(j["messages"], Json::parse(R"(["Play PL 0", "Jump Title 1"])"));

    j = jsonOf(runCli("find playlist " + path + " 00001 --json"), "find");
    EXPECT_EQ(j["header"], "PlayList 00001 found in:");
    EXPECT_EQ(j["hits"], Json::parse(R"([{"text": "Object 0004, Command line 0004", "movie_object": 4, "command_line": 4}])"));
    j = jsonOf(runCli("find clip " + path + " 00002 --json"), "find");
    ASSERT_EQ(j["hits"].size(), 2u);
    EXPECT_EQ(j["hits"][1]["playlist"], "00002");
    EXPECT_EQ(j["hits"][1]["sub_play_item"], 1);
    EXPECT_EQ(j["hits"][1]["clip_entry"], 2);

    // Disc texts that are no UTF-8 come out as U+FFFD.
    const fs::path index = dir.path() / "BDMV" / "index.bdmv";
    std::string bytes;
    {
        std::ifstream in(index, std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), {});
    }
    const size_t at = bytes.find("Mirtal demo disc");
    ASSERT_NE(at, std::string::npos);
    bytes[at] = '\xE9';
    std::ofstream(index, std::ios::binary | std::ios::trunc) << bytes;
    j = jsonOf(runCli("titles " + path + " --json"), "titles");
    EXPECT_EQ(j["content_provider_data"], "\xEF\xBF\xBDirtal demo disc");
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
