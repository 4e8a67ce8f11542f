// Damaged and hostile database files: an error or a clean stop, never a crash or a read
// outside the file.
#include "bdmv/index_bdmv.h"
#include "bdmv/movie_object.h"
#include "bdmv/save.h"
#include "core/files.h"
#include "support/sample_disc.h"
#include "support/disc_builder.h"
#include "support/recording_reporter.h"

#include <gtest/gtest.h>

#include <random>

using namespace mirtal;
using namespace mirtal::bdmv;
namespace fs = std::filesystem;

namespace {

struct Reader {
    const char* name;
    std::vector<uint8_t> (*valid)();
    void (*read)(const std::vector<uint8_t>&);
};

std::vector<uint8_t> validIndex()
{
    return support::DiscBuilder{}
        .title({})
        .title({2, 0, 0, 0, "00001"})
        .indexExtension({{1, 2, {1, 2, 3}}})
        .indexBytes();
}

std::vector<uint8_t> validObjects()
{
    return support::DiscBuilder{}
        .object({false, false, false, {{1, 2, 3}, {4, 5, 6}}})
        .object({})
        .objectExtension({{1, 2, {1, 2, 3}}})
        .movieObjectBytes();
}

void readIndexBytes(const std::vector<uint8_t>& b)
{
    support::RecordingReporter rec;
    core::Report report(rec);
    const auto r = readIndex(b, report);
    if (r.ok()) {
        (void)writeIndex(r.value);
    } else if (r.status != core::ReadStatus::TooMany) {
        EXPECT_FALSE(rec.errors.empty());
    }
}

void readObjectBytes(const std::vector<uint8_t>& b)
{
    support::RecordingReporter rec;
    core::Report report(rec);
    const auto r = readMovieObjects(b, report);
    if (r.ok())
        (void)writeMovieObjects(r.value);
}

class HostileInput : public ::testing::TestWithParam<Reader> {};

}  // namespace

TEST_P(HostileInput, EveryTruncatedPrefix)
{
    const auto valid = GetParam().valid();
    for (size_t n = 0; n <= valid.size(); ++n)
        GetParam().read(std::vector<uint8_t>(valid.begin(), valid.begin() + static_cast<std::ptrdiff_t>(n)));
}

TEST_P(HostileInput, FlippedCountsAndAddresses)
{
    const auto valid = GetParam().valid();
    for (size_t at = 8; at + 1 < valid.size(); ++at) {
        for (uint8_t v : {uint8_t{0xFF}, uint8_t{0x7F}, uint8_t{0x00}}) {
            auto b = valid;
            b[at] = v;
            b[at + 1] = v;
            GetParam().read(b);
        }
    }
}

TEST_P(HostileInput, ZeroFilledAndRandomFiles)
{
    GetParam().read(std::vector<uint8_t>(4096, 0));
    std::mt19937 gen(1234);
    for (int i = 0; i < 300; ++i) {
        std::vector<uint8_t> b(gen() % 600);
        for (auto& x : b)
            x = static_cast<uint8_t>(gen());
        // Keep the header half of the time so the reader goes deep.
        const auto valid = GetParam().valid();
        if (i % 2 == 0 && b.size() >= 8)
            std::copy(valid.begin(), valid.begin() + 8, b.begin());
        GetParam().read(b);
    }
}

INSTANTIATE_TEST_SUITE_P(Readers, HostileInput,
                         ::testing::Values(Reader{"index", &validIndex, &readIndexBytes},
                                           Reader{"mobj", &validObjects, &readObjectBytes}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(HostileModel, SavesOfModelsWhoseStartAddressesDisagreeAreRefusedAndTouchNothing)
{
    support::TempDir dir("refuse");
    const fs::path bdmv = support::writeSampleDisc(dir.path());
    support::RecordingReporter rec;
    core::Report report(rec);
    Disc disc;
    ASSERT_TRUE(openDisc(disc, bdmv, report));
    std::vector<uint8_t> index, objects;
    ASSERT_TRUE(core::readWholeFile(bdmv / "index.bdmv", index).ok);
    ASSERT_TRUE(core::readWholeFile(bdmv / "MovieObject.bdmv", objects).ok);
    // The ExtensionData blocks would stand inside the data before them.
    disc.index.extensionDataStartAddress = 50;
    disc.movieObjects.extensionDataStartAddress = 60;
    const core::BackupOptions options{true, core::BackupMode::Overwrite, false};
    EXPECT_EQ(indexsave(disc, options, report), core::SaveOutcome::WriteFailed);
    EXPECT_EQ(mobjsave(disc, options, report), core::SaveOutcome::WriteFailed);
    ASSERT_EQ(rec.errors.size(), 2u);
    EXPECT_NE(rec.errors[rec.errors.size() - 2].find("Cannot save index.bdmv: the start address of ExtensionData() (50)"),
              std::string::npos);
    EXPECT_NE(rec.errors.back().find("Cannot save MovieObject.bdmv: the start address of ExtensionData() (60)"),
              std::string::npos);
    std::vector<uint8_t> after;
    ASSERT_TRUE(core::readWholeFile(bdmv / "index.bdmv", after).ok);
    EXPECT_EQ(after, index);
    ASSERT_TRUE(core::readWholeFile(bdmv / "MovieObject.bdmv", after).ok);
    EXPECT_EQ(after, objects);
    EXPECT_FALSE(fs::exists(bdmv / "index.bdmv.backup"));
    EXPECT_FALSE(fs::exists(bdmv / "MovieObject.bdmv.backup"));
}
