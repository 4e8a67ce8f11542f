#include "playlist_fixture.h"
#include "playlist/mark_edit.h"
#include "playlist/stn_edit.h"
#include "playlist/subpath_edit.h"
#include "core/files.h"
#include "support/recording_reporter.h"
#include "support/sample_disc.h"
#include "support/disc_builder.h"

#include <functional>
#include <random>

using namespace mirtal;
using namespace mirtal::playlist;
using namespace mirtal::support;
using mirtal::playlist::test::expectMeasuredConsistent;
using mirtal::playlist::test::readBuilt;
using mirtal::playlist::test::simpleItem;

namespace {

MplsBuilder richPlayList()
{
    auto a = simpleItem("00001", 1000, 46000);
    a.pg = {pgStream(0x1200, "eng"), pgStream(0x1201, "en")};
    a.pipPg = {pgStream(0x1A00, "deu")};
    auto sa = audioStream(0x1A00, "eng", 0xA1, 3, 1);
    sa.refs1 = {0, 1, 2};
    a.secondaryAudio = {sa};
    auto sv = videoStream(0x1B00);
    sv.refs1 = {0};
    sv.refs2 = {0, 1};
    a.secondaryVideo = {sv};
    a.randomAccess = true;
    auto b = simpleItem("00002", 5000, 95000);
    b.extraAngles = {{"00003", "M2TS", 0}};
    b.ig = {igStream(0x1400, "eng")};
    return std::move(MplsBuilder()
                         .playback(2, 5)
                         .uoMask(0x12345678, 0x40000001)
                         .flagsWord(0xE000)
                         .playItem(a)
                         .playItem(b)
                         .subPath({2, 1, {SubPlayItemDesc{}, SubPlayItemDesc{"00004", "M2TS", 1, 0, 0, 9, 0, 0, true,
                                                                              {{"00005", "M2TS", 1}}}}})
                         .subPath({3, 0, {SubPlayItemDesc{"00010", "M2TS", 1, 0, 0, 45000, 0, 0, false, {}}}})
                         .mark({1, 0, 1000, 0xFFFF, 0})
                         .mark({1, 1, 5000, 0xFFFF, 0})
                         .extension({{0x1000, 1, {1, 2, 3, 4, 5, 6, 7, 8}}}));
}

}  // namespace

TEST(MplsWriter, WritesAConformingFileBackByteForByte)
{
    const auto bytes = richPlayList().bytes();
    EXPECT_EQ(writePlaylist(readBuilt(bytes)), bytes);
    const auto noExt = MplsBuilder().playItem(simpleItem("00001", 0, 9)).bytes();
    EXPECT_EQ(writePlaylist(readBuilt(noExt)), noExt);
}

TEST(MplsWriter, ClearsReservedFieldsAndBits)
{
    const auto clean = richPlayList().bytes();
    const auto dirty = richPlayList().dirtyReserved().bytes();
    ASSERT_NE(clean, dirty);
    EXPECT_EQ(writePlaylist(readBuilt(dirty)), clean);
}

TEST(MplsWriter, WritesFlagsAnglesAndShortTexts)
{
    auto p = simpleItem("00001", 0, 9);
    p.randomAccess = true;
    p.extraAngles = {{"0002", "M2", 4}};
    p.audio = {audioStream(0x1100, "en")};
    const auto m = readBuilt(MplsBuilder().playItem(p).bytes());
    const auto out = writePlaylist(m);
    const size_t item = m.playListStartAddress + 10;
    EXPECT_EQ(out[item + 30], 0x80);
    EXPECT_EQ(out[item + 34], 2);    // number of angles, then one 10-byte record
    EXPECT_EQ(std::vector<uint8_t>(out.begin() + item + 36, out.begin() + item + 46),
              (std::vector<uint8_t>{'0', '0', '0', '2', 0, 'M', '2', 0, 0, 4}));
    const size_t audio = item + 46 + 16 + 16;    // STN header, then the video stream
    EXPECT_EQ(std::vector<uint8_t>(out.begin() + audio + 13, out.begin() + audio + 16),
              (std::vector<uint8_t>{0x65, 0x6E, 0x00}));
    EXPECT_EQ(out.size(), m.playListMarkStartAddress + m.marks.length + 4);
}

TEST(MplsWriter, WritesUnknownEntryAndCodingTypesAsTheirLengthAndTypeBytesOnly)
{
    auto p = simpleItem("00001", 0, 9);
    StreamDesc odd = audioStream(0x1100, "eng");
    odd.entryType = 9;
    odd.coding = 0x77;
    p.audio = {odd};
    const auto bytes = MplsBuilder().playItem(p).bytes();
    const auto m = readBuilt(bytes);
    const auto out = writePlaylist(m);
    EXPECT_EQ(out, bytes);
    const size_t audio = m.playListStartAddress + 10 + 34 + 16 + 16;
    std::vector<uint8_t> expected(16, 0);
    expected[0] = 9, expected[1] = 9, expected[10] = 5, expected[11] = 0x77;
    EXPECT_EQ(std::vector<uint8_t>(out.begin() + audio, out.begin() + audio + 16), expected);
}

TEST(MplsWriter, WritesAnEmptyBlockAsTwelveZeroBytesWhenItsAddressIsSet)
{
    auto m = readBuilt(MplsBuilder().playItem(simpleItem("00001", 0, 9)).bytes());
    const size_t size = writePlaylist(m).size();
    m.extensionDataStartAddress = static_cast<uint32_t>(size);
    const auto out = writePlaylist(m);
    ASSERT_EQ(out.size(), size + 12);
    EXPECT_EQ(std::vector<uint8_t>(out.end() - 12, out.end()), std::vector<uint8_t>(12, 0));
}

TEST(MplsWriter, EveryEditSequenceKeepsTheFileMeasuredAndReadable)
{
    std::mt19937 rng(7);
    for (int round = 0; round < 40; ++round) {
        TPLmpls m = readBuilt(richPlayList().bytes());
        for (int step = 0; step < 25; ++step) {
            const size_t item = rng() % m.playList.playItems.size();
            const int list = static_cast<int>(rng() % 7);
            const size_t count = streamListCount(m.playList.playItems[item].stn, list);
            switch (rng() % 7) {
            case 0: (void)insertStream(m, item, list, count ? rng() % count : 0); break;
            case 1: if (count) (void)deleteStream(m, item, list, rng() % count); break;
            case 2: (void)insertSubPath(m, m.playList.subPaths.empty() ? 0 : rng() % m.playList.subPaths.size()); break;
            case 3: if (!m.playList.subPaths.empty()) (void)deleteSubPath(m, rng() % m.playList.subPaths.size()); break;
            case 4: (void)insertMark(m, m.marks.marks.empty() ? 0 : rng() % m.marks.marks.size()); break;
            case 5: {
                std::string chapters;
                for (uint32_t n = rng() % 6; n > 0; --n)
                    chapters += std::to_string(rng() % 200000) + "\r\n";
                core::NullReporter quiet;
                core::Report report(quiet);
                (void)importChapters(m, chapters, ChapterFormat::Pts, report);
                break;
            }
            default:
                if (!m.marks.marks.empty()) {
                    const size_t first = rng() % m.marks.marks.size();
                    (void)deleteMarks(m, first, first + rng() % 3);
                }
                break;
            }
        }
        const auto out = writePlaylist(m);
        expectMeasuredConsistent(out);
        TPLmpls again = readBuilt(out);
        EXPECT_EQ(again, m) << "round " << round;
        if (HasFailure())
            break;
    }
}

TEST(MplsLayout, TheIndependentWalkCatchesEveryUnadjustedSize)
{
    const auto bytes = richPlayList().bytes();
    const auto clean = walkMpls(bytes);
    EXPECT_TRUE(clean.complete);
    EXPECT_TRUE(clean.mismatches.empty());

    // A stream added without the length bookkeeping: four stored values are now wrong.
    auto m = readBuilt(bytes);
    auto& stn = m.playList.playItems[0].stn;
    stn.primaryAudio.push_back(stn.primaryAudio[0]);
    ++stn.primaryAudioCount;
    const auto stream = walkMpls(writePlaylist(m));
    EXPECT_GE(stream.mismatches.size(), 3u);

    // A mark added without its 14 bytes: the mark length and the file size disagree.
    m = readBuilt(bytes);
    m.marks.marks.push_back({});
    ++m.marks.numberOfMarks;
    EXPECT_FALSE(walkMpls(writePlaylist(m)).mismatches.empty());

    // The same edits through the editors leave nothing to report.
    m = readBuilt(bytes);
    (void)insertStream(m, 0, kListAudio, 0);
    (void)insertMark(m, 0);
    EXPECT_TRUE(walkMpls(writePlaylist(m)).mismatches.empty());
}

TEST(PlaylistSave, KeepsTheBackupAndWritesTheModel)
{
    TempDir dir("plsave");
    const auto bdmv = dir.path() / "BDMV";
    const auto original = richPlayList().bytes();
    writeBytes(bdmv / "PLAYLIST" / "00001.mpls", original);
    auto m = readBuilt(original);
    (void)insertMark(m, 1);
    RecordingReporter rec;
    core::Report report(rec);
    ASSERT_EQ(plsave(bdmv, "00001", m, {}, report), core::SaveOutcome::Saved);
    EXPECT_TRUE(rec.hasLine("Saving 00001.mpls"));
    EXPECT_EQ(rec.panels[0], "Ready");
    std::vector<uint8_t> onDisk, backup;
    ASSERT_TRUE(core::readWholeFile(bdmv / "PLAYLIST" / "00001.mpls", onDisk).ok);
    ASSERT_TRUE(core::readWholeFile(bdmv / "PLAYLIST" / "00001.mpls.backup", backup).ok);
    EXPECT_EQ(onDisk, writePlaylist(m));
    EXPECT_EQ(backup, original);
    core::BackupOptions stop;
    stop.mode = core::BackupMode::StopIfExists;
    EXPECT_EQ(plsave(bdmv, "00001", m, stop, report), core::SaveOutcome::BackupFailed);
    EXPECT_TRUE(rec.hasLine("[re]Cannot create backup file.[/re]"));
}

TEST(MplsWrite, ModelsThatDisagreeWithTheirStoredLengthsAreRefusedBeforeAnythingIsWritten)
{
    support::TempDir dir("mpls-refuse");
    const auto bdmv = support::writeSampleDisc(dir.path());
    support::RecordingReporter rec;
    core::Report report(rec);
    TPLmpls read;
    ASSERT_TRUE(readPlaylistFile(bdmv, "00001", report).into(read));
    std::vector<uint8_t> before;
    ASSERT_TRUE(core::readWholeFile(bdmv / "PLAYLIST" / "00001.mpls", before).ok);

    const std::pair<const char*, std::function<void(TPLmpls&)>> damages[] = {
        {"PlayList() holds more than its stored length", [](TPLmpls& m) { m.playList.length -= 20; }},
        {"AppInfoPlayList() holds more than its stored length", [](TPLmpls& m) { m.appInfoLength = 4; }},
        {"PlayListMark() holds more than its stored length", [](TPLmpls& m) { m.marks.length = 2; }},
        {"the start address of PlayList() (20) points into", [](TPLmpls& m) { m.playListStartAddress = 20; }},
    };
    for (const auto& [says, damage] : damages) {
        TPLmpls m = read;
        damage(m);
        rec.errors.clear();
        EXPECT_EQ(plsave(bdmv, "00001", m, {true, core::BackupMode::Overwrite, false}, report),
                  core::SaveOutcome::WriteFailed)
            << says;
        ASSERT_FALSE(rec.errors.empty()) << says;
        EXPECT_NE(rec.errors.back().find("Cannot save 00001.mpls: " + std::string(says)), std::string::npos)
            << rec.errors.back();
        std::vector<uint8_t> after;
        ASSERT_TRUE(core::readWholeFile(bdmv / "PLAYLIST" / "00001.mpls", after).ok);
        EXPECT_EQ(after, before) << says;
        EXPECT_FALSE(std::filesystem::exists(bdmv / "PLAYLIST" / "00001.mpls.backup")) << says;
    }
}
