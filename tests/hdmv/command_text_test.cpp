#include "hdmv/command_text.h"

#include <gtest/gtest.h>

#include <random>
#include <set>

using namespace mirtal::hdmv;

namespace {

TNavCommand cmd(uint32_t o, uint32_t d, uint32_t s)
{
    return {o, d, s};
}

std::string line(uint32_t o, uint32_t d, uint32_t s)
{
    return comm2str(cmd(o, d, s), 0).cells[4];
}

const std::string kSeven = "       ";

}  // namespace

struct Example {
    uint32_t o, d, s;
    std::string text;
};

class CommandLineExample : public ::testing::TestWithParam<Example> {};

TEST_P(CommandLineExample, RendersExactly)
{
    const auto& e = GetParam();
    EXPECT_EQ(line(e.o, e.d, e.s), e.text);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, CommandLineExample,
    ::testing::Values(
        Example{0x00000000, 0, 0, "NOP"}, Example{0x20810000, 5, 0, "GoTo 5"},
        Example{0x48400200, 0, 1, "EQ GPR0, 1"}, Example{0x42C10000, 1, 0, "Play PL_PI 1, 0"},
        Example{0x51C00003, 0x80000001, 0, "SetButtonPage 1, (0)"},
        Example{0x51C00001, 0x80010000, 0, "SetStream 1, (0), (0), (0)"},
        Example{0x51000001, 0x80018002, 0, "SetStream GPR1, GPR2, (GPR0), (GPR0)"},
        Example{0x51C00006, 0x80028003, 0, "SetSecondaryStream 2, 3, (0), (0)"},
        Example{0x50400001, 0x80000010, 0x00656E67,
                "Move PSR16, 6647399" + kSeven + ";PSR16: Language Code for Audio (b23-b0)  [eng]"}));

TEST(Comm2str, RowCellsArePaddedIndexAndUpperHexWords)
{
    const auto row = comm2str(cmd(0x42C10000, 0xAB, 0xFFFFFFFF), 7);
    EXPECT_EQ(row.cells[0], "0007");
    EXPECT_EQ(row.cells[1], "42C10000");
    EXPECT_EQ(row.cells[2], "000000AB");
    EXPECT_EQ(row.cells[3], "FFFFFFFF");
    EXPECT_TRUE(row.valid);
    EXPECT_EQ(comm2str(cmd(0, 0, 0), 0).cells[0], "0000");
    EXPECT_EQ(comm2str(cmd(0, 0, 0), 12345).cells[0], "12345");
}

TEST(Comm2str, CaptionsAndValidityLabel)
{
    const auto& c = commandGridCaptions();
    EXPECT_EQ(c[0], "No.");
    EXPECT_EQ(c[1], "Opcode");
    EXPECT_EQ(c[2], "Destinat.");
    EXPECT_EQ(c[3], "Source");
    EXPECT_EQ(c[4], "Command line");
    EXPECT_EQ(validityLabel(true), "  Valid");
    EXPECT_EQ(validityLabel(false), "Invalid");
    EXPECT_TRUE(renderToneDue(false, true));
    EXPECT_FALSE(renderToneDue(false, false));
    EXPECT_FALSE(renderToneDue(true, true));
}

TEST(Comm2str, OperandCountsThreeToSevenRenderBothOperandsAndAreInvalid)
{
    for (uint32_t count = 3; count <= 7; ++count) {
        const uint32_t o = (count << 29) | 0x10000001;    // Move with I-flag 2 cleared
        const auto row = comm2str(cmd(o, 1, 2), 0);
        EXPECT_EQ(row.cells[4], "Move GPR1, GPR2") << count;
        EXPECT_FALSE(row.valid) << count;
    }
    EXPECT_EQ(line(0x10000001, 1, 2), "Move");         // no operands
    EXPECT_EQ(line(0x30000001, 1, 2), "Move GPR1");    // one operand
}

TEST(Comm2str, PsrCommentWithoutCodeForRegionCode)
{
    EXPECT_EQ(line(0x50000001, 0x80000014, 3), "Move PSR20, GPR3" + kSeven + ";PSR20: Region Code (b7-b0) {1,2,4}");
}

TEST(Comm2str, BothOperandsPsrNamesTheSource)
{
    EXPECT_EQ(line(0x50000001, 0x80000004, 0x8000000A),
              "Move PSR4, PSR10" + kSeven + ";PSR10: Selected Button id (b15-b0) {0-$1fdf,$ffff}");
}

TEST(Comm2str, ImmediateWithBit31IsUnsigned)
{
    EXPECT_EQ(line(0x50400001, 1, 0x80000000), "Move GPR1, 2147483648");
}

TEST(Comm2str, PsrAbove44HasEmptyDescription)
{
    EXPECT_EQ(line(0x50400001, 0x8000002D, 1), "Move PSR45, 1" + kSeven + ";PSR45: ");
    EXPECT_EQ(line(0x50400001, 0x8000007F, 1), "Move PSR127, 1" + kSeven + ";PSR127: ");
    // Only bits 6-0 name the PSR.
    EXPECT_EQ(line(0x50400001, 0xFFFFFF80, 1), "Move PSR0, 1" + kSeven + ";PSR0: " +
                                                   std::string(psrDescription(0)));
    EXPECT_EQ(line(0x50400001, 0x7FFFF005, 1), "Move GPR5, 1");
}

TEST(Comm2str, ReservedPsrCommentSaysReserved)
{
    EXPECT_EQ(line(0x50400001, 0x80000015, 0), "Move PSR21, 0" + kSeven + ";PSR21: reserved");
}

TEST(Comm2str, PackedSetSystemFormsNeverCarryAPsrComment)
{
    for (uint32_t base : {0x51000000u, 0x51400000u, 0x51800000u, 0x51C00000u})
        for (uint32_t op : {1u, 3u, 6u}) {
            const std::string text = line(base | op, 0x80000010, 0x80000010);
            EXPECT_EQ(text.find(";PSR"), std::string::npos) << std::hex << (base | op) << " " << text;
        }
}

TEST(Comm2str, PackedFormsByOpcode)
{
    EXPECT_EQ(line(0x51800003, 0x00000005, 0x80030000), "SetButtonPage (5), GPR3");
    EXPECT_EQ(line(0x51400003, 0x80000007, 0x80000102), "SetButtonPage GPR7, 2");
    EXPECT_EQ(line(0x51400003, 0x00000007, 0x00000102), "SetButtonPage (GPR7), (2)");
    EXPECT_EQ(line(0x51000003, 0x80000007, 0x00050000), "SetButtonPage GPR7, (GPR5)");
    EXPECT_EQ(line(0x51400001, 0x00018002, 0x80038004), "SetStream (GPR1), GPR2, 3, 4");
    EXPECT_EQ(line(0x51800001, 0x80FF8FFF, 0x00018002), "SetStream 255, 4095, (GPR1), GPR2");
    EXPECT_EQ(line(0x51000006, 0x800F8123, 0x80018002), "SetSecondaryStream 15, GPR291, GPR1, GPR2");
    EXPECT_EQ(line(0x51400006, 0x000F0123, 0x00FF8FFF), "SetSecondaryStream (15), (GPR291), (255), 4095");
    EXPECT_EQ(line(0x51800006, 0x00FF00FF, 0x00000000), "SetSecondaryStream (15), (255), (GPR0), (GPR0)");
}

TEST(Comm2str, CountryCodeShowsTwoLettersAndLanguageFromDestination)
{
    EXPECT_EQ(line(0x50400001, 0x80000013, 0x4A50),
              "Move PSR19, 19024" + kSeven + ";PSR19: Country Code (b15-b0)  [JP]");
    // The PSR is the source: the code comes from the destination word.
    EXPECT_EQ(line(0x50400001 & ~0x00400000u, 0x00656E67, 0x80000011),
              "Move GPR3687, PSR17" + kSeven + ";PSR17: Language code for PG and Text subtitle (b23-b0)  [eng]");
    // Control bytes never reach the cell as they are.
    EXPECT_EQ(line(0x50000001, 5, 0x80000010),
              "Move GPR5, PSR16" + kSeven + ";PSR16: Language Code for Audio (b23-b0)  [??]");
}

TEST(Comm2str, SetWithImmediateDestinationRendersButIsInvalid)
{
    const auto row = comm2str(cmd(0x50800001, 1, 0), 0);
    EXPECT_EQ(row.cells[4], "Move 1, GPR0");
    EXPECT_FALSE(row.valid);
}

TEST(Comm2str, UnlistedNamesAndGroupThreeShowOperandsOnly)
{
    EXPECT_EQ(line(0x20830000, 7, 0), " 7");           // Branch GoTo option 3: no name
    EXPECT_EQ(line(0x58000001, 1, 2), " GPR1, GPR2");  // group 3
    EXPECT_EQ(line(0x11000009, 0, 0), "Still Off");
    EXPECT_EQ(line(0x08000300, 0, 0), "NE");
}

TEST(ValidOpcodes, ListHoldsExactlyTheFamilies)
{
    std::set<uint32_t> expected = {0x00000000, 0x20010000, 0x20810000, 0x00020000, 0x21000000, 0x21800000,
                                   0x21010000, 0x21810000, 0x21020000, 0x21820000, 0x21030000, 0x21830000,
                                   0x01040000, 0x22000000, 0x22800000, 0x42010000, 0x42810000, 0x42410000,
                                   0x42C10000, 0x42020000, 0x42820000, 0x42420000, 0x42C20000, 0x02030000,
                                   0x22040000, 0x22840000, 0x22050000, 0x22850000, 0x31000004, 0x31800004,
                                   0x31000005, 0x31800005, 0x51000006, 0x51800006, 0x51400006, 0x51C00006,
                                   0x11000007, 0x11000008, 0x11000009};
    for (uint32_t n = 1; n <= 7; ++n)
        for (uint32_t b : {0x48000000u, 0x48400000u, 0x48C00000u, 0x08000000u})
            expected.insert(b | (n << 8));
    for (uint32_t n = 1; n <= 15; ++n) {
        expected.insert(0x50000000 | n);
        expected.insert(0x50400000 | n);
    }
    for (uint32_t n = 1; n <= 5; ++n)
        expected.insert(0x10000000 | n);
    for (uint32_t n = 1; n <= 3; ++n)
        for (uint32_t b : {0x51000000u, 0x51800000u, 0x51400000u, 0x51C00000u})
            expected.insert(b | n);
    for (uint32_t n = 1; n <= 6; ++n)
        expected.insert(0x11000000 | n);
    const auto& list = validOpcodes();
    EXPECT_EQ(std::set<uint32_t>(list.begin(), list.end()), expected);
    for (uint32_t o : expected)
        EXPECT_TRUE(isValidOpcode(o)) << std::hex << o;
}

TEST(ValidOpcodes, NearMissesAreInvalid)
{
    for (uint32_t o : {0x48800100u, 0x48800700u, 0x50800001u, 0x50C00001u, 0x10000006u, 0x50000000u,
                       0x50000010u, 0x48000000u, 0x48000800u, 0x51000004u, 0x51000007u, 0x11000000u,
                       0x1100000Au, 0x20000000u, 0x22C00000u, 0x42000000u, 0x00000001u, 0x20810001u,
                       0xFFFFFFFFu, 0x31400004u})
        EXPECT_FALSE(isValidOpcode(o)) << std::hex << o;
}

TEST(Vocabulary, NamesAndDescriptions)
{
    EXPECT_EQ(groupName(0), "Branch");
    EXPECT_EQ(groupName(2), "Set");
    EXPECT_EQ(groupName(3), "");
    EXPECT_EQ(subGroupName(0, 2), "Play");
    EXPECT_EQ(subGroupName(1, 0), "-");
    EXPECT_EQ(subGroupName(1, 1), "");
    EXPECT_EQ(subGroupName(2, 1), "SetSystem");
    EXPECT_EQ(subGroupName(9, 0), "");
    EXPECT_EQ(commandName(2, 1, 9), "Still Off");
    EXPECT_EQ(commandName(2, 0, 15), "Shift Right");
    EXPECT_EQ(commandName(2, 0, 16), "");
    EXPECT_EQ(commandName(0, 2, 5), "Link MK");
    EXPECT_EQ(commandName(1, 0, 0), "--");
    EXPECT_EQ(commandName(3, 0, 0), "");
    EXPECT_EQ(commandName(0, 0, 99), "");
    int named = 0;
    for (const auto& g : commandNameTable())
        for (const auto& s : g)
            for (auto n : s)
                named += n.empty() ? 0 : 1;
    EXPECT_EQ(named, 3 + 5 + 6 + 8 + 16 + 10);
    EXPECT_EQ(psrDescription(20), "Region Code (b7-b0) {1,2,4}");
    EXPECT_EQ(psrDescription(28), "reserved");
    EXPECT_EQ(psrDescription(44), "Back-up Register for PSR12");
    EXPECT_EQ(psrDescription(45), "");
}

TEST(Comm2str, HostileWordsAlwaysRender)
{
    std::mt19937 rng(12345);
    for (int i = 0; i < 20000; ++i) {
        const TNavCommand c{static_cast<uint32_t>(rng()), static_cast<uint32_t>(rng()), static_cast<uint32_t>(rng())};
        const auto row = comm2str(c, static_cast<size_t>(i));
        EXPECT_EQ(row.cells[1].size(), 8u);
        EXPECT_EQ(row.valid, isValidOpcode(c.opcode));
        for (char ch : row.cells[4])
            ASSERT_NE(ch, '\0');
    }
}

TEST(Comm2str, GridRowsOfAList)
{
    const CommandList list = {{0, 0, 0}, {0x20810000, 0, 0}};
    const auto rows = commandGridRows(list);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1][0], "0001");
    EXPECT_EQ(rows[1][4], "GoTo 0");
}
