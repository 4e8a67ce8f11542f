#include "playlist/overview.h"

#include "core/text.h"
#include "playlist/find.h"
#include "playlist/mpls_io.h"
#include "playlist/stn_edit.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <tuple>

namespace mirtal::playlist {

namespace {

constexpr std::array<int, kStreamKindCount> kKindLists = {kListVideo, kListAudio,          kListPg,
                                                          kListPipPg, kListIg,             kListSecondaryAudio,
                                                          kListSecondaryVideo};

bool hasLanguage(StreamKind kind)
{
    return kind != StreamKind::Video && kind != StreamKind::SecondaryVideo;
}

// A language field of three characters; blanks and zero bytes that pad it are not part of it.
std::string languageCode(const std::string& field)
{
    std::string code = field;
    while (!code.empty() && (code.back() == '\0' || code.back() == ' '))
        code.pop_back();
    return code;
}

// Passes the readers' error lines on and keeps their progress lines out of the caller's log:
// a disc of 2,000 PlayLists would otherwise add two lines for each.
class ErrorsOnly final : public core::Reporter {
public:
    explicit ErrorsOnly(core::Report& outer) : m_outer(outer) {}
    void logLine(std::string_view) override {}
    void errorDisplay(std::string_view text) override { m_outer.erlog(text); }
    bool cancelRequested() override { return m_outer.cancelled(); }

private:
    core::Report& m_outer;
};

std::string joined(const std::vector<std::string>& parts, const char* separator)
{
    std::string text;
    for (size_t i = 0; i < parts.size(); ++i)
        text += (i ? separator : "") + parts[i];
    return text;
}

using ChainKey = std::vector<std::tuple<std::string, uint32_t, uint32_t>>;

ChainKey chainOf(const TPLmpls& mpls)
{
    ChainKey key;
    for (const auto& item : mpls.playList.playItems)
        key.emplace_back(item.clipName, item.inTime45k, item.outTime45k);
    return key;
}

// The entries' plays and Find's hits, by PlayList position.
void addPlayers(const bdmv::Disc& disc, const std::vector<EntryWalk>& walks, std::vector<PlayListSummary>& rows)
{
    std::multimap<uint32_t, size_t> byNumber;
    for (size_t i = 0; i < rows.size(); ++i)
        byNumber.emplace(static_cast<uint32_t>(core::textToInteger(rows[i].name)), i);
    for (const auto& walk : walks)
        for (const uint32_t number : walk.playLists)
            for (auto [at, end] = byNumber.equal_range(number); at != end; ++at)
                rows[at->second].playedBy.push_back(walk.entry);
    core::NullReporter quiet;
    core::Report findReport(quiet);
    for (auto& row : rows) {
        // Find's hit lines start "Object 0003, Command line ..."; one player per object.
        std::vector<uint32_t> objects;
        for (const auto& hit : findPlayList(disc.movieObjects, row.name, findReport)) {
            const auto id = static_cast<uint32_t>(core::textToInteger(std::string_view(hit).substr(7)));
            if (std::find(objects.begin(), objects.end(), id) == objects.end())
                objects.push_back(id);
        }
        for (const uint32_t id : objects)
            row.playedBy.push_back({PlayedBy::Kind::Object, id});
        row.unplayed = row.playedBy.empty();
    }
}

}  // namespace

std::string streamKindKey(StreamKind kind)
{
    switch (kind) {
    case StreamKind::Video: return "video";
    case StreamKind::Audio: return "audio";
    case StreamKind::Pg: return "pg";
    case StreamKind::PipPg: return "pip_pg";
    case StreamKind::Ig: return "ig";
    case StreamKind::SecondaryAudio: return "secondary_audio";
    case StreamKind::SecondaryVideo: return "secondary_video";
    }
    return {};
}

PlayListSummary summarizePlayList(const TPLmpls& mpls, const std::string& name)
{
    PlayListSummary s;
    s.name = name;
    s.readable = true;
    const auto& items = mpls.playList.playItems;
    s.items = items.size();
    for (const auto& item : items) {
        if (item.outTime45k > item.inTime45k)
            s.duration45k += item.outTime45k - item.inTime45k;
        s.clips.push_back(item.clipName);
        if (item.multiAngle == 1)
            s.angles = std::max<uint32_t>(s.angles, item.angles.numberOfAngles);
    }
    s.chapters = static_cast<size_t>(
        std::count_if(mpls.marks.marks.begin(), mpls.marks.marks.end(), [](const TMarkEntry& m) { return m.markType == 1; }));
    if (!items.empty())
        for (size_t k = 0; k < kStreamKindCount; ++k) {
            const auto streams = streamList(items.front().stn, kKindLists[k]);
            s.streams[k].count = streams.size();
            if (hasLanguage(static_cast<StreamKind>(k)))
                for (const TStreamEntry* e : streams)
                    s.streams[k].languages.push_back(languageCode(e->language));
        }
    return s;
}

DiscOverview discOverview(const bdmv::Disc& disc, core::Report& report, uint64_t maxSteps)
{
    DiscOverview overview;
    ErrorsOnly errors(report);
    core::Report readReport(errors);
    std::map<ChainKey, std::string> firstWithChain;
    std::vector<ChainKey> chains;
    for (const auto& name : disc.playlists) {
        TPLmpls mpls;
        if (readPlaylistFile(disc.bdmv, name, readReport).into(mpls)) {
            overview.playLists.push_back(summarizePlayList(mpls, name));
            chains.push_back(chainOf(mpls));
        } else {
            overview.playLists.push_back({});
            overview.playLists.back().name = name;
            chains.emplace_back();
        }
        // A PlayList without PlayItems repeats nothing.
        if (!chains.back().empty()) {
            auto [at, added] = firstWithChain.emplace(chains.back(), name);
            if (!added && name < at->second)
                at->second = name;
        }
    }
    for (size_t i = 0; i < chains.size(); ++i) {
        if (chains[i].empty())
            continue;
        const std::string& first = firstWithChain[chains[i]];
        if (first != overview.playLists[i].name)
            overview.playLists[i].duplicateOf = first;
    }
    overview.walks = walkEntries(disc.index, disc.movieObjects, maxSteps);
    addPlayers(disc, overview.walks, overview.playLists);
    return overview;
}

std::vector<std::string> walkNotes(const DiscOverview& overview)
{
    std::vector<std::string> notes;
    for (const auto& walk : overview.walks)
        if (walk.stepLimitReached)
            notes.push_back(playedByText(walk.entry) + ": run stopped after " + std::to_string(walk.executed) +
                            " commands (step limit)");
    return notes;
}

std::string durationText45k(uint64_t ticks)
{
    const uint64_t ms = ticks / 45;
    char text[40];
    std::snprintf(text, sizeof text, "%llu:%02u:%02u.%03u", static_cast<unsigned long long>(ms / 3'600'000),
                  static_cast<unsigned>(ms / 60'000 % 60), static_cast<unsigned>(ms / 1000 % 60),
                  static_cast<unsigned>(ms % 1000));
    return text;
}

std::string streamsText(const std::array<StreamSummary, kStreamKindCount>& streams)
{
    static const std::array<const char*, kStreamKindCount> kNames = {"video", "audio",     "PG",       "PiP PG",
                                                                     "IG",    "2nd audio", "2nd video"};
    std::string text;
    for (size_t k = 0; k < kStreamKindCount; ++k) {
        const auto& s = streams[k];
        if (s.count == 0)
            continue;
        if (!text.empty())
            text += ", ";
        text += std::to_string(s.count) + " " + kNames[k];
        if (!s.languages.empty()) {
            text += " (";
            for (size_t i = 0; i < s.languages.size(); ++i)
                text += (i ? " " : "") + (s.languages[i].empty() ? std::string("-") : s.languages[i]);
            text += ")";
        }
    }
    return text;
}

std::string marksText(const PlayListSummary& s)
{
    std::vector<std::string> marks;
    if (!s.readable)
        marks.emplace_back("Unreadable");
    if (s.duplicateOf)
        marks.push_back("Duplicate of " + *s.duplicateOf);
    if (s.unplayed)
        marks.emplace_back("Unplayed");
    return joined(marks, ", ");
}

Row overviewCaptions()
{
    return {"PlayList", "Duration", "Items", "Clips", "Angles", "Chapters", "Streams", "Played by", "Marks"};
}

Row overviewRow(const PlayListSummary& s)
{
    std::vector<std::string> players;
    for (const auto& by : s.playedBy)
        players.push_back(playedByText(by));
    if (!s.readable)
        return {s.name, "", "", "", "", "", "", joined(players, ", "), marksText(s)};
    return {s.name,
            durationText45k(s.duration45k),
            std::to_string(s.items),
            joined(s.clips, "+"),
            std::to_string(s.angles),
            std::to_string(s.chapters),
            streamsText(s.streams),
            joined(players, ", "),
            marksText(s)};
}

std::vector<Row> overviewRows(const DiscOverview& overview)
{
    std::vector<Row> rows;
    rows.reserve(overview.playLists.size());
    for (const auto& s : overview.playLists)
        rows.push_back(overviewRow(s));
    return rows;
}

}  // namespace mirtal::playlist
