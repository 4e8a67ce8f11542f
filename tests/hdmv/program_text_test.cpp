// Commands as program text: every valid command form and any operand words read back to the
// same three words; hand-written programs with labels assemble to the expected words; each kind
// of error names its line and column.

#include "hdmv/command_text.h"
#include "hdmv/program_text.h"

#include <gtest/gtest.h>

#include <random>

using namespace mirtal;
using namespace mirtal::hdmv;

TEST(ProgramText, EveryValidFormAndAnyWordsReadBackExactly)
{
    std::mt19937 random(20261209);
    const uint32_t edges[] = {0, 1, 0x7F, 0x80, 0xFFF, 0x1000, 0x7FFF, 0x8000, 0xFFFF, 0x80000000, 0x80008000,
                              0x7FFFFFFF, 0xFFFFFFFF};
    size_t checked = 0;
    for (const uint32_t opcode : validOpcodes()) {
        std::vector<std::pair<uint32_t, uint32_t>> operands;
        for (uint32_t d : edges)
            for (uint32_t s : {0u, 0xFFFFFFFFu, d})
                operands.emplace_back(d, s);
        for (int i = 0; i < 64; ++i)
            operands.emplace_back(random(), random());
        for (const auto& [d, s] : operands) {
            const TNavCommand c{opcode, d, s};
            const std::string text = commandSourceText(c);
            ASSERT_NE(text.rfind("raw ", 0), 0u) << text;
            ProgramError error;
            const auto back = assembleCommand(text, 1, error);
            ASSERT_TRUE(back) << text << ": " << error.message;
            ASSERT_EQ(back->command, c) << text;
            ++checked;
        }
    }
    EXPECT_GT(checked, 10000u);
    // A command that no text gives back goes by its words.
    for (const TNavCommand c : {TNavCommand{0x20810001, 5, 0}, TNavCommand{0xFFFFFFFF, 1, 2}, TNavCommand{0x50400010, 1, 2}}) {
        const std::string text = commandSourceText(c);
        EXPECT_EQ(text.rfind("raw ", 0), 0u) << text;
        ProgramError error;
        const auto back = assembleCommand(text, 1, error);
        ASSERT_TRUE(back) << text;
        EXPECT_EQ(back->command, c);
    }
}

TEST(ProgramText, LabelsCommentsAndTheGridsOwnTextAssemble)
{
    const std::string text =
        "; a counter\n"
        "start:  Move GPR0, 0x10        ; sixteen\n"
        "loop:\n"
        "    Sub GPR0, 1\n"
        "    GT GPR0, 0\n"
        "    GoTo loop\n"
        "    GoTo done\n"
        "    SetStream 1, (0), (GPR0), (GPR0) [d|=0x00004000]\n"
        "    Move PSR16, 6647399       ;PSR16: Language Code for Audio (b23-b0)  [eng]\n"
        "    raw 50400001 00000002 00000003\n"
        "done:\n";
    std::vector<ProgramError> errors;
    const auto sections = parseProgram(text, "object", errors);
    ASSERT_TRUE(errors.empty()) << errorText(errors.front());
    ASSERT_EQ(sections.size(), 1u);
    const CommandList expected = {
        {0x50400001, 0, 16},         {0x50400004, 0, 1},          {0x48400500, 0, 0}, {kGoToImmediate, 1, 0},
        {kGoToImmediate, 8, 0},      {0x51800001, 0x80014000, 0}, {0x50400001, 0x80000010, 6647399},
        {0x50400001, 2, 3},
    };
    EXPECT_EQ(sections[0].commands, expected);
    // The export of that list labels both targets and reads back to it.
    std::string exported;
    appendCommandListText(exported, expected, "  ");
    EXPECT_NE(exported.find("L1:\n"), std::string::npos) << exported;
    EXPECT_NE(exported.find("GoTo L8"), std::string::npos) << exported;
    errors.clear();
    EXPECT_EQ(parseProgram(exported, "object", errors)[0].commands, expected) << exported;
}

TEST(ProgramText, EachKindOfErrorNamesItsLineAndColumn)
{
    struct Case {
        const char* text;
        size_t line, column;
        const char* says;
    };
    const Case cases[] = {
        {"Move GPR0, 1\n  Frobnicate GPR1\n", 2, 3, "unknown command"},
        {"Move GPR0, GPR4096\n", 1, 12, "above 4095"},
        {"Move PSR128, 1\n", 1, 6, "above 127"},
        {"SetButtonPage 70000, (0)\n", 1, 15, "above 65535"},
        {"GoTo nowhere\n", 1, 6, "\"nowhere\" is not defined"},
        {"a:\n  NOP\na: NOP\n", 3, 1, "defined twice"},
        {"raw 5040000 00000001 00000002\n", 1, 5, "8-digit"},
        {"Move GPR0 1\n", 1, 11, "\",\""},
        {"Jump Title GPR1, 2\n", 1, 18, "no more operands"},
    };
    for (const auto& c : cases) {
        std::vector<ProgramError> errors;
        (void)parseProgram(c.text, "object", errors);
        ASSERT_EQ(errors.size(), 1u) << c.text;
        EXPECT_EQ(errors[0].line, c.line) << c.text;
        EXPECT_EQ(errors[0].column, c.column) << c.text << errorText(errors[0]);
        EXPECT_NE(errors[0].message.find(c.says), std::string::npos) << c.text << errorText(errors[0]);
    }
}
