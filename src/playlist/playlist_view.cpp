#include "playlist/playlist_view.h"

#include "playlist/app_info.h"
#include "playlist/subpath_edit.h"
#include "playlist/vocabulary.h"

namespace mirtal::playlist {

namespace {

// The selector item of a value, kNoItem past the selector's last item.
int itemOf(size_t value, size_t items)
{
    return value < items ? static_cast<int>(value) : kNoItem;
}

int itemOf(std::optional<size_t> item)
{
    return item ? static_cast<int>(*item) : kNoItem;
}

std::optional<std::string> hintOf(int item, std::optional<std::string> (*hint)(size_t))
{
    return item == kNoItem ? std::nullopt : hint(static_cast<size_t>(item));
}

const TSubPlayItem* subPlayItemAt(const TPLmpls& m, size_t subPath, size_t subPlayItem)
{
    if (subPath >= m.playList.subPaths.size())
        return nullptr;
    const auto& items = m.playList.subPaths[subPath].subPlayItems;
    return subPlayItem < items.size() ? &items[subPlayItem] : nullptr;
}

}  // namespace

PlayListControls playListControls(const TPLmpls& m)
{
    PlayListControls c;
    c.save = !m.playList.playItems.empty();
    c.subPathInsert = m.playList.subPaths.size() < kMaxSubPaths;
    c.subPathDelete = !m.playList.subPaths.empty();
    c.markEditors = !m.marks.marks.empty();
    c.markList = m.playListMarkStartAddress != 0 || c.markEditors;
    return c;
}

PlayItemSelection selectPlayItem(const TPLmpls& m, size_t item)
{
    PlayItemSelection s;
    if (item >= m.playList.playItems.size())
        return s;
    const TPlayItem& p = m.playList.playItems[item];
    s.counts = stnCountRow(p.stn);
    s.angleRows = angleRows(p);
    s.showAngles = p.multiAngle == 1;
    return s;
}

StreamListSelection selectStreamList(const TPLmpls& m, size_t item, int list)
{
    StreamListSelection s;
    if (item >= m.playList.playItems.size())
        return s;
    const TSTN& stn = m.playList.playItems[item].stn;
    s.rows = streamRows(stn, list);
    s.buttons = streamButtons(stn, list);
    return s;
}

StreamEditorState streamEditorState(const TPLmpls& m, size_t item, int list, size_t row)
{
    StreamEditorState s;
    if (item >= m.playList.playItems.size())
        return s;
    // In list 6 row r is element PG count + r of the PG list; streamAt knows.
    const TStreamEntry* e = streamAt(m.playList.playItems[item].stn, list, row);
    if (!e)
        return s;
    s.visible = true;
    s.editors = streamEditorsOf(list);
    s.entryTypeItem = itemOf(e->entryType, entryTypeItems().size());
    s.entryTypeHint = hintOf(s.entryTypeItem, entryTypeHint);
    s.showsMainPid = e->entryType == 1 || e->entryType == 3;
    s.showsSubPathId = e->entryType == 2 || e->entryType == 3;
    s.showsSubclipId = s.showsSubPid = e->entryType == 2;
    s.mainPid = e->mainPid;
    s.subPid = e->subPid;
    s.subPathId = e->subPathId;
    s.subclipId = e->subclipId;
    switch (s.editors) {
    case StreamEditors::Video:
        s.videoCodingItem = itemOf(videoCodingItem(e->codingType));
        s.videoCodingHint = hintOf(s.videoCodingItem, videoCodingHint);
        s.videoFormatItem = itemOf(e->videoFormat, videoFormatItems().size());
        s.frameRateItem = itemOf(e->frameRate, frameRateItems().size());
        break;
    case StreamEditors::Audio:
        s.audioCodingItem = itemOf(audioCodingItem(e->codingType));
        s.audioCodingHint = hintOf(s.audioCodingItem, audioCodingHint);
        s.audioFormatItem = itemOf(e->audioFormat, audioFormatItems().size());
        s.audioFormatHint = hintOf(s.audioFormatItem, audioFormatHint);
        s.sampleRateItem = itemOf(e->sampleRate, sampleRateItems().size());
        s.languageItem = itemOf(languageIndex(e->language));
        break;
    case StreamEditors::Language:
        s.languageItem = itemOf(languageIndex(e->language));
        break;
    case StreamEditors::None:
        break;
    }
    return s;
}

SubPathSelection selectSubPath(const TPLmpls& m, size_t index)
{
    SubPathSelection s;
    if (index >= m.playList.subPaths.size())
        return s;
    const TSubPath& p = m.playList.subPaths[index];
    s.typeEnabled = true;
    s.typeItem = itemOf(p.subPathType, subPathTypeItems().size());
    s.typeHint = subPathTypeHint(p.subPathType);
    s.repeatEnabled = repeatSelectorEnabled(p);
    s.repeatItem = itemOf(p.repeat, repeatItems().size());
    s.subPlayItemRows = subPlayItemRows(p);
    return s;
}

SubPlayItemSelection selectSubPlayItem(const TPLmpls& m, size_t subPath, size_t subPlayItem)
{
    SubPlayItemSelection s;
    if (const TSubPlayItem* p = subPlayItemAt(m, subPath, subPlayItem)) {
        s.clipEntryRows = clipEntryRows(*p);
        s.showClipEntries = !s.clipEntryRows.empty();
    }
    return s;
}

std::optional<MarkEditorState> markEditorState(const TPLmpls& m, size_t mark)
{
    if (mark >= m.marks.marks.size())
        return std::nullopt;
    const TMarkEntry& e = m.marks.marks[mark];
    MarkEditorState s;
    s.typeItem = e.markType == 0 ? kNoItem : itemOf(size_t{e.markType} - 1, markTypeItems().size());
    s.playItem = e.playItemRef;
    s.time = markTimeParts(e.markTime45k);
    return s;
}

AppInfoState appInfoState(const TPLmpls& m)
{
    AppInfoState s;
    s.playbackTypeItem = itemOf(playbackTypeItem(m));
    s.playbackCount = m.playbackCount;
    s.mask1 = m.uoMask1;
    s.mask2 = m.uoMask2;
    s.boxes = uoCheckBoxes(m.uoMask1, m.uoMask2);
    s.randomAccess = m.randomAccessFlag != 0;
    s.audioMix = m.audioMixFlag != 0;
    s.bypassMixer = m.bypassMixerFlag != 0;
    return s;
}

std::optional<std::string> playItemClip(const TPLmpls& m, size_t item)
{
    if (item >= m.playList.playItems.size())
        return std::nullopt;
    return m.playList.playItems[item].clipName;
}

std::optional<std::string> angleClip(const TPLmpls& m, size_t item, size_t angle)
{
    if (item >= m.playList.playItems.size())
        return std::nullopt;
    const TPlayItem& p = m.playList.playItems[item];
    // The angle grid has rows only for a multi-angle PlayItem.
    if (p.multiAngle != 1 || angle >= p.angles.angleClips.size())
        return std::nullopt;
    return p.angles.angleClips[angle].clipName;
}

std::optional<std::string> subPlayItemClip(const TPLmpls& m, size_t subPath, size_t subPlayItem)
{
    if (const TSubPlayItem* p = subPlayItemAt(m, subPath, subPlayItem))
        return p->clipName;
    return std::nullopt;
}

std::optional<std::string> clipEntryClip(const TPLmpls& m, size_t subPath, size_t subPlayItem, size_t entry)
{
    const TSubPlayItem* p = subPlayItemAt(m, subPath, subPlayItem);
    // As the clip-entry grid: no more rows than the stored count.
    if (!p || entry >= p->clipEntries.size() || entry >= p->numberOfClipEntries)
        return std::nullopt;
    return p->clipEntries[entry].clipName;
}

}  // namespace mirtal::playlist
