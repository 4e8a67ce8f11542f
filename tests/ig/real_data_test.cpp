// Real data made by others: interactive compositions of commercial discs, PG streams muxed by a
// peer tool, real PGS files.
#include "ig/extract.h"
#include "ig/ig_text.h"
#include "ig_test_util.h"
#include "core/files.h"
#include "hdmv/command_text.h"
#include "support/disc_builder.h"
#include "support/real_data.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

using namespace mirtal;
using namespace mirtal::ig;
using namespace mirtal::support;
namespace fs = std::filesystem;

namespace {

// The segments of a .sup file: "PG", PTS, DTS, then the segment.
std::vector<ByteVec> supSegments(const ByteVec& sup, std::vector<std::pair<uint32_t, uint32_t>>* stamps = nullptr)
{
    std::vector<ByteVec> out;
    size_t at = 0;
    while (at + 13 <= sup.size() && sup[at] == 'P' && sup[at + 1] == 'G') {
        const size_t len = static_cast<size_t>(sup[at + 11]) << 8 | sup[at + 12];
        if (at + 13 + len > sup.size())
            break;
        if (stamps) {
            const auto be32 = [&](size_t i) {
                return static_cast<uint32_t>(sup[i]) << 24 | static_cast<uint32_t>(sup[i + 1]) << 16 |
                       static_cast<uint32_t>(sup[i + 2]) << 8 | sup[i + 3];
            };
            stamps->push_back({be32(at + 2), be32(at + 6)});
        }
        out.emplace_back(sup.begin() + static_cast<std::ptrdiff_t>(at + 10),
                         sup.begin() + static_cast<std::ptrdiff_t>(at + 13 + len));
        at += 13 + len;
    }
    return out;
}

}  // namespace

TEST(RealIg, EveryInteractiveCompositionLoadsAndLists)
{
    const fs::path real = REAL_DATA_OR_SKIP();
    int checked = 0;
    for (const auto& path : support::realFiles(real, "ics_menu.bin")) {
        ByteVec body;
        ASSERT_TRUE(core::readWholeFile(path, body).ok);
        const ByteVec ts = segmentsToTs({segment(0x18, body), endSegment()});
        IgMenu menu;
        RecordingReporter rec;
        const auto r = ig::testing::loadBytes(ts, menu, rec);
        EXPECT_EQ(r.status, core::ReadStatus::Ok) << path;
        EXPECT_TRUE(rec.errors.empty()) << path << ": " << (rec.errors.empty() ? "" : rec.errors.front());
        ASSERT_FALSE(menu.ics.pages.empty()) << path;
        EXPECT_EQ(menu.ics.videoWidth, 1920) << path;
        EXPECT_EQ(menu.ics.pages.size(), menu.ics.numberOfPages) << path;
        for (const auto& page : menu.ics.pages) {
            (void)bogGrid(page);
            for (const auto& bog : page.bogs) {
                EXPECT_EQ(bog.buttons.size(), bog.numberOfButtons) << path;
                for (const auto& b : bog.buttons) {
                    EXPECT_EQ(b.commands.size(), b.numberOfCommands) << path;
                    EXPECT_EQ(hdmv::commandGridRows(b.commands).size(), b.commands.size());
                }
            }
        }
        ++checked;
    }
    EXPECT_EQ(checked, 21);
}

TEST(RealIg, Disc14HasFourPagesWithButtonsThatSetChapterRegisters)
{
    const fs::path real = REAL_DATA_OR_SKIP();
    ByteVec body;
    ASSERT_TRUE(core::readWholeFile(real / "bdpl/disc14/ics_menu.bin", body).ok);
    IgMenu menu;
    RecordingReporter rec;
    ASSERT_TRUE(ig::testing::loadBytes(segmentsToTs({segment(0x18, body), endSegment()}), menu, rec).ok());
    ASSERT_EQ(menu.ics.pages.size(), 4u);
    std::set<uint32_t> gpr2;
    for (const auto& page : menu.ics.pages) {
        size_t buttons = 0;
        for (const auto& bog : page.bogs)
            for (const auto& b : bog.buttons) {
                ++buttons;
                for (const auto& c : b.commands)
                    if (c.opcode == 0x50400001 && c.destination == 2)    // Move GPR2, immediate
                        gpr2.insert(c.source);
            }
        EXPECT_GT(buttons, 0u);
    }
    for (uint32_t v : {0u, 5u, 10u, 15u})
        EXPECT_TRUE(gpr2.count(v)) << v;
}

TEST(RealIg, PgStreamsOfMuxedClipsExtractWithoutErrors)
{
    const fs::path real = REAL_DATA_OR_SKIP();
    TempDir out("ig-real-extract");
    int checked = 0;
    int nonEmpty = 0;
    for (const auto& m2ts : support::realFiles(real / "tsmuxer", ".m2ts")) {
        RecordingReporter rec;
        core::Report report(rec);
        FileSource src(m2ts);
        ASSERT_TRUE(src.ok());
        const auto file = out.path() / (m2ts.stem().string() + std::to_string(checked) + ".sup");
        const auto r = extractPid(src, 0x1200, ExtractMode::Sup, file, report);
        ++checked;
        if (r.packetsOnPid == 0) {
            // A split clip may carry no subtitle: an error line, and no empty file is left.
            EXPECT_FALSE(r.ok);
            EXPECT_EQ(rec.errors.size(), 1u) << m2ts;
            EXPECT_FALSE(fs::exists(file));
            continue;
        }
        EXPECT_TRUE(r.ok && !r.cancelled);
        EXPECT_TRUE(rec.errors.empty()) << m2ts;
        ByteVec sup;
        ASSERT_TRUE(core::readWholeFile(file, sup).ok);
        const auto segs = supSegments(sup);
        nonEmpty += !segs.empty();
        size_t total = 0;
        for (const auto& s : segs)
            total += s.size() + 10;
        EXPECT_EQ(total, sup.size()) << m2ts;
    }
    EXPECT_EQ(checked, 4);
    EXPECT_GE(nonEmpty, 2);
}

TEST(RealIg, RealPgsFilesMuxedIntoAStreamComeOutWithTheSameSegments)
{
    const fs::path real = REAL_DATA_OR_SKIP();
    TempDir out("ig-real-sup");
    int checked = 0;
    for (const auto& path : support::realFiles(real, ".sup")) {
        ByteVec sup;
        ASSERT_TRUE(core::readWholeFile(path, sup).ok);
        std::vector<std::pair<uint32_t, uint32_t>> stamps;
        const auto segs = supSegments(sup, &stamps);
        ASSERT_FALSE(segs.empty()) << path;
        TsBuilder ts;
        ts.nullPacket();
        for (size_t i = 0; i < segs.size(); ++i) {
            const auto [pts, dts] = stamps[i];
            ts.pes(0x1200, pesPacket(0xBD, segs[i], pts, dts != 0 ? std::optional<uint64_t>(dts) : std::nullopt));
            if (i % 3 == 0)
                ts.nullPacket();
        }
        const auto file = out.path() / (std::to_string(checked) + ".sup");
        RecordingReporter rec;
        core::Report report(rec);
        MemorySource src(ts.bytes());
        ASSERT_TRUE(extractPid(src, 0x1200, ExtractMode::Sup, file, report).ok);
        ByteVec back;
        ASSERT_TRUE(core::readWholeFile(file, back).ok);
        std::vector<std::pair<uint32_t, uint32_t>> backStamps;
        EXPECT_EQ(supSegments(back, &backStamps), segs) << path;
        for (size_t i = 0; i < stamps.size() && i < backStamps.size(); ++i)
            EXPECT_EQ(backStamps[i].first, stamps[i].first) << path << " segment " << i;
        ++checked;
    }
    EXPECT_EQ(checked, 3);
}
