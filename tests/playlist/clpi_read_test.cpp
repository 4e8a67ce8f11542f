#include "playlist/clpi.h"
#include "support/clpi_builder.h"
#include "support/disc_builder.h"
#include "support/real_data.h"
#include "support/recording_reporter.h"
#include "core/files.h"
#include "core/text.h"

#include <gtest/gtest.h>

using namespace mirtal;
using namespace mirtal::playlist;
using namespace mirtal::support;

namespace {

struct Read {
    ClipInfoRead read;
    ClipInfo view;
    RecordingReporter rec;
};

std::unique_ptr<Read> readClip(const std::vector<uint8_t>& bytes, std::optional<bdmv::TAVStream> stream = std::nullopt)
{
    auto r = std::make_unique<Read>();
    core::Report report(r->rec);
    r->read = readClipInfo(bytes, "00001", stream, report);
    r->view = r->read.value;
    return r;
}

using Cells = std::array<std::string, 4>;

}  // namespace

TEST(ClipReader, ListsStreamsOfEveryCodingType)
{
    ClipStreamDesc text{0x1800, 0x92, 0, 0, "fin", 3, 21};
    const auto r = readClip(ClpiBuilder()
                                .stream(clipVideo(0x1011, 0x1B, 6, 1, 3))
                                .stream(clipVideo(0x1012, 0x02, 1, 4, 2))
                                .stream(clipVideo(0x1013, 0xEA, 4, 3, 3))
                                .stream(clipAudio(0x1100, "eng", 0x80, 3, 1))
                                .stream(clipAudio(0x1101, "fra", 0x86, 12, 12))
                                .stream(clipAudio(0x1102, "deu", 0xA1, 1, 4))
                                .stream(clipGraphics(0x1200, 0x90, "jpn"))
                                .stream(clipGraphics(0x1400, 0x91, "eng"))
                                .stream(text)
                                .bytes());
    ASSERT_TRUE(r->read.ok());
    const auto rows = programInfoRows(r->view);
    ASSERT_EQ(rows.size(), 9u);
    EXPECT_EQ(rows[0], (Cells{"1", "1011", "AVC", "1080p, 23.976, 16:9"}));
    EXPECT_EQ(rows[1], (Cells{"2", "1012", "MPEG-2", "480i, 29.97, 4:3"}));
    EXPECT_EQ(rows[2], (Cells{"3", "1013", "VC1", "1080i, 25, 16:9"}));
    EXPECT_EQ(rows[3], (Cells{"4", "1100", "LPCM", "Stereo, 48 kHz, eng"}));
    EXPECT_EQ(rows[4], (Cells{"5", "1101", "DTS-HD XLL", "St.+M-ch., c:48/96, e:192 kHz, fra"}));
    EXPECT_EQ(rows[5], (Cells{"6", "1102", "DD+", "Mono, 96 kHz, deu"}));
    EXPECT_EQ(rows[6], (Cells{"7", "1200", "PG", "jpn"}));
    EXPECT_EQ(rows[7], (Cells{"8", "1400", "IG", "eng"}));
    EXPECT_EQ(rows[8], (Cells{"9", "1800", "Text", "3, fin"}));
    EXPECT_EQ(r->view.streams[7].pid, 0x1400);
    EXPECT_EQ(programInfoCaptions(), (Cells{"", "PID", "Stream type", "Details"}));
}

TEST(ClipReader, LogsClipInfoSequenceInfoAndCpi)
{
    const auto r = readClip(ClpiBuilder().rate(48000000).packets(777).atcDelta("00002", "M2TS").stream(clipVideo(0x1011)).bytes());
    ASSERT_TRUE(r->read.ok());
    EXPECT_EQ(r->rec.lines, (std::vector<std::string>{"", "Reading 00001.clpi", "Clip stream type: 1",
                                                      "application type: Main TS for a Movie", "rate: 48000000",
                                                      "packet: 777", "number of ATC delta:1", "00002", "M2TS",
                                                      "ATC sequences: 1", "  offset STC: 0", "Stream PID entries: 1", ""}));
    const auto text = readClip(ClpiBuilder().applicationType(6).stream(clipVideo(0x1011)).bytes());
    ASSERT_TRUE(text->read.ok());
    EXPECT_TRUE(text->rec.hasLine("application type: Sub TS for a Text subtitle"));
    EXPECT_EQ(text->view.streams.size(), 1u);
    const auto odd = readClip(ClpiBuilder().applicationType(9).stream(clipVideo(0x1011)).bytes());
    EXPECT_TRUE(odd->rec.hasLine("application type: res."));
}

TEST(ClipReader, TheSecondProgramSequenceReplacesTheFirst)
{
    const auto r = readClip(ClpiBuilder()
                                .stream(clipVideo(0x1011))
                                .stream(clipAudio(0x1100, "eng"))
                                .nextProgramSequence()
                                .stream(clipGraphics(0x1400, 0x91, "eng"))
                                .bytes());
    ASSERT_TRUE(r->read.ok());
    ASSERT_EQ(r->view.streams.size(), 1u);
    EXPECT_EQ(r->view.streams[0].pid, 0x1400);
}

TEST(ClipReader, UnknownCodingTypesAndLongerInfosAreSkippedByTheirLength)
{
    ClipStreamDesc odd{0x1F00, 0x55, 0, 0, "", 0, 30};
    auto longVideo = clipVideo(0x1012);
    longVideo.infoLength = 40;
    const auto r = readClip(ClpiBuilder().stream(odd).stream(longVideo).stream(clipAudio(0x1100, "eng")).bytes());
    ASSERT_TRUE(r->read.ok());
    const auto rows = programInfoRows(r->view);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0], (Cells{"1", "1F00", "", ""}));
    EXPECT_EQ(rows[1][3], "1080p, 23.976, 16:9");
    EXPECT_EQ(rows[2], (Cells{"3", "1100", "DD", "Multi-ch., 48 kHz, eng"}));
}

TEST(ClipReader, RefusesOtherVersionsAndShortFiles)
{
    auto r = readClip(ClpiBuilder().version("0300").stream(clipVideo(0x1011)).bytes(), bdmv::TAVStream{"00001.m2ts", 10});
    EXPECT_FALSE(r->read.ok());
    EXPECT_TRUE(r->rec.hasLine("[re]Invalid format: 00001.clpi[/re]"));
    EXPECT_EQ(r->view.streamNameLabel, "00001.m2ts");    // the labels are set before the check
    EXPECT_TRUE(readClip({'H', 'D', 'M'})->rec.hasLine("[re]Invalid format: 00001.clpi[/re]"));
    auto bytes = ClpiBuilder().stream(clipVideo(0x1011)).bytes();
    bytes.resize(bytes.size() - 30);
    r = readClip(bytes);
    EXPECT_FALSE(r->read.ok());
    ASSERT_EQ(r->rec.errors.size(), 1u);
    EXPECT_TRUE(r->view.streams.empty());
}

TEST(ClipReader, StreamLabelsAndTheMenuButton)
{
    const auto bytes = ClpiBuilder().stream(clipGraphics(0x1400, 0x91, "eng")).bytes();
    auto r = readClip(bytes, bdmv::TAVStream{"", 0});
    EXPECT_EQ(r->view.streamNameLabel, "N/A");
    EXPECT_EQ(r->view.streamSizeLabel, "");
    EXPECT_FALSE(r->view.igLoaderEnabled);
    r = readClip(bytes, bdmv::TAVStream{"00001.m2ts", 0});
    EXPECT_EQ(r->view.streamSizeLabel, "empty");
    r = readClip(bytes, bdmv::TAVStream{"00001.m2ts", 1234567});
    EXPECT_EQ(r->view.streamSizeLabel, core::grouped(1234567));
    EXPECT_TRUE(r->view.igLoaderEnabled);
    r = readClip(bytes);
    EXPECT_EQ(r->view.streamNameLabel, "-");

    EXPECT_TRUE(igLoaderEnabledForRow("1401", 10));
    EXPECT_FALSE(igLoaderEnabledForRow("1401", 0));
    EXPECT_FALSE(igLoaderEnabledForRow("1500", 10));
    EXPECT_EQ(programRowDoubleClick("1401", 10), ProgramRowAction::OpenStream);
    EXPECT_EQ(programRowDoubleClick("1400", 0), ProgramRowAction::LoadMenu);
    EXPECT_EQ(programRowDoubleClick("1011", 0), ProgramRowAction::None);
}

TEST(ClipReader, ReadsTheFileAndItsStreamFromAFolder)
{
    TempDir dir("clpi");
    const auto bdmv = dir.path() / "BDMV";
    writeBytes(bdmv / "CLIPINF" / "00001.CLPI", ClpiBuilder().stream(clipVideo(0x1011)).bytes());
    writeBytes(bdmv / "STREAM" / "00001.m2ts", std::vector<uint8_t>(192, 0x47));
    const auto stream = streamFileOf(bdmv, "00001");
    EXPECT_EQ(stream.name, "00001.m2ts");
    EXPECT_EQ(stream.size, 192);
    RecordingReporter rec;
    core::Report report(rec);
    EXPECT_TRUE(readClipInfoFile(bdmv, "00001", stream, report).ok());
    EXPECT_FALSE(readClipInfoFile(bdmv, "00002", std::nullopt, report).ok());
    EXPECT_EQ(rec.errors.size(), 1u);
    EXPECT_TRUE(streamFileOf(bdmv, "00002").name.empty());
}

TEST(RealDiscs, ClipsListTheirStreamsWithNamedCodingTypes)
{
    const auto real = REAL_DATA_OR_SKIP();
    int videos = 0, audios = 0, graphics = 0;
    for (const auto& path : realFiles(real, ".clpi")) {
        std::vector<uint8_t> bytes;
        ASSERT_TRUE(core::readWholeFile(path, bytes).ok);
        if (isVersion0300(bytes))
            continue;
        const auto r = readClip(bytes);
        ASSERT_TRUE(r->read.ok()) << path;
        for (const auto& row : programInfoRows(r->view)) {
            videos += row[2] == "AVC" || row[2] == "MPEG-2" || row[2] == "VC1";
            audios += row[3].size() > 5 && row[3].find("kHz") != std::string::npos;
            graphics += row[2] == "PG" || row[2] == "IG";
        }
    }
    EXPECT_GT(videos, 100);
    EXPECT_GT(audios, 100);
    EXPECT_GT(graphics, 100);
}
