#include "hdmv/command_edit.h"
#include "hdmv/command_text.h"

#include <gtest/gtest.h>

using namespace mirtal::hdmv;

namespace {

constexpr uint32_t kGoToImm = 0x20810000;

CommandList fiveLinesWithGoTo()
{
    return {{0x50400001, 0, 5}, {0x50400001, 1, 6}, {0, 0, 0}, {0x11000009, 0, 0}, {kGoToImm, 3, 0}};
}

}  // namespace

TEST(EditorFill, MoveWithPsrDestination)
{
    const auto f = editorFill({0x50400001, 0x80000010, 0x00656E67});
    EXPECT_EQ(f.group, 2);
    EXPECT_EQ(f.subGroups, (std::vector<std::string>{"Set", "SetSystem"}));
    EXPECT_EQ(f.subGroup, 0);
    ASSERT_EQ(f.options.size(), 16u);
    EXPECT_EQ(f.options[1], "Move");
    EXPECT_EQ(f.option, 1);
    EXPECT_TRUE(f.op1.enabled);
    EXPECT_TRUE(f.op2.enabled);
    EXPECT_EQ(f.op1.type, OperandType::PSR);
    EXPECT_EQ(f.op1.number, 16u);
    EXPECT_EQ(f.op1.word, 0x80000010u);
    EXPECT_EQ(f.op2.type, OperandType::Imm);
    EXPECT_EQ(f.op2.number, 0x00656E67u);
    EXPECT_EQ(f.hint, "PSR16: Language Code for Audio (b23-b0)");
    EXPECT_TRUE(f.valid);
}

TEST(EditorFill, OperandEnablesFollowBits30And29)
{
    EXPECT_FALSE(editorFill({0x00000000, 0, 0}).op1.enabled);
    const auto one = editorFill({0x20810000, 4, 0});
    EXPECT_TRUE(one.op1.enabled);
    EXPECT_FALSE(one.op2.enabled);
    EXPECT_EQ(one.op1.type, OperandType::Imm);
    EXPECT_EQ(one.hint, "Navigation commands");
    // Count 4 (bit 31 only): neither operand box.
    EXPECT_FALSE(editorFill({0x90000001, 0, 0}).op1.enabled);
}

TEST(EditorFill, PackedFormsShowImmAndSourcePsrHintWins)
{
    const auto f = editorFill({0x51400001, 0x80000001, 0x80000002});
    EXPECT_EQ(f.op1.type, OperandType::Imm);
    EXPECT_EQ(f.op2.type, OperandType::Imm);
    const auto g = editorFill({0x50000001, 0x80000004, 0x80000006});
    EXPECT_EQ(g.hint, "PSR6: PlayList id (b15-b0) {0-1999}");
    // PSR 41 and above give no hint.
    EXPECT_EQ(editorFill({0x50400001, 0x80000029, 0}).hint, "Navigation commands");
    EXPECT_EQ(editorFill({0x50400001, 0x00001FFF, 0}).op1.number, 0xFFFu);
}

TEST(EditorFill, UnlistedSelectionsAreMinusOne)
{
    const auto f = editorFill({0x58000001, 0, 0});    // group 3
    EXPECT_EQ(f.group, -1);
    EXPECT_TRUE(f.subGroups.empty());
    EXPECT_TRUE(f.options.empty());
    EXPECT_EQ(f.option, -1);
    const auto g = editorFill({0x0B000000, 0, 0});    // Compare sub-group 3
    EXPECT_EQ(g.subGroup, -1);
    EXPECT_EQ(editorFill({0x20810000 | 0x00090000, 0, 0}).option, -1);
    EXPECT_EQ(editorFill({0x50400001, 0x80000000, 0}).op1.numberText, "0");
    EXPECT_EQ(editorFill({0x50C00001, 0x80000000, 0}).op1.numberText, "-2147483648");
}

TEST(FieldWrites, GroupSubGroupAndOption)
{
    TNavCommand c{0x50400001, 1, 2};
    setGroup(c, 0);
    EXPECT_EQ(c.opcode, 0x40400000u);
    setSubGroup(c, 2);
    EXPECT_EQ(c.opcode, 0x42400000u);
    setOption(c, 1);
    EXPECT_EQ(c.opcode, 0x42410000u);
    setGroup(c, 1);    // the sub-group is reset with the option
    EXPECT_EQ(c.opcode, 0x48400000u);
    setOption(c, 7);
    EXPECT_EQ(c.opcode, 0x48400700u);
    setGroup(c, 2);
    setSubGroup(c, 1);
    setOption(c, 3);
    EXPECT_EQ(c.opcode, 0x51400003u);
}

TEST(FieldWrites, OperandBoxes)
{
    TNavCommand c{0x50400001, 1, 2};
    setOperand1Present(c, false);    // also unchecks operand 2
    EXPECT_EQ(c.opcode, 0x10400001u);
    setOperand2Present(c, true);     // also checks operand 1
    EXPECT_EQ(c.opcode, 0x50400001u);
    setOperand2Present(c, false);
    EXPECT_EQ(c.opcode, 0x30400001u);
    setOperand1Present(c, true);
    EXPECT_EQ(c.opcode, 0x30400001u);
    TNavCommand d{0xF0000001, 0, 0};    // count 7: both boxes shown checked
    setOperand1Present(d, true);
    EXPECT_EQ(d.opcode, 0x50000001u);
}

TEST(FieldWrites, TypesAndNumbers)
{
    TNavCommand c{0x50000001, 5, 0};
    setOperand1Type(c, OperandType::Imm);
    EXPECT_EQ(c.opcode, 0x50800001u);
    EXPECT_FALSE(isValidOpcode(c.opcode));
    setOperand1Type(c, OperandType::PSR);
    EXPECT_EQ(c.opcode, 0x50000001u);
    EXPECT_EQ(c.destination, 0x80000005u);
    setOperand1Type(c, OperandType::GPR);
    EXPECT_EQ(c.destination, 5u);
    setOperand1Number(c, 5, OperandType::PSR);
    EXPECT_EQ(c.destination, 0x80000005u);
    setOperand2Type(c, OperandType::Imm);
    EXPECT_EQ(c.opcode, 0x50400001u);
    setOperand2Number(c, -1, OperandType::Imm);
    EXPECT_EQ(c.source, 0xFFFFFFFFu);
    setOperand2Number(c, 0x100000005LL, OperandType::GPR);    // modulo 2^32
    EXPECT_EQ(c.source, 5u);
    EXPECT_EQ(operandTypeFromText("PSR"), OperandType::PSR);
    EXPECT_FALSE(operandTypeFromText("psr"));
    EXPECT_EQ(operandTypeText(OperandType::Imm), "Imm");
}

TEST(FieldWrites, OpcodeWordZeroClearsTheCommandAndInvalidToneIsReported)
{
    TNavCommand c{0x50400001, 7, 9};
    EXPECT_FALSE(setOpcodeWord(c, 0));
    EXPECT_EQ(c, (TNavCommand{0, 0, 0}));
    c = {0x50400001, 7, 9};
    EXPECT_TRUE(setOpcodeWord(c, 0x50800001));
    EXPECT_EQ(c, (TNavCommand{0x50800001, 7, 9}));
    setDestinationWord(c, 0xAB);
    setSourceWord(c, 0xCD);
    EXPECT_EQ(c, (TNavCommand{0x50800001, 0xAB, 0xCD}));
}

TEST(InsertLine, AfterLineTwoShiftsGoToTargets)
{
    auto list = fiveLinesWithGoTo();
    const auto edit = insertLine(list, 2);
    ASSERT_EQ(list.size(), 6u);
    EXPECT_EQ(edit.linesInserted, 1u);
    EXPECT_EQ(list[3], (TNavCommand{0, 0, 0}));
    EXPECT_EQ(list[5], (TNavCommand{kGoToImm, 4, 0}));
    EXPECT_EQ(edit.selectLine, 3u);
    EXPECT_EQ(edit.changedLines, (std::vector<size_t>{3, 4, 5}));
}

TEST(InsertLine, EmptyListGetsLineZeroAndLimitRefuses)
{
    CommandList empty;
    const auto e = insertLine(empty, 42);
    EXPECT_EQ(empty.size(), 1u);
    EXPECT_EQ(e.selectLine, 0u);
    CommandList full(kMaxCommandLines);
    EXPECT_EQ(insertLine(full, 0).linesInserted, 0u);
    EXPECT_EQ(full.size(), kMaxCommandLines);
    CommandList almost(kMaxCommandLines - 1);
    EXPECT_EQ(insertLine(almost, 100000).linesInserted, 1u);    // selection clamped: appended
    EXPECT_EQ(almost.size(), kMaxCommandLines);
}

TEST(InsertLine, GoToAboveTheInsertionIsKeptAndRegisterGoToIgnored)
{
    CommandList list = {{kGoToImm, 0, 0}, {kGoToImm, 1, 0}, {0x20010000, 5, 0}};
    const auto edit = insertLine(list, 0);
    EXPECT_EQ(list[0].destination, 0u);
    EXPECT_EQ(list[2].destination, 2u);    // GoTo 1 now points at the same command
    EXPECT_EQ(list[3].destination, 5u);    // register form untouched
    EXPECT_EQ(edit.changedLines, (std::vector<size_t>{1, 2, 3}));
}

TEST(DeleteLines, ShiftsTargetsAndWrapsIntoTheBlock)
{
    CommandList list = {{0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {kGoToImm, 4, 0}, {kGoToImm, 1, 0}, {kGoToImm, 0, 0}};
    const auto edit = deleteLines(list, 1, 2);
    ASSERT_EQ(list.size(), 4u);
    EXPECT_EQ(edit.linesRemoved, 2u);
    EXPECT_EQ(list[1].destination, 2u);
    EXPECT_EQ(list[2].destination, 0xFFFFFFFFu);
    EXPECT_EQ(list[3].destination, 0u);
    EXPECT_EQ(edit.selectLine, 0u);
    EXPECT_FALSE(edit.nowEmpty);
    EXPECT_EQ(edit.changedLines, (std::vector<size_t>{1, 2, 3}));
}

TEST(DeleteLines, EveryLineEmptiesTheList)
{
    auto list = fiveLinesWithGoTo();
    const auto edit = deleteLines(list, 0, 4);
    EXPECT_TRUE(list.empty());
    EXPECT_TRUE(edit.nowEmpty);
    EXPECT_EQ(edit.linesRemoved, 5u);
    EXPECT_EQ(edit.selectLine, 0u);
    EXPECT_EQ(deleteLines(list, 0, 0).linesRemoved, 0u);
}

TEST(DeleteLines, OutOfRangeSelectionIsClampedOrIgnored)
{
    auto list = fiveLinesWithGoTo();
    EXPECT_EQ(deleteLines(list, 7, 9).linesRemoved, 0u);
    EXPECT_EQ(list.size(), 5u);
    const auto edit = deleteLines(list, 3, 100);
    EXPECT_EQ(edit.linesRemoved, 2u);
    EXPECT_EQ(edit.selectLine, 2u);
    EXPECT_EQ(list.size(), 3u);
}

TEST(UpdateGoTos, SignedAfterAgainstUnsignedTarget)
{
    CommandList list = {{kGoToImm, 0, 0}, {kGoToImm, 0xFFFFFFFF, 0}};
    EXPECT_EQ(updategotos(list, -1, 1), (std::vector<size_t>{0, 1}));
    EXPECT_EQ(list[0].destination, 1u);
    EXPECT_EQ(list[1].destination, 0u);    // wraps
    EXPECT_TRUE(updategotos(list, 5, 1).empty());
}

TEST(GridActions, MakeNopSelectAllAndKeys)
{
    auto list = fiveLinesWithGoTo();
    EXPECT_EQ(makeNop(list, 4), 4u);    // last line: the selection stays
    EXPECT_EQ(list[4], (TNavCommand{0, 0, 0}));
    EXPECT_EQ(makeNop(list, 0), 1u);
    EXPECT_FALSE(makeNop(list, 5));
    const auto all = selectAllLines(list);
    EXPECT_EQ(all.left, 1);
    EXPECT_EQ(all.right, 4);
    EXPECT_EQ(all.top, 1);
    EXPECT_EQ(all.bottom, 5);
    list[3].opcode = 0x50800001;
    const auto down = keyValidity(list, 2, GridKey::Down);
    ASSERT_TRUE(down);
    EXPECT_EQ(down->line, 3u);
    EXPECT_FALSE(down->valid);
    EXPECT_TRUE(down->tone);
    EXPECT_EQ(keyValidity(list, 4, GridKey::Down)->line, 4u);
    EXPECT_EQ(keyValidity(list, 0, GridKey::Up)->line, 0u);
    EXPECT_TRUE(keyValidity(list, 1, GridKey::Up)->valid);
    EXPECT_FALSE(keyValidity(list, 9, GridKey::Other));
}

TEST(FollowTarget, GoToTitleAndPlayLists)
{
    CommandList list = {{kGoToImm, 2, 0},           {kGoToImm, 99, 0},          {0x21810000, 3, 0},
                        {0x21830000, 1000, 0},      {0x50400001, 4, 17},        {0x22000000, 4, 0},
                        {0x22000000, 5, 0},         {0x42C10000, 12, 3},        {0x42820000, 123456, 0},
                        {0x20010000, 1, 0}};
    auto t = followTarget(list, 0);
    EXPECT_EQ(t.kind, FollowTarget::Kind::GoToLine);
    EXPECT_EQ(t.line, 2u);
    EXPECT_TRUE(t.lineInList);
    EXPECT_FALSE(followTarget(list, 1).lineInList);
    t = followTarget(list, 2);
    EXPECT_EQ(t.kind, FollowTarget::Kind::Title);
    EXPECT_TRUE(t.selectTitle);
    t = followTarget(list, 3);
    EXPECT_EQ(t.kind, FollowTarget::Kind::Title);
    EXPECT_FALSE(t.selectTitle);
    t = followTarget(list, 5);
    EXPECT_EQ(t.kind, FollowTarget::Kind::PlayList);
    EXPECT_EQ(t.playListName, "00017");
    EXPECT_FALSE(t.playItem);
    EXPECT_EQ(followTarget(list, 6).kind, FollowTarget::Kind::None);    // the Move names another register
    t = followTarget(list, 7);
    EXPECT_EQ(t.playListName, "00012");
    EXPECT_EQ(t.playItem, 3u);
    EXPECT_EQ(followTarget(list, 8).playListName, "123456");
    EXPECT_EQ(followTarget(list, 9).kind, FollowTarget::Kind::None);
    EXPECT_EQ(followTarget(list, 10).kind, FollowTarget::Kind::None);
    EXPECT_EQ(followTarget(CommandList{{0x22000000, 4, 0}}, 0).kind, FollowTarget::Kind::None);
}

TEST(FollowTarget, SetButtonPage)
{
    auto t = followTarget({{0x51C00003, 0x80000005, 0x80000002}}, 0);
    EXPECT_EQ(t.kind, FollowTarget::Kind::ButtonPage);
    EXPECT_EQ(t.page, 2u);
    EXPECT_EQ(t.button, 5);
    t = followTarget({{0x51800003, 0x80000005, 0x80000002}}, 0);    // register source
    EXPECT_FALSE(t.page);
    EXPECT_EQ(t.button, 5);
    t = followTarget({{0x51400003, 0x80000005, 0x80000102}}, 0);    // register destination
    EXPECT_EQ(t.page, 2u);
    EXPECT_FALSE(t.button);
    EXPECT_EQ(followTarget({{0x51C00003, 5, 2}}, 0).kind, FollowTarget::Kind::None);
}
