#include "core/number_fields.h"
#include "core/text.h"

#include <gtest/gtest.h>

using namespace mirtal::core;

TEST(Text, HexToNumberSkipsWhatIsNotADigit)
{
    EXPECT_EQ(hexToNumber("ff"), 255u);
    EXPECT_EQ(hexToNumber("FF"), 255u);
    EXPECT_EQ(hexToNumber("0x1F"), 31u);
    EXPECT_EQ(hexToNumber("1F:0A"), 0x1F0Au);
    EXPECT_EQ(hexToNumber(""), 0u);
    EXPECT_EQ(hexToNumber("zz"), 0u);
    EXPECT_EQ(hexToNumber("123456789"), 0x23456789u);    // wraps in 32 bits
}

TEST(Text, TimeToTicksReadsFixedPositions)
{
    EXPECT_EQ(timeToTicks("01:00:00,000"), 324000000u);
    EXPECT_EQ(timeToTicks("00:00:01,500"), 135000u);
    EXPECT_EQ(timeToTicks("00:02"), 10800000u);    // the missing pieces count 0
    EXPECT_EQ(timeToTicks("00:01:xx,010"), 5400000u + 900u);
}

TEST(Text, TextToIntegerTakesTheLeadingNumber)
{
    EXPECT_EQ(textToInteger("12:"), 12);
    EXPECT_EQ(textToInteger(""), 0);
    EXPECT_EQ(textToInteger("ab"), 0);
    EXPECT_EQ(textToInteger("  -42x"), -42);
    EXPECT_EQ(textToInteger("$1F"), 31);
    EXPECT_EQ(textToInteger("0x10"), 16);
    EXPECT_EQ(textToInteger("99999999999999999999999"), textToInteger("99999999999999999999999"));    // no overflow trap
}

TEST(Text, PaddingGroupingAndSwaps)
{
    EXPECT_EQ(padded(7, 5), "00007");
    EXPECT_EQ(padded(123456, 3), "123456");
    EXPECT_EQ(padded(0, 4), "0000");
    EXPECT_EQ(grouped(1234567, ","), "1,234,567");
    EXPECT_EQ(grouped(123, ","), "123");
    EXPECT_EQ(grouped(1000, "."), "1.000");
    EXPECT_EQ(swapLong(0x11223344), 0x44332211u);
    EXPECT_EQ(swapWord(0x1234), 0x3412);
    EXPECT_EQ(hex(0x1F, 4), "001F");
    EXPECT_EQ(hex(0xABCDEF012ull, 8), "ABCDEF012");
    EXPECT_EQ(withoutExtension("dir.x/00001.mpls"), "dir.x/00001");
    EXPECT_EQ(withoutExtension("dir.x/README"), "dir.x/README");
    EXPECT_EQ(replaceAll("a.b.c", ".", "::"), "a::b::c");
}

TEST(NumberFields, IntEditReadsWholeSignedNumbersOnly)
{
    EXPECT_EQ(intEditValue("-12"), -12);
    EXPECT_EQ(intEditValue(""), 0);
    EXPECT_EQ(intEditValue("1e3"), 0);
    EXPECT_EQ(intEditValue("$FF"), 255);
    EXPECT_EQ(intEditValue("$FFFFFFFF"), -1);
    EXPECT_EQ(intEditValue("2147483648"), 0);
    EXPECT_EQ(intEditValue("+7"), 7);
    EXPECT_FALSE(intEditAccepts('x'));
    EXPECT_TRUE(intEditAccepts('\b'));
    EXPECT_TRUE(intEditAccepts('\r'));
    EXPECT_TRUE(intEditAccepts('-'));
}

TEST(NumberFields, HexEditShowsAtLeastItsLengthAndSkipsOtherCharacters)
{
    EXPECT_EQ(hexEditText(0x1F, 4), "001F");
    EXPECT_EQ(hexEditText(0x12345, 4), "12345");
    EXPECT_EQ(hexEditValue("12 G4"), 0x124);
    EXPECT_EQ(hexEditValue("FFFFFFFF"), 0xFFFFFFFFll);
    EXPECT_EQ(hexEditInitialText(8), "00000000");
    EXPECT_EQ(hexEditInitialText(0), "");
    EXPECT_FALSE(hexEditAccepts('x'));
    EXPECT_TRUE(hexEditAccepts('f'));
    EXPECT_TRUE(hexEditAccepts('\b'));
}
