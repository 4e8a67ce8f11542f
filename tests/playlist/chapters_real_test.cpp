// Chapter files over the real discs' PlayLists, through the tools that read them next
// (mkvmerge, mkvextract, ffmpeg) and through mirtal-cli.

#include "cli_run.h"
#include "core/files.h"
#include "playlist/chapters.h"
#include "playlist/mpls_io.h"
#include "playlist/vocabulary.h"
#include "support/disc_builder.h"
#include "support/real_data.h"
#include "support/recording_reporter.h"
#include "support/sample_disc.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <numeric>
#include <set>

using namespace mirtal;
using namespace mirtal::playlist;
namespace fs = std::filesystem;

namespace {

constexpr ChapterFormat kReadable[] = {ChapterFormat::Pts, ChapterFormat::Frame, ChapterFormat::Time,
                                       ChapterFormat::Ogm, ChapterFormat::Xml};
// 1001 ms: whole milliseconds, nanoseconds and thousandths of a frame at every rate.
constexpr uint64_t kExact = 45045;

struct RealPlayList {
    fs::path path;
    TPLmpls model;
};

std::vector<RealPlayList> realPlayLists(const fs::path& root)
{
    std::vector<RealPlayList> lists;
    for (const auto& path : support::realFiles(root, ".mpls")) {
        std::vector<uint8_t> bytes;
        EXPECT_TRUE(core::readWholeFile(path, bytes).ok);
        core::NullReporter sink;
        core::Report report(sink);
        TPLmpls m;
        if (!support::isVersion0300(bytes) && readPlaylist(bytes, path.stem().string(), report).into(m))
            lists.push_back({path, std::move(m)});
    }
    EXPECT_GT(lists.size(), 150u);
    return lists;
}

std::string exported(const TPLmpls& m, ChapterFormat f, const std::vector<std::string>& names = {})
{
    core::NullReporter sink;
    core::Report report(sink);
    return exportChapters(m, f, report, names).value_or("refused");
}

bool imported(TPLmpls& m, std::string_view text, ChapterFormat f)
{
    support::RecordingReporter rec;
    core::Report report(rec);
    const bool ok = importChapters(m, text, f, report, "chapters");
    EXPECT_TRUE(rec.errors.empty()) << rec.errors.front();
    return ok;
}

// A mark's place on the PlayList axis, counted here apart from the library.
uint32_t axisTime(const TPLmpls& m, const TMarkEntry& mark)
{
    uint32_t start = 0;
    const auto& items = m.playList.playItems;
    for (size_t i = 0; i < mark.playItemRef && i < items.size(); ++i)
        start += items[i].outTime45k - items[i].inTime45k;
    return mark.markTime45k + start - (mark.playItemRef < items.size() ? items[mark.playItemRef].inTime45k : 0);
}

bool hasTool(const std::string& name)
{
    return std::system(("command -v " + name + " >/dev/null 2>&1").c_str()) == 0;
}

std::string fileText(const fs::path& file)
{
    std::vector<uint8_t> bytes;
    EXPECT_TRUE(core::readWholeFile(file, bytes).ok) << file;
    return {bytes.begin(), bytes.end()};
}

void writeText(const fs::path& file, const std::string& text)
{
    support::writeBytes(file, std::vector<uint8_t>(text.begin(), text.end()));
}

// Every file below a folder with its bytes.
std::map<fs::path, std::string> snapshot(const fs::path& root)
{
    std::map<fs::path, std::string> files;
    for (const auto& e : fs::recursive_directory_iterator(root))
        if (e.is_regular_file())
            files[e.path()] = fileText(e.path());
    return files;
}

}  // namespace

// An unchanged export imports to the same bytes in every format. An export with two chapters
// deleted (one of them as if moved), two added and, where the file order is the mark order,
// the last line moved to the front imports with exactly those changes.
TEST(RealDiscChapters, ExportsImportToTheSameBytesOrWithExactlyTheirChanges)
{
    const fs::path real = REAL_DATA_OR_SKIP();
    int unchanged = 0;
    int edited = 0;
    for (const auto& [path, original] : realPlayLists(real)) {
        SCOPED_TRACE(path.string());
        // New chapters in the middle of the longest PlayItem, at times every format holds exactly.
        const auto& items = original.playList.playItems;
        uint64_t start = 0, longest = 0, startOfLongest = 0;
        size_t k = 0;
        for (size_t i = 0; i < items.size(); start += items[i].outTime45k - items[i].inTime45k, ++i)
            if (items[i].outTime45k - items[i].inTime45k > longest)
                std::tie(k, longest, startOfLongest) = std::tuple{i, items[i].outTime45k - items[i].inTime45k, start};
        const uint64_t t0 = (startOfLongest + longest / 2) / kExact * kExact;
        const auto& marks = original.marks.marks;
        const auto clear = [&](uint64_t t) {
            return std::none_of(marks.begin(), marks.end(), [&](const TMarkEntry& e) {
                return axisTime(original, e) + kExact > t && axisTime(original, e) < t + kExact;
            });
        };
        std::vector<size_t> entries;
        for (size_t i = 0; i < marks.size(); ++i)
            if (marks[i].markType == 1)
                entries.push_back(i);
        const bool editable = entries.size() >= 3 && longest >= 8 * kExact && clear(t0) && clear(t0 + 2 * kExact);
        auto changed = marks;
        if (editable) {
            changed.erase(changed.begin() + static_cast<ptrdiff_t>(entries[2]));
            changed.erase(changed.begin() + static_cast<ptrdiff_t>(entries[1]));
            for (const uint64_t t : {t0, t0 + 2 * kExact}) {
                const auto later = std::find_if(changed.begin(), changed.end(),
                                                [&](const TMarkEntry& e) { return axisTime(original, e) > t; });
                changed.insert(later, TMarkEntry{0, 1, static_cast<uint16_t>(k),
                                                 static_cast<uint32_t>(items[k].inTime45k + t - startOfLongest), 0xFFFF, 0});
            }
        }
        for (const auto f : kReadable) {
            if (f == ChapterFormat::Frame && !chapterFrameRate(original))
                continue;
            SCOPED_TRACE(chapterFormatCaption(f));
            const std::string text = exported(original, f);
            auto m = original;
            (void)imported(m, text, f);
            EXPECT_EQ(writePlaylist(m), writePlaylist(original));
            EXPECT_EQ(exported(m, f), text);
            ++unchanged;
            if (!editable)
                continue;
            auto source = original;
            source.marks.marks = changed;
            if (!carriesEntryMarksOnly(f))
                std::rotate(source.marks.marks.begin(), source.marks.marks.end() - 1, source.marks.marks.end());
            ASSERT_TRUE(imported(m, exported(source, f), f));
            EXPECT_EQ(m.marks.marks, source.marks.marks);
            EXPECT_EQ(m.marks.length, 2 + 14 * changed.size());
            ++edited;
        }
    }
    EXPECT_GT(unchanged, 700);
    EXPECT_GT(edited, 200);
}

// mkvmerge takes the OGM and XML exports with the marks' times, ffmpeg the FFmetadata one, and
// the files mkvextract writes from them import to the same marks.
TEST(RealDiscChapters, MkvmergeAndFfmpegReadTheExportsAndMkvextractsFilesImport)
{
    const fs::path real = REAL_DATA_OR_SKIP();
    if (!hasTool("mkvmerge") || !hasTool("mkvextract"))
        GTEST_SKIP() << "mkvmerge and mkvextract (mkvtoolnix) are not installed";
    const bool withFfmpeg = hasTool("ffmpeg") && hasTool("ffprobe");
    support::TempDir dir("chapters-mkv");
    // A second of 8 kHz silence: a WAV file is input enough for mkvmerge and ffmpeg.
    std::vector<uint8_t> wav{'R', 'I', 'F', 'F', 0x24, 0x3E, 0, 0, 'W', 'A', 'V', 'E', 'f', 'm', 't', ' ', 16, 0, 0, 0,
                             1, 0, 1, 0, 0x40, 0x1F, 0, 0, 0x80, 0x3E, 0, 0, 2, 0, 16, 0, 'd', 'a', 't', 'a', 0, 0x3E, 0, 0};
    wav.resize(wav.size() + 16000, 0);
    const fs::path input = dir.path() / "in.wav";
    support::writeBytes(input, wav);
    const auto run = [&](const std::string& command) {
        return std::system((command + " >" + (dir.path() / "tool.log").string() + " 2>&1").c_str());
    };

    std::set<std::string> discs;
    for (const auto& [path, original] : realPlayLists(real)) {
        std::vector<uint64_t> ticks;
        for (const auto& mark : original.marks.marks)
            if (mark.markType == 1)
                ticks.push_back(axisTime(original, mark));
        std::sort(ticks.begin(), ticks.end());
        const std::string disc = path.parent_path().parent_path().filename().string();
        if (ticks.size() < 5 || discs.size() == 6 || !discs.insert(disc).second)
            continue;
        SCOPED_TRACE(path.string());
        // What mkvextract writes: the OGM file as exported, the XML with the marks' times.
        std::string times;
        for (const uint64_t t : ticks) {
            const uint64_t ns = t * 200000 / 9;
            char text[64];
            std::snprintf(text, sizeof text, "<ChapterTimeStart>%02llu:%02llu:%02llu.%09llu</ChapterTimeStart>\n",
                          static_cast<unsigned long long>(ns / 3'600'000'000'000), static_cast<unsigned long long>(ns / 60'000'000'000 % 60),
                          static_cast<unsigned long long>(ns / 1'000'000'000 % 60), static_cast<unsigned long long>(ns % 1'000'000'000));
            times += text;
        }
        const std::vector<std::string> names{"Kapitel 1 é"};
        for (const auto f : {ChapterFormat::Ogm, ChapterFormat::Xml}) {
            const bool isXml = f == ChapterFormat::Xml;
            const std::string text = exported(original, f, names);
            writeText(dir.path() / "c.txt", text);
            const std::string mkv = (dir.path() / "out.mkv").string();
            ASSERT_LE(run("mkvmerge -q -o " + mkv + " --chapters " + (dir.path() / "c.txt").string() + " " + input.string()), 1)
                << fileText(dir.path() / "tool.log");
            ASSERT_EQ(run("mkvextract " + mkv + (isXml ? " chapters " : " chapters --simple ") + (dir.path() / "back.txt").string()), 0);
            const std::string back = fileText(dir.path() / "back.txt");
            if (isXml) {
                std::string got;
                for (size_t at = back.find("<ChapterTimeStart>"); at != std::string::npos; at = back.find("<ChapterTimeStart>", at + 1))
                    got += back.substr(at, back.find('\n', at) - at + 1);
                EXPECT_EQ(got, times);
                EXPECT_NE(back.find("<ChapterString>Kapitel 1 é</ChapterString>"), std::string::npos);
            } else {
                EXPECT_EQ(back, text);
            }
            auto m = original;
            ASSERT_TRUE(imported(m, back, f));
            EXPECT_EQ(writePlaylist(m), writePlaylist(original));
        }
        if (!withFfmpeg)
            continue;
        writeText(dir.path() / "c.txt", exported(original, ChapterFormat::FfMetadata, names));
        const std::string mka = (dir.path() / "out.mka").string();
        ASSERT_EQ(run("ffmpeg -v error -y -i " + input.string() + " -i " + (dir.path() / "c.txt").string() +
                      " -map 0 -map_chapters 1 -c copy " + mka),
                  0)
            << fileText(dir.path() / "tool.log");
        ASSERT_EQ(run("ffprobe -v error -show_entries chapter=time_base,start -of csv=p=0 " + mka), 0);
        std::string starts;
        for (const uint64_t t : ticks)
            starts += "1/1000000000," + std::to_string((t * 200000 + 4) / 9) + "\n";    // rounded to the nanosecond
        EXPECT_EQ(fileText(dir.path() / "tool.log"), starts);
    }
    EXPECT_EQ(discs.size(), 6u);
}

TEST(ChaptersCli, DamagedFilesSaveNothingAndNamesReachTheOgmFile)
{
    support::TempDir dir("chapters-cli");
    const fs::path bdmv = support::writeSampleDisc(dir.path());
    const std::string disc = dir.path().string();
    const fs::path file = dir.path() / "c.txt";
    std::string thousand;
    for (int i = 0; i < 1000; ++i)
        thousand += "CHAPTER" + std::to_string(i + 1) + "=00:00:01." + std::to_string(100 + i % 900) + "\n";
    const struct {
        std::string format;
        std::string text;
        std::string error;
    } cases[] = {
        {"time", "CHAPTER01=00:00:00.000\nCHAPTER01NAME=Chapter 01\n", file.string() + " line 1: cannot read"},
        {"pts", "0\r\n\r\n99999999\r\n", file.string() + " line 3: 99999999 is at or past the end of the PlayList"},
        {"ogm", thousand, file.string() + " holds 1000 chapters and the PlayList keeps 1 link points"},
        {"xml", "<Chapters>\n<EditionEntry>", file.string() + " line 2: cannot read it as Matroska XML"},
    };
    const auto before = snapshot(dir.path());
    for (const auto& c : cases) {
        writeText(file, c.text);
        const auto r = runCli("chapters import " + disc + " 00001 --format " + c.format + " " + file.string());
        EXPECT_EQ(r.status, 1) << c.format;
        EXPECT_NE(r.err.find(c.error), std::string::npos) << r.err;
        auto after = snapshot(dir.path());
        after.erase(file);
        EXPECT_EQ(after, before);
    }
    EXPECT_EQ(runCli("chapters import " + disc + " 00001 --format ffmetadata " + file.string()).status, 2);
    EXPECT_EQ(runCli("chapters export " + disc + " 00001 --names " + file.string() + " " + file.string()).status, 2);

    const fs::path names = dir.path() / "names.txt";
    const fs::path ogm = dir.path() / "c_ogm.txt";
    writeText(names, "\xEF\xBB\xBFIntro\r\n\r\nFin\r\n");
    ASSERT_EQ(runCli("chapters export " + disc + " 00001 --format ogm --names " + names.string() + " " + ogm.string()).status, 0);
    EXPECT_EQ(fileText(ogm), "CHAPTER01=00:00:00.000\nCHAPTER01NAME=Intro\nCHAPTER02=00:01:00.000\nCHAPTER02NAME=Chapter 02\n"
                             "CHAPTER03=00:02:00.000\nCHAPTER03NAME=Fin\nCHAPTER04=00:03:00.000\nCHAPTER04NAME=Chapter 04\n");
    const auto r = runCli("chapters import " + disc + " 00001 --format ogm " + ogm.string() + " --no-backup");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(fileText(bdmv / "PLAYLIST" / "00001.mpls"), before.at(bdmv / "PLAYLIST" / "00001.mpls"));
}
