// mirtal-cli's PlayList and clip commands over the demo disc: grids, JSON, chapter files, Find,
// save-playlist, and the refusals that leave the files as they were.
#include "cli_run.h"
#include "support/disc_builder.h"
#include "support/mpls_builder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>

namespace fs = std::filesystem;
using mirtal::support::TempDir;

namespace {

std::string fileText(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

// The lines of one "[header]" section, up to the next section.
std::vector<std::string> sectionLines(const std::string& out, const std::string& header)
{
    std::vector<std::string> lines;
    std::istringstream in(out);
    bool inside = false;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.front() == '[') {
            if (inside)
                break;
            inside = line == "[" + header + "]";
            continue;
        }
        if (inside)
            lines.push_back(line);
    }
    return lines;
}

std::vector<std::string> headers(const std::string& out)
{
    std::vector<std::string> h;
    std::istringstream in(out);
    for (std::string line; std::getline(in, line);)
        if (!line.empty() && line.front() == '[')
            h.push_back(line);
    return h;
}

class PlaylistCli : public ::testing::Test {
protected:
    void SetUp() override
    {
        const auto r = runCli("sample " + dir.path().string());
        ASSERT_EQ(r.status, 0) << r.err;
    }
    [[nodiscard]] std::string disc() const { return dir.path().string(); }
    [[nodiscard]] fs::path playlistFile(const std::string& name) const
    {
        return dir.path() / "BDMV" / "PLAYLIST" / (name + ".mpls");
    }
    // 00005: two PlayItems at 25 frames per second with marks on whole seconds and on the
    // boundary, so that every chapter format carries them exactly.
    void addRatePlayList() const
    {
        using namespace mirtal::support;
        PlayItemDesc a;
        a.clip = "00001";
        a.in = 1000;
        a.out = 1000 + 10 * 45000;
        a.video = {videoStream(0x1011, 0x1B, 6, 3)};
        a.audio = {audioStream(0x1100, "eng")};
        PlayItemDesc b = a;
        b.in = 5000;
        b.out = 5000 + 20 * 45000;
        writeBytes(playlistFile("00005"), MplsBuilder()
                                              .playItem(a)
                                              .playItem(b)
                                              .mark({1, 0, 1000, 0xFFFF, 0})
                                              .mark({1, 0, 1000 + 3 * 45000, 0xFFFF, 0})
                                              .mark({1, 1, 5000, 0xFFFF, 0})
                                              .mark({1, 1, 5000 + 7 * 45000, 0xFFFF, 0})
                                              .bytes());
    }
    TempDir dir{"plcli"};
};

}  // namespace

TEST_F(PlaylistCli, PrintsEverySectionOfThePlaylistTab)
{
    const auto r = runCli("playlist " + disc() + " 00001");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.err.find("Reading 00001.mpls\n3 PlayItem(s), 0 SubPath(s) and 5 PlayListMark(s) found.\n"),
              std::string::npos);
    const std::vector<std::string> expected{
        "[PlayItems]",   "[STN 0]",       "[Streams 0 0]", "[Streams 0 1]", "[Streams 0 2]", "[STN 1]",
        "[Streams 1 0]", "[Streams 1 1]", "[Streams 1 2]", "[Angles 1]",    "[STN 2]",       "[Streams 2 0]",
        "[Streams 2 1]", "[Streams 2 2]", "[SubPaths]",    "[Marks]",       "[AppInfo]",     "[ExtensionData]"};
    EXPECT_EQ(headers(r.out), expected);
    EXPECT_EQ(r.out.rfind("[PlayItems]\n\tfile\ttype\tIN time\tOUT time\tlength\tUO1\tUO2\tAn\n"
                          "000\t00001\tM2TS\t00:00:00.000\t00:02:00.000\t00:02:00.000\t00000000\t00000000\t0\n"
                          "001\t00002\tM2TS\t00:00:10.000\t00:01:10.000\t00:01:00.000\t00000000\t00000000\t2\n",
                          0),
              0u);
    EXPECT_EQ(sectionLines(r.out, "STN 0"), (std::vector<std::string>{"Vi\tAu\tPG\tIG\tsV\tsA\tPIP", "1\t2\t2\t0\t0\t0\t0"}));
    EXPECT_EQ(sectionLines(r.out, "Streams 0 1"),
              (std::vector<std::string>{"\ttype\tmPID\tSPid\tsCid\tsPID\tattrib",
                                        "001\tPlayItem\t1100\t\t\t\tDD, Multi-ch., 48 kHz, eng",
                                        "002\tPlayItem\t1101\t\t\t\tLPCM, Stereo, 48 kHz, fra"}));
    EXPECT_EQ(sectionLines(r.out, "Angles 1"),
              (std::vector<std::string>{"\tfile\ttype\tSTC", "1\t00002\tM2TS\t0", "2\t00003\tM2TS\t0"}));
    EXPECT_EQ(sectionLines(r.out, "SubPaths"), (std::vector<std::string>{"\ttype\trepeat\titem"}));
    const auto marks = sectionLines(r.out, "Marks");
    ASSERT_EQ(marks.size(), 6u);
    EXPECT_EQ(marks[0], "\ttype\tPI\tmark time\tentry PID\tduration");
    EXPECT_EQ(marks[5], "004\tlink point\t002\t00:03:20.000\tFFFF\t0");
    EXPECT_EQ(sectionLines(r.out, "AppInfo"),
              (std::vector<std::string>{
                  "playback type\tplayback count\tUO mask\tUO mask #2\trandom access\taudio mix\tbypass mixer",
                  "Sequential\t0\t00000000\t00000000\t0\t0\t0"}));
    EXPECT_EQ(sectionLines(r.out, "ExtensionData"), (std::vector<std::string>{"1 entry, 36 bytes"}));

    // The name with its extension in any case, and a file spelt in capitals on the disc.
    EXPECT_EQ(runCli("playlist " + disc() + " 00001.mpls").out, r.out);
    EXPECT_EQ(runCli("playlist " + (dir.path() / "BDMV" / "PLAYLIST" / "00001.mpls").string() + " 00001.MPLS").out, r.out);
    fs::rename(playlistFile("00002"), dir.path() / "BDMV" / "PLAYLIST" / "00002.MPLS");
    const auto sub = runCli("playlist " + disc() + " 00002");
    ASSERT_EQ(sub.status, 0) << sub.err;
    EXPECT_EQ(sectionLines(sub.out, "SubPaths"), (std::vector<std::string>{"\ttype\trepeat\titem", "000\tp. Audio\tYes\t2"}));
    const auto spi = sectionLines(sub.out, "SubPlayItems 0");
    ASSERT_EQ(spi.size(), 3u);
    EXPECT_EQ(spi[0], "\tfile\ttype\tconn\tmulti\tSTC\tIN time\tOUT time\tsync PI\tsync PTS\tAn");
    EXPECT_EQ(spi[2], "001\t00004\tM2TS\t1\t1\t0\t00:00:30.000\t00:01:00.000\t0\t00:00:30,000\t3");
    EXPECT_EQ(sectionLines(sub.out, "ClipEntries 0 1"),
              (std::vector<std::string>{"\tfile\ttype\tSTC", "1\t00004\tM2TS\t0", "2\t00002\tM2TS\t0", "3\t00003\tM2TS\t0"}));
    EXPECT_TRUE(sectionLines(sub.out, "ClipEntries 0 0").empty());
    EXPECT_EQ(sectionLines(sub.out, "AppInfo")[1], "Random\t3\t00000000\t00000000\t0\t0\t0");
}

TEST_F(PlaylistCli, ClipPrintsProgramInfoAndStreamLabels)
{
    const auto r = runCli("clip " + disc() + " 00003.CLPI");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.err.find("Reading 00003.clpi\nClip stream type: 1\napplication type: Main TS for a Movie\n"),
              std::string::npos);
    const auto grid = sectionLines(r.out, "ProgramInfo");
    ASSERT_EQ(grid.size(), 8u);
    EXPECT_EQ(grid[0], "\tPID\tStream type\tDetails");
    EXPECT_EQ(grid[1], "1\t1011\tAVC\t1080p, 23.976, 16:9");
    EXPECT_EQ(grid[3], "3\t1101\tLPCM\tStereo, 48 kHz, fra");
    EXPECT_EQ(grid[7], "7\t1B00\tAVC\t1080p, 23.976, 4:3");
    EXPECT_EQ(sectionLines(r.out, "Stream"), (std::vector<std::string>{"N/A\t"}));
}

TEST_F(PlaylistCli, JsonHoldsTheModelAndTheGridsCells)
{
    const auto text = runCli("playlist " + disc() + " 00001").out;
    auto j = jsonOf(runCli("playlist " + disc() + " 00001 --json"), "playlist");
    EXPECT_EQ(j["type_indicator"], "MPLS");
    EXPECT_EQ(j["file_version"], "0200");
    const auto& items = j["playlist"]["play_items"];
    EXPECT_EQ(j["playlist"]["number_of_play_items"], 3);
    EXPECT_EQ(items[1]["clip_name"], "00002");
    EXPECT_EQ(items[1]["angles"]["number_of_angles"], 2);
    EXPECT_EQ(items[1]["angles"]["angle_clips"][1]["clip_name"], "00003");
    EXPECT_EQ(items[0]["stn"]["primary_audio"][1]["language"], "fra");
    EXPECT_EQ(j["marks"]["marks"][4]["mark_time_45k"], 9000000);
    EXPECT_EQ(j["marks"]["marks"][4]["mark_type"], 2);
    EXPECT_EQ(j["extension_data"]["caption"], "1 entry, 36 bytes");
    EXPECT_EQ(j["app_info"]["playback_type_name"], "Sequential");
    // The cells are the grids of the text output.
    const auto& captions = j["captions"];
    EXPECT_EQ(text.rfind("[PlayItems]\n" + gridText(captions["play_items"], items), 0), 0u);
    EXPECT_NE(text.find("[Streams 0 1]\n" + gridText(captions["streams"], items[0]["stn"]["primary_audio"])),
              std::string::npos);
    EXPECT_NE(text.find("[Angles 1]\n" + gridText(captions["angle_clips"], items[1]["angles"]["angle_clips"])),
              std::string::npos);
    EXPECT_NE(text.find("[Marks]\n" + gridText(captions["marks"], j["marks"]["marks"])), std::string::npos);
    EXPECT_NE(text.find("[AppInfo]\n" + gridText(captions["app_info"], Json::array({j["app_info"]}))), std::string::npos);

    j = jsonOf(runCli("playlist " + disc() + " 00002 --json"), "playlist");
    const auto& subPath = j["playlist"]["sub_paths"][0];
    EXPECT_EQ(subPath["sub_path_type"], 2);
    EXPECT_EQ(subPath["sub_play_items"][1]["number_of_clip_entries"], 3);
    EXPECT_EQ(subPath["sub_play_items"][1]["clip_entries"][2]["cells"], Json::parse(R"(["3", "00003", "M2TS", "0"])"));

    const auto clipText = runCli("clip " + disc() + " 00001").out;
    j = jsonOf(runCli("clip " + disc() + " 00001 --json"), "clip");
    EXPECT_EQ(clipText.rfind("[ProgramInfo]\n" + gridText(j["captions"]["program_info"], j["program_info"]), 0), 0u);
    EXPECT_EQ(j["program_info"][5]["pid"], 0x1400);
    EXPECT_EQ(j["program_info"][5]["coding_type"], 0x91);
    EXPECT_EQ(j["stream_name_label"].get<std::string>() + "\t" + j["stream_size_label"].get<std::string>(),
              sectionLines(clipText, "Stream").at(0));
}

TEST_F(PlaylistCli, ChaptersRoundTripInEveryFormat)
{
    addRatePlayList();
    const std::string original = fileText(playlistFile("00005"));
    const auto marksBefore = sectionLines(runCli("playlist " + disc() + " 00005").out, "Marks");
    ASSERT_EQ(marksBefore.size(), 5u);
    const std::map<std::string, std::string> expectedFiles{
        {"pts", "0\r\n135000\r\n450000\r\n765000\r\n"},
        {"frame", "0\r\n75000\r\n250000\r\n425000\r\n"},
        {"time", "00:00:00.000\r\n00:00:03.000\r\n00:00:10.000\r\n00:00:17.000\r\n"}};
    for (const auto& [format, text] : expectedFiles) {
        const fs::path file = dir.path() / ("chapters-" + format + ".txt");
        const auto e = runCli("chapters export " + disc() + " 00005 --format " + format + " " + file.string());
        ASSERT_EQ(e.status, 0) << e.err;
        EXPECT_EQ(fileText(file), text) << format;
        const auto i = runCli("chapters import " + disc() + " 00005 --format " + format + " " + file.string() +
                              " --backup-mode overwrite");
        ASSERT_EQ(i.status, 0) << i.err;
        EXPECT_NE(i.err.find("Saving 00005.mpls"), std::string::npos);
        EXPECT_EQ(sectionLines(runCli("playlist " + disc() + " 00005").out, "Marks"), marksBefore) << format;
        EXPECT_EQ(fileText(playlistFile("00005")), original) << format;
    }
    EXPECT_TRUE(fs::exists(dir.path() / "BDMV" / "PLAYLIST" / "00005.mpls.backup"));

    // The demo feature: the link point comes back as the link point it was.
    const fs::path pts = dir.path() / "feature.txt";
    ASSERT_EQ(runCli("chapters export " + disc() + " 00001 " + pts.string()).status, 0);
    EXPECT_EQ(fileText(pts), "0\r\n2700000\r\n5400000\r\n8100000\r\n11700000\r\n");
    ASSERT_EQ(runCli("chapters import " + disc() + " 00001 " + pts.string() + " --no-backup").status, 0);
    EXPECT_FALSE(fs::exists(dir.path() / "BDMV" / "PLAYLIST" / "00001.mpls.backup"));
    const auto marks = sectionLines(runCli("playlist " + disc() + " 00001").out, "Marks");
    ASSERT_EQ(marks.size(), 6u);
    EXPECT_EQ(marks[3], "002\tentry-mark\t001\t00:00:10.000\tFFFF\t0");
    EXPECT_EQ(marks[5], "004\tlink point\t002\t00:03:20.000\tFFFF\t0");

    // The top menu has no video stream: "Frame" is refused both ways and nothing is written.
    const std::string menu = fileText(playlistFile("00004"));
    const fs::path frame = dir.path() / "menu-frame.txt";
    const auto e = runCli("chapters export " + disc() + " 00004 --format frame " + frame.string());
    EXPECT_EQ(e.status, 1);
    EXPECT_NE(e.err.find("The Frame chapter format needs the frame rate"), std::string::npos);
    EXPECT_FALSE(fs::exists(frame));
    const auto i = runCli("chapters import " + disc() + " 00004 --format frame " + pts.string());
    EXPECT_EQ(i.status, 1);
    EXPECT_EQ(fileText(playlistFile("00004")), menu);
    EXPECT_FALSE(fs::exists(dir.path() / "BDMV" / "PLAYLIST" / "00004.mpls.backup"));
}

TEST_F(PlaylistCli, FindsWhoPlaysAPlayListOrAClip)
{
    const auto p = runCli("find playlist " + disc() + " 00001");
    ASSERT_EQ(p.status, 0) << p.err;
    // Title 1 plays 00001 through a register (not found); object 4 plays it immediately.
    EXPECT_EQ(p.out, "\nPlayList 00001 found in:\nObject 0004, Command line 0004\n");
    EXPECT_NE(p.err.find("Checking required files and directories..."), std::string::npos);
    EXPECT_EQ(runCli("find playlist " + disc() + " 00000.mpls").out, "\nPlayList 00000 found in:\nObject 0000, Command line 0005\n");

    fs::rename(playlistFile("00002"), dir.path() / "BDMV" / "PLAYLIST" / "00002.MPLS");
    const auto c = runCli("find clip " + disc() + " 00001");
    ASSERT_EQ(c.status, 0) << c.err;
    EXPECT_EQ(c.out,
              "\n00001.m2ts found in:\n00000.mpls , PlayItem 000\n00001.mpls , PlayItem 000\n"
              "00001.mpls , PlayItem 002\n00002.mpls , PlayItem 000\n");
    EXPECT_NE(c.err.find("Reading 00004.mpls"), std::string::npos);    // every PlayList was read
    const auto menu = runCli("find clip " + disc() + " 00010");
    EXPECT_EQ(menu.out, "\n00010.m2ts found in:\n00003.mpls , SubPath 000, SubPlayItem 000\n00004.mpls , PlayItem 000\n");
    EXPECT_EQ(runCli("find clip " + disc() + " 00011").out, "\n00011.m2ts found in:\n");
}

TEST_F(PlaylistCli, SavePlaylistWritesTheSameBytes)
{
    for (const char* name : {"00000", "00001", "00002", "00003", "00004"}) {
        const std::string before = fileText(playlistFile(name));
        const auto r = runCli(std::string("save-playlist ") + disc() + " " + name);
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(fileText(playlistFile(name)), before) << name;
        EXPECT_EQ(fileText(dir.path() / "BDMV" / "PLAYLIST" / (std::string(name) + ".mpls.backup")), before) << name;
    }
    const auto again = runCli("save-playlist " + disc() + " 00001 --backup-mode stop-if-exists");
    EXPECT_EQ(again.status, 1);
    EXPECT_NE(again.err.find("Cannot create backup file."), std::string::npos);
    EXPECT_EQ(runCli("save-playlist " + disc() + " 00001 --backup-mode never").status, 2);
}

TEST_F(PlaylistCli, BadInputIsAnErrorLineAndChangesNothing)
{
    const std::string path = disc();
    for (const char* bad : {"abc", "0001", "000001", "../00001", "00001.clpi"}) {
        const auto r = runCli("playlist " + path + " '" + bad + "'");
        EXPECT_EQ(r.status, 1) << bad;
        EXPECT_NE(r.err.find("not a PlayList name"), std::string::npos) << bad;
        EXPECT_TRUE(r.out.empty());
    }
    EXPECT_EQ(runCli("clip " + path + " 00001.mpls").status, 1);
    const auto missing = runCli("playlist " + path + " 00099");
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("Cannot read 00099.mpls"), std::string::npos);
    EXPECT_EQ(runCli("clip " + path + " 00099").status, 1);
    EXPECT_EQ(runCli("save-playlist " + path + " 00099").status, 1);
    EXPECT_FALSE(fs::exists(playlistFile("00099")));
    EXPECT_EQ(runCli("find playlist " + path + " 00099").status, 1);
    EXPECT_EQ(runCli("find clip " + path + " 00099").status, 1);

    // A PlayList cut short: every command refuses it and none writes it.
    std::string cut = fileText(playlistFile("00002"));
    cut.resize(80);
    std::ofstream(playlistFile("00002"), std::ios::binary | std::ios::trunc) << cut;
    const auto damaged = runCli("playlist " + path + " 00002");
    EXPECT_EQ(damaged.status, 1);
    EXPECT_NE(damaged.err.find("Truncated file: 00002.mpls"), std::string::npos);
    EXPECT_TRUE(damaged.out.empty());
    EXPECT_EQ(runCli("playlist " + path + " 00002 --json").status, 1);
    EXPECT_EQ(runCli("save-playlist " + path + " 00002").status, 1);
    const fs::path chapters = dir.path() / "c.txt";
    std::ofstream(chapters) << "0\n45000\n";
    EXPECT_EQ(runCli("chapters import " + path + " 00002 " + chapters.string()).status, 1);
    EXPECT_EQ(fileText(playlistFile("00002")), cut);
    EXPECT_FALSE(fs::exists(dir.path() / "BDMV" / "PLAYLIST" / "00002.mpls.backup"));
    // Find goes on past it and says so by its status.
    const auto find = runCli("find clip " + path + " 00004");
    EXPECT_EQ(find.status, 1);
    EXPECT_EQ(find.out, "\n00004.m2ts found in:\n");

    // An empty chapter file imports nothing; a missing one is an error.
    std::ofstream(chapters, std::ios::trunc).flush();
    const std::string feature = fileText(playlistFile("00001"));
    EXPECT_EQ(runCli("chapters import " + path + " 00001 " + chapters.string()).status, 1);
    EXPECT_EQ(runCli("chapters import " + path + " 00001 " + chapters.string() + ".none").status, 1);
    EXPECT_EQ(fileText(playlistFile("00001")), feature);

    std::ofstream(dir.path() / "BDMV" / "CLIPINF" / "00011.clpi", std::ios::binary | std::ios::trunc) << "HDMV0300";
    const auto clip = runCli("clip " + path + " 00011");
    EXPECT_EQ(clip.status, 1);
    EXPECT_NE(clip.err.find("Invalid format: 00011.clpi"), std::string::npos);
    EXPECT_TRUE(clip.out.empty());

    // Usage errors.
    EXPECT_EQ(runCli("playlist " + path).status, 2);
    EXPECT_EQ(runCli("playlist /nonexistent/disc 00001").status, 2);
    EXPECT_EQ(runCli("chapters " + path + " 00001").status, 2);
    EXPECT_EQ(runCli("chapters export " + path + " 00001 --format seconds").status, 2);
    EXPECT_EQ(runCli("find title " + path + " 00001").status, 2);
}
