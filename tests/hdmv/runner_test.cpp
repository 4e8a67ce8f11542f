#include "hdmv/runner.h"

#include "support/recording_reporter.h"

#include <gtest/gtest.h>

using namespace mirtal;
using namespace mirtal::hdmv;

namespace {

struct Rig {
    support::RecordingReporter sink;
    core::Report report{sink};
    Registers regs;
    Emulator emu{regs, report};
};

const CommandList kThree = {{0x50400001, 0, 1}, {0x50400001, 1, 2}, {0x50400001, 2, 3}};

}  // namespace

TEST(StartObject, TracingThreeCommands)
{
    Rig r;
    r.emu.trace = true;
    std::vector<int32_t> shown;
    r.emu.onTraceDisplay = [&shown](const CommandList&, int32_t line) { shown.push_back(line); };

    auto s = startObject(r.emu, kThree);    // click 1: positions on line 0
    EXPECT_TRUE(s.restarted);
    EXPECT_EQ(s.exec.executed, 0u);
    EXPECT_TRUE(r.emu.RunPending);
    EXPECT_TRUE(r.emu.startCaptionBold());
    for (uint32_t click = 2; click <= 4; ++click) {
        s = startObject(r.emu, kThree);
        EXPECT_FALSE(s.restarted);
        EXPECT_EQ(s.exec.executed, 1u);
        EXPECT_EQ(r.regs.gpr[click - 2], click - 1);
    }
    EXPECT_FALSE(r.emu.RunPending);
    EXPECT_FALSE(r.emu.startCaptionBold());
    EXPECT_EQ(shown, (std::vector<int32_t>{0, 1, 2}));
    r.regs.gpr[0] = 0;
    s = startObject(r.emu, kThree);    // positions on line 0 again
    EXPECT_TRUE(s.restarted);
    EXPECT_EQ(s.exec.executed, 0u);
    EXPECT_EQ(r.emu.CurrentLine, 0);
    EXPECT_EQ(r.regs.gpr[0], 0u);
}

TEST(StartObject, TypedLineContinuesAPendingTrace)
{
    Rig r;
    r.emu.trace = true;
    (void)startObject(r.emu, kThree);
    r.emu.CurrentLine = 2;    // the command-line field was left with 2
    const auto s = startObject(r.emu, kThree);
    EXPECT_EQ(s.exec.executed, 1u);
    EXPECT_EQ(r.regs.gpr[2], 3u);
    EXPECT_EQ(r.regs.gpr[0], 0u);
}

TEST(StartObject, WithoutTraceRunsEverythingFromTheTop)
{
    Rig r;
    r.emu.CurrentLine = 2;
    r.emu.RunPending = true;
    const auto s = startObject(r.emu, kThree);
    EXPECT_TRUE(s.restarted);
    EXPECT_EQ(s.exec.executed, 3u);
    EXPECT_FALSE(r.emu.RunPending);
}

TEST(StartObject, EmptyListNeverPends)
{
    Rig r;
    r.emu.trace = true;
    (void)startObject(r.emu, {});
    EXPECT_FALSE(r.emu.RunPending);
    EXPECT_EQ(r.emu.CurrentLine, 0);
    r.emu.trace = false;
    (void)startObject(r.emu, {});
    EXPECT_FALSE(r.emu.RunPending);
}

TEST(StartButton, PositionsWhenTracingAndRunsOtherwise)
{
    Rig r;
    r.emu.trace = true;
    auto e = startButton(r.emu, kThree);
    EXPECT_EQ(e.executed, 0u);
    EXPECT_TRUE(r.emu.RunPending);
    r.emu.trace = false;
    e = startButton(r.emu, kThree);
    EXPECT_EQ(e.executed, 3u);
}

TEST(TraceStatusLine, EchoesTheRow)
{
    const CommandList list = {{0, 0, 0}, {0x50400001, 0x80000010, 0x00656E67}};
    EXPECT_EQ(traceStatusLine(list, 0), "Line 0000 : 00000000 00000000 00000000 : NOP");
    EXPECT_EQ(traceStatusLine(list, 1), "Line 0001 : 50400001 80000010 00656E67 : Move PSR16, 6647399       ;PSR16: "
                                        "Language Code for Audio (b23-b0)  [eng]");
    EXPECT_EQ(traceStatusLine(list, 2), "");
    EXPECT_EQ(traceStatusLine(list, -1), "");
}

TEST(TracePointer, PointsTheRegisterFields)
{
    const CommandList list = {{0x50400001, 5, 1},          {0x50400001, 0x8000000A, 1}, {0x50000001, 0x80000004, 7},
                              {0x20810000, 3, 0},          {0x50400001, 0x1005, 1},     {0x51000003, 0x80000007, 0}};
    auto p = tracePointer(list, 0);
    EXPECT_EQ(p.gpr, 5u);
    EXPECT_FALSE(p.psr);
    p = tracePointer(list, 1);
    EXPECT_FALSE(p.gpr);
    EXPECT_EQ(p.psr, 10u);
    p = tracePointer(list, 2);    // "Move PSR4, GPR7": both fields, the GPR one from the destination word
    EXPECT_EQ(p.gpr, 0u);
    EXPECT_EQ(p.psr, 4u);
    p = tracePointer(list, 3);
    EXPECT_FALSE(p.gpr);
    EXPECT_FALSE(p.psr);
    EXPECT_EQ(tracePointer(list, 4).gpr, 0u);    // the whole destination word 0x1005 is above 4095
    EXPECT_EQ(tracePointer(list, 5).gpr, 0u);
    EXPECT_FALSE(tracePointer(list, 9).gpr);
}
