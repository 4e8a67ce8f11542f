#include "playlist/chapters_common.h"

#include "core/text.h"
#include "playlist/vocabulary.h"

#include <pugixml.hpp>

#include <algorithm>

namespace mirtal::playlist {

namespace {

std::string chapterName(const std::vector<std::string>& names, size_t i)
{
    if (i < names.size() && !names[i].empty())
        return names[i];
    return "Chapter " + core::padded(static_cast<int64_t>(i + 1), 2);
}

// FFmetadata escapes its special characters with a backslash.
std::string ffMetadataEscaped(std::string_view text)
{
    std::string out;
    for (const char c : text) {
        if (c == '=' || c == ';' || c == '#' || c == '\\' || c == '\n')
            out += '\\';
        out += c;
    }
    return out;
}

struct StringWriter final : pugi::xml_writer {
    std::string text;
    void write(const void* data, size_t size) override { text.append(static_cast<const char*>(data), size); }
};

std::string matroskaXml(const std::vector<uint32_t>& times, const ChapterScale& scale,
                        const std::vector<std::string>& names)
{
    pugi::xml_document doc;
    auto declaration = doc.append_child(pugi::node_declaration);
    declaration.append_attribute("version") = "1.0";
    declaration.append_attribute("encoding") = "UTF-8";
    auto edition = doc.append_child("Chapters").append_child("EditionEntry");
    for (size_t i = 0; i < times.size(); ++i) {
        auto atom = edition.append_child("ChapterAtom");
        atom.append_child("ChapterTimeStart").text().set(scale.text(times[i]).c_str());
        auto display = atom.append_child("ChapterDisplay");
        display.append_child("ChapterString").text().set(chapterName(names, i).c_str());
        display.append_child("ChapterLanguage").text().set("und");
    }
    StringWriter writer;
    doc.save(writer, "  ", pugi::format_default, pugi::encoding_utf8);
    return writer.text;
}

}  // namespace

uint64_t ChapterScale::count(uint64_t t) const
{
    switch (format) {
    case ChapterFormat::Frame: return t * rate.numerator / rate.denominator / 45;
    case ChapterFormat::Time:
    case ChapterFormat::Ogm: return t / 45 * 1'000'000;
    case ChapterFormat::Xml: return t * 200'000 / 9;
    default: return t;
    }
}

uint64_t ChapterScale::ticks(uint64_t c) const
{
    switch (format) {
    case ChapterFormat::Frame: return rate.numerator == 0 ? 0 : c * 45 * rate.denominator / rate.numerator;
    case ChapterFormat::Time:
    case ChapterFormat::Ogm:
    case ChapterFormat::Xml: return (c * 9 + 100'000) / 200'000;
    default: return c;
    }
}

uint64_t ChapterScale::unit() const
{
    return format == ChapterFormat::Time || format == ChapterFormat::Ogm ? 1'000'000 : 1;
}

std::string ChapterScale::text(uint32_t t) const
{
    switch (format) {
    case ChapterFormat::Time:
    case ChapterFormat::Ogm: return timeText45k(t);
    case ChapterFormat::Xml: {
        const uint64_t ns = count(t);
        const uint64_t s = ns / 1'000'000'000;
        return core::padded(static_cast<int64_t>(s / 3600), 2) + ":" + core::padded(static_cast<int64_t>(s / 60 % 60), 2) +
               ":" + core::padded(static_cast<int64_t>(s % 60), 2) + "." +
               core::padded(static_cast<int64_t>(ns % 1'000'000'000), 9);
    }
    default: return std::to_string(count(t));
    }
}

uint32_t startOf(const TPLmpls& m, size_t k)
{
    uint32_t s = 0;
    const auto& items = m.playList.playItems;
    for (size_t i = 0; i < k && i < items.size(); ++i)
        s += items[i].outTime45k - items[i].inTime45k;
    return s;
}

uint32_t playListTime(const TPLmpls& m, const TMarkEntry& mark)
{
    const auto& items = m.playList.playItems;
    const size_t p = mark.playItemRef;
    const uint32_t in = p < items.size() ? items[p].inTime45k : 0;
    return mark.markTime45k + startOf(m, p) - in;
}

bool refuseWithoutRate(const TPLmpls& m, ChapterFormat format, core::Report& report)
{
    if (format == ChapterFormat::Frame && !chapterFrameRate(m)) {
        report.erlog("The Frame chapter format needs the frame rate of the first video stream; this PlayList has none.");
        return true;
    }
    return false;
}

bool isWritten(ChapterFormat format, const TMarkEntry& mark)
{
    return !carriesEntryMarksOnly(format) || mark.markType == 1;
}

std::optional<ChapterFormat> chapterFormatFromText(std::string_view text)
{
    static constexpr std::pair<std::string_view, ChapterFormat> kNames[] = {
        {"pts", ChapterFormat::Pts}, {"frame", ChapterFormat::Frame}, {"time", ChapterFormat::Time},
        {"ogm", ChapterFormat::Ogm}, {"xml", ChapterFormat::Xml},     {"ffmetadata", ChapterFormat::FfMetadata}};
    for (const auto& [name, format] : kNames)
        if (core::equalsNoCase(text, name))
            return format;
    return std::nullopt;
}

std::string chapterFormatCaption(ChapterFormat format)
{
    switch (format) {
    case ChapterFormat::Pts: return "PTS";
    case ChapterFormat::Frame: return "Frame";
    case ChapterFormat::Time: return "Time";
    case ChapterFormat::Ogm: return "OGM";
    case ChapterFormat::Xml: return "Matroska XML";
    default: return "FFmetadata";
    }
}

std::string chapterFileName(const std::string& name, ChapterFormat format)
{
    switch (format) {
    case ChapterFormat::Pts: return "chapter_" + name + "_PTS.txt";
    case ChapterFormat::Frame: return "chapter_" + name + "_frame.txt";
    case ChapterFormat::Time: return "chapter_" + name + "_time.txt";
    case ChapterFormat::Ogm: return "chapter_" + name + "_ogm.txt";
    case ChapterFormat::Xml: return "chapter_" + name + ".xml";
    default: return "chapter_" + name + "_ffmetadata.txt";
    }
}

bool carriesEntryMarksOnly(ChapterFormat format)
{
    return format == ChapterFormat::Ogm || format == ChapterFormat::Xml || format == ChapterFormat::FfMetadata;
}

bool refuseExportOnly(ChapterFormat format, core::Report& report)
{
    if (format != ChapterFormat::FfMetadata)
        return false;
    report.erlog("FFmetadata chapter files are export only; choose another chapter format to load chapters.");
    return true;
}

std::optional<FrameRate> chapterFrameRate(const TPLmpls& m)
{
    const auto& items = m.playList.playItems;
    if (items.empty() || items[0].stn.primaryVideoCount == 0 || items[0].stn.primaryVideo.empty())
        return std::nullopt;
    switch (items[0].stn.primaryVideo[0].frameRate) {
    case 1: return FrameRate{24000, 1001};
    case 2: return FrameRate{24000, 1000};
    case 3: return FrameRate{25000, 1000};
    case 4: return FrameRate{30000, 1001};
    case 6: return FrameRate{50000, 1000};
    case 7: return FrameRate{60000, 1001};
    default: return std::nullopt;
    }
}

std::vector<std::string> readChapterNames(std::string_view text)
{
    std::vector<std::string> names;
    for (const auto line : textLines(withoutByteOrderMark(text)))
        names.emplace_back(trimmed(line));
    return names;
}

std::optional<std::string> exportChapters(const TPLmpls& m, ChapterFormat format, core::Report& report,
                                          const std::vector<std::string>& names)
{
    if (refuseWithoutRate(m, format, report))
        return std::nullopt;
    const ChapterScale scale{format, chapterFrameRate(m).value_or(FrameRate{})};
    std::string out;
    if (!carriesEntryMarksOnly(format)) {
        for (const auto& mark : m.marks.marks)
            out += scale.text(playListTime(m, mark)) + "\r\n";
        return out;
    }

    // Chapters for other tools come in time order.
    std::vector<uint32_t> times;
    for (const auto& mark : m.marks.marks)
        if (isWritten(format, mark))
            times.push_back(playListTime(m, mark));
    std::stable_sort(times.begin(), times.end());
    switch (format) {
    case ChapterFormat::Ogm:
        for (size_t i = 0; i < times.size(); ++i) {
            const std::string key = "CHAPTER" + core::padded(static_cast<int64_t>(i + 1), 2);
            out += key + "=" + scale.text(times[i]) + "\n" + key + "NAME=" + chapterName(names, i) + "\n";
        }
        return out;
    case ChapterFormat::Xml: return matroskaXml(times, scale, names);
    default: {
        // A chapter ends where the next one starts, the last one at the PlayList's end.
        const uint32_t end = startOf(m, m.playList.playItems.size());
        out = ";FFMETADATA1\n";
        for (size_t i = 0; i < times.size(); ++i) {
            const uint32_t next = std::max(times[i], i + 1 < times.size() ? times[i + 1] : end);
            out += "[CHAPTER]\nTIMEBASE=1/45000\nSTART=" + std::to_string(times[i]) + "\nEND=" + std::to_string(next) +
                   "\ntitle=" + ffMetadataEscaped(chapterName(names, i)) + "\n";
        }
        return out;
    }
    }
}

}  // namespace mirtal::playlist
