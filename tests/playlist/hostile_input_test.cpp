// Both readers over damaged input: every truncated prefix of a valid file, the empty file, each
// byte (counts, lengths, addresses) set to extreme values, start addresses past the end, and
// random bytes. Each read is an error or a clean stop; a PlayList that reads is still edited
// and written without a crash or an unbounded allocation.
#include "playlist_fixture.h"
#include "playlist/clpi.h"
#include "playlist/mark_edit.h"
#include "playlist/stn_edit.h"
#include "playlist/subpath_edit.h"
#include "support/clpi_builder.h"

#include <random>

using namespace mirtal;
using namespace mirtal::playlist;
using namespace mirtal::support;
using mirtal::playlist::test::simpleItem;

namespace {

enum class Damage { Prefixes, ByteValues, AddressesPastTheEnd, RandomBytes };

std::string damageName(const testing::TestParamInfo<Damage>& info)
{
    switch (info.param) {
    case Damage::Prefixes: return "EveryTruncatedPrefix";
    case Damage::ByteValues: return "EveryByteAtExtremeValues";
    case Damage::AddressesPastTheEnd: return "AddressesPastTheEnd";
    default: return "RandomBytes";
    }
}

// The damaged versions of a valid file. `addresses` are the offsets of its 32-bit start addresses.
std::vector<std::vector<uint8_t>> damaged(const std::vector<uint8_t>& valid, Damage d, const std::vector<size_t>& addresses)
{
    std::vector<std::vector<uint8_t>> out;
    switch (d) {
    case Damage::Prefixes:
        for (size_t n = 0; n < valid.size(); ++n)
            out.emplace_back(valid.begin(), valid.begin() + static_cast<std::ptrdiff_t>(n));
        break;
    case Damage::ByteValues:
        for (size_t i = 0; i < valid.size(); ++i)
            for (uint8_t v : {uint8_t{0x00}, uint8_t{0xFF}, static_cast<uint8_t>(valid[i] ^ 0x80),
                              static_cast<uint8_t>(valid[i] + 1)}) {
                auto b = valid;
                b[i] = v;
                out.push_back(std::move(b));
            }
        break;
    case Damage::AddressesPastTheEnd:
        for (size_t at : addresses)
            for (uint32_t v : {uint32_t(valid.size()), uint32_t(valid.size() - 1), 0xFFFFFFFFu, 0x7FFFFFF0u, 1u}) {
                auto b = valid;
                b[at] = uint8_t(v >> 24), b[at + 1] = uint8_t(v >> 16), b[at + 2] = uint8_t(v >> 8), b[at + 3] = uint8_t(v);
                out.push_back(std::move(b));
            }
        break;
    case Damage::RandomBytes: {
        std::mt19937 rng(11);
        for (int k = 0; k < 300; ++k) {
            std::vector<uint8_t> b(rng() % 700);
            for (auto& x : b)
                x = static_cast<uint8_t>(rng());
            if (k % 2 && b.size() >= 8)    // a valid header over random contents
                std::copy(valid.begin(), valid.begin() + 8, b.begin());
            out.push_back(std::move(b));
        }
        for (int k = 0; k < 300; ++k) {    // the valid file with a few random bytes changed
            auto b = valid;
            for (int j = 0; j < 4; ++j)
                b[rng() % b.size()] = static_cast<uint8_t>(rng());
            out.push_back(std::move(b));
        }
        break;
    }
    }
    return out;
}

std::vector<uint8_t> richMpls()
{
    auto a = simpleItem("00001", 1000, 46000);
    a.pg = {pgStream(0x1200, "eng")};
    a.pipPg = {pgStream(0x1A00, "deu")};
    auto sa = audioStream(0x1A00, "eng", 0xA1, 3, 1);
    sa.refs1 = {0, 1, 2};
    a.secondaryAudio = {sa};
    auto sv = videoStream(0x1B00);
    sv.refs1 = {0};
    sv.refs2 = {0, 1};
    a.secondaryVideo = {sv};
    auto b = simpleItem("00002", 5000, 95000);
    b.extraAngles = {{"00003", "M2TS", 0}};
    b.ig = {igStream(0x1400, "eng")};
    return MplsBuilder()
        .playItem(a)
        .playItem(b)
        .subPath({2, 1, {SubPlayItemDesc{"00004", "M2TS", 1, 0, 0, 9, 0, 0, true, {{"00005", "M2TS", 1}}}}})
        .mark({1, 0, 1000, 0xFFFF, 0})
        .mark({1, 1, 5000, 0xFFFF, 0})
        .extension({{0x1000, 1, {1, 2, 3, 4, 5, 6, 7, 8}}})
        .bytes();
}

std::vector<uint8_t> richClpi()
{
    return ClpiBuilder()
        .atcDelta("00002", "M2TS")
        .stream(clipVideo(0x1011))
        .stream(clipAudio(0x1100, "eng"))
        .stream(ClipStreamDesc{0x1800, 0x92, 0, 0, "fin", 3, 21})
        .nextProgramSequence()
        .stream(clipGraphics(0x1400, 0x91, "eng"))
        .bytes();
}

// Edits and writes a PlayList that was read from damaged bytes.
void editAndWrite(TPLmpls m)
{
    core::NullReporter quiet;
    core::Report report(quiet);
    for (size_t item = 0; item < m.playList.playItems.size() && item < 3; ++item)
        for (int list = 0; list < kListCount; ++list) {
            (void)insertStream(m, item, list, 0);
            (void)deleteStream(m, item, list, 0);
            (void)deleteStream(m, item, list, 0);
        }
    (void)deleteSubPath(m, 0);
    (void)insertSubPath(m, 0);
    (void)insertMark(m, 0);
    (void)deleteMarks(m, 0, 2);
    (void)importChapters(m, "45000\r\n900000000\r\n", ChapterFormat::Pts, report);
    (void)exportChapters(m, ChapterFormat::Frame, report);
    const auto out = writePlaylist(m);
    EXPECT_LE(out.size(), kMaxPlaylistFileSize);
}

}  // namespace

class MplsHostile : public testing::TestWithParam<Damage> {};

TEST_P(MplsHostile, ReadsAreAnErrorOrACleanStop)
{
    const auto valid = richMpls();
    TPLmpls sentinel;
    sentinel.playbackCount = 4321;
    int read = 0, refused = 0;
    for (const auto& bytes : damaged(valid, GetParam(), {8, 12, 16})) {
        RecordingReporter rec;
        core::Report report(rec);
        TPLmpls m = sentinel;
        if (readPlaylist(bytes, "00001", report).into(m)) {
            ++read;
            EXPECT_TRUE(rec.errors.empty());
            editAndWrite(m);
        } else {
            ++refused;
            EXPECT_EQ(m, sentinel);
            EXPECT_EQ(rec.errors.size(), 1u);
        }
        EXPECT_EQ(rec.panels[0], "Ready");
        if (HasFailure())
            break;
    }
    EXPECT_GT(refused, 0);
}

INSTANTIATE_TEST_SUITE_P(DamagedPlayLists, MplsHostile,
                         testing::Values(Damage::Prefixes, Damage::ByteValues, Damage::AddressesPastTheEnd,
                                         Damage::RandomBytes),
                         damageName);

TEST(MplsHostileModel, AWriterRefusesLengthsNoFileCouldHold)
{
    auto m = test::readBuilt(richMpls());
    m.playList.length -= 100000;    // what a deletion past an understated length would leave
    EXPECT_TRUE(writePlaylist(m).empty());
    TempDir dir("plsave-hostile");
    RecordingReporter rec;
    core::Report report(rec);
    EXPECT_EQ(plsave(dir.path(), "00001", m, {}, report), core::SaveOutcome::WriteFailed);
    EXPECT_EQ(rec.errors.size(), 1u);
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "PLAYLIST"));
}

TEST(MplsHostileModel, EveryStoredLengthAndAddressThatLosesBytesIsNamed)
{
    auto base = test::readBuilt(richMpls());
    base.extensionDataStartAddress = 0;
    ASSERT_FALSE(writePlaylist(base).empty());
    struct Case {
        const char* record;
        void (*damage)(TPLmpls&);
    };
    const Case cases[] = {
        {"PlayList()", [](TPLmpls& m) { m.playList.length -= 20; }},
        {"PlayListMark()", [](TPLmpls& m) { m.marks.length = 2; }},
        {"AppInfoPlayList()", [](TPLmpls& m) { m.appInfoLength = 4; }},
        {"PlayList()", [](TPLmpls& m) { m.playListStartAddress = 20; }},
        {"ExtensionData()", [](TPLmpls& m) {
             m.extensionDataStartAddress = m.playListMarkStartAddress + 2;
             m.extensionData.entries.push_back({1, 1, 0, 0});
         }},
    };
    for (const auto& c : cases) {
        auto m = base;
        c.damage(m);
        std::string problem;
        EXPECT_TRUE(writePlaylist(m, &problem).empty()) << c.record;
        EXPECT_NE(problem.find(c.record), std::string::npos) << c.record << ": " << problem;
    }
}

class ClpiHostile : public testing::TestWithParam<Damage> {};

TEST_P(ClpiHostile, ReadsAreAnErrorOrACleanStop)
{
    const auto valid = richClpi();
    int refused = 0;
    for (const auto& bytes : damaged(valid, GetParam(), {8, 12, 16, 20, 24})) {
        RecordingReporter rec;
        core::Report report(rec);
        const auto read = readClipInfo(bytes, "00001", bdmv::TAVStream{"00001.m2ts", 10}, report);
        const auto& v = read.value;
        EXPECT_LE(v.streams.size(), 255u);
        EXPECT_EQ(programInfoRows(v).size(), v.streams.size());
        if (read.ok()) {
            EXPECT_TRUE(rec.errors.empty());
        } else {
            ++refused;
            EXPECT_EQ(rec.errors.size(), 1u);
        }
        if (HasFailure())
            break;
    }
    EXPECT_GT(refused, 0);
}

INSTANTIATE_TEST_SUITE_P(DamagedClips, ClpiHostile,
                         testing::Values(Damage::Prefixes, Damage::ByteValues, Damage::AddressesPastTheEnd,
                                         Damage::RandomBytes),
                         damageName);
