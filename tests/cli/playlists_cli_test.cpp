// mirtal-cli playlists: the overview grid and its JSON document on the decoy disc, the step
// limit, an unreadable PlayList and the usage errors.
#include "cli_run.h"
#include "support/decoy_disc.h"
#include "support/disc_builder.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>

namespace fs = std::filesystem;
using mirtal::support::TempDir;

namespace {

std::vector<std::string> lines(const std::string& text)
{
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        out.push_back(line);
    return out;
}

}  // namespace

TEST(PlaylistsCommand, GridAndJsonTellTheFeatureFromTheDecoys)
{
    TempDir dir("cli-playlists");
    mirtal::support::writeDecoyDisc(dir.path());
    const std::string path = dir.path().string();

    const auto text = runCli("playlists " + path);
    ASSERT_EQ(text.status, 0) << text.err;
    const auto grid = lines(text.out);
    ASSERT_EQ(grid.size(), 40u);    // the caption row and 39 PlayLists
    EXPECT_EQ(grid[0], "PlayList\tDuration\tItems\tClips\tAngles\tChapters\tStreams\tPlayed by\tMarks");
    EXPECT_NE(text.out.find("\n00800\t2:00:00.123\t3\t00100+00101+00102\t3\t20\t"
                            "1 video, 3 audio (eng fra deu), 2 PG (eng jpn), 1 IG (eng)\tTitle 1\t\n"),
              std::string::npos);
    EXPECT_NE(text.err.find("Top Menu: run stopped after 10000 commands (step limit)"), std::string::npos);

    const auto json = runCli("playlists " + path + " --json --max-steps 50");
    const Json j = jsonOf(json, "playlists");
    ASSERT_TRUE(j.is_object());
    // The cells are the text grid's rows; only the step limit differs, and no row shows it.
    EXPECT_EQ(gridText(j["captions"]["playlists"], j["playlists"]), text.out);
    EXPECT_NE(json.err.find("Top Menu: run stopped after 50 commands (step limit)"), std::string::npos);
    std::map<std::string, Json> byName;
    for (const auto& p : j["playlists"])
        byName[p["name"].get<std::string>()] = p;
    const Json& feature = byName["00800"];
    EXPECT_EQ(feature["duration_45k"], 324'005'535u);
    EXPECT_EQ(feature["duration"], "2:00:00.123");
    EXPECT_EQ(feature["items"], 3);
    EXPECT_EQ(feature["clips"], Json::parse(R"(["00100", "00101", "00102"])"));
    EXPECT_EQ(feature["angles"], 3);
    EXPECT_EQ(feature["chapters"], 20);
    EXPECT_EQ(feature["streams"]["audio"], Json::parse(R"({"count": 3, "languages": ["eng", "fra", "deu"]})"));
    EXPECT_EQ(feature["played_by"], Json::parse(R"([{"kind": "title", "number": 1, "text": "Title 1"}])"));
    EXPECT_TRUE(feature["duplicate_of"].is_null());
    EXPECT_EQ(feature["unplayed"], false);
    EXPECT_EQ(byName["00900"]["duplicate_of"], "00800");
    EXPECT_EQ(byName["00900"]["unplayed"], true);
    EXPECT_EQ(byName["00001"]["played_by"][0]["kind"], "first_playback");
    EXPECT_TRUE(byName["00001"]["played_by"][0]["number"].is_null());
    ASSERT_EQ(j["entries"].size(), 4u);
    EXPECT_EQ(j["entries"][0]["playlists"], Json::parse(R"(["00001", "00003", "00006"])"));
    EXPECT_EQ(j["entries"][0]["jumped_to_title"], 1);
    EXPECT_EQ(j["entries"][1]["step_limit_reached"], true);
}

TEST(PlaylistsCommand, UnreadablePlayListFailsWithItsRowAndUsageErrorsSayHow)
{
    TempDir dir("cli-playlists");
    const auto bdmv = mirtal::support::writeDecoyDisc(dir.path());
    mirtal::support::writeBytes(bdmv / "PLAYLIST" / "00999.mpls", {'M', 'P', 'L', 'S', '0', '1'});
    const auto r = runCli("playlists " + dir.path().string());
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("\n00999\t\t\t\t\t\t\t\tUnreadable, Unplayed\n"), std::string::npos);
    EXPECT_NE(r.err.find("00999.mpls"), std::string::npos);

    EXPECT_EQ(runCli("playlists").status, 2);
    EXPECT_EQ(runCli("playlists " + (dir.path() / "nothing").string()).status, 2);
    const auto steps = runCli("playlists " + dir.path().string() + " --max-steps 0");
    EXPECT_EQ(steps.status, 2);
    EXPECT_NE(steps.err.find("--max-steps takes a positive number"), std::string::npos);
}
