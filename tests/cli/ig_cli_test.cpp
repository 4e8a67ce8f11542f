// mirtal-cli menu, render, object and extract over the demo disc's menu clip (00010, IG on PID
// 1400) and PG clip (00011, video on 1011, PG on 1200), and over broken clips.
#include "cli_run.h"
#include "hdmv/program_text.h"
#include "support/disc_builder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace fs = std::filesystem;
using mirtal::support::TempDir;

namespace {

class IgDemoDisc : public ::testing::Test {
protected:
    void SetUp() override
    {
        const auto r = runCli("sample " + disc());
        ASSERT_EQ(r.status, 0) << r.err;
    }
    [[nodiscard]] std::string disc() const { return dir.path().string(); }
    [[nodiscard]] std::string file(const std::string& name) const { return (dir.path() / name).string(); }
    // render with the given options into name; the run's result.
    CliResult render(const std::string& options, const std::string& name)
    {
        return runCli("render " + disc() + " 00010 --page 0 -o " + file(name) + " " + options);
    }
    TempDir dir{"cli-ig"};
};

std::string contents(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The width and height in a PNG's header.
std::pair<uint32_t, uint32_t> pngSize(const std::string& png)
{
    const auto be32 = [&](size_t at) {
        return static_cast<uint32_t>(static_cast<uint8_t>(png.at(at))) << 24 |
               static_cast<uint32_t>(static_cast<uint8_t>(png.at(at + 1))) << 16 |
               static_cast<uint32_t>(static_cast<uint8_t>(png.at(at + 2))) << 8 | static_cast<uint8_t>(png.at(at + 3));
    };
    return png.size() < 24 ? std::pair<uint32_t, uint32_t>{0, 0} : std::pair{be32(16), be32(20)};
}

// The text from the line that is header up to the next line that begins with "[" (the section).
std::string section(const std::string& out, const std::string& header)
{
    const size_t at = out.find(header + "\n");
    if (at == std::string::npos)
        return "";
    const size_t end = out.find("\n[", at + header.size());
    return out.substr(at, end == std::string::npos ? std::string::npos : end + 1 - at);
}

}  // namespace

TEST_F(IgDemoDisc, MenuListsTheCompositionAsTheMenuTabShowsIt)
{
    const auto r = runCli("menu " + disc() + " 00010.M2TS");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "00010.m2ts loaded. (0:00:00)\n\n");
    EXPECT_EQ(r.out.substr(0, r.out.find("[BOGs 0]")),
              "1920x1080 @ 23.976, 2 pages\n"
              "User time out duration\t0:02:00\n"
              "Objects\t17 objects\n"
              "0000\t0001\t0002\t0003\t0004\t0005\t0006\t0007\t0008\t0009\t000A\t000B\t000C\t000D\t000E\t000F\t0010\n"
              "Palettes\t1 palettes\n"
              "00\n"
              "[Page 0]\n"
              "Page ID\t0\n"
              "User Operation Mask 1\t00000000\n"
              "User Operation Mask 2\t00000000\n"
              "Animation Frame Rate Code (divider)\t2\n"
              "Default Selected Button\t0000\n"
              "Default Activated Button\tFFFF\n"
              "Palette\t00\n"
              "Number of In effects windows\t1\n"
              "Number of In effects effects\t1\n"
              "Number of Out effects windows\t1\n"
              "Number of Out effects effects\t1\n"
              "Number of Button Overlap Groups\t5\n");
    EXPECT_EQ(section(r.out, "[BOGs 0]"),
              "[BOGs 0]\n"
              " id\t0\t1\t2\t3\t4\n"
              " default valid button\t0000\t0001\t0002\tFFFF\t0004\n"
              " number of buttons\t1\t1\t1\t1\t1\n");
    EXPECT_EQ(section(r.out, "[Buttons 0 2]"),
              "[Buttons 0 2]\n"
              "id\tvalue\ta.act.\tX\tY\tupper\tlower\tleft\tright\tn.start\tn.end\tn.repeat\ts.sound\ts.start\ts.end\t"
              "s.repeat\ta.sound\ta.start\ta.end\tcomm.\n"
              "0002\t0002\tNo\t600\t400\t0002\t0003\t0000\t0002\t0009\t0009\t0000\t00FF\t000A\t000A\t0000\t00FF\tFFFF\t"
              "FFFF\t2\n");
    EXPECT_EQ(section(r.out, "[Commands 0 0002]"),
              "[Commands 0 0002]\n"
              "No.\tOpcode\tDestinat.\tSource\tCommand line\n"
              "0000\t50400001\t00000001\t00000007\tMove GPR1, 7\n"
              "0001\t31800004\t00000003\t00000000\tEnableButton 3\n");
    EXPECT_EQ(section(r.out, "[InEffects 0]"),
              "[InEffects 0]\n"
              "id\tX\tY\twidth\theight\n"
              "0\t0\t0\t1920\t1080\n"
              "\tduration\tpalette\tcomp.obj\n"
              "1\t0:00:00\t00\t2\n"
              "\tobject\twindow\tcropped\tforced\tcrop x\tcrop y\tc. width\tc. height\n"
              "1\t0000\t00\tfalse\tfalse\t----\t----\t----\t----\n"
              "2\t0006\t00\ttrue\tfalse\t10\t10\t100\t30\n");
    EXPECT_EQ(section(r.out, "[OutEffects 0]"),
              "[OutEffects 0]\n"
              "id\tX\tY\twidth\theight\n"
              "0\t0\t0\t1920\t1080\n"
              "\tduration\tpalette\tcomp.obj\n"
              "\t0:00:00\t00\t1\n"
              "\tobject\twindow\tcropped\tforced\tcrop x\tcrop y\tc. width\tc. height\n"
              "\t0000\t00\tfalse\ttrue\t----\t----\t----\t----\n");
    // Page 1: effects without rows print their caption rows alone.
    EXPECT_EQ(section(r.out, "[InEffects 1]"), "[InEffects 1]\nid\tX\tY\twidth\theight\n\tduration\tpalette\tcomp.obj\n");
    // Every section in order: per page its header, BOGs, buttons by BOG, commands by button, effects.
    size_t at = 0;
    for (const char* h : {"[Page 0]", "[BOGs 0]", "[Buttons 0 0]", "[Buttons 0 4]", "[Commands 0 0000]",
                          "[Commands 0 0004]", "[InEffects 0]", "[OutEffects 0]", "[Page 1]", "[BOGs 1]",
                          "[Buttons 1 0]", "[Buttons 1 1]", "[Commands 1 0000]", "[Commands 1 0001]",
                          "[InEffects 1]", "[OutEffects 1]"}) {
        at = r.out.find(std::string("\n") + h + "\n", at);
        ASSERT_NE(at, std::string::npos) << h;
    }
}

TEST_F(IgDemoDisc, JsonDocumentsOfTheMenuCommands)
{
    const auto text = runCli("menu " + disc() + " 00010").out;
    auto j = jsonOf(runCli("menu " + disc() + " 00010 --json"), "menu");
    EXPECT_EQ(j["caption"], "1920x1080 @ 23.976, 2 pages");
    EXPECT_EQ(j["user_time_out_90k"], 120 * 90000);
    EXPECT_EQ(j["object_list"]["items"].size(), 17u);
    ASSERT_EQ(j["pages"].size(), 2u);
    const auto& page = j["pages"][0];
    EXPECT_EQ(page["bogs"][3]["default_valid_button"], 0xFFFF);
    const auto& button = page["bogs"][2]["buttons"][0];
    EXPECT_EQ(button["x"], 600);
    EXPECT_EQ(button["lower"], 3);
    EXPECT_EQ(section(text, "[Buttons 0 2]"), "[Buttons 0 2]\n" + gridText(j["captions"]["buttons"], page["bogs"][2]["buttons"]));
    EXPECT_EQ(section(text, "[Commands 0 0002]"), "[Commands 0 0002]\n" + gridText(j["captions"]["commands"], button["commands"]));
    EXPECT_EQ(button["commands"][1]["opcode"], 0x31800004u);
    const auto& cropped = page["in_effects"]["effects"][0]["composition_objects"][1];
    EXPECT_EQ(cropped["object_id"], 6);
    EXPECT_EQ(cropped["crop_width"], 100);
    EXPECT_EQ(cropped["cells"][7], "100");
    EXPECT_EQ(runCli("menu " + disc() + " 00010 --json --program").status, 2);

    j = jsonOf(runCli("object " + disc() + " 00010 A -o " + file("o.png") + " --json"), "object");
    EXPECT_EQ(j["object"]["object_id"], 10);
    EXPECT_EQ(j["width"], 320);
    EXPECT_EQ(j["messages"][0].get<std::string>().substr(0, 30), "Size: 320x90,  Object: 000A,  ");
    EXPECT_EQ(pngSize(contents(file("o.png"))), (std::pair<uint32_t, uint32_t>{320, 90}));
    j = jsonOf(runCli("object " + disc() + " 00010 50 -o " + file("u.png") + " --json"), "object", 1);
    EXPECT_EQ(j["shown"], false);

    // The emulator's messages as the text output gives them; the registers the run left.
    j = jsonOf(render("--keys down,select --json", "page1.png"), "render");
    EXPECT_EQ(j["messages"], Json::parse(R"j(["PSR10: FFFF (65535), PSR11: 00 (0)", "PSR10: 0001, PSR11: 00",
                                              "PSR10: 0000 (0), PSR11: 01 (1)"])j"));
    EXPECT_EQ(j["selected_button"], 0);
    EXPECT_EQ(j["page_id"], 1);
    EXPECT_EQ(j["written"], true);

    j = jsonOf(runCli("extract " + disc() + " 00011 --pid 1200 --no-sup --out " + disc() + " --json"), "extract");
    EXPECT_EQ(j["output"], file("00011_PID1200_PG_eng.pgs"));
    EXPECT_EQ(j["mode"], "elementary");
    EXPECT_EQ(j["packets_on_pid"], 12);
    EXPECT_EQ(j["bytes_written"], fs::file_size(file("00011_PID1200_PG_eng.pgs")));
}

TEST_F(IgDemoDisc, MenuRefusesWhatIsNotAMenu)
{
    const auto pg = runCli("menu " + disc() + " 00010 --pid 1200");
    EXPECT_EQ(pg.status, 1);
    EXPECT_EQ(pg.err, "mirtal-cli: Not an IGS\n");
    EXPECT_TRUE(pg.out.empty());
    const auto missing = runCli("menu " + disc() + " 00099");
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("Cannot open "), std::string::npos) << missing.err;
    const auto name = runCli("menu " + disc() + " ../../x");
    EXPECT_EQ(name.status, 1);
    EXPECT_NE(name.err.find("not a clip name: ../../x"), std::string::npos);
    EXPECT_EQ(runCli("menu " + disc()).status, 2);
    // A damaged stream: the composition ends inside its segment.
    const std::string stream = file("BDMV/STREAM/00010.m2ts");
    fs::resize_file(stream, 192 * 5 + 17);
    const auto cut = runCli("menu " + disc() + " 00010");
    EXPECT_EQ(cut.status, 1) << cut.out;
    EXPECT_NE(cut.err.find("The IG stream of 00010.m2ts ends inside a segment (type 0x18, "), std::string::npos)
        << cut.err;
    EXPECT_EQ(cut.out.find("[Page 0]"), std::string::npos);
}

TEST_F(IgDemoDisc, RenderRunsStartThenKeysAndClicksInCommandLineOrder)
{
    const auto plain = render("", "plain.png");
    ASSERT_EQ(plain.status, 0) << plain.err;
    // PSR 11 holds the page id before Start; Start's auto-action button selects button 0.
    EXPECT_EQ(plain.out, "PSR10: FFFF (65535), PSR11: 00 (0)\n");
    EXPECT_EQ(pngSize(contents(file("plain.png"))), (std::pair<uint32_t, uint32_t>{1920, 1080}));

    const auto down = render("--keys down", "down.png");
    ASSERT_EQ(down.status, 0) << down.err;
    EXPECT_NE(contents(file("down.png")), contents(file("plain.png")));
    // Down and back up again draws the page as Start left it, in one --keys or in two.
    ASSERT_EQ(render("--keys down,up", "downup.png").status, 0);
    ASSERT_EQ(render("--keys down --keys UP", "twice.png").status, 0);
    EXPECT_EQ(contents(file("downup.png")), contents(file("plain.png")));
    EXPECT_EQ(contents(file("twice.png")), contents(file("plain.png")));

    // The emulator's messages on standard output: Select on button 1 changes the page.
    const auto page = render("--keys down,select", "page1.png");
    ASSERT_EQ(page.status, 0) << page.err;
    EXPECT_EQ(page.out,
              "PSR10: FFFF (65535), PSR11: 00 (0)\n"
              "PSR10: 0001, PSR11: 00\n"
              "PSR10: 0000 (0), PSR11: 01 (1)\n");
    // A click on the selected button (0 at 200,400) activates it; after Down the same click
    // reaches button 0 as the upper neighbour of button 1 and only moves there.
    const auto clickFirst = render("--click 210,410 --keys down", "a.png");
    const auto keysFirst = render("--keys down --click 210,410", "b.png");
    EXPECT_EQ(clickFirst.out, "PSR10: FFFF (65535), PSR11: 00 (0)\n210, 410\nPSR10: 0000, PSR11: 00\nPlay PL 1\n");
    EXPECT_EQ(keysFirst.out, "PSR10: FFFF (65535), PSR11: 00 (0)\n210, 410\n");
    EXPECT_EQ(contents(file("b.png")), contents(file("plain.png")));
    EXPECT_NE(contents(file("a.png")), contents(file("b.png")));
    // The second page after its own Start.
    const auto second = runCli("render " + disc() + " 00010 --page 1 -o " + file("p1.png"));
    EXPECT_EQ(second.out, "PSR10: FFFF (65535), PSR11: 01 (1)\n");

    EXPECT_EQ(render("--keys down,sideways", "x.png").status, 2);
    EXPECT_EQ(render("--click 10", "x.png").status, 2);
    EXPECT_EQ(runCli("render " + disc() + " 00010 --page 2 -o " + file("x.png")).status, 1);
    EXPECT_EQ(runCli("render " + disc() + " 00010 --page 0 --pid 1200 -o " + file("x.png")).status, 1);
}

TEST_F(IgDemoDisc, ObjectShowsAnObjectOrItsPalette)
{
    const auto obj = runCli("object " + disc() + " 00010 0 -o " + file("o.png"));
    ASSERT_EQ(obj.status, 0) << obj.err;
    EXPECT_EQ(obj.out, "Size: 320x90,  Object: 0000,  Palette: 00,  RLE pixel data: 1112 (28800)\n");
    EXPECT_EQ(pngSize(contents(file("o.png"))), (std::pair<uint32_t, uint32_t>{320, 90}));
    const auto other = runCli("object " + disc() + " 00010 A --palette 0 -o " + file("a.png"));
    ASSERT_EQ(other.status, 0);
    EXPECT_EQ(other.out.substr(0, 30), "Size: 320x90,  Object: 000A,  ");
    EXPECT_NE(contents(file("a.png")), contents(file("o.png")));
    const auto view = runCli("object " + disc() + " 00010 0 --palette 0 --palette-view -o " + file("p.png"));
    ASSERT_EQ(view.status, 0);
    EXPECT_EQ(view.out, "Palette: 00\n");
    EXPECT_EQ(pngSize(contents(file("p.png"))), (std::pair<uint32_t, uint32_t>{350, 180}));
    const auto none = runCli("object " + disc() + " 00010 FFFF -o " + file("n.png"));
    EXPECT_EQ(none.out, "No object assigned\n");
    EXPECT_EQ(pngSize(contents(file("n.png"))), (std::pair<uint32_t, uint32_t>{1, 1}));
    const auto unknown = runCli("object " + disc() + " 00010 50 -o " + file("u.png"));
    EXPECT_EQ(unknown.status, 1);
    EXPECT_NE(unknown.err.find("object 0050 cannot be shown"), std::string::npos);
}

TEST_F(IgDemoDisc, ExtractNamesItsOutputByModeAndFailsOnBadInput)
{
    const std::string out = " --out " + disc();
    struct Case {
        const char* args;
        const char* name;
    };
    for (const Case& c : {Case{"00010 --pid 1400 --pes --no-sup", "00010_PID1400_IG_eng.sup"},    // IG: always SUP
                          Case{"00011 --pid 1200", "00011_PID1200_PG_eng.sup"},
                          Case{"00011 --pid 1200 --no-sup", "00011_PID1200_PG_eng.pgs"},
                          Case{"00011 --pid 1200 --pes --no-sup", "00011_PID1200_PG_eng.PES.pgs"},
                          Case{"00011 --pid 1011", "00011_PID1011_AVC_1080p_23.976_16_9.vis"},
                          Case{"00011 --pid 1011 --pes", "00011_PID1011_AVC_1080p_23.976_16_9.PES.vis"}}) {
        const auto r = runCli("extract " + disc() + " " + c.args + out);
        EXPECT_EQ(r.status, 0) << c.args << ": " << r.err;
        EXPECT_EQ(r.out, file(c.name) + "\n") << c.args;
        EXPECT_GT(fs::file_size(file(c.name)), 0u) << c.args;
        EXPECT_NE(r.err.find(std::string("Saving ") + c.name + " ..."), std::string::npos);
    }
    EXPECT_EQ(contents(file("00011_PID1200_PG_eng.sup")).substr(0, 2), "PG");
    EXPECT_NE(runCli("extract " + disc() + " 00011 --pid 1200 --no-sup" + out).err.find("12 source packets saved."),
              std::string::npos);

    // A PID the clip does not carry, a missing clip, a damaged stream: an error line and 1.
    const auto pid = runCli("extract " + disc() + " 00011 --pid 1300" + out);
    EXPECT_EQ(pid.status, 1);
    EXPECT_TRUE(pid.out.empty());
    EXPECT_NE(pid.err.find("No source packets on PID 1300"), std::string::npos) << pid.err;
    const auto missing = runCli("extract " + disc() + " 00098 --pid 1011" + out);
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("Cannot open 00098.m2ts"), std::string::npos) << missing.err;
    {
        std::ofstream damage(file("BDMV/STREAM/00011.m2ts"), std::ios::binary | std::ios::trunc);
        damage << std::string(192 * 3, 'x');
    }
    const auto damaged = runCli("extract " + disc() + " 00011 --pid 1011" + out);
    EXPECT_EQ(damaged.status, 1);
    EXPECT_NE(damaged.err.find("No source packets on PID 1011"), std::string::npos);
    EXPECT_EQ(runCli("extract " + disc() + " 00011 --pid 2000" + out).status, 2);
    EXPECT_EQ(runCli("extract " + disc() + " 00011" + out).status, 2);
}

TEST_F(IgDemoDisc, MenuProgramWritesEveryButtonsCommandsAsProgramText)
{
    const auto r = runCli("menu " + disc() + " 00010 --program");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("button 0x0004    ; auto action\n    SetButtonPage 0, (0)\n"), std::string::npos) << r.out;
    std::vector<mirtal::hdmv::ProgramError> errors;
    const auto sections = mirtal::hdmv::parseProgram(r.out, "button", errors);
    ASSERT_TRUE(errors.empty()) << mirtal::hdmv::errorText(errors.front());
    // Page 0's five buttons, then page 1's two; button 1 of page 0 goes to page 1, button 0.
    ASSERT_EQ(sections.size(), 8u);
    EXPECT_EQ(sections[2].header, "0x0001");
    EXPECT_EQ(sections[2].commands, (mirtal::hdmv::CommandList{{0x51C00003, 0x80000000, 0x80000001}}));
}
