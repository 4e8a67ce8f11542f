// Chapter import: the chapters of a file back into marks. A chapter written exactly as the
// export writes an existing mark is that mark; the others are placed on their PlayItem.

#include "playlist/chapters_common.h"

#include "core/text.h"
#include "playlist/mark_edit.h"
#include "playlist/vocabulary.h"

#include <algorithm>

namespace mirtal::playlist {

namespace {

// The PlayItems on the PlayList axis. A PlayItem whose OUT time is before its IN time lasts 0.
struct PlayListAxis {
    std::vector<uint64_t> durations;
    std::vector<uint64_t> starts;    // S(k); starts[count] is the PlayList's end

    explicit PlayListAxis(const TPLmpls& m)
    {
        durations.reserve(m.playList.playItems.size());
        starts.reserve(m.playList.playItems.size() + 1);
        starts.push_back(0);
        for (const auto& item : m.playList.playItems) {
            durations.push_back(item.outTime45k >= item.inTime45k ? item.outTime45k - item.inTime45k : 0);
            starts.push_back(starts.back() + durations.back());
        }
    }
    [[nodiscard]] uint64_t end() const { return starts.back(); }
};

struct Placed {
    TMarkEntry mark;
    uint64_t time = 0;    // on the PlayList axis
};

class Converter {
public:
    Converter(const TPLmpls& m, const ChapterScale& scale) : m_mpls(m), m_scale(scale), m_axis(m) {}

    // A chapter as a new entry mark, with the log lines of its placing; t is before the end.
    Placed place(const ChapterLine& chapter, uint64_t t, std::string& log) const
    {
        const auto& items = m_mpls.playList.playItems;
        size_t p = 0;
        while (p + 1 < items.size() && t >= m_axis.starts[p + 1])
            ++p;
        // A chapter within one unit of the format of a boundary, on either side, starts the later
        // PlayItem: the export's truncation puts a chapter at an IN time just before it.
        bool atBoundary = false;
        uint64_t nearest = 0;
        for (size_t k = 1; k < items.size(); ++k) {
            const uint64_t b = m_scale.count(m_axis.starts[k]);
            const uint64_t apart = chapter.count > b ? chapter.count - b : b - chapter.count;
            const uint64_t ticksApart = t > m_axis.starts[k] ? t - m_axis.starts[k] : m_axis.starts[k] - t;
            if (apart <= m_scale.unit() && (!atBoundary || ticksApart <= nearest)) {
                atBoundary = true;
                nearest = ticksApart;
                p = k;
            }
        }
        logLocating(t, p, log);
        Placed placed;
        placed.time = atBoundary ? m_axis.starts[p] : t;
        placed.mark.markType = 1;
        placed.mark.playItemRef = static_cast<uint16_t>(p);
        placed.mark.markTime45k = static_cast<uint32_t>(items[p].inTime45k + (placed.time - m_axis.starts[p]));
        placed.mark.entryPid = 0xFFFF;
        placed.mark.duration45k = 0;
        return placed;
    }

    [[nodiscard]] uint64_t end() const { return m_axis.end(); }

private:
    // The locating walk's lines, each ended by "\n": the PlayItem count reached and the sum of
    // durations at each step, then the PlayItem and its start.
    void logLocating(uint64_t t, size_t p, std::string& log) const
    {
        const bool inMilliseconds = m_scale.format == ChapterFormat::Time || m_scale.format == ChapterFormat::Ogm;
        const auto aligned = [&](uint64_t x) { return inMilliseconds ? x - x % 45 : x; };
        const auto time = [&log](uint64_t x) { appendTimeText45k(log, static_cast<uint32_t>(x)); };
        if (t > 0) {
            uint64_t sum = 0;
            size_t n = 0;
            for (;;) {
                bool grew = false;
                if (sum < t && n < m_axis.durations.size()) {
                    sum += m_axis.durations[n++];
                    grew = true;
                }
                if (t == aligned(sum))
                    ++n;
                core::appendDecimal(log, n);
                log += ": ";
                time(t);
                log += ' ';
                time(sum);
                log += "   ";
                core::appendHex(log, t & 0xFFFFFFFF, 8);
                log += ' ';
                core::appendHex(log, sum & 0xFFFFFFFF, 8);
                log += '\n';
                if (t <= aligned(sum) || !grew)
                    break;
            }
        }
        core::appendDecimal(log, p);
        log += ", ";
        time(m_axis.starts[p]);
        log += '\n';
    }

    const TPLmpls& m_mpls;
    const ChapterScale& m_scale;
    PlayListAxis m_axis;
};

void reportErrors(const std::vector<LineError>& errors, std::string_view source, core::Report& report)
{
    std::string line;
    for (size_t i = 0; i < errors.size() && i < kShownErrors; ++i) {
        line.assign(source);
        line += " line ";
        core::appendDecimal(line, errors[i].line);
        line += ": ";
        line += errors[i].message;
        line += '.';
        report.erlog(line);
    }
    if (errors.size() > kShownErrors)
        report.erlog(std::to_string(errors.size() - kShownErrors) + " more lines of " + std::string(source) +
                     " cannot be imported.");
    report.log("Nothing is imported from " + std::string(source) + "; the marks are left as they were.");
}

// Link points kept and unchanged chapters stay in their order; a new chapter goes before the
// first mark that lies later on the PlayList axis.
std::vector<Placed> merged(std::vector<Placed> kept, std::vector<Placed> added)
{
    std::stable_sort(added.begin(), added.end(), [](const Placed& a, const Placed& b) { return a.time < b.time; });
    for (auto& mark : added) {
        const auto later = std::find_if(kept.begin(), kept.end(), [&](const Placed& k) { return k.time > mark.time; });
        kept.insert(later, mark);
    }
    return kept;
}

}  // namespace

bool importChapters(TPLmpls& m, std::string_view text, ChapterFormat format, core::Report& report,
                    std::string_view source)
{
    if (refuseExportOnly(format, report))
        return false;
    ChapterFile file = readChapterFile(withoutByteOrderMark(text), format);
    if (file.chapters.empty() && file.errors.empty())
        return false;
    if (refuseWithoutRate(m, format, report))
        return false;
    const ChapterScale scale{format, chapterFrameRate(m).value_or(FrameRate{})};
    const auto& marks = m.marks.marks;

    // What the export writes for each mark it writes, by text; equal texts are taken in list order.
    std::vector<std::pair<std::string, size_t>> written;
    written.reserve(marks.size());
    for (size_t i = 0; i < marks.size(); ++i)
        if (isWritten(format, marks[i]))
            written.emplace_back(scale.text(playListTime(m, marks[i])), i);
    std::sort(written.begin(), written.end());

    const Converter converter(m, scale);
    std::vector<LineError> errors = std::move(file.errors);
    std::vector<LineError> pastEnd;
    std::string log;
    std::vector<Placed> inFileOrder;
    inFileOrder.reserve(file.chapters.size());
    std::vector<Placed> added;
    std::vector<bool> keptMark(marks.size(), false);
    for (const auto& chapter : file.chapters) {
        auto same = std::lower_bound(written.begin(), written.end(), chapter.key,
                                     [](const auto& w, const std::string& key) { return w.first < key; });
        while (same != written.end() && same->first == chapter.key && keptMark[same->second])
            ++same;
        if (same != written.end() && same->first == chapter.key) {
            const size_t i = same->second;
            keptMark[i] = true;
            inFileOrder.push_back({marks[i], playListTime(m, marks[i])});
            continue;
        }
        const uint64_t t = scale.ticks(chapter.count);
        if (t >= converter.end()) {
            addLineError(pastEnd, chapter.line, [&] {
                return chapter.key + " is at or past the end of the PlayList (" +
                       timeText45k(static_cast<uint32_t>(converter.end())) + ")";
            });
            continue;
        }
        inFileOrder.push_back(converter.place(chapter, t, log));
        added.push_back(inFileOrder.back());
    }
    errors.insert(errors.end(), std::make_move_iterator(pastEnd.begin()), std::make_move_iterator(pastEnd.end()));
    if (!errors.empty()) {
        std::stable_sort(errors.begin(), errors.end(), [](const LineError& a, const LineError& b) { return a.line < b.line; });
        reportErrors(errors, source, report);
        return false;
    }

    std::vector<Placed> result = std::move(inFileOrder);
    if (carriesEntryMarksOnly(format)) {
        std::vector<Placed> kept;
        for (size_t i = 0; i < marks.size(); ++i)
            if (keptMark[i] || !isWritten(format, marks[i]))
                kept.push_back({marks[i], playListTime(m, marks[i])});
        result = merged(std::move(kept), std::move(added));
    }
    if (result.size() > kMaxMarks) {
        const size_t others = result.size() - file.chapters.size();
        report.erlog(std::string(source) + " holds " + std::to_string(file.chapters.size()) + " chapters" +
                     (others > 0 ? " and the PlayList keeps " + std::to_string(others) + " link points" : "") +
                     "; a PlayList holds at most " + std::to_string(kMaxMarks) + " marks. Nothing is imported.");
        return false;
    }
    for (size_t at = 0; at < log.size();) {
        const size_t end = log.find('\n', at);
        report.log(std::string_view(log).substr(at, end - at));
        at = end + 1;
    }
    for (const auto& note : file.notes)
        report.log(std::string(source) + ": " + note + ".");

    std::vector<TMarkEntry> entries;
    for (const auto& placed : result)
        entries.push_back(placed.mark);
    if (entries == marks)
        return true;
    const size_t c = entries.size();
    shiftExtensionData(m, 14 * (static_cast<int64_t>(c) - static_cast<int64_t>(marks.size())));
    m.marks.length = static_cast<uint32_t>(14 * c + 2);
    m.marks.numberOfMarks = static_cast<uint16_t>(c);
    m.marks.marks = std::move(entries);
    return true;
}

}  // namespace mirtal::playlist
