#include "core/field_reader.h"
#include "core/section_writer.h"

#include <gtest/gtest.h>

#include <vector>

using mirtal::core::FieldReader;
using mirtal::core::SectionWriter;

TEST(FieldReader, ReadsBigEndianFieldsWithoutSignExtension)
{
    const std::vector<uint8_t> b{0x12, 0x34, 0x12, 0x34, 0x56, 0x4D, 0x4F, 0x42, 0x4A, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    FieldReader in(b);
    EXPECT_EQ(in.readword(), 0x1234);
    EXPECT_EQ(in.read3byte(), 0x123456u);
    EXPECT_EQ(in.readlword(), 0x4D4F424Au);
    EXPECT_EQ(in.readword(), 65535);
    EXPECT_EQ(in.readlword(), 4294967295u);
    EXPECT_FALSE(in.overrun());
}

TEST(FieldReader, ReadstringCutsAtZeroAndKeepsBlanksPastTheEnd)
{
    const std::vector<uint8_t> digits{'0', '0', '0', '0', '1'};
    FieldReader a(digits);
    EXPECT_EQ(a.readstring(5), "00001");

    const std::vector<uint8_t> mid{'a', 'b', 0, 'c', 'd'};
    FieldReader b(mid);
    EXPECT_EQ(b.readstring(5), "ab");
    EXPECT_EQ(b.position(), 5u);

    const std::vector<uint8_t> first{0, 'a', 'b', 'c', 'd'};
    FieldReader c(first);
    EXPECT_EQ(c.readstring(5), "");

    const std::vector<uint8_t> shortTail{'a', 'b'};
    FieldReader d(shortTail);
    EXPECT_EQ(d.readstring(5), "ab   ");
    EXPECT_TRUE(d.overrun());
}

TEST(FieldReader, PastTheEndReadsZeroAndRecordsWhereItStopped)
{
    const std::vector<uint8_t> b{0xAB, 0xCD, 0xEF};
    FieldReader in(b);
    EXPECT_EQ(in.readword(), 0xABCD);
    EXPECT_EQ(in.readlword(), 0xEF000000u);
    EXPECT_TRUE(in.overrun());
    EXPECT_EQ(in.overrunAt(), 3u);
    EXPECT_EQ(in.position(), 3u);
    EXPECT_EQ(in.readbyte(), 0);
    in.seek(1000);
    EXPECT_EQ(in.position(), 3u);
    EXPECT_EQ(in.readbytes(10).size(), 0u);

    FieldReader empty(std::span<const uint8_t>{});
    EXPECT_EQ(empty.readlword(), 0u);
    EXPECT_TRUE(empty.atEnd());
}

TEST(SectionWriter, WritesFieldsAtOffsetsAndPadsStrings)
{
    SectionWriter out;
    out.setSize(16);
    out.writeword(0x1234, 8);
    out.writestr("AB", 10, 5);
    out.writelong(0x80000014, 0);
    out.append();
    const auto& b = out.bytes();
    ASSERT_EQ(b.size(), 16u);
    EXPECT_EQ(std::vector<uint8_t>(b.begin(), b.begin() + 4), (std::vector<uint8_t>{0x80, 0, 0, 0x14}));
    EXPECT_EQ(b[8], 0x12);
    EXPECT_EQ(b[9], 0x34);
    EXPECT_EQ(std::vector<uint8_t>(b.begin() + 10, b.begin() + 15), (std::vector<uint8_t>{'A', 'B', 0, 0, 0}));

    out.setSize(5);
    out.writestr("ABCDEFG", 0, 5);
    out.writelong(0xFFFFFFFF, 3);    // half outside: the section keeps its size
    out.append();
    ASSERT_EQ(out.bytes().size(), 21u);
    EXPECT_EQ(std::string(out.bytes().begin() + 16, out.bytes().begin() + 19), "ABC");
    EXPECT_EQ(out.bytes()[19], 0xFF);
}
