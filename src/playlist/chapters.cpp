#include "playlist/mark_edit.h"

#include "core/text.h"
#include "playlist/vocabulary.h"

#include <algorithm>

namespace mirtal::playlist {

namespace {

uint32_t duration(const TPlayItem& p)
{
    return p.outTime45k - p.inTime45k;
}

// S(k): where PlayItem k starts on the PlayList axis (32-bit, as the durations add up).
uint32_t startOf(const TPLmpls& m, size_t k)
{
    uint32_t s = 0;
    const auto& items = m.playList.playItems;
    for (size_t i = 0; i < k && i < items.size(); ++i)
        s += duration(items[i]);
    return s;
}

std::vector<std::string_view> textLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

// A line's leading decimal number; a negative one counts as 0.
uint64_t leadingNumber(std::string_view line)
{
    const int64_t v = core::textToInteger(line);
    return v < 0 ? 0 : static_cast<uint64_t>(v);
}

bool refuseWithoutRate(const TPLmpls& m, ChapterFormat format, core::Report& report)
{
    if (format == ChapterFormat::Frame && !chapterFrameRate(m)) {
        report.erlog("The Frame chapter format needs the frame rate of the first video stream; this PlayList has none.");
        return true;
    }
    return false;
}

}  // namespace

std::optional<ChapterFormat> chapterFormatFromText(std::string_view text)
{
    if (core::equalsNoCase(text, "pts"))
        return ChapterFormat::Pts;
    if (core::equalsNoCase(text, "frame"))
        return ChapterFormat::Frame;
    if (core::equalsNoCase(text, "time"))
        return ChapterFormat::Time;
    return std::nullopt;
}

std::string chapterFileName(const std::string& name, ChapterFormat format)
{
    switch (format) {
    case ChapterFormat::Pts: return "chapter_" + name + "_PTS.txt";
    case ChapterFormat::Frame: return "chapter_" + name + "_frame.txt";
    default: return "chapter_" + name + "_time.txt";
    }
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

std::optional<std::string> exportChapters(const TPLmpls& m, ChapterFormat format, core::Report& report)
{
    if (refuseWithoutRate(m, format, report))
        return std::nullopt;
    const auto rate = chapterFrameRate(m);
    const auto& items = m.playList.playItems;
    std::string out;
    for (const auto& mark : m.marks.marks) {
        const size_t p = mark.playItemRef;
        const uint32_t in = p < items.size() ? items[p].inTime45k : 0;
        const uint32_t t = mark.markTime45k + startOf(m, p) - in;
        switch (format) {
        case ChapterFormat::Pts: out += std::to_string(t); break;
        case ChapterFormat::Frame:
            out += std::to_string(uint64_t{t} * rate->numerator / rate->denominator / 45);
            break;
        case ChapterFormat::Time: out += timeText45k(t); break;
        }
        out += "\r\n";
    }
    return out;
}

bool importChapters(TPLmpls& m, std::string_view text, ChapterFormat format, core::Report& report)
{
    auto lines = textLines(text);
    if (lines.empty())
        return false;
    if (refuseWithoutRate(m, format, report))
        return false;
    if (lines.size() > kMaxMarks) {
        report.log("Only the first " + std::to_string(kMaxMarks) + " of " + std::to_string(lines.size()) +
                   " chapters are imported.");
        lines.resize(kMaxMarks);
    }
    const auto rate = chapterFrameRate(m);
    const auto& items = m.playList.playItems;
    const size_t c = lines.size();
    const size_t before = m.marks.marks.size();
    shiftExtensionData(m, 14 * (static_cast<int64_t>(c) - static_cast<int64_t>(before)));
    m.marks.length = static_cast<uint32_t>(14 * c + 2);
    m.marks.numberOfMarks = static_cast<uint16_t>(c);
    m.marks.marks.assign(c, TMarkEntry{});

    const auto aligned = [format](uint32_t x) { return format == ChapterFormat::Time ? x - x % 45 : x; };
    for (size_t i = 0; i < c; ++i) {
        TMarkEntry& mark = m.marks.marks[i];
        mark.markType = 1;
        mark.entryPid = 0xFFFF;
        mark.duration45k = 0;
        uint32_t t = 0;
        switch (format) {
        case ChapterFormat::Pts: t = static_cast<uint32_t>(leadingNumber(lines[i])); break;
        case ChapterFormat::Frame: {
            const uint64_t f = leadingNumber(lines[i]);
            t = static_cast<uint32_t>(f * 45 * rate->denominator / rate->numerator);
            break;
        }
        case ChapterFormat::Time: t = ticksFromTimeText45k(lines[i]); break;
        }

        // Walk the PlayItems until the sum of their durations reaches the chapter. A chapter
        // beyond the last PlayItem stops at the last one.
        uint32_t sum = 0;
        size_t n = 0;
        bool pastEnd = false;
        if (t > 0) {
            do {
                if (sum < t) {
                    if (n >= items.size()) {
                        pastEnd = true;
                        break;
                    }
                    sum += duration(items[n]);
                    ++n;
                }
                if (t == aligned(sum))
                    ++n;
                report.log(std::to_string(n) + ": " + timeText45k(t) + " " + timeText45k(sum) + "   " +
                           core::hex(t, 8) + " " + core::hex(sum, 8));
            } while (t > aligned(sum));
        }
        if (t == 0)
            n = 1;
        size_t p = n - 1;
        if (items.empty()) {
            p = 0;
            sum = 0;
        } else if (p >= items.size() || pastEnd) {
            p = items.size() - 1;
            sum = startOf(m, p);
        } else if (t != aligned(sum)) {
            sum -= duration(items[p]);
        }
        report.log(std::to_string(p) + ", " + timeText45k(sum));
        const uint32_t in = items.empty() ? 0 : items[p].inTime45k;
        uint32_t markTime = in + t - sum;
        if (markTime < in)
            markTime = in;
        mark.markTime45k = markTime;
        mark.playItemRef = static_cast<uint16_t>(p);
    }
    return true;
}

}  // namespace mirtal::playlist
