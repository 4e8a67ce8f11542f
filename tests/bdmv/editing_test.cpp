#include "bdmv/editing.h"
#include "support/disc_builder.h"
#include "support/recording_reporter.h"

#include <gtest/gtest.h>

using namespace mirtal;
using namespace mirtal::bdmv;
using support::DiscBuilder;

namespace {

TIndexBdmv threeTitles(bool withExtension)
{
    DiscBuilder b;
    b.title({1, 0, 0, 0, {}}).title({1, 2, 1, 1, {}}).title({1, 3, 0, 2, {}});
    if (withExtension)
        b.indexExtension({{1, 1, {1, 2, 3, 4}}});
    support::RecordingReporter rec;
    core::Report report(rec);
    auto r = readIndex(b.indexBytes(), report);
    EXPECT_TRUE(r.ok());
    return r.value;
}

TMovieObjectFile objects(bool withExtension)
{
    DiscBuilder b;
    b.object({false, false, false, {{1, 0, 0}, {2, 0, 0}, {3, 0, 0}, {4, 0, 0}, {5, 0, 0}}});
    b.object({true, false, false, {{6, 0, 0}}});
    if (withExtension)
        b.objectExtension({{1, 1, {1, 2}}});
    support::RecordingReporter rec;
    core::Report report(rec);
    auto r = readMovieObjects(b.movieObjectBytes(), report);
    EXPECT_TRUE(r.ok());
    return r.value;
}

// What the writer puts out must be what the stored lengths and addresses say.
void expectIndexConsistent(const TIndexBdmv& index)
{
    const auto bytes = writeIndex(index);
    EXPECT_EQ(index.indexesLength, 26u + 12u * index.titles.size());
    if (index.extensionDataStartAddress != 0) {
        EXPECT_EQ(index.extensionDataStartAddress, 78u + 4u + index.indexesLength);
    }
    support::RecordingReporter rec;
    core::Report report(rec);
    const auto back = readIndex(bytes, report);
    ASSERT_TRUE(back.ok());
    EXPECT_EQ(back.value.titles.size(), index.titles.size());
    EXPECT_EQ(writeIndex(back.value), bytes);
}

void expectObjectsConsistent(const TMovieObjectFile& file)
{
    const auto bytes = writeMovieObjects(file);
    const uint32_t extBytes = file.extensionDataStartAddress ? 12 + 12 * file.extensionData.numberOfEntries +
                                                                   static_cast<uint32_t>(file.extensionData.data.size())
                                                             : 0;
    EXPECT_EQ(bytes.size(), 44u + file.movieObjectsLength + extBytes);
    if (file.extensionDataStartAddress != 0) {
        EXPECT_EQ(file.extensionDataStartAddress, 44u + file.movieObjectsLength);
    }
    support::RecordingReporter rec;
    core::Report report(rec);
    const auto back = readMovieObjects(bytes, report);
    ASSERT_TRUE(back.ok());
    EXPECT_EQ(back.value, file);
}

}  // namespace

TEST(TitleEditing, InsertAfterTheSecondOfThree)
{
    auto index = threeTitles(true);
    const auto oldLength = index.indexesLength;
    const auto p = insertTitle(index, 1);
    ASSERT_EQ(p, 2u);
    ASSERT_EQ(index.titles.size(), 4u);
    EXPECT_EQ(index.titles[3].movieObjectId, 2);    // the old title 3 is title 4
    EXPECT_EQ(index.titles[3].titleNumber, 4);
    EXPECT_EQ(indline(index.titles[2]), (std::array<std::string, 5>{"003", "HDMV", "Permitted", "Movie", "0"}));
    EXPECT_EQ(index.indexesLength, oldLength + 12);
    expectIndexConsistent(index);
}

TEST(TitleEditing, InsertIntoAnEmptyIndexAndDeleteEverything)
{
    TIndexBdmv index;
    index.indexesLength = 26;
    EXPECT_EQ(insertTitle(index, std::nullopt), 0u);
    EXPECT_EQ(index.titles[0].titleNumber, 1);
    EXPECT_EQ(deleteTitles(index, 0, 0), std::nullopt);
    EXPECT_TRUE(index.titles.empty());
    EXPECT_EQ(index.indexesLength, 26u);
    EXPECT_EQ(deleteTitles(index, 0, 0), std::nullopt);    // nothing to delete: nothing changes
    EXPECT_EQ(index.indexesLength, 26u);
}

TEST(TitleEditing, DeleteTheFirstTwoOfThreeKeepsReferences)
{
    auto index = threeTitles(true);
    const auto ext = index.extensionDataStartAddress;
    EXPECT_EQ(deleteTitles(index, 0, 1), 0u);
    ASSERT_EQ(index.titles.size(), 1u);
    EXPECT_EQ(index.titles[0].titleNumber, 1);
    EXPECT_EQ(index.titles[0].movieObjectId, 2);
    EXPECT_EQ(index.extensionDataStartAddress, ext - 24);
    expectIndexConsistent(index);
    EXPECT_EQ(deleteTitles(index, 5, 9), std::nullopt);    // outside: ignored
}

TEST(TitleEditing, EditorsStoreTheirValues)
{
    auto index = threeTitles(false);
    setTitleAccessType(index, 0, 2);
    EXPECT_EQ(index.titles[0].accessType, 3);    // "Prohibited2"
    EXPECT_EQ(accessListIndex(1), 0);
    EXPECT_EQ(accessListIndex(3), 2);
    setTitleObjectType(index, 1, 1);
    setTitleBdjName(index, 1, "12345678");
    EXPECT_EQ(index.titles[1].bdjObjectName, "12345");
    setTitlePlaybackType(index, 2, 1);
    setTitleObjectId(index, 2, 9);
    EXPECT_EQ(indline(index.titles[2])[3], "Interactive");
    EXPECT_EQ(indline(index.titles[2])[4], "9");
    setTitleAccessType(index, 99, 1);    // outside: ignored
    expectIndexConsistent(index);

    setEntryOn(index.firstPlayback, false, 3);
    EXPECT_EQ(index.firstPlayback.movieObjectId, kNoMovieObject);
    EXPECT_FALSE(isEntryOn(index.firstPlayback));
    setEntryOn(index.firstPlayback, true, 3);
    EXPECT_EQ(index.firstPlayback.movieObjectId, 3);
    setEntryObjectType(index.topMenu, 1);
    setEntryBdjName(index.topMenu, "00002");
    EXPECT_EQ(index.topMenu.objectType, 2);
    expectIndexConsistent(index);
}

TEST(ObjectEditing, InsertAndDeleteKeepLengthsAndExtensionAddress)
{
    auto file = objects(true);
    const auto length = file.movieObjectsLength;
    const auto ext = file.extensionDataStartAddress;
    EXPECT_EQ(insertObject(file, 0), 1u);
    EXPECT_EQ(file.objects[1].commands.size(), 0u);
    EXPECT_EQ(file.objects[2].resume, 1);
    EXPECT_EQ(file.movieObjectsLength, length + 4);
    EXPECT_EQ(file.extensionDataStartAddress, ext + 4);
    expectObjectsConsistent(file);

    EXPECT_EQ(deleteObjects(file, 0, 0), 0u);    // 4 + 60 bytes
    EXPECT_EQ(file.movieObjectsLength, length + 4 - 64);
    expectObjectsConsistent(file);
    setObjectFlags(file, 1, 0, 1, 1);
    EXPECT_EQ(objline(file.objects[1], 1), (std::array<std::string, 5>{"001", "discard", "disable", "disable", "1"}));
    expectObjectsConsistent(file);
}

TEST(ObjectEditing, DeletingTheOnlyObjectWithoutExtensionData)
{
    TMovieObjectFile file;
    file.objects.push_back(Tmobjects{0, 0, 0, 5, hdmv::CommandList(5)});
    file.movieObjectsLength = 6 + 64;
    EXPECT_EQ(deleteObjects(file, 0, 0), std::nullopt);
    EXPECT_EQ(file.movieObjectsLength, 6u);
    EXPECT_EQ(file.extensionDataStartAddress, 0u);
}

TEST(ExtensionDataEditing, OkSetsTheStartAddressWhereTheBlockGoes)
{
    auto index = threeTitles(false);
    core::TExtensionData block;
    block.length = 8 + 12 + 2;
    block.dataBlockStartAddress = 24;
    block.numberOfEntries = 1;
    block.entries = {{7, 7, 24, 2}};
    block.data = {1, 2};
    commitIndexExtensionData(index, block);
    EXPECT_EQ(index.extensionDataStartAddress, 78u + index.indexesLength + 4);
    expectIndexConsistent(index);
    commitIndexExtensionData(index, {});
    EXPECT_EQ(index.extensionDataStartAddress, 0u);
    EXPECT_EQ(writeIndex(index).size(), 78u + 30u + 36u);

    auto file = objects(false);
    commitMovieObjectExtensionData(file, block);
    EXPECT_EQ(movieObjectExtensionCaption(file), "1 entry, 26 bytes");
    expectObjectsConsistent(file);
    commitMovieObjectExtensionData(file, {});
    EXPECT_EQ(movieObjectExtensionCaption(file), "no ExtensionData()");
    EXPECT_EQ(file.extensionDataStartAddress, 0u);
}

TEST(CommandLineEditing, InsertKeepsGoToTargetsAndBytesInStep)
{
    auto file = objects(true);
    file.objects[0].commands[4] = {0x20810000, 3, 0};    // line 4: GoTo 3
    const auto length = file.movieObjectsLength;
    const auto ext = file.extensionDataStartAddress;
    EXPECT_EQ(insertCommandLine(file, 0, 2), 3u);
    const auto& c = file.objects[0].commands;
    ASSERT_EQ(c.size(), 6u);
    EXPECT_EQ(c[3], (hdmv::TNavCommand{0, 0, 0}));
    EXPECT_EQ(c[5], (hdmv::TNavCommand{0x20810000, 4, 0}));
    EXPECT_EQ(file.movieObjectsLength, length + 12);
    EXPECT_EQ(file.extensionDataStartAddress, ext + 12);
    EXPECT_EQ(objline(file.objects[0], 0)[4], "6");
    expectObjectsConsistent(file);
    EXPECT_EQ(insertCommandLine(file, 9, 0), std::nullopt);    // no such object
}

TEST(CommandLineEditing, DeleteMovesTargetsAndEmptiesTheObject)
{
    auto file = objects(false);
    auto& c = file.objects[0].commands;
    c[3] = {0x20810000, 4, 0};
    c[4] = {0x20810000, 1, 0};
    const auto length = file.movieObjectsLength;
    EXPECT_EQ(deleteCommandLines(file, 0, 1, 2), 0u);
    ASSERT_EQ(c.size(), 3u);
    EXPECT_EQ(c[1].destination, 2u);
    EXPECT_EQ(c[2].destination, 0xFFFFFFFFu);    // a target inside the block moves with the rest
    EXPECT_EQ(file.movieObjectsLength, length - 24);
    expectObjectsConsistent(file);

    EXPECT_EQ(deleteCommandLines(file, 0, 0, 2), std::nullopt);
    EXPECT_TRUE(file.objects[0].commands.empty());
    EXPECT_EQ(file.objects[0].numberOfCommands, 0);
    EXPECT_EQ(deleteCommandLines(file, 0, 0, 0), std::nullopt);    // nothing left: nothing changes
    expectObjectsConsistent(file);

    // A formerly empty object gets its first line at 0.
    EXPECT_EQ(insertCommandLine(file, 0, std::nullopt), 0u);
    EXPECT_EQ(file.objects[0].commands.size(), 1u);
    expectObjectsConsistent(file);
}
