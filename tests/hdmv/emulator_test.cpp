#include "hdmv/emulator.h"

#include "fake_menu_view.h"
#include "support/recording_reporter.h"

#include <gtest/gtest.h>

#include <random>

using namespace mirtal;
using namespace mirtal::hdmv;
using mirtal::hdmv::testing::FakeMenuView;

namespace {

constexpr uint32_t kPsr = 0x80000000;

// Command builders: "i" for an immediate source.
TNavCommand moveI(uint32_t gpr, uint32_t value) { return {0x50400001, gpr, value}; }
TNavCommand setI(uint32_t option, uint32_t dst, uint32_t value) { return {0x50400000 | option, dst, value}; }
TNavCommand setR(uint32_t option, uint32_t dst, uint32_t src) { return {0x50000000 | option, dst, src}; }
TNavCommand cmpI(uint32_t option, uint32_t dst, uint32_t value) { return {0x48400000 | (option << 8), dst, value}; }
TNavCommand gotoI(uint32_t line) { return {0x20810000, line, 0}; }

struct Rig {
    support::RecordingReporter sink;
    core::Report report{sink};
    Registers regs;
    Emulator emu{regs, report};

    ExecResult run(const CommandList& list, int32_t from = 0)
    {
        emu.CurrentLine = from;
        return emu.ExecComm(list);
    }
    std::vector<std::string> messages() const
    {
        std::vector<std::string> out;
        for (const auto& [panel, text] : sink.status)
            if (panel == 1)
                out.push_back(text);
        return out;
    }
};

}  // namespace

TEST(ExecComm, CompareTrueTakesTheGoTo)
{
    Rig r;
    const CommandList prog = {moveI(0, 5), setI(3, 0, 3), cmpI(2, 0, 8), gotoI(5), moveI(1, 111), {0x01040000, 0, 0}};
    const auto res = r.run(prog);
    EXPECT_EQ(r.regs.gpr[0], 8u);
    EXPECT_EQ(r.regs.gpr[1], 0u);    // jumped over
    EXPECT_EQ(r.messages(), (std::vector<std::string>{"Resume"}));
    EXPECT_EQ(res.executed, 5u);
    EXPECT_EQ(r.emu.CurrentLine, 6);
    EXPECT_FALSE(r.emu.RunPending);
}

TEST(ExecComm, CompareFalseSkipsTheGoTo)
{
    Rig r;
    const CommandList prog = {moveI(0, 5), setI(3, 0, 2), cmpI(2, 0, 8), gotoI(5), moveI(1, 111), {0x01040000, 0, 0}};
    r.run(prog);
    EXPECT_EQ(r.regs.gpr[0], 7u);
    EXPECT_EQ(r.regs.gpr[1], 111u);
}

TEST(ExecComm, CompareConditionsAreUnsignedAndZeroReusesTheLastOutcome)
{
    Rig r;
    // GPR0 = 0xFFFFFFFF > 1 unsigned: GT true, so Move GPR1 runs; BC with a zero mask is false.
    const CommandList prog = {moveI(0, 0xFFFFFFFF), cmpI(5, 0, 1), moveI(1, 1), cmpI(1, 0, 0), moveI(2, 1),
                              {0x48400000 | 0x0800, 0, 0}, moveI(3, 1)};
    r.run(prog);
    EXPECT_EQ(r.regs.gpr[1], 1u);
    EXPECT_EQ(r.regs.gpr[2], 0u);
    EXPECT_EQ(r.regs.gpr[3], 0u);    // bits 10-8 zero: the previous (false) outcome again
    Rig fresh;
    fresh.run({{0x48400800, 0, 0}, moveI(3, 1)});    // no compare before: false
    EXPECT_EQ(fresh.regs.gpr[3], 0u);
}

TEST(ExecComm, FalseCompareAsLastCommandEndsTheRun)
{
    Rig r;
    const auto res = r.run({moveI(0, 1), cmpI(2, 0, 2)});
    EXPECT_EQ(res.executed, 2u);
    EXPECT_FALSE(r.emu.RunPending);
    EXPECT_EQ(r.emu.CurrentLine, 3);
}

TEST(ExecComm, SwapExchangesAndImmediateSourceOnlySetsTheDestination)
{
    Rig r;
    r.run({moveI(1, 10), moveI(2, 20), setR(2, 1, 2)});
    EXPECT_EQ(r.regs.gpr[1], 20u);
    EXPECT_EQ(r.regs.gpr[2], 10u);
    r.run({setI(2, 1, 99)});
    EXPECT_EQ(r.regs.gpr[1], 99u);
    EXPECT_EQ(r.regs.gpr[2], 10u);
}

TEST(ExecComm, ArithmeticAndBitOperations)
{
    Rig r;
    r.run({moveI(0, 0xF0), setI(13, 0, 3),                  // bit 3 already 0: unchanged
           moveI(1, 1), setI(14, 1, 33),                     // shift left by 33 = by 1
           moveI(2, 7), setI(6, 2, 0),                       // div by 0
           moveI(3, 7), setI(7, 3, 0),                       // mod by 0
           moveI(4, 3), setI(4, 4, 5),                       // 3 - 5 wraps
           moveI(5, 0x10000), setI(5, 5, 0x10001),           // low 32 bits of the product
           moveI(6, 0x80000000), setI(15, 6, 31),            // zeros shifted in
           moveI(7, 0), setI(12, 7, 36),                     // bit set 4
           moveI(8, 0xF0F0), setI(9, 8, 0xFF), setI(10, 8, 0x1), setI(11, 8, 0x3),
           moveI(9, 17), setI(6, 9, 5), moveI(10, 17), setI(7, 10, 5)});
    EXPECT_EQ(r.regs.gpr[0], 0xF0u);
    EXPECT_EQ(r.regs.gpr[1], 2u);
    EXPECT_EQ(r.regs.gpr[2], 0xFFFFFFFFu);
    EXPECT_EQ(r.regs.gpr[3], 0xFFFFFFFFu);
    EXPECT_EQ(r.regs.gpr[4], 0xFFFFFFFEu);
    EXPECT_EQ(r.regs.gpr[5], 0x10000u);
    EXPECT_EQ(r.regs.gpr[6], 1u);
    EXPECT_EQ(r.regs.gpr[7], 16u);
    EXPECT_EQ(r.regs.gpr[8], 0xF2u);    // (0xF0F0 & 0xFF) | 1 ^ 3
    EXPECT_EQ(r.regs.gpr[9], 3u);
    EXPECT_EQ(r.regs.gpr[10], 2u);
}

TEST(ExecComm, RndStaysBelowYAndRepeatsPerEmulator)
{
    std::vector<uint32_t> first;
    for (int pass = 0; pass < 2; ++pass) {
        Rig r;
        std::vector<uint32_t> values;
        for (int i = 0; i < 200; ++i) {
            r.run({setI(8, 0, 6)});
            EXPECT_LT(r.regs.gpr[0], 6u);
            values.push_back(r.regs.gpr[0]);
        }
        if (pass == 0)
            first = values;
        else
            EXPECT_EQ(values, first);
    }
    EXPECT_EQ(std::set<uint32_t>(first.begin(), first.end()).size(), 6u);
    Rig r;
    r.run({setI(8, 0, 0)});
    EXPECT_EQ(r.regs.gpr[0], 0u);
    EXPECT_EQ(r.emu.seed(), 1u);    // the generator still advances
}

TEST(ExecComm, SetWithImmediateDestinationWritesNothing)
{
    Rig r;
    r.run({{0x50C00001, 0, 5}});
    EXPECT_EQ(r.regs.gpr[0], 0u);
}

TEST(ExecComm, PsrOperandsUseBits6To0)
{
    Rig r;
    r.run({{0x50400001, kPsr | 0x7FFFFF85, 42}, {0x50000001, 3, kPsr | 5}});
    EXPECT_EQ(r.regs.psr[5], 42u);
    EXPECT_EQ(r.regs.gpr[3], 42u);
}

TEST(ExecComm, PlayJumpAndLinkMessagesAndRegisters)
{
    Rig r;
    r.run({{0x22800000, 3, 0},
           {0x21810000, 2, 0},
           {0x42C10000, 1, 0},
           {0x42C20000, 4, 7},
           {0x22850000, 2, 0},
           {0x22840000, 6, 0},
           {0x21800000, 9, 0},
           {0x21830000, 5, 0},
           {0x21820000, 8, 0},
           {0x02030000, 0, 0},
           {0x11000007, 0, 0},
           {0x11000008, 0, 0},
           {0x11000009, 0, 0}});
    EXPECT_EQ(r.messages(), (std::vector<std::string>{"Play PL 3", "Jump Title 2", "Play PLatPI 1, 0",
                                                      "Play PLatMK 4, 7", "Link MK 2", "Link PI 6", "Jump Object 9",
                                                      "Call Title 5", "Call Object 8", "Terminate PL",
                                                      "Pop up Menu Off", "Still On", "Still Off"}));
    EXPECT_EQ(r.regs.psr[6], 4u);
    EXPECT_EQ(r.regs.psr[4], 5u);
    EXPECT_EQ(r.regs.psr[5], 3u);    // Link MK 2
    EXPECT_EQ(r.regs.psr[7], 6u);
    EXPECT_EQ(r.sink.waits.size(), 13u);
    EXPECT_EQ(r.sink.waits[0], 500);
}

TEST(ExecComm, PlayFromRegisters)
{
    Rig r;
    r.run({moveI(1, 12), moveI(2, 3), {0x42010000, 1, 2}, {0x22000000, 1, 0}});
    EXPECT_EQ(r.messages(), (std::vector<std::string>{"Play PLatPI 12, 3", "Play PL 12"}));
    EXPECT_EQ(r.regs.psr[7], 3u);
}

TEST(ExecComm, MinusOneOnlyPositions)
{
    Rig r;
    const auto res = r.run({moveI(0, 1)}, -1);
    EXPECT_EQ(res.executed, 0u);
    EXPECT_EQ(r.regs.gpr[0], 0u);
    EXPECT_EQ(r.emu.CurrentLine, 0);
    EXPECT_TRUE(r.emu.RunPending);
    r.run({}, -1);
    EXPECT_FALSE(r.emu.RunPending);
    EXPECT_EQ(r.emu.CurrentLine, 0);
}

TEST(ExecComm, GoToOutsideEndsAndNegativeTargetResetsToZero)
{
    Rig r;
    r.run({gotoI(7), moveI(0, 1)});
    EXPECT_EQ(r.emu.CurrentLine, 7);
    EXPECT_FALSE(r.emu.RunPending);
    EXPECT_EQ(r.regs.gpr[0], 0u);
    r.run({gotoI(0xFFFFFFFF), moveI(0, 1)});
    EXPECT_EQ(r.emu.CurrentLine, 0);
    EXPECT_TRUE(r.emu.RunPending);
    r.run({gotoI(0x80000000)});
    EXPECT_EQ(r.emu.CurrentLine, 0);
    r.run({gotoI(0x7FFFFFFF)});
    EXPECT_EQ(r.emu.CurrentLine, 0x7FFFFFFF);
    // A register GoTo.
    r.run({moveI(0, 3), {0x20010000, 0, 0}, moveI(1, 5), moveI(2, 6)});
    EXPECT_EQ(r.regs.gpr[1], 0u);
    EXPECT_EQ(r.regs.gpr[2], 6u);
}

TEST(ExecComm, NamelessBranchEndsOnItsLine)
{
    Rig r;
    const auto res = r.run({moveI(0, 1), {0x20000000, 0, 0}, moveI(1, 1)});
    EXPECT_EQ(res.executed, 2u);
    EXPECT_EQ(r.emu.CurrentLine, 1);
    EXPECT_TRUE(r.emu.RunPending);
    EXPECT_EQ(r.regs.gpr[1], 0u);
}

TEST(ExecComm, TraceStepsOneCommandAndCallsTheDisplay)
{
    Rig r;
    std::vector<int32_t> shown;
    r.emu.onTraceDisplay = [&shown](const CommandList&, int32_t line) { shown.push_back(line); };
    r.emu.trace = true;
    const CommandList prog = {moveI(0, 1), moveI(1, 2), moveI(2, 3)};
    r.run(prog, -1);
    EXPECT_TRUE(r.emu.startCaptionBold());
    for (int step = 0; step < 3; ++step)
        r.emu.ExecComm(prog);
    EXPECT_EQ(r.regs.gpr[2], 3u);
    EXPECT_FALSE(r.emu.RunPending);
    EXPECT_FALSE(r.emu.startCaptionBold());
    EXPECT_EQ(shown, (std::vector<int32_t>{0, 1, 2}));
}

TEST(ExecComm, StepLimitStopsAnEndlessLoop)
{
    Rig r;
    r.emu.maxSteps = 1000;
    const auto res = r.run({setI(3, 0, 1), gotoI(0)});
    EXPECT_TRUE(res.stepLimitReached);
    EXPECT_EQ(res.executed, 1000u);
    EXPECT_EQ(r.regs.gpr[0], 500u);
    EXPECT_EQ(r.emu.CurrentLine, 0);
    EXPECT_FALSE(r.emu.RunPending);
    EXPECT_TRUE(r.sink.hasLine("Run stopped after 1000 commands: step limit reached"));
}

TEST(ExecComm, DefaultStepLimitBoundsARun)
{
    Rig r;
    const auto res = r.run({gotoI(0)});
    EXPECT_TRUE(res.stepLimitReached);
    EXPECT_EQ(res.executed, kDefaultMaxSteps);
}

TEST(ExecComm, CancelStopsALongRun)
{
    Rig r;
    r.emu.maxSteps = 0;
    r.sink.cancelAfter = 2;
    const auto res = r.run({gotoI(0)});
    EXPECT_TRUE(res.cancelled);
    EXPECT_FALSE(r.emu.RunPending);
    EXPECT_EQ(res.executed, 3u * 4096u);
}

TEST(ExecComm, SetStreamFromImmediatesAndPackedRegisters)
{
    Rig r;
    r.run({{0x51C00001, 0x8003C005, 0x80028004}});
    EXPECT_EQ(r.regs.psr[1], 3u);
    EXPECT_EQ(r.regs.psr[2], 0x8FFF0005u);    // bit 14 to bit 31, PiP part kept
    EXPECT_EQ(r.regs.psr[0], 2u);
    EXPECT_EQ(r.regs.psr[3], 4u);
    Rig g;
    g.regs.gpr[1] = 0x1234;    // audio: low byte 0x34
    g.regs.gpr[2] = 0x0ABC;
    g.run({{0x51000001, 0x80018002, 0x00000000}});
    EXPECT_EQ(g.regs.psr[1], 0x34u);
    EXPECT_EQ(g.regs.psr[2], 0x0FFF0ABCu);
    EXPECT_EQ(g.regs.psr[0], 1u);    // source flags clear: unchanged
}

TEST(ExecComm, SetButtonPageWithoutMenuSetsRegistersAndEndsTheRun)
{
    Rig r;
    const auto res = r.run({{0x51C00003, 0x80000005, 0x80000002}, moveI(0, 1)});
    EXPECT_EQ(r.regs.psr[10], 5u);
    EXPECT_EQ(r.regs.psr[11], 2u);
    EXPECT_EQ(r.regs.gpr[0], 0u);
    EXPECT_EQ(res.executed, 1u);
    EXPECT_FALSE(r.emu.RunPending);
    FakeMenuView inactive;
    inactive.active = false;
    r.emu.setMenuView(&inactive);
    r.run({{0x51000003, 0x80000001, 0x00000000}, moveI(0, 1)});
    EXPECT_EQ(r.regs.psr[10], 0u);    // GPR1 & 0xFFFF
    EXPECT_TRUE(inactive.calls.empty());
    EXPECT_EQ(r.regs.gpr[0], 0u);
}

TEST(ExecComm, ButtonCommandsWithoutActiveMenuDoNothing)
{
    Rig r;
    r.run({{0x31800004, 1, 0}, {0x31800005, 1, 0}, moveI(0, 1)});
    EXPECT_EQ(r.regs.psr[10], 0xFFFFu);
    EXPECT_EQ(r.regs.gpr[0], 1u);
}

namespace {

struct MenuRig : Rig {
    FakeMenuView view;
    MenuRig()
    {
        // Buttons 0, 1 in BOG 0; 2, 3 in BOG 1.
        view.buttons = {{0, true}, {0, false}, {1, true}, {1, false}};
        emu.setMenuView(&view);
    }
};

}  // namespace

TEST(ExecComm, SetButtonPageOnTheMenuEnablesRedrawsAndEnds)
{
    MenuRig m;
    m.regs.psr[10] = 0;
    m.run({{0x51800003, 0x80000001, 0}, moveI(0, 1)});
    EXPECT_EQ(m.regs.psr[10], 1u);
    EXPECT_EQ(m.view.calls, (std::vector<std::string>{"enable 1", "DrawButton 0", "DrawSButton"}));
    EXPECT_FALSE(m.view.buttons[0].enabled);
    EXPECT_TRUE(m.view.buttons[1].enabled);
    EXPECT_EQ(m.regs.gpr[0], 0u);
    m.view.calls.clear();
    m.run({{0x51C00003, 0x80000003, 0x80000002}});
    EXPECT_EQ(m.view.calls, (std::vector<std::string>{"enable 3", "page 2", "DrawPage"}));
    EXPECT_EQ(m.regs.psr[11], 2u);
}

TEST(ExecComm, SetButtonPageContinuesWithAnAutoActionButton)
{
    MenuRig m;
    m.view.autoAction[{0, 2}] = {moveI(7, 77), {0x21810000, 4, 0}};
    const auto res = m.run({{0x51800003, 0x80000002, 0}, moveI(0, 1)});
    EXPECT_EQ(m.regs.gpr[7], 77u);
    EXPECT_EQ(m.regs.gpr[0], 0u);
    EXPECT_EQ(m.messages(), (std::vector<std::string>{"Jump Title 4"}));
    EXPECT_TRUE(res.continuedWithButton);
    EXPECT_EQ(res.continuedButton, 2);
    EXPECT_EQ(res.program.size(), 2u);
    EXPECT_EQ(m.view.calls.back(), "list 2");
    EXPECT_EQ(res.executed, 3u);
}

TEST(ExecComm, AutoActionLoopIsBoundedByTheStepLimit)
{
    MenuRig m;
    m.emu.maxSteps = 50;
    m.view.autoAction[{0, 1}] = {{0x51800003, 0x80000001, 0}};
    const auto res = m.run({{0x51800003, 0x80000001, 0}});
    EXPECT_TRUE(res.stepLimitReached);
    EXPECT_EQ(res.executed, 50u);
}

TEST(ExecComm, TracedAutoActionPendsOnTheButtonsFirstLine)
{
    MenuRig m;
    m.emu.trace = true;
    m.view.autoAction[{0, 2}] = {moveI(7, 77)};
    std::vector<std::pair<size_t, int32_t>> shown;
    m.emu.onTraceDisplay = [&shown](const CommandList& p, int32_t line) { shown.emplace_back(p.size(), line); };
    const auto res = m.run({{0x51800003, 0x80000002, 0}, moveI(0, 1), moveI(1, 1)});
    EXPECT_TRUE(m.emu.RunPending);
    EXPECT_EQ(m.emu.CurrentLine, 0);
    EXPECT_EQ(res.program.size(), 1u);
    EXPECT_EQ(shown, (std::vector<std::pair<size_t, int32_t>>{{1, 0}}));
}

TEST(ExecComm, EnableButtonInTheSelectedBogSelectsItAtTheEnd)
{
    MenuRig m;
    m.regs.psr[10] = 0;
    m.run({{0x31800004, 1, 0}, moveI(0, 1)});
    EXPECT_EQ(m.regs.psr[10], 1u);
    EXPECT_TRUE(m.view.buttons[1].enabled);
    EXPECT_FALSE(m.view.buttons[0].enabled);
    EXPECT_EQ(m.view.calls, (std::vector<std::string>{"enable 1", "DrawButton 1", "DrawSButton"}));
    // Another BOG: the selection stays.
    m.view.calls.clear();
    m.run({{0x31800004, 3, 0}});
    EXPECT_EQ(m.regs.psr[10], 1u);
    EXPECT_EQ(m.view.calls, (std::vector<std::string>{"enable 3", "DrawButton 3"}));
    // No selection (0xFFFF) matches no BOG, an id outside the table changes no entry.
    m.regs.psr[10] = 0xFFFF;
    m.view.calls.clear();
    m.run({{0x31800004, 0xFFFF, 0}});
    EXPECT_EQ(m.regs.psr[10], 0xFFFFu);
    EXPECT_EQ(m.view.calls, (std::vector<std::string>{"DrawButton 65535"}));
}

TEST(ExecComm, EnableButtonRememberedIsDroppedWhenAButtonWasSelectedMeanwhile)
{
    MenuRig m;
    m.regs.psr[10] = 0;
    m.run({{0x31800004, 1, 0}, {0x50400001, kPsr | 10, 3}});
    EXPECT_EQ(m.regs.psr[10], 3u);
}

TEST(ExecComm, DisableButtonClearsAndErases)
{
    MenuRig m;
    m.regs.gpr[4] = 2;
    m.run({{0x31000005, 4, 0}});
    EXPECT_FALSE(m.view.buttons[2].enabled);
    EXPECT_EQ(m.view.calls, (std::vector<std::string>{"disable 2", "DelButton 2"}));
}

TEST(Operands, PackedRegisterFormsAndStores)
{
    Rig r;
    r.regs.gpr[1] = 0xAB12;
    r.regs.gpr[2] = 0x1FFF;
    Emulator& e = r.emu;
    EXPECT_EQ(e.getop1({0x51000001, 0x8001C002, 0}), 0x8000C000u + (0x12u << 16) + 0xFFFu);
    EXPECT_EQ(e.getop2({0x51000003, 0, 0x80000001}), 0x80000000u + 0xAB12u);
    EXPECT_EQ(e.getop1({0x51400006, 0xC0858002, 0}), 0xC0800000u + (5u << 16) + 0xFFu);
    EXPECT_EQ(e.getop1({0x51800001, 0x12345678, 0}), 0x12345678u);    // immediate: as it is
    EXPECT_EQ(e.getop1({0x00000000, 1, 1}), 0u);                      // no operands
    EXPECT_EQ(e.getop2({0x50000001, 0, kPsr | 19}), 0x5553u);
    e.setdst({0x00000001, 5, 0}, 9);    // operand count 0: nothing
    EXPECT_EQ(r.regs.gpr[5], 0u);
    e.setsrc({0x50400001, 0, 5}, 9);    // immediate source: nothing
    EXPECT_EQ(r.regs.gpr[5], 0u);
    e.setsrc({0x50000001, 0, kPsr | 0x85}, 9);
    EXPECT_EQ(r.regs.psr[5], 9u);
    e.setdst({0x50000001, 0xFFFF7005, 0}, 4);
    EXPECT_EQ(r.regs.psr[5], 4u);
}

TEST(ExecComm, HostileProgramsNeverCrash)
{
    std::mt19937 rng(7);
    FakeMenuView view;
    view.buttons = {{0, true}, {0, false}, {1, true}};
    view.autoAction[{0, 1}] = {{0x51800003, 0x80000002, 0}, {0x20810000, 0, 0}};
    for (int round = 0; round < 300; ++round) {
        Rig r;
        r.emu.maxSteps = 2000;
        view.active = round % 2 == 0;
        r.emu.setMenuView(&view);
        CommandList prog;
        const size_t n = rng() % 20;
        for (size_t i = 0; i < n; ++i) {
            uint32_t o = static_cast<uint32_t>(rng());
            if (rng() % 2)    // bias towards words that do something
                o = (o & 0xFFC00000) | (rng() % 2 ? 0x00000000 : (rng() & 0x0F0F1F));
            prog.push_back({o, static_cast<uint32_t>(rng()), static_cast<uint32_t>(rng())});
        }
        r.emu.trace = round % 3 == 0;
        r.emu.CurrentLine = static_cast<int32_t>(rng() % 24) - 2;
        for (int call = 0; call < 3; ++call) {
            const auto res = r.emu.ExecComm(prog);
            EXPECT_LE(res.executed, 2000u);
            EXPECT_GE(r.emu.CurrentLine, 0);
        }
    }
}
