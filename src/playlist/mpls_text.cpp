// Grid texts and vocabularies of the PLAYLIST tab.

#include "core/text.h"
#include "playlist/mpls_text.h"
#include "playlist/stn_edit.h"

namespace mirtal::playlist {

using core::hex;
using core::padded;

namespace {

// One row per record, numbered by its place in the list.
template <typename List, typename RowOf>
std::vector<Row> rowsOf(const List& list, RowOf rowOf)
{
    std::vector<Row> rows;
    rows.reserve(list.size());
    for (size_t i = 0; i < list.size(); ++i)
        rows.push_back(rowOf(list[i], i));
    return rows;
}

// "a, b, c": the attribute texts of a stream.
template <typename... Texts>
std::string joined(const Texts&... texts)
{
    std::string out;
    out.reserve((std::string_view(texts).size() + ...) + 2 * sizeof...(texts));
    bool first = true;
    ((out.append(first ? "" : ", "), out.append(texts), first = false), ...);
    return out;
}

}  // namespace

Row playItemCaptions()
{
    return {"", "file", "type", "IN time", "OUT time", "length", "UO1", "UO2", "An"};
}

Row playItemRow(const TPlayItem& p, size_t i)
{
    return {padded(int64_t(i), 3), p.clipName, p.codecId, timeText45k(p.inTime45k), timeText45k(p.outTime45k),
            timeText45k(p.outTime45k - p.inTime45k), hex(p.uoMask1, 8), hex(p.uoMask2, 8),
            p.multiAngle == 1 ? std::to_string(p.angles.numberOfAngles) : "0"};
}

std::vector<Row> playItemRows(const TPLmpls& m)
{
    return rowsOf(m.playList.playItems, playItemRow);
}

Row stnCaptions()
{
    return {"Vi", "Au", "PG", "IG", "sV", "sA", "PIP"};
}

Row stnCountRow(const TSTN& s)
{
    Row r;
    for (int list = 0; list < kListCount; ++list)
        r.push_back(std::to_string(streamListCount(s, list)));
    return r;
}

std::vector<const TStreamEntry*> streamList(const TSTN& s, int list)
{
    std::vector<const TStreamEntry*> out;
    for (size_t row = 0; const TStreamEntry* e = streamAt(s, list, row); ++row)
        out.push_back(e);
    return out;
}

Row streamCaptions()
{
    return {"", "type", "mPID", "SPid", "sCid", "sPID", "attrib"};
}

Row streamRow(const TStreamEntry& e, int list, size_t i)
{
    Row r(7);
    r[0] = padded(int64_t(i) + 1, 3);
    r[1] = entryTypeName(e.entryType);
    const bool decimalIds = list == 0 || list == 4 || list == 5;
    if (e.entryType == 1 || e.entryType == 3)
        r[2] = hex(e.mainPid, 4);
    if (e.entryType == 2) {
        r[3] = decimalIds ? padded(e.subPathId, 2) : hex(e.subPathId, 2);
        r[4] = decimalIds ? padded(e.subclipId, 2) : hex(e.subclipId, 2);
        r[5] = hex(e.subPid, 4);
    } else if (e.entryType == 3) {
        r[3] = decimalIds ? padded(e.subPathId, 2) : hex(e.subPathId, 4);
    }
    switch (list) {
    case 0:
    case 4:
        r[6] = joined(codingTypeName(e.codingType), videoFormatName(e.videoFormat), frameRateName(e.frameRate));
        break;
    case 1:
    case 5:
        r[6] = joined(codingTypeName(e.codingType), audioFormatName(e.audioFormat), sampleRateName(e.sampleRate),
                      e.language);
        break;
    case 2:
    case 3:
        r[6] = e.language;
        break;
    default:
        r[6] = joined(codingTypeName(e.codingType), e.language);
        break;
    }
    return r;
}

std::vector<Row> streamRows(const TSTN& s, int list)
{
    std::vector<Row> rows;
    rows.reserve(streamListCount(s, list));
    for (size_t row = 0; const TStreamEntry* e = streamAt(s, list, row); ++row)
        rows.push_back(streamRow(*e, list, row));
    return rows;
}

Row angleCaptions()
{
    return {"", "file", "type", "STC"};
}

std::vector<Row> angleRows(const TPlayItem& item)
{
    std::vector<Row> rows;
    if (item.multiAngle != 1)
        return rows;
    for (size_t i = 0; i < item.angles.angleClips.size(); ++i) {
        const auto& c = item.angles.angleClips[i];
        rows.push_back({std::to_string(i + 1), c.clipName, c.codecId, std::to_string(c.stcId)});
    }
    return rows;
}

Row clipEntryCaptions()
{
    return {"", "file", "type", "STC"};
}

std::vector<Row> clipEntryRows(const TSubPlayItem& item)
{
    std::vector<Row> rows;
    for (size_t i = 0; i < item.clipEntries.size() && i < item.numberOfClipEntries; ++i) {
        const auto& c = item.clipEntries[i];
        rows.push_back({std::to_string(i + 1), c.clipName, c.codecId, std::to_string(c.stcId)});
    }
    return rows;
}

Row subPathCaptions()
{
    return {"", "type", "repeat", "item"};
}

Row subPathRow(const TSubPath& p, size_t i)
{
    return {padded(int64_t(i), 3), subPathTypeName(p.subPathType), p.repeat == 0 ? "No" : "Yes",
            std::to_string(p.numberOfSubPlayItems)};
}

std::vector<Row> subPathRows(const TPLmpls& m)
{
    return rowsOf(m.playList.subPaths, subPathRow);
}

Row subPlayItemCaptions()
{
    return {"", "file", "type", "conn", "multi", "STC", "IN time", "OUT time", "sync PI", "sync PTS", "An"};
}

Row subPlayItemRow(const TSubPlayItem& s, size_t i)
{
    return {padded(int64_t(i), 3),          s.clipName,
            s.codecId,                      std::to_string(s.connectionCondition),
            std::to_string(s.multiClip),    std::to_string(s.stcId),
            timeText45k(s.inTime45k),              timeText45k(s.outTime45k),
            std::to_string(s.syncPlayItemId), timeOfDayText45k(s.syncStartPts),
            std::to_string(s.numberOfClipEntries)};
}

std::vector<Row> subPlayItemRows(const TSubPath& p)
{
    return rowsOf(p.subPlayItems, subPlayItemRow);
}

Row markCaptions()
{
    return {"", "type", "PI", "mark time", "entry PID", "duration"};
}

Row markRow(const TMarkEntry& e, size_t i)
{
    return {padded(int64_t(i), 3), markTypeName(e.markType), padded(e.playItemRef, 3), timeText45k(e.markTime45k),
            hex(e.entryPid, 4), std::to_string(e.duration45k)};
}

std::vector<Row> markRows(const TPLmpls& m)
{
    return rowsOf(m.marks.marks, markRow);
}

Row appInfoCaptions()
{
    return {"playback type", "playback count", "UO mask", "UO mask #2", "random access", "audio mix", "bypass mixer"};
}

Row appInfoRow(const TPLmpls& m)
{
    return {playbackTypeName(m.playbackType), std::to_string(m.playbackCount), hex(m.uoMask1, 8), hex(m.uoMask2, 8),
            std::to_string(m.randomAccessFlag), std::to_string(m.audioMixFlag), std::to_string(m.bypassMixerFlag)};
}

}  // namespace mirtal::playlist
