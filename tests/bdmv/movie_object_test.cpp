#include "bdmv/movie_object.h"
#include "support/disc_builder.h"
#include "support/recording_reporter.h"

#include <gtest/gtest.h>

using namespace mirtal;
using namespace mirtal::bdmv;
using support::DiscBuilder;

namespace {

MovieObjectRead read(const std::vector<uint8_t>& bytes, support::RecordingReporter& rec)
{
    core::Report report(rec);
    return readMovieObjects(bytes, report);
}

}  // namespace

TEST(MovieObjectRead, FlagsCommandsAndRows)
{
    const auto bytes = DiscBuilder{}
                           .object({true, true, true, {{0x50400001, 0x00000000, 0x00000005}}})
                           .object({false, false, false, {}})
                           .object({false, true, false, {{0x20810000, 1, 0}, {0x00020000, 0, 0}}})
                           .movieObjectBytes();
    support::RecordingReporter rec;
    const auto r = read(bytes, rec);
    ASSERT_TRUE(r.ok());
    EXPECT_FALSE(r.endedEarly);
    const auto rows = objectRows(r.value);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0], (std::array<std::string, 5>{"000", "suspend", "disable", "disable", "1"}));
    EXPECT_EQ(rows[1], (std::array<std::string, 5>{"001", "discard", "enable", "enable", "0"}));
    EXPECT_EQ(rows[2], (std::array<std::string, 5>{"002", "discard", "disable", "enable", "2"}));
    EXPECT_EQ(r.value.objects[2].commands[0], (hdmv::TNavCommand{0x20810000, 1, 0}));
    EXPECT_TRUE(rec.hasLine("  Found [b]3[/b] objects, 0 extended entry."));
    // Positions are shown for the first two objects only: the third ends the file.
    int positions = 0;
    for (const auto& [panel, text] : rec.status)
        positions += panel == 1 && text.find('/') != std::string::npos;
    EXPECT_EQ(positions, 2);
    EXPECT_EQ(writeMovieObjects(r.value), bytes);
    EXPECT_EQ(writeMovieObjects(r.value).size(), 50u + (4 + 12) + 4 + (4 + 24));
}

TEST(MovieObjectRead, WrongTypeIsAnErrorAndLeavesNoObjects)
{
    auto bytes = DiscBuilder{}.object({}).movieObjectBytes();
    bytes[0] = 'X';
    support::RecordingReporter rec;
    const auto r = read(bytes, rec);
    EXPECT_FALSE(r.ok());
    EXPECT_TRUE(r.value.objects.empty());
    EXPECT_TRUE(rec.hasLine("[re]Format error MovieObject.bdmv[/re]"));
}

TEST(MovieObjectRead, AFileThatEndsEarlyStopsCleanly)
{
    const auto full = DiscBuilder{}
                          .object({false, false, false, {{1, 2, 3}, {4, 5, 6}}})
                          .object({false, false, false, {{7, 8, 9}}})
                          .movieObjectBytes();
    // Cut inside the second command of the first object.
    const std::vector<uint8_t> cut(full.begin(), full.begin() + 50 + 4 + 12 + 6);
    support::RecordingReporter rec;
    const auto r = read(cut, rec);
    ASSERT_TRUE(r.ok());
    EXPECT_TRUE(r.endedEarly);
    EXPECT_TRUE(rec.errors.empty());
    ASSERT_EQ(r.value.objects.size(), 2u);
    EXPECT_EQ(r.value.objects[0].commands[0], (hdmv::TNavCommand{1, 2, 3}));
    EXPECT_EQ(r.value.objects[1].commands.size(), 0u);    // never reached: stays zero
}

TEST(MovieObjectRead, ExtensionDataRoundTrips)
{
    const auto bytes = DiscBuilder{}
                           .object({false, false, false, {{1, 2, 3}}})
                           .objectExtension({{1, 2, {9, 9, 9, 9}}, {5, 6, {1}}})
                           .movieObjectBytes();
    support::RecordingReporter rec;
    const auto r = read(bytes, rec);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.value.extensionData.numberOfEntries, 2);
    EXPECT_TRUE(rec.hasLine("  Found [b]1[/b] objects, 2 extended entry."));
    EXPECT_EQ(writeMovieObjects(r.value), bytes);
}
