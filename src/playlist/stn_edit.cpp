#include "playlist/stn_edit.h"

#include "core/number_fields.h"
#include "playlist/vocabulary.h"

namespace mirtal::playlist {

namespace {

TSTN* stnOf(TPLmpls& m, size_t item)
{
    return item < m.playList.playItems.size() ? &m.playList.playItems[item].stn : nullptr;
}

// Adds delta (which may be negative) to every stored length and address a stream lies inside.
void adjustForStream(TPLmpls& m, TPlayItem& item, int32_t delta)
{
    resizePlayListSection(m, delta);
    item.length = static_cast<uint16_t>(item.length + delta);
    item.stn.length = static_cast<uint16_t>(item.stn.length + delta);
}

TStreamEntry newStream(int list)
{
    TStreamEntry s;
    s.entryLength = 9;
    s.attributesLength = 5;
    s.language = "eng";
    switch (list) {
    case kListAudio:
        s.entryType = 1;
        s.mainPid = 0x1100;
        s.codingType = 0x81;
        s.audioFormat = 6;
        s.sampleRate = 1;
        break;
    case kListPg:
        s.entryType = 1;
        s.mainPid = 0x1200;
        s.codingType = 0x90;
        break;
    default:
        s.entryType = 2;
        s.subPid = 0x1400;
        s.codingType = 0x91;
        break;
    }
    return s;
}

bool listTakes(int list, std::initializer_list<int> lists)
{
    for (int l : lists)
        if (l == list)
            return true;
    return false;
}

template <typename F>
bool editStream(TPLmpls& m, size_t item, int list, size_t row, std::initializer_list<int> lists, F apply)
{
    if (!listTakes(list, lists))
        return false;
    TSTN* stn = stnOf(m, item);
    if (!stn)
        return false;
    TStreamEntry* s = streamAt(*stn, list, row);
    if (!s)
        return false;
    apply(*s);
    return true;
}

constexpr std::initializer_list<int> kAllLists = {0, 1, 2, 3, 4, 5, 6};

}  // namespace

size_t streamListCount(const TSTN& stn, int list)
{
    switch (list) {
    case kListVideo: return stn.primaryVideoCount;
    case kListAudio: return stn.primaryAudioCount;
    case kListPg: return stn.pgCount;
    case kListIg: return stn.igCount;
    case kListSecondaryVideo: return stn.secondaryVideoCount;
    case kListSecondaryAudio: return stn.secondaryAudioCount;
    case kListPipPg: return stn.pipPgCount;
    default: return 0;
    }
}

const TStreamEntry* streamAt(const TSTN& stn, int list, size_t row)
{
    if (row >= streamListCount(stn, list))
        return nullptr;
    auto at = [row](const auto& v) -> const TStreamEntry* { return row < v.size() ? &v[row] : nullptr; };
    switch (list) {
    case kListVideo: return at(stn.primaryVideo);
    case kListAudio: return at(stn.primaryAudio);
    case kListPg: return at(stn.pg);
    case kListIg: return at(stn.ig);
    case kListSecondaryVideo: return at(stn.secondaryVideo);
    case kListSecondaryAudio: return at(stn.secondaryAudio);
    case kListPipPg: {
        const size_t i = size_t{stn.pgCount} + row;
        return i < stn.pg.size() ? &stn.pg[i] : nullptr;
    }
    default: return nullptr;
    }
}

TStreamEntry* streamAt(TSTN& stn, int list, size_t row)
{
    return const_cast<TStreamEntry*>(streamAt(static_cast<const TSTN&>(stn), list, row));
}

StreamButtons streamButtons(const TSTN& stn, int list)
{
    StreamButtons b;
    const size_t n = streamListCount(stn, list);
    switch (list) {
    case kListAudio:
    case kListIg:
    case kListSecondaryAudio: b.insert = n < 32; break;
    case kListPg: b.insert = n < 255; break;
    case kListPipPg: b.insert = size_t{stn.pgCount} + stn.pipPgCount < 255; break;
    default: b.insert = false; break;
    }
    b.remove = list != kListVideo && list >= 0 && list < 7 && n > 0;
    return b;
}

std::optional<size_t> insertStream(TPLmpls& m, size_t item, int list, size_t selected)
{
    if (item >= m.playList.playItems.size())
        return std::nullopt;
    TPlayItem& p = m.playList.playItems[item];
    TSTN& stn = p.stn;
    std::vector<TStreamEntry>* v = nullptr;
    uint8_t* count = nullptr;
    size_t limit = 0;
    switch (list) {
    case kListAudio: v = &stn.primaryAudio; count = &stn.primaryAudioCount; limit = 32; break;
    case kListPg: v = &stn.pg; count = &stn.pgCount; limit = 255; break;
    case kListIg: v = &stn.ig; count = &stn.igCount; limit = 32; break;
    default: return std::nullopt;
    }
    if (*count >= limit || *count > v->size())
        return std::nullopt;
    const size_t pos = *count == 0 ? 0 : std::min<size_t>(selected + 1, *count);
    adjustForStream(m, p, 16);
    ++*count;
    v->insert(v->begin() + static_cast<std::ptrdiff_t>(pos), newStream(list));
    return pos;
}

StreamDeletion deleteStream(TPLmpls& m, size_t item, int list, size_t row)
{
    if (item >= m.playList.playItems.size())
        return {};
    TPlayItem& p = m.playList.playItems[item];
    TSTN& stn = p.stn;
    if (list <= kListVideo || list > kListPipPg || !streamAt(stn, list, row))
        return {};
    if (list == kListAudio && stn.primaryAudioCount <= 1)
        return {};
    uint32_t size = 16;
    switch (list) {
    case kListAudio:
        stn.primaryAudio.erase(stn.primaryAudio.begin() + static_cast<std::ptrdiff_t>(row));
        --stn.primaryAudioCount;
        break;
    case kListPg:
        stn.pg.erase(stn.pg.begin() + static_cast<std::ptrdiff_t>(row));
        --stn.pgCount;
        break;
    case kListIg:
        stn.ig.erase(stn.ig.begin() + static_cast<std::ptrdiff_t>(row));
        --stn.igCount;
        break;
    case kListSecondaryVideo:
        size = streamSize(stn.secondaryVideo[row]);
        stn.secondaryVideo.erase(stn.secondaryVideo.begin() + static_cast<std::ptrdiff_t>(row));
        --stn.secondaryVideoCount;
        break;
    case kListSecondaryAudio:
        size = streamSize(stn.secondaryAudio[row]);
        stn.secondaryAudio.erase(stn.secondaryAudio.begin() + static_cast<std::ptrdiff_t>(row));
        --stn.secondaryAudioCount;
        break;
    case kListPipPg:
        stn.pg.erase(stn.pg.begin() + static_cast<std::ptrdiff_t>(stn.pgCount + row));
        --stn.pipPgCount;
        break;
    default:
        return {};
    }
    adjustForStream(m, p, -static_cast<int32_t>(size));
    StreamDeletion d;
    d.deleted = true;
    if (streamListCount(stn, list) > 0)
        d.selection = row == 0 ? 0 : row - 1;
    return d;
}

bool setEntryType(TPLmpls& m, size_t item, int list, size_t row, size_t selectorItem)
{
    return selectorItem < entryTypeItems().size() &&
           editStream(m, item, list, row, kAllLists,
                      [&](TStreamEntry& s) { s.entryType = static_cast<uint8_t>(selectorItem); });
}

bool setMainPid(TPLmpls& m, size_t item, int list, size_t row, std::string_view hexText)
{
    return editStream(m, item, list, row, kAllLists,
                      [&](TStreamEntry& s) { s.mainPid = static_cast<uint16_t>(core::hexEditValue(hexText)); });
}

bool setSubPid(TPLmpls& m, size_t item, int list, size_t row, std::string_view hexText)
{
    return editStream(m, item, list, row, kAllLists,
                      [&](TStreamEntry& s) { s.subPid = static_cast<uint16_t>(core::hexEditValue(hexText)); });
}

bool setSubPathId(TPLmpls& m, size_t item, int list, size_t row, std::string_view decimalText)
{
    return editStream(m, item, list, row, kAllLists,
                      [&](TStreamEntry& s) { s.subPathId = static_cast<uint8_t>(core::intEditValue(decimalText)); });
}

bool setSubclipId(TPLmpls& m, size_t item, int list, size_t row, std::string_view decimalText)
{
    return editStream(m, item, list, row, kAllLists,
                      [&](TStreamEntry& s) { s.subclipId = static_cast<uint8_t>(core::intEditValue(decimalText)); });
}

bool setVideoCoding(TPLmpls& m, size_t item, int list, size_t row, size_t selectorItem)
{
    return selectorItem < 3 && editStream(m, item, list, row, {0, 4}, [&](TStreamEntry& s) {
               s.codingType = videoCodingType(selectorItem);
           });
}

bool setVideoFormat(TPLmpls& m, size_t item, int list, size_t row, size_t selectorItem)
{
    return selectorItem < 8 && editStream(m, item, list, row, {0, 4}, [&](TStreamEntry& s) {
               s.videoFormat = static_cast<uint8_t>(selectorItem);
           });
}

bool setFrameRate(TPLmpls& m, size_t item, int list, size_t row, size_t selectorItem)
{
    return selectorItem < 8 && editStream(m, item, list, row, {0, 4}, [&](TStreamEntry& s) {
               s.frameRate = static_cast<uint8_t>(selectorItem);
           });
}

bool setAudioCoding(TPLmpls& m, size_t item, int list, size_t row, size_t selectorItem)
{
    return selectorItem < 9 && editStream(m, item, list, row, {1, 5}, [&](TStreamEntry& s) {
               s.codingType = audioCodingType(selectorItem);
           });
}

bool setAudioFormat(TPLmpls& m, size_t item, int list, size_t row, size_t selectorItem)
{
    return selectorItem < 13 && editStream(m, item, list, row, {1, 5}, [&](TStreamEntry& s) {
               s.audioFormat = static_cast<uint8_t>(selectorItem);
           });
}

bool setSampleRate(TPLmpls& m, size_t item, int list, size_t row, size_t selectorItem)
{
    return selectorItem < 15 && editStream(m, item, list, row, {1, 5}, [&](TStreamEntry& s) {
               s.sampleRate = static_cast<uint8_t>(selectorItem);
           });
}

bool setLanguage(TPLmpls& m, size_t item, int list, size_t row, std::string_view code)
{
    return editStream(m, item, list, row, {1, 2, 3, 5},
                      [&](TStreamEntry& s) { s.language = std::string(code.substr(0, 3)); });
}

StreamEditors streamEditorsOf(int list)
{
    switch (list) {
    case kListVideo:
    case kListSecondaryVideo: return StreamEditors::Video;
    case kListAudio:
    case kListSecondaryAudio: return StreamEditors::Audio;
    case kListPg:
    case kListIg: return StreamEditors::Language;
    default: return StreamEditors::None;
    }
}

}  // namespace mirtal::playlist
