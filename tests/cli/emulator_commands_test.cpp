// mirtal-cli commands, decode and run over the demo disc.
#include "cli_run.h"
#include "support/disc_builder.h"
#include "support/sample_disc.h"

#include <gtest/gtest.h>

using mirtal::support::TempDir;

namespace {

class DemoPrograms : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(runCli("sample " + dir.path().string()).status, 0); }
    TempDir dir{"cli-run"};
};

}  // namespace

TEST_F(DemoPrograms, CommandGridOfAnObject)
{
    const auto r = runCli("commands " + dir.path().string() + " 0");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.substr(0, r.out.find('\n')), "No.\tOpcode\tDestinat.\tSource\tCommand line");
    EXPECT_NE(r.out.find("0002\t48400200\t00000000\t00000003\tEQ GPR0, 3\n"), std::string::npos);
    EXPECT_NE(r.out.find("0003\t20810000\t00000005\t00000000\tGoTo 5\n"), std::string::npos);
    EXPECT_EQ(runCli("commands " + dir.path().string() + " 99").status, 1);
    EXPECT_EQ(runCli("commands " + dir.path().string() + " x").status, 2);
}

TEST_F(DemoPrograms, RunPrintsMessagesThenTheListings)
{
    const auto r = runCli("run " + dir.path().string() + " 0");
    ASSERT_EQ(r.status, 0) << r.err;
    // The compare holds, so the GoTo skips Jump Title 2.
    EXPECT_EQ(r.out.rfind("Play PL 0\nJump Title 1\nPSR0: 00000001 (1) - ", 0), 0u);
    EXPECT_NE(r.out.find("\nPSR4: 00000001 (1) - Title Number"), std::string::npos);
    EXPECT_NE(r.out.find("\nPSR19: 00005553 (21843) - Country Code"), std::string::npos);
    EXPECT_NE(r.out.find("GPR0: 00000003 (3)   "), std::string::npos);
    EXPECT_EQ(r.out.find("[b]"), std::string::npos);

    const auto other = runCli("run " + dir.path().string() + " 0 --country 4A50 --region C");
    EXPECT_NE(other.out.find("\nPSR19: 00004A50 (19024)"), std::string::npos);
    EXPECT_NE(other.out.find("\nPSR20: 00000004 (4)"), std::string::npos);
    EXPECT_EQ(runCli("run " + dir.path().string() + " 0 --region D").status, 2);
}

TEST_F(DemoPrograms, TracePrintsEachStepFirst)
{
    const auto r = runCli("run " + dir.path().string() + " 0 --trace");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.rfind("Line 0000 : 50400001 00000000 00000001 : Move GPR0, 1\n"
                          "Line 0001 : 50400003 00000000 00000002 : Add GPR0, 2\n"
                          "Line 0002 : 48400200 00000000 00000003 : EQ GPR0, 3\n"
                          "Line 0003 : 20810000 00000005 00000000 : GoTo 5\n"
                          "Line 0005 : 22800000 00000000 00000000 : Play PL 0\n"
                          "Play PL 0\n",
                          0),
              0u);
}

TEST(CliRun, AnEndlessProgramStopsAtTheStepLimit)
{
    TempDir dir("cli-loop");
    mirtal::support::DiscBuilder{}.title({}).object({false, false, false, {{0x20810000, 0, 0}}}).writeTo(dir.path());
    const auto r = runCli("run " + dir.path().string() + " 0 --max-steps 500");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("Run stopped after"), std::string::npos);
    EXPECT_NE(r.out.find("PSR0: "), std::string::npos);    // the listings still come
    // Traced into a document, step after step as they run.
    const Json j = jsonOf(runCli("run " + dir.path().string() + " 0 --max-steps 5000 --trace --json"), "run", 1);
    EXPECT_EQ(j["steps"].size(), 5000u);
    EXPECT_EQ(j["steps"][4999]["command_line"], "GoTo 0");
    EXPECT_EQ(j["step_limit_reached"], true);
}

TEST(CliDecode, CommandLineAndValidity)
{
    auto r = runCli("decode 48400200 00000000 00000001");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "EQ GPR0, 1\nValid\n");
    r = runCli("decode 50800001 00000001 00000000");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "Move 1, GPR0\nInvalid\n");
    r = runCli("decode 0x50400001 0x80000010 0x00656E67");
    EXPECT_EQ(r.out, "Move PSR16, 6647399       ;PSR16: Language Code for Audio (b23-b0)  [eng]\nValid\n");
    EXPECT_EQ(runCli("decode 1 2").status, 2);
    EXPECT_EQ(runCli("decode XYZ 0 0").status, 2);
}
