// PID extraction: modes, names, SUP time stamps, cancel, and the external decoders as oracles.
#include "ig/extract.h"
#include "ig_test_util.h"
#include "core/files.h"
#include "core/markup.h"
#include "support/disc_builder.h"
#include "support/ig_sample.h"
#include "support/real_data.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace mirtal;
using namespace mirtal::ig;
using namespace mirtal::support;
namespace fs = std::filesystem;

namespace {

bool haveTool(const char* tool)
{
    return std::system((std::string("command -v ") + tool + " >/dev/null 2>&1").c_str()) == 0;
}

ByteVec readAll(const fs::path& p)
{
    ByteVec b;
    EXPECT_TRUE(core::readWholeFile(p, b).ok) << p;
    return b;
}

}  // namespace

TEST(ExtractNames, ModesAndExtensions)
{
    using K = StreamKind;
    EXPECT_EQ(extractMode(K::InteractiveGraphics, false, false), ExtractMode::Sup);
    EXPECT_EQ(extractMode(K::PresentationGraphics, false, false), ExtractMode::Elementary);
    EXPECT_EQ(extractMode(K::PresentationGraphics, true, true), ExtractMode::Sup);
    EXPECT_EQ(extractMode(K::Video, true, true), ExtractMode::Pes);
    EXPECT_EQ(extractFileName("00001", {"1200", "PG", "eng"}, K::PresentationGraphics, ExtractMode::Elementary),
              "00001_PID1200_PG_eng.pgs");
    EXPECT_EQ(extractFileName("00001", {"1011", "AVC", "1080p, 23.976, 16:9"}, K::Video, ExtractMode::Pes),
              "00001_PID1011_AVC_1080p_23.976_16_9.PES.vis");
    EXPECT_EQ(extractFileName("00001", {"1B00", "", ""}, K::None, ExtractMode::Elementary), "00001_PID1B00__.");
    EXPECT_EQ(kindOfPid(0x1400), K::InteractiveGraphics);
    EXPECT_EQ(kindOfCodingType(0x90), K::PresentationGraphics);
}

TEST(ExtractNames, TheClipsCodingTypeDecidesOnlyTheGraphicsKinds)
{
    using K = StreamKind;
    EXPECT_EQ(kindOfStream(0x1200, std::nullopt), K::PresentationGraphics);    // a PID the clip does not list
    EXPECT_EQ(kindOfStream(0x1200, 0x91), K::InteractiveGraphics);
    EXPECT_EQ(kindOfStream(0x1400, 0x1B), K::None);
    EXPECT_EQ(kindOfStream(0x1B00, 0x90), K::PresentationGraphics);
    EXPECT_EQ(kindOfStream(0x1100, 0x1B), K::Audio);    // video and audio go by the PID
    EXPECT_EQ(kindOfStream(0x1B00, 0x1B), K::None);
}

TEST(Extract, SupHeadersAreRelativeToTheFirstVideoPts)
{
    TsBuilder ts;
    ts.pes(0x1011, pesPacket(0xE0, ByteVec(400, 1), 90000, 86000), 7);
    ts.pes(0x1200, pesPacket(0xBD, segment(0x80, {}), 100000, 99000));
    ts.pes(0x1200, pesPacket(0xBD, segment(0x16, ByteVec(300, 2)), std::nullopt));    // repeats the stamps
    ts.pes(0x1200, pesPacket(0xBE, ByteVec(50, 0xFF), std::nullopt));                  // padding: nothing
    TempDir dir("ig-extract");
    RecordingReporter rec;
    core::Report report(rec);
    MemorySource src(ts.bytes());
    const auto r = extractPid(src, 0x1200, ExtractMode::Sup, dir.path() / "a.sup", report);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.packetsOnPid, 4);
    const ByteVec out = readAll(dir.path() / "a.sup");
    ByteVec expected = {'P', 'G', 0, 0, 0x27, 0x10, 0, 0, 0x23, 0x28, 0x80, 0, 0,
                        'P', 'G', 0, 0, 0x27, 0x10, 0, 0, 0x23, 0x28};
    const auto seg = segment(0x16, ByteVec(300, 2));
    expected.insert(expected.end(), seg.begin(), seg.end());
    EXPECT_EQ(out, expected);
    EXPECT_TRUE(rec.hasLine("4 source packets saved. (0:00:00)"));
}

TEST(Extract, PesModeWritesPayloadsAsTheyStandAndElementarySkipsHeaders)
{
    TsBuilder ts;
    const auto pes = pesPacket(0xE0, ByteVec(1000, 3), 90000, std::nullopt, true);    // unbounded
    ts.pes(0x1011, pes);
    ts.pes(0x1011, pesPacket(0xE0, ByteVec(500, 4), 93003, std::nullopt, true));
    TempDir dir("ig-extract-pes");
    RecordingReporter rec;
    core::Report report(rec);
    MemorySource a(ts.bytes());
    ASSERT_TRUE(extractPid(a, 0x1011, ExtractMode::Pes, dir.path() / "v.PES.vis", report).ok);
    ByteVec both = pes;
    const auto second = pesPacket(0xE0, ByteVec(500, 4), 93003, std::nullopt, true);
    both.insert(both.end(), second.begin(), second.end());
    EXPECT_EQ(readAll(dir.path() / "v.PES.vis"), both);
    MemorySource b(ts.bytes());
    ASSERT_TRUE(extractPid(b, 0x1011, ExtractMode::Elementary, dir.path() / "v.vis", report).ok);
    ByteVec es(1000, 3);
    es.insert(es.end(), 500, 4);
    EXPECT_EQ(readAll(dir.path() / "v.vis"), es);
}

TEST(Extract, CancelEndsWithWholePesPackets)
{
    TsBuilder ts;
    for (int i = 0; i < 400; ++i)
        ts.pes(0x1100, pesPacket(0xC0, ByteVec(600, static_cast<uint8_t>(i)), 90000 + i));
    TempDir dir("ig-extract-cancel");
    RecordingReporter rec;
    rec.cancelAfter = 3;
    core::Report report(rec);
    MemorySource src(ts.bytes());
    const auto r = extractPid(src, 0x1100, ExtractMode::Elementary, dir.path() / "a.aus", report);
    EXPECT_TRUE(r.cancelled);
    EXPECT_TRUE(rec.hasLine("Saving cancelled."));
    const auto out = readAll(dir.path() / "a.aus");
    EXPECT_EQ(out.size() % 600, 0u);
    EXPECT_LT(out.size(), 400u * 600);
}

TEST(Extract, APidWithoutPacketsIsAnErrorAndLeavesNoFile)
{
    TempDir dir("ig-extract-none");
    TsBuilder ts;
    ts.pes(0x1011, pesPacket(0xE0, ByteVec(400, 1), 90000)).nullPacket(3);
    for (const ByteVec& input : {ts.bytes(), ByteVec(192 * 4, 0x5A)}) {    // another PID only; no sync at all
        RecordingReporter rec;
        core::Report report(rec);
        MemorySource src(input);
        const auto r = extractPid(src, 0x1200, ExtractMode::Sup, dir.path() / "none.sup", report);
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.packetsOnPid, 0);
        ASSERT_EQ(rec.errors.size(), 1u);
        EXPECT_EQ(core::markupToPlain(rec.lines.back()).rfind("No source packets on PID 1200 (", 0), 0u)
            << rec.lines.back();
        EXPECT_FALSE(fs::exists(dir.path() / "none.sup"));
    }
}

namespace {

// Runs a shell command; its standard error, and whether it exited with 0.
std::pair<bool, std::string> runTool(const std::string& cmd, const fs::path& errFile)
{
    const bool ok = std::system((cmd + " 2> '" + errFile.string() + "'").c_str()) == 0;
    const ByteVec err = readAll(errFile);
    return {ok, std::string(err.begin(), err.end())};
}

std::vector<std::string> linesOf(const std::string& text)
{
    std::vector<std::string> out;
    size_t at = 0;
    while (at < text.size()) {
        const size_t nl = text.find('\n', at);
        out.push_back(text.substr(at, nl == std::string::npos ? std::string::npos : nl - at));
        at = nl == std::string::npos ? text.size() : nl + 1;
    }
    return out;
}

}  // namespace

// The SUP files of the sample disc, read by ffprobe and ffmpeg. The framing (the "PG" header,
// the time stamps, the segment lengths) is checked without the PG decoder: ffmpeg's SUP demuxer
// and muxer copy each file to an identical one without a message. Decoding a PG stream gives no
// message at all. The PG decoder does not know the IG segment types: on the IG stream it reports
// the ICS (0x18) as unknown and, with no presentation composition to give a video size, rejects
// the objects; those are the only messages it may give.
TEST(ExtractOracle, SampleSupFilesAreReadByFfprobeAndFfmpegWithoutErrors)
{
    if (!haveTool("ffprobe") || !haveTool("ffmpeg"))
        GTEST_SKIP() << "ffprobe or ffmpeg is not installed";
    TempDir dir("ig-extract-oracle");
    addSampleMenu(dir.path());
    RecordingReporter rec;
    core::Report report(rec);
    for (const auto& [clip, pid] : {std::pair{"00011.m2ts", 0x1200}, std::pair{"00010.m2ts", 0x1400}}) {
        FileSource src(dir.path() / "STREAM" / clip);
        const std::string sup = (dir.path() / (std::string(clip) + ".sup")).string();
        ASSERT_TRUE(extractPid(src, static_cast<uint16_t>(pid), ExtractMode::Sup, sup, report).ok);
        const fs::path err = sup + ".err";

        const auto [probed, probeErr] = runTool("ffprobe -v error -show_entries stream=codec_name -of csv=p=0 '" + sup +
                                                    "' > '" + sup + ".txt'",
                                                err);
        EXPECT_TRUE(probed) << clip;
        const ByteVec codec = readAll(sup + ".txt");
        EXPECT_EQ(std::string(codec.begin(), codec.end()), "hdmv_pgs_subtitle\n") << clip;

        const auto [copied, copyErr] = runTool("ffmpeg -nostdin -v error -nofind_stream_info -i '" + sup +
                                                   "' -map 0 -c copy -f sup -y '" + sup + ".copy'",
                                               err);
        EXPECT_TRUE(copied) << clip;
        EXPECT_EQ(copyErr, "") << clip;
        EXPECT_EQ(readAll(sup + ".copy"), readAll(sup)) << clip;

        const auto [decoded, decodeErr] = runTool("ffmpeg -nostdin -v error -i '" + sup + "' -map 0 -c copy -f null -", err);
        EXPECT_TRUE(decoded) << clip;
        if (pid == 0x1200) {
            EXPECT_EQ(probeErr, "") << clip;
            EXPECT_EQ(decodeErr, "") << clip;
            continue;
        }
        for (const auto& text : {probeErr, decodeErr})
            for (const auto& line : linesOf(text)) {
                const bool igOnly = line.find("Unknown subtitle segment type 0x18") != std::string::npos ||
                                    line.find("Bitmap dimensions (320x90) invalid.") != std::string::npos ||
                                    line.find("Last message repeated") != std::string::npos;
                EXPECT_TRUE(igOnly) << clip << ": " << line;
            }
    }
    EXPECT_TRUE(rec.errors.empty());
}

TEST(ExtractOracle, RealVideoAndAudioMatchFfmpegStreamCopy)
{
    const fs::path real = REAL_DATA_OR_SKIP();
    if (!haveTool("ffmpeg"))
        GTEST_SKIP() << "ffmpeg is not installed";
    const fs::path m2ts = real / "tsmuxer/discA/BDMV/STREAM/00000.m2ts";
    TempDir dir("ig-extract-ffmpeg");
    RecordingReporter rec;
    core::Report report(rec);
    for (const auto& [pid, map, format] : {std::tuple{0x1011, "0:v:0", "h264"}, std::tuple{0x1100, "0:a:0", "ac3"}}) {
        FileSource src(m2ts);
        const auto ours = dir.path() / ("ours." + std::string(format));
        ASSERT_TRUE(extractPid(src, static_cast<uint16_t>(pid), ExtractMode::Elementary, ours, report).ok);
        const auto theirs = dir.path() / ("ffmpeg." + std::string(format));
        const std::string cmd = "ffmpeg -v error -y -i '" + m2ts.string() + "' -map " + map + " -c copy -copyinkf -f " +
                                format + " '" + theirs.string() + "'";
        ASSERT_EQ(std::system(cmd.c_str()), 0);
        EXPECT_EQ(readAll(ours), readAll(theirs)) << format;
    }
}
