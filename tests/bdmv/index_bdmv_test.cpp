#include "bdmv/index_bdmv.h"
#include "support/bytes.h"
#include "support/disc_builder.h"
#include "support/recording_reporter.h"

#include <gtest/gtest.h>

using namespace mirtal;
using namespace mirtal::bdmv;
using support::DiscBuilder;
using support::TitleDesc;

namespace {

IndexRead read(const std::vector<uint8_t>& bytes, support::RecordingReporter& rec)
{
    core::Report report(rec);
    return readIndex(bytes, report);
}

}  // namespace

TEST(IndexRead, ReadsEntriesAndListsTitles)
{
    const auto bytes = DiscBuilder{}
                           .firstPlayback({1, 0, 1, 0xFFFF, {}})
                           .topMenu({1, 0, 0, 2, {}})
                           .title({1, 0, 0, 3, {}})
                           .title({2, 2, 2, 0, "00001"})
                           .title({1, 1, 1, 7, {}})
                           .contentProvider("Studio")
                           .indexBytes();
    support::RecordingReporter rec;
    const auto r = read(bytes, rec);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.value.firstPlayback.movieObjectId, kNoMovieObject);
    EXPECT_EQ(r.value.firstPlayback.titleNumber, 0xFFFF);
    EXPECT_EQ(r.value.topMenu.movieObjectId, 2);
    EXPECT_EQ(r.value.contentProviderData, "Studio");
    const auto rows = titleRows(r.value);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0], (std::array<std::string, 5>{"001", "HDMV", "Permitted", "Movie", "3"}));
    EXPECT_EQ(rows[1], (std::array<std::string, 5>{"002", "BD-J", "Prohibited1", "", "00001"}));
    EXPECT_EQ(rows[2], (std::array<std::string, 5>{"003", "HDMV", "Permitted", "Interactive", "7"}));
    EXPECT_EQ(titleCaptions(), (std::array<std::string, 5>{"No.", "object t.", "title search", "playback t.", "OID/file"}));
    EXPECT_EQ(rec.lines.front(), "Reading index.bdmv");
    EXPECT_TRUE(rec.hasLine("  Found [b]3[/b] titles, 0 extended entry."));

    // Values the editor does not produce come back as they were read.
    EXPECT_EQ(writeIndex(r.value), bytes);
}

TEST(IndexRead, UnknownTypeOrVersionIsAFormatErrorAtEight)
{
    auto bytes = DiscBuilder{}.title({}).indexBytes();
    bytes[5] = '3';    // "0300"
    support::RecordingReporter rec;
    const auto r = read(bytes, rec);
    EXPECT_EQ(r.status, core::ReadStatus::FormatError);
    EXPECT_TRUE(rec.hasLine("[re]index.bdmv format error at $00000008[/re]"));
    EXPECT_EQ(rec.beeps, 1);
}

TEST(IndexRead, TitleCountLimit)
{
    DiscBuilder many;
    for (int i = 0; i < 999; ++i)
        many.title({});
    support::RecordingReporter rec;
    EXPECT_TRUE(read(many.indexBytes(), rec).ok());

    many.title({});
    support::RecordingReporter rec2;
    const auto r = read(many.indexBytes(), rec2);
    EXPECT_EQ(r.status, core::ReadStatus::TooMany);
    EXPECT_TRUE(rec2.hasLine("Error in index.bdmv (number of title: 1000)"));
    EXPECT_EQ(rec2.beeps, 0);    // a plain line, not an error display
}

TEST(IndexRead, AShortFileIsAnErrorNamingTheFile)
{
    const auto full = DiscBuilder{}.title({}).title({}).indexBytes();
    for (size_t n : {size_t{0}, size_t{8}, size_t{60}, size_t{90}, full.size() - 1}) {
        support::RecordingReporter rec;
        const auto r = read(std::vector<uint8_t>(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(n)), rec);
        EXPECT_FALSE(r.ok()) << n;
        ASSERT_FALSE(rec.errors.empty()) << n;
        EXPECT_NE(rec.errors.back().find("index.bdmv"), std::string::npos);
    }
}

TEST(IndexWrite, UnEditedFileWithoutExtensionDataHasTheExpectedSize)
{
    const auto bytes = DiscBuilder{}.title({}).title({}).title({}).indexBytes();
    support::RecordingReporter rec;
    const auto r = read(bytes, rec);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(writeIndex(r.value).size(), 78u + 30u + 12u * 3u);
}

TEST(IndexWrite, ReservedBitsAndLateIndexesAreDropped)
{
    auto bytes = DiscBuilder{}.title({1, 1, 0, 5, {}}).indexBytes();
    bytes[108] |= 0x0F;    // reserved bits of the title's first word
    support::RecordingReporter rec;
    const auto r = read(bytes, rec);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.value.titles[0].accessType, 1);
    const auto out = writeIndex(r.value);
    EXPECT_EQ(out[108], bytes[108] & 0xF0);
}

TEST(IndexRead, ExtensionDataIsKeptAndWrittenBack)
{
    const auto bytes = DiscBuilder{}.title({}).indexExtension({{3, 1, std::vector<uint8_t>(16, 0xAB)}}).indexBytes();
    support::RecordingReporter rec;
    const auto r = read(bytes, rec);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(core::ExtDatCap(r.value.extensionData), "1 entry, 40 bytes");
    EXPECT_TRUE(rec.hasLine("  Found [b]1[/b] titles, 1 extended entry."));
    EXPECT_EQ(writeIndex(r.value), bytes);
}

TEST(IndexRead, ExtensionAddressWithAnEmptyBlockWritesTwelveZeroBytes)
{
    auto bytes = DiscBuilder{}.title({}).indexBytes();
    support::Bytes patch{bytes};
    patch.put32(12, static_cast<uint32_t>(bytes.size()));
    patch.u32(0);
    support::RecordingReporter rec;
    const auto r = read(patch.b, rec);
    ASSERT_TRUE(r.ok());
    const auto out = writeIndex(r.value);
    EXPECT_EQ(out.size(), bytes.size() + 12);
}
