#include "fuzz/targets.h"

#include "bdmv/index_bdmv.h"
#include "bdmv/movie_object.h"
#include "bdmv/program.h"
#include "core/extension_data.h"
#include "core/files.h"
#include "core/report.h"
#include "hdmv/command_text.h"
#include "hdmv/emulator.h"
#include "hdmv/program_text.h"
#include "ig/bitmaps.h"
#include "ig/ig_load.h"
#include "ig/ig_text.h"
#include "ig/menu_page.h"
#include "ig/navigation.h"
#include "playlist/clpi.h"
#include "playlist/mark_edit.h"
#include "playlist/mpls_io.h"
#include "playlist/mpls_text.h"
#include "playlist/playlist_view.h"
#include "playlist/stn_edit.h"
#include "support/disc_builder.h"
#include "support/sample_disc.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <span>

namespace mirtal::fuzz {

bool rejectInput = false;

namespace {

namespace fs = std::filesystem;

std::span<const uint8_t> span(const uint8_t* data, size_t size)
{
    return {data, size};
}

void index(const uint8_t* data, size_t size)
{
    core::NullReporter sink;
    core::Report report(sink);
    const auto read = bdmv::readIndex(span(data, size), report);
    if (!read.ok())
        return;
    (void)bdmv::titleRows(read.value);
    (void)core::extDatEntryRows(read.value.extensionData);
    std::string problem;
    const auto bytes = bdmv::writeIndex(read.value, &problem);
    if (!bytes.empty())
        (void)bdmv::readIndex(bytes, report);
}

// Whether a MovieObject.bdmv declares far more objects or commands than its bytes hold. Such a
// file is read as declared, every missing entry empty (the tests cover that reading); here it would
// only make every execution size and clear tens of thousands of empty entries.
bool declaresFarMore(std::span<const uint8_t> in)
{
    // As the reader takes them: a byte past the end reads as 0, so a word cut by the end still counts.
    const auto byte = [&](size_t at) { return at < in.size() ? size_t{in[at]} : 0; };
    const auto word = [&](size_t at) { return byte(at) << 8 | byte(at + 1); };
    const size_t objects = word(48);
    if (objects > in.size() / 4 + 8)
        return true;
    size_t commands = 0;
    for (size_t i = 0, at = 50; i < objects && at < in.size(); ++i) {
        const size_t n = word(at + 2);
        commands += n;
        at += 4 + 12 * n;
    }
    return commands > in.size() / 12 + 8;
}

// A MovieObject.bdmv that reads; nullopt for one that does not, or that declares far more than
// it holds (kept out of the corpus too, or it fills with them).
std::optional<bdmv::TMovieObjectFile> readObjects(const uint8_t* data, size_t size)
{
    if (declaresFarMore(span(data, size))) {
        rejectInput = true;
        return std::nullopt;
    }
    core::NullReporter sink;
    core::Report report(sink);
    auto read = bdmv::readMovieObjects(span(data, size), report);
    if (!read.ok())
        return std::nullopt;
    return std::move(read.value);
}

// A MovieObject.bdmv as the window opens it: the object list, the first object's commands, and
// the write back.
void movieObjects(const uint8_t* data, size_t size)
{
    const auto file = readObjects(data, size);
    if (!file)
        return;
    std::string problem;
    (void)bdmv::writeMovieObjects(*file, &problem);
    (void)bdmv::objectRows(*file);
    if (!file->objects.empty())
        (void)hdmv::commandGridRows(file->objects.front().commands);
}

// A MovieObject.bdmv through the program text and back: every command's text, as the grids and
// the export write it, must assemble again.
void movieObjectText(const uint8_t* data, size_t size)
{
    const auto file = readObjects(data, size);
    if (!file)
        return;
    const auto imported = bdmv::importProgram(bdmv::exportProgram(*file));
    if (!imported.ok() || imported.objects.size() != file->objects.size())
        __builtin_trap();    // an export must always import
}

void exd(const uint8_t* data, size_t size)
{
    const auto block = core::readExdFile(span(data, size)).value;
    // A block whose entry table runs far past the file's end is read as declared, the missing
    // entries empty (the tests cover it); kept out of the corpus, as in the MovieObject target.
    if (block.entries.size() > (size >= 12 ? (size - 12) / 12 : 0) + 1) {
        rejectInput = true;
        return;
    }
    (void)core::extDatEntryRows(block);
    for (size_t e = 0; e < block.entries.size() && e < 8; ++e)
        (void)core::extDatDump(block, e);
    (void)core::exdFileBytes(block);
}

void playList(const uint8_t* data, size_t size)
{
    core::NullReporter sink;
    core::Report report(sink);
    playlist::TPLmpls m;
    if (!playlist::readPlaylist(span(data, size), "00001", report).into(m))
        return;
    (void)playlist::playItemRows(m);
    (void)playlist::subPathRows(m);
    (void)playlist::markRows(m);
    (void)playlist::appInfoRow(m);
    // What the window shows on opening the file, and as a user goes through the first PlayItem's
    // seven stream lists and the first SubPath: each PlayItem drawn as seven grids at every input
    // was half of an execution, and the grids are the same code for every PlayItem.
    (void)playlist::playListControls(m);
    (void)playlist::selectPlayItem(m, 0);
    for (int list = 0; list < playlist::kListCount; ++list) {
        (void)playlist::selectStreamList(m, 0, list);
        (void)playlist::streamEditorState(m, 0, list, 0);
    }
    (void)playlist::selectSubPath(m, 0);
    std::string problem;
    (void)playlist::writePlaylist(m, &problem);
    // The chapter round trip in one of the three formats that carry every mark, chosen by the
    // first reserved byte (which the reader keeps and nothing else reads); the chapter target
    // covers the formats against one PlayList, this one the PlayLists.
    static constexpr playlist::ChapterFormat kFormats[] = {playlist::ChapterFormat::Pts, playlist::ChapterFormat::Frame,
                                                           playlist::ChapterFormat::Time};
    const auto format = kFormats[m.reserved[0] % 3];
    // Imported into the PlayList itself, which nothing reads after: a copy kept from input to input
    // would leave more allocations than frees, and libFuzzer runs every such input twice to look
    // for a leak.
    if (const auto text = playlist::exportChapters(m, format, report))
        (void)playlist::importChapters(m, *text, format, report);
}

void clipInfo(const uint8_t* data, size_t size)
{
    core::NullReporter sink;
    core::Report report(sink);
    const auto clip = playlist::readClipInfo(span(data, size), "00001", bdmv::TAVStream{"00001.m2ts", 1000}, report);
    if (clip.ok())
        (void)playlist::programInfoRows(clip.value);
}

void menu(const uint8_t* data, size_t size)
{
    // One page, registers and emulator for every input: the 1920 × 1080 page image is made once.
    static core::NullReporter sink;
    static core::Report report(sink);
    static ig::IgMenu loaded;
    static hdmv::Registers regs;
    static ig::MenuPage page(loaded, regs, report);
    static hdmv::Emulator emulator(regs, report);
    // What an input loaded is let go when it ends: memory kept from one input to the next leaves
    // more allocations than frees, and libFuzzer runs every such input twice to look for a leak.
    struct Release {
        ~Release()
        {
            loaded = {};
            page.reset();
        }
    } release;
    ig::MemorySource source(span(data, size));
    loaded = ig::loadIG(source, 0x1400, static_cast<int64_t>(size) + 1, "00010.m2ts", report).value;
    if (!loaded.loaded || loaded.ics.pages.empty())
        return;
    page.reset();
    (void)ig::objectListItems(loaded);
    (void)ig::paletteListItems(loaded);
    for (const auto& p : loaded.ics.pages) {
        (void)ig::bogGrid(p);
        for (const auto& bog : p.bogs)
            (void)ig::buttonGridRows(bog);
    }
    // Start and a few keys on the first page, as mirtal-cli render runs them.
    regs.ResetRegs();
    page.selectPageIndex(0);
    regs.psr[11] = loaded.ics.pages[0].pageId;
    emulator.maxSteps = 10000;
    emulator.RunPending = false;
    emulator.CurrentLine = 0;
    emulator.setMenuView(&page);
    ig::startMenu(page, emulator);
    ig::navigate(page, emulator, ig::Direction::Down);
    ig::selectButton(page, emulator);
    (void)page.image();
}

void runLength(const uint8_t* data, size_t size)
{
    if (size < 4)
        return;
    // The first four bytes give the size, at most 1024 × 1024.
    const uint16_t width = static_cast<uint16_t>(((data[0] << 8) | data[1]) & 0x3FF);
    const uint16_t height = static_cast<uint16_t>(((data[2] << 8) | data[3]) & 0x3FF);
    (void)ig::rledecode(span(data + 4, size - 4), height, width);
}

void chapters(const uint8_t* data, size_t size)
{
    if (size < 1)
        return;
    core::NullReporter sink;
    core::Report report(sink);
    // A PlayList of two PlayItems with a video stream (so that "Frame" has its rate).
    static const playlist::TPLmpls base = [] {
        support::TempDir dir("fuzz-chapters");
        const fs::path bdmv = support::writeSampleDisc(dir.path());
        core::NullReporter quiet;
        core::Report r(quiet);
        playlist::TPLmpls m;
        (void)playlist::readPlaylistFile(bdmv, "00001", r).into(m);
        return m;
    }();
    // Assigned, not constructed, for every input: the PlayItems' tables keep their memory.
    static playlist::TPLmpls m;
    static playlist::TPLmpls copy;
    m = base;
    // The first byte chooses the format read and the format of the round trip.
    const auto format = static_cast<playlist::ChapterFormat>(data[0] % playlist::kChapterFormatCount);
    const auto again = static_cast<playlist::ChapterFormat>(data[0] / playlist::kChapterFormatCount %
                                                            playlist::kChapterFormatCount);
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
    if (!playlist::importChapters(m, text, format, report, "fuzz"))
        return;
    (void)playlist::markRows(m);
    std::string problem;
    (void)playlist::writePlaylist(m, &problem);
    // Whatever was imported exports and imports again to the same marks.
    if (const auto exported = playlist::exportChapters(m, again, report, {"a=b;c", "\\n"})) {
        copy = m;
        (void)playlist::importChapters(copy, *exported, again, report, "again");
        if (copy.marks != m.marks || copy.extensionDataStartAddress != m.extensionDataStartAddress)
            __builtin_trap();
    }
}

void program(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto imported = bdmv::importProgram(text);
    for (const auto& o : imported.objects) {
        // What was assembled exports and assembles back to the same words.
        std::string lines;
        hdmv::appendCommandListText(lines, o.commands, "");
        std::vector<hdmv::ProgramError> errors;
        const auto again = hdmv::parseProgram(lines, "object", errors);
        if (!errors.empty() || again.front().commands != o.commands)
            __builtin_trap();
    }
    std::vector<hdmv::ProgramError> errors;
    (void)hdmv::pasteText(text, 3, errors);
}

}  // namespace

const std::vector<Target>& targets()
{
    static const std::vector<Target> list = {
        {"index", &index},       {"mobj", &movieObjects}, {"exd", &exd},           {"mpls", &playList},
        {"clpi", &clipInfo},     {"ig", &menu},           {"rle", &runLength},     {"chapters", &chapters},
        {"program", &program},   {"mobjtext", &movieObjectText},
    };
    return list;
}

const Target* findTarget(const std::string& name)
{
    for (const auto& t : targets())
        if (name == t.name)
            return &t;
    return nullptr;
}

std::vector<std::pair<std::string, Bytes>> seeds()
{
    support::TempDir dir("fuzz-seeds");
    const fs::path bdmv = support::writeSampleDisc(dir.path());
    std::vector<std::pair<std::string, Bytes>> out;
    const auto add = [&](const std::string& target, const fs::path& file) {
        Bytes bytes;
        if (core::readWholeFile(file, bytes).ok)
            out.emplace_back(target, std::move(bytes));
    };
    add("index", bdmv / "index.bdmv");
    add("mobj", bdmv / "MovieObject.bdmv");
    add("mobjtext", bdmv / "MovieObject.bdmv");
    for (const auto& name : core::listFilesNoCase(bdmv / "PLAYLIST", ".mpls"))
        add("mpls", bdmv / "PLAYLIST" / name);
    // The first PlayList again with its chapters through "Frame" and "Time".
    if (const auto first = std::find_if(out.begin(), out.end(), [](const auto& s) { return s.first == "mpls"; });
        first != out.end() && first->second.size() > 20) {
        const Bytes bytes = first->second;
        for (uint8_t format = 1; format < 3; ++format) {
            out.emplace_back("mpls", bytes);
            out.back().second[20] = format;
        }
    }
    for (const auto& name : core::listFilesNoCase(bdmv / "CLIPINF", ".clpi"))
        add("clpi", bdmv / "CLIPINF" / name);
    for (const auto& name : core::listFilesNoCase(bdmv / "STREAM", ".m2ts"))
        add("ig", bdmv / "STREAM" / name);
    out.emplace_back("exd", support::extensionDataBlock({{1, 1, {1, 2, 3, 4}}, {2, 7, {9, 9}}}));

    core::NullReporter sink;
    core::Report report(sink);
    playlist::TPLmpls m;
    if (playlist::readPlaylistFile(bdmv, "00001", report).into(m))
        for (uint8_t format = 0; format < playlist::kChapterFormatCount; ++format)
            if (const auto text = playlist::exportChapters(m, static_cast<playlist::ChapterFormat>(format), report)) {
                // Read in its format and round-tripped through each of the six.
                for (uint8_t again = 0; again < playlist::kChapterFormatCount; ++again) {
                    Bytes b{static_cast<uint8_t>(format + again * playlist::kChapterFormatCount)};
                    b.insert(b.end(), text->begin(), text->end());
                    out.emplace_back("chapters", std::move(b));
                }
            }
    bdmv::TMovieObjectFile objects;
    {
        Bytes bytes;
        if (core::readWholeFile(bdmv / "MovieObject.bdmv", bytes).ok)
            objects = bdmv::readMovieObjects(bytes, report).value;
    }
    const std::string text = bdmv::exportProgram(objects);
    out.emplace_back("program", Bytes(text.begin(), text.end()));
    // A small object's run-length data: 16 × 4, three colours and runs.
    out.emplace_back("rle", Bytes{0, 16, 0, 4, 1, 2, 3, 0, 0x8C, 5, 0, 0, 0, 0xD0, 0x10, 7, 0, 0, 0, 0x05, 0, 0});
    return out;
}

}  // namespace mirtal::fuzz
