#include "core/extension_data.h"

#include <gtest/gtest.h>

using namespace mirtal::core;

namespace {

// One entry of 16 data bytes right after the entry table: length 8 + 12 + 16 = 36.
std::vector<uint8_t> oneEntryBlock()
{
    std::vector<uint8_t> b{0, 0, 0, 36, 0, 0, 0, 24, 0, 0, 0, 1,
                           0x00, 0x03, 0x00, 0x01, 0, 0, 0, 24, 0, 0, 0, 16};
    for (int i = 0; i < 16; ++i)
        b.push_back(static_cast<uint8_t>(i == 0 ? 'A' : i));
    return b;
}

}  // namespace

TEST(ExtensionData, ReadsCaptionsAndWritesBack)
{
    const auto bytes = oneEntryBlock();
    FieldReader in(bytes);
    const auto block = ReadExtensionData(in);
    EXPECT_EQ(block.length, 36u);
    ASSERT_EQ(block.entries.size(), 1u);
    EXPECT_EQ(block.entries[0].id1, 3);
    EXPECT_EQ(block.data.size(), 16u);
    EXPECT_EQ(ExtDatCap(block), "1 entry, 40 bytes");
    EXPECT_EQ(extDatSummary(block), "40 bytes, 1 entry");
    EXPECT_EQ(extDatEntryRows(block)[0], (std::array<std::string, 5>{"000", "0003", "0001", "00000018", "00000010"}));

    SectionWriter out;
    writeExtensionData(out, block);
    EXPECT_EQ(out.bytes(), bytes);
    SectionWriter sized;
    writeExtensionDataSized(sized, block);
    EXPECT_EQ(sized.bytes(), bytes);

    EXPECT_EQ(exdFileBytes(block), bytes);
    EXPECT_EQ(readExdFile(exdFileBytes(block)).value, block);
}

TEST(ExtensionData, EmptyBlock)
{
    TExtensionData empty;
    EXPECT_EQ(ExtDatCap(empty), "None");
    EXPECT_EQ(extDatSummary(empty), "None");
    SectionWriter out;
    writeExtensionData(out, empty);
    EXPECT_EQ(out.bytes(), std::vector<uint8_t>(12, 0));    // length 0 and the eight bytes after it
    const std::vector<uint8_t> zeros(4, 0);
    FieldReader in(zeros);
    EXPECT_TRUE(ReadExtensionData(in).empty());
}

TEST(ExtensionData, DumpLinesAndBlankCells)
{
    TExtensionData block;
    block.length = 8 + 12 + 40;
    block.dataBlockStartAddress = 24;
    block.numberOfEntries = 2;
    block.entries = {{1, 1, 24, 40}, {2, 2, 64, 0}};
    block.data.assign(40, 0x41);
    block.data[0] = 0x05;
    block.data[1] = 0xE9;

    const auto lines = extDatDump(block, 0);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].address, " 0018");
    EXPECT_EQ(lines[1].address, " 0038");
    EXPECT_EQ(lines[0].hexPart.substr(0, 9), " 05 E9 41");
    EXPECT_EQ(lines[0].charPart.substr(0, 4), " .\xC3\xA9");
    EXPECT_EQ(lines[1].hexPart, std::string(" 41") + std::string(" 41") + " 41 41 41 41 41 41" + std::string(24 * 3, ' '));

    const auto zeroLength = extDatDump(block, 1);
    ASSERT_EQ(zeroLength.size(), 1u);
    EXPECT_EQ(zeroLength[0].hexPart, std::string(32 * 3, ' '));
    EXPECT_TRUE(extDatDump(block, 5).empty());

    // An entry that claims more than the block holds is dumped only as far as the data go.
    block.entries[0].length = 0xFFFFFFFF;
    EXPECT_EQ(extDatDump(block, 0).size(), 2u);
    block.entries[0].startAddress = 0;    // before the data block
    EXPECT_EQ(extDatDump(block, 0).size(), 1u);

    setExtDatId1(block, 0, "12345");
    EXPECT_EQ(block.entries[0].id1, 0x2345);
    setExtDatId1(block, 9, "1");
}

TEST(ExtensionData, HostileHeadersStayBounded)
{
    // 255 entries promised, none present; a length far beyond the file.
    std::vector<uint8_t> b{0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0, 0, 0, 0xFF};
    FieldReader in(b);
    const auto block = ReadExtensionData(in);
    EXPECT_EQ(block.entries.size(), 255u);
    EXPECT_TRUE(block.data.empty());
    SectionWriter out;
    writeExtensionDataSized(out, block);
    EXPECT_EQ(out.bytes().size(), 12u + 12u * 255u);
    EXPECT_EQ(exdFileBytes(block).size(), 12u + 12u * 255u);
}
