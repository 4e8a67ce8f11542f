#include "playlist_fixture.h"
#include "playlist/chapters.h"
#include "playlist/vocabulary.h"

using namespace mirtal;
using namespace mirtal::playlist;
using namespace mirtal::support;
using mirtal::playlist::test::expectMeasuredConsistent;
using mirtal::playlist::test::readBuilt;
using mirtal::playlist::test::simpleItem;

namespace {

constexpr ChapterFormat kReadable[] = {ChapterFormat::Pts, ChapterFormat::Frame, ChapterFormat::Time,
                                       ChapterFormat::Ogm, ChapterFormat::Xml};

// PlayItems of 45000 and 90000 ticks at IN times 1000 and 5000; frame rate value 3 (25).
TPLmpls twoItems(std::vector<MarkDesc> marks = {{}}, bool ext = false)
{
    MplsBuilder b;
    b.playItem(simpleItem("00001", 1000, 46000)).playItem(simpleItem("00002", 5000, 95000));
    for (const auto& mark : marks)
        b.mark(mark);
    if (ext)
        b.extension({{0x1000, 1, {1, 2, 3, 4}}});
    return readBuilt(b.bytes());
}

struct Imported {
    bool ok;
    std::vector<std::string> log;
    std::vector<std::string> errors;
};

Imported import(TPLmpls& m, std::string_view text, ChapterFormat f)
{
    RecordingReporter rec;
    core::Report report(rec);
    const bool ok = importChapters(m, text, f, report, "c.txt");
    return {ok, rec.plainLines(), rec.errors};
}

std::string exported(const TPLmpls& m, ChapterFormat f, const std::vector<std::string>& names = {})
{
    RecordingReporter rec;
    core::Report report(rec);
    return exportChapters(m, f, report, names).value_or("refused");
}

std::string xmlFile(const std::vector<std::string>& starts)
{
    std::string text = "<Chapters><EditionEntry>\n";
    for (const auto& s : starts)
        text += "<ChapterAtom><ChapterTimeStart>" + s + "</ChapterTimeStart></ChapterAtom>\n";
    return text + "</EditionEntry></Chapters>\n";
}

}  // namespace

TEST(ChapterImport, PtsLinesLandOnTheirPlayItems)
{
    auto m = twoItems({{}}, true);
    const auto ext = m.extensionDataStartAddress;
    const auto r = import(m, "45000\r\n30000\r\n0\r\n", ChapterFormat::Pts);
    ASSERT_TRUE(r.ok);
    ASSERT_EQ(m.marks.marks.size(), 3u);
    EXPECT_EQ(m.marks.marks[0], (TMarkEntry{0, 1, 1, 5000, 0xFFFF, 0}));
    EXPECT_EQ(m.marks.marks[1], (TMarkEntry{0, 1, 0, 31000, 0xFFFF, 0}));
    EXPECT_EQ(m.marks.marks[2], (TMarkEntry{0, 1, 0, 1000, 0xFFFF, 0}));
    EXPECT_EQ(m.marks.length, 14u * 3 + 2);
    EXPECT_EQ(m.marks.numberOfMarks, 3);
    EXPECT_EQ(m.extensionDataStartAddress, ext + 14 * 2);    // one mark before, three after
    expectMeasuredConsistent(writePlaylist(m));
    EXPECT_EQ(exported(m, ChapterFormat::Pts), "45000\r\n30000\r\n0\r\n");
    // The boundary chapter: the locating loop's lines, then the PlayItem and its start.
    EXPECT_EQ(r.log, (std::vector<std::string>{"2: 00:00:01.000 00:00:01.000   0000AFC8 0000AFC8", "1, 00:00:01.000",
                                               "1: 00:00:00.666 00:00:01.000   00007530 0000AFC8", "0, 00:00:00.000",
                                               "0, 00:00:00.000"}));
}

TEST(ChapterFormats, FrameAndTimeExamples)
{
    auto m = twoItems();
    ASSERT_TRUE(import(m, "45000", ChapterFormat::Pts).ok);
    EXPECT_EQ(exported(m, ChapterFormat::Frame), "25000\r\n");
    EXPECT_EQ(exported(m, ChapterFormat::Time), "00:00:01.000\r\n");
    ASSERT_TRUE(import(m, "25000\n", ChapterFormat::Frame).ok);
    EXPECT_EQ(exported(m, ChapterFormat::Pts), "45000\r\n");
    ASSERT_TRUE(import(m, "00:00:01.000", ChapterFormat::Time).ok);
    EXPECT_EQ(m.marks.marks[0].playItemRef, 1);
    EXPECT_EQ(m.marks.marks[0].markTime45k, 5000u);
    EXPECT_EQ(chapterFileName("00003", ChapterFormat::Frame), "chapter_00003_frame.txt");
    EXPECT_EQ(chapterFileName("00003", ChapterFormat::Ogm), "chapter_00003_ogm.txt");
    EXPECT_EQ(chapterFileName("00003", ChapterFormat::Xml), "chapter_00003.xml");
    EXPECT_EQ(chapterFileName("00003", ChapterFormat::FfMetadata), "chapter_00003_ffmetadata.txt");
    EXPECT_EQ(chapterFormatFromText("FFmetadata"), ChapterFormat::FfMetadata);
    EXPECT_EQ(chapterFormatFromText("smpte"), std::nullopt);
}

// Marks at IN times, one tick after them and one before the OUT time, a link point, a mark
// with a duration, a mark twice, out of time order: no format carries those times exactly,
// yet an unchanged file gives back every mark as it was.
TEST(ChapterFormats, UnchangedExportsGiveBackEveryMarkInEveryFormat)
{
    for (const uint8_t rate : {1, 2, 3, 4, 6, 7}) {
        MplsBuilder b;
        uint32_t in = 900;
        for (uint16_t i = 0; i < 4; ++i) {
            auto p = simpleItem("0000" + std::to_string(i), in, in + 450017 + 1111 * i);
            p.video = {videoStream(0x1011, 0x1B, 6, rate)};
            b.playItem(p);
            b.mark({1, i, in}).mark({1, i, in + 1}).mark({2, i, in + 200000, 0x1011, 0});
            b.mark({1, i, in + 450016 + 1111 * i, 0x1100, 4500});
            in += 4501;
        }
        b.mark({1, 2, 9002 + 7}).mark({1, 2, 9002 + 7}).mark({1, 0, 900 + 44});
        b.extension({{0x1000, 1, {1, 2, 3, 4}}});
        const auto original = readBuilt(b.bytes());
        for (const auto f : kReadable) {
            SCOPED_TRACE("rate " + std::to_string(rate) + " format " + chapterFormatCaption(f));
            const std::string text = exported(original, f);
            auto m = original;
            const auto r = import(m, text, f);
            ASSERT_TRUE(r.ok);
            EXPECT_TRUE(r.log.empty());    // nothing was converted
            EXPECT_EQ(writePlaylist(m), writePlaylist(original));
            EXPECT_EQ(exported(m, f), text);
        }
    }
}

// A new chapter within one unit of the format of a PlayItem boundary, on either side, starts
// the later PlayItem; two units away it stays where its time falls.
TEST(ChapterImport, ConvertedChaptersNearABoundaryStartTheLaterPlayItem)
{
    constexpr uint64_t kBoundary = 450017;    // not a whole millisecond nor a whole frame
    auto first = simpleItem("00001", 900, 900 + kBoundary);
    auto second = simpleItem("00002", 77777, 77777 + 900000);
    first.video = {videoStream(0x1011, 0x1B, 6, 1)};    // 24000/1001
    const auto original = readBuilt(MplsBuilder().playItem(first).playItem(second).bytes());
    // Around 10.000377777 s; "two units away" in nanoseconds is taken as about two ticks.
    const char* const xmlTimes[] = {"00:00:10.000287777", "00:00:10.000377776", "00:00:10.000377777",
                                    "00:00:10.000377778", "00:00:10.000467777"};
    for (const auto f : kReadable) {
        for (const int delta : {-2, -1, 0, 1, 2}) {
            const std::string ms = timeText45k(static_cast<uint32_t>((kBoundary / 45 + delta) * 45));
            std::string text;
            switch (f) {
            case ChapterFormat::Pts: text = std::to_string(kBoundary + delta); break;
            case ChapterFormat::Frame: text = std::to_string(kBoundary * 24000 / 1001 / 45 + delta); break;
            case ChapterFormat::Time: text = ms; break;
            case ChapterFormat::Ogm: text = "CHAPTER01=" + ms; break;
            default: text = xmlFile({xmlTimes[delta + 2]}); break;
            }
            SCOPED_TRACE(chapterFormatCaption(f) + " " + text);
            auto m = original;
            ASSERT_TRUE(import(m, text, f).ok);
            const auto& mark = m.marks.marks.at(0);
            if (delta == -2) {
                EXPECT_EQ(mark.playItemRef, 0);
            } else if (delta == 2) {
                EXPECT_EQ(mark.playItemRef, 1);
                EXPECT_GT(mark.markTime45k, 77777u);
            } else {
                EXPECT_EQ(mark, (TMarkEntry{0, 1, 1, 77777, 0xFFFF, 0}));
            }
        }
    }
}

TEST(ChapterFiles, ForOtherToolsCarryTheEntryMarksByNameAndKeepTheLinkPoints)
{
    // Entry marks at 0, 1 s and 2 s on the PlayList axis, a link point at 30000 ticks.
    const auto original = twoItems({{1, 0, 1000}, {2, 0, 31000}, {1, 1, 5000}, {1, 1, 50000}});
    const std::vector<std::string> names{"Opening", "", "Fin=é;#"};
    EXPECT_EQ(exported(original, ChapterFormat::Ogm, names),
              "CHAPTER01=00:00:00.000\nCHAPTER01NAME=Opening\nCHAPTER02=00:00:01.000\nCHAPTER02NAME=Chapter 02\n"
              "CHAPTER03=00:00:02.000\nCHAPTER03NAME=Fin=é;#\n");
    EXPECT_EQ(exported(original, ChapterFormat::FfMetadata, names),
              ";FFMETADATA1\n"
              "[CHAPTER]\nTIMEBASE=1/45000\nSTART=0\nEND=45000\ntitle=Opening\n"
              "[CHAPTER]\nTIMEBASE=1/45000\nSTART=45000\nEND=90000\ntitle=Chapter 02\n"
              "[CHAPTER]\nTIMEBASE=1/45000\nSTART=90000\nEND=135000\ntitle=Fin\\=é\\;\\#\n");
    // Chapter 2 deleted, two new ones: 30000 ticks (the link point's time) goes after the link
    // point, 22500 before it; unchanged chapters come back as they were.
    auto m = original;
    const auto r = import(m, xmlFile({"00:00:00.000000000", "00:00:00.666666666", "00:00:02.000000000", "0:00:00.5"}),
                          ChapterFormat::Xml);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(m.marks.marks, (std::vector<TMarkEntry>{{0, 1, 0, 1000, 0xFFFF, 0},
                                                      {0, 1, 0, 23500, 0xFFFF, 0},
                                                      {0, 2, 0, 31000, 0xFFFF, 0},
                                                      {0, 1, 0, 31000, 0xFFFF, 0},
                                                      {0, 1, 1, 50000, 0xFFFF, 0}}));
    expectMeasuredConsistent(writePlaylist(m));

    // Past 99 chapters the number has three digits.
    std::vector<MarkDesc> many;
    for (uint32_t i = 0; i < 100; ++i)
        many.push_back({1, 0, 1000 + 45 * i});
    const std::string ogm = exported(twoItems(many), ChapterFormat::Ogm);
    EXPECT_NE(ogm.find("\nCHAPTER99=00:00:00.098\nCHAPTER99NAME=Chapter 99\nCHAPTER100=00:00:00.099\n"
                       "CHAPTER100NAME=Chapter 100\n"),
              std::string::npos);
}

TEST(ChapterImport, DamagedFilesAreRefusedNamingTheLineAndChangeNothing)
{
    std::string thousand;
    for (int i = 0; i < 1000; ++i)
        thousand += std::to_string(i) + "\n";
    std::string ogm998;
    for (int i = 1; i <= 998; ++i)
        ogm998 += "CHAPTER" + std::to_string(i) + "=00:00:00." + std::to_string(100 + i % 900) + "\n";
    const struct {
        ChapterFormat format;
        std::string text;
        std::string error;
    } cases[] = {
        {ChapterFormat::Time, "00:00:00.000\r\nCHAPTER01=00:00:00.000\r\n",
         "c.txt line 2: cannot read \"CHAPTER01=00:00:00.000\" as a Time chapter."},
        {ChapterFormat::Time, "<?xml version=\"1.0\"?>\n<Chapters/>\n", "c.txt line 1: cannot read \"<?xml"},
        {ChapterFormat::Time, "00:60:00.000", "c.txt line 1:"},
        {ChapterFormat::Pts, "0\n\n45000 \n12x\n", "c.txt line 4: cannot read \"12x\" as a PTS chapter."},
        {ChapterFormat::Pts, "-45000", "c.txt line 1:"},
        {ChapterFormat::Frame, "25000.5", "c.txt line 1:"},
        {ChapterFormat::Frame, "\n999999999999999999999", "c.txt line 2: 999999999999999999999 is at or past the end"},
        {ChapterFormat::Pts, "134999\n135000\n", "c.txt line 2: 135000 is at or past the end of the PlayList (00:00:03.000)."},
        {ChapterFormat::Time, "99:00:00.000", "c.txt line 1: 99:00:00.000 is at or past the end"},
        {ChapterFormat::Ogm, "CHAPTER01=00:00:01.000\nCHAPTER01NAME=x\nCHAPTER02 00:00:02.000\n", "c.txt line 3:"},
        {ChapterFormat::Xml, "<Chapters><EditionEntry>\n<ChapterAtom>\n</Chapters>", "c.txt line 3: cannot read it as Matroska XML"},
        {ChapterFormat::Xml, "<Chapters>\n<EditionEntry>\n<ChapterAtom><ChapterDisplay/></ChapterAtom></EditionEntry></Chapters>",
         "c.txt line 3: a ChapterAtom without ChapterTimeStart."},
        {ChapterFormat::Xml, "<Tags/>", "c.txt line 1: no Chapters element"},
        {ChapterFormat::FfMetadata, ";FFMETADATA1\n", "FFmetadata chapter files are export only"},
        {ChapterFormat::Pts, thousand, "c.txt holds 1000 chapters; a PlayList holds at most 999 marks."},
        {ChapterFormat::Ogm, ogm998, "c.txt holds 998 chapters and the PlayList keeps 2 link points;"},
    };
    const auto original = twoItems({{1, 0, 1000}, {2, 0, 2000}, {2, 1, 6000}});
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.substr(0, 60));
        auto m = original;
        const auto r = import(m, c.text, c.format);
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(m, original);
        ASSERT_FALSE(r.errors.empty());
        EXPECT_EQ(r.errors[0].substr(0, c.error.size()), c.error);
    }
    // Unreadable lines and lines past the end, mixed, more than are shown: the first ten by line,
    // each with its reason, then the count of the rest.
    std::string mixed;
    for (int line = 1; line <= 30; ++line)
        mixed += (line % 2 ? "99999999" : "x" + std::to_string(line)) + "\n";
    auto m = original;
    const auto many = import(m, mixed, ChapterFormat::Pts);
    ASSERT_EQ(many.errors.size(), 11u);
    for (int line = 1; line <= 10; ++line)
        EXPECT_EQ(many.errors[line - 1], "c.txt line " + std::to_string(line) + ": " +
                                             (line % 2 ? "99999999 is at or past the end of the PlayList (00:00:03.000)."
                                                       : "cannot read \"x" + std::to_string(line) + "\" as a PTS chapter."));
    EXPECT_EQ(many.errors[10], "20 more lines of c.txt cannot be imported.");
    EXPECT_EQ(m, original);

    // What any text may hold: a byte-order mark, blank lines, blanks around a line, H:MM:SS and
    // fractions of 1 to 9 digits. Nothing to read changes nothing and says nothing.
    ASSERT_TRUE(import(m, "\xEF\xBB\xBF" "45000\r\n\r\n  30000\t\r\n\r\n", ChapterFormat::Pts).ok);
    EXPECT_EQ(m.marks.marks, (std::vector<TMarkEntry>{{0, 1, 1, 5000, 0xFFFF, 0}, {0, 1, 0, 31000, 0xFFFF, 0}}));
    ASSERT_TRUE(import(m, "\xEF\xBB\xBF" "0:00:00.5\n0:00:01\n00:00:00.000000001\n0:00:02.12\n", ChapterFormat::Time).ok);
    EXPECT_EQ(m.marks.marks, (std::vector<TMarkEntry>{{0, 1, 0, 23500, 0xFFFF, 0},
                                                      {0, 1, 1, 5000, 0xFFFF, 0},
                                                      {0, 1, 0, 1000, 0xFFFF, 0},
                                                      {0, 1, 1, 5000 + 50400, 0xFFFF, 0}}));
    ASSERT_TRUE(import(m, "CHAPTER01=00:00:00.000\nCHAPTER01NAME=\n", ChapterFormat::Ogm).ok);
    const auto before = m;
    for (const auto f : kReadable) {
        const auto r = import(m, f == ChapterFormat::Xml ? "\xEF\xBB\xBF<Chapters/>" : "\xEF\xBB\xBF\r\n \r\n", f);
        EXPECT_FALSE(r.ok);
        EXPECT_TRUE(r.errors.empty());
        EXPECT_EQ(m, before);
    }
}

// The XML that other tools write: UIDs, flags, end times, languages, a nested chapter and a
// second edition, none of which a PlayList holds.
TEST(ChapterImport, MatroskaXmlOfOtherToolsGivesItsFirstEditionsChapters)
{
    const std::string xml =
        "\xEF\xBB\xBF<?xml version=\"1.0\"?>\n<!-- <!DOCTYPE Chapters SYSTEM \"matroskachapters.dtd\"> -->\n"
        "<Chapters><EditionEntry><EditionUID>821579524345376314</EditionUID>\n<ChapterAtom><ChapterUID>6358689</ChapterUID>"
        "<ChapterTimeStart>00:00:01.000000000</ChapterTimeStart><ChapterTimeEnd>00:00:02.000000000</ChapterTimeEnd>"
        "<ChapterDisplay><ChapterString>Zwei é</ChapterString><ChapLanguageIETF>de</ChapLanguageIETF></ChapterDisplay>\n"
        "<ChapterAtom><ChapterTimeStart>00:00:01.500000000</ChapterTimeStart></ChapterAtom></ChapterAtom>\n"
        "<ChapterAtom><ChapterTimeStart> 00:00:00.2 </ChapterTimeStart></ChapterAtom></EditionEntry>\n"
        "<EditionEntry><ChapterAtom><ChapterTimeStart>00:00:02.000</ChapterTimeStart></ChapterAtom></EditionEntry></Chapters>";
    auto m = twoItems({{2, 1, 6000}});
    const auto r = import(m, xml, ChapterFormat::Xml);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(m.marks.marks, (std::vector<TMarkEntry>{{0, 1, 0, 10000, 0xFFFF, 0},
                                                      {0, 1, 1, 5000, 0xFFFF, 0},
                                                      {0, 2, 1, 6000, 0xFFFF, 0}}));
    EXPECT_EQ(r.log.end()[-2], "c.txt: only the first of 2 editions is read.");
    EXPECT_EQ(r.log.back(), "c.txt: nested chapters are not read.");
}
